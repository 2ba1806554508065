#include "history/ThisMachineCheck.h"

#include "platform/InertText.h"
#include "platform/QuelError.h"

void CheckThisMachine(const HistoryDocument& document, const HistoryMachine& thisMachine,
                      const std::string& path) {
    for (const HistoryMachine& machine : document.Machines) {
        if (machine.Id != thisMachine.Id || machine.Name != thisMachine.Name ||
            (machine.HostName == thisMachine.HostName &&
             machine.Processor == thisMachine.Processor)) {
            continue;
        }
        throw QuelError(
            QuelError::kOwnError, "CheckThisMachine",
            path + ": machine " + InertText(machine.Id) + " named " + InertText(machine.Name) +
                " is this computer's id and name, but the file says it is " +
                InertText(machine.HostName) + " with " + InertText(machine.Processor) +
                ", while this computer is " + InertText(thisMachine.HostName) + " with " +
                InertText(thisMachine.Processor) +
                "; nothing was imported (clones of one system image tell their results apart "
                "with --machine-name)");
    }
}
