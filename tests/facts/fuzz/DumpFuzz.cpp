// Feeds arbitrary bytes to the reader of CPUID dumps and reads an identity,
// the extensions, the window's answers and the layout from what it accepts. A QuelError is an
// accepted outcome; what is accepted keeps to the limits.
#include "facts/CpuidDump.h"
#include "facts/DumpIdentity.h"
#include "facts/DumpRegisters.h"
#include "facts/DumpTopology.h"
#include "facts/InstructionSets.h"
#include "facts/LoadedProcessor.h"
#include "platform/QuelError.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const std::vector<CpuidAnswers> cpus = ParseCpuidDump(text, "fuzz.raw");
        if (cpus.empty() || cpus.size() > kMaxDumpCpus) {
            __builtin_trap();
        }
        for (const CpuidAnswers& cpu : cpus) {
            IdentityFromCpuid(cpu);
            X86_64Level(RegistersFromCpuid(cpu));
            ProcessorFromCpuid(cpu, "/nonexistent");
        }
        const CpuTopology topology = TopologyFromCpuid(cpus);
        if (topology.Threads.value_or(0) == 0 || topology.Cores.value_or(0) == 0) {
            __builtin_trap();
        }
    } catch (const QuelError&) {
    }
    return 0;
}
