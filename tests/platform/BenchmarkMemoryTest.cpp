#include "platform/BenchmarkMemory.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUEL_OWN_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUEL_OWN_ALLOCATOR 1
#endif

namespace {

long pageFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Allocates, fills and frees buffers the size of the benchmark's, as its
// passes do; the page faults this took.
long faultsOfPasses() {
    const long before = pageFaults();
    std::vector<std::unique_ptr<char[]>> buffers;
    for (int pass = 0; pass < 20; ++pass) {
        for (const std::size_t size : {3'300'000, 3'300'000, 3'100'000}) {
            buffers.push_back(std::make_unique<char[]>(size));
            std::memset(buffers.back().get(), pass, size);
        }
        buffers.clear();
    }
    return pageFaults() - before;
}

} // namespace

TEST(BenchmarkMemory, PassesAfterTheFirstFaultInNoNewPages) {
#if defined(QUEL_OWN_ALLOCATOR)
    GTEST_SKIP() << "AddressSanitizer brings its own allocator";
#else
    KeepBenchmarkMemory();
    faultsOfPasses();
    // 20 passes of 9.7 MB would fault in about 47,000 pages if the memory
    // went back to the system after each.
    EXPECT_LT(faultsOfPasses(), 200);
#endif
}
