#include "ui/skin_steps.h"

namespace morvane::ui {

void SkinStartUpSteps() {}
void SkinMainWindowCreatedSteps() {}
void SkinTintStep() {}

}  // namespace morvane::ui
