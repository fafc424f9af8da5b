// The toolkit's contract, on a window built from a table of its own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/tests/gui_support.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/codepage.h"
#include "ui/toolkit/window.h"

namespace morvane::ui {
namespace {

using testing::Focus;
using testing::PlaceInParent;
using testing::PressKeys;
using testing::PumpFor;
using testing::PumpUntil;

struct Journal {
    int boxChanges = 0;
    Text textSeenByHandler;
    std::vector<KeyEvent> keys;
    std::vector<std::vector<int>> radiosSeenOnClick;
    std::vector<int> checkSeenOnClick;
    int buttonClicks = 0;
    int ticks = 0;
    int nestedWritesLeft = 0;
};
Journal journal;

void OnBoxChanged(Window& window) {
    ++journal.boxChanges;
    journal.textSeenByHandler = window["编辑框_甲"].text();
}

bool OnBoxKey(Window&, Control&, KeyEvent event) {
    journal.keys.push_back(event);
    return event.key != 'Q';  // Q never reaches the box
}

void OnRadioClicked(Window& window) {
    journal.radiosSeenOnClick.push_back(
        {window["单选框_一"].checked(), window["单选框_二"].checked(), window["单选框_三"].checked()});
}

void OnCheckClicked(Window& window) { journal.checkSeenOnClick.push_back(window["选择框_甲"].checked()); }
void OnButtonClicked(Window&) { ++journal.buttonClicks; }
void OnTick(Window&) { ++journal.ticks; }

constexpr StatusPart kParts[] = {{100, "第一部分"}, {-1, "第二部分"}};

const ControlRow kControls[] = {
    {"编辑框_甲", ControlKind::EditBox, {10, 10, 200, 40}, "", {.font = {15}, .multiLine = true},
     {.textChanged = OnBoxChanged, .keyPressed = OnBoxKey}},
    {"编辑框_隐藏", ControlKind::EditBox, {10, 60, 50, 20}, "", {.hidden = true}},
    {"透明标签_甲", ControlKind::Label, {220, 10, 60, 20}, "标签：", {.font = {14, true}, .verticallyCentred = true}},
    {"按钮_甲", ControlKind::Button, {220, 40, 80, 24}, "按钮甲", {}, {.clicked = OnButtonClicked}},
    {"选择框_甲", ControlKind::CheckBox, {220, 70, 80, 24}, "选择", {}, {.clicked = OnCheckClicked}},
    {"选择框_禁", ControlKind::CheckBox, {220, 100, 80, 24}, "禁用", {.disabled = true}},
    {"单选框_一", ControlKind::RadioButton, {10, 90, 60, 24}, "一", {}, {.clicked = OnRadioClicked}},
    {"单选框_二", ControlKind::RadioButton, {70, 90, 60, 24}, "二", {}, {.clicked = OnRadioClicked}},
    {"单选框_三", ControlKind::RadioButton, {130, 90, 60, 24}, "三", {}, {.clicked = OnRadioClicked}},
    {"状态条", ControlKind::StatusBar, {}, "", {.parts = kParts}},
    {"时钟", ControlKind::Timer, {}, "", {}, {.tick = OnTick}},
};
const WindowTable kTestWindow{"工具箱测试", 400, 250, kControls};

const ControlRow kOtherControls[] = {
    {"按钮_乙", ControlKind::Button, {10, 10, 80, 24}, "乙"},
};
const WindowTable kOtherWindow{"另一个窗口", 200, 120, kOtherControls};

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// One window serves every test (closing a window costs Wine seconds without a
// window manager); each test starts from a cleared state.
class Toolkit : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InitialiseToolkit());
        window = OpenWindow(kTestWindow);
    }
    static void TearDownTestSuite() {
        for (const WindowTable* table : {&kTestWindow, &kOtherWindow}) {
            if (Window* open = FindOpenWindow(*table)) DestroyWindow(open->hwnd());
        }
        ProcessPendingEvents();
    }
    void SetUp() override {
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isOpen());
        (*window)["时钟"].setPeriod(0);
        box().setText("");
        for (const char* name : {"单选框_一", "单选框_二", "单选框_三", "选择框_甲"}) (*window)[name].setChecked(0);
        ProcessPendingEvents();
        journal = {};
    }
    static Control& box() { return (*window)["编辑框_甲"]; }

    static Window* window;
};
Window* Toolkit::window = nullptr;

