#include "tests/report/ReportSample.h"

#include <cmath>
#include <numeric>

namespace {

using nlohmann::json;

json cacheGroup(long long bytes, int instances, int cores, int threads) {
    return json::array({{{"size_bytes", bytes},
                         {"instances", instances},
                         {"cores_each", cores},
                         {"threads_each", threads}}});
}

json extensions() {
    json all = json::object();
    for (const char* name :
         {"sse3", "ssse3", "sse4_1", "sse4_2", "popcnt", "aes_ni", "pclmulqdq", "sha", "bmi1",
          "bmi2", "avx", "fma", "avx2", "avx512f", "avx512bw", "avx512vl", "avx512_vnni"}) {
        all[name] = true;
    }
    all["fma4"] = false;
    return all;
}

json info(const char* host, const char* vendor, const char* brand, int cores, int threads,
          long long l3Bytes, long long memoryBytes) {
    return {{"schema", "quelvorant.info/1"},
            {"processor",
             {{"architecture", "x86_64"},
              {"vendor", vendor},
              {"brand", brand},
              {"family", 6},
              {"model", 167},
              {"stepping", 1},
              {"x86_64_level", 4},
              {"sockets", 1},
              {"cores", cores},
              {"threads", threads},
              {"core_kinds", json::array()}}},
            {"caches",
             {{"l1d", cacheGroup(49152, cores, 1, threads / cores)},
              {"l1i", cacheGroup(32768, cores, 1, threads / cores)},
              {"l2", cacheGroup(2097152, cores, 1, threads / cores)},
              {"l3", cacheGroup(l3Bytes, 1, cores, threads)}}},
            {"clock_mhz", {{"base", nullptr}, {"max", nullptr}, {"current", nullptr}}},
            {"extensions", extensions()},
            {"memory", {{"total_bytes", memoryBytes}}},
            {"system",
             {{"kernel", "Linux"},
              {"kernel_release", "6.1.0-28-amd64"},
              {"distribution", "Debian GNU/Linux 12 (bookworm)"},
              {"hostname", host},
              {"frequency_governors", nullptr}}}};
}

HistoryMachine machine(const char* id, const char* host, const char* vendor, const char* brand,
                       int cores, int threads, long long l3Bytes, long long memoryBytes) {
    return {id,
            host,
            host,
            brand,
            info(host, vendor, brand, cores, threads, l3Bytes, memoryBytes),
            "2026-12-09T10:15:00Z"};
}

HistoryRun run(const std::string& id, const std::string& machineId, const std::string& startedAt,
               double timeSumma) {
    HistoryRun result;
    result.Id = id;
    result.MachineId = machineId;
    result.StartedAt = startedAt;
    result.ProgramVersion = "1.0.320";
    result.Source = "cli";
    result.InputSha256 = "d091cf16ab99364f5a0c8e2b7d3f41a6c9e05b8d27f1a3c4e6b9d0f2a7c5e813";
    result.TimeSumma = timeSumma;
    result.Score = std::floor(timeSumma * 50.0);
    return result;
}

// Compressions near 27 ms and decompressions near 41 ms with a little
// jitter, a slow compression at pass 37 and a slow decompression at pass 88.
std::vector<double> passTimes() {
    std::vector<double> times;
    for (int pass = 1; pass <= 101; ++pass) {
        const double jitter = 0.0004 * std::sin(pass * 1.7) + 0.0002 * std::cos(pass * 5.3);
        times.push_back((pass <= 50 ? 0.0274 : 0.0414) + jitter);
    }
    times[36] = 0.0338;
    times[87] = 0.0463;
    return times;
}

// What the passes met: a little waiting throughout, pass 37 waiting for most
// of its extra time while another program ran, and pass 88 moved to the
// other processor.
std::vector<PassReading> readings(const std::vector<double>& times) {
    std::vector<PassReading> met;
    for (std::size_t pass = 0; pass < times.size(); ++pass) {
        PassReading reading;
        reading.CpuAtStart = 1;
        reading.CpuAtEnd = pass == 87 ? 0 : 1;
        reading.WaitSeconds = pass == 36 ? 0.0058 : 0.00003 * static_cast<double>(pass % 4);
        reading.InvoluntarySwitches = pass == 36 ? 9 : 1;
        reading.StolenSeconds = 0.0;
        reading.MinorFaults = pass == 87 ? 210 : 12;
        reading.MajorFaults = 0;
        reading.ClockMHz = 2594.0 - (pass % 3);
        reading.ReadingSeconds = 0.000021;
        met.push_back(reading);
    }
    return met;
}

} // namespace

ReportData SampleReport() {
    ReportData data;
    data.Machine = machine("29eb818c46509e00", "build-vm", "GenuineIntel",
                           "Intel(R) Xeon(R) Processor", 2, 2, 503316480, 25276137472);
    const char* const days[] = {"2026-11-12T08:41:07Z", "2026-11-15T19:02:33Z",
                                "2026-11-19T09:15:40Z", "2026-11-24T14:27:12Z",
                                "2026-11-28T11:53:05Z", "2026-12-02T16:08:51Z",
                                "2026-12-05T10:31:26Z", "2026-12-09T10:15:00Z"};
    const double summas[] = {3.5099, 3.4817, 3.4512, 3.4689, 3.4402, 3.4755, 3.4598};
    for (int i = 0; i < 7; ++i) {
        data.MachineRuns.push_back(
            run("run-" + std::to_string(i + 1), data.Machine.Id, days[i], summas[i]));
    }
    const std::vector<double> times = passTimes();
    data.Run = run("6f1c2a9e-3b47-4d8e-9a15-c0d2e7b4f813", data.Machine.Id, days[7],
                   std::accumulate(times.begin(), times.begin() + 100, 0.0));
    data.Run.PassTimes = times;
    data.Run.Readings = readings(times);
    data.Run.ReadingSources.Clock = "counters";
    data.MachineRuns.push_back(data.Run);
    data.Machines = {
        {data.Machine, data.MachineRuns[4]},
        {machine("b41d7e0a92c35f18", "workstation", "AuthenticAMD",
                 "AMD Ryzen 9 7950X 16-Core Processor", 16, 32, 33554432, 67108864000LL),
         run("run-w", "b41d7e0a92c35f18", "2026-12-01T21:12:44Z", 1.6234)},
        {machine("5c08f3b6d1e2a947", "old-laptop", "GenuineIntel",
                 "Intel(R) Core(TM) i5-6200U CPU @ 2.30GHz", 2, 4, 3145728, 8589934592LL),
         run("run-l", "5c08f3b6d1e2a947", "2026-11-20T18:40:09Z", 5.8127)},
    };
    data.GeneratedAt = "2026-12-09T10:20:00Z";
    return data;
}
