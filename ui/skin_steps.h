// Where the skin engine joins start-up and the window handlers. Each step is
// called at its place already; until the engine binding fills them in they do nothing.
#pragma once

namespace morvane::ui {

// After the toolkit is initialised, before the main window opens:
// create the engine object, register its exit procedure, map the engine.
void SkinStartUpSteps();

// First in the main window's created handler: attach the skin, first tint.
void SkinMainWindowCreatedSteps();

// A fresh tint: first in both clear commands and the calculator command,
// and in the comparison window's created handler.
void SkinTintStep();

}  // namespace morvane::ui
