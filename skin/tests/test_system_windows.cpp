#include <windows.h>

#include "skin/tests/test_system.h"

namespace morvane::testing {
namespace {

// The real fixture_helper.dll, loaded by the system as the mapped module's
// imports load it, so both see the same event log.
std::uintptr_t HelperProcedure(const char* name) {
    static const HMODULE helper = LoadLibraryA("fixture_helper.dll");
    return reinterpret_cast<std::uintptr_t>(GetProcAddress(helper, name));
}

}  // namespace

SystemServices& TestSystem() {
    return WindowsServices();
}

std::vector<ModuleEvent> HelperEvents() {
    std::vector<ModuleEvent> events;
    const auto count = static_cast<int>(CallProc(HelperProcedure("EventCount")));
    for (int i = 0; i < count; ++i)
        events.push_back({CallProc(HelperProcedure("EventModule"), static_cast<std::uintptr_t>(i)),
                          static_cast<int>(CallProc(HelperProcedure("EventReason"), static_cast<std::uintptr_t>(i)))});
    return events;
}

void ResetHelperEvents() {
    CallProc(HelperProcedure("ResetEvents"));
}

AddressBlock::AddressBlock(std::uintptr_t address, std::size_t size) : address_(address), size_(size) {
    void* region = VirtualAlloc(reinterpret_cast<void*>(address), size, MEM_RESERVE, PAGE_NOACCESS);
    held_ = region != nullptr && reinterpret_cast<std::uintptr_t>(region) == address;
    if (region != nullptr && !held_) VirtualFree(region, 0, MEM_RELEASE);
}

AddressBlock::~AddressBlock() {
    if (held_) VirtualFree(reinterpret_cast<void*>(address_), 0, MEM_RELEASE);
}

}  // namespace morvane::testing
