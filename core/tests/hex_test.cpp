#include "core/hex.h"
#include "core/tests/byte_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace morvane {
namespace {

constexpr std::size_t K = kBytesPerEventPump;

using testing::B;

// Two characters in code page 936 bytes (this source file is UTF-8).
const std::string kZhong = "\xD6\xD0";  // U+4E2D
const std::string kKao = "\x81\x40";    // U+4E02

// The digit value rule, written out plainly as the reference for the decoders.
int ReferenceDigit(unsigned char c) {
    if (c >= 'a') return c - 87;
    if (c >= 'A') return c - 55;
    return c - 48;
}

std::string ReferenceDecode(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        int v = ReferenceDigit(static_cast<unsigned char>(hex[i]));
        if (i + 1 < hex.size()) v = 16 * v + ReferenceDigit(static_cast<unsigned char>(hex[i + 1]));
        out.push_back(static_cast<char>(v & 0xFF));
    }
    return out;
}

std::string ReferenceHex(std::string_view bytes) {
    std::string hex;
    char pair[3];
    for (unsigned char b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        hex += pair;
    }
    return hex;
}

// UTF-16LE of a code page 936 text from the platform's own converter; nothing
// when the text is not valid in that code page.
std::optional<std::string> ReferenceUtf16(std::string_view text) {
    if (text.empty()) return std::string();
#ifdef _WIN32
    const int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(), n);
    std::string bytes;
    for (wchar_t unit : wide) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return bytes;
#else
    iconv_t cd = iconv_open("UTF-16LE", "CP936");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(text), out(4 * text.size() + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
#endif
}

// Random GBK text from ranges every code page 936 table fills: ASCII
// (without 00), the first level of GB 2312 hanzi, and the two GBK hanzi
// extension blocks (without row FE, whose tail some tables leave empty).
std::string RandomGbkText(std::mt19937& rng, std::size_t characters) {
    std::string text;
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    auto pickTrail = [&](int low, int high) {
        int t;
        do t = pick(low, high); while (t == 0x7F);
        return t;
    };
    for (std::size_t i = 0; i < characters; ++i) {
        int lead = 0, trail = 0;
        switch (pick(0, 3)) {
            case 0: text.push_back(static_cast<char>(pick(1, 0x7F))); continue;
            case 1: lead = pick(0xB0, 0xD6), trail = pick(0xA1, 0xFE); break;
            case 2: lead = pick(0x81, 0xA0), trail = pickTrail(0x40, 0xFE); break;
            default: lead = pick(0xAA, 0xFD), trail = pickTrail(0x40, 0xA0); break;
        }
        text.push_back(static_cast<char>(lead));
        text.push_back(static_cast<char>(trail));
    }
    return text;
}

// Counts pumps and may ask the conversion to stop at one of them.
class ScriptedTies final : public WindowTies {
public:
    explicit ScriptedTies(long stopAtPump = 0) : stopAtPump_(stopAtPump) {}
    bool ProcessPendingEvents() override { return ++pumps != stopAtPump_; }
    void SetScratchText(std::string_view text) override { scratch.assign(text); }
    Text ScratchText() override { return scratch; }

    long pumps = 0;
    Text scratch = "stale";

private:
    long stopAtPump_;
};

struct Case {
    std::string input;
    std::string expected;
};

