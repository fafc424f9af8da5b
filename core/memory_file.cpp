// The in-memory text accumulator.
#include <algorithm>

#include "core/bytes.h"
#include "core/char_units.h"

namespace morvane {

void MemoryFile::InsertText(std::string_view t) {
    // Room comes in whole 1024-byte steps, at least doubling, so appending stays linear.
    const std::size_t needed = data_.size() + t.size();
    if (needed > data_.capacity()) data_.reserve(std::max(2 * data_.capacity(), (needed + 1023) / 1024 * 1024));
    data_.insert(data_.begin() + static_cast<std::ptrdiff_t>(position_), t.begin(), t.end());
    position_ += t.size();
}

void MemoryFile::SeekToStart() { position_ = 0; }

Text MemoryFile::ReadText() {
    const std::string_view rest(data_.data() + position_, data_.size() - position_);
    const std::size_t end = std::min(rest.find('\0'), rest.find('\x1A'));
    Text text(rest.substr(0, end));
    // A lead byte whose second byte would be the 00 goes with it.
    if (end < rest.size() && rest[end] == '\0') {
        std::size_t i = 0;
        while (i < text.size() && !IsLoneLeadByte(text, i)) i += UnitLength(text[i]);
        text.resize(i);
    }
    position_ += text.size();
    return text;
}

}  // namespace morvane
