#include "ui/system_calls.h"

#include <shellapi.h>

#include <string>

namespace morvane::ui {
namespace {

SystemCalls realCalls;
SystemCalls* current = &realCalls;

}  // namespace

bool SystemCalls::SetTopMost(HWND window, bool topMost) {
    return SetWindowPos(window, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

bool SystemCalls::OpenCalculator() {
    // The system directory, wherever Windows is installed.
    std::wstring directory(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(directory.data(), MAX_PATH);
    directory.resize(length < MAX_PATH ? length : 0);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI;  // a calculator that does not start is not reported
    request.lpFile = L"calc";
    request.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    request.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&request) != FALSE;
}

void SystemCalls::ReportStartUpFailure() {
    MessageBoxW(nullptr, L"无法创建主窗口，程序将退出。", L"Morvane", MB_OK | MB_ICONERROR);
}

SystemCalls& CurrentSystemCalls() { return *current; }
void UseSystemCalls(SystemCalls* calls) { current = calls ? calls : &realCalls; }

}  // namespace morvane::ui
