#include "engine/win/thread_windows.h"

#include <windows.h>

#include "engine/win/engine_state.h"
#include "engine/win/themed_window.h"

namespace morvane::engine {
namespace {

struct ThreadHook {
    DWORD thread;
    HHOOK hook;
};

// A few threads at most ever attach; the program uses one.
constexpr int kMaxHookedThreads = 8;
ThreadHook g_hooks[kMaxHookedThreads] = {};

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_engine.attached) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (create != nullptr && create->lpcs != nullptr)
            ThemeIfWanted(reinterpret_cast<HWND>(wParam), create->lpcs->style, create->lpcs->hwndParent);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void HookCurrentThread() {
    const DWORD thread = GetCurrentThreadId();
    ThreadHook* slot = nullptr;
    for (ThreadHook& h : g_hooks) {
        if (h.hook != nullptr && h.thread == thread) return;
        if (h.hook == nullptr && slot == nullptr) slot = &h;
    }
    if (slot == nullptr) return;
    slot->hook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, thread);
    slot->thread = thread;
}

BOOL CALLBACK ThemeTopLevel(HWND hwnd, LPARAM) {
    ThemeWindowTree(hwnd);
    return TRUE;
}

BOOL CALLBACK RefreshEditFrame(HWND child, LPARAM) {
    if (ThemedAs(child, Role::Edit) != nullptr) RedrawWindow(child, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    return TRUE;
}

BOOL CALLBACK RedrawTopLevel(HWND hwnd, LPARAM) {
    if (ThemedAs(hwnd, Role::Frame) == nullptr) return TRUE;
    EnumChildWindows(hwnd, RefreshEditFrame, 0);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

BOOL CALLBACK ReleaseChild(HWND child, LPARAM) {
    ReleaseWindow(child);
    return TRUE;
}

BOOL CALLBACK ReleaseTopLevel(HWND hwnd, LPARAM) {
    EnumChildWindows(hwnd, ReleaseChild, 0);
    ReleaseWindow(hwnd);
    return TRUE;
}

}  // namespace

void ThemeCurrentThread() {
    HookCurrentThread();
    EnumThreadWindows(GetCurrentThreadId(), ThemeTopLevel, 0);
}

void RedrawCurrentThread() { EnumThreadWindows(GetCurrentThreadId(), RedrawTopLevel, 0); }

void ReleaseAll() {
    for (ThreadHook& h : g_hooks) {
        if (h.hook != nullptr) UnhookWindowsHookEx(h.hook);
        h = ThreadHook{};
    }
    EnumThreadWindows(GetCurrentThreadId(), ReleaseTopLevel, 0);
    g_engine.attached = false;
}

}  // namespace morvane::engine
