// Loads the built engine DLL, themes ordinary windows through its three calls
// and checks what is on the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/palette.h"
#include "engine/skin_format.h"
#include "engine/win/tests/test_windows.h"

extern const unsigned char morvane_test_skin[];
extern const std::size_t morvane_test_skin_size;

namespace morvane::engine {
namespace {

using skin::Palette;
using skin::Rgb;
using skin::Tint;
using testing::CreateSampleWindow;
using testing::PumpMessages;
using testing::SampleWindow;
using testing::ScreenPixel;

using EngineCall = UINT(WINAPI*)(ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR,
                                 ULONG_PTR, ULONG_PTR);

// Places in a sample window's client area, chosen clear of any text.
constexpr POINT kBackground = {5, 40};
constexpr POINT kLowBackground = {5, 115};
constexpr POINT kLabelCorner = {15, 3};    // inside the label "原文："
constexpr POINT kEditInside = {354, 48};   // inside the source box, past its text
constexpr POINT kEditEdge = {56, 30};      // the source box's outer border
constexpr POINT kButtonFace = {453, 16};   // the tall button, above its caption
constexpr POINT kDisabledFace = {19, 150};
constexpr POINT kCheckBoxEnd = {440, 88};  // above the end of the check box's caption

int Distance(Rgb a, Rgb b) {
    return std::abs(int(a >> 16 & 0xFF) - int(b >> 16 & 0xFF)) + std::abs(int(a >> 8 & 0xFF) - int(b >> 8 & 0xFF)) +
           std::abs(int(a & 0xFF) - int(b & 0xFF));
}

Rgb SystemColour(int index) {
    const COLORREF c = GetSysColor(index);
    return static_cast<Rgb>(GetRValue(c)) << 16 | static_cast<Rgb>(GetGValue(c)) << 8 | GetBValue(c);
}

int ClientHeight(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r.bottom;
}

Rgb At(HWND hwnd, POINT p) { return ScreenPixel(hwnd, p.x, p.y); }

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path);
    return s.substr(0, s.find_last_of(L"\\/") + 1) + name;
}

class EngineDll : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(skin::ParseSkin(morvane_test_skin, morvane_test_skin_size, &skin_), skin::ParseError::None);
        module_ = LoadLibraryW(BesideThisProgram(L"morvane_skin_engine.dll").c_str());
        ASSERT_NE(module_, nullptr);
        attach_ = Export("SkinH_AttachRes");
        adjust_ = Export("SkinH_AdjustAero");
        setAero_ = Export("SkinH_SetAero");
        ASSERT_TRUE(attach_ && adjust_ && setAero_);
    }

    void TearDown() override {
        for (HWND w : windows_) DestroyWindow(w);
        PumpMessages();
        // Unloading gives every window back and unhooks, so each test starts afresh.
        if (module_ != nullptr) FreeLibrary(module_);
    }

    EngineCall Export(const char* name) { return reinterpret_cast<EngineCall>(reinterpret_cast<void*>(GetProcAddress(module_, name))); }

    SampleWindow Open(int x, int y) {
        SampleWindow w = CreateSampleWindow(L"Morvane  by Ziltro", x, y);
        EXPECT_NE(w.frame, nullptr);
        windows_.push_back(w.frame);
        return w;
    }

    UINT Attach(const void* data, size_t length) {
        const UINT r = attach_(reinterpret_cast<ULONG_PTR>(data), length, 0, 0, 0, 0, 0, 0, 0, 0);
        PumpMessages();
        return r;
    }
    UINT AttachSkin() { return Attach(morvane_test_skin, morvane_test_skin_size); }
    UINT Adjust(ULONG_PTR alpha, ULONG_PTR level, ULONG_PTR x, ULONG_PTR y, ULONG_PTR z) {
        const UINT r = adjust_(alpha, 0, 0, level, 0, 0, x, y, z, 0);
        PumpMessages();
        return r;
    }
    // As the program tints: alpha 255, level 9.
    UINT TintWith(uint32_t x, uint32_t y, uint32_t z) { return Adjust(255, 9, x, y, z); }
    UINT Gradient(ULONG_PTR on) {
        const UINT r = setAero_(on, 0, 0, 0, 0, 0, 0, 0, 0, 0);
        PumpMessages();
        return r;
    }

    Palette Expected(const Tint& tint, bool gradient) const { return skin::BuildPalette(skin_, tint, gradient); }

    // Every place the engine paints, against the palette it should paint with.
    void ExpectThemed(const SampleWindow& w, const Palette& p) {
        const int height = ClientHeight(w.frame);
        EXPECT_EQ(At(w.frame, kBackground), skin::BackgroundRow(p, kBackground.y, height));
        EXPECT_EQ(At(w.frame, kLowBackground), skin::BackgroundRow(p, kLowBackground.y, height));
        EXPECT_EQ(At(w.frame, kLabelCorner), skin::BackgroundRow(p, kLabelCorner.y, height)) << "label";
        EXPECT_EQ(At(w.frame, kCheckBoxEnd), skin::BackgroundRow(p, kCheckBoxEnd.y, height)) << "check box";
        EXPECT_EQ(At(w.frame, kEditInside), p.editBackground);
        EXPECT_EQ(At(w.frame, kEditEdge), GetFocus() == w.sourceEdit ? p.editBorderFocus : p.editBorder);
        EXPECT_EQ(At(w.frame, kButtonFace), p.buttonFace);
        EXPECT_EQ(At(w.frame, kDisabledFace), p.buttonFaceDisabled);
        RECT bar{};
        GetWindowRect(w.statusBar, &bar);
        MapWindowPoints(nullptr, w.frame, reinterpret_cast<POINT*>(&bar), 2);
        EXPECT_EQ(ScreenPixel(w.frame, 380, bar.bottom - 4), p.statusBackground) << "status bar";
    }

    skin::Skin skin_{};
    HMODULE module_ = nullptr;
    EngineCall attach_ = nullptr, adjust_ = nullptr, setAero_ = nullptr;
    std::vector<HWND> windows_;
};

