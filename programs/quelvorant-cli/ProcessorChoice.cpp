#include "quelvorant-cli/ProcessorChoice.h"

#include "platform/CpuList.h"
#include "quelvorant-cli/CommandOutput.h"

#include <algorithm>

namespace {

bool isAvailable(int cpu, const std::vector<int>& available) {
    return std::find(available.begin(), available.end(), cpu) != available.end();
}

std::string kindNames(const std::vector<CoreKind>& kinds) {
    std::string names;
    for (const CoreKind& kind : kinds) {
        const std::string name = kind.Kind.value_or(kind.CoreType.value_or("?"));
        names += (names.empty() ? "" : ", ") + name + " (" + kind.Cpus + ")";
    }
    return names;
}

} // namespace

int ChooseProcessor(int cpu, const std::string& coreKind, const std::vector<int>& available,
                    const std::vector<CoreKind>& kinds) {
    if (cpu >= 0) {
        if (!isAvailable(cpu, available)) {
            throw CommandFailure("bench --cpu: processor " + std::to_string(cpu) +
                                 " is not one this command may run on");
        }
        return cpu;
    }
    if (coreKind.empty()) {
        return -1;
    }
    if (kinds.empty()) {
        throw CommandFailure("bench --core-kind: this processor has cores of one kind only");
    }
    for (const CoreKind& kind : kinds) {
        if (kind.Kind != coreKind && kind.CoreType != coreKind) {
            continue;
        }
        for (const int candidate : ParseCpuList(kind.Cpus)) {
            if (isAvailable(candidate, available)) {
                return candidate;
            }
        }
        throw CommandFailure("bench --core-kind: no processor of the " + coreKind +
                             " cores is one this command may run on");
    }
    throw CommandFailure("bench --core-kind: no cores of the kind \"" + coreKind +
                         "\"; this processor has " + kindNames(kinds));
}
