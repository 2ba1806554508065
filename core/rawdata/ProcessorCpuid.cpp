#include "rawdata/ProcessorCpuid.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include "facts/CpuidRegisters.h"

#include <cpuid.h>
#include <memory>
#include <pthread.h>
#include <sched.h>
#include <unistd.h>
#endif

namespace {

constexpr std::uint32_t kExtended = 0x80000000u;
constexpr std::uint32_t kHypervisorBit = 1u << 31; // leaf 1, ECX

// Subleaves from first on until ends says an answer closes the list; the
// closing answer is not kept.
void walkSubleaves(const CpuidQuery& cpuid, std::uint32_t leaf, std::uint32_t first,
                   const std::function<bool(const CpuidAnswer&)>& ends,
                   std::vector<CpuidAnswer>& answers) {
    for (std::uint32_t subleaf = first; subleaf < kMaxSubleaves; ++subleaf) {
        const CpuidAnswer answer = cpuid(leaf, subleaf);
        if (ends(answer)) {
            return;
        }
        answers.push_back(answer);
    }
}

} // namespace

ProcessorCpuid WalkCpuid(const CpuidQuery& cpuid) {
    ProcessorCpuid record;
    const CpuidAnswer zero = cpuid(0, 0);
    const std::uint32_t basic = std::min(zero[0], kMaxBasicLeaves - 1) + 1;
    for (std::uint32_t leaf = 0; leaf < basic; ++leaf) {
        record.Basic.push_back(leaf == 0 ? zero : cpuid(leaf, 0));
    }
    const CpuidAnswer extendedZero = cpuid(kExtended, 0);
    // Processors without extended leaves answer leaf 0x80000000 with anything.
    const std::uint32_t highest = extendedZero[0];
    const std::uint32_t extended = (highest & 0xffff0000u) == kExtended
                                       ? std::min(highest - kExtended + 1, kMaxExtendedLeaves)
                                       : 1;
    for (std::uint32_t index = 0; index < extended; ++index) {
        record.Extended.push_back(index == 0 ? extendedZero : cpuid(kExtended + index, 0));
    }
    if (basic > 7 && record.Basic[7][0] >= 1) {
        record.Leaf7Subleaf1 = cpuid(7, 1);
    }
    if (basic > 1 && (record.Basic[1][2] & kHypervisorBit) != 0) {
        record.Hypervisor = cpuid(0x40000000u, 0);
    }
    // Cache descriptions end at cache type 0, topology levels at level type 0.
    const auto noCache = [](const CpuidAnswer& answer) { return (answer[0] & 0x1f) == 0; };
    if (basic > 4) {
        walkSubleaves(cpuid, 4, 0, noCache, record.Leaf4);
    }
    if (basic > 0xb) {
        walkSubleaves(
            cpuid, 0xb, 0, [](const CpuidAnswer& answer) { return (answer[2] & 0xff00) == 0; },
            record.Leaf0B);
    }
    if (basic > 0x12) {
        // SGX: subleaves 0 and 1 always, then EPC sections until an invalid one.
        record.Leaf12 = {cpuid(0x12, 0), cpuid(0x12, 1)};
        walkSubleaves(
            cpuid, 0x12, 2, [](const CpuidAnswer& answer) { return (answer[0] & 0xf) == 0; },
            record.Leaf12);
    }
    if (basic > 0x14) {
        // Processor trace: subleaf 0 names the highest subleaf.
        const CpuidAnswer first = cpuid(0x14, 0);
        record.Leaf14.push_back(first);
        for (std::uint32_t subleaf = 1; subleaf <= std::min(first[0], kMaxSubleaves - 1);
             ++subleaf) {
            record.Leaf14.push_back(cpuid(0x14, subleaf));
        }
    }
    if (extended > 0x1d) {
        walkSubleaves(cpuid, kExtended + 0x1d, 0, noCache, record.Leaf8000001D);
    }
    return record;
}

#if defined(__x86_64__) || defined(__i386__)

namespace {

constexpr std::uint32_t kOsXsave = 1u << 27; // leaf 1, ECX

CpuidAnswer askCpuid(std::uint32_t leaf, std::uint32_t subleaf) {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __cpuid_count(leaf, subleaf, eax, ebx, ecx, edx);
    return {eax, ebx, ecx, edx};
}

void freeSet(cpu_set_t* set) {
    CPU_FREE(set);
}

using CpuSet = std::unique_ptr<cpu_set_t, decltype(&freeSet)>;

} // namespace

std::vector<ProcessorCpuid> ReadEveryProcessorsCpuid() {
    const long configured = sysconf(_SC_NPROCESSORS_CONF);
    const int count = static_cast<int>(std::clamp<long>(configured, 1, kMaxDumpCpus));
    // The sets cover every processor number the kernel may hand out.
    const int bits = std::max(count, CPU_SETSIZE);
    const std::size_t bytes = CPU_ALLOC_SIZE(bits);
    const CpuSet saved(CPU_ALLOC(bits), &freeSet);
    const CpuSet one(CPU_ALLOC(bits), &freeSet);
    if (!saved || !one || pthread_getaffinity_np(pthread_self(), bytes, saved.get()) != 0) {
        return {};
    }
    const auto restore = [&] { pthread_setaffinity_np(pthread_self(), bytes, saved.get()); };
    std::vector<ProcessorCpuid> records;
    try {
        for (int cpu = 0; cpu < count; ++cpu) {
            CPU_ZERO_S(bytes, one.get());
            CPU_SET_S(cpu, bytes, one.get());
            // Offline processors and those outside the thread's cpuset refuse it.
            if (pthread_setaffinity_np(pthread_self(), bytes, one.get()) != 0) {
                continue;
            }
            ProcessorCpuid record = WalkCpuid(askCpuid);
            record.Cpu = static_cast<unsigned>(cpu);
            const std::optional<CpuidRegisters> registers = ReadCpuidRegisters();
            if (registers && (registers->Leaf1Ecx & kOsXsave) != 0) {
                record.Xcr0 = registers->Xcr0;
            }
            records.push_back(std::move(record));
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return records;
}

#else

std::vector<ProcessorCpuid> ReadEveryProcessorsCpuid() {
    return {};
}

#endif
