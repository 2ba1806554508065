#include "platform/HostSystemStatus.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string ReadMemInfo() {
    std::ifstream in("/proc/meminfo", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The effective user's logon name from the account database, else from the
// environment.
std::string LogonName() {
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr && found->pw_name[0] != '\0') {
        return found->pw_name;
    }
    for (const char* variable : {"USER", "LOGNAME"}) {
        if (const char* value = std::getenv(variable); value != nullptr && value[0] != '\0') {
            return value;
        }
    }
    return {};
}

} // namespace

void HostSystemStatus::GlobalMemoryStatus(MEMORYSTATUS& status) {
    ParseMemInfo(ReadMemInfo(), status);
}

std::uint64_t HostSystemStatus::GetTickCount() {
    timespec now{};
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

bool HostSystemStatus::GetUserNameA(char* buffer, std::uint32_t& size) {
    const std::string name = LogonName();
    if (buffer == nullptr || name.empty() || name.size() + 1 > size) {
        size = 0;
        return false;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    size = static_cast<std::uint32_t>(name.size() + 1);
    return true;
}
