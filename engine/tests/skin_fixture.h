// The project's own skin, compiled from its source, as the tests' base file.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/skin_format.h"
#include "engine/tools/skin_source.h"

namespace morvane::skin::testing {

inline std::vector<uint8_t> ReadFileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> ProjectSkinFile() {
    const std::vector<uint8_t> source = ReadFileBytes(MORVANE_SKIN_SOURCE);
    std::string error;
    auto file = CompileSkinSource(std::string(source.begin(), source.end()), &error);
    return file ? *file : std::vector<uint8_t>{};
}

inline Skin ProjectSkin() {
    const std::vector<uint8_t> file = ProjectSkinFile();
    Skin skin{};
    ParseSkin(file.data(), file.size(), &skin);
    return skin;
}

}  // namespace morvane::skin::testing
