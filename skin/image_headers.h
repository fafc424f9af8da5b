// The DOS and NT headers at the start of an image or a mapping.
#pragma once

#include <optional>

#include "skin/byte_window.h"
#include "skin/pe_format.h"

namespace morvane {

template <class Format>
struct ImageHeaders {
    pe::DosHeader dos;
    typename Format::Nt nt;

    bool HasSignatures() const { return dos.e_magic == pe::kDosMagic && nt.Signature == pe::kNtSignature; }
};

// Both headers, signatures unchecked; absent when either lies outside view.
template <class Format>
std::optional<ImageHeaders<Format>> ReadImageHeaders(const ByteWindow& view) {
    const auto dos = view.Read<pe::DosHeader>(0);
    if (!dos || dos->e_lfanew < 0) return std::nullopt;
    const auto nt = view.Read<typename Format::Nt>(static_cast<std::uint64_t>(dos->e_lfanew));
    if (!nt) return std::nullopt;
    return ImageHeaders<Format>{*dos, *nt};
}

}  // namespace morvane
