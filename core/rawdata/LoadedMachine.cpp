#include "rawdata/LoadedMachine.h"

#include "facts/DumpIdentity.h"
#include "facts/DumpRegisters.h"
#include "facts/DumpTopology.h"
#include "facts/LoadedProcessor.h"
#include "facts/LoadedProcessorLibrary.h"
#include "facts/MachineId.h"
#include "facts/OsRelease.h"
#include "facts/ProcessorFacts.h"
#include "platform/MemoryStatus.h"
#include "platform/QuelError.h"
#include "platform/SystemFile.h"
#include "platform/Version.h"
#include "quelcore/CpuInfoIdentity.h"
#include "quelcore/CpuInfoText.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace {

const std::string kUnknown = "unknown";
// The library's code of the address sizes: physical bits in 7:0, virtual in 15:8.
constexpr std::int32_t kAddressSizeCode = 42;

// Every logical processor's answers from cpuid.raw, with what cpuid-extra.txt
// adds for each; none without cpuid.raw.
std::vector<CpuidAnswers> readDumps(const std::string& root, std::vector<std::string>& faults) {
    const std::optional<std::string> raw = SystemFile::Text(root, "/cpuid.raw");
    if (!raw) {
        return {};
    }
    std::vector<CpuidAnswers> cpus;
    try {
        cpus = ParseCpuidDump(*raw, "cpuid.raw");
    } catch (const QuelError& error) {
        faults.push_back(error.Description());
        return {};
    }
    const std::optional<std::string> extra = SystemFile::Text(root, "/cpuid-extra.txt");
    if (!extra) {
        return cpus;
    }
    try {
        const std::vector<CpuidAnswers> more = ParseCpuidDump(*extra, "cpuid-extra.txt");
        if (more.size() != cpus.size()) {
            faults.push_back("cpuid-extra.txt: " + std::to_string(more.size()) +
                             " processors where cpuid.raw has " + std::to_string(cpus.size()));
            return cpus;
        }
        for (std::size_t cpu = 0; cpu < cpus.size(); ++cpu) {
            cpus[cpu].Leaves.insert(more[cpu].Leaves.begin(), more[cpu].Leaves.end());
            cpus[cpu].Xcr0 = more[cpu].Xcr0;
        }
    } catch (const QuelError& error) {
        faults.push_back(error.Description());
    }
    return cpus;
}

// uname.txt's "key=value" lines, as the bundle keeps the kernel's name.
std::optional<KernelName> readKernel(const std::string& root) {
    const std::optional<std::string> text = SystemFile::Text(root, "/uname.txt");
    if (!text) {
        return std::nullopt;
    }
    KernelName kernel;
    const std::pair<const char*, std::string KernelName::*> keys[] = {
        {"sysname", &KernelName::System},
        {"release", &KernelName::Release},
        {"version", &KernelName::Version},
        {"machine", &KernelName::Machine},
        {"nodename", &KernelName::HostName}};
    std::istringstream lines(*text);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        for (const auto& [key, member] : keys) {
            if (equals != std::string::npos && line.compare(0, equals, key) == 0) {
                kernel.*member = line.substr(equals + 1);
            }
        }
    }
    return kernel;
}

std::optional<CpuTopology> readTopology(const std::string& root,
                                        const std::vector<CpuidAnswers>& cpus) {
    if (const std::optional<std::string> xml = SystemFile::Text(root, "/hwloc.xml")) {
        return CpuTopologyFromXml(*xml);
    }
    std::error_code error;
    if (std::filesystem::is_directory(root + "/sys/devices/system/cpu", error)) {
        return CpuTopologyFromTree(root);
    }
    if (!cpus.empty()) {
        return TopologyFromCpuid(cpus);
    }
    return std::nullopt;
}

// The window's processor texts and marks, through the same code as the
// running machine's, from the library's answers for the loaded processor.
// The address sizes too, which the library answers in one code.
void addWindow(MachineInfo& info, const ProcessorIdentity& processor) {
    LoadedProcessorLibrary library(processor);
    ProcessorFacts facts;
    facts.Read(library);
    info.Window = MakeProcessorTexts(facts, library);
    info.Window.Speed = kUnknown;
    const std::int32_t sizes = library.GetCPU_Caps(kAddressSizeCode);
    if ((sizes & 0xff) != 0) {
        info.PhysicalAddressBits = sizes & 0xff;
        info.VirtualAddressBits = (sizes >> 8) & 0xff;
    }
}

