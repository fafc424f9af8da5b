// The skin's editable source: one "name = value" line per field, colours as
// #RRGGBB, metrics as decimal numbers, lines starting with '#' are comments.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::skin {

// The skin file for the source, or nothing with a message naming the line.
std::optional<std::vector<uint8_t>> CompileSkinSource(std::string_view source, std::string* error);

}  // namespace morvane::skin
