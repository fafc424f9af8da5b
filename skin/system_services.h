// What the module loader needs of the system: memory, libraries, procedures
// and calls into loaded code. The default is the Windows API; tests and the
// fuzzer supply their own so the same loader runs on Linux.
#pragma once

#include <cstddef>
#include <cstdint>

#include "skin/call_proc.h"

namespace morvane {

class SystemServices {
public:
    virtual ~SystemServices() = default;

    // size bytes of zero-filled read-write-execute memory at address, or at
    // an address of the system's choice when address is 0; 0 when refused.
    virtual std::uintptr_t ReserveMemory(std::uintptr_t address, std::size_t size) = 0;
    // Releases a whole reservation made by ReserveMemory.
    virtual bool ReleaseMemory(std::uintptr_t address) = 0;
    // A handle of the library found by its file name, or 0.
    virtual std::uintptr_t OpenLibrary(const char* name) = 0;
    virtual std::uintptr_t ProcedureByName(std::uintptr_t library, const char* name) = 0;
    virtual std::uintptr_t ProcedureByOrdinal(std::uintptr_t library, std::uint16_t ordinal) = 0;
    // Every call into loaded code (entry points, import resolvers) comes here.
    virtual std::uintptr_t Call(std::uintptr_t proc, const CallWords& words) { return CallProc(proc, words); }
};

#ifdef _WIN32
// VirtualAlloc, VirtualFree, LoadLibraryA and GetProcAddress.
SystemServices& WindowsServices();
#endif

}  // namespace morvane
