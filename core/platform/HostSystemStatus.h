#pragma once

#include "platform/SystemStatus.h"

// The figures of the machine the program runs on: /proc/meminfo, the
// boot-time clock and the effective user's account.
class HostSystemStatus : public SystemStatus {
  public:
    void GlobalMemoryStatus(MEMORYSTATUS& status) override;
    std::uint64_t GetTickCount() override;
    bool GetUserNameA(char* buffer, std::uint32_t& size) override;
};
