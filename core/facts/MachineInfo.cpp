#include "facts/MachineInfo.h"

#include "facts/ArmFeatures.h"
#include "facts/MachineId.h"
#include "facts/MachineName.h"
#include "facts/OsRelease.h"
#include "facts/ProcessorFacts.h"
#include "facts/ProcessorLibrary.h"
#include "platform/Version.h"

#include <thread>

void AddArmIdentity(MachineInfo& info) {
    if (!info.Arm) {
        return;
    }
    std::string brand;
    for (const ArmCoreKind& kind : info.Arm->Kinds) {
        brand += (brand.empty() ? "" : ", ") + kind.Name;
    }
    info.Identity.Vendor = info.Identity.Vendor.value_or(info.Arm->Vendor);
    info.Identity.Brand = info.Identity.Brand.value_or(brand);
}

MachineInfo CollectMachineInfo(ProcessorLibrary& library, SystemStatus& system,
                               const std::string& root) {
    return CollectMachineInfo(library, system, root, MachineCpuTopology());
}

MachineInfo CollectMachineInfo(ProcessorLibrary& library, SystemStatus& system,
                               const std::string& root, std::optional<CpuTopology> topology,
                               std::chrono::milliseconds usageInterval) {
    MachineInfo info;
    info.ProgramVersion = VersionText();
    // The library tells what the processors did since its last reading, at
    // the first one since boot: the usage is read once more after a moment,
    // which the other facts take their time within.
    const auto usageFrom = std::chrono::steady_clock::now();
    library.GetCPU_Usage();
    // In the window's order: the fixed facts, their texts, then the monitors.
    ProcessorFacts facts;
    facts.Read(library);
    info.Window = MakeProcessorTexts(facts, library);

    info.Identity = ReadCpuIdentity();
    info.Topology = std::move(topology);
    info.Clock = ReadClockFrequencies(root);
    const std::optional<CpuidRegisters> registers = ReadCpuidRegisters();
    if (registers) {
        info.Extensions = DecodeExtensions(*registers);
        info.X86_64Level = X86_64Level(*registers);
        if (registers->ExtLeaf8Eax != 0) {
            info.PhysicalAddressBits = static_cast<int>(registers->ExtLeaf8Eax & 0xff);
            info.VirtualAddressBits = static_cast<int>((registers->ExtLeaf8Eax >> 8) & 0xff);
        }
    }
    info.Arm = ReadArmProcessor(root, ReadArmFeatures());
    AddArmIdentity(info);
    info.NumaNodes = ReadNumaNodes(root);
    info.Virtual = ReadVirtualization(root, registers ? registers->HypervisorSignature : "");
    info.Kernel = ReadKernelName();
    info.Distribution = OsRelease::ReadPrettyName(root);
    info.MachineId = MachineId::Read(root);
    info.MachineName = MachineName::Chosen(info.Kernel ? info.Kernel->HostName : std::string());
    std::this_thread::sleep_until(usageFrom + usageInterval);
    info.Status = ReadStatusFigures(library, system);
    info.StatusText = MakeStatusTexts(info.Status);
    return info;
}
