#pragma once

#include "results/HeadlessView.h"
#include "run/RunRecord.h"
#include "run/TestFiles.h"

#include <string>
#include <vector>

// One run of the benchmark's 101 passes on these files, through the same run,
// passes and check as the benchmark window, with no window.
RunRecord RunWorkload(const TestFiles& files, const RunHooks& hooks = {});

// The same on a thread of its own pinned to processor cpu, which the record
// keeps; the caller's own thread stays where it may run.
RunRecord RunWorkloadOn(int cpu, const TestFiles& files, const RunHooks& hooks = {});

// Several copies of the workload at once, each on its own work files in its
// own folder below workFolder and pinned to its own processor.
struct CopiesRecord {
    // From the moment all copies started together until the last one ended.
    double WallSeconds = 0.0;
    std::vector<RunRecord> Copies;
};

// Every copy stops at hooks.StopPoint; hooks.PassStarted hears the passes of
// the first copy.
CopiesRecord RunCopies(const std::string& input, const std::string& workFolder,
                       const std::vector<int>& cpus, const RunHooks& hooks = {});
