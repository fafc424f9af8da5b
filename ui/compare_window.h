// The signature comparison window: its table and handlers.
#pragma once

#include "ui/toolkit/control_table.h"

namespace morvane::ui {

const WindowTable& CompareWindowTable();

}  // namespace morvane::ui
