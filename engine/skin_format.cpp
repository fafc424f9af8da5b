#include "engine/skin_format.h"

namespace morvane::skin {
namespace {

struct CrcTable {
    uint32_t entries[256];
};

constexpr CrcTable MakeCrcTable() {
    CrcTable table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table.entries[i] = c;
    }
    return table;
}

constexpr CrcTable kCrcTable = MakeCrcTable();

// Index of the key in kFields, or kFieldCount when it is not a known key.
size_t FieldIndexOf(uint16_t key) {
    for (size_t i = 0; i < kFieldCount; ++i)
        if (kFields[i].key == key) return i;
    return kFieldCount;
}

ParseError CheckHeader(const uint8_t* data, size_t length) {
    if (length < kHeaderSize) return ParseError::TooShort;
    for (size_t i = 0; i < sizeof kMagic; ++i)
        if (data[i] != kMagic[i]) return ParseError::BadMagic;
    if (ReadU16(data + 4) != kVersion) return ParseError::BadVersion;
    if (ReadU16(data + 6) != kFieldCount) return ParseError::BadFieldCount;
    const uint32_t declared = ReadU32(data + 8);
    if (declared != kFileSize) return ParseError::BadLength;
    if (length < declared) return ParseError::TooShort;
    if (length > declared) return ParseError::TooLong;
    if (ReadU32(data + 12) != Crc32(data + kHeaderSize, length - kHeaderSize)) return ParseError::BadChecksum;
    return ParseError::None;
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t length) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) c = kCrcTable.entries[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

ParseError ParseSkin(const uint8_t* data, size_t length, Skin* out) {
    if (data == nullptr || out == nullptr) return ParseError::TooShort;
    if (const ParseError header = CheckHeader(data, length); header != ParseError::None) return header;

    Skin skin{};
    for (size_t i = 0; i < kFieldCount; ++i) {
        const uint8_t* record = data + kHeaderSize + i * kRecordSize;
        const uint16_t key = ReadU16(record);
        if (ReadU16(record + 2) != 0) return ParseError::ReservedNotZero;
        const size_t index = FieldIndexOf(key);
        if (index == kFieldCount) return ParseError::UnknownKey;
        if (index < i) return ParseError::BadOrder;
        if (index > i) return ParseError::MissingKey;
        const uint32_t value = ReadU32(record + 4);
        if (value < kFields[i].min || value > kFields[i].max) return ParseError::OutOfRange;
        skin.values[i] = value;
    }
    *out = skin;
    return ParseError::None;
}

}  // namespace morvane::skin
