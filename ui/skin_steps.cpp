#include "ui/skin_steps.h"

#include "skin/binding/skin_engine.h"
#include "ui/toolkit/application.h"

namespace morvane::ui {

void SkinStartUpSteps() {
    CreateSkinEngine();
    RegisterExitProcedure(ReleaseSkinEngine);
    LoadSkinEngine();
}

void SkinMainWindowCreatedSteps() {
    InitSkin(9, true);
    TintSkinRandomly();
}

void SkinTintStep() { TintSkinRandomly(); }

}  // namespace morvane::ui
