// The character-set conversion and the code page 936 text of UTF-16LE code
// units. The same cases hold on Linux (the C library's iconv) and on Windows
// (our own iconv layer and the system's code page).
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/encoding_steps.h"
#include "core/hex.h"
#include "core/platform.h"

namespace morvane {
namespace {

using namespace std::string_literals;

ByteSet Bytes(const std::string& s) { return ByteSet(s.begin(), s.end()); }

TEST(ConvertEncoding, WholeInputOrNothing) {
    struct Case {
        std::string input;
        const char* from;
        const char* to;
        std::string output;
    };
    const std::string none;
    const Case cases[] = {
        {"A\xD6\xD0", "GB2312", "UTF-16LE", "A\0\x2D\x4E"s},
        {"\n", "GB2312", "UTF-16LE", "\n\0"s},
        {"\xA2\xB1\xD7\xF9\xF7\xFE", "GB2312", "UTF-16LE", "\x88\x24\xA7\x5E\x44\x9F"},  // edges of filled rows
        {"", "GB2312", "UTF-16LE", none},
        {"A\x81\x40", "GB2312", "UTF-16LE", none},  // a GBK character outside GB 2312
        {"A\xD6", "GB2312", "UTF-16LE", none},      // cut off at the end
        {"\x80", "GB2312", "UTF-16LE", none},
        {"\xA1\x20", "GB2312", "UTF-16LE", none},
        {"\xD7\xFA", "GB2312", "UTF-16LE", none},   // past the end of its row
        {"\xAA\xA1", "GB2312", "UTF-16LE", none},   // a user-defined row
        {"\xA2\xA1", "GB2312", "UTF-16LE", none},   // a later addition in a GB 2312 row
        {"\xA6\xE0", "GB2312", "UTF-16LE", none},
        {"\xA8\xBB", "GB2312", "UTF-16LE", none},
        {"A\xD6\xD0", "gb2312", "utf-16le", "A\0\x2D\x4E"s},
        {"\x81\x40\xD6\xD0", "CP936", "UTF-16LE", "\x02\x4E\x2D\x4E"},
        {"\x80", "CP936", "UTF-16LE", "\xAC\x20"},
        {"\xA1\xA4", "CP936", "UTF-16LE", "\xB7\0"s},
        {"\x81\x20", "CP936", "UTF-16LE", none},
        {"\x81\x7F", "CP936", "UTF-16LE", none},
        {"A\x81", "CP936", "UTF-16LE", none},
        {"\xFF", "CP936", "UTF-16LE", none},
        {"A\0\x2D\x4E"s, "UTF-16LE", "UTF-16LE", "A\0\x2D\x4E"s},
        {"\x3D\xD8\x00\xDE"s, "UTF-16LE", "UTF-16LE", "\x3D\xD8\x00\xDE"s},  // a surrogate pair
        {"\x00\xDE"s, "UTF-16LE", "UTF-16LE", none},                        // a lone low surrogate
        {"\x3D\xD8\x41\x00"s, "UTF-16LE", "UTF-16LE", none},
        {"\x3D\xD8", "UTF-16LE", "UTF-16LE", none},
        {"A\0B"s, "UTF-16LE", "UTF-16LE", none},
        {"A", "NO-SUCH-SET", "UTF-16LE", none},
        {"A", "GB2312", "NO-SUCH-SET", none},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertEncoding(Bytes(c.input), c.from, c.to), Bytes(c.output))
            << "'" << c.input << "' " << c.from << " to " << c.to;
    EXPECT_EQ(ConvertEncoding(Bytes("A"), nullptr, "UTF-16LE"), ByteSet{});
}

TEST(ConvertEncoding, LongTextsNeedTheBufferToGrow) {
    const ByteSet ascii(100000, 'x');
    ByteSet doubled;
    for (std::uint8_t b : ascii) doubled.insert(doubled.end(), {b, 0});
    EXPECT_EQ(ConvertEncoding(ascii, "GB2312", "UTF-16LE"), doubled);

    ByteSet mixed, units;
    for (int i = 0; i < 50000; ++i) {
        mixed.insert(mixed.end(), {'A', 0xD6, 0xD0});
        units.insert(units.end(), {'A', 0, 0x2D, 0x4E});
    }
    EXPECT_EQ(ConvertEncoding(mixed, "GB2312", "UTF-16LE"), units);
    mixed.push_back(0x81);  // one bad byte at the very end spoils it all
    mixed.push_back(0x40);
    EXPECT_EQ(ConvertEncoding(mixed, "GB2312", "UTF-16LE"), ByteSet{});
}

TEST(ConvertEncoding, AcceptsExactlyTheCharactersOfGb2312) {
    // GB 2312 has 7445 characters; each converts alone to one code unit, and
    // the code page gives every one of them back. Two cells map to other
    // punctuation in the two tables and are left out of the round trip.
    int characters = 0;
    for (int lead = 0xA1; lead <= 0xFE; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const ByteSet cell{static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail)};
            const ByteSet unit = ConvertEncoding(cell, "GB2312", "UTF-16LE");
            if (unit.empty()) continue;
            ++characters;
            ASSERT_EQ(unit.size(), 2u) << std::hex << lead << trail;
            if (cell == ByteSet{0xA1, 0xA4} || cell == ByteSet{0xA1, 0xAA}) continue;
            ASSERT_EQ(Bytes(WideBytesToText(unit)), cell) << std::hex << lead << trail;
        }
    }
    EXPECT_EQ(characters, 7445);
}