TEST_F(Toolkit, BuildsEveryControlOfTheTable) {
    struct Expected {
        const char* name;
        const wchar_t* windowClass;
        RECT place;
        bool visible;
        bool enabled;
    };
    const Expected table[] = {
        {"编辑框_甲", L"Edit", {10, 10, 210, 50}, true, true},
        {"编辑框_隐藏", L"Edit", {10, 60, 60, 80}, false, true},
        {"透明标签_甲", L"Static", {220, 10, 280, 30}, true, true},
        {"按钮_甲", L"Button", {220, 40, 300, 64}, true, true},
        {"选择框_禁", L"Button", {220, 100, 300, 124}, true, false},
        {"单选框_三", L"Button", {130, 90, 190, 114}, true, true},
    };
    for (const Expected& e : table) {
        HWND hwnd = (*window)[e.name].hwnd();
        ASSERT_NE(hwnd, nullptr) << e.name;
        EXPECT_EQ(ClassOf(hwnd), e.windowClass) << e.name;
        const RECT place = PlaceInParent(hwnd);
        EXPECT_EQ(place.left, e.place.left) << e.name;
        EXPECT_EQ(place.top, e.place.top) << e.name;
        EXPECT_EQ(place.right, e.place.right) << e.name;
        EXPECT_EQ(place.bottom, e.place.bottom) << e.name;
        EXPECT_EQ(IsWindowVisible(hwnd) != FALSE, e.visible) << e.name;
        EXPECT_EQ(IsWindowEnabled(hwnd) != FALSE, e.enabled) << e.name;
    }
    EXPECT_EQ((*window)["选择框_禁"].disabled(), 1);
    EXPECT_EQ((*window)["选择框_甲"].disabled(), 0);
    EXPECT_EQ((*window)["时钟"].hwnd(), nullptr);

    RECT outer;
    GetWindowRect(window->hwnd(), &outer);
    EXPECT_EQ(outer.right - outer.left, 400);
    EXPECT_EQ(outer.bottom - outer.top, 250);
    const LONG style = GetWindowLongW(window->hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
}

TEST_F(Toolkit, CaptionsAndTextsSurviveTheRoundTripByteForByte) {
    EXPECT_EQ((*window)["按钮_甲"].text(), Gbk("按钮甲"));
    EXPECT_EQ((*window)["透明标签_甲"].text(), Gbk("标签："));
    const Text texts[] = {"\xD6\xD0\xCE\xC4\xA3\xBA", "\x81\x40\xFE\x4F", "A\r\nB", ""};
    for (const Text& text : texts) {
        (*window)["透明标签_甲"].setText(text);
        EXPECT_EQ((*window)["透明标签_甲"].text(), text);
        box().setText(text);
        EXPECT_EQ(box().text(), text);
    }
    wchar_t wide[16] = {};
    GetWindowTextW((*window)["透明标签_甲"].hwnd(), wide, 16);
    (*window)["透明标签_甲"].setText("\xB1\xEA");
    GetWindowTextW((*window)["透明标签_甲"].hwnd(), wide, 16);
    EXPECT_STREQ(wide, L"\u6807");
}

TEST_F(Toolkit, WritingTextRaisesTextChangedOnceBeforeReturning) {
    const auto changesBefore = box().changeCount();
    box().setText("\xD6\xD0");
    EXPECT_EQ(journal.boxChanges, 1);
    EXPECT_EQ(journal.textSeenByHandler, "\xD6\xD0");  // the handler already saw the new text
    box().setText("\xD6\xD0");                          // unchanged text still raises it
    EXPECT_EQ(journal.boxChanges, 2);
    PumpFor(50);  // no late EN_CHANGE adds a second call
    EXPECT_EQ(journal.boxChanges, 2);
    box().append("AB");
    EXPECT_EQ(journal.boxChanges, 3);
    EXPECT_EQ(journal.textSeenByHandler, "\xD6\xD0" "AB");
    EXPECT_EQ(box().changeCount() - changesBefore, 3u);
}

TEST_F(Toolkit, UsersEditRaisesTextChangedOnce) {
    Focus(*window, box());
    PressKeys({'K'});
    ASSERT_TRUE(PumpUntil([] { return journal.boxChanges > 0; }));
    PumpFor(50);
    EXPECT_EQ(journal.boxChanges, 1);
    EXPECT_EQ(box().text(), "k");
}

TEST_F(Toolkit, SwallowedKeyNeverReachesTheBox) {
    Focus(*window, box());
    PressKeys({'Q'});
    PressKeys({'W'});
    ASSERT_TRUE(PumpUntil([&] { return box().text() == "w"; })) << box().text();
    EXPECT_EQ(journal.boxChanges, 1);
    ASSERT_GE(journal.keys.size(), 2u);
    EXPECT_EQ(journal.keys.front().key, 'Q');
}

TEST_F(Toolkit, KeyEventsCarryTheModifierState) {
    Focus(*window, box());
    struct Case {
        std::initializer_list<WORD> keys;
        int modifiers;
    };
    for (const Case& c : {Case{{VK_CONTROL, 'Q'}, kCtrl}, Case{{VK_SHIFT, 'Q'}, kShift},
                          Case{{VK_CONTROL, VK_SHIFT, 'Q'}, kCtrl | kShift}, Case{{VK_MENU, 'Q'}, kAlt}, Case{{'Q'}, 0}}) {
        journal.keys.clear();
        PressKeys(c.keys);
        ASSERT_TRUE(PumpUntil([] {
            for (const KeyEvent& key : journal.keys) {
                if (key.key == 'Q') return true;
            }
            return false;
        }));
        for (const KeyEvent& key : journal.keys) {
            if (key.key == 'Q') {
                EXPECT_EQ(key.modifiers, c.modifiers);
            }
        }
    }
    EXPECT_EQ(box().text(), "");
}

TEST_F(Toolkit, TabMovesTheFocusInTableOrder) {
    Focus(*window, (*window)["按钮_甲"]);
    PressKeys({VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == (*window)["选择框_甲"].hwnd(); }));
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == (*window)["按钮_甲"].hwnd(); }));
}

