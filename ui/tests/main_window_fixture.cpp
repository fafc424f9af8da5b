#include "ui/tests/main_window_fixture.h"

namespace morvane::ui::testing {

Window* MainWindowTest::window = nullptr;

}  // namespace morvane::ui::testing
