// A system of our own for running the loader on POSIX systems: memory from
// ExecutableMemory and a table of libraries whose procedures are functions of
// the test program.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "skin/system_services.h"
#include "skin/tests/executable_memory.h"

namespace morvane::testing {

struct FakeLibrary {
    std::map<std::string, std::uintptr_t> byName;
    std::map<std::uint16_t, std::uintptr_t> byOrdinal;
};

class FakeSystem final : public SystemServices {
public:
    void AddLibrary(const std::string& name, FakeLibrary library) { libraries_[name] = std::move(library); }
    std::size_t RegionCount() const { return memory_.RegionCount(); }

    std::uintptr_t ReserveMemory(std::uintptr_t address, std::size_t size) override {
        return memory_.Reserve(address, size);
    }
    bool ReleaseMemory(std::uintptr_t address) override { return memory_.Release(address); }
    // A library's handle is the address of its table entry.
    std::uintptr_t OpenLibrary(const char* name) override {
        const auto library = libraries_.find(name);
        return library == libraries_.end() ? 0 : reinterpret_cast<std::uintptr_t>(&library->second);
    }
    std::uintptr_t ProcedureByName(std::uintptr_t library, const char* name) override {
        return Find(reinterpret_cast<const FakeLibrary*>(library)->byName, std::string(name));
    }
    std::uintptr_t ProcedureByOrdinal(std::uintptr_t library, std::uint16_t ordinal) override {
        return Find(reinterpret_cast<const FakeLibrary*>(library)->byOrdinal, ordinal);
    }

private:
    template <class Table, class Key>
    static std::uintptr_t Find(const Table& table, const Key& key) {
        const auto entry = table.find(key);
        return entry == table.end() ? 0 : entry->second;
    }

    ExecutableMemory memory_;
    std::map<std::string, FakeLibrary> libraries_;
};

}  // namespace morvane::testing