TEST_F(Toolkit, RadioButtonsExcludeEachOtherAndAreCheckedBeforeTheHandler) {
    SendMessageW((*window)["单选框_二"].hwnd(), BM_CLICK, 0, 0);
    SendMessageW((*window)["单选框_一"].hwnd(), BM_CLICK, 0, 0);
    SendMessageW((*window)["单选框_一"].hwnd(), BM_CLICK, 0, 0);  // a click on the checked one still counts
    const std::vector<std::vector<int>> expected{{0, 1, 0}, {1, 0, 0}, {1, 0, 0}};
    EXPECT_EQ(journal.radiosSeenOnClick, expected);
    (*window)["单选框_三"].setChecked(1);  // a write keeps the group exclusive and raises no click
    EXPECT_EQ((*window)["单选框_一"].checked(), 0);
    EXPECT_EQ((*window)["单选框_三"].checked(), 1);
    EXPECT_EQ(journal.radiosSeenOnClick.size(), 3u);
}

TEST_F(Toolkit, CheckBoxTogglesBeforeItsHandlerAndWritesRaiseNoClick) {
    Control& check = (*window)["选择框_甲"];
    SendMessageW(check.hwnd(), BM_CLICK, 0, 0);
    SendMessageW(check.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(journal.checkSeenOnClick, (std::vector<int>{1, 0}));
    check.setChecked(1);
    EXPECT_EQ(check.checked(), 1);
    check.setChecked(0);
    PumpFor(20);
    EXPECT_EQ(journal.checkSeenOnClick.size(), 2u);
    SendMessageW((*window)["按钮_甲"].hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(journal.buttonClicks, 1);
}

TEST_F(Toolkit, StatusBarPartsAndOutOfRangeIndexes) {
    Control& bar = (*window)["状态条"];
    EXPECT_EQ(bar.partText(0), Gbk("第一部分"));
    EXPECT_EQ(bar.partText(1), Gbk("第二部分"));
    bar.setPartText(1, "\xD6\xD0");
    bar.setPartText(2, "x");
    bar.setPartText(-1, "x");
    EXPECT_EQ(bar.partText(0), Gbk("第一部分"));
    EXPECT_EQ(bar.partText(1), "\xD6\xD0");
    EXPECT_EQ(SendMessageW(bar.hwnd(), SB_GETPARTS, 0, 0), 2);
    int edges[2] = {};
    SendMessageW(bar.hwnd(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 100);
    RECT client;
    GetClientRect(window->hwnd(), &client);
    const RECT place = PlaceInParent(bar.hwnd());
    EXPECT_EQ(place.bottom, client.bottom);
    EXPECT_EQ(place.bottom - place.top, 20);
    EXPECT_EQ(place.right - place.left, client.right);
}

TEST_F(Toolkit, TimerStartsStoppedAndFollowsItsPeriod) {
    Control& timer = (*window)["时钟"];
    PumpFor(150);
    EXPECT_EQ(journal.ticks, 0);
    timer.setPeriod(20);
    ASSERT_TRUE(PumpUntil([] { return journal.ticks >= 2; }));
    timer.setPeriod(-5);
    EXPECT_EQ(timer.period(), 0);
    PumpFor(30);
    const int ticks = journal.ticks;
    PumpFor(120);
    EXPECT_EQ(journal.ticks, ticks);
}

TEST_F(Toolkit, SelectionIsCountedInBytesOfTheText) {
    box().setText("a\xD6\xD0" "b\xCE\xC4");  // a中b文
    box().setSelectionStart(1);
    box().setSelectionLength(3);  // 中b
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box().hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 3u);
    EXPECT_EQ(box().selectionStart(), 1);
    EXPECT_EQ(box().selectionLength(), 3);
    SendMessageW(box().hwnd(), EM_SETSEL, 4, 2);  // a selection made backwards
    EXPECT_EQ(box().selectionStart(), 3);
    EXPECT_EQ(box().selectionLength(), 3);
    box().setSelectionStart(0);
    box().setSelectionLength(99);
    EXPECT_EQ(box().selectionLength(), 6);
}

TEST_F(Toolkit, ProcessPendingEventsHandlesWhatIsQueued) {
    PostMessageW((*window)["按钮_甲"].hwnd(), BM_CLICK, 0, 0);
    PostMessageW((*window)["按钮_甲"].hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(journal.buttonClicks, 0);
    ProcessPendingEvents();
    EXPECT_EQ(journal.buttonClicks, 2);
}

TEST_F(Toolkit, OpeningAnOpenWindowRestoresOrActivatesIt) {
    box().setText("\xD6\xD0");
    ShowWindow(window->hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(window->hwnd()) != FALSE; }));
    EXPECT_EQ(OpenWindow(kTestWindow), window);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(window->hwnd()); }));
    EXPECT_EQ(OpenWindowCount(), 1);
    EXPECT_EQ(box().text(), "\xD6\xD0");
    Window* other = OpenWindow(kOtherWindow);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(OpenWindowCount(), 2);
    EXPECT_EQ(OpenWindow(kTestWindow), window);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window->hwnd(); }));
}

