// Start-up and the end of the program, through the program's own entry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/compare_window.h"
#include "ui/live_conversion.h"
#include "ui/main_window.h"
#include "ui/start_up.h"
#include "ui/system_calls.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/window.h"

namespace morvane::ui {
namespace {

std::vector<std::string> steps;
bool mainClosesFirst = true;

class FailureRecorder final : public SystemCalls {
public:
    void ReportStartUpFailure() override { steps.push_back("failure reported"); }
};

HWND WindowOf(const WindowTable& table) {
    Window* window = FindOpenWindow(table);
    return window ? window->hwnd() : nullptr;
}

void CALLBACK CloseSecond(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const WindowTable& survivor = mainClosesFirst ? CompareWindowTable() : MainWindowTable();
    const WindowTable& closed = mainClosesFirst ? MainWindowTable() : CompareWindowTable();
    steps.push_back(WindowOf(closed) == nullptr && WindowOf(survivor) != nullptr ? "one window open" : "unexpected");
    PostMessageW(WindowOf(survivor), WM_CLOSE, 0, 0);
}

void CALLBACK OpenCompareThenCloseFirst(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    Window* main = FindOpenWindow(MainWindowTable());
    SendMessageW((*main)["按钮_对比特征码"].hwnd(), BM_CLICK, 0, 0);
    steps.push_back(WindowOf(CompareWindowTable()) ? "compare open" : "compare missing");
    PostMessageW(WindowOf(mainClosesFirst ? MainWindowTable() : CompareWindowTable()), WM_CLOSE, 0, 0);
    SetTimer(nullptr, 0, 100, CloseSecond);
}

TEST(Lifecycle, ProgramEndsWhenTheLastWindowClosesInEitherOrder) {
    for (const bool mainFirst : {true, false}) {
        mainClosesFirst = mainFirst;
        steps.clear();
        InitialiseToolkit();
        RegisterExitProcedure([] { steps.push_back("exit procedure"); });
        SetTimer(nullptr, 0, 100, OpenCompareThenCloseFirst);
        EXPECT_EQ(RunProgram(MainWindowTable()), 0);
        EXPECT_EQ(steps, (std::vector<std::string>{"compare open", "one window open", "exit procedure"}))
            << (mainFirst ? "main window closed first" : "comparison window closed first");
        EXPECT_EQ(OpenWindowCount(), 0);
    }
}

void RefuseToOpen(Window& window) { DestroyWindow(window.hwnd()); }
const WindowTable kUnopenable{"x", 100, 100, {}, RefuseToOpen};

TEST(Lifecycle, MainWindowThatCannotBeCreatedIsReportedAndSkipsExitProcedures) {
    steps.clear();
    FailureRecorder recorder;
    UseSystemCalls(&recorder);
    RegisterExitProcedure([] { steps.push_back("exit procedure"); });
    EXPECT_NE(RunProgram(kUnopenable), 0);
    UseSystemCalls(nullptr);
    EXPECT_EQ(steps, std::vector<std::string>{"failure reported"});
    // Those procedures are gone for good: a later loop does not run them.
    Window* other = OpenWindow(CompareWindowTable());
    ASSERT_NE(other, nullptr);
    PostMessageW(other->hwnd(), WM_CLOSE, 0, 0);
    RunMessageLoop();
    EXPECT_EQ(steps, std::vector<std::string>{"failure reported"});
}

Text PumpThenAnswer(std::string_view, WindowTies& ties) {
    ties.ProcessPendingEvents();
    return "late";
}

// The user closes the window while a long conversion pumps its events.
TEST(Lifecycle, ClosingTheMainWindowDuringAConversionIsSafe) {
    InitialiseToolkit();
    Window* main = OpenWindow(MainWindowTable());
    ASSERT_NE(main, nullptr);
    PostMessageW(main->hwnd(), WM_CLOSE, 0, 0);
    {
        HandlerScope handler;  // as when a click or an edit runs it
        ConvertForMode(*main, {"单选框_Ascii到文本", PumpThenAnswer, false, false});
        EXPECT_FALSE(main->isOpen());
        EXPECT_EQ((*main)["编辑框2"].text(), "");
    }
    ProcessPendingEvents();
    EXPECT_EQ(OpenWindowCount(), 0);
}

}  // namespace
}  // namespace morvane::ui
