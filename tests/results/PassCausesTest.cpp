#include "results/PassCauses.h"

#include <gtest/gtest.h>

namespace {

// A run of steady passes (compressions 30 ms, decompressions 20 ms, with a
// little jitter) whose readings show nothing, for a case to disturb.
RunRecord steadyRun() {
    RunRecord run;
    for (int i = 0; i < 101; ++i) {
        const double base = i < 50 ? 0.030 : 0.020;
        run.PassTimes.push_back(base * (1.0 + 0.002 * (i % 5)));
        PassReading reading;
        reading.CpuAtStart = reading.CpuAtEnd = 1;
        reading.WaitSeconds = 0.0001;
        reading.StolenSeconds = 0.0;
        reading.MinorFaults = 10;
        reading.MajorFaults = 0;
        reading.ClockMHz = 3000.0;
        reading.ThrottleEvents = 0;
        run.Readings.push_back(reading);
    }
    return run;
}

struct Case {
    const char* name;
    // Changes the steady run; pass is the index of the pass it slows.
    void (*disturb)(RunRecord& run, std::size_t pass);
    std::size_t pass;
    std::vector<SlowCause> outlierCauses; // empty: no outlier expected
    std::optional<SlowCause> biggest;
};

void slow(RunRecord& run, std::size_t pass) {
    run.PassTimes[pass] *= 1.5;
}

const Case kCases[] = {
    {"quiet", [](RunRecord&, std::size_t) {}, 0, {}, std::nullopt},
    {"waited",
     [](RunRecord& r, std::size_t p) {
         slow(r, p);
         r.Readings[p].WaitSeconds = 0.014;
     },
     10,
     {SlowCause::Waited},
     std::nullopt},
    {"stolen",
     [](RunRecord& r, std::size_t p) {
         slow(r, p);
         r.Readings[p].StolenSeconds = 0.010;
     },
     70,
     {SlowCause::Stolen},
     std::nullopt},
    {"moved and faulted",
     [](RunRecord& r, std::size_t p) {
         slow(r, p);
         r.Readings[p].CpuAtEnd = 0;
         r.Readings[p].MajorFaults = 3;
     },
     20,
     {SlowCause::Moved, SlowCause::PageFaults},
     std::nullopt},
    {"low clock and throttled",
     [](RunRecord& r, std::size_t p) {
         slow(r, p);
         r.Readings[p].ClockMHz = 2000.0;
         r.Readings[p].ThrottleEvents = 1;
     },
     90,
     {SlowCause::Throttled, SlowCause::LowClock},
     std::nullopt},
    {"nothing seen",
     [](RunRecord& r, std::size_t p) { slow(r, p); },
     40,
     {SlowCause::NoneSeen},
     std::nullopt},
    // A decompression as slow as a compression is an outlier of its own kind.
    {"own baseline",
     [](RunRecord& r, std::size_t p) { r.PassTimes[p] = 0.030; },
     60,
     {SlowCause::NoneSeen},
     std::nullopt},
    {"every pass waited",
     [](RunRecord& r, std::size_t) {
         for (std::size_t i = 0; i < r.Readings.size(); ++i) {
             r.Readings[i].WaitSeconds = 0.4 * r.PassTimes[i];
         }
     },
     0,
     {},
     SlowCause::Waited},
    {"every pass below the usual clock",
     [](RunRecord& r, std::size_t) { r.ReadingSources.MaxClockMHz = 4000.0; },
     0,
     {},
     SlowCause::LowClock},
};

TEST(PassCauses, NamesOutliersAndTheRunsBiggestCause) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        RunRecord run = steadyRun();
        c.disturb(run, c.pass);
        const RunExplanation explanation = ExplainRun(run);
        if (c.outlierCauses.empty()) {
            EXPECT_TRUE(explanation.Outliers.empty());
        } else {
            ASSERT_EQ(explanation.Outliers.size(), 1u);
            EXPECT_EQ(explanation.Outliers[0].Pass, static_cast<int>(c.pass + 1));
            EXPECT_EQ(explanation.Outliers[0].Causes, c.outlierCauses);
        }
        EXPECT_EQ(explanation.Shares.Biggest, c.biggest);
    }
}

TEST(PassCauses, ARunWithoutReadingsIsNotExplained) {
    RunRecord run = steadyRun();
    run.PassTimes[5] *= 3.0;
    run.Readings.clear();
    const RunExplanation explanation = ExplainRun(run);
    EXPECT_TRUE(explanation.Outliers.empty());
    EXPECT_FALSE(explanation.Shares.Waiting);
}

} // namespace
