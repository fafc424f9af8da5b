#include "skin/export_lookup.h"

#include <optional>

#include "core/bytes.h"
#include "skin/image_headers.h"

namespace morvane {
namespace {

// A request is an ordinal exactly when it is the canonical decimal text of a number.
std::optional<std::int32_t> OrdinalRequest(std::string_view name) {
    const std::int32_t value = ToInt(name);
    if (ToText(value) == name) return value;
    return std::nullopt;
}

}  // namespace

template <class Format>
std::uintptr_t FindExport(const Mapping& mapping, std::string_view name) {
    if (mapping.base == 0) return 0;
    const ByteWindow view = mapping.View();
    const auto headers = ReadImageHeaders<Format>(view);
    if (!headers || !headers->HasSignatures()) return 0;
    const pe::DataDirectory exports = headers->nt.Optional.DataDirectories[pe::kExportDirectory];
    if (exports.Size == 0) return 0;
    const auto directory = view.Read<pe::ExportDirectory>(exports.VirtualAddress);
    if (!directory) return 0;

    const std::int64_t functionCount = static_cast<std::int32_t>(directory->NumberOfFunctions);
    // A function entry of 0, or one pointing outside the mapping, is no export.
    const auto functionAt = [&](std::uint64_t index) -> std::uintptr_t {
        const auto function = view.Read<std::uint32_t>(std::uint64_t{directory->AddressOfFunctions} + 4 * index);
        if (!function || *function == 0 || *function >= mapping.size) return 0;
        return mapping.base + *function;
    };

    if (const auto ordinal = OrdinalRequest(name)) {
        const std::int64_t index = std::int64_t{*ordinal} - static_cast<std::int32_t>(directory->Base);
        return index >= 0 && index < functionCount ? functionAt(static_cast<std::uint64_t>(index)) : 0;
    }

    // The names are taken to follow one another from the first one, in the
    // order of the name table; only the first name pointer is read.
    if (directory->NumberOfNames == 0) return 0;
    const auto firstName = view.Read<std::uint32_t>(directory->AddressOfNames);
    if (!firstName) return 0;
    std::uint64_t nameOffset = *firstName;
    std::uint64_t indexOffset = directory->AddressOfNameOrdinals;
    for (std::uint32_t remaining = directory->NumberOfNames; remaining > 0; --remaining) {
        const auto current = view.TextAt(nameOffset);
        const auto index = view.Read<std::uint16_t>(indexOffset);
        if (!current || !index) return 0;
        if (*index < functionCount && *current == name) {
            if (const std::uintptr_t address = functionAt(*index)) return address;
        }
        nameOffset += current->size() + 1;
        indexOffset += 2;
    }
    return 0;
}

template <class Format>
std::uintptr_t EntryAddressOf(const Mapping& mapping) {
    if (mapping.base == 0) return 0;
    const auto headers = ReadImageHeaders<Format>(mapping.View());
    return headers ? mapping.base + headers->nt.Optional.AddressOfEntryPoint : 0;
}

template std::uintptr_t FindExport<pe::Pe32Format>(const Mapping&, std::string_view);
template std::uintptr_t FindExport<pe::Pe64Format>(const Mapping&, std::string_view);
template std::uintptr_t EntryAddressOf<pe::Pe32Format>(const Mapping&);
template std::uintptr_t EntryAddressOf<pe::Pe64Format>(const Mapping&);

}  // namespace morvane
