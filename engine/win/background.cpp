#include "engine/win/background.h"

#include "engine/win/engine_state.h"

namespace morvane::engine {
namespace {

constexpr int32_t kPatternWidth = 8;

int32_t ClientHeight(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client.bottom > 1 ? client.bottom : 1;
}

bool EnsureBrush(HWND frame, ThemedWindow* themed) {
    const int32_t height = ClientHeight(frame);
    if (themed->backgroundBrush != nullptr && themed->brushHeight == height &&
        themed->brushGeneration == g_engine.generation)
        return true;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kPatternWidth;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return themed->backgroundBrush != nullptr;
    // A 32-bit DIB pixel is 0x00RRGGBB, the palette's own layout.
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int32_t row = 0; row < height; ++row) {
        const uint32_t colour = skin::BackgroundRow(g_engine.palette, row, height);
        for (int32_t x = 0; x < kPatternWidth; ++x) pixels[row * kPatternWidth + x] = colour;
    }
    GdiFlush();
    HBRUSH brush = CreatePatternBrush(bitmap);
    if (brush == nullptr) {
        DeleteObject(bitmap);
        return themed->backgroundBrush != nullptr;
    }
    if (themed->backgroundBrush != nullptr) DeleteObject(themed->backgroundBrush);
    if (themed->backgroundBitmap != nullptr) DeleteObject(themed->backgroundBitmap);
    themed->backgroundBrush = brush;
    themed->backgroundBitmap = bitmap;
    themed->brushHeight = height;
    themed->brushGeneration = g_engine.generation;
    return true;
}

int32_t PositiveModulo(int32_t value, int32_t modulus) {
    const int32_t r = value % modulus;
    return r < 0 ? r + modulus : r;
}

}  // namespace

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF previous = SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
}

void PaintFrameBackground(HWND frame, HDC dc, const RECT& rect) {
    const int32_t height = ClientHeight(frame);
    const skin::Palette& p = g_engine.palette;
    if (p.windowTop == p.windowBottom) {
        FillSolid(dc, rect, ToColorRef(p.windowTop));
        return;
    }
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR) clip = rect;
    const int32_t top = rect.top > clip.top ? rect.top : clip.top;
    const int32_t bottom = rect.bottom < clip.bottom ? rect.bottom : clip.bottom;
    for (int32_t row = top; row < bottom; ++row) {
        const RECT line = {rect.left, row, rect.right, row + 1};
        FillSolid(dc, line, ToColorRef(skin::BackgroundRow(p, row, height)));
    }
}

HBRUSH AlignedBackgroundBrush(HWND frame, ThemedWindow* themed, HWND control, HDC dc) {
    if (!EnsureBrush(frame, themed)) return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    POINT origin = {0, 0};
    MapWindowPoints(control, frame, &origin, 1);
    SetBrushOrgEx(dc, PositiveModulo(-origin.x, kPatternWidth), PositiveModulo(-origin.y, themed->brushHeight),
                  nullptr);
    return themed->backgroundBrush;
}

void FillBehind(HWND control, HDC dc, const RECT& rect) {
    const HWND frame = GetAncestor(control, GA_ROOT);
    ThemedWindow* themed = frame != nullptr ? ThemedAs(frame, Role::Frame) : nullptr;
    if (themed == nullptr) {
        FillSolid(dc, rect, ToColorRef(g_engine.palette.windowTop));
        return;
    }
    const HBRUSH brush = AlignedBackgroundBrush(frame, themed, control, dc);
    FillRect(dc, &rect, brush);
    SetBrushOrgEx(dc, 0, 0, nullptr);
}

}  // namespace morvane::engine
