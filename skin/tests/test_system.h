// The system the loader tests run against: on Windows the real one, where
// fixture_helper.dll is found next to the test program; elsewhere FakeSystem,
// where the test program itself provides fixture_helper.dll's procedures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/system_services.h"

namespace morvane::testing {

SystemServices& TestSystem();

// What fixture_helper.dll's NoteEvent was told, oldest first.
struct ModuleEvent {
    std::uintptr_t module;
    int reason;
    bool operator==(const ModuleEvent&) const = default;
};
std::vector<ModuleEvent> HelperEvents();
void ResetHelperEvents();

// Keeps an address range taken for its lifetime, so nothing can be mapped there.
class AddressBlock {
public:
    AddressBlock(std::uintptr_t address, std::size_t size);
    ~AddressBlock();
    AddressBlock(const AddressBlock&) = delete;
    AddressBlock& operator=(const AddressBlock&) = delete;
    // False when the range was taken already.
    bool Held() const { return held_; }

private:
    std::uintptr_t address_;
    std::size_t size_;
    bool held_;
};

}  // namespace morvane::testing
