#include "rawdata/MachineFiles.h"

#include "platform/ProcessorFolders.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool readableRegular(const struct stat& status) {
    return S_ISREG(status.st_mode) && (status.st_mode & (S_IRUSR | S_IRGRP | S_IROTH)) != 0;
}

// The file's bytes when it is a readable regular file. A FIFO, a device or a
// folder is never opened for reading, and no read waits for a writer.
std::optional<std::string> readRegularFile(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !readableRegular(status)) {
        return std::nullopt;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string text;
    bool good = fstat(fd, &status) == 0 && readableRegular(status);
    char buffer[8192];
    while (good && text.size() < kMaxMachineFileBytes) {
        const ssize_t got =
            read(fd, buffer, std::min(sizeof buffer, kMaxMachineFileBytes - text.size()));
        if (got == 0) {
            break;
        }
        if (got < 0 && errno != EINTR) {
            good = false;
        } else if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }
    close(fd);
    return good ? std::optional<std::string>(text) : std::nullopt;
}

// The names in a folder, sorted; none when it cannot be listed.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// /proc/cpuinfo without its Serial lines (ARM boards print the board's serial number).
std::string withoutSerial(const std::string& cpuinfo) {
    std::istringstream lines(cpuinfo);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Serial", 0) != 0) {
            kept += line + '\n';
        }
    }
    return kept;
}

class Collection {
  public:
    explicit Collection(const std::string& root) : root_(root) {}

    // Keeps the file at path ("/proc/stat"); says whether it was read.
    bool File(const std::string& path) {
        std::optional<std::string> bytes = readRegularFile(root_ + path);
        if (bytes) {
            files_[path.substr(1)] = std::move(*bytes);
        }
        return bytes.has_value();
    }

    // Keeps every file directly in folder.
    void Folder(const std::string& folder) {
        for (const std::string& name : namesIn(root_ + folder)) {
            File(folder + "/" + name);
        }
    }

    // The subfolders of folder whose names begin with prefix, as paths.
    std::vector<std::string> Subfolders(const std::string& folder,
                                        const std::string& prefix) const {
        std::vector<std::string> folders;
        for (const std::string& name : namesIn(root_ + folder)) {
            if (name.rfind(prefix, 0) == 0) {
                folders.push_back(folder + "/" + name);
            }
        }
        return folders;
    }

    std::map<std::string, std::string> Take() { return std::move(files_); }

  private:
    const std::string& root_;
    std::map<std::string, std::string> files_;
};

} // namespace

std::map<std::string, std::string> CollectMachineFiles(const std::string& root, bool identity) {
    Collection collection(root);
    for (const char* path :
         {"/proc/cpuinfo", "/proc/meminfo", "/proc/stat", "/sys/devices/system/cpu/online",
          "/sys/devices/system/cpu/possible", "/sys/devices/system/cpu/present",
          // What tells a virtual machine besides CPUID.
          "/sys/hypervisor/type", "/sys/class/dmi/id/sys_vendor", "/sys/class/dmi/id/product_name",
          "/proc/bus/pci/devices"}) {
        collection.File(path);
    }
    if (!collection.File("/etc/os-release")) {
        collection.File("/usr/lib/os-release");
    }
    if (identity) {
        collection.File("/etc/machine-id");
    }
    for (const std::string& cpu : ProcessorFolders(root)) {
        for (const char* folder : {"/topology", "/cpufreq", "/regs/identification"}) {
            collection.Folder(cpu + folder);
        }
        for (const std::string& cache : collection.Subfolders(cpu + "/cache", "index")) {
            collection.Folder(cache);
        }
        collection.File(cpu + "/cpu_capacity");
    }
    for (const std::string& node : collection.Subfolders("/sys/devices/system/node", "node")) {
        collection.File(node + "/cpulist");
    }
    std::map<std::string, std::string> files = collection.Take();
    const auto cpuinfo = files.find("proc/cpuinfo");
    if (!identity && cpuinfo != files.end()) {
        cpuinfo->second = withoutSerial(cpuinfo->second);
    }
    return files;
}
