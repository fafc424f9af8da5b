#include "skin/image_mapping.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "core/bytes.h"
#include "skin/image_headers.h"

namespace morvane {
namespace {

using pe::SectionHeader;

// What a section counts for the reservation: the larger of its raw size and
// the low 16 bits of its virtual size, compared as signed values.
std::int32_t SectionExtent(const SectionHeader& section) {
    return std::max(static_cast<std::int32_t>(section.SizeOfRawData),
                    static_cast<std::int32_t>(section.VirtualSize & 0xFFFF));
}

bool IsCopied(const SectionHeader& section) {
    return static_cast<std::int32_t>(section.SizeOfRawData) > 0 && section.VirtualAddress != 0;
}

// SizeOfImage, raised to the aligned end of any section reaching further.
// Sums wrap at 32 bits and the comparison is signed, as the header fields are
// 32-bit values.
std::int32_t ImageSize(std::uint32_t sizeOfImage, std::uint32_t sectionAlignment,
                       const std::vector<SectionHeader>& sections) {
    auto size = static_cast<std::int32_t>(sizeOfImage);
    for (const SectionHeader& section : sections) {
        const std::uint32_t end = section.VirtualAddress + static_cast<std::uint32_t>(SectionExtent(section));
        const auto alignedEnd = static_cast<std::int32_t>(static_cast<std::uint32_t>(AlignUp(end, sectionAlignment)));
        size = std::max(size, alignedEnd);
    }
    return size;
}

// Every section must fit the reservation, the raw data copied must lie in the
// image, and a DLL's entry point must lie in the mapping.
bool FitsReservation(std::uint64_t imageLength, std::uint64_t headersSize, std::uint64_t size,
                     const std::vector<SectionHeader>& sections, bool isDll, std::uint32_t entryPoint) {
    if (headersSize > size) return false;
    for (const SectionHeader& section : sections) {
        if (std::uint64_t{section.VirtualAddress} + static_cast<std::uint64_t>(SectionExtent(section)) > size)
            return false;
        if (IsCopied(section) &&
            std::uint64_t{section.PointerToRawData} + section.SizeOfRawData > imageLength)
            return false;
    }
    return !isDll || (entryPoint != 0 && entryPoint < size);
}

// An entry point returns a 32-bit BOOL; on x64 the upper half of the result
// register is not part of it.
bool EntrySucceeded(std::uintptr_t result) {
    return static_cast<std::uint32_t>(result) != 0;
}

template <class Format>
struct CheckedImage {
    typename Format::Nt nt;
    std::vector<SectionHeader> sections;
    std::size_t headersSize;  // DOS header, stub, NT headers and section table
    std::size_t size;         // of the reservation
};

// Everything decided before memory is reserved: the image's checks in their
// order, the reservation size, and the refusal of what the mapping steps
// could not carry out inside the image and the reservation.
template <class Format>
std::optional<CheckedImage<Format>> CheckImage(std::span<const std::uint8_t> image) {
    using Nt = typename Format::Nt;
    const ByteWindow file = ByteWindow::Of(image);

    const auto dos = file.Read<pe::DosHeader>(0);
    if (!dos || dos->e_magic != pe::kDosMagic || dos->e_lfanew < 0) return std::nullopt;
    const auto ntOffset = static_cast<std::uint64_t>(dos->e_lfanew);
    const auto nt = file.Read<Nt>(ntOffset);
    if (!nt || nt->Signature != pe::kNtSignature) return std::nullopt;
    // An image of the other width holds code this process cannot run.
    if (nt->Optional.Magic == Format::kOtherMagic) return std::nullopt;
    if (!(nt->File.Characteristics & pe::kFileExecutableImage)) return std::nullopt;
    if (nt->File.NumberOfSections < 0) return std::nullopt;

    const auto sectionCount = static_cast<std::size_t>(nt->File.NumberOfSections);
    const std::uint64_t sectionTable = ntOffset + sizeof(Nt);
    const std::uint64_t headersSize = sectionTable + sizeof(SectionHeader) * sectionCount;
    if (image.size() < headersSize) return std::nullopt;
    std::vector<SectionHeader> sections(sectionCount);
    for (std::size_t i = 0; i < sectionCount; ++i)
        sections[i] = *file.Read<SectionHeader>(sectionTable + sizeof(SectionHeader) * i);

    const auto& optional = nt->Optional;
    if (optional.SectionAlignment == 0) return std::nullopt;
    const std::int32_t size = ImageSize(optional.SizeOfImage, optional.SectionAlignment, sections);
    // Zero is empty; a negative size (2 GiB or more) is no image either.
    if (size <= 0) return std::nullopt;
    const bool isDll = (nt->File.Characteristics & pe::kFileDll) != 0;
    if (!FitsReservation(image.size(), headersSize, static_cast<std::uint64_t>(size), sections, isDll,
                         optional.AddressOfEntryPoint))
        return std::nullopt;
    return CheckedImage<Format>{*nt, std::move(sections), static_cast<std::size_t>(headersSize),
                                static_cast<std::size_t>(size)};
}

template <class Format>
std::uintptr_t ResolveImport(const ByteWindow& mapping, typename Format::Thunk thunk, std::uintptr_t library,
                             std::uintptr_t libraryName, std::uintptr_t resolver, std::uintptr_t userValue,
                             SystemServices& services) {
    if (thunk & Format::kOrdinalFlag) {
        const auto ordinal = static_cast<std::uint16_t>(thunk & 0xFFFF);
        // The resolver sees the ordinal as decimal text, alive for its call only.
        const Text ordinalText = ToText(static_cast<std::int32_t>(ordinal));
        std::uintptr_t procedure = 0;
        if (resolver != 0)
            procedure = services.Call(resolver, {libraryName, reinterpret_cast<std::uintptr_t>(ordinalText.c_str()),
                                                 userValue});
        if (procedure == 0 && library != 0) procedure = services.ProcedureByOrdinal(library, ordinal);
        return procedure;
    }
    // A name import points at a 2-byte hint followed by the name.
    const std::uint64_t nameOffset = std::uint64_t{thunk} + 2;
    const auto name = mapping.TextAt(nameOffset);
    if (!name) return 0;
    std::uintptr_t procedure = 0;
    if (resolver != 0)
        procedure = services.Call(resolver, {libraryName, mapping.Address(nameOffset), userValue});
    if (procedure == 0 && library != 0) procedure = services.ProcedureByName(library, name->data());
    return procedure;
}

}  // namespace

std::uintptr_t ReserveImage(std::uint64_t preferredBase, std::size_t size, SystemServices& services) {
    std::uintptr_t base = 0;
    if (preferredBase <= std::numeric_limits<std::uintptr_t>::max())
        base = services.ReserveMemory(static_cast<std::uintptr_t>(preferredBase), size);
    if (base == 0) base = services.ReserveMemory(0, size);
    return base;
}

bool ReleaseImage(std::uintptr_t base, SystemServices& services) {
    return services.ReleaseMemory(base);
}

template <class Format>
Mapping MapImage(std::span<const std::uint8_t> image, std::uintptr_t resolver, std::uintptr_t userValue,
                 SystemServices& services) {
    const auto checked = CheckImage<Format>(image);
    if (!checked) return {};
    const auto& optional = checked->nt.Optional;

    const std::uint64_t preferredBase = Format::ImageBase(checked->nt);
    const Mapping mapping{ReserveImage(preferredBase, checked->size, services), checked->size};
    if (mapping.base == 0) return {};
    const ByteWindow view = mapping.View();

    std::memcpy(view.Data(), image.data(), checked->headersSize);
    for (const SectionHeader& section : checked->sections) {
        if (IsCopied(section))
            std::memcpy(view.Data() + section.VirtualAddress, image.data() + section.PointerToRawData,
                        section.SizeOfRawData);
    }

    const pe::DataDirectory relocations = optional.DataDirectories[pe::kBaseRelocationDirectory];
    const pe::DataDirectory imports = optional.DataDirectories[pe::kImportDirectory];
    const bool bound = (static_cast<std::int32_t>(relocations.Size) <= 0 ||
                        ApplyRelocations<Format>(view, relocations, preferredBase)) &&
                       (static_cast<std::int32_t>(imports.VirtualAddress) <= 0 ||
                        BindImports<Format>(view, imports, resolver, userValue, services));
    if (!bound) {
        ReleaseImage(mapping.base, services);
        return {};
    }
    if (!(checked->nt.File.Characteristics & pe::kFileDll)) return mapping;

    // The module handle passed is 0: the system does not know this module.
    const std::uintptr_t entry = mapping.base + optional.AddressOfEntryPoint;
    if (EntrySucceeded(services.Call(entry, {0, pe::kDllProcessAttach, 0}))) return mapping;
    services.Call(entry, {0, pe::kDllProcessDetach, 0});
    ReleaseImage(mapping.base, services);
    return {};
}

template <class Format>
bool ApplyRelocations(const ByteWindow& mapping, pe::DataDirectory directory, std::uint64_t preferredBase) {
    const std::uint64_t delta = mapping.Address(0) - preferredBase;
    std::uint64_t offset = directory.VirtualAddress;
    for (;;) {
        // The walk ends at a block whose address is 0, which must lie inside.
        const auto block = mapping.Read<pe::BaseRelocationBlock>(offset);
        if (!block) return false;
        if (block->VirtualAddress == 0) return true;
        if (block->SizeOfBlock < sizeof(pe::BaseRelocationBlock) || !mapping.Contains(offset, block->SizeOfBlock))
            return false;
        const std::uint64_t entryCount = (block->SizeOfBlock - sizeof(pe::BaseRelocationBlock)) / 2;
        for (std::uint64_t i = 0; i < entryCount; ++i) {
            const auto entry = *mapping.Read<std::uint16_t>(offset + sizeof(pe::BaseRelocationBlock) + 2 * i);
            const unsigned type = entry >> 12;
            const std::uint64_t target = std::uint64_t{block->VirtualAddress} + (entry & 0x0FFF);
            if (type == pe::kRelocationHighLow) {
                const auto value = mapping.Read<std::uint32_t>(target);
                if (!value) return false;
                mapping.Write(target, static_cast<std::uint32_t>(*value + delta));
            } else if (Format::kHasDir64Relocations && type == pe::kRelocationDir64) {
                const auto value = mapping.Read<std::uint64_t>(target);
                if (!value) return false;
                mapping.Write(target, *value + delta);
            }
        }
        offset += block->SizeOfBlock;
    }
}

template <class Format>
bool BindImports(const ByteWindow& mapping, pe::DataDirectory directory, std::uintptr_t resolver,
                 std::uintptr_t userValue, SystemServices& services) {
    using Thunk = typename Format::Thunk;
    for (std::uint64_t offset = directory.VirtualAddress;; offset += sizeof(pe::ImportDescriptor)) {
        const auto descriptor = mapping.Read<pe::ImportDescriptor>(offset);
        if (!descriptor) return false;
        if (descriptor->FirstThunk == 0) return true;
        const auto libraryName = mapping.TextAt(descriptor->Name);
        if (!libraryName) return false;
        // Never freed: the module may use the library as long as the process runs.
        const std::uintptr_t library = services.OpenLibrary(libraryName->data());
        for (std::uint64_t thunkOffset = descriptor->FirstThunk;; thunkOffset += sizeof(Thunk)) {
            const auto thunk = mapping.Read<Thunk>(thunkOffset);
            if (!thunk) return false;
            if (*thunk == 0) break;
            const std::uintptr_t procedure = ResolveImport<Format>(
                mapping, *thunk, library, mapping.Address(descriptor->Name), resolver, userValue, services);
            if (procedure == 0) return false;
            mapping.Write(thunkOffset, static_cast<Thunk>(procedure));
        }
    }
}

template <class Format>
bool UnmapImage(const Mapping& mapping, SystemServices& services) {
    const auto headers = ReadImageHeaders<Format>(mapping.View());
    if (!headers || !headers->HasSignatures()) return false;
    if (headers->nt.File.Characteristics & pe::kFileDll) {
        // Headers rewritten since the load may no longer name an entry inside.
        const std::uint32_t entry = headers->nt.Optional.AddressOfEntryPoint;
        if (entry != 0 && entry < mapping.size) services.Call(mapping.base + entry, {0, pe::kDllProcessDetach, 0});
    }
    return ReleaseImage(mapping.base, services);
}

#define MORVANE_DEFINE_IMAGE_MAPPING(Format)                                                                   \
    template Mapping MapImage<Format>(std::span<const std::uint8_t>, std::uintptr_t, std::uintptr_t,          \
                                      SystemServices&);                                                        \
    template bool ApplyRelocations<Format>(const ByteWindow&, pe::DataDirectory, std::uint64_t);               \
    template bool BindImports<Format>(const ByteWindow&, pe::DataDirectory, std::uintptr_t, std::uintptr_t,   \
                                      SystemServices&);                                                        \
    template bool UnmapImage<Format>(const Mapping&, SystemServices&);
MORVANE_DEFINE_IMAGE_MAPPING(pe::Pe32Format)
MORVANE_DEFINE_IMAGE_MAPPING(pe::Pe64Format)

}  // namespace morvane
