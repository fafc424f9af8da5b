// The toolkit's process-wide part: start-up, the open windows, the message
// loop, pending events and the exit procedures.
#pragma once

#include <functional>

#include "ui/toolkit/control_table.h"

namespace morvane::ui {

class Window;

// Registers the window class and the common controls. False when it fails.
bool InitialiseToolkit();

// Opens the window of this table modeless. When it is already open it is
// restored if minimised, else activated; it is never opened twice.
// Null when the window cannot be created.
Window* OpenWindow(const WindowTable& table);
Window* FindOpenWindow(const WindowTable& table);
int OpenWindowCount();

void RegisterExitProcedure(std::function<void()> procedure);
// For a program that ends before its loop: the procedures will never run.
void ForgetExitProcedures();

// Runs until no window of the program is open, then runs the exit procedures
// once, in the order of their registration.
void RunMessageLoop();

// Handles every queued window message, then returns.
void ProcessPendingEvents();

// Marks a handler running, so a window closed meanwhile outlives it.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

// Called by a window when its frame has been destroyed.
void NoteWindowClosed(Window& window);

}  // namespace morvane::ui
