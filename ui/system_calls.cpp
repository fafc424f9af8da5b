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
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, nullptr, L"calc", nullptr, directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL));
    return result > 32;
}

void SystemCalls::ReportStartUpFailure() {
    MessageBoxW(nullptr, L"无法创建主窗口，程序将退出。", L"Morvane", MB_OK | MB_ICONERROR);
}

SystemCalls& CurrentSystemCalls() { return *current; }
void UseSystemCalls(SystemCalls* calls) { current = calls ? calls : &realCalls; }

}  // namespace morvane::ui
