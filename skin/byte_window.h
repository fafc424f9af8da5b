// A range of bytes that hands out fields only when they lie wholly inside it.
// Every read of an image or a mapping goes through one, so a damaged offset
// yields "absent" instead of a read or write outside the range.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

namespace morvane {

class ByteWindow {
public:
    ByteWindow(std::uint8_t* data, std::uint64_t size) : data_(data), size_(size) {}
    static ByteWindow Of(std::span<const std::uint8_t> bytes) {
        // Read-only users never call Write on a window made from constant bytes.
        return ByteWindow(const_cast<std::uint8_t*>(bytes.data()), bytes.size());
    }

    std::uint8_t* Data() const { return data_; }
    std::uint64_t Size() const { return size_; }
    std::uintptr_t Address(std::uint64_t offset) const {
        return reinterpret_cast<std::uintptr_t>(data_) + static_cast<std::uintptr_t>(offset);
    }

    // Offsets and lengths are 64-bit so sums of 32-bit fields never wrap.
    bool Contains(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }

    template <class T>
    std::optional<T> Read(std::uint64_t offset) const {
        static_assert(std::is_trivially_copyable_v<T>);
        if (!Contains(offset, sizeof(T))) return std::nullopt;
        T value;
        std::memcpy(&value, data_ + offset, sizeof(T));
        return value;
    }

    template <class T>
    bool Write(std::uint64_t offset, const T& value) const {
        static_assert(std::is_trivially_copyable_v<T>);
        if (!Contains(offset, sizeof(T))) return false;
        std::memcpy(data_ + offset, &value, sizeof(T));
        return true;
    }

    // The NUL-terminated text at offset; absent when it or its terminator lies outside.
    std::optional<std::string_view> TextAt(std::uint64_t offset) const {
        if (offset >= size_) return std::nullopt;
        const auto* start = data_ + offset;
        const auto* end = static_cast<const std::uint8_t*>(std::memchr(start, 0, size_ - offset));
        if (end == nullptr) return std::nullopt;
        return std::string_view(reinterpret_cast<const char*>(start), static_cast<std::size_t>(end - start));
    }

private:
    std::uint8_t* data_;
    std::uint64_t size_;
};

}  // namespace morvane
