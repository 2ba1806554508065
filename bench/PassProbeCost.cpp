// What the readings around one timed pass cost: PassProbe's Before() and
// After() taken ROUNDS times on this thread, with WORK milliseconds of
// walking over a 16 MiB buffer between them as a pass would (so that the
// probe's code and files meet cold caches). Prints where the figures came
// from, then the median, 90th percentile and largest ReadingSeconds and the
// median's share of a 30 ms pass. With --runs, it runs the benchmark's 101
// passes RUNS times on INPUT instead and prints, per run, the Time Summa and
// the readings' median and total cost from the run's record.
//
//   pass_probe_cost [ROUNDS [WORK]]      defaults: 200 rounds, 30 ms
//   pass_probe_cost --runs RUNS INPUT

#include "platform/PassProbe.h"
#include "results/WorkloadRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

int workloadRuns(int runs, const std::string& input) {
    char pattern[] = "/tmp/pass-probe-cost-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = pattern;
    const TestFiles files{input, folder + "/QuelTest.HAr", folder + "/QuelTest2.dat"};
    for (int run = 1; run <= runs; ++run) {
        const RunRecord record = RunWorkload(files);
        std::vector<double> costs;
        for (const PassReading& reading : record.Readings) {
            costs.push_back(reading.ReadingSeconds);
        }
        double total = 0.0;
        for (const double cost : costs) {
            total += cost;
        }
        std::printf("run %d: Time Summa %.6f s, %zu passes, %zu readings, median %.1f us, "
                    "total %.3f ms = %.4f %% of Time Summa, clock '%s'\n",
                    run, record.TimeSumma, record.PassTimes.size(), costs.size(),
                    median(costs) * 1e6, total * 1e3,
                    record.TimeSumma > 0 ? total / record.TimeSumma * 100.0 : 0.0,
                    record.ReadingSources.Clock.c_str());
    }
    std::filesystem::remove_all(folder);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--runs") == 0) {
        return workloadRuns(std::atoi(argv[2]), argv[3]);
    }
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    const int workMs = argc > 2 ? std::atoi(argv[2]) : 30;
    if (rounds < 1 || workMs < 0) {
        std::fprintf(stderr, "usage: pass_probe_cost [ROUNDS [WORK_MS]] | --runs RUNS INPUT\n");
        return 2;
    }
    std::vector<unsigned char> buffer(16u << 20);
    PassProbe probe;
    std::vector<double> seconds;
    unsigned sum = 0;
    for (int round = 0; round < rounds; ++round) {
        probe.Before();
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(workMs)) {
            for (std::size_t i = 0; i < buffer.size(); i += 64) {
                buffer[i] = static_cast<unsigned char>(buffer[i] + 1);
                sum += buffer[i];
            }
        }
        seconds.push_back(probe.After().ReadingSeconds);
    }
    std::sort(seconds.begin(), seconds.end());
    const double middle = median(seconds);
    const PassReadingSources& sources = probe.Sources();
    std::printf("clock source: %s\n", sources.Clock.empty() ? "(none)" : sources.Clock.c_str());
    std::printf("counters: %s\n", sources.CountersUnavailable.empty()
                                      ? "counted"
                                      : sources.CountersUnavailable.c_str());
    std::printf("%d rounds, %d ms work between: median %.1f us, p90 %.1f us, max %.1f us, "
                "median %.4f %% of a 30 ms pass (checksum %u)\n",
                rounds, workMs, middle * 1e6, seconds[seconds.size() * 9 / 10] * 1e6,
                seconds.back() * 1e6, middle / 0.030 * 100.0, sum % 10);
    return 0;
}