// A conversion step that owes `total` output bytes and writes what fits each call.
struct FakeStep {
    explicit FakeStep(std::size_t owed, int failingCall = 0) : total(owed), failOnCall(failingCall) {}

    std::size_t total;
    int failOnCall;  // 0: never
    std::vector<std::size_t> roomPerCall;
    std::size_t written = 0;

    StepStop operator()(char*& in, std::size_t& inLeft, char*& out, std::size_t& outLeft) {
        roomPerCall.push_back(outLeft);
        const std::size_t n = std::min(outLeft, total - written);
        for (std::size_t i = 0; i < n; ++i) *out++ = static_cast<char>('a' + (written + i) % 26);
        outLeft -= n;
        written += n;
        if (static_cast<int>(roomPerCall.size()) == failOnCall) return StepStop::Failed;
        if (written < total) return StepStop::OutputFull;
        in += inLeft;
        inLeft = 0;
        return StepStop::Done;
    }
};

TEST(ConvertInSteps, GrowsByHalfTheInputPlus128AndKeepsWhatWasWritten) {
    FakeStep step{300};
    const ByteSet result = ConvertInSteps(ByteSet(100, 'x'), std::ref(step));
    // Room of 100 first, then 178 more each time the output fills.
    EXPECT_EQ(step.roomPerCall, (std::vector<std::size_t>{100, 178, 178}));
    ASSERT_EQ(result.size(), 300u);
    for (std::size_t i = 0; i < result.size(); ++i) ASSERT_EQ(result[i], 'a' + i % 26) << i;
}

TEST(ConvertInSteps, GivesUpAfterTwelveCalls) {
    const ByteSet input(10, 'x');
    const std::size_t roomAfterTwelve = 10 + 11 * (10 / 2 + 128);
    FakeStep fits{roomAfterTwelve};
    EXPECT_EQ(ConvertInSteps(input, std::ref(fits)).size(), roomAfterTwelve);
    EXPECT_EQ(fits.roomPerCall.size(), 12u);

    FakeStep tooBig{roomAfterTwelve + 1};
    EXPECT_EQ(ConvertInSteps(input, std::ref(tooBig)), ByteSet{});
    EXPECT_EQ(tooBig.roomPerCall.size(), 12u);
}

TEST(ConvertInSteps, AFailureDiscardsEverythingWritten) {
    FakeStep failsLate{300, 2};
    EXPECT_EQ(ConvertInSteps(ByteSet(100, 'x'), std::ref(failsLate)), ByteSet{});
    FakeStep neverCalled{10};
    EXPECT_EQ(ConvertInSteps({}, std::ref(neverCalled)), ByteSet{});
    EXPECT_TRUE(neverCalled.roomPerCall.empty());
}

// The iconv calling conventions ConvertEncoding relies on.
struct Outcome {
    std::size_t result;
    int error;
    std::size_t consumed, produced;
};

