#include "facts/StatusTexts.h"

#include "facts/InfoFormat.h"
#include "facts/ProcessorLibrary.h"
#include "facts/UserName.h"
#include "platform/SystemStatus.h"

StatusFigures ReadStatusFigures(ProcessorLibrary& library, SystemStatus& system) {
    StatusFigures figures;
    figures.UpTimeMilliseconds = system.GetTickCount();
    figures.Memory.dwLength = sizeof figures.Memory;
    system.GlobalMemoryStatus(figures.Memory);
    figures.ProcessorLoad = library.GetCPU_Usage();
    figures.UserName = ReadUserName(system);
    return figures;
}

StatusTexts MakeStatusTexts(const StatusFigures& figures) {
    using namespace InfoFormat;
    return {UpTimeText(figures.UpTimeMilliseconds),     MegabytesText(figures.Memory.ullTotalPhys),
            MegabytesText(figures.Memory.ullAvailPhys), MemoryLoadText(figures.Memory.dwMemoryLoad),
            ProcessorLoadText(figures.ProcessorLoad),   figures.UserName};
}
