#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <thread>
#include <vector>

#include "core/bytes.h"

namespace morvane {
namespace {

// With low 0 and high 32767 a draw is returned as it is.
std::vector<std::int32_t> Draws(int n) {
    std::vector<std::int32_t> draws;
    for (int i = 0; i < n; ++i) draws.push_back(RandomInt(0, 0x7FFF));
    return draws;
}

TEST(Random, DrawsFollowTheClassicGenerator) {
    SeedRandom(1u);
    EXPECT_EQ(Draws(5), (std::vector<std::int32_t>{41, 18467, 6334, 26500, 19169}));
    // The state wraps at 32 bits: 0xFFFFFFFF * 214013 + 2531011 = 2316998 (mod 2^32).
    SeedRandom(0xFFFFFFFFu);
    EXPECT_EQ(Draws(1), (std::vector<std::int32_t>{(2316998 >> 16) & 0x7FFF}));
}

TEST(Random, RandomIntReducesTheDrawIntoTheBounds) {
    SeedRandom(1u);
    EXPECT_EQ(RandomInt(1, 256), 1 + 41 % 256);
    EXPECT_EQ(RandomInt(1, 256), 1 + 18467 % 256);
    EXPECT_EQ(RandomInt(9, 3), 3 + 6334 % 7);  // bounds swapped
    EXPECT_EQ(RandomInt(-4, 2), 26500 % 3);    // negative bounds raised to 0
    EXPECT_EQ(RandomInt(5, 5), 5);
    EXPECT_EQ(RandomInt(-7, -2), 0);
    // A full-width range: draws are below 32768, so the result is low + draw.
    EXPECT_EQ(RandomInt(0, 0x7FFFFFFF), 19169);
    EXPECT_EQ(Draws(1), (std::vector<std::int32_t>{15724}));  // equal bounds took no draw
}

TEST(Random, RandomIntStaysInItsBoundsAndCoversThem) {
    SeedRandom();
    std::set<std::int32_t> seen;
    for (int i = 0; i < 20000; ++i) {
        const std::int32_t v = RandomInt(1, 256);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 256);
        seen.insert(v);
        const std::int32_t w = RandomInt(0x7FFFFFF0, 0x7FFFFFFF);
        ASSERT_GE(w, 0x7FFFFFF0);
    }
    EXPECT_EQ(seen.size(), 256u);
}

TEST(Random, SeedingInTheSameMillisecondGivesDifferentSeeds) {
    const std::uint32_t first = SeedRandomAt(1000);
    const std::uint32_t second = SeedRandomAt(1000);
    // The offset moved on by the low byte of the first seed plus 100.
    EXPECT_EQ(second - first, (first & 0xFF) + 100);
    const std::uint32_t third = SeedRandomAt(0xFFFFFFFFu);  // tick plus offset wraps
    EXPECT_EQ(third - 0xFFFFFFFFu, (second - 1000) + (second & 0xFF) + 100);
    // The seed it reports is the generator state it set.
    const std::uint32_t seed = SeedRandomAt(1000);
    const std::vector<std::int32_t> drawn = Draws(3);
    SeedRandom(seed);
    EXPECT_EQ(Draws(3), drawn);
}

TEST(Random, EachThreadHasItsOwnGenerator) {
    SeedRandom(1u);
    std::vector<std::int32_t> other;
    std::thread([&other] {
        SeedRandom(2u);
        other = Draws(2);
    }).join();
    EXPECT_EQ(Draws(1), (std::vector<std::int32_t>{41}));
    SeedRandom(2u);
    EXPECT_EQ(Draws(2), other);
}

}  // namespace
}  // namespace morvane
