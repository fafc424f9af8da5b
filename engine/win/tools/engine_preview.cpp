// Opens two themed sample windows and saves the screen around them as a BMP,
// to look at the skin as a user would:
//   engine_preview OUT.bmp [x y z [gradient 0/1]]
#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>

#include "engine/win/tests/test_windows.h"

extern const unsigned char morvane_test_skin[];
extern const std::size_t morvane_test_skin_size;

namespace {

using EngineCall = UINT(WINAPI*)(ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR, ULONG_PTR,
                                 ULONG_PTR, ULONG_PTR);

bool SaveScreen(const wchar_t* path, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = (width * 3 + 3) & ~3u, imageSize = stride * height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = out != INVALID_HANDLE_VALUE && WriteFile(out, &file, sizeof file, &written, nullptr) &&
                    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
                    WriteFile(out, bits, imageSize, &written, nullptr);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) return 2;
    const ULONG_PTR x = argc > 4 ? wcstoul(argv[2], nullptr, 10) : 0;
    const ULONG_PTR y = argc > 4 ? wcstoul(argv[3], nullptr, 10) : 0;
    const ULONG_PTR z = argc > 4 ? wcstoul(argv[4], nullptr, 10) : 0;
    const ULONG_PTR gradient = argc > 5 ? wcstoul(argv[5], nullptr, 10) : 1;

    HMODULE engine = LoadLibraryW(L"morvane_skin_engine.dll");
    if (engine == nullptr) return 3;
    auto attach = reinterpret_cast<EngineCall>(reinterpret_cast<void*>(GetProcAddress(engine, "SkinH_AttachRes")));
    auto adjust = reinterpret_cast<EngineCall>(reinterpret_cast<void*>(GetProcAddress(engine, "SkinH_AdjustAero")));
    auto setAero = reinterpret_cast<EngineCall>(reinterpret_cast<void*>(GetProcAddress(engine, "SkinH_SetAero")));
    if (!attach || !adjust || !setAero) return 4;

    using morvane::engine::testing::CreateSampleWindow;
    const auto first = CreateSampleWindow(L"Morvane  by Ziltro", 10, 10);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    constexpr int kRounds = 50;

    // The same redraw of the plain window, as a yardstick for the retint below.
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i)
        RedrawWindow(first.frame, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    std::printf("system redraw of one window: %.2f ms each\n",
                (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart / kRounds);
    attach(reinterpret_cast<ULONG_PTR>(morvane_test_skin), morvane_test_skin_size, 0, 0, 0, 0, 0, 0, 0, 0);
    adjust(255, 0, 0, 9, 0, 0, 0, 0, 0, 0);
    setAero(gradient, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    adjust(255, 0, 0, 9, 0, 0, x, y, z, 0);
    // Created after attaching: themed by the creation hook.
    const auto second = CreateSampleWindow(L"对比特征码", 10, 260);
    SetFocus(second.sourceEdit);
    morvane::engine::testing::PumpMessages();

    // What a retint costs with both windows open: palette, brushes and a full redraw.
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kRounds; ++i) adjust(255, 0, 0, 9, 0, 0, (x + i * 51) & 0xFF, y, z, 0);
    QueryPerformanceCounter(&end);
    adjust(255, 0, 0, 9, 0, 0, x, y, z, 0);
    std::printf("retint with redraw of two windows: %.2f ms each\n",
                (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart / kRounds);
    std::fflush(stdout);

    Sleep(300);
    morvane::engine::testing::PumpMessages();
    return SaveScreen(argv[1], 540, 510) ? 0 : 1;
}
