#include "quelvorant-cli/CheckCommand.h"

#include "facts/CpuidRegisters.h"
#include "facts/Virtualization.h"
#include "preflight/Preflight.h"
#include "preflight/PreflightJson.h"
#include "preflight/PreflightText.h"
#include "quelvorant-cli/CommandOutput.h"

#include <iostream>
#include <unistd.h>

namespace {

// This machine's checks, this process's own load left out.
PreflightResult checkThisMachine() {
    const auto registers = ReadCpuidRegisters();
    const Virtualization virtualization =
        ReadVirtualization("", registers ? registers->HypervisorSignature : "");
    return RunPreflight("", static_cast<int>(::getpid()), virtualization.Hypervisor, WaitOneSecond);
}

} // namespace

int RunCheck(bool json) {
    const PreflightResult result = checkThisMachine();
    if (json) {
        nlohmann::json document = {{"schema", kCheckSchema}};
        document.update(PreflightJson(result));
        std::cout << document.dump(2) << '\n';
    } else {
        std::cout << PreflightText(result);
    }
    return 0;
}

PreflightResult CheckBeforeBench(bool strict) {
    PreflightResult result = checkThisMachine();
    if (const auto refusal = result.RefusalReason(); strict && refusal) {
        std::cerr << PreflightWarningLines(result, "quelvorant-cli: ");
        throw CommandFailure("bench --strict: " + *refusal + "; nothing was run");
    }
    return result;
}
