#include "ui/compare_window.h"

#include <string_view>

#include "core/shaping.h"
#include "ui/main_commands.h"
#include "ui/skin_steps.h"
#include "ui/toolkit/window.h"

namespace morvane::ui {
namespace {

// Always taken in this order.
constexpr std::string_view kBoxes[] = {"编辑框_特征码1", "编辑框_特征码2", "编辑框_结果"};

void OnCompare(Window& window) {
    window["编辑框_结果"].setText("");
    window["编辑框_结果"].setText(MergeSignatures(window["编辑框_特征码1"].text(), window["编辑框_特征码2"].text()));
}

void OnSplitAll(Window& window) {
    for (std::string_view name : kBoxes) {
        const Text text = window[name].text();
        if (!HasInnerSpace(text)) window[name].setText(SplitIntoPairs(text));
    }
}

void OnRemoveAllSpaces(Window& window) {
    for (std::string_view name : kBoxes) window[name].setText(RemoveSpaces(window[name].text()));
}

void OnClearAll(Window& window) {
    SkinTintStep();
    for (std::string_view name : kBoxes) window[name].setText("");
}

void OnCreated(Window&) { SkinTintStep(); }

constexpr Settings kBox{.font = {14}, .multiLine = true};
constexpr Settings kLabel{.verticallyCentred = true};
constexpr Handlers kBoxHandlers{.keyPressed = SelectAllOnCtrlA};

constexpr ControlRow kControls[] = {
    {"透明标签_特征码_标签1", ControlKind::Label, {6, 24, 48, 24}, "特征码1：", kLabel},
    {"编辑框_特征码1", ControlKind::EditBox, {56, 8, 296, 56}, "", kBox, kBoxHandlers},
    {"透明标签_特征码_标签2", ControlKind::Label, {8, 96, 48, 24}, "特征码2：", kLabel},
    {"编辑框_特征码2", ControlKind::EditBox, {56, 72, 296, 56}, "", kBox, kBoxHandlers},
    {"透明标签_特征码_标签3", ControlKind::Label, {16, 152, 40, 24}, "结果：", kLabel},
    {"编辑框_结果", ControlKind::EditBox, {56, 136, 296, 56}, "", kBox, kBoxHandlers},
    {"按钮_去空格", ControlKind::Button, {43, 200, 72, 24}, "去空格", {}, {.clicked = OnRemoveAllSpaces}},
    {"按钮_22分开", ControlKind::Button, {115, 200, 72, 24}, "22分开", {}, {.clicked = OnSplitAll}},
    {"按钮_对比", ControlKind::Button, {188, 200, 72, 24}, "对比", {}, {.clicked = OnCompare}},
    {"按钮_清空", ControlKind::Button, {259, 200, 72, 24}, "清空", {}, {.clicked = OnClearAll}},
};

constexpr WindowTable kCompareWindow{"对比特征码", 380, 259, kControls, OnCreated};

}  // namespace

const WindowTable& CompareWindowTable() { return kCompareWindow; }

}  // namespace morvane::ui
