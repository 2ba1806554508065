#include "platform/PassProbe.h"

#include "platform/SystemFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <linux/perf_event.h>
#include <sched.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int openForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

void closeIfOpen(int fd) {
    if (fd >= 0) {
        ::close(fd);
    }
}

// Skips blanks and reads one decimal number, moving text past it.
std::optional<std::uint64_t> nextNumber(const char*& text, const char* end) {
    while (text < end && (*text == ' ' || *text == '\t')) {
        ++text;
    }
    std::uint64_t value = 0;
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc()) {
        return std::nullopt;
    }
    text = stop;
    return value;
}

// The field-th number (from 0) of an open file's beginning, read again from
// its start; the kernel makes /proc and /sys files anew at offset 0.
std::optional<std::uint64_t> numberAt(int fd, int field) {
    std::array<char, 128> buffer;
    const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), 0);
    if (got <= 0) {
        return std::nullopt;
    }
    const char* text = buffer.data();
    const char* end = text + got;
    std::optional<std::uint64_t> value;
    for (int i = 0; i <= field; ++i) {
        value = nextNumber(text, end);
        if (!value) {
            return std::nullopt;
        }
    }
    return value;
}

std::optional<std::uint64_t> numberOfOpen(int fd) {
    return fd < 0 ? std::nullopt : numberAt(fd, 0);
}

std::optional<std::uint64_t> difference(const std::optional<std::uint64_t>& before,
                                        const std::optional<std::uint64_t>& after) {
    if (!before || !after || *after < *before) {
        return std::nullopt;
    }
    return *after - *before;
}

// Hardware monitors that report the processor's own temperatures.
bool isProcessorMonitor(const std::string& name) {
    static constexpr const char* kNames[] = {"coretemp",    "k10temp",     "zenpower",
                                             "cpu_thermal", "cpu-thermal", "soc_thermal"};
    return std::any_of(std::begin(kNames), std::end(kNames),
                       [&name](const char* known) { return name == known; });
}

std::string counterFailure(int error, const std::string& root) {
    std::string reason = std::string("perf_event_open: ") + std::strerror(error);
    switch (error) {
    case ENOENT:
    case EOPNOTSUPP:
        reason += " (no hardware counters here, as in most virtual machines)";
        break;
    case EACCES:
    case EPERM:
        if (const auto level = SystemFile::Line(root, "/proc/sys/kernel/perf_event_paranoid")) {
            reason += " (perf_event_paranoid is " + *level + ")";
        }
        break;
    case ENOSYS:
        reason += " (the kernel has no performance events)";
        break;
    default:
        break;
    }
    return reason;
}

int openCounter(std::uint64_t event, int group) {
    perf_event_attr attr{};
    attr.size = sizeof attr;
    attr.type = PERF_TYPE_HARDWARE;
    attr.config = event;
    attr.exclude_kernel = 1;
    attr.exclude_hv = 1;
    attr.read_format =
        PERF_FORMAT_GROUP | PERF_FORMAT_TOTAL_TIME_ENABLED | PERF_FORMAT_TOTAL_TIME_RUNNING;
    return static_cast<int>(
        ::syscall(SYS_perf_event_open, &attr, 0, -1, group, PERF_FLAG_FD_CLOEXEC));
}

} // namespace

PassProbe::PassProbe(std::string root, Counters counters) : root_(std::move(root)) {
    schedstat_ = openForReading(root_ + "/proc/thread-self/schedstat");
    stat_ = openForReading(root_ + "/proc/stat");
    if (const long ticks = ::sysconf(_SC_CLK_TCK); ticks > 0) {
        ticksPerSecond_ = static_cast<double>(ticks);
    }
    if (counters == Counters::Use) {
        openCounters();
    } else {
        sources_.CountersUnavailable = "not asked for";
    }
    findTemperatures();
}

PassProbe::~PassProbe() {
    closeIfOpen(schedstat_);
    closeIfOpen(stat_);
    closeIfOpen(instructions_);
    closeIfOpen(cycles_);
    closeProcessorFiles();
    for (const int fd : temperatures_) {
        ::close(fd);
    }
}

void PassProbe::openCounters() {
    cycles_ = openCounter(PERF_COUNT_HW_CPU_CYCLES, -1);
    if (cycles_ >= 0) {
        instructions_ = openCounter(PERF_COUNT_HW_INSTRUCTIONS, cycles_);
    }
    if (cycles_ < 0 || instructions_ < 0) {
        sources_.CountersUnavailable = counterFailure(errno, root_);
        closeIfOpen(cycles_);
        cycles_ = -1;
        return;
    }
    sources_.Clock = "counters";
}

