#include "results/PassReadingsJson.h"

#include "platform/QuelError.h"
#include "results/PassCauses.h"

#include <limits>

using nlohmann::json;

namespace {

constexpr std::int64_t kMaxCount = std::numeric_limits<std::int64_t>::max();
// A pass's seconds, clocks and temperatures beyond these are not readings.
constexpr double kMaxSeconds = 86400.0;
constexpr double kMaxMHz = 1.0e6;
constexpr double kMaxCelsius = 1000.0;

template <typename T> json nullable(const std::optional<T>& value) {
    return value ? json(*value) : json(nullptr);
}

json readingJson(const PassReading& r) {
    return {{"cpu_start", r.CpuAtStart >= 0 ? json(r.CpuAtStart) : json(nullptr)},
            {"cpu_end", r.CpuAtEnd >= 0 ? json(r.CpuAtEnd) : json(nullptr)},
            {"wait_seconds", nullable(r.WaitSeconds)},
            {"involuntary_switches", nullable(r.InvoluntarySwitches)},
            {"stolen_seconds", nullable(r.StolenSeconds)},
            {"minor_faults", nullable(r.MinorFaults)},
            {"major_faults", nullable(r.MajorFaults)},
            {"cycles", nullable(r.Cycles)},
            {"instructions", nullable(r.Instructions)},
            {"clock_mhz", nullable(r.ClockMHz)},
            {"temperature_c", nullable(r.TemperatureC)},
            {"throttle_events", nullable(r.ThrottleEvents)},
            {"reading_seconds", r.ReadingSeconds}};
}

json sharesJson(const RunShares& shares) {
    return {{"waiting", nullable(shares.Waiting)},
            {"stolen", nullable(shares.Stolen)},
            {"below_clock", nullable(shares.BelowClock)},
            {"biggest", shares.Biggest ? json(SlowCauseKey(*shares.Biggest)) : json(nullptr)}};
}

json outliersJson(const std::vector<OutlierPass>& outliers) {
    json list = json::array();
    for (const OutlierPass& outlier : outliers) {
        json causes = json::array();
        for (const SlowCause cause : outlier.Causes) {
            causes.push_back(SlowCauseKey(cause));
        }
        list.push_back({{"pass", outlier.Pass},
                        {"seconds", outlier.Seconds},
                        {"baseline_seconds", outlier.BaselineSeconds},
                        {"modified_z", outlier.ModifiedZ},
                        {"causes", causes}});
    }
    return list;
}

std::optional<double> bounded(const JsonFields& fields, const std::string& key, double max) {
    const std::optional<double> value = fields.NumberOrNull(key);
    if (value && !(*value >= 0.0 && *value <= max)) {
        throw QuelError(QuelError::kOwnError, "PassReadingsJson",
                        fields.Path() + ": field '" + key +
                            "' is out of range: " + std::to_string(*value));
    }
    return value;
}

std::optional<std::uint64_t> count(const JsonFields& fields, const std::string& key) {
    const std::optional<std::int64_t> value = fields.IntegerOrNull(key, 0, kMaxCount);
    return value ? std::optional(static_cast<std::uint64_t>(*value)) : std::nullopt;
}

PassReading readingFrom(const JsonFields& f) {
    PassReading r;
    r.CpuAtStart = static_cast<int>(f.IntegerOrNull("cpu_start", 0, 1 << 20).value_or(-1));
    r.CpuAtEnd = static_cast<int>(f.IntegerOrNull("cpu_end", 0, 1 << 20).value_or(-1));
    r.WaitSeconds = bounded(f, "wait_seconds", kMaxSeconds);
    r.InvoluntarySwitches = count(f, "involuntary_switches");
    r.StolenSeconds = bounded(f, "stolen_seconds", kMaxSeconds);
    r.MinorFaults = count(f, "minor_faults");
    r.MajorFaults = count(f, "major_faults");
    r.Cycles = count(f, "cycles");
    r.Instructions = count(f, "instructions");
    r.ClockMHz = bounded(f, "clock_mhz", kMaxMHz);
    r.TemperatureC = f.NumberOrNull("temperature_c");
    if (r.TemperatureC && !(*r.TemperatureC > -kMaxCelsius && *r.TemperatureC < kMaxCelsius)) {
        throw QuelError(QuelError::kOwnError, "PassReadingsJson",
                        f.Path() + ": field 'temperature_c' is out of range");
    }
    r.ThrottleEvents = count(f, "throttle_events");
    r.ReadingSeconds = bounded(f, "reading_seconds", kMaxSeconds).value_or(0.0);
    return r;
}

} // namespace

void AddReadings(const std::vector<PassReading>& readings, const PassReadingSources& sources,
                 json& object) {
    if (readings.empty()) {
        return;
    }
    json list = json::array();
    for (const PassReading& reading : readings) {
        list.push_back(readingJson(reading));
    }
    object["readings"] = list;
    object["reading_sources"] = {
        {"clock", sources.Clock.empty() ? json(nullptr) : json(sources.Clock)},
        {"counters_unavailable",
         sources.CountersUnavailable.empty() ? json(nullptr) : json(sources.CountersUnavailable)},
        {"max_clock_mhz", nullable(sources.MaxClockMHz)}};
}

void ReadReadings(const JsonFields& fields, std::vector<PassReading>& readings,
                  PassReadingSources& sources) {
    if (!fields.Has("readings")) {
        return;
    }
    const json& list = fields.Array("readings");
    for (std::size_t i = 0; i < list.size(); ++i) {
        readings.push_back(readingFrom(JsonFields::Item(list, i, "pass reading", fields.Path())));
    }
    if (const auto kept = fields.ObjectOrNull("reading_sources")) {
        const std::string clock = kept->TextOrNull("clock").value_or("");
        if (!clock.empty() && clock != "counters" && clock != "cpufreq") {
            throw QuelError(QuelError::kOwnError, "PassReadingsJson",
                            kept->Path() + ": field 'clock' is neither counters nor cpufreq");
        }
        sources.Clock = clock;
        sources.CountersUnavailable = kept->TextOrNull("counters_unavailable").value_or("");
        sources.MaxClockMHz = bounded(*kept, "max_clock_mhz", kMaxMHz);
    }
}

void AddPassReadings(const RunRecord& run, json& object) {
    if (run.Readings.empty()) {
        return;
    }
    AddReadings(run.Readings, run.ReadingSources, object);
    const RunExplanation explanation = ExplainRun(run);
    object["outliers"] = outliersJson(explanation.Outliers);
    object["shares"] = sharesJson(explanation.Shares);
}

void ReadPassReadings(const JsonFields& fields, RunRecord& run) {
    ReadReadings(fields, run.Readings, run.ReadingSources);
}
