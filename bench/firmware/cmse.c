/* ARMv8-M security extension entry points (SG veneers, BXNS, BLXNS, TT*) for the
   firmware images of make-firmware.sh built with -mcmse. */
#include <arm_cmse.h>

typedef void (*ns_fn)(int) __attribute__((cmse_nonsecure_call));
static ns_fn callback;

int __attribute__((cmse_nonsecure_entry)) secure_add(int a, int b)
{
    return a + b;
}

void __attribute__((cmse_nonsecure_entry)) secure_set(ns_fn f)
{
    callback = cmse_nsfptr_create(f);
}

void __attribute__((cmse_nonsecure_entry)) secure_fire(int v)
{
    if (callback)
        callback(v);
}

int check(void *p)
{
    return cmse_TT(p).value + cmse_TTT(p).value + cmse_TTA(p).value + cmse_TTAT(p).value;
}
