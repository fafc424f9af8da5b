#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/toolkit/application.h"
#include "ui/toolkit/codepage.h"
#include "ui/toolkit/dpi.h"
#include "ui/toolkit/edit_timing.h"
#include "ui/toolkit/window.h"

namespace morvane::ui {
namespace {

constexpr int kStatusBarHeight96 = 20;

struct NativeKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

NativeKind NativeKindOf(const ControlRow& row) {
    const Settings& s = row.settings;
    switch (row.kind) {
        case ControlKind::EditBox:
            return {L"EDIT",
                    static_cast<DWORD>(WS_TABSTOP | ES_LEFT |
                                       (s.multiLine ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL : ES_AUTOHSCROLL)),
                    WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0};
        case ControlKind::RadioButton:
            return {L"BUTTON", WS_TABSTOP | BS_RADIOBUTTON, 0};
        case ControlKind::Label: {
            DWORD style = SS_NOPREFIX;
            if (s.align == HorizontalAlign::Centre) {
                style |= SS_CENTER;
            } else {
                style |= s.wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP;
            }
            if (s.verticallyCentred) style |= SS_CENTERIMAGE;
            return {L"STATIC", style, WS_EX_TRANSPARENT};
        }
        case ControlKind::StatusBar:
            return {STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
        case ControlKind::Timer:
            break;
    }
    return {nullptr, 0, 0};
}

int CurrentModifiers() {
    int modifiers = 0;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= kCtrl;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= kShift;
    if (GetKeyState(VK_MENU) < 0) modifiers |= kAlt;
    return modifiers;
}

// TranslateMessage has already posted the character of a key press by the
// time the key reaches the control; a swallowed key must not type it.
void DiscardTranslatedCharacter(HWND control) {
    MSG message;
    if (!PeekMessageW(&message, control, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) {
        PeekMessageW(&message, control, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE);
    }
}

}  // namespace

Control::Control(Window& owner, const ControlRow& row, int id) : owner_(owner), row_(row), id_(id) {}

void Control::create(HWND parent, UINT dpi) {
    const NativeKind native = NativeKindOf(row_);
    if (!native.windowClass) return;  // a timer has no window of its own
    DWORD style = WS_CHILD | native.style;
    if (!row_.settings.hidden) style |= WS_VISIBLE;
    if (row_.settings.disabled) style |= WS_DISABLED;
    hwnd_ = CreateWindowExW(native.exStyle, native.windowClass, WideFromUtf8(row_.caption).c_str(), style, 0, 0, 0, 0,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr),
                            nullptr);
    if (!hwnd_) return;
    SetWindowSubclass(hwnd_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    if (row_.kind == ControlKind::EditBox) SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0);
    applyDpi(dpi);
    if (row_.kind == ControlKind::StatusBar) {
        for (int i = 0; i < static_cast<int>(row_.settings.parts.size()); ++i) {
            setPartText(i, Gbk(row_.settings.parts[static_cast<std::size_t>(i)].text));
        }
    }
}

void Control::applyDpi(UINT dpi) {
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(owner_.fontFor(row_.settings.font)), FALSE);
    const Rect96& place = row_.place;
    if (row_.kind == ControlKind::StatusBar) {
        RECT client;
        GetClientRect(GetParent(hwnd_), &client);
        const int height = ScaleForDpi(kStatusBarHeight96, dpi);
        MoveWindow(hwnd_, 0, client.bottom - height, client.right, height, TRUE);
        std::vector<int> edges;
        int right = 0;
        for (const StatusPart& part : row_.settings.parts) {
            right += ScaleForDpi(part.width, dpi);
            edges.push_back(part.width < 0 ? -1 : right);
        }
        SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        return;
    }
    MoveWindow(hwnd_, ScaleForDpi(place.left, dpi), ScaleForDpi(place.top, dpi), ScaleForDpi(place.width, dpi),
               ScaleForDpi(place.height, dpi), TRUE);
}

std::wstring Control::wideText() const {
    if (!hwnd_) return {};
    EditControlClock clock;
    std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)), L'\0');
    if (!wide.empty()) {
        wide.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, wide.data(), static_cast<int>(wide.size()) + 1)));
    }
    return wide;
}

void Control::setWideText(const std::wstring& wide) {
    EditControlClock clock;
    SetWindowTextW(hwnd_, wide.c_str());
}

Text Control::text() const { return TextFromWide(wideText()); }

void Control::setText(std::string_view text) {
    if (!hwnd_) return;
    const std::wstring wide = WideFromText(text);
    ++quietWrites_;
    setWideText(wide);
    --quietWrites_;
    if (row_.kind == ControlKind::Label) redrawBehindLabel();
    if (row_.kind == ControlKind::EditBox) raiseTextChanged();
}

