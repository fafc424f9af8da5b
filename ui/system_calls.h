// The shell and window-placement calls of the main window's commands, behind
// a seam so tests can record them instead of starting programs.
#pragma once

#include <windows.h>

namespace morvane::ui {

class SystemCalls {
public:
    virtual ~SystemCalls() = default;
    // Places the window above all non-top-most windows, or back among them.
    virtual bool SetTopMost(HWND window, bool topMost);
    // Starts the system calculator in the system directory, shown normally.
    virtual bool OpenCalculator();
    // Tells the user that the program cannot start.
    virtual void ReportStartUpFailure();
};

SystemCalls& CurrentSystemCalls();
// Tests install a recorder; null puts the real calls back.
void UseSystemCalls(SystemCalls* calls);

}  // namespace morvane::ui
