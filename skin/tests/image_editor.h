// Reads and patches an image of this program's own format held as bytes:
// a copy of a fixture file, or a live mapping (where addresses are offsets).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/bytes.h"
#include "skin/pe_format.h"

namespace morvane::testing {

using Nt = pe::NativeFormat::Nt;

// Offsets of NT header fields from the start of the NT headers.
inline constexpr std::size_t kSignature = offsetof(Nt, Signature);
inline constexpr std::size_t kNumberOfSections = offsetof(Nt, File.NumberOfSections);
inline constexpr std::size_t kCharacteristics = offsetof(Nt, File.Characteristics);
inline constexpr std::size_t kMagic = offsetof(Nt, Optional.Magic);
inline constexpr std::size_t kAddressOfEntryPoint = offsetof(Nt, Optional.AddressOfEntryPoint);
inline constexpr std::size_t kSectionAlignment = offsetof(Nt, Optional.SectionAlignment);
inline constexpr std::size_t kSizeOfImage = offsetof(Nt, Optional.SizeOfImage);
inline constexpr std::size_t DirectoryAddressField(int k) { return offsetof(Nt, Optional.DataDirectories) + 8 * k; }
inline constexpr std::size_t DirectorySizeField(int k) { return DirectoryAddressField(k) + 4; }

class ImageEditor {
public:
    ImageEditor(std::uint8_t* data, std::size_t size, bool isMapping)
        : data_(data), size_(size), isMapping_(isMapping) {}
    static ImageEditor OfFile(ByteSet& image) { return ImageEditor(image.data(), image.size(), false); }
    // A live mapping of an unmodified fixture, whose reservation is SizeOfImage long.
    static ImageEditor OfMapping(std::uintptr_t base) {
        ImageEditor probe(reinterpret_cast<std::uint8_t*>(base), sizeof(pe::DosHeader) + 4096, true);
        return ImageEditor(probe.data_, probe.GetNt<std::uint32_t>(kSizeOfImage), true);
    }

    std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }

    template <class T>
    T Get(std::size_t offset) const {
        Check(offset, sizeof(T));
        T value;
        std::memcpy(&value, data_ + offset, sizeof(T));
        return value;
    }
    template <class T>
    void Set(std::size_t offset, T value) const {
        Check(offset, sizeof(T));
        std::memcpy(data_ + offset, &value, sizeof(T));
    }

    std::size_t NtOffset() const { return static_cast<std::size_t>(Get<std::int32_t>(offsetof(pe::DosHeader, e_lfanew))); }
    template <class T>
    T GetNt(std::size_t field) const { return Get<T>(NtOffset() + field); }
    template <class T>
    void SetNt(std::size_t field, T value) const { Set<T>(NtOffset() + field, value); }

    pe::DataDirectory Directory(int k) const { return GetNt<pe::DataDirectory>(DirectoryAddressField(k)); }
    std::size_t SectionCount() const { return static_cast<std::size_t>(GetNt<std::int16_t>(kNumberOfSections)); }
    std::size_t SectionHeaderOffset(std::size_t index) const {
        return NtOffset() + sizeof(pe::NativeFormat::Nt) + sizeof(pe::SectionHeader) * index;
    }
    std::size_t SectionHeaderOffset(std::string_view name) const {
        for (std::size_t i = 0; i < SectionCount(); ++i) {
            const auto header = Get<pe::SectionHeader>(SectionHeaderOffset(i));
            if (std::string_view(header.Name, strnlen(header.Name, sizeof header.Name)) == name)
                return SectionHeaderOffset(i);
        }
        throw std::runtime_error("no section " + std::string(name));
    }
    pe::SectionHeader Section(std::size_t index) const { return Get<pe::SectionHeader>(SectionHeaderOffset(index)); }
    pe::SectionHeader Section(std::string_view name) const { return Get<pe::SectionHeader>(SectionHeaderOffset(name)); }

    // Where the byte at a relative virtual address is held.
    std::size_t Locate(std::uint32_t rva) const {
        if (isMapping_) return rva;
        for (std::size_t i = 0; i < SectionCount(); ++i) {
            const pe::SectionHeader s = Section(i);
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
                return s.PointerToRawData + (rva - s.VirtualAddress);
        }
        throw std::runtime_error("address outside the raw sections");
    }

    // Offset of the first occurrence of bytes.
    std::size_t Find(std::string_view bytes) const {
        const std::string_view all(reinterpret_cast<const char*>(data_), size_);
        const std::size_t at = all.find(bytes);
        if (at == std::string_view::npos) throw std::runtime_error("bytes not found");
        return at;
    }

private:
    void Check(std::size_t offset, std::size_t length) const {
        if (offset > size_ || length > size_ - offset) throw std::out_of_range("outside the image");
    }

    std::uint8_t* data_;
    std::size_t size_;
    bool isMapping_;
};

}  // namespace morvane::testing
