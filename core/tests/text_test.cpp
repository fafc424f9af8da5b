#include "core/text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace morvane {
namespace {

constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();

const std::string kZhong = "\xD6\xD0";      // 中
const std::string kWideSpace = "\xA1\xA1";  // full-width space

TEST(TextSlicing, LeftRightMidCountBytesAndClampEveryCount) {
    struct Case {
        std::string t;
        std::int64_t start, n;  // start only for TextMid
        std::string left, right, mid;
    };
    const Case cases[] = {
        {"abc", 1, 0, "", "", ""},
        {"abc", 1, -1, "", "", ""},
        {"abc", 1, 5, "abc", "abc", "abc"},
        {"abc", 2, 2, "ab", "bc", "bc"},
        {"abc", 0, 1, "a", "c", ""},
        {"abc", 3, 5, "abc", "abc", "c"},
        {"abc", 4, 1, "a", "c", ""},
        {"abc", 2, 0, "", "", ""},
        {"abc", -1, 2, "ab", "bc", ""},
        {kZhong, 2, 1, "\xD6", "\xD0", "\xD0"},
        {"abc", kMin64, kMax64, "abc", "abc", ""},
        {"abc", kMax64, kMax64, "abc", "abc", ""},
        {"abc", 1, kMin64, "", "", ""},
        {"abc", 2, kMax64, "abc", "abc", "bc"},
        {"", 1, 3, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t + " start " + std::to_string(c.start) + " n " + std::to_string(c.n));
        EXPECT_EQ(TextLeft(c.t, c.n), c.left);
        EXPECT_EQ(TextRight(c.t, c.n), c.right);
        EXPECT_EQ(TextMid(c.t, c.start, c.n), c.mid);
    }
}

TEST(TextCodes, CharCodeIsTheSignExtendedByteOrZeroOutside) {
    struct Case {
        std::string t;
        std::int64_t pos;
        std::int32_t code;
    };
    const Case cases[] = {
        {"A", 1, 65},   {kZhong, 1, -42}, {kZhong, 2, -48}, {"ab", 3, 0},     {"ab", 0, 0},
        {"", 1, 0},     {"\x80", 1, -128}, {"\xFF", 1, -1},  {"\x7F", 1, 127}, {"ab", kMin64, 0},
        {"ab", kMax64, 0}, {"ab", -1, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(CharCode(c.t, c.pos), c.code) << c.t << " at " << c.pos;
    EXPECT_EQ(CharCode("A"), 65);
}

TEST(TextCodes, CountCharsCountsUnitsButNotALoneLeadByte) {
    EXPECT_EQ(CountChars(kZhong + "a"), 2);
    EXPECT_EQ(CountChars("ab\xB0"), 2);
    EXPECT_EQ(CountChars(""), 0);
    EXPECT_EQ(CountChars("\x80" "A"), 1);
    EXPECT_EQ(CountChars("\xFF" "\xFF" "\xFF"), 1);
    EXPECT_EQ(CountChars("a" + kZhong + kZhong + "b"), 4);
    EXPECT_EQ(TextLength(kZhong + "a"), 3);
}

TEST(TextCompare, BytesCompareUnsignedAndOnlyEqualityIsZero) {
    struct Case {
        std::string a, b;
        std::int32_t order;
    };
    const Case cases[] = {
        {"", "", 0},      {"abc", "abc", 0}, {"ab", "abc", -1}, {"abc", "ab", 1},
        {"\x80", "a", 1}, {"a", "\xFF", -1}, {"B", "a", -1},    {kZhong, kZhong, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareTextBytes(c.a, c.b), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(CompareText(c.a, c.b, true) == 0, c.order == 0);
    }
    EXPECT_EQ(CompareText("GetProcAddress", "GetProcAddress"), 0);
    EXPECT_NE(CompareText("GetProcAddress", "getprocaddress"), 0);
    // The case-blind form folds one-byte letters only, not second bytes of characters.
    EXPECT_EQ(CompareText("GetProc", "getPROC", false), 0);
    EXPECT_NE(CompareText("\xB0" "a", "\xB0" "A", false), 0);
    EXPECT_NE(CompareText("ab", "abc", false), 0);
}

TEST(TextConcat, JoinsInOrderAndEmptyPartsAddNothing) {
    EXPECT_EQ(ConcatText({"00", "D6"}), "00D6");
    EXPECT_EQ(ConcatText({"", "a", "", kZhong, "b"}), "a" + kZhong + "b");
    EXPECT_EQ(ConcatText({"", ""}), "");
}

TEST(TextSearch, FindTextMatchesOnlyWhereACharacterBegins) {
    struct Case {
        std::string t, sub;
        std::int32_t pos;
    };
    const Case cases[] = {
        {"a b", " ", 2},
        {"ab", " ", -1},
        {"ab", "", 1},
        {"", "", -1},
        {"", " ", -1},
        {"\xD6  ", " ", 3},                  // D6 20 is one unit
        {kZhong + "\xD0", "\xD0", -1},       // D6 D0 then a lone D0
        {"a\xB0", "\xB0", -1},               // a lone lead byte ends the walk
        {"\xD6\xD0\xD0\xD0", "\xD0\xD0", 3},  // the pair at 2 starts inside a unit
        {"aab", "ab", 2},
        {"ab", "abc", -1},
        {"x" + kZhong + "y", kZhong, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(FindText(c.t, c.sub), c.pos) << "'" << c.t << "' for '" << c.sub << "'";
}

TEST(TextTrim, OnlyHalfAndFullWidthSpacesAreTrimmed) {
    struct Case {
        std::string t, end, both;
    };
    const Case cases[] = {
        {kWideSpace + "a b" + kWideSpace + " ", kWideSpace + "a b", "a b"},
        {"\ta ", "\ta", "\ta"},
        {" a  ", " a", "a"},
        {"   ", "", ""},
        {kWideSpace + " " + kWideSpace, "", ""},
        {"a \xB0", "a ", "a "},                   // a lone lead byte goes, the space before it stays
        {"a\xA1 ", "a\xA1 ", "a\xA1 "},           // A1 20 is one unit and no space
        {"a\r\n", "a\r\n", "a\r\n"},
        {" \xA1", " ", ""},
        {"\xD6 ", "\xD6 ", "\xD6 "},              // the 20 is the second byte of a unit
        {"", "", ""},
        {"a" + kWideSpace + "b  ", "a" + kWideSpace + "b", "a" + kWideSpace + "b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrimEnd(c.t), c.end) << "'" << c.t << "'";
        EXPECT_EQ(TrimBoth(c.t), c.both) << "'" << c.t << "'";
    }
}

TEST(TextReplace, DeletesSpacesCharacterWise) {
    struct Case {
        std::string t, find, replacement, result;
    };
    const Case cases[] = {
        {"a b  c", " ", "", "abc"},
        {"a" + kWideSpace + "b", " ", "", "a" + kWideSpace + "b"},
        {"a\xB0", " ", "", "a"},                  // a lone lead byte at the end is dropped
        {"\xD6  ", " ", "", "\xD6 "},             // D6 20 is one unit
        {"", " ", "", ""},
        {"a b", "", "x", "a b"},
        {"a b\xB0", "", "x", "a b\xB0"},
        {"a,b,", ",", ";;", "a;;b;;"},
        {"aaa", "aa", "b", "ba"},
        {"ab\xB0", "xy", "", "ab\xB0"},           // too short for the find: kept as it is
        {kZhong + "\xD0\xD0", "\xD0\xD0", "-", kZhong + "-"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceText(c.t, c.find, c.replacement), c.result) << "'" << c.t << "' '" << c.find << "'";
}

TEST(TextSplit, KeepsEmptyPiecesButNotAnEmptyTail) {
    struct Case {
        std::string t, delimiter;
        TextList pieces;
    };
    const Case cases[] = {
        {"a,b,c", ",", {"a", "b", "c"}},
        {"a,,b", ",", {"a", "", "b"}},
        {",a", ",", {"", "a"}},
        {"a,b,", ",", {"a", "b"}},
        {",", ",", {""}},
        {",,", ",", {"", ""}},
        {"12,3}", ",", {"12", "3}"}},
        {"", ",", {}},
        {"a", ",", {"a"}},
        {"a,b", "", {"a,b"}},
        {"\xD6,a,b", ",", {"\xD6,a", "b"}},        // D6 2C is one unit
        {"a,\xB0", ",", {"a", "\xB0"}},            // the lone lead byte stays in the tail
        {"a::b:", "::", {"a", "b:"}},
    };
    for (const Case& c : cases) {
        const TextList pieces = SplitText(c.t, c.delimiter);
        EXPECT_EQ(pieces, c.pieces) << "'" << c.t << "'";
        EXPECT_EQ(ArrayCount(pieces), static_cast<std::int32_t>(c.pieces.size()));
    }
    EXPECT_EQ(ArrayCount(TextList{}), 0);
}

// Straightforward unit-by-unit readings of the character-wise operations, to
// hold the linear versions against on random texts.
namespace reference {

bool Lead(const std::string& t, std::size_t i) { return static_cast<unsigned char>(t[i]) >= 0x80; }

std::int32_t Find(const std::string& t, const std::string& sub) {
    if (sub.empty()) return t.empty() ? -1 : 1;
    for (std::size_t i = 0; i < t.size();) {
        if (Lead(t, i) && i + 1 == t.size()) return -1;
        if (t.size() - i < sub.size()) return -1;
        if (t.compare(i, sub.size(), sub) == 0) return static_cast<std::int32_t>(i + 1);
        i += Lead(t, i) ? 2 : 1;
    }
    return -1;
}

std::string Replace(const std::string& t, const std::string& find, const std::string& replacement) {
    if (t.empty() || find.empty()) return t;
    std::string out;
    std::size_t i = 0;
    while (i < t.size() && t.size() - i >= find.size()) {
        if (Lead(t, i) && i + 1 == t.size()) return out;
        if (t.compare(i, find.size(), find) == 0) {
            out += replacement;
            i += find.size();
        } else {
            const std::size_t n = Lead(t, i) ? 2 : 1;
            out += t.substr(i, n);
            i += n;
        }
    }
    return out + t.substr(i);
}

TextList Split(const std::string& t, const std::string& delimiter) {
    if (t.empty()) return {};
    if (delimiter.empty()) return {t};
    TextList pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < t.size();) {
        if (Lead(t, i) && i + 1 == t.size()) break;
        if (t.size() - i >= delimiter.size() && t.compare(i, delimiter.size(), delimiter) == 0) {
            pieces.push_back(t.substr(start, i - start));
            i += delimiter.size();
            start = i;
        } else {
            i += Lead(t, i) ? 2 : 1;
        }
    }
    if (start < t.size()) pieces.push_back(t.substr(start));
    return pieces;
}

}  // namespace reference

std::string RandomText(std::mt19937& rng, std::size_t maxLength) {
    // Few distinct bytes, so spaces, delimiters, lead bytes and repeats meet often.
    static const char kAlphabet[] = {' ', ',', 'a', '\xA1', '\xB0', '\xD0', '\x80', '\xFF'};
    std::string t(std::uniform_int_distribution<std::size_t>(0, maxLength)(rng), ' ');
    for (char& c : t) c = kAlphabet[std::uniform_int_distribution<std::size_t>(0, sizeof kAlphabet - 1)(rng)];
    return t;
}

TEST(TextProperties, CharacterWiseOperationsAgreeWithAUnitByUnitWalk) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 20000; ++round) {
        const std::string t = RandomText(rng, 14);
        const std::string pattern = RandomText(rng, 3);
        SCOPED_TRACE("'" + t + "' / '" + pattern + "'");
        ASSERT_EQ(FindText(t, pattern), reference::Find(t, pattern));
        ASSERT_EQ(ReplaceText(t, pattern, "<>"), reference::Replace(t, pattern, "<>"));
        ASSERT_EQ(SplitText(t, pattern), reference::Split(t, pattern));
    }
}

TEST(TextProperties, SplitPiecesJoinedGiveTheTextWithoutItsEmptyTail) {
    std::mt19937 rng(7);
    for (int round = 0; round < 5000; ++round) {
        std::string t = RandomText(rng, 16);
        // Plain ASCII with a lone lead byte at most at the end: every comma is a unit of its own.
        for (char& c : t)
            if (static_cast<unsigned char>(c) >= 0x80) c = 'x';
        if (round % 3 == 0) t += '\xB0';
        const TextList pieces = SplitText(t, ",");
        std::string joined;
        for (std::size_t i = 0; i < pieces.size(); ++i) joined += (i ? "," : "") + pieces[i];
        std::string expected = t;
        if (!expected.empty() && expected.back() == ',') expected.pop_back();
        ASSERT_EQ(joined, expected) << "'" << t << "'";
    }
}

TEST(TextProperties, TrimmedTextLosesOnlyEndSpacesOrALoneLeadByte) {
    std::mt19937 rng(11);
    // The start of the last unit of a unit walk, or npos.
    const auto lastUnit = [](const std::string& t) {
        std::size_t last = std::string::npos;
        for (std::size_t i = 0; i < t.size(); i += static_cast<unsigned char>(t[i]) >= 0x80 ? 2 : 1) last = i;
        return last;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string t = RandomText(rng, 12);
        const std::string end = TrimEnd(t), both = TrimBoth(t);
        SCOPED_TRACE("'" + t + "'");
        ASSERT_EQ(t.compare(0, end.size(), end), 0);
        ASSERT_LE(both.size(), end.size());
        ASSERT_EQ(end.compare(end.size() - both.size(), both.size(), both), 0);
        const std::size_t last = lastUnit(t);
        if (last != std::string::npos && last + 1 == t.size() && static_cast<unsigned char>(t[last]) >= 0x80) {
            ASSERT_EQ(end, t.substr(0, last));  // a lone lead byte goes, spaces before it stay
            continue;
        }
        for (const std::string& trimmed : {end, both}) {
            const std::size_t at = lastUnit(trimmed);
            if (at == std::string::npos) continue;
            ASSERT_NE(trimmed.substr(at), " ");
            ASSERT_NE(trimmed.substr(at), kWideSpace);
        }
    }
}

TEST(TextProperties, LargeTextsKeepEveryByteTheyShould) {
    // Several MiB through the linear paths: the result is still exact.
    std::string t;
    for (int i = 0; i < 400000; ++i) t += "ab " + kZhong + ",  ";
    const std::string noSpaces = ReplaceText(t, " ", "");
    EXPECT_EQ(noSpaces.size(), t.size() - 400000 * 3);
    EXPECT_EQ(noSpaces.find(' '), std::string::npos);
    EXPECT_EQ(ArrayCount(SplitText(t, ",")), 400001);
    EXPECT_EQ(TrimEnd(t).size(), t.size() - 2);
    EXPECT_EQ(CountChars(t), 400000 * 7);
}

}  // namespace
}  // namespace morvane