Outcome RunIconv(const char* from, const std::string& input, std::size_t room) {
    const iconv_t cd = iconv_open("UTF-16LE", from);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string in = input, out(room, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = room;
    errno = 0;
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    iconv_close(cd);
    return {result, result == static_cast<std::size_t>(-1) ? error : 0, in.size() - inLeft, room - outLeft};
}

TEST(Iconv, StopsAfterTheLastWholeCharacterWithTheReason) {
    const auto kFailed = static_cast<std::size_t>(-1);
    struct Case {
        const char* from;
        std::string input;
        std::size_t room;
        int error;
        std::size_t consumed, produced;
    };
    std::string longBad(20000, 'a');
    longBad.replace(12345, 2, "\x81\x40");
    const Case cases[] = {
        {"GB2312", "AB\xD6\xD0", 5, E2BIG, 2, 4},
        {"GB2312", "AB\xD6\xD0", 8, 0, 4, 6},
        {"GB2312", "A\x81\x40", 8, EILSEQ, 1, 2},
        {"GB2312", "A\xD6", 8, EINVAL, 1, 2},
        {"GB2312", longBad, 40000, EILSEQ, 12345, 24690},
        {"CP936", "A\x81", 8, EINVAL, 1, 2},
        {"CP936", "\x81\x40\x81\x20", 8, EILSEQ, 2, 2},
        {"UTF-16LE", "A\0\x3D\xD8\x00\xDE"s, 4, E2BIG, 2, 2},
        {"UTF-16LE", "A\0\x3D\xD8"s, 8, EINVAL, 2, 2},
        {"UTF-16LE", "A\0\x00\xDE"s, 8, EILSEQ, 2, 2},
    };
    for (const Case& c : cases) {
        const Outcome o = RunIconv(c.from, c.input, c.room);
        SCOPED_TRACE(std::string(c.from) + " '" + c.input.substr(0, 8) + "'");
        EXPECT_EQ(o.result == kFailed, c.error != 0);
        EXPECT_EQ(o.error, c.error);
        EXPECT_EQ(o.consumed, c.consumed);
        EXPECT_EQ(o.produced, c.produced);
    }
}

TEST(Iconv, UnknownNamesCannotBeOpened) {
    EXPECT_EQ(iconv_open("UTF-16LE", "NO-SUCH-SET"), reinterpret_cast<iconv_t>(-1));
    EXPECT_EQ(iconv_open("NO-SUCH-SET", "GB2312"), reinterpret_cast<iconv_t>(-1));
    const iconv_t cd = iconv_open("UTF-16LE", "GB2312");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    EXPECT_EQ(iconv(cd, nullptr, nullptr, nullptr, nullptr), 0u);  // nothing to flush
    EXPECT_EQ(iconv_close(cd), 0);
}

TEST(WideBytesToText, CodePage936TextUpToTheFirstZeroUnit) {
    const std::pair<std::string, std::string> cases[] = {
        {"A\0"s, "A"},
        {"\x2D\x4E", "\xD6\xD0"},
        {"A\0\x2D\x4E"s, "A\xD6\xD0"},
        {"A", ""},                                          // no whole code unit
        {"A\0B"s, "A"},                      // the odd last byte is ignored
        {"A\0\0\0B\0"s, "A"},                // a zero unit ends the text
        {"\0\0A\0"s, ""},
        {"\x01\x0E", "?"},                                  // a Thai letter
        {"\x3D\xD8\x00\xDE"s, "??"},                         // a pair outside the code page: each half
        {"\x3D\xD8" "A\0"s, "?A"},           // lone surrogates
        {"\x00\xDE" "A\0"s, "?A"},
        {"A\0\x3D\xD8"s, "A?"},
        {"\xFF\xFE" "A\0"s, "?A"},           // a byte-order mark is no character here
        {"\xAC\x20", "\x80"},
        {"\xE9\0"s, "\xA8\xA6"},
        {"", ""},
    };
    for (const auto& [units, text] : cases) EXPECT_EQ(WideBytesToText(Bytes(units)), text) << "'" << units << "'";
}

TEST(WideBytesToText, LongInputsConvertWhole) {
    ByteSet units;
    std::string expected;
    for (int i = 0; i < 300000; ++i) {
        units.insert(units.end(), {'A', 0, 0x2D, 0x4E, 0x01, 0x0E});
        expected += "A\xD6\xD0?";
    }
    EXPECT_EQ(WideBytesToText(units), expected);
}

#if defined(_WIN32)
TEST(WideBytesToText, ComposesBaseAndMarkWhereTheSystemDoes) {
    // e followed by a combining acute accent is the one character A8A6.
    EXPECT_EQ(WideBytesToText(Bytes("e\0\x01\x03"s)), "\xA8\xA6");
}
#endif

}  // namespace
}  // namespace morvane