void Control::append(std::string_view text) {
    if (!hwnd_ || row_.kind != ControlKind::EditBox) return;
    const std::wstring wide = WideFromText(text);
    ++quietWrites_;
    {
        EditControlClock clock;
        const int end = GetWindowTextLengthW(hwnd_);
        SendMessageW(hwnd_, EM_SETSEL, end, end);
        SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    --quietWrites_;
    raiseTextChanged();
}

// A transparent label has no background of its own: what stood behind the old
// text must be painted again before the new text is drawn.
void Control::redrawBehindLabel() {
    HWND parent = GetParent(hwnd_);
    RECT area;
    GetWindowRect(hwnd_, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int Control::checked() const {
    return hwnd_ && SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Control::setChecked(int checked) {
    if (!hwnd_) return;
    if (checked && row_.kind == ControlKind::RadioButton) {
        for (auto& other : owner_.controls()) {
            if (other.get() != this && other->kind() == ControlKind::RadioButton) other->setChecked(0);
        }
    }
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Control::disabled() const { return hwnd_ && !IsWindowEnabled(hwnd_) ? 1 : 0; }

void Control::setDisabled(int disabled) {
    if (hwnd_) EnableWindow(hwnd_, disabled ? FALSE : TRUE);
}

bool Control::visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

int Control::selectionStart() const {
    if (!hwnd_) return 0;
    DWORD start = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return ByteOffsetOfWideIndex(wideText(), static_cast<int>(start));
}

int Control::selectionLength() const {
    if (!hwnd_) return 0;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring wide = wideText();
    return ByteOffsetOfWideIndex(wide, static_cast<int>(end)) - ByteOffsetOfWideIndex(wide, static_cast<int>(start));
}

void Control::setSelectionStart(int bytes) {
    if (!hwnd_) return;
    const int caret = WideIndexOfByteOffset(text(), bytes);
    SendMessageW(hwnd_, EM_SETSEL, caret, caret);
}

void Control::setSelectionLength(int bytes) {
    if (!hwnd_) return;
    DWORD start = 0;
    SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const std::wstring wide = wideText();
    const int startBytes = ByteOffsetOfWideIndex(wide, static_cast<int>(start));
    const int end = WideIndexOfByteOffset(TextFromWide(wide), startBytes + std::max(bytes, 0));
    SendMessageW(hwnd_, EM_SETSEL, start, end);
}

void Control::setPeriod(int milliseconds) {
    period_ = std::max(milliseconds, 0);
    if (!owner_.hwnd()) return;
    if (period_ == 0) {
        KillTimer(owner_.hwnd(), static_cast<UINT_PTR>(id_));
    } else {
        SetTimer(owner_.hwnd(), static_cast<UINT_PTR>(id_), static_cast<UINT>(period_), nullptr);
    }
}

void Control::setPartText(int part, std::string_view text) {
    if (!hwnd_ || part < 0 || part >= static_cast<int>(row_.settings.parts.size())) return;
    SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(WideFromText(text).c_str()));
}

Text Control::partText(int part) const {
    if (!hwnd_ || part < 0 || part >= static_cast<int>(row_.settings.parts.size())) return {};
    const auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring wide(length + 1u, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(length);
    return TextFromWide(wide);
}

void Control::raiseTextChanged() {
    ++changeCount_;
    if (!row_.handlers.textChanged) return;
    HandlerScope scope;
    row_.handlers.textChanged(owner_);
}

void Control::onEditNotification(int code) {
    if (code == EN_CHANGE && quietWrites_ == 0) raiseTextChanged();
}

void Control::onClicked() {
    if (row_.kind == ControlKind::CheckBox) setChecked(checked() ? 0 : 1);
    if (row_.kind == ControlKind::RadioButton) setChecked(1);
    if (!row_.handlers.clicked) return;
    HandlerScope scope;
    row_.handlers.clicked(owner_);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    return reinterpret_cast<Control*>(self)->subclassed(hwnd, message, wParam, lParam);
}

LRESULT Control::subclassed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const Handlers& handlers = row_.handlers;
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (handlers.keyPressed) {
                HandlerScope scope;
                if (!handlers.keyPressed(owner_, *this, {static_cast<int>(wParam), CurrentModifiers()})) {
                    DiscardTranslatedCharacter(hwnd);
                    return 0;
                }
            }
            // Some systems' edit controls select everything on Ctrl+A by
            // themselves, Shift or not; selecting is left to the key handlers.
            if (row_.kind == ControlKind::EditBox && wParam == 'A' && GetKeyState(VK_CONTROL) < 0) return 0;
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            const MouseHandler handler = message == WM_MOUSEMOVE ? handlers.mouseMoved : handlers.leftButtonUp;
            if (handler) {
                int modifiers = 0;
                if (wParam & MK_CONTROL) modifiers |= kCtrl;
                if (wParam & MK_SHIFT) modifiers |= kShift;
                if (GetKeyState(VK_MENU) < 0) modifiers |= kAlt;
                HandlerScope scope;
                if (!handler(owner_, *this, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), modifiers})) return 0;
            }
            break;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, SubclassProc, 0);
            hwnd_ = nullptr;
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace morvane::ui
