#include "rawdata/RawDataSave.h"

#include "facts/KernelName.h"
#include "rawdata/CpuidDumpText.h"
#include "rawdata/MachineFiles.h"
#include "rawdata/RawBundle.h"
#include "rawdata/TopologyXml.h"

#include <filesystem>

namespace {

// "x" for ".../x.tar.gz" and ".../x.tgz", as util-linux names its dumps.
std::string topFolderFor(const std::string& file) {
    std::string name = std::filesystem::path(file).filename().string();
    for (const std::string suffix : {".tar.gz", ".tgz"}) {
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            name.erase(name.size() - suffix.size());
            break;
        }
    }
    return name.empty() || name == "." || name == ".." ? "quelvorant-raw" : name;
}

std::string unameText(const KernelName& kernel, bool identity) {
    std::string text = "sysname=" + kernel.System + "\nrelease=" + kernel.Release +
                       "\nversion=" + kernel.Version + "\nmachine=" + kernel.Machine + "\n";
    return identity ? text + "nodename=" + kernel.HostName + "\n" : text;
}

} // namespace

std::size_t SaveRawData(const std::string& file, const RawDataOptions& options) {
    RawBundle bundle(topFolderFor(file));
    for (auto& [path, bytes] : CollectMachineFiles(options.Root, options.Identity)) {
        bundle.Add(path, std::move(bytes));
    }
    if (const std::optional<KernelName> kernel = ReadKernelName()) {
        bundle.Add("uname.txt", unameText(*kernel, options.Identity));
    }
    if (const std::optional<std::string> xml = MachineTopologyXml()) {
        bundle.Add("hwloc.xml", options.Identity ? *xml : TopologyXmlWithoutIdentity(*xml));
    }
    const std::vector<ProcessorCpuid> processors = ReadEveryProcessorsCpuid();
    if (!processors.empty()) {
        bundle.Add("cpuid.raw", CpuidDumpText(processors));
        bundle.Add("cpuid-extra.txt", CpuidExtraText(processors));
    }
    return bundle.Save(file);
}
