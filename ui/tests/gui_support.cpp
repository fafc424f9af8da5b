#include "ui/tests/gui_support.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/toolkit/application.h"

namespace morvane::ui::testing {
namespace {

void SendAll(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(60);
}

INPUT MouseInput(HWND control, POINT client, DWORD flags) {
    ClientToScreen(control, &client);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(client.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(client.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

}  // namespace

void PumpFor(int milliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        ProcessPendingEvents();
        Sleep(5);
    } while (GetTickCount64() < end);
    ProcessPendingEvents();
}

bool PumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMilliseconds);
    while (!condition()) {
        if (GetTickCount64() >= end) return condition();
        ProcessPendingEvents();
        Sleep(5);
    }
    return true;
}

void Focus(Window& window, Control& control) {
    SetForegroundWindow(window.hwnd());
    SetActiveWindow(window.hwnd());
    SetFocus(control.hwnd());
    PumpUntil([&] { return GetFocus() == control.hwnd(); }, 2000);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = keys.end(); key != keys.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendAll(inputs);
}

void MoveMouse(HWND control, POINT client) {
    std::vector<INPUT> inputs{MouseInput(control, client, MOUSEEVENTF_MOVE)};
    SendAll(inputs);
}

void DragMouse(HWND control, POINT fromClient, POINT toClient) {
    std::vector<INPUT> inputs{MouseInput(control, fromClient, MOUSEEVENTF_MOVE),
                              MouseInput(control, fromClient, MOUSEEVENTF_LEFTDOWN)};
    SendAll(inputs);
    inputs = {MouseInput(control, toClient, MOUSEEVENTF_MOVE)};
    SendAll(inputs);
    inputs = {MouseInput(control, toClient, MOUSEEVENTF_LEFTUP)};
    SendAll(inputs);
}

RECT PlaceInParent(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectFixedCentredFrame(HWND window, const wchar_t* title, int width, int height) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, title);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, width);
    EXPECT_EQ(outer.bottom - outer.top, height);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(GetMenu(window), nullptr);
}

}  // namespace morvane::ui::testing
