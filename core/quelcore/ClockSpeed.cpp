#include "quelcore/ClockSpeed.h"

#include "quelcore/CpuInfoText.h"
#include "quelcore/HostFiles.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// A cpufreq file holds kilohertz.
std::optional<std::int32_t> CpufreqMHz(const std::string& path) {
    const auto text = ReadTextFile(path);
    if (!text) {
        return std::nullopt;
    }
    const long long kilohertz = std::atoll(text->c_str());
    if (kilohertz <= 0 || kilohertz / 1000 >= std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::llround(static_cast<double>(kilohertz) / 1000.0));
}

std::optional<std::int32_t> CpuInfoMHz(const std::string& path) {
    const auto text = ReadTextFile(path);
    if (!text) {
        return std::nullopt;
    }
    const auto field = CpuInfoField(*text, "cpu MHz");
    if (!field) {
        return std::nullopt;
    }
    const double megahertz = std::atof(field->c_str());
    if (!(megahertz > 0.0) || megahertz > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(std::lround(megahertz));
}

} // namespace

std::optional<std::int32_t> KernelClockMHz(const ClockSources& sources) {
    if (auto current = CpufreqMHz(sources.CpufreqFolder + "/scaling_cur_freq")) {
        return current;
    }
    if (auto reported = CpuInfoMHz(sources.CpuInfoPath)) {
        return reported;
    }
    return CpufreqMHz(sources.CpufreqFolder + "/cpuinfo_max_freq");
}

std::int16_t ClockAnswer(std::int32_t megahertz) {
    if (megahertz < 0) {
        return 0;
    }
    if (megahertz > std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(megahertz);
}
