// The real engine, mapped from the program's own bytes, theming the real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string_view>

#include "engine/palette.h"
#include "engine/skin_format.h"
#include "skin/binding/skin_engine.h"
#include "ui/compare_window.h"
#include "ui/main_window.h"
#include "ui/skin_steps.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/window.h"

namespace morvane::testing {
namespace {

using ui::Window;

// A spot of the main window's client area that no control covers.
constexpr POINT kBareSpot = {6, 116};

COLORREF PixelAt(HWND window, POINT client) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::ProcessPendingEvents();
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, client.x, client.y);
    ReleaseDC(window, dc);
    return colour;
}

COLORREF ExpectedBackground(HWND window, POINT client, std::uint32_t x, std::uint32_t y, std::uint32_t z) {
    skin::Skin parsed{};
    EXPECT_EQ(skin::ParseSkin(SkinData().data(), SkinData().size(), &parsed), skin::ParseError::None);
    const skin::Palette palette = skin::BuildPalette(parsed, skin::Tint{255, 9, x, y, z}, true);
    RECT area{};
    GetClientRect(window, &area);
    const skin::Rgb rgb = skin::BackgroundRow(palette, client.y, area.bottom);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class SkinLookTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(ui::InitialiseToolkit());
        ui::SkinStartUpSteps();
        main = ui::OpenWindow(ui::MainWindowTable());
        ASSERT_NE(main, nullptr);
        ui::ProcessPendingEvents();
    }
    static void Click(Window& window, std::string_view name) {
        SendMessageW(window[name].hwnd(), BM_CLICK, 0, 0);
        ui::ProcessPendingEvents();
    }
    static inline Window* main = nullptr;
};

TEST_F(SkinLookTest, EngineIsMappedFromTheProgramsBytes) {
    ASSERT_NE(SkinEngine(), nullptr);
    EXPECT_NE(SkinEngine()->BaseAddress(), 0u);
    EXPECT_NE(SkinEngine()->FindProc("SkinH_AttachRes"), 0u);
}

TEST_F(SkinLookTest, BackgroundHasTheSkinsColourForEachTint) {
    EXPECT_NE(PixelAt(main->hwnd(), kBareSpot), GetSysColor(COLOR_BTNFACE));
    for (const auto& [x, y, z] : {std::array<std::uint32_t, 3>{0, 0, 0}, {40, 200, 90}, {170, 120, 250}}) {
        TintSkin(x, y, z);
        EXPECT_EQ(PixelAt(main->hwnd(), kBareSpot), ExpectedBackground(main->hwnd(), kBareSpot, x, y, z))
            << "tint " << x << "," << y << "," << z;
    }
}

TEST_F(SkinLookTest, ClearGivesANewTint) {
    TintSkin(40, 200, 90);
    const COLORREF before = PixelAt(main->hwnd(), kBareSpot);
    Click(*main, "按钮_清空");
    EXPECT_NE(PixelAt(main->hwnd(), kBareSpot), before);
}

TEST_F(SkinLookTest, ComparisonWindowIsThemedWhenItOpens) {
    Click(*main, "按钮_对比特征码");
    Window* compare = ui::FindOpenWindow(ui::CompareWindowTable());
    ASSERT_NE(compare, nullptr);
    const POINT bare = {4, 4};
    EXPECT_NE(PixelAt(compare->hwnd(), bare), GetSysColor(COLOR_BTNFACE));
    TintSkin(170, 120, 250);
    EXPECT_EQ(PixelAt(compare->hwnd(), bare), ExpectedBackground(compare->hwnd(), bare, 170, 120, 250));
}

}  // namespace
}  // namespace morvane::testing
