// Passes every request of the loader on to another SystemServices and keeps
// a record of it, so tests can see what the loader asked of the system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/system_services.h"

namespace morvane::testing {

struct Reservation {
    std::uintptr_t address;
    std::size_t size;
    std::uintptr_t result;
};

struct Lookup {
    std::string name;                     // empty for an ordinal
    std::uintptr_t nameAddress;           // 0 for an ordinal
    std::optional<std::uint16_t> ordinal;
    std::uintptr_t result;
};

struct CallRecord {
    std::uintptr_t proc;
    CallWords words;
};

class RecordingServices final : public SystemServices {
public:
    explicit RecordingServices(SystemServices& inner) : inner_(inner) {}

    // Stands for a system that has no memory to give.
    bool refuseMemory = false;

    std::vector<Reservation> reservations;
    std::vector<std::uintptr_t> releases;
    std::vector<std::string> openedLibraries;
    std::vector<Lookup> lookups;
    std::vector<CallRecord> calls;

    // Reservations that succeeded and were not released since.
    std::vector<std::uintptr_t> Outstanding() const;

    std::uintptr_t ReserveMemory(std::uintptr_t address, std::size_t size) override;
    bool ReleaseMemory(std::uintptr_t address) override;
    std::uintptr_t OpenLibrary(const char* name) override;
    std::uintptr_t ProcedureByName(std::uintptr_t library, const char* name) override;
    std::uintptr_t ProcedureByOrdinal(std::uintptr_t library, std::uint16_t ordinal) override;
    std::uintptr_t Call(std::uintptr_t proc, const CallWords& words) override;

private:
    SystemServices& inner_;
};

}  // namespace morvane::testing
