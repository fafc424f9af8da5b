// Maps arbitrary bytes as a module image in both layouts, looks exports up and
// unmaps again. Memory comes from guarded regions and every call into the
// image is stubbed, so fuzzed code never runs; what is checked is that no
// read or write leaves the image or the mapping and no memory is kept.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "skin/export_lookup.h"
#include "skin/image_mapping.h"
#include "skin/tests/executable_memory.h"

namespace {

using namespace morvane;

constexpr std::uintptr_t kFakeResolver = 0x1234;
// Far above any image of interest, and small enough that lookups walking a
// whole mapping stay quick.
constexpr std::size_t kMemoryLimit = std::size_t{1} << 20;

class StubbedSystem final : public SystemServices {
public:
    explicit StubbedSystem(bool entrySucceeds) : memory_(kMemoryLimit), entrySucceeds_(entrySucceeds) {}
    std::size_t RegionCount() const { return memory_.RegionCount(); }

    // Preferred bases are ignored: fuzzed addresses may lie anywhere in this process.
    std::uintptr_t ReserveMemory(std::uintptr_t, std::size_t size) override { return memory_.Reserve(0, size); }
    bool ReleaseMemory(std::uintptr_t address) override { return memory_.Release(address); }
    std::uintptr_t OpenLibrary(const char* name) override { return name[0] != '\0' ? 1 : 0; }
    std::uintptr_t ProcedureByName(std::uintptr_t, const char* name) override { return std::strlen(name); }
    std::uintptr_t ProcedureByOrdinal(std::uintptr_t, std::uint16_t ordinal) override { return ordinal; }
    std::uintptr_t Call(std::uintptr_t proc, const CallWords&) override {
        if (proc == kFakeResolver) return 0;
        return entrySucceeds_ ? 1 : 0;
    }

private:
    testing::ExecutableMemory memory_;
    bool entrySucceeds_;
};

template <class Format>
void MapLookUpAndUnmap(std::span<const std::uint8_t> image, bool withResolver, bool entrySucceeds) {
    StubbedSystem system(entrySucceeds);
    const Mapping mapping = MapImage<Format>(image, withResolver ? kFakeResolver : 0, 7, system);
    if (mapping.base != 0) {
        if (mapping.size == 0) __builtin_trap();
        for (const char* name : {"Add", "UseTwice", "1", "5", "-3", "", "05"}) FindExport<Format>(mapping, name);
        EntryAddressOf<Format>(mapping);
        // Relocations may have rewritten the headers themselves; then the
        // mapping is refused for unmapping and released directly.
        if (!UnmapImage<Format>(mapping, system)) system.ReleaseMemory(mapping.base);
    }
    if (system.RegionCount() != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> image(data, size);
    const bool withResolver = (size & 1) != 0;
    const bool entrySucceeds = (size & 2) == 0;
    MapLookUpAndUnmap<pe::Pe32Format>(image, withResolver, entrySucceeds);
    MapLookUpAndUnmap<pe::Pe64Format>(image, withResolver, entrySucceeds);
    return 0;
}
