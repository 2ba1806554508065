#include "ClockFrequencies.h"

#include "SystemFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

namespace {

const std::string kCpuFolder = "/sys/devices/system/cpu";

// The numbers of the cpuN folders, in ascending order.
std::vector<unsigned> CpuNumbers(const std::string& root) {
    std::vector<unsigned> numbers;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root + kCpuFolder, error)) {
        const std::string name = entry.path().filename().string();
        unsigned number = 0;
        const char* end = name.data() + name.size();
        if (name.size() > 3 && name.compare(0, 3, "cpu") == 0) {
            const auto [stop, failure] = std::from_chars(name.data() + 3, end, number);
            if (failure == std::errc() && stop == end) {
                numbers.push_back(number);
            }
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

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
    for (const unsigned number : CpuNumbers(root)) {
        const std::string folder = kCpuFolder + "/cpu" + std::to_string(number) + "/cpufreq/";
        KeepHighest(clocks.BaseMHz, SystemFile::Number(root, folder + "base_frequency"));
        KeepHighest(clocks.MaxMHz, SystemFile::Number(root, folder + "cpuinfo_max_freq"));
        if (const auto current = SystemFile::Number(root, folder + "scaling_cur_freq")) {
            currentSum += *current;
            ++currentCount;
        }
        const auto governor = SystemFile::Line(root, folder + "scaling_governor");
        if (governor && std::find(clocks.Governors.begin(), clocks.Governors.end(), *governor) ==
                            clocks.Governors.end()) {
            clocks.Governors.push_back(*governor);
        }
    }
    if (currentCount > 0) {
        clocks.CurrentMHz = MegahertzOf(currentSum / currentCount);
    }
    return clocks;
}
