// The signature comparison window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string_view>

#include "ui/compare_window.h"
#include "ui/tests/gui_support.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/codepage.h"
#include "ui/toolkit/window.h"

namespace morvane::ui::testing {
namespace {

constexpr std::string_view kBoxes[] = {"编辑框_特征码1", "编辑框_特征码2", "编辑框_结果"};

class CompareWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InitialiseToolkit());
        window = OpenWindow(CompareWindowTable());
    }
    void SetUp() override {
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isOpen());
        for (std::string_view box : kBoxes) at(box).setText("");
    }
    static Control& at(std::string_view name) { return (*window)[name]; }
    static void Click(std::string_view name) { SendMessageW(at(name).hwnd(), BM_CLICK, 0, 0); }
    static void Fill(const Text& first, const Text& second, const Text& result) {
        at(kBoxes[0]).setText(first);
        at(kBoxes[1]).setText(second);
        at(kBoxes[2]).setText(result);
    }
    static Window* window;
};
Window* CompareWindowTest::window = nullptr;

TEST_F(CompareWindowTest, FrameAndControlTable) {
    ExpectFixedCentredFrame(window->hwnd(), L"对比特征码", 380, 259);

    struct Row {
        const char* name;
        RECT place;  // left, top, width, height
        const char* caption;
    };
    const Row table[] = {
        {"透明标签_特征码_标签1", {6, 24, 48, 24}, "特征码1："},
        {"编辑框_特征码1", {56, 8, 296, 56}, ""},
        {"透明标签_特征码_标签2", {8, 96, 48, 24}, "特征码2："},
        {"编辑框_特征码2", {56, 72, 296, 56}, ""},
        {"透明标签_特征码_标签3", {16, 152, 40, 24}, "结果："},
        {"编辑框_结果", {56, 136, 296, 56}, ""},
        {"按钮_去空格", {43, 200, 72, 24}, "去空格"},
        {"按钮_22分开", {115, 200, 72, 24}, "22分开"},
        {"按钮_对比", {188, 200, 72, 24}, "对比"},
        {"按钮_清空", {259, 200, 72, 24}, "清空"},
    };
    for (const Row& row : table) {
        const RECT place = PlaceInParent(at(row.name).hwnd());
        EXPECT_EQ(place.left, row.place.left) << row.name;
        EXPECT_EQ(place.top, row.place.top) << row.name;
        EXPECT_EQ(place.right - place.left, row.place.right) << row.name;
        EXPECT_EQ(place.bottom - place.top, row.place.bottom) << row.name;
        EXPECT_EQ(at(row.name).text(), Gbk(row.caption)) << row.name;
        EXPECT_TRUE(at(row.name).visible()) << row.name;
    }
    for (std::string_view box : kBoxes) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(at(box).hwnd(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -14);
        EXPECT_TRUE(GetWindowLongW(at(box).hwnd(), GWL_STYLE) & ES_MULTILINE);
    }
}

TEST_F(CompareWindowTest, CompareMergesTheTwoSignatures) {
    struct Case {
        Text first;
        Text second;
        Text pattern;
    };
    const Case cases[] = {
        {"8B45FC", "8B45F8", "8B45F?"},
        {"8B 45 FC", "8B 45 F8", "8B 45 F?"},
        {"8B45", "8B", "8B??"},
        {"", "8B", ""},
    };
    for (const Case& c : cases) {
        Fill(c.first, c.second, "old");
        Click("按钮_对比");
        EXPECT_EQ(at("编辑框_结果").text(), c.pattern) << c.first << " / " << c.second;
        EXPECT_EQ(at("编辑框_特征码1").text(), c.first);
    }
}

TEST_F(CompareWindowTest, SplitDecidesEachBoxOnItsOwn) {
    Fill("8B45FC", "8B 45 F8", "");
    Click("按钮_22分开");
    EXPECT_EQ(at(kBoxes[0]).text(), "8B 45 FC");
    EXPECT_EQ(at(kBoxes[1]).text(), "8B 45 F8");
    EXPECT_EQ(at(kBoxes[2]).text(), "");
}

TEST_F(CompareWindowTest, RemoveSpacesTakesTheEndsToo) {
    Fill(" 8B 45 ", "8B45", "  ");
    Click("按钮_去空格");
    EXPECT_EQ(at(kBoxes[0]).text(), "8B45");
    EXPECT_EQ(at(kBoxes[1]).text(), "8B45");
    EXPECT_EQ(at(kBoxes[2]).text(), "");
}

TEST_F(CompareWindowTest, ClearEmptiesAllThreeBoxes) {
    Fill("8B", "45", "8?");
    Click("按钮_清空");
    for (std::string_view box : kBoxes) EXPECT_EQ(at(box).text(), "");
}

TEST_F(CompareWindowTest, CtrlASelectsTheWholeBox) {
    for (std::string_view name : kBoxes) {
        Control& box = at(name);
        box.setText("8B 45");
        Focus(*window, box);
        box.setSelectionStart(2);
        PressKeys({VK_CONTROL, VK_SHIFT, 'A'});
        PumpFor(60);
        EXPECT_EQ(box.selectionLength(), 0) << name;
        PressKeys({VK_CONTROL, 'A'});
        EXPECT_TRUE(PumpUntil([&] { return box.selectionLength() == 5; })) << name;
        EXPECT_EQ(box.text(), "8B 45") << name;
    }
}

TEST_F(CompareWindowTest, OpeningAgainRestoresTheMinimisedWindowWithItsTexts) {
    Fill("8B45FC", "8B45F8", "8B45F?");
    ShowWindow(window->hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([] { return IsIconic(window->hwnd()) != FALSE; }));
    EXPECT_EQ(OpenWindow(CompareWindowTable()), window);
    EXPECT_TRUE(PumpUntil([] { return !IsIconic(window->hwnd()); }));
    EXPECT_EQ(at(kBoxes[0]).text(), "8B45FC");
    EXPECT_EQ(at(kBoxes[1]).text(), "8B45F8");
    EXPECT_EQ(at(kBoxes[2]).text(), "8B45F?");
}

}  // namespace
}  // namespace morvane::ui::testing
