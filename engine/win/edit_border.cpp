// Edit boxes: the system draws the text; we redraw the sunken border flat,
// in the skin's border colour, and in the focus colour while typing.
#include "engine/win/engine_state.h"
#include "engine/win/themed_window.h"

namespace morvane::engine {
namespace {

int EdgeWidth(HWND edit) {
    const LONG style = GetWindowLongW(edit, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(edit, GWL_EXSTYLE);
    return ((exStyle & WS_EX_CLIENTEDGE) != 0 ? 2 : 0) + ((exStyle & WS_EX_STATICEDGE) != 0 ? 1 : 0) +
           ((style & WS_BORDER) != 0 ? 1 : 0);
}

void PaintBorder(HWND edit) {
    const int edge = EdgeWidth(edit);
    if (edge == 0) return;
    HDC dc = GetWindowDC(edit);
    if (dc == nullptr) return;
    RECT window{};
    GetWindowRect(edit, &window);
    RECT ring = {0, 0, window.right - window.left, window.bottom - window.top};
    const skin::Palette& p = g_engine.palette;
    const skin::Rgb border = GetFocus() == edit ? p.editBorderFocus : p.editBorder;
    const HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    for (int i = 0; i < edge; ++i) {
        // The outer rings carry the border; the rest blends into the box.
        SetDCBrushColor(dc, ToColorRef(i < static_cast<int>(p.editBorderWidth) ? border : p.editBackground));
        FrameRect(dc, &ring, brush);
        InflateRect(&ring, -1, -1);
    }
    ReleaseDC(edit, dc);
}

bool ChangesBorder(UINT message) {
    return message == WM_SETFOCUS || message == WM_KILLFOCUS || message == WM_ENABLE || message == WM_STYLECHANGED;
}

}  // namespace

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ThemedWindow* themed = Themed(hwnd);
    if (themed == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = CallOriginal(hwnd, themed, message, wParam, lParam);
    if (g_engine.attached && (message == WM_NCPAINT || ChangesBorder(message)) && IsWindow(hwnd) &&
        IsWindowVisible(hwnd))
        PaintBorder(hwnd);
    return result;
}

}  // namespace morvane::engine
