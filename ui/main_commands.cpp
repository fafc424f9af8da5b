#include "ui/main_commands.h"

#include "core/bytes.h"
#include "core/literal.h"
#include "core/shaping.h"
#include "core/text.h"
#include "ui/compare_window.h"
#include "ui/conversion_ties.h"
#include "ui/skin_steps.h"
#include "ui/system_calls.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/codepage.h"

namespace morvane::ui {

void OnTextToByteSet(Window& window) {
    ConversionTies ties(window);
    Text literal = FormatByteSetLiteral(ToByteSet(window["编辑框1"].text()), ties);
    if (ties.Outdated()) return;
    window["编辑框2"].setText(literal);
}

void OnByteSetToText(Window& window) {
    window["编辑框2"].setText(ToText(ParseByteSetLiteral(window["编辑框1"].text())));
}

void OnClearBoth(Window& window) {
    SkinTintStep();
    window["编辑框1"].setText("");
    window["编辑框2"].setText("");  // also in the mode that leaves an empty source unconverted
}

void OnSplitSource(Window& window) {
    const Text source = window["编辑框1"].text();
    if (!HasInnerSpace(source)) window["编辑框1"].setText(SplitIntoPairs(source));
}

void OnPackSource(Window& window) {
    const Text source = window["编辑框1"].text();
    if (HasInnerSpace(source)) window["编辑框1"].setText(RemoveSpaces(source));
}

void OnPackResult(Window& window) {
    const Text result = window["编辑框2"].text();
    if (!HasInnerSpace(result)) return;
    const int pairs = window["选择框_结果22分开"].checked();
    window["编辑框2"].setText(RemoveSpaces(result));
    if (pairs != 0) window["选择框_结果22分开"].setChecked(0);
}

// The click has already toggled the box; the result's own shape decides.
void OnPairOptionClicked(Window& window) {
    const Text result = window["编辑框2"].text();
    window["编辑框2"].setText(HasInnerSpace(result) ? RemoveSpaces(result) : SplitIntoPairs(result));
}

// Acts on this window itself, not on whatever happens to be in the foreground.
void OnTopMostClicked(Window& window) {
    CurrentSystemCalls().SetTopMost(window.hwnd(), window["选择框_窗口置顶"].checked() == 1);
}

void OnOpenCalculator(Window&) {
    SkinTintStep();
    CurrentSystemCalls().OpenCalculator();  // nothing is reported when it does not start
}

void OnOpenCompareWindow(Window&) { OpenWindow(CompareWindowTable()); }

bool SelectAllOnCtrlA(Window&, Control& box, KeyEvent key) {
    if (key.key != 'A' || key.modifiers != kCtrl) return true;
    box.setSelectionStart(0);
    box.setSelectionLength(TextLength(box.text()));
    return false;
}

bool ShowCaretCounts(Window& window, Control& box, MouseEvent) {
    static const Text before = Gbk("在你定位前有");
    static const Text middle = Gbk("个字符，去空格后定位前有");
    static const Text after = Gbk("个字符");
    const Text preceding = TextLeft(box.text(), box.selectionStart());
    const std::int32_t characters = CountChars(preceding);
    const std::int32_t withoutSpaces = CountChars(RemoveSpaces(preceding));
    window["状态条"].setPartText(0, ConcatText({before, ToText(characters), middle, ToText(withoutSpaces), after}));
    return true;
}

bool ShowSelectionCount(Window& window, Control& box, MouseEvent) {
    static const Text before = Gbk("选中了");
    static const Text after = Gbk("个字符");
    const std::int32_t selected = CountChars(TextMid(box.text(), box.selectionStart() + 1, box.selectionLength()));
    window["状态条"].setPartText(1, ConcatText({before, ToText(selected), after}));
    return true;
}

}  // namespace morvane::ui
