#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "engine/skin_format.h"
#include "engine/skin_writer.h"
#include "engine/tests/skin_fixture.h"

namespace morvane::skin {
namespace {

using testing::ProjectSkinFile;

constexpr uint32_t kUntouched = 0xDEADBEEF;

Skin Sentinel() {
    Skin s{};
    for (uint32_t& v : s.values) v = kUntouched;
    return s;
}

size_t RecordOffset(Field f) { return kHeaderSize + static_cast<size_t>(f) * kRecordSize; }

void PutU32(std::vector<uint8_t>& file, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

TEST(SkinFormat, ReadsTheProjectSkin) {
    const std::vector<uint8_t> file = ProjectSkinFile();
    ASSERT_EQ(file.size(), kFileSize);
    Skin skin = Sentinel();
    ASSERT_EQ(ParseSkin(file.data(), file.size(), &skin), ParseError::None);
    EXPECT_EQ(skin[Field::WindowBackground], 0xF3F5F8u);
    EXPECT_EQ(skin[Field::EditText], 0x000000u);
    EXPECT_EQ(skin[Field::Accent], 0x2B6CB3u);
    EXPECT_EQ(skin[Field::EditBorderWidth], 1u);
    EXPECT_EQ(skin[Field::MinContrast], 45u);
}

TEST(SkinFormat, RoundTripsEveryFieldAtItsLimits) {
    for (bool high : {false, true}) {
        Skin written{};
        for (size_t i = 0; i < kFieldCount; ++i) written.values[i] = high ? kFields[i].max : kFields[i].min;
        const std::vector<uint8_t> file = WriteSkin(written);
        Skin read = Sentinel();
        ASSERT_EQ(ParseSkin(file.data(), file.size(), &read), ParseError::None);
        EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0) << "high=" << high;
    }
}

TEST(SkinFormat, RefusesEveryTruncation) {
    const std::vector<uint8_t> file = ProjectSkinFile();
    for (size_t length = 0; length < file.size(); ++length) {
        Skin skin = Sentinel();
        EXPECT_EQ(ParseSkin(file.data(), length, &skin), ParseError::TooShort) << "length " << length;
        EXPECT_EQ(skin.values[0], kUntouched);
    }
}

TEST(SkinFormat, RefusesNullArguments) {
    const std::vector<uint8_t> file = ProjectSkinFile();
    Skin skin = Sentinel();
    EXPECT_EQ(ParseSkin(nullptr, file.size(), &skin), ParseError::TooShort);
    EXPECT_EQ(ParseSkin(file.data(), file.size(), nullptr), ParseError::TooShort);
    EXPECT_EQ(skin.values[0], kUntouched);
}

struct Damage {
    const char* what;
    std::function<void(std::vector<uint8_t>&)> edit;
    bool reseal;  // make the checksum right again, so that the check behind it is reached
    ParseError expected;
};

class SkinFormatDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(SkinFormatDamage, IsRefusedForItsReason) {
    std::vector<uint8_t> file = ProjectSkinFile();
    GetParam().edit(file);
    if (GetParam().reseal) Reseal(file);
    Skin skin = Sentinel();
    EXPECT_EQ(ParseSkin(file.data(), file.size(), &skin), GetParam().expected);
    EXPECT_EQ(skin.values[0], kUntouched) << "a refused skin must leave the output alone";
}

const size_t kFirstRecord = kHeaderSize;
const size_t kLastRecord = kHeaderSize + (kFieldCount - 1) * kRecordSize;

INSTANTIATE_TEST_SUITE_P(
    Table, SkinFormatDamage,
    ::testing::Values(
        Damage{"magic", [](auto& f) { f[0] = 'X'; }, true, ParseError::BadMagic},
        Damage{"magic last byte", [](auto& f) { f[3] = 'k'; }, true, ParseError::BadMagic},
        Damage{"version 0", [](auto& f) { f[4] = 0; }, true, ParseError::BadVersion},
        Damage{"version 2", [](auto& f) { f[4] = 2; }, true, ParseError::BadVersion},
        Damage{"version high byte", [](auto& f) { f[5] = 1; }, true, ParseError::BadVersion},
        Damage{"one field fewer", [](auto& f) { f[6] -= 1; }, true, ParseError::BadFieldCount},
        Damage{"field count high byte", [](auto& f) { f[7] = 1; }, true, ParseError::BadFieldCount},
        Damage{"declared length short", [](auto& f) { PutU32(f, 8, kFileSize - 8); }, true, ParseError::BadLength},
        Damage{"declared length huge", [](auto& f) { PutU32(f, 8, 0xFFFFFFF0u); }, true, ParseError::BadLength},
        Damage{"one byte more", [](auto& f) { f.push_back(0); }, true, ParseError::TooLong},
        Damage{"one record more", [](auto& f) { f.insert(f.end(), kRecordSize, 0); }, true, ParseError::TooLong},
        Damage{"checksum", [](auto& f) { f[12] ^= 1; }, false, ParseError::BadChecksum},
        Damage{"first record byte", [](auto& f) { f[kFirstRecord + 4] ^= 0x10; }, false, ParseError::BadChecksum},
        Damage{"last byte", [](auto& f) { f.back() ^= 0x80; }, false, ParseError::BadChecksum},
        Damage{"reserved word", [](auto& f) { f[kLastRecord + 3] = 1; }, true, ParseError::ReservedNotZero},
        Damage{"unknown key", [](auto& f) { f[kFirstRecord] = 0x77; }, true, ParseError::UnknownKey},
        Damage{"key zero", [](auto& f) { f[kLastRecord] = 0; f[kLastRecord + 1] = 0; }, true, ParseError::UnknownKey},
        Damage{"key repeated",
               [](auto& f) { std::memcpy(&f[kFirstRecord + kRecordSize], &f[kFirstRecord], 2); }, true,
               ParseError::BadOrder},
        Damage{"keys swapped",
               [](auto& f) {
                   std::swap(f[kFirstRecord], f[kFirstRecord + kRecordSize]);
               },
               true, ParseError::MissingKey},
        Damage{"colour with a fourth byte", [](auto& f) { f[RecordOffset(Field::ButtonFace) + 7] = 1; }, true,
               ParseError::OutOfRange},
        Damage{"corner radius too large", [](auto& f) { PutU32(f, RecordOffset(Field::ButtonCornerRadius) + 4, 13); },
               true, ParseError::OutOfRange},
        Damage{"border width zero", [](auto& f) { PutU32(f, RecordOffset(Field::EditBorderWidth) + 4, 0); }, true,
               ParseError::OutOfRange},
        Damage{"border width three", [](auto& f) { PutU32(f, RecordOffset(Field::EditBorderWidth) + 4, 3); }, true,
               ParseError::OutOfRange},
        Damage{"gradient past half", [](auto& f) { PutU32(f, RecordOffset(Field::GradientDepth) + 4, 51); }, true,
               ParseError::OutOfRange},
        Damage{"tint past full", [](auto& f) { PutU32(f, RecordOffset(Field::TintStrength) + 4, 101); }, true,
               ParseError::OutOfRange},
        Damage{"contrast too low", [](auto& f) { PutU32(f, RecordOffset(Field::MinContrast) + 4, 29); }, true,
               ParseError::OutOfRange},
        Damage{"contrast too high", [](auto& f) { PutU32(f, RecordOffset(Field::MinContrast) + 4, 46); }, true,
               ParseError::OutOfRange},
        Damage{"contrast huge", [](auto& f) { PutU32(f, RecordOffset(Field::MinContrast) + 4, 0x80000000u); },
               true, ParseError::OutOfRange}),
    [](const ::testing::TestParamInfo<Damage>& info) {
        std::string name = info.param.what;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(SkinFormat, RefusesRecordsInAnyOtherOrder) {
    // The fields written back to front: the first record already names a later key.
    std::vector<Record> records;
    for (size_t i = kFieldCount; i-- > 0;) records.push_back({kFields[i].key, 0, kFields[i].min});
    const std::vector<uint8_t> file = WriteRecords(records);
    Skin skin = Sentinel();
    EXPECT_EQ(ParseSkin(file.data(), file.size(), &skin), ParseError::MissingKey);
}

TEST(SkinFormat, ChecksumIsTheCommonCrc32) {
    const char* check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check), 9), 0xCBF43926u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
}

}  // namespace
}  // namespace morvane::skin
