#include "core/bytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace morvane {
namespace {

constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

TEST(ByteSets, RightTakesTheLastBytesAndClampsTheCount) {
    const ByteSet b{1, 2, 3};
    const std::pair<std::int64_t, ByteSet> cases[] = {
        {2, {2, 3}}, {5, {1, 2, 3}}, {3, {1, 2, 3}}, {-1, {}}, {0, {}}, {kMin64, {}}, {kMax64, {1, 2, 3}},
    };
    for (const auto& [n, right] : cases) EXPECT_EQ(ByteSetRight(b, n), right) << n;
    EXPECT_EQ(ByteSetRight({}, 4), ByteSet{});
}

TEST(ByteSets, BlankAndRepeatMakeNothingForCountsOutOfRange) {
    EXPECT_EQ(BlankByteSet(3), (ByteSet{0, 0, 0}));
    EXPECT_EQ(RepeatByteSet(16, {0x30}), ByteSet(16, 0x30));
    EXPECT_EQ(RepeatByteSet(3, {1, 2}), (ByteSet{1, 2, 1, 2, 1, 2}));
    for (const std::int64_t n : {std::int64_t{0}, std::int64_t{-1}, kMin64, kMax64, kMax32 + 1}) {
        EXPECT_EQ(BlankByteSet(n), ByteSet{}) << n;
        EXPECT_EQ(RepeatByteSet(n, {0x30}), ByteSet{}) << n;
    }
    // The repeated length would pass the 32-bit limit even though the count does not.
    EXPECT_EQ(RepeatByteSet(kMax32 / 2 + 1, {1, 2}), ByteSet{});
    EXPECT_EQ(RepeatByteSet(5, {}), ByteSet{});
}

TEST(ByteSets, ConcatJoinsInOrderAndAbsentPartsAreEmpty) {
    const ByteSet a{1}, b{2, 0, 3}, none;
    EXPECT_EQ(ConcatByteSets({&a, &b, &a}), (ByteSet{1, 2, 0, 3, 1}));
    EXPECT_EQ(ConcatByteSets({&none, nullptr, &a}), ByteSet{1});
    EXPECT_EQ(ConcatByteSets({&none, nullptr}), ByteSet{});
    EXPECT_EQ(ByteSetLength(b), 3);
    EXPECT_EQ(ByteSetLength({}), 0);
}

TEST(ByteSets, TextConversionsStopAtTheFirstZeroByte) {
    EXPECT_EQ(ReadValue({0x41, 0x42, 0x00, 0x43}, 10), "AB");
    EXPECT_EQ(ReadValue({}, 10), "");
    EXPECT_EQ(ReadValue({0x00, 0x41}, 10), "");
    EXPECT_EQ(ReadValue({0xD6, 0xD0}, 10), "\xD6\xD0");
    EXPECT_EQ(ReadValue({0x41}, 3), "");  // only type code 10 reads a text
    EXPECT_EQ(ToText(ByteSet{0x41, 0x00, 0x42}), "A");
    EXPECT_EQ(ToText(ByteSet{}), "");
    EXPECT_EQ(ToByteSet("A\xD6\xD0"), (ByteSet{0x41, 0xD6, 0xD0}));
    EXPECT_EQ(ToByteSet(""), ByteSet{});
    EXPECT_EQ(ToByteSet(std::uint8_t{0}), ByteSet{0});
}

TEST(MemoryFile, InsertedPiecesReadBackInOrder) {
    MemoryFile file;
    for (const char* piece : {"{", "65", ",", "214", "}"}) file.InsertText(piece);
    file.InsertText("");
    file.SeekToStart();
    EXPECT_EQ(file.ReadText(), "{65,214}");
}

TEST(MemoryFile, InsertAtThePositionMovesTheRestAlong) {
    MemoryFile file;
    file.InsertText("world");
    file.SeekToStart();
    file.InsertText("hello ");
    EXPECT_EQ(file.ReadText(), "world");  // read from the position, after the insert
    file.SeekToStart();
    EXPECT_EQ(file.ReadText(), "hello world");
}

TEST(MemoryFile, ReadingStopsAtZeroOrSubstituteAndDropsALeadByteBeforeZero) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string("ab\0cd", 5), "ab"},
        {"ab\x1A" "cd", "ab"},
        {std::string("a\xB0\0c", 4), "a"},
        {std::string("\xD6\xD0\0", 3), "\xD6\xD0"},
        {"a\xB0\x1A", "a\xB0"},
        {"a\xB0", "a\xB0"},
    };
    for (const auto& [content, read] : cases) {
        MemoryFile file;
        file.InsertText(content);
        file.SeekToStart();
        EXPECT_EQ(file.ReadText(), read);
    }
}

TEST(MemoryFile, ManyMegabytesAccumulateExactly) {
    MemoryFile file;
    std::string expected;
    for (int i = 0; i < 300000; ++i) {
        const std::string piece = std::to_string(i % 256) + ",";
        file.InsertText(piece);
        expected += piece;
    }
    file.SeekToStart();
    EXPECT_EQ(file.ReadText(), expected);
}

}  // namespace
}  // namespace morvane
