// The main window as built: frame, control table, fonts, initial state.
#include <windows.h>
#include <commctrl.h>

#include "ui/tests/gui_support.h"
#include "ui/tests/main_window_fixture.h"
#include "ui/toolkit/dpi.h"

namespace morvane::ui::testing {
namespace {

using LayoutTest = MainWindowTest;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

LOGFONTW FontOf(HWND hwnd) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST_F(LayoutTest, FrameIsFixedCentredAndTitled) {
    ExpectFixedCentredFrame(window->hwnd(), L"Morvane  by Ziltro", 516, 232);
}

TEST_F(LayoutTest, EveryControlStandsAtItsPlaceWithItsCaption) {
    struct Row {
        const char* name;
        const wchar_t* windowClass;
        RECT place;  // left, top, width, height
        const char* caption;
    };
    const Row table[] = {
        {"透明标签_原文", L"Static", {13, 2, 38, 32}, "原文："},
        {"编辑框1", L"Edit", {56, 6, 304, 48}, ""},
        {"透明标签_原文字符数量", L"Static", {16, 28, 24, 16}, "0"},
        {"透明标签_结果", L"Static", {13, 56, 38, 32}, "结果："},
        {"编辑框2", L"Edit", {56, 60, 304, 48}, ""},
        {"透明标签_结果字符数量", L"Static", {16, 80, 24, 16}, "0"},
        {"按钮_原文22分开", L"Button", {364, 5, 72, 24}, "原文22分开"},
        {"按钮_原文去空格", L"Button", {364, 28, 72, 24}, "原文去空格"},
        {"按钮_结果去空格", L"Button", {365, 61, 72, 24}, "结果去空格"},
        {"选择框_结果22分开", L"Button", {365, 87, 104, 24}, "结果22分开"},
        {"按钮_清空", L"Button", {448, 6, 32, 104}, "清空"},
        {"选择框_窗口置顶", L"Button", {488, 0, 16, 16}, ""},
        {"透明标签_窗口置顶", L"Static", {490, 16, 16, 69}, "窗口置顶"},
        {"按钮_文本到字节集", L"Button", {15, 122, 80, 24}, "文本到字节集"},
        {"按钮_字节集到文本", L"Button", {15, 146, 80, 24}, "字节集到文本"},
        {"单选框_文本到Ascii", L"Button", {112, 122, 96, 24}, "文本到Ascii"},
        {"单选框_Ascii到文本", L"Button", {112, 146, 96, 24}, "Ascii到文本"},
        {"单选框_文本到Unicode", L"Button", {197, 122, 104, 24}, "文本到Unicode"},
        {"单选框_Unicode到文本", L"Button", {197, 146, 104, 24}, "Unicode到文本"},
        {"单选框_Ascii到Unicode", L"Button", {300, 122, 120, 24}, "Ascii到Unicode"},
        {"单选框_Unicode到Ascii", L"Button", {300, 146, 120, 24}, "Unicode到Ascii"},
        {"按钮_打开计算器", L"Button", {419, 122, 80, 24}, "打开计算器"},
        {"按钮_对比特征码", L"Button", {419, 145, 80, 24}, "对比特征码"},
        {"编辑框_临时", L"Edit", {200, 48, 24, 20}, ""},
    };
    for (const Row& row : table) {
        Control& control = at(row.name);
        ASSERT_NE(control.hwnd(), nullptr) << row.name;
        EXPECT_EQ(ClassOf(control.hwnd()), row.windowClass) << row.name;
        const RECT place = PlaceInParent(control.hwnd());
        EXPECT_EQ(place.left, row.place.left) << row.name;
        EXPECT_EQ(place.top, row.place.top) << row.name;
        EXPECT_EQ(place.right - place.left, row.place.right) << row.name;
        EXPECT_EQ(place.bottom - place.top, row.place.bottom) << row.name;
        EXPECT_EQ(control.text(), Gbk(row.caption)) << row.name;
        const bool scratch = control.name() == "编辑框_临时";
        EXPECT_EQ(control.visible(), !scratch) << row.name;
        EXPECT_EQ(control.disabled(), control.name() == "选择框_结果22分开" ? 1 : 0) << row.name;
    }
}

TEST_F(LayoutTest, KindsAndEditSettings) {
    const auto buttonType = [](std::string_view name) { return GetWindowLongW(at(name).hwnd(), GWL_STYLE) & BS_TYPEMASK; };
    EXPECT_EQ(buttonType("按钮_清空"), BS_PUSHBUTTON);
    EXPECT_EQ(buttonType("选择框_结果22分开"), BS_CHECKBOX);
    EXPECT_EQ(buttonType("选择框_窗口置顶"), BS_CHECKBOX);
    for (std::string_view radio : kModeRadios) {
        EXPECT_EQ(buttonType(radio), BS_RADIOBUTTON);
        EXPECT_EQ(at(radio).checked(), 0);
    }
    for (const char* box : {"编辑框1", "编辑框2"}) {
        const LONG style = GetWindowLongW(at(box).hwnd(), GWL_STYLE);
        EXPECT_TRUE(style & ES_MULTILINE) << box;
        EXPECT_TRUE(style & ES_WANTRETURN) << box;
        EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL)) << box;
        EXPECT_FALSE(style & ES_NOHIDESEL) << box;
        EXPECT_TRUE(GetWindowLongW(at(box).hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << box;
    }
    EXPECT_FALSE(GetWindowLongW(at("编辑框_临时").hwnd(), GWL_STYLE) & ES_MULTILINE);
    // No length limit on any box.
    for (const char* box : {"编辑框1", "编辑框2", "编辑框_临时"}) {
        EXPECT_GE(SendMessageW(at(box).hwnd(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << box;
    }
}

TEST_F(LayoutTest, EnterBreaksTheLineInBothBoxes) {
    for (const char* box : {"编辑框1", "编辑框2"}) {
        at(box).setText("");
        Focus(*window, at(box));
        PressKeys({'A'});
        PressKeys({VK_RETURN});
        PressKeys({'B'});
        EXPECT_TRUE(PumpUntil([&] { return at(box).text() == "a\r\nb"; })) << box << ": " << at(box).text();
    }
}

TEST_F(LayoutTest, FontsFollowTheTable) {
    struct Row {
        const char* name;
        int height;
        int weight;
    };
    const Row table[] = {
        {"透明标签_原文", -14, FW_BOLD},       {"透明标签_结果", -14, FW_BOLD},
        {"透明标签_原文字符数量", -12, FW_BOLD}, {"透明标签_结果字符数量", -12, FW_BOLD},
        {"透明标签_窗口置顶", -12, FW_NORMAL},  {"编辑框1", -15, FW_NORMAL},
        {"编辑框2", -15, FW_NORMAL},
    };
    for (const Row& row : table) {
        const LOGFONTW font = FontOf(at(row.name).hwnd());
        EXPECT_EQ(font.lfHeight, row.height) << row.name;
        EXPECT_EQ(font.lfWeight, row.weight) << row.name;
        EXPECT_STREQ(font.lfFaceName, L"微软雅黑") << row.name;
    }
    const LONG dialogHeight = DialogFontForDpi(96).lfHeight;
    for (const char* name : {"按钮_清空", "选择框_结果22分开", "单选框_文本到Ascii", "状态条"}) {
        EXPECT_EQ(FontOf(at(name).hwnd()).lfHeight, dialogHeight) << name;
    }
}

TEST_F(LayoutTest, StatusBarHasTwoPartsWithTheirInitialTexts) {
    Control& bar = at("状态条");
    EXPECT_EQ(bar.partText(0), Gbk("在你定位前有0个字符，去空格后定位前有0个字符"));
    EXPECT_EQ(bar.partText(1), Gbk("选中了0个字符"));
    int edges[3] = {};
    ASSERT_EQ(SendMessageW(bar.hwnd(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 400);
    EXPECT_EQ(edges[1], -1);
    RECT client;
    GetClientRect(window->hwnd(), &client);
    const RECT place = PlaceInParent(bar.hwnd());
    EXPECT_EQ(place.bottom, client.bottom);
    EXPECT_EQ(place.bottom - place.top, 20);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.right, client.right);
}

TEST_F(LayoutTest, CreatedHandlerStartsTheHalfSecondTimer) {
    EXPECT_EQ(at("时钟_是否22分开").period(), 500);
}

TEST_F(LayoutTest, LaysOutTheSameAtOneHundredFiftyPercent) {
    SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    const RECT clear = PlaceInParent(at("按钮_清空").hwnd());
    EXPECT_EQ(clear.left, 672);
    EXPECT_EQ(clear.bottom - clear.top, 156);
    EXPECT_EQ(FontOf(source().hwnd()).lfHeight, -23);
    int edges[2] = {};
    SendMessageW(at("状态条").hwnd(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 600);
    RECT client;
    GetClientRect(window->hwnd(), &client);
    EXPECT_EQ(PlaceInParent(at("状态条").hwnd()).bottom, client.bottom);
    EXPECT_EQ(PlaceInParent(at("状态条").hwnd()).bottom - PlaceInParent(at("状态条").hwnd()).top, 30);
    // Everything still fits: the frame grew with the DPI.
    EXPECT_GE(client.right, PlaceInParent(at("透明标签_窗口置顶").hwnd()).right);
    EXPECT_GE(PlaceInParent(at("状态条").hwnd()).top, PlaceInParent(at("单选框_Unicode到Ascii").hwnd()).bottom);
    SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
    EXPECT_EQ(PlaceInParent(at("按钮_清空").hwnd()).left, 448);
}

}  // namespace
}  // namespace morvane::ui::testing
