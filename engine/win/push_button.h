// Flat push buttons: the one drawing used both for the button's own painting
// and for the custom-draw notification that visual-style buttons send.
#pragma once

#include <windows.h>

namespace morvane::engine {

struct ButtonLook {
    bool pressed;
    bool hot;
    bool focused;
    bool disabled;
    bool hideFocus;
    bool hidePrefix;
};

void DrawPushButton(HWND button, HDC dc, const RECT& rect, const ButtonLook& look);

// The look as the button reports it itself.
ButtonLook CurrentLook(HWND button);

}  // namespace morvane::engine
