// Writes skin files: used by the skin compiler and by tests that need valid
// and deliberately broken files. Not part of the DLL.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/skin_format.h"

namespace morvane::skin {

struct Record {
    uint16_t key;
    uint16_t reserved;
    uint32_t value;
};

// A file holding these records in this order, with a header that matches them
// (count, length and checksum), so that only the records themselves can be wrong.
std::vector<uint8_t> WriteRecords(std::span<const Record> records);

std::vector<uint8_t> WriteSkin(const Skin& skin);

// Recomputes the checksum after a test has edited the bytes.
void Reseal(std::vector<uint8_t>& file);

}  // namespace morvane::skin
