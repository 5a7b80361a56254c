// Texts of branches, status-register access, exception and processor-state forms,
// hints and barriers (the hints and barriers are shared with Thumb).
#include "arm/ARMInstructionSetDisassembler.h"

namespace {

// The 24-bit word offset of B/BL/BLX as a byte offset.
uint32_t branchOffset(uint32_t imm24)
{
    return uint32_t(int32_t(imm24 << 8) >> 6);
}

} // namespace

void ARMInstructionSetDisassembler::branch(bool link, uint32_t imm24)
{
    emitMnemonic(link ? "bl" : "b");
    emitChar(' ');
    targetAddress = address + 8 + branchOffset(imm24);
    printTargetAddress();
}

void ARMInstructionSetDisassembler::branchLinkExchangeImmediate(bool h, uint32_t imm24)
{
    emitMnemonic("blx");
    emitChar(' ');
    targetAddress = address + 8 + branchOffset(imm24) + (h ? 2 : 0);
    printTargetAddress();
}

void ARMInstructionSetDisassembler::branchExchange(int op, int rm)
{
    static const char* const names[4] = {"????", "bx", "bxj", "blx"};
    emitMnemonic(names[op & 3]);
    emitChar(' ');
    emitRegister(rm);
}

void ARMInstructionSetDisassembler::countLeadingZeros(int rd, int rm)
{
    emitMnemonic("clz");
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    emitRegister(rm);
}

// ---- status registers ----

void ARMInstructionSetDisassembler::emitBankedRegister(bool r, int sysm)
{
    static const char* const general[32] = {
        "r8_usr", "r9_usr", "r10_usr", "r11_usr", "r12_usr", "sp_usr", "lr_usr", "???",
        "r8_fiq", "r9_fiq", "r10_fiq", "r11_fiq", "r12_fiq", "sp_fiq", "lr_fiq", "???",
        "lr_irq", "sp_irq", "lr_svc", "sp_svc", "lr_abt", "sp_abt", "lr_und", "sp_und",
        "???", "???", "???", "???", "lr_mon", "sp_mon", "elr_hyp", "sp_hyp"};
    if (!r) {
        emitText(general[sysm & 31]);
        return;
    }
    switch (sysm) {
    case 14: emitText("spsr_fiq"); break;
    case 16: emitText("spsr_irq"); break;
    case 18: emitText("spsr_svc"); break;
    case 20: emitText("spsr_abt"); break;
    case 22: emitText("spsr_und"); break;
    case 28: emitText("spsr_mon"); break;
    case 30: emitText("spsr_hyp"); break;
    default: emitText("???"); break;
    }
}

void ARMInstructionSetDisassembler::emitStatusRegister(bool r, int mask)
{
    emitText(r ? "spsr_" : "cpsr_");
    static const char letters[4] = {'c', 'x', 's', 'f'};
    for (int n = 0; n < 4; ++n)
        if (mask & (1 << n))
            emitChar(letters[n]);
}

void ARMInstructionSetDisassembler::moveFromStatus(bool r, bool banked, int sysm, int rd)
{
    emitMnemonic("mrs");
    emitChar(' ');
    emitRegister(rd);
    emitSeparator();
    if (banked)
        emitBankedRegister(r, sysm);
    else
        emitText(r ? "spsr" : "cpsr");
}

void ARMInstructionSetDisassembler::moveToStatusImmediate(bool r, int mask, int rotate,
                                                          uint32_t imm8)
{
    emitMnemonic("msr");
    emitChar(' ');
    emitStatusRegister(r, mask);
    emitText(", #");
    const int amount = 2 * rotate;
    emitImmediate(amount ? (imm8 >> amount) | (imm8 << (32 - amount)) : imm8);
}

void ARMInstructionSetDisassembler::moveToStatusRegister(bool r, bool banked, int mask, int sysm,
                                                         int rm)
{
    emitMnemonic("msr");
    emitChar(' ');
    if (banked)
        emitBankedRegister(r, sysm);
    else
        emitStatusRegister(r, mask);
    emitSeparator();
    emitRegister(rm);
}

