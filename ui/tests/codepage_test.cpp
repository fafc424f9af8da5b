#include "ui/toolkit/codepage.h"

#include <gtest/gtest.h>

namespace morvane::ui {
namespace {

TEST(Codepage, TextCrossesTheWideBoundaryByteForByte) {
    const Text samples[] = {"", "AB", "\xD6\xD0\xCE\xC4", "\x81\x40", "A\r\nB\t\xB0\xA1", "\xA1\xA1 \xA3\xAC"};
    for (const Text& text : samples) {
        EXPECT_EQ(TextFromWide(WideFromText(text)), text);
    }
    EXPECT_EQ(WideFromText("\xD6\xD0"), L"\u4E2D");
    EXPECT_EQ(WideFromText("\x81\x40"), L"\u4E02");  // outside GB 2312, inside code page 936
}

TEST(Codepage, SourceLiteralsBecomeCodePage936) {
    EXPECT_EQ(Gbk("中a"), "\xD6\xD0" "a");
    EXPECT_EQ(Gbk("在你定位前有"), "\xD4\xDA\xC4\xE3\xB6\xA8\xCE\xBB\xC7\xB0\xD3\xD0");
    EXPECT_EQ(Gbk(""), "");
}

TEST(Codepage, PositionsMapBetweenBytesAndUtf16) {
    const Text text = "a\xD6\xD0" "b\xCE\xC4";  // a中b文
    const std::wstring wide = WideFromText(text);
    struct Case {
        int wide;
        int bytes;
    };
    for (const Case c : {Case{0, 0}, {1, 1}, {2, 3}, {3, 4}, {4, 6}, {9, 6}, {-1, 0}}) {
        EXPECT_EQ(ByteOffsetOfWideIndex(wide, c.wide), c.bytes) << "wide " << c.wide;
    }
    for (const Case c : {Case{0, 0}, {1, 1}, {1, 2}, {2, 3}, {3, 4}, {3, 5}, {4, 6}, {4, 40}, {0, -3}}) {
        EXPECT_EQ(WideIndexOfByteOffset(text, c.bytes), c.wide) << "bytes " << c.bytes;
    }
}

}  // namespace
}  // namespace morvane::ui
