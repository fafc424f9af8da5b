#include "skin/memory_module.h"

#include "skin/export_lookup.h"

namespace morvane {

using Format = pe::NativeFormat;

struct MemoryModuleSlots {
    static void Destroy(MemoryModule&) {}

    static MemoryModule Copy(const MemoryModule& self) { return MemoryModule(*self.services_, self.mapping_); }

    static bool Load(MemoryModule& self, std::span<const std::uint8_t> image, std::uintptr_t resolver,
                     std::uintptr_t userValue) {
        if (self.mapping_.base != 0) Free(self);
        self.mapping_ = MapImage<Format>(image, resolver, userValue, *self.services_);
        return self.mapping_.base != 0;
    }

    static bool Free(MemoryModule& self) {
        if (self.mapping_.base == 0) return true;
        if (UnmapImage<Format>(self.mapping_, *self.services_)) self.mapping_ = {};
        return self.mapping_.base == 0;
    }

    static std::uintptr_t FindProc(const MemoryModule& self, std::string_view name) {
        return FindExport<Format>(self.mapping_, name);
    }

    static std::uintptr_t EntryAddress(const MemoryModule& self) { return EntryAddressOf<Format>(self.mapping_); }

    static std::uintptr_t BaseAddress(const MemoryModule& self) { return self.mapping_.base; }
};

const MemoryModuleOperations& MemoryModule::Operations() {
    static constexpr MemoryModuleOperations table{
        &MemoryModuleSlots::Destroy, &MemoryModuleSlots::Copy,         &MemoryModuleSlots::Load,
        &MemoryModuleSlots::Free,    &MemoryModuleSlots::FindProc,     &MemoryModuleSlots::EntryAddress,
        &MemoryModuleSlots::BaseAddress,
    };
    return table;
}

MemoryModule::MemoryModule(SystemServices& services) : MemoryModule(services, Mapping{}) {}

#ifdef _WIN32
MemoryModule::MemoryModule() : MemoryModule(WindowsServices()) {}
#endif

MemoryModule::MemoryModule(SystemServices& services, Mapping mapping)
    : operations_(&Operations()), services_(&services), mapping_(mapping) {}

MemoryModule::~MemoryModule() {
    operations_->Destroy(*this);
}

}  // namespace morvane
