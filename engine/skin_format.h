// The skin file: a fixed header and a table of keyed values (see FORMAT.md).
// Plain code with no library calls, so that it builds both into the engine
// DLL (freestanding) and natively for the tests and tools.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace morvane::skin {

inline constexpr uint8_t kMagic[4] = {'M', 'V', 'S', 'K'};
inline constexpr uint16_t kVersion = 1;
inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kRecordSize = 8;

// Every field of version 1, in file order. All of them are required.
enum class Field : uint8_t {
    WindowBackground,
    WindowText,
    EditBackground,
    EditText,
    EditBorder,
    EditBorderFocus,
    ButtonFace,
    ButtonFaceHot,
    ButtonFacePressed,
    ButtonText,
    ButtonBorder,
    DisabledText,
    StatusBackground,
    StatusText,
    Accent,
    ButtonCornerRadius,
    EditBorderWidth,
    GradientDepth,
    TintStrength,
    MinContrast,
    Count
};
inline constexpr size_t kFieldCount = static_cast<size_t>(Field::Count);
inline constexpr size_t kFileSize = kHeaderSize + kFieldCount * kRecordSize;

struct FieldSpec {
    uint16_t key;
    const char* name;
    uint32_t min;
    uint32_t max;
};

// Colours are 0x00RRGGBB; metrics are small numbers with the unit in the name.
inline constexpr FieldSpec kFields[kFieldCount] = {
    {0x0101, "window_background", 0, 0xFFFFFF},
    {0x0102, "window_text", 0, 0xFFFFFF},
    {0x0103, "edit_background", 0, 0xFFFFFF},
    {0x0104, "edit_text", 0, 0xFFFFFF},
    {0x0105, "edit_border", 0, 0xFFFFFF},
    {0x0106, "edit_border_focus", 0, 0xFFFFFF},
    {0x0107, "button_face", 0, 0xFFFFFF},
    {0x0108, "button_face_hot", 0, 0xFFFFFF},
    {0x0109, "button_face_pressed", 0, 0xFFFFFF},
    {0x010A, "button_text", 0, 0xFFFFFF},
    {0x010B, "button_border", 0, 0xFFFFFF},
    {0x010C, "disabled_text", 0, 0xFFFFFF},
    {0x010D, "status_background", 0, 0xFFFFFF},
    {0x010E, "status_text", 0, 0xFFFFFF},
    {0x010F, "accent", 0, 0xFFFFFF},
    {0x0201, "button_corner_radius_px", 0, 12},
    {0x0202, "edit_border_width_px", 1, 2},
    {0x0203, "gradient_depth_percent", 0, 50},
    {0x0204, "tint_strength_percent", 0, 100},
    {0x0205, "min_contrast_tenths", 30, 45},
};

struct Skin {
    uint32_t values[kFieldCount];

    constexpr uint32_t operator[](Field f) const { return values[static_cast<size_t>(f)]; }
};

enum class ParseError : uint8_t {
    None,
    TooShort,        // shorter than the header, or than the length it declares
    TooLong,         // longer than the length it declares
    BadMagic,
    BadVersion,
    BadFieldCount,
    BadLength,       // declared length is not the one the field count gives
    BadChecksum,
    ReservedNotZero,
    UnknownKey,
    BadOrder,        // a key repeated or out of ascending order
    MissingKey,
    OutOfRange,
};

// Reads a whole skin file. On any error *out is left untouched.
ParseError ParseSkin(const uint8_t* data, size_t length, Skin* out);

// CRC-32 (the common reflected 0xEDB88320 polynomial) of the bytes.
uint32_t Crc32(const uint8_t* data, size_t length);

// Little-endian helpers shared by the reader and the writer.
constexpr uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
constexpr uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace morvane::skin
