// The program from start to end.
#pragma once

#include "ui/toolkit/control_table.h"

namespace morvane::ui {

// Starts the toolkit and the skin, opens the main window, runs until the last
// window closes. When the main window cannot be created it says so and ends
// at once, without the exit procedures. Returns the process exit code.
int RunProgram(const WindowTable& mainWindow);

}  // namespace morvane::ui