TEST(HexToInt64, ReadsTheLastSixteenBytesInTwoSeparateHalves) {
    const struct {
        std::string digits;
        std::int64_t expected;
    } cases[] = {
        {"41", 65},
        {"ff", 255},
        {"", 0},
        {"0123456789ABCDEF", 0x0123456789ABCDEF},
        {"FFFFFFFFFFFFFFFF", -1},
        {"10000000000000000", 0},
        {"123456789ABCDEF0F", 0x23456789ABCDEF0F},
        // A negative digit value wraps inside the low half only.
        {" ", 0xFFFFFFF0},
        // 'G' * 16^7 overflows the low half to 0 and carries nothing upward.
        {"1G0000000", std::int64_t{1} << 32},
        {"G000000000000000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HexToInt64(c.digits), c.expected) << "'" << c.digits << "'";
}

TEST(HexPairsToBytes, DecodesEveryPieceByTheDigitRule) {
    // Every ordered pair of byte values, twice: the result spans two pump
    // blocks, and with a one-byte last piece three.
    std::string hex;
    for (int round = 0; round < 2; ++round)
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b) hex += B({a, b});
    for (const std::string& input : {hex, hex + "7"}) {
        DetachedTies ties;
        const ByteSet bytes = HexPairsToBytes(input, ties);
        ASSERT_EQ(std::string(bytes.begin(), bytes.end()), ReferenceDecode(input));
    }
    // The one-byte last piece, for every byte value and at offsets on both
    // sides of where the bulk decoder hands over to the byte-wise one.
    for (int c = 0; c < 256; ++c) {
        for (std::size_t prefix : {0, 15, 16, 17, 33}) {
            DetachedTies ties;
            const std::string input = hex.substr(1000, 2 * prefix) + B({c});
            const ByteSet bytes = HexPairsToBytes(input, ties);
            ASSERT_EQ(std::string(bytes.begin(), bytes.end()), ReferenceDecode(input)) << c << " after " << prefix;
        }
    }
}

TEST(AnsiHexToText, ReadsPiecesOfTwoAndTurnsZeroBytesIntoLineFeeds) {
    const Case cases[] = {
        {"", ""},
        {"41", "A"},
        {"D6D0", kZhong},
        {"d6d0", kZhong},
        {"41D6D0", "A" + kZhong},
        {"414", B({0x41, 0x04})},
        {"4100", "A\n"},
        {"00", "\n"},
        {"4G", "P"},
        {"41 42", B({0x41, 0x04, 0x02})},
        {std::string(64, '0') + "41", std::string(32, '\n') + "A"},
        {B({0xD6, 0xD0}), "i"},  // (16 * 127 + 121) mod 256
    };
    for (const auto& c : cases) {
        DetachedTies ties;
        EXPECT_EQ(AnsiHexToText(c.input, ties), c.expected) << "'" << c.input << "'";
    }
}

TEST(TextToAnsiHex, GivesTwoUpperCaseDigitsPerByteAndLeavesThemInTheScratchBox) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte.push_back(static_cast<char>(b));
    const Case cases[] = {
        {"", ""},
        {"A", "41"},
        {kZhong, "D6D0"},
        {"A" + kZhong, "41D6D0"},
        {"A\tB", "410942"},
        {everyByte, ReferenceHex(everyByte)},
    };
    for (const auto& c : cases) {
        ScriptedTies ties;
        EXPECT_EQ(TextToAnsiHex(c.input, ties), c.expected);
        EXPECT_EQ(ties.scratch, c.expected);
        EXPECT_EQ(ties.pumps, 0) << "encoding handles no events";
    }
}

TEST(TextToUnicodeHex, ConvertsFromCodePage936AndGivesNothingForMalformedText) {
    const Case cases[] = {
        {"A", "4100"},
        {kZhong, "2D4E"},
        {"A" + kZhong, "41002D4E"},
        {"\n", "0A00"},
        {"", ""},
        {kKao, "024E"},  // in code page 936, not in GB 2312
        {"A" + kKao + "B", "4100024E4200"},
        {B({0x80}), "AC20"},      // the one-byte euro sign
        {B({0x41, 0xD6}), ""},    // a lone lead byte at the end
        {B({0xD6, 0xD0, 0x81}), ""},
        {B({0x81, 0x20, 0x41}), ""},  // a lead byte with no valid second byte
        {B({0xFF, 0x41}), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToUnicodeHex(c.input), c.expected) << ReferenceHex(c.input);
}

TEST(TextToUnicodeHex, AgreesWithThePlatformConverterOnArbitraryBytes) {
    ASSERT_EQ(ReferenceUtf16(kZhong), B({0x2D, 0x4E})) << "the reference converter must work";
    std::mt19937 rng(936);
    // Short texts of mostly high bytes, where lead bytes, pairs that are no
    // character and lone leads are common.
    const std::vector<int> mixed = {0x41, 0x20, 0x7F, 0x80, 0x81, 0x40, 0xA1, 0xA3, 0xB0, 0xD6, 0xD0, 0xFE, 0xFF, 0x30, 0xA0};
    // Longer texts in which any two of these bytes make a character, so that
    // long runs of lead bytes cross the 64-byte blocks of the converter.
    const std::vector<int> runs = {0xB0, 0xD6, 0xC1, 0x81, 0x81, 0xB0, 0x41, 0x40};
    for (int round = 0; round < 20000; ++round) {
        const bool longText = round % 4 == 0;
        const std::vector<int>& alphabet = longText ? runs : mixed;
        const int length = std::uniform_int_distribution<int>(1, longText ? 300 : 9)(rng);
        std::string text;
        for (int i = 0; i < length; ++i)
            text.push_back(static_cast<char>(alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)]));
        const auto reference = ReferenceUtf16(text);
        ASSERT_EQ(TextToUnicodeHex(text), reference ? ReferenceHex(*reference) : "") << ReferenceHex(text);
    }
}

