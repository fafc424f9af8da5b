#include <sys/mman.h>

#include "skin/tests/fake_system.h"
#include "skin/tests/test_system.h"

namespace morvane::testing {
namespace {

std::vector<ModuleEvent>& Events() {
    static std::vector<ModuleEvent> events;
    return events;
}

// fixture_helper.dll as this program provides it.
void MORVANE_MODULE_ABI NoteEvent(void* module, int reason) {
    Events().push_back({reinterpret_cast<std::uintptr_t>(module), reason});
}

int MORVANE_MODULE_ABI Twice(int x) {
    return 2 * x;
}

}  // namespace

SystemServices& TestSystem() {
    static FakeSystem system;
    static const bool helperAdded = [] {
        system.AddLibrary("fixture_helper.dll", {{{"NoteEvent", reinterpret_cast<std::uintptr_t>(&NoteEvent)}},
                                                 {{17, reinterpret_cast<std::uintptr_t>(&Twice)}}});
        return true;
    }();
    (void)helperAdded;
    return system;
}

std::vector<ModuleEvent> HelperEvents() {
    return Events();
}

void ResetHelperEvents() {
    Events().clear();
}

AddressBlock::AddressBlock(std::uintptr_t address, std::size_t size) : address_(address), size_(size) {
    void* region = mmap(reinterpret_cast<void*>(address), size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    held_ = region != MAP_FAILED && reinterpret_cast<std::uintptr_t>(region) == address;
    if (region != MAP_FAILED && !held_) munmap(region, size);
}

AddressBlock::~AddressBlock() {
    if (held_) munmap(reinterpret_cast<void*>(address_), size_);
}

}  // namespace morvane::testing
