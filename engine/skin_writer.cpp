#include "engine/skin_writer.h"

namespace morvane::skin {
namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, static_cast<uint16_t>(v));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}

void SetU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> WriteRecords(std::span<const Record> records) {
    std::vector<uint8_t> out(kMagic, kMagic + sizeof kMagic);
    PutU16(out, kVersion);
    PutU16(out, static_cast<uint16_t>(records.size()));
    PutU32(out, static_cast<uint32_t>(kHeaderSize + records.size() * kRecordSize));
    PutU32(out, 0);
    for (const Record& r : records) {
        PutU16(out, r.key);
        PutU16(out, r.reserved);
        PutU32(out, r.value);
    }
    Reseal(out);
    return out;
}

std::vector<uint8_t> WriteSkin(const Skin& skin) {
    std::vector<Record> records;
    for (size_t i = 0; i < kFieldCount; ++i) records.push_back({kFields[i].key, 0, skin.values[i]});
    return WriteRecords(records);
}

void Reseal(std::vector<uint8_t>& file) {
    if (file.size() < kHeaderSize) return;
    SetU32(file, 12, Crc32(file.data() + kHeaderSize, file.size() - kHeaderSize));
}

}  // namespace morvane::skin
