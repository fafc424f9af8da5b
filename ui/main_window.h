// The main window: its table and handlers.
#pragma once

#include "ui/toolkit/control_table.h"

namespace morvane::ui {

const WindowTable& MainWindowTable();

}  // namespace morvane::ui
