#include "rawdata/CpuidDumpText.h"

#include <algorithm>
#include <cinttypes>
#include <cstdint>
#include <cstdio>

namespace {

std::string cpuLine(unsigned cpu) {
    return "_________________ Logical CPU #" + std::to_string(cpu) + " _________________\n";
}

std::string answerText(const CpuidAnswer& answer) {
    char text[40];
    std::snprintf(text, sizeof text, "%08" PRIx32 " %08" PRIx32 " %08" PRIx32 " %08" PRIx32,
                  answer[0], answer[1], answer[2], answer[3]);
    return text;
}

// libcpuid 0.6.2 reads 32 basic and 32 extended leaves and warns about any more.
constexpr std::size_t kRawFormatLeaves = 32;

// The lines of answers from index first on, up to last.
void addLines(std::string& text, const char* name, const std::vector<CpuidAnswer>& answers,
              std::size_t first = 0, std::size_t last = SIZE_MAX) {
    for (std::size_t index = first; index < std::min(answers.size(), last); ++index) {
        text += std::string(name) + "[" + std::to_string(index) +
                "]=" + answerText(answers[index]) + "\n";
    }
}

} // namespace

std::string CpuidDumpText(const std::vector<ProcessorCpuid>& processors) {
    std::string text;
    for (const ProcessorCpuid& processor : processors) {
        text += cpuLine(processor.Cpu);
        addLines(text, "basic_cpuid", processor.Basic, 0, kRawFormatLeaves);
        addLines(text, "ext_cpuid", processor.Extended, 0, kRawFormatLeaves);
        addLines(text, "intel_fn4", processor.Leaf4);
        addLines(text, "intel_fn11", processor.Leaf0B);
        addLines(text, "intel_fn12h", processor.Leaf12);
        addLines(text, "intel_fn14h", processor.Leaf14);
        addLines(text, "amd_fn8000001dh", processor.Leaf8000001D);
    }
    return text;
}

std::string CpuidExtraText(const std::vector<ProcessorCpuid>& processors) {
    std::string text;
    for (const ProcessorCpuid& processor : processors) {
        text += cpuLine(processor.Cpu);
        addLines(text, "basic_cpuid", processor.Basic, kRawFormatLeaves);
        addLines(text, "ext_cpuid", processor.Extended, kRawFormatLeaves);
        if (processor.Leaf7Subleaf1) {
            text += "leaf7_subleaf1=" + answerText(*processor.Leaf7Subleaf1) + "\n";
        }
        if (processor.Hypervisor) {
            text += "hypervisor_leaf=" + answerText(*processor.Hypervisor) + "\n";
        }
        if (processor.Xcr0) {
            char xcr0[24];
            std::snprintf(xcr0, sizeof xcr0, "%016" PRIx64, *processor.Xcr0);
            text += std::string("xcr0=") + xcr0 + "\n";
        }
    }
    return text;
}
