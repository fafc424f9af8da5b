// The buttons and check boxes of the main window, the status feedback on the
// caret and the selection, and Ctrl+A in edit boxes.
#pragma once

#include "ui/toolkit/window.h"

namespace morvane::ui {

void OnTextToByteSet(Window& window);
void OnByteSetToText(Window& window);
void OnClearBoth(Window& window);
void OnSplitSource(Window& window);
void OnPackSource(Window& window);
void OnPackResult(Window& window);
void OnPairOptionClicked(Window& window);
void OnTopMostClicked(Window& window);
void OnOpenCalculator(Window& window);
void OnOpenCompareWindow(Window& window);

// Ctrl and nothing else with A selects the whole box and types nothing.
bool SelectAllOnCtrlA(Window& window, Control& box, KeyEvent key);
bool ShowCaretCounts(Window& window, Control& box, MouseEvent mouse);
bool ShowSelectionCount(Window& window, Control& box, MouseEvent mouse);

}  // namespace morvane::ui
