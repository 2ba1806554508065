#include "facts/Virtualization.h"

#include "platform/SystemFile.h"

#include <array>
#include <filesystem>
#include <sstream>
#include <utility>

namespace {

using Names = std::pair<const char*, const char*>;

// The 12 bytes of EBX, ECX and EDX of leaf 0x40000000.
constexpr std::array<Names, 10> kSignatures = {{
    {"KVMKVMKVM", "KVM"},
    {"Linux KVM Hv", "KVM"},
    {"Microsoft Hv", "Microsoft"},
    {"VMwareVMware", "VMware"},
    {"XenVMMXenVMM", "Xen"},
    {"VBoxVBoxVBox", "Oracle"},
    {"TCGTCGTCGTCG", "QEMU"},
    {" lrpepyh  vr", "Parallels"},
    {"bhyve bhyve ", "bhyve"},
    {"ACRNACRNACRN", "ACRN"},
}};

// The firmware's system vendor, as /sys/class/dmi/id/sys_vendor gives it.
constexpr std::array<Names, 6> kFirmware = {{
    {"QEMU", "KVM"},
    {"VMware, Inc.", "VMware"},
    {"innotek GmbH", "Oracle"},
    {"Xen", "Xen"},
    {"Parallels Software International Inc.", "Parallels"},
    {"Microsoft Corporation", "Microsoft"},
}};

// Vendors of the devices only virtual machines have.
constexpr std::array<Names, 2> kDevices = {{{"80ee", "Oracle"}, {"15ad", "VMware"}}};

std::optional<std::string> fromSignature(const std::string& signature) {
    if (signature.empty()) {
        return std::nullopt;
    }
    const std::string text = signature.substr(0, signature.find('\0'));
    for (const auto& [mark, name] : kSignatures) {
        if (text == mark) {
            return name;
        }
    }
    return "unknown hypervisor";
}

std::optional<std::string> fromFirmware(const std::string& root) {
    const auto vendor = SystemFile::Line(root, "/sys/class/dmi/id/sys_vendor");
    if (!vendor) {
        return std::nullopt;
    }
    for (const auto& [mark, name] : kFirmware) {
        if (*vendor == mark) {
            // Microsoft's own computers are not virtual machines.
            if (*vendor == "Microsoft Corporation" &&
                SystemFile::Line(root, "/sys/class/dmi/id/product_name") != "Virtual Machine") {
                return std::nullopt;
            }
            return name;
        }
    }
    return std::nullopt;
}

std::optional<std::string> fromDevices(const std::string& root) {
    const auto devices = SystemFile::Text(root, "/proc/bus/pci/devices");
    if (!devices) {
        return std::nullopt;
    }
    std::istringstream lines(*devices);
    std::string slot;
    std::string ids;
    std::string rest;
    while (lines >> slot >> ids && std::getline(lines, rest)) {
        for (const auto& [vendor, name] : kDevices) {
            if (ids.rfind(vendor, 0) == 0) {
                return name;
            }
        }
    }
    return std::nullopt;
}

} // namespace

Virtualization ReadVirtualization(const std::string& root, const std::string& cpuidSignature) {
    Virtualization found;
    found.Hypervisor = fromSignature(cpuidSignature);
    if (!found.Hypervisor) {
        if (const auto type = SystemFile::Line(root, "/sys/hypervisor/type"); type == "xen") {
            found.Hypervisor = "Xen";
        }
    }
    if (!found.Hypervisor) {
        found.Hypervisor = fromFirmware(root);
    }
    if (!found.Hypervisor) {
        found.Hypervisor = fromDevices(root);
    }
    std::error_code error;
    if (std::filesystem::exists(root + "/.dockerenv", error)) {
        found.Container = "Docker";
    } else if (std::filesystem::exists(root + "/run/.containerenv", error)) {
        found.Container = "Podman";
    }
    return found;
}
