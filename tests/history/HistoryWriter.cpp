// history_writer PATH: records runs into the history at PATH one after
// another, for ever, and prints the id of each run once it is committed.
#include "history/ResultsHistory.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: history_writer PATH\n");
        return 2;
    }
    ResultsHistory history(argv[1]);
    const HistoryMachine machine{"writer", "host", "host", "cpu", {{"machine_id", "writer"}},
                                 "now"};
    for (long number = 0;; ++number) {
        HistoryRun run;
        run.Id = "run-" + std::to_string(number);
        run.MachineId = machine.Id;
        run.MachineName = machine.Name;
        run.StartedAt = "2026-12-09T10:00:00Z";
        run.ProgramVersion = "1.0.320";
        run.Source = "cli";
        run.InputSha256 = std::string(64, '0');
        run.TimeSumma = 3.5;
        run.PassTimes.assign(101, 0.035);
        history.Record(machine, run);
        std::printf("%s\n", run.Id.c_str());
        std::fflush(stdout);
    }
}
