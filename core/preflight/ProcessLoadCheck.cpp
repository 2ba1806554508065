#include "preflight/ProcessLoadCheck.h"

#include "platform/InertText.h"
#include "platform/SystemFile.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kBusyPercent = 10.0;
// The busiest programs named, each from 1 % of one processor on.
constexpr std::size_t kNamed = 3;
constexpr double kNamedPercent = 1.0;

struct Busy {
    int Pid;
    std::string Name;
    double Percent;
};

std::string percentText(double percent) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f%%", percent);
    return text;
}

} // namespace

PreflightCheck ProcessLoadCheck(const ProcessSample& before, const ProcessSample& after,
                                double seconds, int selfPid, const std::string& root) {
    PreflightCheck check;
    check.Name = "load";
    if (seconds <= 0.0) {
        check.Found = "not available here (no time to sample)";
        return check;
    }
    double selfSeconds = 0.0;
    double othersSeconds = 0.0;
    std::vector<Busy> busiest;
    for (const auto& [key, program] : after.Programs) {
        const auto earlier = before.Programs.find(key);
        // A program started between the samples spent all its time in between.
        const double spent =
            program.Seconds - (earlier == before.Programs.end() ? 0.0 : earlier->second.Seconds);
        if (key.first == selfPid) {
            selfSeconds += spent;
            continue;
        }
        othersSeconds += spent;
        busiest.push_back({key.first, program.Name, 100.0 * spent / seconds});
    }
    // The whole machine's busy time also holds the programs that ended in between.
    othersSeconds = std::max(othersSeconds, after.BusySeconds - before.BusySeconds - selfSeconds);
    const double percent = std::max(0.0, 100.0 * othersSeconds / seconds);

    char sampled[96];
    std::snprintf(sampled, sizeof sampled, "other programs used %s of one processor over %.1f s",
                  percentText(percent).c_str(), seconds);
    check.Found = sampled;
    if (const auto load = SystemFile::Line(root, "/proc/loadavg")) {
        check.Found += ", load average " + load->substr(0, load->find(' '));
    }
    if (percent < kBusyPercent) {
        return check;
    }
    check.Level = CheckLevel::Warn;
    check.Fix = "renice -n 19 -p PID (the busiest programs)";
    std::sort(busiest.begin(), busiest.end(),
              [](const Busy& a, const Busy& b) { return a.Percent > b.Percent; });
    std::string named;
    std::string pids;
    for (std::size_t i = 0; i < std::min(kNamed, busiest.size()); ++i) {
        if (busiest[i].Percent < kNamedPercent) {
            break;
        }
        const std::string pid = std::to_string(busiest[i].Pid);
        named += (named.empty() ? ": " : ", ") + InertText(busiest[i].Name) + " " +
                 percentText(busiest[i].Percent) + " (pid " + pid + ")";
        pids += " " + pid;
    }
    if (!pids.empty()) {
        check.FoundHere = check.Found + named;
        check.FixHere = "renice -n 19 -p" + pids;
    }
    return check;
}
