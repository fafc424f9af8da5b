#include "skin/tests/executable_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

namespace morvane::testing {
namespace {

std::size_t PageSize() {
    static const auto size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return size;
}

}  // namespace

ExecutableMemory::~ExecutableMemory() {
    for (const auto& [start, length] : regions_) munmap(reinterpret_cast<void*>(start), length);
}

std::uintptr_t ExecutableMemory::Reserve(std::uintptr_t address, std::size_t size) {
    const std::size_t page = PageSize();
    if (size == 0 || size > limit_ || address % page != 0) return 0;
    const std::size_t usable = (size + page - 1) / page * page;
    const std::size_t length = usable + page;
    // A hint is honoured when the range is free; anything else counts as taken.
    void* region = mmap(reinterpret_cast<void*>(address), length, PROT_NONE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED) return 0;
    const auto start = reinterpret_cast<std::uintptr_t>(region);
    if ((address != 0 && start != address) || mprotect(region, usable, PROT_READ | PROT_WRITE | PROT_EXEC) != 0) {
        munmap(region, length);
        return 0;
    }
    std::memset(static_cast<char*>(region) + size, 0xA5, usable - size);
    regions_[start] = length;
    return start;
}

bool ExecutableMemory::Release(std::uintptr_t address) {
    const auto region = regions_.find(address);
    if (region == regions_.end()) return false;
    munmap(reinterpret_cast<void*>(region->first), region->second);
    regions_.erase(region);
    return true;
}

}  // namespace morvane::testing