TEST_F(EngineDll, AttachDrawsExistingWindowsInTheSkinColours) {
    const SampleWindow w = Open(10, 10);
    ASSERT_EQ(At(w.frame, kBackground), SystemColour(COLOR_BTNFACE)) << "the system look before attaching";
    ASSERT_EQ(AttachSkin(), 1u);
    const Palette p = Expected(skin::kNoTint, false);
    EXPECT_EQ(p.windowTop, skin_[skin::Field::WindowBackground]);
    ExpectThemed(w, p);
}

TEST_F(EngineDll, TintsAndTheGradientRedrawEveryWindow) {
    const SampleWindow a = Open(10, 10), b = Open(10, 270);
    ASSERT_EQ(AttachSkin(), 1u);
    // The program's own sequence after attaching.
    ASSERT_EQ(TintWith(0, 0, 0), 1u);
    ASSERT_EQ(Gradient(1), 1u);
    const Palette plain = Expected(Tint{255, 9, 0, 0, 0}, true);
    ASSERT_NE(plain.windowTop, plain.windowBottom);
    ExpectThemed(a, plain);
    ExpectThemed(b, plain);

    // Three draws: each one repaints both windows in colours of its own.
    const uint32_t draws[3][3] = {{200, 100, 50}, {40, 220, 180}, {110, 150, 120}};
    std::vector<Palette> seen;
    for (const auto& d : draws) {
        ASSERT_EQ(TintWith(d[0], d[1], d[2]), 1u);
        const Palette p = Expected(Tint{255, 9, d[0], d[1], d[2]}, true);
        SCOPED_TRACE(::testing::Message() << "tint " << d[0] << "," << d[1] << "," << d[2]);
        ExpectThemed(a, p);
        ExpectThemed(b, p);
        for (const Palette& earlier : seen) {
            EXPECT_GE(Distance(p.buttonFace, earlier.buttonFace), 40);
            EXPECT_GE(Distance(p.windowTop, earlier.windowTop), 12);
        }
        seen.push_back(p);
    }

    ASSERT_EQ(Gradient(0), 1u);
    ExpectThemed(a, Expected(Tint{255, 9, 110, 150, 120}, false));
}

TEST_F(EngineDll, WindowsCreatedAfterAttachingAreThemed) {
    ASSERT_EQ(AttachSkin(), 1u);
    ASSERT_EQ(TintWith(90, 180, 30), 1u);
    ASSERT_EQ(Gradient(1), 1u);
    const SampleWindow w = Open(10, 10);
    ExpectThemed(w, Expected(Tint{255, 9, 90, 180, 30}, true));
}

TEST_F(EngineDll, RefusedSkinsChangeNothing) {
    const SampleWindow w = Open(10, 10);
    std::vector<uint8_t> damaged(morvane_test_skin, morvane_test_skin + morvane_test_skin_size);
    damaged[40] ^= 0x01;  // a colour byte, so only the checksum tells
    const std::vector<uint8_t> huge(1 << 20, 0);
    struct Bad {
        const char* what;
        const void* data;
        size_t length;
    };
    const Bad bad[] = {
        {"no data", nullptr, morvane_test_skin_size},
        {"empty", morvane_test_skin, 0},
        {"header only", morvane_test_skin, skin::kHeaderSize},
        {"last byte missing", morvane_test_skin, morvane_test_skin_size - 1},
        {"checksum wrong", damaged.data(), damaged.size()},
        {"a megabyte", huge.data(), huge.size()},
    };
    for (const Bad& b : bad) EXPECT_EQ(Attach(b.data, b.length), 0u) << b.what;
    EXPECT_EQ(At(w.frame, kBackground), SystemColour(COLOR_BTNFACE)) << "still the system look";
    EXPECT_EQ(At(w.frame, kEditInside), SystemColour(COLOR_WINDOW));

    ASSERT_EQ(AttachSkin(), 1u);
    ASSERT_EQ(TintWith(200, 100, 50), 1u);
    for (const Bad& b : bad) EXPECT_EQ(Attach(b.data, b.length), 0u) << b.what;
    ExpectThemed(w, Expected(Tint{255, 9, 200, 100, 50}, false));
}

