#include "facts/Virtualization.h"
#include "tests/facts/FakeSystemTree.h"

#include <gtest/gtest.h>
#include <map>

TEST(Virtualization, TheHypervisorAndContainerAreNamedFromWhatTheMachineShows) {
    const std::string kvm("KVMKVMKVM\0\0\0", 12);
    const struct {
        const char* name;
        std::string signature;
        std::map<std::string, std::string> files;
        std::optional<std::string> hypervisor;
        std::optional<std::string> container;
    } cases[] = {
        {"KVM's signature", kvm, {{"/sys/class/dmi/id/sys_vendor", "VMware, Inc.\n"}}, "KVM", {}},
        {"Hyper-V", "Microsoft Hv", {}, "Microsoft", {}},
        {"a signature of no known one", "ABCDEFGHIJKL", {}, "unknown hypervisor", {}},
        {"Xen's folder", "", {{"/sys/hypervisor/type", "xen\n"}}, "Xen", {}},
        {"VirtualBox's firmware",
         "",
         {{"/sys/class/dmi/id/sys_vendor", "innotek GmbH\n"}},
         "Oracle",
         {}},
        {"a Microsoft computer",
         "",
         {{"/sys/class/dmi/id/sys_vendor", "Microsoft Corporation\n"},
          {"/sys/class/dmi/id/product_name", "Surface Laptop 5\n"}},
         {},
         {}},
        {"VirtualBox's devices",
         "",
         {{"/proc/bus/pci/devices", "0000\t80861237\t0\n0010\t80eebeef\t12\t e0000008\n"}},
         "Oracle",
         {}},
        {"a machine's own devices",
         "",
         {{"/proc/bus/pci/devices", "0000\t10025a10\t0\n0002\t10025a23\t1b\n"}},
         {},
         {}},
        {"Docker", "", {{"/.dockerenv", ""}}, {}, "Docker"},
        {"Podman", kvm, {{"/run/.containerenv", ""}}, "KVM", "Podman"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeSystemTree tree;
        for (const auto& [path, text] : c.files) {
            tree.Write(path, text);
        }
        const Virtualization found = ReadVirtualization(tree.Root(), c.signature);
        EXPECT_EQ(found.Hypervisor, c.hypervisor);
        EXPECT_EQ(found.Container, c.container);
    }
}
