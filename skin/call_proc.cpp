#include "skin/call_proc.h"

#if defined(__i386__)

// The caller's stack pointer lives in %ebp across the call, so whatever the
// procedure pops, the stack is put back exactly. The words are pushed last
// first so w1 lies lowest; the stack is 16-byte aligned at the call for
// procedures built to expect it. The exact symbol name is given so the same
// text assembles for ELF and for COFF (which would add an underscore).
extern "C" __attribute__((cdecl)) std::uint32_t morvane_call_ten_words(std::uint32_t proc, const std::uint32_t* words)
    __asm__("morvane_call_ten_words");

__asm__(
    ".text\n"
    ".p2align 4\n"
    ".globl morvane_call_ten_words\n"
    "morvane_call_ten_words:\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    movl 12(%ebp), %ecx\n"
    "    andl $-16, %esp\n"
    "    subl $8, %esp\n"
    "    pushl 36(%ecx)\n"
    "    pushl 32(%ecx)\n"
    "    pushl 28(%ecx)\n"
    "    pushl 24(%ecx)\n"
    "    pushl 20(%ecx)\n"
    "    pushl 16(%ecx)\n"
    "    pushl 12(%ecx)\n"
    "    pushl 8(%ecx)\n"
    "    pushl 4(%ecx)\n"
    "    pushl 0(%ecx)\n"
    "    call *8(%ebp)\n"
    "    movl %ebp, %esp\n"
    "    popl %ebp\n"
    "    ret\n");

namespace morvane {

std::uintptr_t CallProc(std::uintptr_t proc, std::uintptr_t w1, std::uintptr_t w2, std::uintptr_t w3,
                        std::uintptr_t w4, std::uintptr_t w5, std::uintptr_t w6, std::uintptr_t w7,
                        std::uintptr_t w8, std::uintptr_t w9, std::uintptr_t w10) {
    const std::uint32_t words[10] = {w1, w2, w3, w4, w5, w6, w7, w8, w9, w10};
    return morvane_call_ten_words(proc, words);
}

}  // namespace morvane

#elif defined(__x86_64__)

namespace morvane {

// The Windows x64 convention: the caller owns the argument area, so a plain
// call with ten pointer-sized parameters suits every procedure.
using TenWordProcedure = std::uintptr_t(MORVANE_MODULE_ABI*)(std::uintptr_t, std::uintptr_t, std::uintptr_t,
                                                             std::uintptr_t, std::uintptr_t, std::uintptr_t,
                                                             std::uintptr_t, std::uintptr_t, std::uintptr_t,
                                                             std::uintptr_t);

std::uintptr_t CallProc(std::uintptr_t proc, std::uintptr_t w1, std::uintptr_t w2, std::uintptr_t w3,
                        std::uintptr_t w4, std::uintptr_t w5, std::uintptr_t w6, std::uintptr_t w7,
                        std::uintptr_t w8, std::uintptr_t w9, std::uintptr_t w10) {
    return reinterpret_cast<TenWordProcedure>(proc)(w1, w2, w3, w4, w5, w6, w7, w8, w9, w10);
}

}  // namespace morvane

#endif
