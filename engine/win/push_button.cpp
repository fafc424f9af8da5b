#include "engine/win/push_button.h"

#include "engine/win/background.h"
#include "engine/win/engine_state.h"
#include "engine/win/themed_window.h"
#include "engine/win/window_text.h"

namespace morvane::engine {
namespace {

constexpr int kTextPadding = 4;

// The system button paints itself, outside WM_PAINT, when these change its
// state; our drawing follows right after.
constexpr UINT kRepaintAfter[] = {
    BM_SETSTATE,   BM_SETSTYLE,    WM_SETFOCUS,      WM_KILLFOCUS,     WM_ENABLE,      WM_SETTEXT,
    WM_LBUTTONDOWN, WM_LBUTTONUP,  WM_LBUTTONDBLCLK, WM_KEYDOWN,       WM_KEYUP,       WM_CAPTURECHANGED,
    WM_MOUSEMOVE,  WM_UPDATEUISTATE, WM_CHANGEUISTATE, WM_SYSCOLORCHANGE,
};

bool RepaintsItself(UINT message) {
    for (UINT m : kRepaintAfter)
        if (m == message) return true;
    return false;
}

UINT HorizontalAlignment(LONG style) {
    switch (style & BS_CENTER) {
    case BS_LEFT:
        return DT_LEFT;
    case BS_RIGHT:
        return DT_RIGHT;
    default:
        return DT_CENTER;
    }
}

void DrawCaption(HWND button, HDC dc, const RECT& face, const ButtonLook& look, COLORREF colour) {
    WindowText text;
    if (!text.LoadFromWindow(button) || text.Length() == 0) return;
    const LONG style = GetWindowLongW(button, GWL_STYLE);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
    if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);

    RECT area = {face.left + kTextPadding, face.top + 1, face.right - kTextPadding, face.bottom - 1};
    UINT format = HorizontalAlignment(style) | (look.hidePrefix ? DT_HIDEPREFIX : 0);
    if ((style & BS_MULTILINE) != 0) {
        // Word-wrapped captions are centred by measuring them first.
        RECT measured = area;
        DrawTextW(dc, text.Buffer(), text.Length(), &measured, format | DT_WORDBREAK | DT_CALCRECT);
        const LONG spare = (area.bottom - area.top) - (measured.bottom - measured.top);
        if (spare > 0) area.top += spare / 2;
        format |= DT_WORDBREAK;
    } else {
        format |= DT_SINGLELINE | DT_VCENTER;
    }
    DrawTextW(dc, text.Buffer(), text.Length(), &area, format);
    SelectObject(dc, previousFont);
}

void Paint(HWND button, HDC dc) {
    RECT client{};
    GetClientRect(button, &client);
    DrawPushButton(button, dc, client, CurrentLook(button));
}

}  // namespace

ButtonLook CurrentLook(HWND button) {
    ButtonLook look{};
    look.pressed = (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    const ThemedWindow* themed = ThemedAs(button, Role::PushButton);
    look.hot = themed != nullptr && themed->hot;
    look.focused = GetFocus() == button;
    look.disabled = !IsWindowEnabled(button);
    const LRESULT ui = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
    look.hideFocus = (ui & UISF_HIDEFOCUS) != 0;
    look.hidePrefix = (ui & UISF_HIDEACCEL) != 0;
    return look;
}

void DrawPushButton(HWND button, HDC dc, const RECT& rect, const ButtonLook& look) {
    const skin::Palette& p = g_engine.palette;
    skin::Rgb face = p.buttonFace, text = p.buttonText;
    if (look.disabled) {
        face = p.buttonFaceDisabled;
        text = p.buttonTextDisabled;
    } else if (look.pressed) {
        face = p.buttonFacePressed;
        text = p.buttonTextPressed;
    } else if (look.hot) {
        face = p.buttonFaceHot;
        text = p.buttonTextHot;
    }

    // Rounded corners show the window behind them.
    FillBehind(button, dc, rect);
    const int corner = static_cast<int>(p.buttonCornerRadius) * 2;
    const HGDIOBJ previousPen = SelectObject(dc, GetStockObject(DC_PEN));
    const HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, ToColorRef(look.disabled ? face : p.buttonBorder));
    SetDCBrushColor(dc, ToColorRef(face));
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);

    if (look.focused && !look.hideFocus && !look.disabled) {
        // Focus: a thin inner ring in the text colour, softened toward the face.
        SetDCPenColor(dc, ToColorRef(skin::Mix(face, text, 550)));
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        const int inner = corner > 2 ? corner - 2 : 0;
        RoundRect(dc, rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2, inner, inner);
    }
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
    DrawCaption(button, dc, rect, look, ToColorRef(text));
}

LRESULT CALLBACK PushButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ThemedWindow* themed = Themed(hwnd);
    if (themed == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    // A button turned into another kind later is left to its own drawing.
    const bool ours = g_engine.attached && IsPushButtonStyle(GetWindowLongW(hwnd, GWL_STYLE));
    if (ours) {
        LRESULT painted;
        if (PaintOwnDrawing(hwnd, message, wParam, Paint, &painted)) return painted;
        switch (message) {
        case WM_MOUSEMOVE:
            if (!themed->hot) {
                themed->hot = true;
                TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
                TrackMouseEvent(&track);
            }
            break;
        case WM_MOUSELEAVE:
            themed->hot = false;
            InvalidateRect(hwnd, nullptr, FALSE);
            break;
        default:
            break;
        }
    }
    const LRESULT result = CallOriginal(hwnd, themed, message, wParam, lParam);
    // The button may be gone: a click handler can destroy its window.
    if (ours && RepaintsItself(message) && IsWindow(hwnd) && Themed(hwnd) == themed && IsWindowVisible(hwnd)) {
        if (HDC dc = GetDC(hwnd)) {
            Paint(hwnd, dc);
            ReleaseDC(hwnd, dc);
        }
    }
    return result;
}

}  // namespace morvane::engine
