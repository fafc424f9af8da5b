// The status bar, drawn flat: our background, the parts' texts in our text
// colour, thin separators.
#include <windows.h>

#include <commctrl.h>

#include "engine/win/background.h"
#include "engine/win/engine_state.h"
#include "engine/win/themed_window.h"
#include "engine/win/window_text.h"

namespace morvane::engine {
namespace {

constexpr int kMaxParts = 256;
constexpr int kTextPadding = 4;

void DrawPartText(HWND bar, HDC dc, int part, const RECT& bounds) {
    const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0);
    // Owner-drawn parts hold the owner's data, not text.
    if ((HIWORD(info) & SBT_OWNERDRAW) != 0) return;
    WindowText text;
    if (!text.Reserve(LOWORD(info))) return;
    text.SetLength(LOWORD(SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text.Buffer()))));
    RECT area = {bounds.left + kTextPadding, bounds.top, bounds.right - kTextPadding, bounds.bottom};
    DrawTextW(dc, text.Buffer(), text.Length(), &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Paint(HWND bar, HDC dc) {
    const skin::Palette& p = g_engine.palette;
    RECT client{};
    GetClientRect(bar, &client);
    FillSolid(dc, client, ToColorRef(p.statusBackground));
    const RECT topLine = {client.left, client.top, client.right, client.top + 1};
    FillSolid(dc, topLine, ToColorRef(p.editBorder));

    HFONT font = reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0));
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(p.statusText));

    int parts = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
    if (parts > kMaxParts) parts = kMaxParts;
    for (int part = 0; part < parts; ++part) {
        RECT bounds{};
        if (!SendMessageW(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&bounds))) continue;
        DrawPartText(bar, dc, part, bounds);
        if (part + 1 < parts) {
            const RECT separator = {bounds.right - 1, bounds.top + 3, bounds.right, bounds.bottom - 2};
            FillSolid(dc, separator, ToColorRef(p.editBorder));
        }
    }
    SelectObject(dc, previousFont);
}

}  // namespace

LRESULT CALLBACK StatusBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ThemedWindow* themed = Themed(hwnd);
    if (themed == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    // A bar in simple mode shows one text of its own: the system draws it.
    if (g_engine.attached && !SendMessageW(hwnd, SB_ISSIMPLE, 0, 0)) {
        LRESULT painted;
        if (PaintOwnDrawing(hwnd, message, wParam, Paint, &painted)) return painted;
    }
    return CallOriginal(hwnd, themed, message, wParam, lParam);
}

}  // namespace morvane::engine
