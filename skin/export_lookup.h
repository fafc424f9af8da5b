// Reading a mapped module: its exports and its entry point.
#pragma once

#include <cstdint>
#include <string_view>

#include "skin/image_mapping.h"

namespace morvane {

// The address of an export, asked for by decimal ordinal text ("7", "-3") or
// by exact name ("07" is a name); 0 when there is none.
template <class Format>
std::uintptr_t FindExport(const Mapping& mapping, std::string_view name);

// base + AddressOfEntryPoint, read from the mapping; 0 without a mapping.
template <class Format>
std::uintptr_t EntryAddressOf(const Mapping& mapping);

extern template std::uintptr_t FindExport<pe::Pe32Format>(const Mapping&, std::string_view);
extern template std::uintptr_t FindExport<pe::Pe64Format>(const Mapping&, std::string_view);
extern template std::uintptr_t EntryAddressOf<pe::Pe32Format>(const Mapping&);
extern template std::uintptr_t EntryAddressOf<pe::Pe64Format>(const Mapping&);

}  // namespace morvane
