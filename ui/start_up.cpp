#include "ui/start_up.h"

#include "ui/skin_steps.h"
#include "ui/system_calls.h"
#include "ui/toolkit/application.h"

namespace morvane::ui {

int RunProgram(const WindowTable& mainWindow) {
    InitialiseToolkit();
    SkinStartUpSteps();
    if (!OpenWindow(mainWindow)) {
        CurrentSystemCalls().ReportStartUpFailure();
        ForgetExitProcedures();
        return 1;
    }
    RunMessageLoop();
    return 0;
}

}  // namespace morvane::ui
