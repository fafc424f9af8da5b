#include "ui/toolkit/application.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "ui/toolkit/window.h"

namespace morvane::ui {
namespace {

struct ToolkitState {
    std::vector<std::unique_ptr<Window>> open;
    // Closed windows live on until no handler runs, since one of their
    // handlers may still be on the stack (a conversion pumping events).
    std::vector<std::unique_ptr<Window>> closed;
    std::vector<std::function<void()>> exitProcedures;
    int handlerDepth = 0;
};

ToolkitState& State() {
    static ToolkitState state;
    return state;
}

void ReleaseClosedWindows() {
    if (State().handlerDepth == 0) State().closed.clear();
}

// Keyboard navigation (Tab between controls, arrows between radio buttons)
// as in a dialog, for the windows of this toolkit.
bool HandledAsDialogKey(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    const auto& open = State().open;
    const bool ours = std::any_of(open.begin(), open.end(), [&](const auto& window) { return window->hwnd() == root; });
    return ours && IsDialogMessageW(root, &message) != FALSE;
}

void Dispatch(MSG& message) {
    if (HandledAsDialogKey(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

bool InitialiseToolkit() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return Window::RegisterWindowClass();
}

Window* FindOpenWindow(const WindowTable& table) {
    for (auto& window : State().open) {
        if (&window->table() == &table && window->isOpen()) return window.get();
    }
    return nullptr;
}

int OpenWindowCount() { return static_cast<int>(State().open.size()); }

Window* OpenWindow(const WindowTable& table) {
    if (Window* existing = FindOpenWindow(table)) {
        if (IsIconic(existing->hwnd())) {
            ShowWindow(existing->hwnd(), SW_RESTORE);
        } else {
            SetForegroundWindow(existing->hwnd());
        }
        return existing;
    }
    auto created = Window::Create(table);
    if (!created) return nullptr;
    Window* window = created.get();
    if (!window->isOpen()) {  // closed by its own created handler
        State().closed.push_back(std::move(created));
        return nullptr;
    }
    State().open.push_back(std::move(created));
    return window;
}

void NoteWindowClosed(Window& window) {
    auto& open = State().open;
    const auto found = std::find_if(open.begin(), open.end(), [&](const auto& w) { return w.get() == &window; });
    if (found == open.end()) return;
    State().closed.push_back(std::move(*found));
    open.erase(found);
}

void RegisterExitProcedure(std::function<void()> procedure) {
    State().exitProcedures.push_back(std::move(procedure));
}

void ForgetExitProcedures() { State().exitProcedures.clear(); }

void RunMessageLoop() {
    MSG message;
    while (!State().open.empty() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
        ReleaseClosedWindows();
    }
    ReleaseClosedWindows();
    auto procedures = std::exchange(State().exitProcedures, {});
    for (auto& procedure : procedures) procedure();
}

void ProcessPendingEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the loop
            break;
        }
        Dispatch(message);
    }
    ReleaseClosedWindows();
}

HandlerScope::HandlerScope() { ++State().handlerDepth; }
HandlerScope::~HandlerScope() { --State().handlerDepth; }

}  // namespace morvane::ui
