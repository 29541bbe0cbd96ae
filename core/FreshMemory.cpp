#include "core/FreshMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace kestrune {

void populateForWriting(void* data, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    // Only the whole pages inside the block: the pages at its ends may hold other allocations.
    const std::uintptr_t page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t last = (start + bytes) / page * page;
    if (last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace kestrune
