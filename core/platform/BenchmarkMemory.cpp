#include "platform/BenchmarkMemory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

void KeepBenchmarkMemory() {
#if defined(M_TRIM_THRESHOLD) && defined(M_MMAP_THRESHOLD)
    // Buffers up to 32 MiB come from the heap, not from mappings of their
    // own, and up to 256 MiB of free heap stays with the process. A run
    // needs about 15 MB.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}
