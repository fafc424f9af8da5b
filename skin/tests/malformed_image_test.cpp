#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "skin/tests/loader_test_support.h"

namespace morvane::testing {
namespace {

constexpr std::uint32_t kFarAway = 0x7FFFFFF0;

ImageEditor File(ByteSet& image) {
    return ImageEditor::OfFile(image);
}

std::size_t HeadersEnd(ByteSet& image) {
    const ImageEditor f = File(image);
    return f.NtOffset() + sizeof(Nt) + sizeof(pe::SectionHeader) * f.SectionCount();
}

template <class T>
void SetSectionField(ByteSet& image, const char* section, std::size_t field, T value) {
    const ImageEditor f = File(image);
    f.Set<T>(f.SectionHeaderOffset(section) + field, value);
}

std::size_t FirstRelocationBlock(ByteSet& image) {
    const ImageEditor f = File(image);
    return f.Locate(f.Directory(pe::kBaseRelocationDirectory).VirtualAddress);
}

std::size_t FirstImportDescriptor(ByteSet& image) {
    const ImageEditor f = File(image);
    return f.Locate(f.Directory(pe::kImportDirectory).VirtualAddress);
}

std::size_t FirstThunk(ByteSet& image) {
    const ImageEditor f = File(image);
    return f.Locate(f.Get<pe::ImportDescriptor>(FirstImportDescriptor(image)).FirstThunk);
}

// Makes the mapping end where .reloc's raw data ends and fills that data with
// 'A', so a text placed there finds no terminator inside the mapping. The
// relocations are overwritten, so none are applied. Returns where the 'A's begin.
std::uint32_t UnterminatedTail(ByteSet& image) {
    const ImageEditor f = File(image);
    const pe::SectionHeader reloc = f.Section(".reloc");
    f.SetNt<std::uint32_t>(kSizeOfImage, 0);
    f.SetNt<std::uint32_t>(kSectionAlignment, 0x200);
    f.SetNt<std::uint32_t>(DirectorySizeField(pe::kBaseRelocationDirectory), 0);
    std::fill_n(image.begin() + reloc.PointerToRawData, reloc.SizeOfRawData, 'A');
    return reloc.VirtualAddress;
}

enum class Refused { BeforeReserving, AfterReserving };

struct Malformation {
    std::string name;
    std::function<void(ByteSet&)> apply;
    Refused when;
};

const std::vector<Malformation>& Malformations() {
    using R = Refused;
    static const std::vector<Malformation> all = {
        // The checks, in their order.
        {"no bytes", [](ByteSet& i) { i.clear(); }, R::BeforeReserving},
        {"63 bytes", [](ByteSet& i) { i.resize(63); }, R::BeforeReserving},
        {"no MZ", [](ByteSet& i) { i[1] = 'X'; }, R::BeforeReserving},
        {"NT headers cut short", [](ByteSet& i) { i.resize(File(i).NtOffset() + sizeof(Nt) - 1); }, R::BeforeReserving},
        {"PE signature with more bits", [](ByteSet& i) { File(i).SetNt<std::uint32_t>(kSignature, 0x01004550); },
         R::BeforeReserving},
        {"not an executable image",
         [](ByteSet& i) {
             File(i).SetNt<std::uint16_t>(kCharacteristics, File(i).GetNt<std::uint16_t>(kCharacteristics) &
                                                                ~pe::kFileExecutableImage);
         },
         R::BeforeReserving},
        {"section table cut short", [](ByteSet& i) { i.resize(HeadersEnd(i) - 1); }, R::BeforeReserving},
        {"size 0",
         [](ByteSet& i) {
             File(i).SetNt<std::int16_t>(kNumberOfSections, 0);
             File(i).SetNt<std::uint32_t>(kSizeOfImage, 0);
         },
         R::BeforeReserving},
        // Images the steps cannot carry out soundly.
        {"negative NT header offset",
         [](ByteSet& i) { File(i).Set<std::int32_t>(offsetof(pe::DosHeader, e_lfanew), -8); }, R::BeforeReserving},
        {"negative number of sections", [](ByteSet& i) { File(i).SetNt<std::int16_t>(kNumberOfSections, -1); },
         R::BeforeReserving},
        {"section alignment 0", [](ByteSet& i) { File(i).SetNt<std::uint32_t>(kSectionAlignment, 0); },
         R::BeforeReserving},
        {"size of 2 GiB or more",
         [](ByteSet& i) {
             File(i).SetNt<std::int16_t>(kNumberOfSections, 0);
             File(i).SetNt<std::uint32_t>(kSizeOfImage, 0x80000000);
         },
         R::BeforeReserving},
        {"headers longer than the size",
         [](ByteSet& i) {
             File(i).SetNt<std::int16_t>(kNumberOfSections, 0);
             File(i).SetNt<std::uint32_t>(kSizeOfImage, File(i).NtOffset() + sizeof(Nt) - 1);
         },
         R::BeforeReserving},
        {"raw data beyond the image",
         [](ByteSet& i) {
             SetSectionField<std::uint32_t>(i, ".reloc", offsetof(pe::SectionHeader, PointerToRawData),
                                            static_cast<std::uint32_t>(i.size() - 0x10));
         },
         R::BeforeReserving},
        {"raw data offset that wraps at 32 bits",
         [](ByteSet& i) {
             SetSectionField<std::uint32_t>(i, ".data", offsetof(pe::SectionHeader, PointerToRawData), 0xFFFFFF00);
         },
         R::BeforeReserving},
        {"section beyond the reservation",
         [](ByteSet& i) {
             SetSectionField<std::uint32_t>(i, ".data", offsetof(pe::SectionHeader, VirtualAddress), 0xFFFFF000);
         },
         R::BeforeReserving},
        {"DLL without an entry point", [](ByteSet& i) { File(i).SetNt<std::uint32_t>(kAddressOfEntryPoint, 0); },
         R::BeforeReserving},
        {"entry point outside the mapping",
         [](ByteSet& i) {
             File(i).SetNt<std::uint32_t>(kAddressOfEntryPoint, File(i).GetNt<std::uint32_t>(kSizeOfImage));
         },
         R::BeforeReserving},
        {"image of the other width",
         [](ByteSet& i) { File(i).SetNt<std::uint16_t>(kMagic, pe::NativeFormat::kOtherMagic); },
         R::BeforeReserving},
        {"relocation block under 8 bytes",
         [](ByteSet& i) { File(i).Set<std::uint32_t>(FirstRelocationBlock(i) + 4, 4); }, R::AfterReserving},
        {"relocation block past the mapping",
         [](ByteSet& i) { File(i).Set<std::uint32_t>(FirstRelocationBlock(i) + 4, kFarAway); }, R::AfterReserving},
        {"relocation target outside",
         [](ByteSet& i) { File(i).Set<std::uint32_t>(FirstRelocationBlock(i), kFarAway & ~0xFFFu); },
         R::AfterReserving},
        {"relocation directory outside",
         [](ByteSet& i) {
             File(i).SetNt<std::uint32_t>(DirectoryAddressField(pe::kBaseRelocationDirectory), kFarAway);
         },
         R::AfterReserving},
        {"import directory outside",
         [](ByteSet& i) { File(i).SetNt<std::uint32_t>(DirectoryAddressField(pe::kImportDirectory), kFarAway); },
         R::AfterReserving},
        {"library name outside",
         [](ByteSet& i) {
             File(i).Set<std::uint32_t>(FirstImportDescriptor(i) + offsetof(pe::ImportDescriptor, Name), kFarAway);
         },
         R::AfterReserving},
        {"thunk table outside",
         [](ByteSet& i) {
             File(i).Set<std::uint32_t>(FirstImportDescriptor(i) + offsetof(pe::ImportDescriptor, FirstThunk),
                                        kFarAway);
         },
         R::AfterReserving},
        {"procedure name outside",
         [](ByteSet& i) { File(i).Set<pe::NativeFormat::Thunk>(FirstThunk(i), kFarAway); }, R::AfterReserving},
        {"unterminated library name",
         [](ByteSet& i) {
             const std::uint32_t tail = UnterminatedTail(i);
             File(i).Set<std::uint32_t>(FirstImportDescriptor(i) + offsetof(pe::ImportDescriptor, Name), tail);
         },
         R::AfterReserving},
        {"unterminated procedure name",
         [](ByteSet& i) {
             const std::uint32_t tail = UnterminatedTail(i);
             File(i).Set<pe::NativeFormat::Thunk>(FirstThunk(i), tail - 2);
         },
         R::AfterReserving},
    };
    return all;
}

using MalformedImage = LoaderTest;

TEST_F(MalformedImage, IsRefusedWithoutRunningItOrKeepingMemory) {
    for (const Malformation& m : Malformations()) {
        SCOPED_TRACE(m.name);
        ByteSet image = MainFixture();
        m.apply(image);
        system.reservations.clear();
        system.releases.clear();

        EXPECT_FALSE(module.Load(image));
        EXPECT_EQ(module.BaseAddress(), 0u);
        EXPECT_TRUE(system.calls.empty());
        EXPECT_TRUE(HelperEvents().empty());
        EXPECT_TRUE(system.Outstanding().empty());
        if (m.when == Refused::BeforeReserving) {
            EXPECT_TRUE(system.reservations.empty());
        } else {
            EXPECT_FALSE(system.reservations.empty());
            EXPECT_EQ(system.releases.size(), 1u);
        }
    }
}

TEST_F(MalformedImage, TheUnterminatedTailAloneStillLoads) {
    // So the unterminated-name rows above fail through their names alone.
    ASSERT_TRUE(module.Load(MainFixture()));
    ByteSet tail = MainFixture();
    UnterminatedTail(tail);
    EXPECT_TRUE(module.Load(tail));
}

TEST_F(MalformedImage, AnImageJustLongEnoughForItsHeadersMaps) {
    // No raw data to copy and no entry point to run: the headers are all there is.
    ByteSet image = MainFixture();
    const ImageEditor f = File(image);
    f.SetNt<std::uint16_t>(kCharacteristics, f.GetNt<std::uint16_t>(kCharacteristics) & ~pe::kFileDll);
    for (std::size_t s = 0; s < f.SectionCount(); ++s)
        f.Set<std::uint32_t>(f.NtOffset() + sizeof(Nt) + sizeof(pe::SectionHeader) * s +
                                 offsetof(pe::SectionHeader, SizeOfRawData),
                             0);
    image.resize(HeadersEnd(image));
    EXPECT_TRUE(module.Load(image));
    image.pop_back();
    EXPECT_FALSE(module.Load(image));
}

}  // namespace
}  // namespace morvane::testing
