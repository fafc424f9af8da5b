// Memory for mapped images on POSIX systems, as the loader expects it of the
// system: zero-filled and read-write-execute. Each region is followed by an
// inaccessible guard page, and the slack between the requested size and the
// page end is filled with non-zero bytes, so a read that strays past the size
// finds no terminating zero and faults instead of going unnoticed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

namespace morvane::testing {

class ExecutableMemory {
public:
    // Requests above limit are refused, as a system would refuse absurd sizes.
    explicit ExecutableMemory(std::size_t limit = std::size_t{256} << 20) : limit_(limit) {}
    ~ExecutableMemory();
    ExecutableMemory(const ExecutableMemory&) = delete;
    ExecutableMemory& operator=(const ExecutableMemory&) = delete;

    // At address exactly (0: anywhere); 0 when that is not possible.
    std::uintptr_t Reserve(std::uintptr_t address, std::size_t size);
    bool Release(std::uintptr_t address);
    std::size_t RegionCount() const { return regions_.size(); }

private:
    std::size_t limit_;
    std::map<std::uintptr_t, std::size_t> regions_;  // start -> length with the guard page
};

}  // namespace morvane::testing
