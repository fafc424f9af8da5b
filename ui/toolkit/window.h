// A top-level window built from a control table, and its controls with the
// properties that handlers read and write.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "ui/toolkit/control_table.h"

namespace morvane::ui {

class Control {
public:
    Control(Window& owner, const ControlRow& row, int id);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    std::string_view name() const { return row_.name; }
    ControlKind kind() const { return row_.kind; }
    const ControlRow& row() const { return row_; }
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }

    // Edit box, label, button caption. Writing an edit box's text raises its
    // text-changed handler once before returning, even when nothing changed.
    Text text() const;
    void setText(std::string_view text);
    void append(std::string_view text);

    int checked() const;
    void setChecked(int checked);  // raises no click
    int disabled() const;
    void setDisabled(int disabled);
    bool visible() const;

    // In bytes of the box's Text.
    int selectionStart() const;
    int selectionLength() const;
    void setSelectionStart(int bytes);
    void setSelectionLength(int bytes);

    // Timer: milliseconds; 0 stops, a negative period counts as 0.
    int period() const { return period_; }
    void setPeriod(int milliseconds);

    // Status bar: part i from 0; an index outside the parts does nothing.
    void setPartText(int part, std::string_view text);
    Text partText(int part) const;

    // Times the text-changed event was raised (user edits and writes alike).
    std::uint64_t changeCount() const { return changeCount_; }

private:
    friend class Window;
    void create(HWND parent, UINT dpi);
    void applyDpi(UINT dpi);
    void raiseTextChanged();
    void onEditNotification(int code);
    void onClicked();
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT subclassed(HWND, UINT, WPARAM, LPARAM);
    void setWideText(const std::wstring& wide);
    std::wstring wideText() const;
    void redrawBehindLabel();

    Window& owner_;
    const ControlRow& row_;
    int id_;
    HWND hwnd_ = nullptr;
    int period_ = 0;
    int quietWrites_ = 0;  // EN_CHANGE during our own writes is not the user's edit
    std::uint64_t changeCount_ = 0;
};

class Window {
public:
    // Builds the window and its controls, runs the created handler, shows it.
    // Returns null when the window cannot be created.
    static std::unique_ptr<Window> Create(const WindowTable& table);
    static bool RegisterWindowClass();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const WindowTable& table() const { return table_; }
    HWND hwnd() const { return hwnd_; }
    bool isOpen() const { return hwnd_ != nullptr; }
    UINT dpi() const { return dpi_; }

    // The control of that name; a name missing from the table is a programming error.
    Control& operator[](std::string_view name);
    Control* find(std::string_view name);
    std::vector<std::unique_ptr<Control>>& controls() { return controls_; }

    // Rescales frame, places, sizes and fonts for a new DPI.
    void applyDpi(UINT dpi, const RECT* suggested);

    HFONT fontFor(const FontChoice& font);

private:
    explicit Window(const WindowTable& table);
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT, WPARAM, LPARAM);
    Control* controlById(int id);
    Control* controlByHwnd(HWND child);
    void releaseFonts();

    const WindowTable& table_;
    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    std::vector<std::unique_ptr<Control>> controls_;
    struct CachedFont {
        FontChoice choice;
        HFONT font;
    };
    std::vector<CachedFont> fonts_;
};

}  // namespace morvane::ui
