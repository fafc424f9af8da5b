#include "core/shaping.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace morvane {
namespace {

struct Case {
    std::string input;
    std::string expected;
};

// Random texts from pieces that stress the character-wise walks: spaces,
// full-width spaces, lead bytes followed by a space, and lone lead bytes.
std::string RandomShapingText(std::mt19937& rng, int maxPieces) {
    static const std::string pieces[] = {"A", "7", " ", " ", "  ", "\xA1\xA1", "\xA1", "\xD6\xD0", "\xD6 ", "\x80", "\xFF", "?", "\t"};
    std::string text;
    const int n = std::uniform_int_distribution<int>(0, maxPieces)(rng);
    for (int i = 0; i < n; ++i) text += pieces[std::uniform_int_distribution<int>(0, std::size(pieces) - 1)(rng)];
    return text;
}

TEST(SplitIntoPairs, JoinsTwoBytePiecesWithSpacesThenTrimsTheEnd) {
    const Case cases[] = {
        {"ABCDEF", "AB CD EF"},
        {"ABCDE", "AB CD E"},
        {"41D6D0", "41 D6 D0"},
        {"A", "A"},
        {"", ""},
        {"ABC ", "AB C"},
        {" ABC", " A BC"},
        {"AB CD", "AB  C D"},
        {"A\xD6\xD0", "A\xD6 \xD0 "},  // D0 20 reads as one character, so no space is trimmed
        {std::string(41, ' '), ""},
        {"A" + std::string(60, ' '), "A"},
        {"AB" + std::string(30, '\xA1'), "AB"},  // pairs of A1 A1: full-width spaces all the way
        {"0123456789ABCDEF0123456789", "01 23 45 67 89 AB CD EF 01 23 45 67 89"},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitIntoPairs(c.input), c.expected) << "'" << c.input << "'";
}

TEST(SplitIntoPairs, MatchesTrimEndOfThePiecesJoinedWithSpaces) {
    std::mt19937 rng(2);
    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomShapingText(rng, round % 10 == 0 ? 120 : 30);
        std::string joined;
        for (std::size_t i = 0; i < text.size(); i += 2) joined += text.substr(i, 2) + " ";
        ASSERT_EQ(SplitIntoPairs(text), TrimEnd(joined)) << "'" << text << "'";
    }
}

TEST(RemoveSpaces, DeletesHalfWidthSpacesCharacterByCharacter) {
    const Case cases[] = {
        {"AB CD EF", "ABCDEF"},
        {" A B ", "AB"},
        {"A\xA1\xA1" "B", "A\xA1\xA1" "B"},
        {"", ""},
        {"A\xD6\xD0 \xD6 ", "A\xD6\xD0\xD6 "},  // the space after a lead byte is part of the character
        {"AB \xB0", "AB"},                       // a lone lead byte at the end goes
        {"01 23 45 67 89 AB CD EF 01 23 45 67", "0123456789ABCDEF01234567"},
    };
    for (const auto& c : cases) EXPECT_EQ(RemoveSpaces(c.input), c.expected) << "'" << c.input << "'";
    // A pair-split result stays as it is.
    EXPECT_EQ(RemoveSpaces(SplitIntoPairs("A\xD6\xD0")), "A\xD6 \xD0 ");
}

TEST(RemoveSpaces, MatchesReplacingEverySpaceWithNothing) {
    std::mt19937 rng(3);
    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomShapingText(rng, 40);
        ASSERT_EQ(RemoveSpaces(text), ReplaceText(text, " ", "")) << "'" << text << "'";
    }
}

TEST(HasInnerSpace, FindsAHalfWidthSpaceInsideTheTrimmedText) {
    const struct {
        std::string text;
        bool expected;
    } cases[] = {
        {"AB CD", true},
        {" ABCD ", false},
        {"ABCD", false},
        {"", false},
        {"AB\xA1\xA1" "CD", false},
        {"AB\tCD", false},
        {"\xA1\xA1" "AB CD\xA1\xA1", true},
        {"A\xD6 B", false},  // that space is the second byte of a character
        {"  \xA1\xA1  ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(HasInnerSpace(c.text), c.expected) << "'" << c.text << "'";
}

TEST(MergeSignatures, KeepsEqualBytesAndMarksEveryOtherPositionOfTheFirst) {
    const struct {
        std::string first, second, expected;
    } cases[] = {
        {"8B45FC", "8B45F8", "8B45F?"},
        {"8B 45 FC", "8B 45 F8", "8B 45 F?"},
        {"8B45", "8B", "8B??"},
        {"8B", "8B45FC", "8B"},
        {"", "8B", ""},
        {"8b", "8B", "8?"},
        {"8B45F?", "8B44F0", "8B4?F?"},
        {"\xD6\xD0", "\xD6\xD5", "\xD6?"},
        {"558BEC83EC08535657E8000000008B45FC", "558BEC83EC0C535657E8112233448B45F8",
         "558BEC83EC0?535657E8????????8B45F?"},
    };
    for (const auto& c : cases) EXPECT_EQ(MergeSignatures(c.first, c.second), c.expected) << c.first << " / " << c.second;
}

TEST(MergeSignatures, MatchesAByteWiseComparison) {
    std::mt19937 rng(4);
    auto randomSignature = [&] {
        std::string s(std::uniform_int_distribution<int>(0, 70)(rng), '0');
        for (char& c : s) c = "01?\xD6"[std::uniform_int_distribution<int>(0, 3)(rng)];
        return s;
    };
    for (int round = 0; round < 5000; ++round) {
        const std::string first = randomSignature(), second = randomSignature();
        std::string expected;
        for (std::size_t i = 0; i < first.size(); ++i) expected += i < second.size() && first[i] == second[i] ? first[i] : '?';
        ASSERT_EQ(MergeSignatures(first, second), expected) << first << " / " << second;
    }
}

}  // namespace
}  // namespace morvane
