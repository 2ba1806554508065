#include "facts/MachineInfo.h"

#include "facts/MachineId.h"
#include "facts/MachineName.h"
#include "facts/OsRelease.h"
#include "facts/ProcessorFacts.h"
#include "platform/Version.h"

MachineInfo CollectMachineInfo(ProcessorLibrary& library, SystemStatus& system,
                               const std::string& root) {
    return CollectMachineInfo(library, system, root, MachineCpuTopology());
}

MachineInfo CollectMachineInfo(ProcessorLibrary& library, SystemStatus& system,
                               const std::string& root, std::optional<CpuTopology> topology) {
    MachineInfo info;
    info.ProgramVersion = VersionText();
    // In the window's order: the fixed facts, their texts, then the monitors.
    ProcessorFacts facts;
    facts.Read(library);
    info.Window = MakeProcessorTexts(facts, library);
    info.Status = ReadStatusFigures(library, system);
    info.StatusText = MakeStatusTexts(info.Status);

    info.Identity = ReadCpuIdentity();
    info.Topology = std::move(topology);
    info.Clock = ReadClockFrequencies(root);
    if (const std::optional<CpuidRegisters> registers = ReadCpuidRegisters()) {
        info.Extensions = DecodeExtensions(*registers);
        info.X86_64Level = X86_64Level(*registers);
    }
    info.Kernel = ReadKernelName();
    info.Distribution = OsRelease::ReadPrettyName(root);
    info.MachineId = MachineId::Read(root);
    info.MachineName = MachineName::Chosen(info.Kernel ? info.Kernel->HostName : std::string());
    return info;
}
