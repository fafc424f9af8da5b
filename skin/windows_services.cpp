#include <windows.h>

#include "skin/system_services.h"

namespace morvane {
namespace {

class Win32Services final : public SystemServices {
public:
    std::uintptr_t ReserveMemory(std::uintptr_t address, std::size_t size) override {
        void* memory = VirtualAlloc(reinterpret_cast<void*>(address), size, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_EXECUTE_READWRITE);
        // The system rounds a requested address down to its allocation
        // granularity; memory anywhere but where it was asked for is no answer.
        if (memory != nullptr && address != 0 && reinterpret_cast<std::uintptr_t>(memory) != address) {
            VirtualFree(memory, 0, MEM_RELEASE);
            return 0;
        }
        return reinterpret_cast<std::uintptr_t>(memory);
    }
    bool ReleaseMemory(std::uintptr_t address) override {
        return VirtualFree(reinterpret_cast<void*>(address), 0, MEM_RELEASE) != FALSE;
    }
    std::uintptr_t OpenLibrary(const char* name) override {
        return reinterpret_cast<std::uintptr_t>(LoadLibraryA(name));
    }
    std::uintptr_t ProcedureByName(std::uintptr_t library, const char* name) override {
        return reinterpret_cast<std::uintptr_t>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
    }
    std::uintptr_t ProcedureByOrdinal(std::uintptr_t library, std::uint16_t ordinal) override {
        return reinterpret_cast<std::uintptr_t>(
            GetProcAddress(reinterpret_cast<HMODULE>(library), MAKEINTRESOURCEA(ordinal)));
    }
};

}  // namespace

SystemServices& WindowsServices() {
    static Win32Services services;
    return services;
}

}  // namespace morvane
