#pragma once

#include "platform/MemoryStatus.h"

#include <cstdint>
#include <string>

class ProcessorLibrary;
class SystemStatus;

// The changing figures of the information window, read at one moment.
struct StatusFigures {
    std::uint64_t UpTimeMilliseconds = 0;
    MEMORYSTATUS Memory;
    std::int16_t ProcessorLoad = 0;
    std::string UserName;
};

// Reads up-time, memory, processor load and user name, in that order.
StatusFigures ReadStatusFigures(ProcessorLibrary& library, SystemStatus& system);

// The same figures as the window's single-byte texts.
struct StatusTexts {
    std::string UpTime;
    std::string TotalRam;
    std::string AvailableRam;
    std::string UsedRam;
    std::string ProcessorLoad;
    std::string UserName;
};

StatusTexts MakeStatusTexts(const StatusFigures& figures);
