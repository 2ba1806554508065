#include "app/WindowRunRecorder.h"

#include "facts/MachineInfo.h"
#include "facts/MachineInfoJson.h"
#include "facts/MachineName.h"
#include "history/RunRecording.h"
#include "platform/QuelError.h"
#include "results/TestInputFacts.h"

#include <cstdio>

WindowRunRecorder::WindowRunRecorder(ProcessorLibrary& library, SystemStatus& system,
                                     std::string inputFile, std::string historyPath)
    : library_(library), system_(system), inputFile_(std::move(inputFile)),
      historyPath_(std::move(historyPath)) {}

void WindowRunRecorder::Record(const RunRecord& run) {
    try {
        if (!input_) {
            input_ = TestInputFacts(inputFile_);
            // The window always runs the program's own test input.
            input_->Comparable = true;
        }
        BenchReport report;
        report.TestInput = *input_;
        report.Runs.push_back(run);
        ResultsHistory history(historyPath_);
        if (!history.KeptCopy().empty()) {
            std::fprintf(stderr,
                         "quelvorant: %s had changes in its -wal or -journal that were not saved; "
                         "before opening it, copies of both were kept as %s\n",
                         history.Path().c_str(), history.KeptCopy().c_str());
        }
        MachineName::CheckVariable();
        RecordBenchResult(history, report, MachineInfoJson(CollectMachineInfo(library_, system_)),
                          "window");
    } catch (const std::exception& error) {
        const auto* quel = dynamic_cast<const QuelError*>(&error);
        std::fprintf(stderr, "quelvorant: the run was not recorded in the results history: %s\n",
                     quel != nullptr ? quel->Description().c_str() : error.what());
    }
}
