// The parts of the PE/COFF image format that the module loader reads, in both
// the 32-bit (PE32) and the 64-bit (PE32+) layout. Defined here rather than
// taken from the system headers so the loader builds and runs on Linux too.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace morvane::pe {

static_assert(std::endian::native == std::endian::little, "images are read in place as little-endian");

inline constexpr std::uint16_t kDosMagic = 0x5A4D;        // "MZ"
inline constexpr std::uint32_t kNtSignature = 0x00004550; // "PE\0\0"
inline constexpr std::uint16_t kPe32Magic = 0x010B;
inline constexpr std::uint16_t kPe32PlusMagic = 0x020B;

inline constexpr std::uint16_t kFileExecutableImage = 0x0002;
inline constexpr std::uint16_t kFileDll = 0x2000;

inline constexpr unsigned kRelocationHighLow = 3;
inline constexpr unsigned kRelocationDir64 = 10;

inline constexpr std::uintptr_t kDllProcessDetach = 0;
inline constexpr std::uintptr_t kDllProcessAttach = 1;

inline constexpr int kExportDirectory = 0;
inline constexpr int kImportDirectory = 1;
inline constexpr int kBaseRelocationDirectory = 5;

// Fields that the loader compares as signed values are declared signed.
struct DosHeader {
    std::uint16_t e_magic;
    std::uint16_t e_cblp, e_cp, e_crlc, e_cparhdr, e_minalloc, e_maxalloc, e_ss, e_sp, e_csum, e_ip,
        e_cs, e_lfarlc, e_ovno;
    std::uint16_t e_res[4];
    std::uint16_t e_oemid, e_oeminfo;
    std::uint16_t e_res2[10];
    std::int32_t e_lfanew;
};
static_assert(sizeof(DosHeader) == 64 && offsetof(DosHeader, e_lfanew) == 60);

struct FileHeader {
    std::uint16_t Machine;
    std::int16_t NumberOfSections;
    std::uint32_t TimeDateStamp;
    std::uint32_t PointerToSymbolTable;
    std::uint32_t NumberOfSymbols;
    std::uint16_t SizeOfOptionalHeader;
    std::uint16_t Characteristics;
};
static_assert(sizeof(FileHeader) == 20);

struct DataDirectory {
    std::uint32_t VirtualAddress;
    std::uint32_t Size;
};

struct OptionalHeader32 {
    std::uint16_t Magic;
    std::uint8_t MajorLinkerVersion, MinorLinkerVersion;
    std::uint32_t SizeOfCode, SizeOfInitializedData, SizeOfUninitializedData;
    std::uint32_t AddressOfEntryPoint;
    std::uint32_t BaseOfCode, BaseOfData;
    std::uint32_t ImageBase;
    std::uint32_t SectionAlignment, FileAlignment;
    std::uint16_t MajorOperatingSystemVersion, MinorOperatingSystemVersion;
    std::uint16_t MajorImageVersion, MinorImageVersion;
    std::uint16_t MajorSubsystemVersion, MinorSubsystemVersion;
    std::uint32_t Win32VersionValue;
    std::uint32_t SizeOfImage, SizeOfHeaders, CheckSum;
    std::uint16_t Subsystem, DllCharacteristics;
    std::uint32_t SizeOfStackReserve, SizeOfStackCommit, SizeOfHeapReserve, SizeOfHeapCommit;
    std::uint32_t LoaderFlags, NumberOfRvaAndSizes;
    DataDirectory DataDirectories[16];
};
static_assert(sizeof(OptionalHeader32) == 224);

