// Random draws: the classic linear congruential generator.
#include <algorithm>
#include <atomic>
#include <utility>

#include "core/bytes.h"

namespace morvane {
namespace {

thread_local std::uint32_t generatorState = 1;

// Keeps two seedings within the same millisecond apart.
std::atomic<std::uint32_t> seedOffset{0};

std::int32_t NextDraw() {
    generatorState = generatorState * 214013u + 2531011u;
    return static_cast<std::int32_t>((generatorState >> 16) & 0x7FFF);
}

}  // namespace

void SeedRandom(std::uint32_t seed) { generatorState = seed; }

std::uint32_t SeedRandomAt(std::uint32_t tickMs) {
    std::uint32_t offset = seedOffset.load(std::memory_order_relaxed);
    std::uint32_t seed;
    do {
        seed = tickMs + offset;
    } while (!seedOffset.compare_exchange_weak(offset, offset + (seed & 0xFF) + 100, std::memory_order_relaxed));
    SeedRandom(seed);
    return seed;
}

void SeedRandom() { SeedRandomAt(TickCountMs()); }

std::int32_t RandomInt(std::int32_t low, std::int32_t high) {
    if (low < 0) low = 0;
    if (high < 0) high = 0;
    if (low > high) std::swap(low, high);
    if (low == high) return low;
    const std::int32_t range = std::min(high - low, 0x7FFFFFFE);
    return low + NextDraw() % (range + 1);
}

}  // namespace morvane