void PassProbe::findTemperatures() {
    std::error_code error;
    for (const auto& monitor :
         std::filesystem::directory_iterator(root_ + "/sys/class/hwmon", error)) {
        const auto name = SystemFile::Line(monitor.path().string(), "/name");
        if (!name || !isProcessorMonitor(*name)) {
            continue;
        }
        std::error_code inner;
        for (const auto& entry : std::filesystem::directory_iterator(monitor.path(), inner)) {
            const std::string file = entry.path().filename().string();
            if (file.starts_with("temp") && file.ends_with("_input")) {
                if (const int fd = openForReading(entry.path().string()); fd >= 0) {
                    temperatures_.push_back(fd);
                }
            }
        }
    }
}

void PassProbe::Before() {
    const auto start = std::chrono::steady_clock::now();
    before_ = Snapshot{};
    before_.cpu = ::sched_getcpu();
    before_.stealTicks = stealTicks(before_.cpu);
    before_.throttleEvents = throttleEvents(before_.cpu);
    readThreadFigures(before_);
    // Last, so that the counters take in as little of the probe as can be.
    readCounters(before_);
    beforeTime_ = std::chrono::steady_clock::now() - start;
}

PassReading PassProbe::After() {
    const auto start = std::chrono::steady_clock::now();
    Snapshot after;
    readCounters(after);
    readThreadFigures(after);
    after.cpu = ::sched_getcpu();
    const int cpu = before_.cpu;
    after.stealTicks = stealTicks(cpu);
    after.throttleEvents = throttleEvents(cpu);

    PassReading reading;
    reading.CpuAtStart = cpu;
    reading.CpuAtEnd = after.cpu;
    if (const auto delay = difference(before_.runDelayNs, after.runDelayNs)) {
        reading.WaitSeconds = static_cast<double>(*delay) / 1e9;
    }
    if (before_.usage && after.usage) {
        reading.InvoluntarySwitches = after.involuntarySwitches - before_.involuntarySwitches;
        reading.MinorFaults = after.minorFaults - before_.minorFaults;
        reading.MajorFaults = after.majorFaults - before_.majorFaults;
    }
    if (const auto steal = difference(before_.stealTicks, after.stealTicks)) {
        reading.StolenSeconds = static_cast<double>(*steal) / ticksPerSecond_;
    }
    reading.ThrottleEvents = difference(before_.throttleEvents, after.throttleEvents);
    if (before_.cycles && after.cycles) {
        const std::uint64_t running = after.runningNs - before_.runningNs;
        const std::uint64_t cycles = *after.cycles - *before_.cycles;
        if (running > 0) {
            reading.ClockMHz = static_cast<double>(cycles) * 1000.0 / static_cast<double>(running);
        }
        // Counts are given only when the counters ran all the time they were
        // enabled, so never scaled up from a share of the pass.
        if (after.enabledNs - before_.enabledNs == running) {
            reading.Cycles = cycles;
            reading.Instructions = after.instructions - before_.instructions;
        }
    } else {
        reading.ClockMHz = cpufreqMHz(cpu);
    }
    reading.TemperatureC = hottestCelsius();
    reading.ReadingSeconds =
        std::chrono::duration<double>(beforeTime_ + (std::chrono::steady_clock::now() - start))
            .count();
    return reading;
}

void PassProbe::readCounters(Snapshot& snapshot) const {
    if (cycles_ < 0) {
        return;
    }
    // PERF_FORMAT_GROUP: the count of events, the enabled and running times,
    // then one value per event.
    std::uint64_t group[5] = {};
    if (::read(cycles_, group, sizeof group) != static_cast<ssize_t>(sizeof group) ||
        group[0] != 2) {
        return;
    }
    snapshot.enabledNs = group[1];
    snapshot.runningNs = group[2];
    snapshot.cycles = group[3];
    snapshot.instructions = group[4];
}

void PassProbe::readThreadFigures(Snapshot& snapshot) const {
    // schedstat: time on the processor, time waiting for it (both in
    // nanoseconds), time slices.
    if (schedstat_ >= 0) {
        snapshot.runDelayNs = numberAt(schedstat_, 1);
    }
    rusage usage{};
    if (::getrusage(RUSAGE_THREAD, &usage) == 0) {
        snapshot.usage = true;
        snapshot.involuntarySwitches = static_cast<std::uint64_t>(usage.ru_nivcsw);
        snapshot.minorFaults = static_cast<std::uint64_t>(usage.ru_minflt);
        snapshot.majorFaults = static_cast<std::uint64_t>(usage.ru_majflt);
    }
}

