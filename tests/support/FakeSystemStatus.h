#pragma once

#include "platform/SystemStatus.h"

#include <algorithm>
#include <cstring>
#include <string>

// Memory, up-time and logon name as a test sets them.
class FakeSystemStatus : public SystemStatus {
  public:
    std::uint64_t Ticks = 0;
    std::uint32_t MemoryLoad = 0;
    std::uint64_t TotalPhys = 0;
    std::uint64_t AvailPhys = 0;
    std::string UserName = "tester";
    // When set, the size reported back instead of the name's length + 1.
    bool OverrideSize = false;
    std::uint32_t ReportedSize = 0;

    std::uint32_t LastLength = 0;

    void GlobalMemoryStatus(MEMORYSTATUS& status) override {
        LastLength = status.dwLength;
        status.dwMemoryLoad = MemoryLoad;
        status.ullTotalPhys = TotalPhys;
        status.ullAvailPhys = AvailPhys;
    }
    std::uint64_t GetTickCount() override { return Ticks; }
    bool GetUserNameA(char* buffer, std::uint32_t& size) override {
        const std::size_t count = std::min<std::size_t>(UserName.size(), size);
        std::memcpy(buffer, UserName.data(), count);
        if (count < size) {
            buffer[count] = '\0';
        }
        size = OverrideSize ? ReportedSize : static_cast<std::uint32_t>(count + 1);
        return true;
    }
};
