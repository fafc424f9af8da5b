// One main window shared by the window tests (closing a window costs Wine
// seconds without a window manager); every test starts from the initial state.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "ui/main_window.h"
#include "ui/system_calls.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/codepage.h"
#include "ui/toolkit/window.h"

namespace morvane::ui::testing {

// Records the shell and placement calls instead of making them.
class RecordingCalls final : public SystemCalls {
public:
    struct TopMost {
        HWND window;
        bool on;
    };
    bool SetTopMost(HWND window, bool topMost) override {
        topMostCalls.push_back({window, topMost});
        return true;
    }
    bool OpenCalculator() override {
        ++calculatorStarts;
        return true;
    }
    void ReportStartUpFailure() override { ++startUpFailures; }

    std::vector<TopMost> topMostCalls;
    int calculatorStarts = 0;
    int startUpFailures = 0;
};

inline constexpr std::string_view kModeRadios[] = {
    "单选框_文本到Ascii",  "单选框_Ascii到文本",    "单选框_文本到Unicode",
    "单选框_Unicode到文本", "单选框_Ascii到Unicode", "单选框_Unicode到Ascii",
};

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InitialiseToolkit());
        window = OpenWindow(MainWindowTable());
    }

    void SetUp() override {
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(window->isOpen());
        for (std::string_view radio : kModeRadios) at(radio).setChecked(0);
        at("选择框_结果22分开").setChecked(0);
        at("选择框_结果22分开").setDisabled(1);
        at("选择框_窗口置顶").setChecked(0);
        source().setText("");
        result().setText("");
        at("编辑框_临时").setText("");
        ProcessPendingEvents();
        UseSystemCalls(&calls);
    }

    void TearDown() override { UseSystemCalls(nullptr); }

    static Control& at(std::string_view name) { return (*window)[name]; }
    static Control& source() { return at("编辑框1"); }
    static Control& result() { return at("编辑框2"); }
    static void Click(std::string_view name) { SendMessageW(at(name).hwnd(), BM_CLICK, 0, 0); }

    static Window* window;
    RecordingCalls calls;
};

}  // namespace morvane::ui::testing
