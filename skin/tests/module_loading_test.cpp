#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "skin/tests/loader_test_support.h"

namespace morvane::testing {
namespace {

using Loading = LoaderTest;

std::uint64_t PreferredBase(ByteSet& image) {
    return pe::NativeFormat::ImageBase(ImageEditor::OfFile(image).GetNt<Nt>(0));
}

TEST_F(Loading, MapsTheModuleAndStartsItOnceWithModuleHandleZero) {
    ByteSet image = MainFixture();
    ASSERT_TRUE(module.Load(image));

    const ImageEditor file = ImageEditor::OfFile(image);
    EXPECT_EQ(module.EntryAddress(), module.BaseAddress() + file.GetNt<std::uint32_t>(kAddressOfEntryPoint));
    EXPECT_EQ(HelperEvents(), std::vector<ModuleEvent>{kAttached});
    ASSERT_EQ(system.calls.size(), 1u);
    EXPECT_EQ(system.calls[0].proc, module.EntryAddress());
    EXPECT_EQ(system.calls[0].words, (CallWords{0, 1}));
    EXPECT_EQ(CallExport("Add", {2, 3}), 5u);
    EXPECT_EQ(system.Outstanding(), std::vector<std::uintptr_t>{module.BaseAddress()});
}

TEST_F(Loading, FreeDetachesReleasesAndEmptiesTheObject) {
    ASSERT_TRUE(module.Load(MainFixture()));
    const std::uintptr_t base = module.BaseAddress();

    EXPECT_TRUE(module.Free());
    EXPECT_EQ(HelperEvents(), (std::vector<ModuleEvent>{kAttached, kDetached}));
    EXPECT_EQ(system.releases, std::vector<std::uintptr_t>{base});
    EXPECT_TRUE(system.Outstanding().empty());
    EXPECT_EQ(module.BaseAddress(), 0u);
    EXPECT_EQ(module.EntryAddress(), 0u);
    EXPECT_EQ(module.FindProc("Add"), 0u);
}

TEST_F(Loading, AnEmptyObjectFreesAndLooksUpNothing) {
    EXPECT_TRUE(module.Free());
    EXPECT_EQ(module.FindProc("Add"), 0u);
    EXPECT_EQ(module.FindProc("5"), 0u);
    EXPECT_EQ(module.EntryAddress(), 0u);
    EXPECT_EQ(module.BaseAddress(), 0u);
    EXPECT_TRUE(system.calls.empty());
    EXPECT_TRUE(system.releases.empty());
}

TEST_F(Loading, FreeKeepsAMappingThatLostItsSignature) {
    for (const bool ntSignature : {false, true}) {
        SCOPED_TRACE(ntSignature ? "PE signature" : "MZ signature");
        ASSERT_TRUE(module.Load(MainFixture()));
        const std::uintptr_t base = module.BaseAddress();
        const ImageEditor mapped = Mapped();
        const std::size_t signature = ntSignature ? mapped.NtOffset() + kSignature : 0;
        const auto original = mapped.Get<std::uint16_t>(signature);
        mapped.Set<std::uint16_t>(signature, 0x4141);

        EXPECT_FALSE(module.Free());
        EXPECT_EQ(module.BaseAddress(), base);
        EXPECT_TRUE(system.releases.empty());
        EXPECT_EQ(HelperEvents(), std::vector<ModuleEvent>{kAttached});

        mapped.Set<std::uint16_t>(signature, original);
        EXPECT_TRUE(module.Free());
        ResetHelperEvents();
        system.releases.clear();
    }
}

TEST_F(Loading, LoadingOverAHeldMappingFreesItFirst) {
    ASSERT_TRUE(module.Load(MainFixture()));
    const std::uintptr_t first = module.BaseAddress();

    ASSERT_TRUE(module.Load(MainFixture()));
    EXPECT_EQ(HelperEvents(), (std::vector<ModuleEvent>{kAttached, kDetached, kAttached}));
    EXPECT_EQ(system.releases, std::vector<std::uintptr_t>{first});
    EXPECT_EQ(system.Outstanding(), std::vector<std::uintptr_t>{module.BaseAddress()});
    EXPECT_EQ(CallExport("ReadGlobal"), 42u);
}

TEST_F(Loading, CopiesShareTheMappingAndDestroyingOneLeavesIt) {
    ASSERT_TRUE(module.Load(MainFixture()));
    {
        const MemoryModule copy = module.Copy();
        EXPECT_EQ(copy.BaseAddress(), module.BaseAddress());
        EXPECT_EQ(copy.FindProc("Mul"), module.FindProc("Mul"));
    }
    EXPECT_EQ(HelperEvents(), std::vector<ModuleEvent>{kAttached});
    EXPECT_TRUE(system.releases.empty());
    EXPECT_EQ(CallExport("Mul", {6, 7}), 42u);
}

TEST_F(Loading, AFailingEntryPointIsDetachedAndTheMemoryReleased) {
    EXPECT_FALSE(module.Load(FailingFixture()));
    EXPECT_EQ(module.BaseAddress(), 0u);
    EXPECT_EQ(HelperEvents(), (std::vector<ModuleEvent>{kAttached, kDetached}));
    ASSERT_EQ(system.calls.size(), 2u);
    EXPECT_EQ(system.calls[0].proc, system.calls[1].proc);
    EXPECT_EQ(system.calls[1].words, (CallWords{0, 0}));
    EXPECT_EQ(system.releases.size(), 1u);
    EXPECT_TRUE(system.Outstanding().empty());
}

TEST_F(Loading, AnExecutableIsMappedAndReleasedWithoutCallingIt) {
    ByteSet image = MainFixture();
    const ImageEditor file = ImageEditor::OfFile(image);
    file.SetNt<std::uint16_t>(kCharacteristics, file.GetNt<std::uint16_t>(kCharacteristics) & ~pe::kFileDll);

    ASSERT_TRUE(module.Load(image));
    EXPECT_TRUE(module.Free());
    EXPECT_TRUE(system.calls.empty());
    EXPECT_TRUE(HelperEvents().empty());
    EXPECT_TRUE(system.Outstanding().empty());
}

// The raw bytes of every section but the import tables, which binding fills.
void ExpectSectionsAsInTheFile(const ImageEditor& mapped, const ImageEditor& file) {
    const std::uint32_t imports = file.Directory(pe::kImportDirectory).VirtualAddress;
    for (std::size_t i = 0; i < file.SectionCount(); ++i) {
        const pe::SectionHeader s = file.Section(i);
        if (imports >= s.VirtualAddress && imports < s.VirtualAddress + s.SizeOfRawData) continue;
        EXPECT_EQ(std::memcmp(mapped.Data() + s.VirtualAddress, file.Data() + s.PointerToRawData, s.SizeOfRawData), 0)
            << std::string(s.Name, strnlen(s.Name, sizeof s.Name));
    }
}

TEST_F(Loading, AtThePreferredBaseTheRelocationsChangeNothing) {
    ByteSet image = MainFixture();
    ASSERT_TRUE(module.Load(image));
    ASSERT_EQ(module.BaseAddress(), PreferredBase(image)) << "the fixture's preferred base is taken";
    ASSERT_EQ(system.reservations.size(), 1u);

    ExpectSectionsAsInTheFile(Mapped(), ImageEditor::OfFile(image));
    EXPECT_EQ(CallExport("ReadGlobal"), 42u);
}

TEST_F(Loading, ElsewhereEachRelocatedAddressMovesByTheDistance) {
    ByteSet image = MainFixture();
    const ImageEditor file = ImageEditor::OfFile(image);
    const std::uint64_t preferred = PreferredBase(image);
    const AddressBlock taken(static_cast<std::uintptr_t>(preferred), file.GetNt<std::uint32_t>(kSizeOfImage));
    ASSERT_TRUE(taken.Held());

    ASSERT_TRUE(module.Load(image));
    const std::uintptr_t base = module.BaseAddress();
    ASSERT_NE(base, preferred);
    ASSERT_EQ(system.reservations.size(), 2u);
    EXPECT_EQ(system.reservations[0].address, preferred);
    EXPECT_EQ(system.reservations[1].address, 0u);
    EXPECT_EQ(CallExport("ReadGlobal"), 42u);

    // .data holds one pointer, relocated by one block entry beside a padding
    // entry: exactly that word differs from the file, by the distance moved.
    const pe::SectionHeader data = file.Section(".data");
    const ImageEditor mapped = Mapped();
    std::vector<std::size_t> moved;
    for (std::size_t at = 0; at + sizeof(std::uintptr_t) <= data.SizeOfRawData; at += sizeof(std::uintptr_t)) {
        const auto before = file.Get<std::uintptr_t>(data.PointerToRawData + at);
        const auto after = mapped.Get<std::uintptr_t>(data.VirtualAddress + at);
        if (before == after) continue;
        moved.push_back(at);
        EXPECT_EQ(after - before, base - static_cast<std::uintptr_t>(preferred));
    }
    EXPECT_EQ(moved.size(), 1u);
}

// A patch of a section header that must leave the section's range zero-filled.
struct UncopiedSection {
    std::string name;
    std::function<void(pe::SectionHeader&)> patch;
};

TEST_F(Loading, SectionsWithoutRawDataOrAddressStayZero) {
    const std::vector<UncopiedSection> cases = {
        {"no raw data", [](pe::SectionHeader& s) { s.SizeOfRawData = 0; }},
        {"virtual address 0", [](pe::SectionHeader& s) { s.VirtualAddress = 0; }},
    };
    for (const UncopiedSection& c : cases) {
        SCOPED_TRACE(c.name);
        ByteSet image = MainFixture();
        const ImageEditor file = ImageEditor::OfFile(image);
        const std::size_t header = file.SectionHeaderOffset(".data");
        const pe::SectionHeader data = file.Get<pe::SectionHeader>(header);
        pe::SectionHeader patched = data;
        c.patch(patched);
        file.Set(header, patched);

        ASSERT_TRUE(module.Load(image));
        // At the preferred base relocations add nothing, so the range stays as copied.
        ASSERT_EQ(module.BaseAddress(), PreferredBase(image));
        const ImageEditor mapped = Mapped();
        const std::vector<std::uint8_t> zeros(data.SizeOfRawData, 0);
        EXPECT_EQ(std::memcmp(mapped.Data() + data.VirtualAddress, zeros.data(), zeros.size()), 0);
        // The headers at offset 0 are not overwritten by a section placed there.
        EXPECT_EQ(std::memcmp(mapped.Data(), file.Data(), file.NtOffset() + sizeof(Nt)), 0);
        EXPECT_TRUE(module.Free());
    }
}

// A patch of the fixture and the reservation size it must lead to.
struct SizeCase {
    std::string name;
    std::function<void(const ImageEditor&, std::size_t lastSection)> patch;
    std::function<std::uint32_t(std::uint32_t lastAddress)> expectedSize;
};

TEST_F(Loading, TheReservationCoversTheHeaderSizeAndEverySection) {
    const std::vector<SizeCase> cases = {
        {"header size when larger",
         [](const ImageEditor& f, std::size_t) { f.SetNt<std::uint32_t>(kSizeOfImage, 0x20000); },
         [](std::uint32_t) { return 0x20000u; }},
        {"raised to the aligned end of the last section",
         [](const ImageEditor& f, std::size_t) { f.SetNt<std::uint32_t>(kSizeOfImage, 0x1000); },
         [](std::uint32_t last) { return last + 0x1000; }},
        {"only the low 16 bits of a virtual size count",
         [](const ImageEditor& f, std::size_t last) {
             f.SetNt<std::uint32_t>(kSizeOfImage, 0x1000);
             f.Set<std::uint32_t>(last + offsetof(pe::SectionHeader, VirtualSize), 0x1F010);
         },
         [](std::uint32_t last) { return last + 0x10000; }},
        {"a negative header size is replaced",
         [](const ImageEditor& f, std::size_t) { f.SetNt<std::uint32_t>(kSizeOfImage, 0x80000000); },
         [](std::uint32_t last) { return last + 0x1000; }},
        {"ends aligned to the section alignment",
         [](const ImageEditor& f, std::size_t) {
             f.SetNt<std::uint32_t>(kSizeOfImage, 0x1000);
             f.SetNt<std::uint32_t>(kSectionAlignment, 0x10000);
         },
         [](std::uint32_t last) { return (last / 0x10000 + 1) * 0x10000; }},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ByteSet image = MainFixture();
        const ImageEditor file = ImageEditor::OfFile(image);
        const std::size_t last = file.SectionHeaderOffset(".reloc");
        const std::uint32_t lastAddress = file.Section(".reloc").VirtualAddress;
        c.patch(file, last);
        system.reservations.clear();

        ASSERT_TRUE(module.Load(image));
        ASSERT_FALSE(system.reservations.empty());
        EXPECT_EQ(system.reservations.back().size, c.expectedSize(lastAddress));
        EXPECT_EQ(CallExport("Add", {20, 22}), 42u);
        EXPECT_TRUE(module.Free());
    }
}

TEST_F(Loading, SystemWithoutMemoryIsAskedForThePreferredBaseThenAnywhere) {
    ByteSet image = MainFixture();
    system.refuseMemory = true;
    EXPECT_FALSE(module.Load(image));
    ASSERT_EQ(system.reservations.size(), 2u);
    EXPECT_EQ(system.reservations[0].address, PreferredBase(image));
    EXPECT_EQ(system.reservations[1].address, 0u);
    EXPECT_TRUE(system.calls.empty());
    EXPECT_TRUE(system.releases.empty());
}

}  // namespace
}  // namespace morvane::testing
