// A damaged skin file: the engine refuses it, the windows keep the system's
// look and the program works as before.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "skin/binding/skin_engine.h"
#include "ui/main_window.h"
#include "ui/skin_steps.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/window.h"

namespace morvane::testing {
namespace {

TEST(RefusedSkin, LeavesTheSystemLookAndAWorkingProgram) {
    const std::vector<std::uint8_t> truncated(SkinData().begin(), SkinData().end() - 1);
    UseSkinData(truncated);
    ASSERT_TRUE(ui::InitialiseToolkit());
    ui::SkinStartUpSteps();
    ui::Window* main = ui::OpenWindow(ui::MainWindowTable());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(CallAttachRes(truncated), 0);

    RedrawWindow(main->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::ProcessPendingEvents();
    HDC dc = GetDC(main->hwnd());
    EXPECT_EQ(GetPixel(dc, 6, 116), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(main->hwnd(), dc);

    SendMessageW((*main)["单选框_文本到Ascii"].hwnd(), BM_CLICK, 0, 0);
    (*main)["编辑框1"].setText("AB");
    EXPECT_EQ((*main)["编辑框2"].text(), "4142");
    TintSkinRandomly();  // tints of a refused skin change nothing and report nothing
    EXPECT_EQ((*main)["编辑框2"].text(), "4142");
}

}  // namespace
}  // namespace morvane::testing
