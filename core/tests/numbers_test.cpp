#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "core/bytes.h"

namespace morvane {
namespace {

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();

TEST(NumbersAsText, DecimalAndUpperCaseHexWithoutPadding) {
    EXPECT_EQ(ToText(-5), "-5");
    EXPECT_EQ(ToText(0), "0");
    EXPECT_EQ(ToText(kMin32), "-2147483648");
    EXPECT_EQ(ToText(kMax32), "2147483647");
    EXPECT_EQ(ToText(std::uint8_t{200}), "200");
    EXPECT_EQ(ToText(std::uint8_t{255}), "255");
    EXPECT_EQ(ToText(std::uint8_t{0}), "0");

    const std::pair<std::int32_t, const char*> hex[] = {
        {0, "0"}, {10, "A"}, {255, "FF"}, {-42, "FFFFFFD6"}, {-1, "FFFFFFFF"}, {kMin32, "80000000"}, {0x0ABCDEF0, "ABCDEF0"},
    };
    for (const auto& [value, text] : hex) EXPECT_EQ(HexText(value), text) << value;
}

TEST(TextAsNumbers, ToByteReadsTheNarrowedDecimalPrefixModulo256) {
    const std::pair<std::string, int> cases[] = {
        {"12}", 12},
        {"300", 44},
        {"-1", 255},
        {"256", 0},
        {" 7", 7},
        {"+5", 5},
        {"x1", 0},
        {"", 0},
        {"\xA3\xB1\xA3\xB2", 12},         // full-width digits
        {"\t7", 7},
        {"\n\v\f\r 7", 7},
        {"\xA1\xA1" "7", 7},              // a full-width space is skipped like a space
        {"1 2", 1},
        {"\xA3\xAD" "5", 251},            // full-width minus
        {"--5", 0},
        {"+-5", 0},
        {"- 5", 0},
        {"\xB0", 0},
        {"65\xB0", 65},
        {"4294967297", 1},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ToByte(text), value) << "'" << text << "'";

    EXPECT_EQ(ToByte(std::int64_t{0x1234}), 0x34);
    EXPECT_EQ(ToByte(std::int64_t{-1}), 255);
    EXPECT_EQ(ToByte(kMin64), 0);
    EXPECT_EQ(ToByte(kMax64), 255);
}

TEST(TextAsNumbers, ToIntWrapsAt32Bits) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"4294967297", 1},
        {"-5", -5},
        {"2147483647", kMax32},
        {"2147483648", kMin32},
        {"-2147483648", kMin32},
        {"4294967295", -1},
        {"-4294967295", 1},
        {"00000000000000000000042", 42},
        {"\xA3\xAD\xA3\xB1\xA3\xB0", -10},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ToInt(text), value) << "'" << text << "'";
    EXPECT_EQ(ParseLeadingInt("\xA3\xB1"), 0);  // no narrowing of its own
}

TEST(TextAsNumbers, NarrowFullWidthWalksByUnits) {
    const std::pair<std::string, std::string> cases[] = {
        {"\xA3\xA1\xA3\xFE", "!~"},
        {"\xA3\xB0\xA3\xB9", "09"},
        {"\xA1\xA1\xA1\xAB\xA1\xEE\xA1\xEF", " ~**"},
        {"\xA3\xA0\xA3\xFF\xA1\xA2", "\xA3\xA0\xA3\xFF\xA1\xA2"},  // outside the full-width forms
        {"a\xB0", "a"},                                            // a lone lead byte is dropped
        {"\xD6\xA3\xB1", "\xD6\xA3"},                              // D6 A3 is a unit; B1 is then alone
        {"\xD6\xD0\xA3\xB1", "\xD6\xD0" "1"},
        {"", ""},
    };
    for (const auto& [text, narrow] : cases) EXPECT_EQ(NarrowFullWidth(text), narrow) << "'" << text << "'";
}

// The decimal prefix read with arithmetic modulo 256 only, which agrees with
// reading modulo 2^32 and keeping the low 8 bits.
int ReferenceByte(const std::string& ascii) {
    std::size_t i = 0;
    while (i < ascii.size() && (ascii[i] == ' ' || (ascii[i] >= '\t' && ascii[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
    int value = 0;
    for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) value = (value * 10 + (ascii[i] - '0')) % 256;
    return negative ? (256 - value) % 256 : value;
}

TEST(TextAsNumbers, ToByteAgreesWithAReferenceReadingOnRandomTexts) {
    // Each piece is one character: its ASCII reading, and how it may be written.
    struct Piece {
        char ascii;
        std::string written;
    };
    std::vector<Piece> pieces = {{' ', " "}, {' ', "\xA1\xA1"}, {'\t', "\t"}, {'+', "+"}, {'-', "-"},
                                 {'-', "\xA3\xAD"}, {'x', "x"}, {'}', "}"}, {'?', "\xD6\xD0"}};
    for (char d = '0'; d <= '9'; ++d) {
        pieces.push_back({d, std::string(1, d)});
        pieces.push_back({d, std::string(1, d)});
        pieces.push_back({d, std::string{'\xA3', static_cast<char>(d + 0x80)}});
    }
    std::mt19937 rng(3);
    for (int round = 0; round < 20000; ++round) {
        std::string ascii, written;
        const int length = std::uniform_int_distribution<int>(0, 16)(rng);
        for (int k = 0; k < length; ++k) {
            const Piece& p = pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
            ascii += p.ascii;
            written += p.written;
        }
        ASSERT_EQ(ToByte(written), ReferenceByte(ascii)) << "'" << written << "'";
        ASSERT_EQ(static_cast<std::uint8_t>(ToInt(written)), ToByte(written));
    }
}

TEST(Arithmetic, TruncToIntRoundsTowardZeroAndSaturates) {
    const std::pair<double, std::int64_t> cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {-0.0, 0},
        {0.5, 0},
        {4294967297.5, 4294967297},
        {9223372036854774784.0, 9223372036854774784},  // the largest double below 2^63
        {-9223372036854775808.0, kMin64},
        {9223372036854775808.0, kMax64},
        {1e300, kMax64},
        {-1e300, kMin64},
        {std::numeric_limits<double>::infinity(), kMax64},
        {-std::numeric_limits<double>::infinity(), kMin64},
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {-std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& [x, result] : cases) EXPECT_EQ(TruncToInt(x), result) << x;
}

TEST(Arithmetic, PowersOfSixteenAreExact) {
    double expected = 1;
    for (int k = 0; k <= 7; ++k, expected *= 16) EXPECT_EQ(Power(16.0, k), expected);
    EXPECT_EQ(Power(2.0, -1.0), 0.5);
    EXPECT_TRUE(std::isnan(Power(-8.0, 0.5)));
}

}  // namespace
}  // namespace morvane
