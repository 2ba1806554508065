#include "facts/KernelName.h"

#include <sys/utsname.h>

std::optional<KernelName> ReadKernelName() {
    utsname names{};
    if (uname(&names) != 0) {
        return std::nullopt;
    }
    return KernelName{names.sysname, names.release, names.version, names.machine, names.nodename};
}
