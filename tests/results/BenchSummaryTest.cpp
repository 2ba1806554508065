#include "results/BenchSummary.h"

#include <gtest/gtest.h>

namespace {

// A run whose compressions take 20 ms and decompressions 25 ms each.
RunRecord run(double timeSumma, double score, double wallSeconds) {
    RunRecord record;
    record.TimeSumma = timeSumma;
    record.Score = score;
    record.WallSeconds = wallSeconds;
    record.PassTimes.assign(50, 0.020);
    record.PassTimes.resize(101, 0.025);
    return record;
}

} // namespace

TEST(BenchSummary, FiguresOfFixedRuns) {
    const struct {
        const char* name;
        std::vector<RunRecord> runs;
        double median, min, max, cv, score, passesPerSecond;
    } cases[] = {
        {"odd",
         {run(3.0, 150, 2.02), run(1.0, 50, 1.01), run(2.0, 100, 1.01)},
         2.0,
         1.0,
         3.0,
         0.5,
         100,
         100.0},
        // The score is the lower middle run's; the median lies between the two.
        {"even",
         {run(4.0, 200, 2.0), run(1.0, 50, 1.0), run(3.0, 150, 1.0), run(2.0, 100, 1.0)},
         2.5,
         1.0,
         4.0,
         0.5163977795,
         100,
         101.0},
        {"one", {run(2.5, 125, 0.505)}, 2.5, 2.5, 2.5, 0.0, 125, 200.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const BenchSummary s = Summarize(c.runs, 3'000'000);
        EXPECT_DOUBLE_EQ(s.MedianTimeSumma, c.median);
        EXPECT_DOUBLE_EQ(s.MinTimeSumma, c.min);
        EXPECT_DOUBLE_EQ(s.MaxTimeSumma, c.max);
        EXPECT_NEAR(s.TimeSummaCv, c.cv, 1e-9);
        EXPECT_EQ(s.Score, c.score);
        EXPECT_DOUBLE_EQ(s.CompressMBps, 150.0);   // 3 MB in 20 ms
        EXPECT_DOUBLE_EQ(s.DecompressMBps, 120.0); // 3 MB in 25 ms
        EXPECT_NEAR(s.PassesPerSecond, c.passesPerSecond, 1e-9);
    }
}

TEST(BenchSummary, CopiesAddUpAgainstOneCopyAlone) {
    CopiesRecord copies;
    copies.WallSeconds = 1.5;
    copies.Copies = {run(2.0, 100, 1.4), run(2.0, 100, 1.5)};
    BenchSummary single;
    single.PassesPerSecond = 101.0;
    const MultiCoreSummary m = SummarizeCopies({copies}, single, 3'000'000);
    EXPECT_EQ(m.Copies, 2);
    EXPECT_DOUBLE_EQ(m.PassesPerSecond, 202.0 / 1.5);
    EXPECT_DOUBLE_EQ(m.CompressMBps, 300.0);
    EXPECT_DOUBLE_EQ(m.DecompressMBps, 240.0);
    EXPECT_NEAR(m.ScalingEfficiency, (202.0 / 1.5) / 202.0, 1e-12);
}
