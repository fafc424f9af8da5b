// Top-level windows: their client background and the colours their child
// controls ask them for.
#include <windows.h>

#include <commctrl.h>

#include "engine/win/background.h"
#include "engine/win/engine_state.h"
#include "engine/win/push_button.h"
#include "engine/win/themed_window.h"

namespace morvane::engine {
namespace {

LRESULT EditColours(HWND edit, HDC dc) {
    const skin::Palette& p = g_engine.palette;
    SetTextColor(dc, ToColorRef(IsWindowEnabled(edit) ? p.editText : p.disabledText));
    SetBkColor(dc, ToColorRef(p.editBackground));
    return reinterpret_cast<LRESULT>(g_engine.editBrush);
}

LRESULT TransparentColours(HWND frame, ThemedWindow* themed, HWND control, HDC dc) {
    SetTextColor(dc, ToColorRef(g_engine.palette.windowText));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(AlignedBackgroundBrush(frame, themed, control, dc));
}

// Visual-style push buttons ask their parent before they paint themselves.
bool DrawNotifiedButton(const NMHDR* header, LRESULT* result) {
    if (header == nullptr || header->code != NM_CUSTOMDRAW) return false;
    if (ThemedAs(header->hwndFrom, Role::PushButton) == nullptr) return false;
    if (!IsPushButtonStyle(GetWindowLongW(header->hwndFrom, GWL_STYLE))) return false;
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage != CDDS_PREPAINT) {
        *result = CDRF_DODEFAULT;
        return true;
    }
    ButtonLook look = CurrentLook(header->hwndFrom);
    look.pressed = (draw->uItemState & CDIS_SELECTED) != 0;
    look.hot = (draw->uItemState & CDIS_HOT) != 0 || look.hot;
    look.disabled = (draw->uItemState & CDIS_DISABLED) != 0;
    DrawPushButton(header->hwndFrom, draw->hdc, draw->rc, look);
    *result = CDRF_SKIPDEFAULT;
    return true;
}

}  // namespace

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ThemedWindow* themed = Themed(hwnd);
    if (themed == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (g_engine.attached) {
        switch (message) {
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(hwnd, &client);
            PaintFrameBackground(hwnd, reinterpret_cast<HDC>(wParam), client);
            return 1;
        }
        case WM_PRINTCLIENT:
            if ((lParam & PRF_ERASEBKGND) != 0) {
                RECT client{};
                GetClientRect(hwnd, &client);
                PaintFrameBackground(hwnd, reinterpret_cast<HDC>(wParam), client);
            }
            break;
        case WM_CTLCOLOREDIT:
            return EditColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORSTATIC: {
            // Read-only and disabled edit boxes ask as labels do.
            const HWND control = reinterpret_cast<HWND>(lParam);
            if (HasClass(control, L"Edit")) return EditColours(control, reinterpret_cast<HDC>(wParam));
            return TransparentColours(hwnd, themed, control, reinterpret_cast<HDC>(wParam));
        }
        case WM_CTLCOLORBTN:
            return TransparentColours(hwnd, themed, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        case WM_CTLCOLORDLG:
            return TransparentColours(hwnd, themed, hwnd, reinterpret_cast<HDC>(wParam));
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (DrawNotifiedButton(reinterpret_cast<const NMHDR*>(lParam), &result)) return result;
            break;
        }
        default:
            break;
        }
    }
    return CallOriginal(hwnd, themed, message, wParam, lParam);
}

}  // namespace morvane::engine
