#pragma once

#include <optional>
#include <string>

// Whether the machine is a virtual one, and whether the program runs in a
// container: both matter for every benchmark result.
struct Virtualization {
    // Who runs the machine, in lscpu's words: "KVM", "Microsoft", "VMware",
    // "Xen", "Oracle" (VirtualBox) ...; empty on a machine of its own, or
    // where nothing tells.
    std::optional<std::string> Hypervisor;
    // "Docker" or "Podman" when their marks are there.
    std::optional<std::string> Container;
};

// Asks, in this order, the hypervisor's CPUID signature (leaf 0x40000000,
// empty when leaf 1 says there is no hypervisor), root/sys/hypervisor/type,
// the firmware's vendor in root/sys/class/dmi/id and the virtual devices in
// root/proc/bus/pci/devices; then the container's marks under root.
Virtualization ReadVirtualization(const std::string& root, const std::string& cpuidSignature);
