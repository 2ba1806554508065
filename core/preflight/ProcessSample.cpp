#include "preflight/ProcessSample.h"

#include "platform/SystemFile.h"
#include "platform/SystemReadings.h"

#include <charconv>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

// The process's name and times from the text of /proc/PID/stat: the name is
// in parentheses and may hold spaces and parentheses itself, so the fields
// are counted from the last ')'.
bool parseStat(const std::string& text, std::string& name, double& seconds,
               unsigned long long& started) {
    const std::size_t open = text.find('(');
    const std::size_t close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return false;
    }
    name = text.substr(open + 1, close - open - 1);
    std::istringstream rest(text.substr(close + 1));
    std::vector<std::string> fields;
    for (std::string field; rest >> field;) {
        fields.push_back(field);
    }
    // After the name: state is field 3 of the file, utime 14, stime 15, starttime 22.
    constexpr std::size_t kUtime = 11, kStime = 12, kStart = 19;
    if (fields.size() <= kStart) {
        return false;
    }
    const double ticks = std::stod(fields[kUtime]) + std::stod(fields[kStime]);
    seconds = ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
    started = std::stoull(fields[kStart]);
    return true;
}

} // namespace

ProcessSample ProcessSample::Take(const std::string& root) {
    ProcessSample sample;
    sample.BusySeconds = SystemReadings::BusySeconds(root);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root + "/proc", error)) {
        const std::string pidText = entry.path().filename().string();
        int pid = 0;
        const char* end = pidText.data() + pidText.size();
        if (const auto [stop, failure] = std::from_chars(pidText.data(), end, pid);
            failure != std::errc() || stop != end) {
            continue;
        }
        // A process that ended since the folder was listed has no file any more.
        const auto text = SystemFile::Text(root, "/proc/" + pidText + "/stat");
        Program program;
        unsigned long long started = 0;
        try {
            if (text && parseStat(*text, program.Name, program.Seconds, started)) {
                sample.Programs[{pid, started}] = program;
            }
        } catch (const std::logic_error&) {
            // A field that is not a number: not a process's stat file.
        }
    }
    return sample;
}
