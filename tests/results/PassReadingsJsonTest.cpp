#include "results/PassReadingsJson.h"

#include "platform/QuelError.h"

#include <functional>
#include <gtest/gtest.h>

using nlohmann::json;

namespace {

RunRecord runWithReadings() {
    RunRecord run;
    for (int pass = 0; pass < 101; ++pass) {
        run.PassTimes.push_back(pass < 50 ? 0.027 : 0.041);
        PassReading reading;
        reading.CpuAtStart = 2;
        reading.CpuAtEnd = pass == 36 ? 3 : 2;
        reading.WaitSeconds = pass == 36 ? 0.009 : 0.0;
        reading.Cycles = 81000000;
        reading.ClockMHz = 3000.0;
        reading.ReadingSeconds = 2e-5;
        run.Readings.push_back(reading);
    }
    run.PassTimes[36] = 0.036;
    run.ReadingSources = {"counters", "", 3600.0};
    return run;
}

} // namespace

TEST(PassReadingsJson, ReadsBackWhatItWroteAndRefusesWhatNoPassCouldMeet) {
    using Change = std::function<void(json&)>;
    const struct {
        const char* what;
        Change change;
        bool refused;
    } cases[] = {
        {"as written", [](json&) {}, false},
        {"negative waiting", [](json& o) { o["readings"][4]["wait_seconds"] = -1.0; }, true},
        {"a clock of no source", [](json& o) { o["reading_sources"]["clock"] = "sundial"; }, true},
        {"a negative count", [](json& o) { o["readings"][0]["cycles"] = -5; }, true},
        {"a text for a figure", [](json& o) { o["readings"][0]["clock_mhz"] = "fast"; }, true},
        {"unknown figures", [](json& o) { o["readings"][5]["clock_mhz"] = nullptr; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RunRecord written = runWithReadings();
        json object = json::object();
        AddPassReadings(written, object);
        ASSERT_EQ(object["outliers"].size(), 1u);
        EXPECT_EQ(object["outliers"][0]["pass"], 37);
        c.change(object);
        RunRecord read;
        read.PassTimes = written.PassTimes;
        const JsonFields fields(object, "run 1", "result.json");
        if (c.refused) {
            EXPECT_THROW(ReadPassReadings(fields, read), QuelError);
            continue;
        }
        ReadPassReadings(fields, read);
        ASSERT_EQ(read.Readings.size(), 101u);
        EXPECT_EQ(read.Readings[36].CpuAtEnd, 3);
        EXPECT_EQ(read.Readings[36].WaitSeconds, 0.009);
        EXPECT_EQ(read.Readings[0].Cycles, 81000000u);
        EXPECT_FALSE(read.Readings[0].StolenSeconds.has_value());
        EXPECT_EQ(read.ReadingSources.Clock, "counters");
        EXPECT_EQ(read.ReadingSources.MaxClockMHz, 3600.0);
    }
}
