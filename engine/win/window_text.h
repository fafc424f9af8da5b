// A window's or a status bar part's text, on the stack when short.
#pragma once

#include <windows.h>

namespace morvane::engine {

class WindowText {
public:
    WindowText() = default;
    WindowText(const WindowText&) = delete;
    WindowText& operator=(const WindowText&) = delete;
    ~WindowText() {
        if (heap_ != nullptr) HeapFree(GetProcessHeap(), 0, heap_);
    }

    // Room for `length` characters and the terminator; false when out of memory.
    bool Reserve(int length) {
        if (length < static_cast<int>(sizeof local_ / sizeof local_[0])) return true;
        heap_ = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, (length + 1) * sizeof(wchar_t)));
        return heap_ != nullptr;
    }
    wchar_t* Buffer() { return heap_ != nullptr ? heap_ : local_; }
    int Capacity() const { return heap_ != nullptr ? 0x7FFFFFFF : static_cast<int>(sizeof local_ / sizeof local_[0]); }

    bool LoadFromWindow(HWND hwnd) {
        const int length = GetWindowTextLengthW(hwnd);
        if (!Reserve(length)) return false;
        length_ = GetWindowTextW(hwnd, Buffer(), length + 1);
        return true;
    }
    void SetLength(int length) { length_ = length; }
    int Length() const { return length_; }

private:
    wchar_t local_[128] = {};
    wchar_t* heap_ = nullptr;
    int length_ = 0;
};

}  // namespace morvane::engine
