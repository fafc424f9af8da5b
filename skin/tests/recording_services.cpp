#include "skin/tests/recording_services.h"

#include <algorithm>

namespace morvane::testing {

std::vector<std::uintptr_t> RecordingServices::Outstanding() const {
    std::vector<std::uintptr_t> held;
    for (const Reservation& r : reservations)
        if (r.result != 0) held.push_back(r.result);
    for (const std::uintptr_t released : releases) {
        const auto it = std::find(held.begin(), held.end(), released);
        if (it != held.end()) held.erase(it);
    }
    return held;
}

std::uintptr_t RecordingServices::ReserveMemory(std::uintptr_t address, std::size_t size) {
    const std::uintptr_t result = refuseMemory ? 0 : inner_.ReserveMemory(address, size);
    reservations.push_back({address, size, result});
    return result;
}

bool RecordingServices::ReleaseMemory(std::uintptr_t address) {
    releases.push_back(address);
    return inner_.ReleaseMemory(address);
}

std::uintptr_t RecordingServices::OpenLibrary(const char* name) {
    openedLibraries.emplace_back(name);
    return inner_.OpenLibrary(name);
}

std::uintptr_t RecordingServices::ProcedureByName(std::uintptr_t library, const char* name) {
    const std::uintptr_t result = inner_.ProcedureByName(library, name);
    lookups.push_back({name, reinterpret_cast<std::uintptr_t>(name), std::nullopt, result});
    return result;
}

std::uintptr_t RecordingServices::ProcedureByOrdinal(std::uintptr_t library, std::uint16_t ordinal) {
    const std::uintptr_t result = inner_.ProcedureByOrdinal(library, ordinal);
    lookups.push_back({"", 0, ordinal, result});
    return result;
}

std::uintptr_t RecordingServices::Call(std::uintptr_t proc, const CallWords& words) {
    calls.push_back({proc, words});
    return inner_.Call(proc, words);
}

}  // namespace morvane::testing
