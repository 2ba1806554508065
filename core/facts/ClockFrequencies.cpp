#include "facts/ClockFrequencies.h"

#include "platform/ProcessorFolders.h"
#include "platform/SystemFile.h"
#include "platform/SystemReadings.h"

namespace {

std::uint32_t MegahertzOf(std::uint64_t kilohertz) {
    return static_cast<std::uint32_t>((kilohertz + 500) / 1000);
}

void KeepHighest(std::optional<std::uint32_t>& highest, std::optional<std::uint64_t> kilohertz) {
    if (kilohertz && (!highest || MegahertzOf(*kilohertz) > *highest)) {
        highest = MegahertzOf(*kilohertz);
    }
}

} // namespace

ClockFrequencies ReadClockFrequencies(const std::string& root) {
    ClockFrequencies clocks;
    std::uint64_t currentSum = 0;
    std::uint64_t currentCount = 0;
    for (const std::string& processor : ProcessorFolders(root)) {
        const std::string folder = processor + "/cpufreq/";
        KeepHighest(clocks.BaseMHz, SystemFile::Number(root, folder + "base_frequency"));
        KeepHighest(clocks.MaxMHz, SystemFile::Number(root, folder + "cpuinfo_max_freq"));
        if (const auto current = SystemFile::Number(root, folder + "scaling_cur_freq")) {
            currentSum += *current;
            ++currentCount;
        }
    }
    clocks.Governors = SystemReadings::Governors(root);
    if (currentCount > 0) {
        clocks.CurrentMHz = MegahertzOf(currentSum / currentCount);
    }
    return clocks;
}
