// The buttons, check boxes, status feedback and Ctrl+A of the main window.
#include "ui/compare_window.h"
#include "ui/tests/gui_support.h"
#include "ui/tests/main_window_fixture.h"

namespace morvane::ui::testing {
namespace {

using MainCommands = MainWindowTest;

BOOL CALLBACK CountCompareWindows(HWND hwnd, LPARAM count) {
    wchar_t title[32] = {};
    GetWindowTextW(hwnd, title, 32);
    if (std::wstring_view(title) == L"对比特征码") ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(MainCommands, SourceShapingCommandsHonourTheirGuards) {
    struct Case {
        const char* button;
        Text before;
        Text after;
    };
    const Case cases[] = {
        {"按钮_原文22分开", "ABCDEF", "AB CD EF"},
        {"按钮_原文22分开", "AB CD", "AB CD"},  // already has inner spaces: nothing happens
        {"按钮_原文22分开", " ABC ", " A BC"},  // spaces at the ends do not count
        {"按钮_原文去空格", " AB ", " AB "},    // no inner space: nothing happens
        {"按钮_原文去空格", "A B ", "AB"},
    };
    for (const Case& c : cases) {
        source().setText(c.before);
        const auto changes = source().changeCount();
        Click(c.button);
        EXPECT_EQ(source().text(), c.after) << c.button << " on '" << c.before << "'";
        EXPECT_EQ(source().changeCount() - changes, c.before == c.after ? 0u : 1u) << c.button;
    }
}

TEST_F(MainCommands, RewritingTheSourceRunsTheLiveConversion) {
    Click("单选框_Ascii到文本");
    source().setText("414243");
    Click("按钮_原文22分开");
    EXPECT_EQ(source().text(), "41 42 43");
    EXPECT_EQ(result().text(), "A\x04\x10" "C");  // the pieces '41', ' 4', '2 ', '43' as they stand
}

TEST_F(MainCommands, PackingTheResultUnchecksThePairOption) {
    at("选择框_结果22分开").setChecked(1);
    result().setText("41 42");
    Click("按钮_结果去空格");
    EXPECT_EQ(result().text(), "4142");
    EXPECT_EQ(at("选择框_结果22分开").checked(), 0);

    at("选择框_结果22分开").setChecked(1);
    result().setText(" 4142 ");  // no inner space: nothing at all happens
    Click("按钮_结果去空格");
    EXPECT_EQ(result().text(), " 4142 ");
    EXPECT_EQ(at("选择框_结果22分开").checked(), 1);
}

TEST_F(MainCommands, PairOptionTogglesTheResultShapeWhateverItsState) {
    at("选择框_结果22分开").setDisabled(0);
    for (const int initial : {0, 1}) {
        at("选择框_结果22分开").setChecked(initial);
        result().setText("4142");
        Click("选择框_结果22分开");
        EXPECT_EQ(result().text(), "41 42") << "initially " << initial;
        Click("选择框_结果22分开");
        EXPECT_EQ(result().text(), "4142") << "initially " << initial;
        EXPECT_EQ(at("选择框_结果22分开").checked(), initial);
    }
    at("选择框_结果22分开").setChecked(0);
    Click("单选框_文本到Ascii");
    source().setText("AB");
    ASSERT_EQ(result().text(), "4142");
    Click("选择框_结果22分开");  // the live conversion is not run again
    EXPECT_EQ(result().text(), "41 42");
}

TEST_F(MainCommands, ByteSetLiteralsBothWays) {
    struct Case {
        const char* button;
        Text source;
        Text result;
    };
    const Case cases[] = {
        {"按钮_文本到字节集", "A\xD6\xD0", "{65,214,208}"},
        {"按钮_文本到字节集", "", "{"},
        {"按钮_字节集到文本", "{65,0,66}", "A"},
        {"按钮_字节集到文本", "{65,214,208}", "A\xD6\xD0"},
    };
    for (const Case& c : cases) {
        source().setText(c.source);
        Click(c.button);
        EXPECT_EQ(result().text(), c.result) << c.button << " on '" << c.source << "'";
    }
    Click("单选框_文本到Ascii");
    source().setText("A");
    Click("按钮_文本到字节集");  // replaces the mode's result until the next change
    EXPECT_EQ(result().text(), "{65}");
    source().setText("B");
    EXPECT_EQ(result().text(), "42");
}

TEST_F(MainCommands, ClearEmptiesBothBoxesEvenInTheTextToUtf16Mode) {
    Click("单选框_文本到Unicode");
    source().setText("A\xD6\xD0");
    ASSERT_EQ(result().text(), "41002D4E");
    Click("按钮_清空");
    EXPECT_EQ(source().text(), "");
    EXPECT_EQ(result().text(), "");
    EXPECT_EQ(at("透明标签_原文字符数量").text(), "0");
    EXPECT_EQ(at("透明标签_结果字符数量").text(), "0");
}

TEST_F(MainCommands, MouseMoveReportsCharactersBeforeTheCaret) {
    struct Case {
        Text text;
        int caret;
        const char* status;
    };
    const Case cases[] = {
        {"\xD6\xD0 a", 4, "在你定位前有3个字符，去空格后定位前有2个字符"},
        {"\xD6\xD0 a", 2, "在你定位前有1个字符，去空格后定位前有1个字符"},
        {"A B C", 5, "在你定位前有5个字符，去空格后定位前有3个字符"},
        {"", 0, "在你定位前有0个字符，去空格后定位前有0个字符"},
    };
    for (const Case& c : cases) {
        for (const char* box : {"编辑框1", "编辑框2"}) {
            at(box).setText(c.text);
            at(box).setSelectionStart(c.caret);
            SendMessageW(at(box).hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            EXPECT_EQ(at("状态条").partText(0), Gbk(c.status)) << box << " '" << c.text << "'";
        }
    }
}

TEST_F(MainCommands, MouseSelectionIsCountedInCharacters) {
    result().setText("a\xD6\xD0" "b");  // a中b
    HWND box = result().hwnd();
    const auto charAt = [&](int index) {
        const LRESULT at = SendMessageW(box, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
        return POINT{static_cast<short>(LOWORD(at)) + 1, static_cast<short>(HIWORD(at)) + 8};
    };
    POINT end = charAt(2);
    Focus(*window, result());
    DragMouse(box, charAt(1), end);  // exactly 中
    EXPECT_TRUE(PumpUntil([&] { return at("状态条").partText(1) == Gbk("选中了1个字符"); }))
        << at("状态条").partText(1);
    EXPECT_EQ(result().selectionLength(), 2);
    const LRESULT last = SendMessageW(box, EM_POSFROMCHAR, 2, 0);
    end = {static_cast<short>(LOWORD(last)) + 12, static_cast<short>(HIWORD(last)) + 8};  // past b
    DragMouse(box, charAt(0), end);
    EXPECT_TRUE(PumpUntil([&] { return at("状态条").partText(1) == Gbk("选中了3个字符"); }))
        << at("状态条").partText(1);
    SendMessageW(box, EM_SETSEL, 1, 1);
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(at("状态条").partText(1), Gbk("选中了0个字符"));
}

TEST_F(MainCommands, CtrlASelectsTheWholeBoxAndTypesNothing) {
    for (const char* name : {"编辑框1", "编辑框2"}) {
        Control& box = at(name);
        box.setText("a\xD6\xD0" "b");
        Focus(*window, box);
        box.setSelectionStart(1);
        PressKeys({VK_CONTROL, 'A'});
        EXPECT_TRUE(PumpUntil([&] { return box.selectionLength() == 4; })) << name;
        EXPECT_EQ(box.selectionStart(), 0) << name;
        PumpFor(50);
        EXPECT_EQ(box.text(), "a\xD6\xD0" "b") << name;
    }
}

TEST_F(MainCommands, CtrlShiftADoesNotSelect) {
    source().setText("abc");
    Focus(*window, source());
    source().setSelectionStart(1);
    PressKeys({VK_CONTROL, VK_SHIFT, 'A'});
    PumpFor(100);
    EXPECT_EQ(source().selectionStart(), 1);
    EXPECT_EQ(source().selectionLength(), 0);
    EXPECT_EQ(source().text(), "abc");
}

TEST_F(MainCommands, TopMostActsOnTheMainWindowItself) {
    Click("选择框_窗口置顶");
    Click("选择框_窗口置顶");
    ASSERT_EQ(calls.topMostCalls.size(), 2u);
    EXPECT_EQ(calls.topMostCalls[0].window, window->hwnd());
    EXPECT_TRUE(calls.topMostCalls[0].on);
    EXPECT_EQ(calls.topMostCalls[1].window, window->hwnd());
    EXPECT_FALSE(calls.topMostCalls[1].on);
}

TEST_F(MainCommands, RealTopMostCallChangesOnlyTheZOrder) {
    UseSystemCalls(nullptr);
    RECT before;
    GetWindowRect(window->hwnd(), &before);
    Click("选择框_窗口置顶");
    EXPECT_TRUE(GetWindowLongW(window->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Click("选择框_窗口置顶");
    EXPECT_FALSE(GetWindowLongW(window->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT after;
    GetWindowRect(window->hwnd(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(MainCommands, CalculatorCommandStartsTheCalculatorOnce) {
    Click("按钮_打开计算器");
    EXPECT_EQ(calls.calculatorStarts, 1);
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int WindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Starts the calculator where the system has one; where it has none (Wine),
// the call fails quietly: no message of any kind appears.
TEST_F(MainCommands, RealCalculatorCallStartsItOrFailsQuietly) {
    wchar_t path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    const bool installed = GetFileAttributesW((std::wstring(path) + L"\\calc.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
    const int windowsBefore = WindowsOfThisThread();
    SystemCalls real;
    EXPECT_EQ(real.OpenCalculator(), installed);
    PumpFor(200);
    EXPECT_EQ(WindowsOfThisThread(), windowsBefore);
}

TEST_F(MainCommands, CompareCommandNeverOpensASecondWindow) {
    Click("按钮_对比特征码");
    Window* compare = FindOpenWindow(CompareWindowTable());
    ASSERT_NE(compare, nullptr);
    Click("按钮_对比特征码");
    EXPECT_EQ(FindOpenWindow(CompareWindowTable()), compare);
    EXPECT_EQ(OpenWindowCount(), 2);
    int windowsTitled = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountCompareWindows, reinterpret_cast<LPARAM>(&windowsTitled));
    EXPECT_EQ(windowsTitled, 1);
}

}  // namespace
}  // namespace morvane::ui::testing
