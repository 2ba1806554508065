#include "WindowRunRecorder.h"

#include "FileSystem.h"
#include "HistoryEntries.h"
#include "MachineInfo.h"
#include "MachineInfoJson.h"
#include "QuelError.h"
#include "ResultsHistory.h"
#include "Sha256.h"

#include <cstdio>

WindowRunRecorder::WindowRunRecorder(ProcessorLibrary& library, SystemStatus& system,
                                     std::string inputFile, std::string historyPath)
    : library_(library), system_(system), inputFile_(std::move(inputFile)),
      historyPath_(std::move(historyPath)) {}

void WindowRunRecorder::Record(const RunRecord& run) {
    try {
        if (!inputSha256_) {
            const auto input = FileSystem::ReadAll(inputFile_);
            inputSha256_ = Sha256::Of(input.data(), input.size());
        }
        const HistoryMachine machine = HistoryMachineOf(
            MachineInfoJson(CollectMachineInfo(library_, system_)), RunRecord::Now());
        ResultsHistory history(historyPath_);
        // The window always runs the program's own test input.
        history.Record(machine, HistoryRunOf(run, machine.Id, "window", *inputSha256_, true, 1));
    } catch (const std::exception& error) {
        const auto* quel = dynamic_cast<const QuelError*>(&error);
        std::fprintf(stderr, "quelvorant: the run was not recorded in the results history: %s\n",
                     quel != nullptr ? quel->Description().c_str() : error.what());
    }
}