TEST(UnicodeHexToText, DecodesCodeUnitsUpToTheFirstZeroUnit) {
    const Case cases[] = {
        {"4100", "A"},
        {"2D4E", kZhong},
        {"41002D4E", "A" + kZhong},
        {"41", ""},
        {"410042", "A"},
        {"410000004200", "A"},
        {"010E", "?"},
        {"024E", kKao},
        {"", ""},
    };
    for (const auto& c : cases) {
        DetachedTies ties;
        EXPECT_EQ(UnicodeHexToText(c.input, ties), c.expected) << "'" << c.input << "'";
    }
}

TEST(UnicodeHexToAnsiHex, GivesTheGbkHexOfTheSameTextAndLeavesItInTheScratchBox) {
    const Case cases[] = {
        {"41002D4E", "41D6D0"},
        {"4100", "41"},
        {"", ""},
    };
    for (const auto& c : cases) {
        ScriptedTies ties;
        EXPECT_EQ(UnicodeHexToAnsiHex(c.input, ties), c.expected);
        EXPECT_EQ(ties.scratch, c.expected);
    }
}

TEST(HexConversions, RoundTripRandomGbkTextsAgainstThePlatformConverter) {
    std::mt19937 rng(20240);
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomGbkText(rng, std::uniform_int_distribution<std::size_t>(0, 200)(rng));
        DetachedTies ties;
        const Text ansiHex = TextToAnsiHex(text, ties);
        ASSERT_EQ(ansiHex, ReferenceHex(text));
        ASSERT_EQ(AnsiHexToText(ansiHex, ties), text);

        const auto utf16 = ReferenceUtf16(text);
        ASSERT_TRUE(utf16.has_value()) << ReferenceHex(text);
        const Text unicodeHex = TextToUnicodeHex(text);
        ASSERT_EQ(unicodeHex, ReferenceHex(*utf16));
        ASSERT_EQ(UnicodeHexToText(unicodeHex, ties), text);
        ASSERT_EQ(UnicodeHexToAnsiHex(unicodeHex, ties), ansiHex);
        ASSERT_EQ(ties.scratch, ansiHex);
    }
}

TEST(DecodingConversions, PumpEventsOncePerBlockNotPerByte) {
    // Decoded lengths around the block size; one pump after every full block
    // that still has work behind it.
    const std::size_t lengths[] = {1, K - 1, K, K + 1, 3 * K + 5};
    for (std::size_t decoded : lengths) {
        const std::string hex(2 * decoded - decoded % 2, '4');
        ScriptedTies ties;
        const ByteSet bytes = HexPairsToBytes(hex, ties);
        EXPECT_EQ(bytes.size(), decoded);
        EXPECT_EQ(ties.pumps, static_cast<long>((decoded - 1) / K)) << decoded << " bytes";

        ScriptedTies textTies;
        EXPECT_EQ(AnsiHexToText(hex, textTies).size(), decoded);
        EXPECT_EQ(textTies.pumps, ties.pumps);
    }
}

TEST(DecodingConversions, StopWhenThePumpSaysTheResultIsNoLongerWanted) {
    const std::string hex(2 * (4 * K), 'A');
    ScriptedTies bytesTies(1);
    HexPairsToBytes(hex, bytesTies);
    EXPECT_EQ(bytesTies.pumps, 1);

    ScriptedTies textTies(2);
    AnsiHexToText(hex, textTies);
    EXPECT_EQ(textTies.pumps, 2);

    // A stopped UnicodeHexToAnsiHex does not go on to encode.
    ScriptedTies unicodeTies(1);
    UnicodeHexToAnsiHex(std::string(2 * (4 * K), '4'), unicodeTies);
    EXPECT_EQ(unicodeTies.pumps, 1);
    EXPECT_EQ(unicodeTies.scratch, "stale");
}

}  // namespace
}  // namespace morvane
