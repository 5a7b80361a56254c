@ Minimal start-up code: no C library, just call into the program and spin.
    .syntax unified
    .arm
    .section .text.start, "ax", %progbits
    .global _start
    .type _start, %function
_start:
    ldr sp, =0x20008000
    mov r0, #1
    bl arm_entry
1:  b 1b
    .size _start, . - _start