TEST_F(Toolkit, RescalesForANewDpi) {
    RECT suggested{0, 0, 600, 375};
    SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window->dpi(), 144u);
    const RECT place = PlaceInParent(box().hwnd());
    EXPECT_EQ(place.left, 15);
    EXPECT_EQ(place.top, 15);
    EXPECT_EQ(place.right - place.left, 300);
    EXPECT_EQ(place.bottom - place.top, 60);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box().hwnd(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -23);  // 15 px at 150 %, rounded
    int edges[2] = {};
    SendMessageW((*window)["状态条"].hwnd(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 150);
    RECT outer;
    GetWindowRect(window->hwnd(), &outer);
    EXPECT_GT(outer.right - outer.left, 590);
    SendMessageW(window->hwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), 0);
    EXPECT_EQ(PlaceInParent(box().hwnd()).right, 210);
}

std::vector<std::string> exitLog;
HWND closesLate = nullptr;

void CALLBACK CloseTheLateWindow(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    exitLog.push_back(OpenWindowCount() == 1 ? "one window left" : "wrong count");
    PostMessageW(closesLate, WM_CLOSE, 0, 0);
}

TEST(MessageLoop, EndsWhenTheLastWindowClosesAndRunsExitProceduresOnceInOrder) {
    ASSERT_TRUE(InitialiseToolkit());
    for (const bool firstClosesFirst : {true, false}) {
        exitLog.clear();
        Window* first = OpenWindow(kTestWindow);
        Window* second = OpenWindow(kOtherWindow);
        ASSERT_TRUE(first && second);
        RegisterExitProcedure([] { exitLog.push_back("one"); });
        RegisterExitProcedure([] { exitLog.push_back("two"); });
        HWND early = firstClosesFirst ? first->hwnd() : second->hwnd();
        closesLate = firstClosesFirst ? second->hwnd() : first->hwnd();
        PostMessageW(early, WM_CLOSE, 0, 0);
        // The other window closes later, from a timer, while the loop must still be running.
        SetTimer(nullptr, 0, 150, CloseTheLateWindow);
        RunMessageLoop();
        EXPECT_EQ(exitLog, (std::vector<std::string>{"one window left", "one", "two"}));
        EXPECT_EQ(OpenWindowCount(), 0);
    }
    exitLog.clear();
    Window* again = OpenWindow(kOtherWindow);
    ASSERT_NE(again, nullptr);
    PostMessageW(again->hwnd(), WM_CLOSE, 0, 0);
    RunMessageLoop();
    EXPECT_TRUE(exitLog.empty());  // already run; never a second time
}

}  // namespace
}  // namespace morvane::ui
