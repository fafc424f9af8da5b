// A Windows module mapped from bytes in memory, without the system loader.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "skin/image_mapping.h"
#include "skin/system_services.h"

namespace morvane {

class MemoryModule;

// The object's operations in their fixed slot order; every MemoryModule
// dispatches through this one table.
struct MemoryModuleOperations {
    void (*Destroy)(MemoryModule& self);
    MemoryModule (*Copy)(const MemoryModule& self);
    bool (*Load)(MemoryModule& self, std::span<const std::uint8_t> image, std::uintptr_t resolver,
                 std::uintptr_t userValue);
    bool (*Free)(MemoryModule& self);
    std::uintptr_t (*FindProc)(const MemoryModule& self, std::string_view name);
    std::uintptr_t (*EntryAddress)(const MemoryModule& self);
    std::uintptr_t (*BaseAddress)(const MemoryModule& self);
};

// Empty (base 0) or holding one mapping of an image in this process's own
// format. Destroying the object leaves its mapping alone; two objects that
// share a mapping through Copy must free it through one of them only.
class MemoryModule {
public:
    explicit MemoryModule(SystemServices& services);
#ifdef _WIN32
    MemoryModule();
#endif
    MemoryModule(const MemoryModule&) = delete;
    MemoryModule& operator=(const MemoryModule&) = delete;
    ~MemoryModule();

    MemoryModule Copy() const { return operations_->Copy(*this); }
    // Frees a held mapping first. The resolver, when not 0, is asked for each
    // import first: resolver(libraryName, procedureName, userValue), where an
    // ordinal import's procedure name is its number in decimal.
    bool Load(std::span<const std::uint8_t> image, std::uintptr_t resolver = 0, std::uintptr_t userValue = 0) {
        return operations_->Load(*this, image, resolver, userValue);
    }
    bool Free() { return operations_->Free(*this); }
    std::uintptr_t FindProc(std::string_view name) const { return operations_->FindProc(*this, name); }
    std::uintptr_t EntryAddress() const { return operations_->EntryAddress(*this); }
    std::uintptr_t BaseAddress() const { return operations_->BaseAddress(*this); }

    static const MemoryModuleOperations& Operations();

private:
    friend struct MemoryModuleSlots;
    MemoryModule(SystemServices& services, Mapping mapping);

    const MemoryModuleOperations* operations_;
    SystemServices* services_;
    // The size is kept beside the base so every later read stays inside.
    Mapping mapping_;
};

}  // namespace morvane