TEST_F(EngineDll, CallsInAnyOrderAreHarmless) {
    const SampleWindow w = Open(10, 10);
    // Before a skin: nothing to adjust, and nothing drawn.
    EXPECT_EQ(TintWith(10, 20, 30), 0u);
    EXPECT_EQ(Gradient(1), 0u);
    EXPECT_EQ(Adjust(~ULONG_PTR{0}, ~ULONG_PTR{0}, ~ULONG_PTR{0}, ~ULONG_PTR{0}, ~ULONG_PTR{0}), 0u);
    EXPECT_EQ(At(w.frame, kBackground), SystemColour(COLOR_BTNFACE));

    // Settings made before attaching hold once a skin arrives; words past their range are clamped.
    EXPECT_EQ(Adjust(0x1234, 1000, 0x10000, 300, 256), 0u);
    ASSERT_EQ(AttachSkin(), 1u);
    ExpectThemed(w, Expected(Tint{255, 10, 255, 255, 255}, true));

    ASSERT_EQ(AttachSkin(), 1u) << "attaching again";
    EXPECT_EQ(Gradient(0xFFFFFFFF), 1u);
    EXPECT_EQ(Gradient(0), 1u);
    EXPECT_EQ(Adjust(255, static_cast<ULONG_PTR>(-3), 10, 20, 30), 1u) << "a negative level tints nothing";
    ExpectThemed(w, Expected(skin::kNoTint, false));
    EXPECT_EQ(TintWith(33, 66, 99), 1u);
    ExpectThemed(w, Expected(Tint{255, 9, 33, 66, 99}, false));
}

TEST_F(EngineDll, ControlsKeepWorking) {
    const SampleWindow w = Open(10, 10);
    ASSERT_EQ(AttachSkin(), 1u);
    SendMessageW(w.pairCheckBox, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(w.pairCheckBox, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(w.firstRadio, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(w.firstRadio, BM_GETCHECK, 0, 0), BST_CHECKED);
    SetWindowTextW(w.sourceEdit, L"改过的文字");
    wchar_t text[32] = {};
    GetWindowTextW(w.sourceEdit, text, 32);
    EXPECT_EQ(std::wstring(text), L"改过的文字");
    SendMessageW(w.statusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"选中了3个字符"));
    PumpMessages();
    ExpectThemed(w, Expected(skin::kNoTint, false));
}

// Controls of both kinds: the plain ones and those with visual styles, whose
// buttons also paint through custom draw.
class EngineDllButtons : public EngineDll, public ::testing::WithParamInterface<bool> {};

HANDLE VisualStylesContext() {
    const std::wstring path = BesideThisProgram(L"engine_dll_tests.visual-styles.manifest");
    const char manifest[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"><dependency><dependentAssembly>"
        "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
        "processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"
        "</dependentAssembly></dependency></assembly>\n";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, manifest, sizeof manifest - 1, &written, nullptr);
    CloseHandle(file);
    ACTCTXW context = {};
    context.cbSize = sizeof context;
    context.lpSource = path.c_str();
    return CreateActCtxW(&context);
}

TEST_P(EngineDllButtons, EveryPartIsOursAndButtonsInEveryState) {
    HANDLE context = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie = 0;
    if (GetParam()) {
        context = VisualStylesContext();
        ASSERT_NE(context, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(ActivateActCtx(context, &cookie));
    }
    const SampleWindow w = Open(10, 10);
    ASSERT_EQ(AttachSkin(), 1u);
    ASSERT_EQ(TintWith(160, 120, 70), 1u);
    const Palette p = Expected(Tint{255, 9, 160, 120, 70}, false);
    ExpectThemed(w, p);

    SendMessageW(w.clearButton, BM_SETSTATE, TRUE, 0);
    PumpMessages();
    EXPECT_EQ(At(w.frame, kButtonFace), p.buttonFacePressed) << "pressed";
    SendMessageW(w.clearButton, BM_SETSTATE, FALSE, 0);
    PumpMessages();
    EXPECT_EQ(At(w.frame, kButtonFace), p.buttonFace) << "released";

    EnableWindow(w.clearButton, FALSE);
    PumpMessages();
    EXPECT_EQ(At(w.frame, kButtonFace), p.buttonFaceDisabled) << "disabled";
    EnableWindow(w.clearButton, TRUE);
    PumpMessages();
    EXPECT_EQ(At(w.frame, kButtonFace), p.buttonFace) << "enabled again";

    if (GetParam()) {
        DeactivateActCtx(0, cookie);
        ReleaseActCtx(context);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, EngineDllButtons, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "VisualStyles" : "Plain";
                         });

}  // namespace
}  // namespace morvane::engine
