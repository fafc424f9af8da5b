#include "engine/tools/skin_source.h"

#include <charconv>

#include "engine/skin_writer.h"

namespace morvane::skin {
namespace {

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::optional<uint32_t> ParseNumber(std::string_view text, int base) {
    uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// Colours (the fields whose largest value is 0xFFFFFF) are written #RRGGBB.
std::optional<uint32_t> ParseValue(const FieldSpec& spec, std::string_view text) {
    if (spec.max == 0xFFFFFF) {
        if (text.size() != 7 || text[0] != '#') return std::nullopt;
        return ParseNumber(text.substr(1), 16);
    }
    return ParseNumber(text, 10);
}

}  // namespace

std::optional<std::vector<uint8_t>> CompileSkinSource(std::string_view source, std::string* error) {
    Skin skin{};
    bool seen[kFieldCount] = {};
    int lineNumber = 0;
    auto fail = [&](std::string_view what) {
        *error = "line " + std::to_string(lineNumber) + ": " + std::string(what);
        return std::nullopt;
    };
    while (!source.empty()) {
        ++lineNumber;
        const auto newline = source.find('\n');
        const std::string_view line = Trim(source.substr(0, newline));
        source = newline == std::string_view::npos ? std::string_view{} : source.substr(newline + 1);
        if (line.empty() || line[0] == '#') continue;

        const auto equals = line.find('=');
        if (equals == std::string_view::npos) return fail("expected name = value");
        const std::string_view name = Trim(line.substr(0, equals));
        const std::string_view valueText = Trim(line.substr(equals + 1));
        size_t index = 0;
        while (index < kFieldCount && kFields[index].name != name) ++index;
        if (index == kFieldCount) return fail("unknown field " + std::string(name));
        if (seen[index]) return fail("field given twice: " + std::string(name));
        const auto value = ParseValue(kFields[index], valueText);
        if (!value || *value < kFields[index].min || *value > kFields[index].max)
            return fail("bad value for " + std::string(name));
        skin.values[index] = *value;
        seen[index] = true;
    }
    for (size_t i = 0; i < kFieldCount; ++i) {
        if (!seen[i]) {
            *error = std::string("missing field ") + kFields[i].name;
            return std::nullopt;
        }
    }
    return WriteSkin(skin);
}

}  // namespace morvane::skin
