// Declarative description of a window: its frame and a table of controls.
#pragma once

#include <span>
#include <string_view>

namespace morvane::ui {

class Window;
class Control;

enum class ControlKind { EditBox, Button, CheckBox, RadioButton, Label, StatusBar, Timer };

// Pixels at 96 DPI in the window's client area; scaled for other DPIs.
struct Rect96 {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Height 0 is the system's dialog font; any other height is the face
// "微软雅黑" at that character height in pixels (96 DPI).
struct FontChoice {
    int height = 0;
    bool bold = false;
};

enum class HorizontalAlign { Left, Centre };

struct StatusPart {
    int width = 0;  // 96-DPI pixels; -1 takes the rest of the bar
    std::string_view text;
};

struct Settings {
    FontChoice font;
    bool hidden = false;
    bool disabled = false;
    bool multiLine = false;           // edit box: Enter breaks the line, text wraps
    HorizontalAlign align = HorizontalAlign::Left;
    bool verticallyCentred = false;   // label
    bool wordWrap = false;            // label
    std::span<const StatusPart> parts;  // status bar
};

enum Modifier : int { kCtrl = 1, kShift = 2, kAlt = 4 };

struct KeyEvent {
    int key = 0;        // virtual-key code
    int modifiers = 0;  // Modifier bits
};

struct MouseEvent {
    int x = 0;
    int y = 0;
    int modifiers = 0;
};

// Key and mouse handlers return false to swallow the message.
using EventHandler = void (*)(Window&);
using KeyHandler = bool (*)(Window&, Control&, KeyEvent);
using MouseHandler = bool (*)(Window&, Control&, MouseEvent);

struct Handlers {
    EventHandler clicked = nullptr;
    EventHandler textChanged = nullptr;
    EventHandler tick = nullptr;
    KeyHandler keyPressed = nullptr;
    MouseHandler mouseMoved = nullptr;
    MouseHandler leftButtonUp = nullptr;
};

// Names and captions are UTF-8 source text.
struct ControlRow {
    std::string_view name;
    ControlKind kind;
    Rect96 place;
    std::string_view caption;
    Settings settings;
    Handlers handlers;
};

struct WindowTable {
    std::string_view title;
    int width = 0;   // outer frame at 96 DPI
    int height = 0;
    std::span<const ControlRow> controls;
    EventHandler created = nullptr;  // after the controls exist, before the window shows
};

}  // namespace morvane::ui
