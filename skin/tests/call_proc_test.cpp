#include "skin/call_proc.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace morvane {
namespace {

template <std::size_t>
using Word = std::uintptr_t;

// Procedures of 0 to 10 parameters that weigh their k-th argument by k, so a
// word in the wrong place changes the result.
#define MORVANE_WEIGHED_PROCEDURES(Name, Convention)                 \
    template <class Indexes>                                         \
    struct Name;                                                     \
    template <std::size_t... I>                                      \
    struct Name<std::index_sequence<I...>> {                         \
        static std::uintptr_t Convention Sum(Word<I>... words) {     \
            std::uintptr_t sum = 0;                                  \
            ((sum += (I + 1) * words), ...);                         \
            return sum;                                              \
        }                                                            \
    };

// Removes its own arguments on x86.
MORVANE_WEIGHED_PROCEDURES(CalleeCleans, MORVANE_MODULE_ABI)
#if defined(__i386__)
// Leaves its arguments to the caller.
MORVANE_WEIGHED_PROCEDURES(CallerCleans, __attribute__((cdecl)))
#endif

struct Procedure {
    std::string convention;
    std::size_t parameters;
    std::uintptr_t address;
};

template <template <class> class Family, std::size_t... N>
void AddFamily(std::vector<Procedure>& out, const char* convention, std::index_sequence<N...>) {
    (out.push_back({convention, N, reinterpret_cast<std::uintptr_t>(&Family<std::make_index_sequence<N>>::Sum)}), ...);
}

std::vector<Procedure> AllProcedures() {
    std::vector<Procedure> all;
    AddFamily<CalleeCleans>(all, "module convention", std::make_index_sequence<11>());
#if defined(__i386__)
    AddFamily<CallerCleans>(all, "cdecl", std::make_index_sequence<11>());
#endif
    return all;
}

std::uintptr_t StackPointer() {
    std::uintptr_t sp;
#if defined(__i386__)
    __asm__ volatile("movl %%esp, %0" : "=r"(sp));
#else
    __asm__ volatile("movq %%rsp, %0" : "=r"(sp));
#endif
    return sp;
}

// Words that fill the whole width, so a truncated word would show.
CallWords SampleWords() {
    CallWords words{};
    for (std::size_t k = 0; k < words.size(); ++k)
        words[k] = static_cast<std::uintptr_t>(0x0102030405060708ull * (k + 3) + 0x9000000090000000ull);
    return words;
}

std::uintptr_t WeighedSum(const CallWords& words, std::size_t count) {
    std::uintptr_t sum = 0;
    for (std::size_t k = 0; k < count; ++k) sum += (k + 1) * words[k];
    return sum;
}

TEST(CallProc, PassesTheTenWordsInOrderAndRestoresTheStackForEveryArity) {
    const CallWords words = SampleWords();
    for (const Procedure& procedure : AllProcedures()) {
        SCOPED_TRACE(procedure.convention + " with " + std::to_string(procedure.parameters) + " parameters");
        const std::uintptr_t before = StackPointer();
        const std::uintptr_t result = CallProc(procedure.address, words);
        const std::uintptr_t after = StackPointer();
        EXPECT_EQ(result, WeighedSum(words, procedure.parameters));
        EXPECT_EQ(after, before);
    }
}

TEST(CallProc, MissingWordsArePassedAsZero) {
    const auto tenParameters = reinterpret_cast<std::uintptr_t>(&CalleeCleans<std::make_index_sequence<10>>::Sum);
    EXPECT_EQ(CallProc(tenParameters, 5, 7), 5u + 2 * 7);
    EXPECT_EQ(CallProc(tenParameters), 0u);
}

}  // namespace
}  // namespace morvane
