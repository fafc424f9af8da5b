#include <windows.h>

#include "ui/main_window.h"
#include "ui/start_up.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return morvane::ui::RunProgram(morvane::ui::MainWindowTable());
}