std::optional<std::uint64_t> PassProbe::stealTicks(int cpu) const {
    if (stat_ < 0 || cpu < 0) {
        return std::nullopt;
    }
    // The processors' lines come first; the file is read in pieces only as
    // far as the line of this one: "cpuN user nice system idle iowait irq
    // softirq steal ...".
    const std::string label = "cpu" + std::to_string(cpu) + " ";
    std::array<char, 4096> buffer;
    std::size_t kept = 0;
    off_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(stat_, buffer.data() + kept, buffer.size() - kept, offset);
        if (got <= 0) {
            return std::nullopt;
        }
        offset += got;
        const std::size_t length = kept + static_cast<std::size_t>(got);
        std::size_t start = 0;
        while (const void* found = std::memchr(buffer.data() + start, '\n', length - start)) {
            const char* line = buffer.data() + start;
            const char* end = static_cast<const char*>(found);
            const std::string_view text(line, static_cast<std::size_t>(end - line));
            if (text.starts_with(label)) {
                const char* field = line + label.size();
                std::optional<std::uint64_t> value;
                for (int i = 0; i < 8; ++i) {
                    value = nextNumber(field, end);
                    if (!value) {
                        return std::nullopt;
                    }
                }
                return value;
            }
            if (!text.starts_with("cpu")) {
                return std::nullopt;
            }
            start = static_cast<std::size_t>(end - buffer.data()) + 1;
        }
        kept = length - start;
        if (kept == buffer.size()) {
            return std::nullopt;
        }
        std::memmove(buffer.data(), buffer.data() + start, kept);
    }
}

std::optional<std::uint64_t> PassProbe::throttleEvents(int cpu) {
    if (cpu < 0) {
        return std::nullopt;
    }
    const ProcessorFiles& files = filesOf(cpu);
    const auto core = numberOfOpen(files.coreThrottle);
    const auto package = numberOfOpen(files.packageThrottle);
    if (!core && !package) {
        return std::nullopt;
    }
    return core.value_or(0) + package.value_or(0);
}

std::optional<double> PassProbe::cpufreqMHz(int cpu) {
    if (cpu < 0) {
        return std::nullopt;
    }
    const auto kHz = numberOfOpen(filesOf(cpu).cpufreq);
    if (!kHz) {
        return std::nullopt;
    }
    sources_.Clock = "cpufreq";
    return static_cast<double>(*kHz) / 1000.0;
}

std::optional<double> PassProbe::hottestCelsius() const {
    std::optional<std::uint64_t> hottest;
    for (const int fd : temperatures_) {
        if (const auto millidegrees = numberAt(fd, 0)) {
            hottest = std::max(hottest.value_or(0), *millidegrees);
        }
    }
    if (!hottest) {
        return std::nullopt;
    }
    return static_cast<double>(*hottest) / 1000.0;
}

const PassProbe::ProcessorFiles& PassProbe::filesOf(int cpu) {
    if (processor_.cpu != cpu) {
        closeProcessorFiles();
        const std::string folder = root_ + "/sys/devices/system/cpu/cpu" + std::to_string(cpu);
        processor_.cpu = cpu;
        processor_.coreThrottle = openForReading(folder + "/thermal_throttle/core_throttle_count");
        processor_.packageThrottle =
            openForReading(folder + "/thermal_throttle/package_throttle_count");
        processor_.cpufreq = openForReading(folder + "/cpufreq/scaling_cur_freq");
        // The highest clock of the processors the run met, read once per move.
        const int maxFreq = openForReading(folder + "/cpufreq/cpuinfo_max_freq");
        if (const auto kHz = numberOfOpen(maxFreq)) {
            sources_.MaxClockMHz =
                std::max(sources_.MaxClockMHz.value_or(0.0), static_cast<double>(*kHz) / 1000.0);
        }
        closeIfOpen(maxFreq);
    }
    return processor_;
}

void PassProbe::closeProcessorFiles() {
    closeIfOpen(processor_.coreThrottle);
    closeIfOpen(processor_.packageThrottle);
    closeIfOpen(processor_.cpufreq);
    processor_ = ProcessorFiles{};
}
