// Mapping a module image into memory and releasing it again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "skin/byte_window.h"
#include "skin/pe_format.h"
#include "skin/system_services.h"

namespace morvane {

// A mapped image: its base address and the size of its reservation, which
// bounds every later read of it. Base 0 means no mapping.
struct Mapping {
    std::uintptr_t base = 0;
    std::size_t size = 0;

    ByteWindow View() const { return ByteWindow(reinterpret_cast<std::uint8_t*>(base), size); }
};

// The smallest multiple of a (> 0) that is not below x.
constexpr std::uint64_t AlignUp(std::uint64_t x, std::uint64_t a) {
    return (x + a - 1) / a * a;
}

// Maps image: checks it, reserves memory, copies headers and sections,
// relocates, binds imports and runs the entry point of a DLL. Returns the
// mapping, or an empty one with nothing left reserved. The image is only read.
template <class Format>
Mapping MapImage(std::span<const std::uint8_t> image, std::uintptr_t resolver, std::uintptr_t userValue,
                 SystemServices& services);

// Adds the distance between the mapping and preferredBase to every address
// the relocation blocks name. False when a block is damaged or points outside.
template <class Format>
bool ApplyRelocations(const ByteWindow& mapping, pe::DataDirectory directory, std::uint64_t preferredBase);

// Fills the import address tables, asking the resolver (when given) before
// the system. False when a procedure cannot be found or a table is damaged.
template <class Format>
bool BindImports(const ByteWindow& mapping, pe::DataDirectory directory, std::uintptr_t resolver,
                 std::uintptr_t userValue, SystemServices& services);

// Detaches a mapped DLL and releases its memory. False, with nothing
// released, when the mapping no longer carries its signatures.
template <class Format>
bool UnmapImage(const Mapping& mapping, SystemServices& services);

// Memory at the preferred base, or anywhere when that is taken; 0 when refused.
std::uintptr_t ReserveImage(std::uint64_t preferredBase, std::size_t size, SystemServices& services);
bool ReleaseImage(std::uintptr_t base, SystemServices& services);

#define MORVANE_DECLARE_IMAGE_MAPPING(Format)                                                                \
    extern template Mapping MapImage<Format>(std::span<const std::uint8_t>, std::uintptr_t, std::uintptr_t, \
                                             SystemServices&);                                               \
    extern template bool ApplyRelocations<Format>(const ByteWindow&, pe::DataDirectory, std::uint64_t);      \
    extern template bool BindImports<Format>(const ByteWindow&, pe::DataDirectory, std::uintptr_t,          \
                                             std::uintptr_t, SystemServices&);                               \
    extern template bool UnmapImage<Format>(const Mapping&, SystemServices&);
MORVANE_DECLARE_IMAGE_MAPPING(pe::Pe32Format)
MORVANE_DECLARE_IMAGE_MAPPING(pe::Pe64Format)
#undef MORVANE_DECLARE_IMAGE_MAPPING

}  // namespace morvane
