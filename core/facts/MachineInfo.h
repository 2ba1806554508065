#pragma once

#include "facts/ArmProcessor.h"
#include "facts/ClockFrequencies.h"
#include "facts/CpuIdentity.h"
#include "facts/CpuTopology.h"
#include "facts/InstructionSets.h"
#include "facts/KernelName.h"
#include "facts/NumaNodes.h"
#include "facts/ProcessorTexts.h"
#include "facts/StatusTexts.h"
#include "facts/Virtualization.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class ProcessorLibrary;
class SystemStatus;

// The moment over which the processors' usage is measured.
inline constexpr std::chrono::milliseconds kUsageInterval{250};

// Everything known about this machine at one moment: what the information
// window shows, in its own texts, and the facts a user of a current machine
// looks for besides. A fact that cannot be had stays empty.
struct MachineInfo {
    // The window's title line, e.g. "Quelvorant v1.0.320".
    std::string ProgramVersion;
    // The window's processor texts and feature marks.
    ProcessorTexts Window;
    // The window's live figures, and their texts as the window shows them.
    StatusFigures Status;
    StatusTexts StatusText;

    CpuIdentity Identity;
    std::optional<CpuTopology> Topology;
    ClockFrequencies Clock;
    // Empty on processors other than x86.
    std::optional<std::vector<Extension>> Extensions;
    // Empty on processors other than 64-bit ARM.
    std::optional<ArmProcessor> Arm;
    std::optional<int> X86_64Level;
    // Bits of a physical and a virtual address, where the processor tells.
    std::optional<int> PhysicalAddressBits;
    std::optional<int> VirtualAddressBits;
    std::vector<NumaNode> NumaNodes;

    std::optional<KernelName> Kernel;
    std::optional<std::string> Distribution;
    Virtualization Virtual;
    // The hash of /etc/machine-id made for this program alone (MachineId).
    std::optional<std::string> MachineId;
    // The name its results go by: the host name unless the user chose one.
    std::string MachineName;

    // The bundle of raw data the facts were loaded from; nothing for the
    // running machine. A loaded machine's live figures (clock, usage,
    // available memory, up-time, user, container) are unknown.
    std::optional<std::string> LoadedFrom;
    // Whether the window's feature marks are known.
    bool FeatureMarksKnown = true;
    // Extensions that the source cannot tell (a dump without leaf 7 subleaf 1).
    std::vector<std::string> UnknownExtensions;
    // Whether the extensions are marked as the processor has them, the
    // operating system's saved registers (XCR0) being unknown.
    bool ExtensionsOfProcessorOnly = false;
};

// Takes the vendor and brand of a 64-bit ARM processor into the identity,
// which has them from CPUID on x86: the implementer and the kinds' names.
void AddArmIdentity(MachineInfo& info);

// Reads everything once. The library and system figures come through the same
// interfaces Form1 uses; root lets tests point sysfs/proc/etc reads at a fake tree.
MachineInfo CollectMachineInfo(ProcessorLibrary& library, SystemStatus& system,
                               const std::string& root = "");
// The same with a topology given instead of this machine's, and the usage
// measured over usageInterval (zero: what the library tells at once, which
// is enough where only who the machine is matters).
MachineInfo CollectMachineInfo(ProcessorLibrary& library, SystemStatus& system,
                               const std::string& root, std::optional<CpuTopology> topology,
                               std::chrono::milliseconds usageInterval = kUsageInterval);
