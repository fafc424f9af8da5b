// Calls into loaded code: ten machine words to any procedure, its result back.
#pragma once

#include <array>
#include <cstdint>

// The calling convention of procedures that loaded modules export or import:
// the standard one of 32-bit Windows DLLs, and the Windows x64 one on x86-64
// (also when the loader runs on another x86-64 system).
#if defined(__i386__)
#define MORVANE_MODULE_ABI __attribute__((stdcall))
#elif defined(__x86_64__)
#define MORVANE_MODULE_ABI __attribute__((ms_abi))
#else
#error "loaded modules run on x86 and x86-64 only"
#endif

namespace morvane {

using CallWords = std::array<std::uintptr_t, 10>;

// Calls the procedure at proc with w1 .. w10 as its arguments and returns what
// it returns. On x86 the stack pointer is restored after the call, so
// procedures that remove their own arguments (0 to 10 of them) and ones that
// leave them both work; arguments beyond a procedure's own are ignored.
std::uintptr_t CallProc(std::uintptr_t proc, std::uintptr_t w1 = 0, std::uintptr_t w2 = 0,
                        std::uintptr_t w3 = 0, std::uintptr_t w4 = 0, std::uintptr_t w5 = 0,
                        std::uintptr_t w6 = 0, std::uintptr_t w7 = 0, std::uintptr_t w8 = 0,
                        std::uintptr_t w9 = 0, std::uintptr_t w10 = 0);

inline std::uintptr_t CallProc(std::uintptr_t proc, const CallWords& w) {
    return CallProc(proc, w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9]);
}

}  // namespace morvane
