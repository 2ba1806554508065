#pragma once

#include "platform/MemoryStatus.h"

#include <cstdint>

// The operating system's figures for the live monitors: memory, up-time and
// the logon name. Windows reach them only through this interface, so tests
// can give figures of their own.
class SystemStatus {
  public:
    virtual ~SystemStatus() = default;

    // Fills the memory figures; dwLength is set by the caller.
    virtual void GlobalMemoryStatus(MEMORYSTATUS& status) = 0;
    // Milliseconds since the system started, 64-bit so it never wraps.
    virtual std::uint64_t GetTickCount() = 0;
    // Writes the logon name and a terminating NUL into buffer and sets size
    // to the count written, NUL included. When the name does not fit in the
    // size given, or there is none, nothing is written, size becomes 0 and
    // the result is false.
    virtual bool GetUserNameA(char* buffer, std::uint32_t& size) = 0;
};