// ---- exceptions and processor state ----

void ARMInstructionSetDisassembler::supervisorCall(uint32_t imm24)
{
    emitMnemonic(unifiedSyntax ? "svc" : "swi");
    emitText(" #");
    emitImmediate(imm24);
}

void ARMInstructionSetDisassembler::breakpoint(uint32_t imm16)
{
    emitText("bkpt #");
    emitImmediate(imm16);
}

void ARMInstructionSetDisassembler::secureMonitorCall(uint32_t imm4)
{
    emitMnemonic("smc");
    emitText(" #");
    emitImmediate(imm4);
}

void ARMInstructionSetDisassembler::hypervisorCall(uint32_t imm16)
{
    emitText("hvc #");
    emitImmediate(imm16);
}

void ARMInstructionSetDisassembler::exceptionReturn()
{
    emitMnemonic("eret");
}

void ARMInstructionSetDisassembler::changeProcessorState(int imod, bool m, bool a, bool i,
                                                         bool f, int mode)
{
    if (imod < 2) {
        emitText("cps ");
        if (m) {
            emitChar('#');
            emitDecimal(uint32_t(mode));
        }
        return;
    }
    emitText(imod == 2 ? "cpsie " : "cpsid ");
    if (a) emitChar('a');
    if (i) emitChar('i');
    if (f) emitChar('f');
    if (m) {
        emitText(", #");
        emitDecimal(uint32_t(mode));
    }
}

void ARMInstructionSetDisassembler::setEndianness(bool bigEndian)
{
    emitText(bigEndian ? "setend be" : "setend le");
}

// "ia", "ib", "da" or "db".
static void modeLetters(char* letters, bool p, bool u)
{
    letters[0] = u ? 'i' : 'd';
    letters[1] = p ? 'b' : 'a';
    letters[2] = '\0';
}

void ARMInstructionSetDisassembler::storeReturnState(bool p, bool u, bool w, int mode)
{
    char letters[3];
    modeLetters(letters, p, u);
    emitText("srs");
    emitText(letters);
    emitText(w ? " sp!, #" : " sp, #");
    emitDecimal(uint32_t(mode));
}

void ARMInstructionSetDisassembler::returnFromException(bool p, bool u, bool w, int rn)
{
    char letters[3];
    modeLetters(letters, p, u);
    emitText("rfe");
    emitText(letters);
    emitChar(' ');
    emitRegister(rn);
    if (w)
        emitChar('!');
}

// ---- hints and barriers ----

void ARMInstructionSetDisassembler::emitHint(const char* name)
{
    emitMnemonic(name, !isArm);
}

void ARMInstructionSetDisassembler::noOperation() { emitHint("nop"); }
void ARMInstructionSetDisassembler::sendEvent() { emitHint("sev"); }
void ARMInstructionSetDisassembler::waitForEvent() { emitHint("wfe"); }
void ARMInstructionSetDisassembler::waitForInterrupt() { emitHint("wfi"); }
void ARMInstructionSetDisassembler::yield() { emitHint("yield"); }

void ARMInstructionSetDisassembler::debugHint(int option)
{
    emitMnemonic("dbg");
    emitText(" #");
    emitDecimal(uint32_t(option));
}

void ARMInstructionSetDisassembler::clearExclusive()
{
    emitText("clrex");
}

// DSB/DMB option names by bits 3:0.
static const char* barrierOption(int option)
{
    static const char* const names[16] = {"?", "?", "oshst", "osh", "?", "?", "nshst", "nsh",
                                          "?", "?", "ishst", "ish", "?", "?", "st", "sy"};
    return names[option & 15];
}

void ARMInstructionSetDisassembler::dataSynchronizationBarrier(int option)
{
    emitText("dsb ");
    emitText(barrierOption(option));
}

void ARMInstructionSetDisassembler::dataMemoryBarrier(int option)
{
    emitText("dmb ");
    emitText(barrierOption(option));
}

void ARMInstructionSetDisassembler::instructionSynchronizationBarrier(int)
{
    emitText("isb");
}
