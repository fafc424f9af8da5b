#include "core/literal.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/hex.h"
#include "core/tests/byte_text.h"

namespace morvane {
namespace {

constexpr std::size_t K = kBytesPerEventPump;

using testing::B;

ByteSet Bytes(std::string_view s) { return ByteSet(s.begin(), s.end()); }

class ScriptedTies final : public WindowTies {
public:
    explicit ScriptedTies(long stopAtPump = 0) : stopAtPump_(stopAtPump) {}
    bool ProcessPendingEvents() override { return ++pumps != stopAtPump_; }
    void SetScratchText(std::string_view) override {}
    Text ScratchText() override { return {}; }

    long pumps = 0;

private:
    long stopAtPump_;
};

TEST(FormatByteSetLiteral, ListsDecimalValuesInBraces) {
    std::string everyValue = "{";
    ByteSet everyByte;
    for (int b = 0; b < 256; ++b) {
        everyByte.push_back(static_cast<std::uint8_t>(b));
        everyValue += std::to_string(b) + (b == 255 ? "}" : ",");
    }
    const struct {
        ByteSet bytes;
        std::string expected;
    } cases[] = {
        {Bytes("A"), "{65}"},
        {Bytes("\xD6\xD0"), "{214,208}"},
        {Bytes("A\xD6\xD0"), "{65,214,208}"},
        {Bytes("\n"), "{10}"},
        {{0xFF}, "{255}"},
        {{0x00, 0x07}, "{0,7}"},
        {{}, "{"},
        {everyByte, everyValue},
    };
    for (const auto& c : cases) {
        DetachedTies ties;
        EXPECT_EQ(FormatByteSetLiteral(c.bytes, ties), c.expected);
    }
}

TEST(ParseByteSetLiteral, DropsTheFirstByteAndReadsTheNumberAtTheStartOfEachItem) {
    const struct {
        std::string literal;
        std::string expected;
    } cases[] = {
        {"{65}", "A"},
        {"{65,214,208}", "A\xD6\xD0"},
        {"{", ""},
        {"", ""},
        {"{}", B({0})},
        {"{65,66,}", B({0x41, 0x42, 0})},
        {"{65,,66}", B({0x41, 0, 0x42})},
        {"{65,66,", "AB"},
        {"{65,66", "AB"},
        {"65,66}", B({5, 0x42})},
        {"[65,66]", "AB"},
        {"{256,65}", B({0, 0x41})},
        {"{300,-1,-191}", B({0x2C, 0xFF, 0x41})},
        {"{65, 66}", "AB"},
        {"{6 6,0x41}", B({6, 0})},
        {"\xA3\xFB" "65,66}", B({0, 0x42})},        // a full-width brace loses one byte only
        {"{65\xA3\xAC" "66}", "A"},                 // a full-width comma is no separator
        {"{\xA3\xB6\xA3\xB5}", "A"},                // full-width digits count
        {"{65,\xD6,66}", B({0x41, 0})},             // this comma is the second byte of a character
        {"{65,\xD6", B({0x41, 0})},                  // a lone lead byte stays in the last item
    };
    for (const auto& c : cases) {
        const ByteSet bytes = ParseByteSetLiteral(c.literal);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.expected) << "'" << c.literal << "'";
    }
}

TEST(ParseByteSetLiteral, MatchesSplittingAtCommasAndReadingEachItem) {
    // The reference: everything after the first byte, split at "," by
    // SplitText, each item read with ToByte.
    const std::string pieces[] = {"1", "25", "7", ",", ",", " ", "-", "}", "\xA3\xB1", "\xA3\xAC", "\xD6", "\xA1\xA1", "x"};
    std::mt19937 rng(1024);
    for (int round = 0; round < 5000; ++round) {
        std::string literal;
        const int length = std::uniform_int_distribution<int>(0, 14)(rng);
        for (int i = 0; i < length; ++i) literal += pieces[std::uniform_int_distribution<int>(0, std::size(pieces) - 1)(rng)];
        ByteSet expected;
        for (const Text& item : SplitText(TextMid(literal, 2, TextLength(literal) - 1), ",")) expected.push_back(ToByte(item));
        ASSERT_EQ(ParseByteSetLiteral(literal), expected) << "'" << literal << "'";
    }
}

TEST(ByteSetLiteral, RandomTextsGoThereAndBack) {
    std::mt19937 rng(65);
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 300)(rng);
        for (int i = 0; i < length; ++i) text.push_back(static_cast<char>(std::uniform_int_distribution<int>(1, 255)(rng)));
        DetachedTies ties;
        const Text literal = FormatByteSetLiteral(ToByteSet(text), ties);
        ASSERT_EQ(ToText(ParseByteSetLiteral(literal)), text) << literal;
    }
}

TEST(FormatByteSetLiteral, PumpsOncePerBlockAndStopsWhenAskedTo) {
    const ByteSet bytes(3 * K + 5, 0x41);
    ScriptedTies ties;
    const Text literal = FormatByteSetLiteral(bytes, ties);
    EXPECT_EQ(ties.pumps, 3);
    EXPECT_EQ(literal.size(), 3 * bytes.size() + 1);
    EXPECT_EQ(literal.back(), '}');

    ScriptedTies stopping(1);
    FormatByteSetLiteral(bytes, stopping);
    EXPECT_EQ(stopping.pumps, 1);
}

}  // namespace
}  // namespace morvane
