#include "report/FleetMachine.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

HistoryMachine machine(const std::string& name) {
    HistoryMachine result;
    result.Id = "id-" + name;
    result.Name = name;
    result.Info = {{"processor", {{"architecture", "aarch64"}}},
                   {"system", {{"hypervisor", nullptr}}}};
    return result;
}

// A run of 101 passes of one copy, or one copy of several when copiesOf is set.
HistoryRun run(const std::string& name, double timeSumma, double wallSeconds, int copies = 1,
               const std::string& copiesOf = "") {
    HistoryRun result;
    result.Id = name + "-" + std::to_string(timeSumma) + copiesOf;
    result.MachineId = "id-" + name;
    result.MachineName = name;
    result.TimeSumma = timeSumma;
    result.WallSeconds = wallSeconds;
    result.Copies = copies;
    result.CopiesOf = copiesOf;
    result.PassTimes.assign(101, timeSumma / 100);
    return result;
}

PreflightResult checks(const char* warned) {
    return PreflightResult{{{"governor", CheckLevel::Note, "powersave", "", "", ""},
                            {warned, CheckLevel::Warn, "found", "fix", "", ""}}};
}

} // namespace

TEST(FleetOf, RanksByMedianAndGivesEachMachinesFigures) {
    // Runs newest first, as the history gives them.
    std::vector<HistoryRun> runs;
    // "steady": three single runs, two runs of two copies, checked twice.
    runs.push_back(run("steady", 3.2, 3.3));
    runs.back().Preflight = checks("load");
    runs.push_back(run("steady", 3.0, 3.3));
    runs.back().Preflight = checks("temperature");
    runs.push_back(run("steady", 3.1, 3.3));
    for (const char* together : {"g1", "g2"}) {
        runs.push_back(run("steady", 3.5, 4.0, 2, together));
        runs.push_back(run("steady", 3.6, 4.0, 2, together));
    }
    // "quick": the fastest; its four copies' run lost a copy, so it has no rate.
    runs.push_back(run("quick", 2.5, 0.0));
    runs.push_back(run("quick", 2.6, 2.7, 4, "q1"));
    // "other": runs on another test input only; "broken": its one run failed.
    runs.push_back(run("other", 0.4, 0.5));
    runs.back().Comparable = false;
    runs.push_back(run("other", 0.2, 0.3));
    runs.back().Comparable = false;
    runs.push_back(run("broken", 1.0, 1.1));
    runs.back().CheckPassed = false;

    const std::vector<FleetMachine> fleet =
        FleetOf({machine("broken"), machine("other"), machine("quick"), machine("steady")}, runs);

    const struct {
        const char* name;
        int rank;
        int runs;
        double median;
        int copies;
        std::optional<double> passesPerSecond;
        std::optional<double> scaling;
        std::optional<std::size_t> warnings;
        std::size_t otherInputs;
    } expected[] = {
        {"quick", 1, 1, 2.5, 4, std::nullopt, std::nullopt, std::nullopt, 0},
        {"steady", 2, 3, 3.1, 2, 202 / 4.0, (202 / 4.0) / (2 * 101 / 3.3), 1, 0},
        {"broken", 0, 0, 0.0, 0, std::nullopt, std::nullopt, std::nullopt, 0},
        {"other", 0, 0, 0.0, 0, std::nullopt, std::nullopt, std::nullopt, 1},
    };
    ASSERT_EQ(fleet.size(), std::size(expected));
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        const FleetMachine& got = fleet[i];
        const auto& want = expected[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(got.Machine.Name, want.name);
        EXPECT_EQ(got.Rank, want.rank);
        EXPECT_EQ(got.Runs, want.runs);
        EXPECT_DOUBLE_EQ(got.TimeSumma.Median, want.median);
        EXPECT_EQ(got.Copies, want.copies);
        EXPECT_EQ(got.PassesPerSecond.has_value(), want.passesPerSecond.has_value());
        if (got.PassesPerSecond && want.passesPerSecond) {
            EXPECT_DOUBLE_EQ(*got.PassesPerSecond, *want.passesPerSecond);
        }
        EXPECT_EQ(got.ScalingEfficiency.has_value(), want.scaling.has_value());
        if (got.ScalingEfficiency && want.scaling) {
            EXPECT_DOUBLE_EQ(*got.ScalingEfficiency, *want.scaling);
        }
        EXPECT_EQ(got.Warnings ? std::optional(got.Warnings->size()) : std::nullopt, want.warnings);
        EXPECT_EQ(got.OtherInputs.size(), want.otherInputs);
        EXPECT_EQ(got.Architecture, "aarch64");
        EXPECT_EQ(got.Hypervisor, "");
    }
    // The newest checked run's warning, not an older one's.
    EXPECT_EQ(fleet[1].Warnings->front().Name, "load");
    EXPECT_DOUBLE_EQ(fleet[1].TimeSumma.Min, 3.0);
    EXPECT_DOUBLE_EQ(fleet[1].TimeSumma.Max, 3.2);
    EXPECT_DOUBLE_EQ(fleet[3].OtherInputs.front().MedianTimeSumma, 0.3);
    EXPECT_EQ(fleet[3].OtherInputs.front().Runs, 2);
}
