#include "report/MachineLabels.h"

std::string MachineLabel(const HistoryMachine& machine) {
    return !machine.Name.empty()       ? machine.Name
           : !machine.HostName.empty() ? machine.HostName
                                       : "unknown host";
}

std::string ProcessorLabel(const HistoryMachine& machine) {
    return machine.Processor.empty() ? "unknown processor" : machine.Processor;
}