// The 64-bit fields are split into halves so the layout is the same in
// 32-bit processes, where 64-bit members would only be 4-byte aligned anyway.
struct OptionalHeader64 {
    std::uint16_t Magic;
    std::uint8_t MajorLinkerVersion, MinorLinkerVersion;
    std::uint32_t SizeOfCode, SizeOfInitializedData, SizeOfUninitializedData;
    std::uint32_t AddressOfEntryPoint;
    std::uint32_t BaseOfCode;
    std::uint32_t ImageBaseLow, ImageBaseHigh;
    std::uint32_t SectionAlignment, FileAlignment;
    std::uint16_t MajorOperatingSystemVersion, MinorOperatingSystemVersion;
    std::uint16_t MajorImageVersion, MinorImageVersion;
    std::uint16_t MajorSubsystemVersion, MinorSubsystemVersion;
    std::uint32_t Win32VersionValue;
    std::uint32_t SizeOfImage, SizeOfHeaders, CheckSum;
    std::uint16_t Subsystem, DllCharacteristics;
    std::uint32_t SizeOfStackReserve[2], SizeOfStackCommit[2], SizeOfHeapReserve[2], SizeOfHeapCommit[2];
    std::uint32_t LoaderFlags, NumberOfRvaAndSizes;
    DataDirectory DataDirectories[16];
};
static_assert(sizeof(OptionalHeader64) == 240);

template <class OptionalHeader>
struct NtHeaders {
    std::uint32_t Signature;
    FileHeader File;
    OptionalHeader Optional;
};
using NtHeaders32 = NtHeaders<OptionalHeader32>;
using NtHeaders64 = NtHeaders<OptionalHeader64>;
static_assert(sizeof(NtHeaders32) == 248 && offsetof(NtHeaders32, Optional.ImageBase) == 52);
static_assert(sizeof(NtHeaders64) == 264 && offsetof(NtHeaders64, Optional.ImageBaseLow) == 48);
static_assert(offsetof(NtHeaders32, Optional.DataDirectories) == 120);
static_assert(offsetof(NtHeaders64, Optional.DataDirectories) == 136);

struct SectionHeader {
    char Name[8];
    std::uint32_t VirtualSize;
    std::uint32_t VirtualAddress;
    std::uint32_t SizeOfRawData;
    std::uint32_t PointerToRawData;
    std::uint32_t PointerToRelocations, PointerToLinenumbers;
    std::uint16_t NumberOfRelocations, NumberOfLinenumbers;
    std::uint32_t Characteristics;
};
static_assert(sizeof(SectionHeader) == 40);

struct BaseRelocationBlock {
    std::uint32_t VirtualAddress;
    std::uint32_t SizeOfBlock;
};
static_assert(sizeof(BaseRelocationBlock) == 8);

struct ImportDescriptor {
    std::uint32_t OriginalFirstThunk;
    std::uint32_t TimeDateStamp;
    std::uint32_t ForwarderChain;
    std::uint32_t Name;
    std::uint32_t FirstThunk;
};
static_assert(sizeof(ImportDescriptor) == 20);

struct ExportDirectory {
    std::uint32_t Characteristics;
    std::uint32_t TimeDateStamp;
    std::uint16_t MajorVersion, MinorVersion;
    std::uint32_t Name;
    std::uint32_t Base;
    std::uint32_t NumberOfFunctions;
    std::uint32_t NumberOfNames;
    std::uint32_t AddressOfFunctions;
    std::uint32_t AddressOfNames;
    std::uint32_t AddressOfNameOrdinals;
};
static_assert(sizeof(ExportDirectory) == 40);

// What differs between the two layouts, for code written once for both.
struct Pe32Format {
    using Nt = NtHeaders32;
    using Thunk = std::uint32_t;
    static constexpr std::uint16_t kMagic = kPe32Magic;
    static constexpr std::uint16_t kOtherMagic = kPe32PlusMagic;
    static constexpr Thunk kOrdinalFlag = Thunk{1} << 31;
    static constexpr bool kHasDir64Relocations = false;
    static std::uint64_t ImageBase(const Nt& nt) { return nt.Optional.ImageBase; }
};

struct Pe64Format {
    using Nt = NtHeaders64;
    using Thunk = std::uint64_t;
    static constexpr std::uint16_t kMagic = kPe32PlusMagic;
    static constexpr std::uint16_t kOtherMagic = kPe32Magic;
    static constexpr Thunk kOrdinalFlag = Thunk{1} << 63;
    static constexpr bool kHasDir64Relocations = true;
    static std::uint64_t ImageBase(const Nt& nt) {
        return (std::uint64_t{nt.Optional.ImageBaseHigh} << 32) | nt.Optional.ImageBaseLow;
    }
};

// The layout whose code this process can run.
using NativeFormat = std::conditional_t<sizeof(void*) == 8, Pe64Format, Pe32Format>;

}  // namespace morvane::pe