void addProcessor(MachineInfo& info, const std::string& root,
                  const std::vector<CpuidAnswers>& cpus) {
    const std::string cacheFolder = root + "/sys/devices/system/cpu/cpu0/cache";
    const std::optional<std::string> cpuinfo = SystemFile::Text(root, "/proc/cpuinfo");
    if (!cpus.empty()) {
        addWindow(info, ProcessorFromCpuid(cpus.front(), cacheFolder));
        info.Identity = IdentityFromCpuid(cpus.front());
        const CpuidRegisters registers = RegistersFromCpuid(cpus.front());
        info.Extensions = DecodeExtensions(registers);
        info.X86_64Level = X86_64Level(registers);
        info.ExtensionsOfProcessorOnly = !cpus.front().Xcr0;
        const CpuidAnswer* leaf7 = cpus.front().FindReported(7);
        if (leaf7 != nullptr && (*leaf7)[0] >= 1 && !cpus.front().Find(7, 1)) {
            info.UnknownExtensions = ExtensionsOfLeaf7Subleaf1();
            std::erase_if(*info.Extensions, [&info](const Extension& extension) {
                return std::find(info.UnknownExtensions.begin(), info.UnknownExtensions.end(),
                                 extension.Name) != info.UnknownExtensions.end();
            });
        }
        info.Virtual = ReadVirtualization(root, registers.HypervisorSignature);
    } else if (cpuinfo) {
        const auto midr =
            SystemFile::Line(root, "/sys/devices/system/cpu/cpu0/regs/identification/midr_el1");
        const ProcessorIdentity processor =
            ProcessorFromCpuinfo(*cpuinfo, cacheFolder, midr ? ParseMidr(*midr) : std::nullopt);
        addWindow(info, processor);
        // x86's flags, or ARM's features, of which only floating point is in the list.
        info.FeatureMarksKnown = CpuInfoField(*cpuinfo, "flags").has_value() ||
                                 CpuInfoField(*cpuinfo, "Features").has_value();
        if (CpuInfoField(*cpuinfo, "cpu family")) {
            info.Identity = {processor.Vendor, processor.Name, processor.Family, processor.Model,
                             processor.Stepping};
        }
        info.Virtual = ReadVirtualization(root, "");
    } else {
        for (std::string* text :
             {&info.Window.Name, &info.Window.Speed, &info.Window.Type, &info.Window.Family,
              &info.Window.Model, &info.Window.Stepping, &info.Window.InstructionCache,
              &info.Window.DataCache, &info.Window.Level2Cache}) {
            *text = kUnknown;
        }
        info.FeatureMarksKnown = false;
        info.Virtual = ReadVirtualization(root, "");
    }
    // The program's own answer to where it runs says nothing of the loaded machine.
    info.Virtual.Container.reset();
}

} // namespace

LoadedMachine LoadMachineInfo(const std::string& root, const std::string& source) {
    LoadedMachine loaded;
    MachineInfo& info = loaded.Info;
    info.ProgramVersion = VersionText();
    info.LoadedFrom = source;
    if (const auto cpuinfo = SystemFile::Text(root, "/proc/cpuinfo");
        cpuinfo && Is32BitArm(*cpuinfo)) {
        throw QuelError(QuelError::kOwnError, "LoadMachineInfo",
                        source + ": a 32-bit ARM processor (ARMv7 or older); Quelvorant " +
                            "supports 64-bit ARM only, and shows no facts of it");
    }
    const std::vector<CpuidAnswers> cpus = readDumps(root, loaded.Faults);
    addProcessor(info, root, cpus);
    info.Arm = ReadArmProcessor(root, std::nullopt);
    AddArmIdentity(info);
    info.Topology = readTopology(root, cpus);
    info.Clock = ReadClockFrequencies(root);
    info.Clock.CurrentMHz.reset();
    info.NumaNodes = ReadNumaNodes(root);
    info.Kernel = readKernel(root);
    info.Distribution = OsRelease::ReadPrettyName(root);
    info.MachineId = MachineId::Read(root);
    info.MachineName = info.Kernel ? info.Kernel->HostName : std::string();
    if (const std::optional<std::string> meminfo = SystemFile::Text(root, "/proc/meminfo")) {
        ParseMemInfo(*meminfo, info.Status.Memory);
    }
    info.StatusText = MakeStatusTexts(info.Status);
    for (std::string* text :
         {&info.StatusText.UpTime, &info.StatusText.AvailableRam, &info.StatusText.UsedRam,
          &info.StatusText.ProcessorLoad, &info.StatusText.UserName}) {
        *text = kUnknown;
    }
    if (info.Status.Memory.ullTotalPhys == 0) {
        info.StatusText.TotalRam = kUnknown;
    }
    return loaded;
}
