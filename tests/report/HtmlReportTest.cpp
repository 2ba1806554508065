#include "report/HtmlReport.h"
#include "report/AxisScale.h"
#include "report/HtmlText.h"
#include "report/TimeScale.h"

#include <gtest/gtest.h>
#include <map>

namespace {

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

HistoryRun run(const std::string& id, const std::string& startedAt, double timeSumma) {
    HistoryRun result;
    result.Id = id;
    result.StartedAt = startedAt;
    result.TimeSumma = timeSumma;
    result.Score = timeSumma * 50.0;
    return result;
}

HistoryMachine machine(const std::string& id, const std::string& host) {
    HistoryMachine result;
    result.Id = id;
    result.HostName = host;
    result.Processor = "Some CPU";
    return result;
}

// A report with runs of this machine on consecutive days and machines
// besides this one, the last run the report's.
ReportData report(int runs, int otherMachines) {
    ReportData data;
    data.Machine = machine("m0", "this-host");
    for (int i = 0; i < runs; ++i) {
        data.MachineRuns.push_back(run("r" + std::to_string(i),
                                       "2026-11-" + std::to_string(10 + i) + "T09:00:00Z",
                                       3.4 + 0.01 * i));
    }
    data.Run = runs > 0 ? data.MachineRuns.back() : run("alone", "2026-11-10T09:00:00Z", 3.4);
    for (int pass = 0; pass < 101; ++pass) {
        data.Run.PassTimes.push_back(pass < 50 ? 0.027 : 0.041);
    }
    data.Machines.emplace_back(data.Machine, data.Run);
    for (int i = 1; i <= otherMachines; ++i) {
        data.Machines.emplace_back(machine("m" + std::to_string(i), "other"),
                                   run("o" + std::to_string(i), "2026-11-01T09:00:00Z", 2.0 * i));
    }
    data.GeneratedAt = "2026-12-09T10:20:00Z";
    return data;
}

} // namespace

TEST(HtmlReport, ChartsHoldOneMarkPerPassRunAndMachine) {
    const struct { int runs, otherMachines; } cases[] = {{8, 2}, {1, 0}, {0, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.runs) + " runs, " + std::to_string(c.otherMachines) +
                     " other machines");
        const std::string html = HtmlReport(report(c.runs, c.otherMachines));
        EXPECT_EQ(count(html, "<rect class=\"pass compression\""), 50u);
        EXPECT_EQ(count(html, "<rect class=\"pass decompression\""), 51u);
        EXPECT_EQ(count(html, "<circle class=\"point"), static_cast<std::size_t>(c.runs));
        EXPECT_EQ(count(html, "<circle class=\"point this\""), c.runs > 0 ? 1u : 0u);
        EXPECT_EQ(count(html, "<rect class=\"machine"),
                  static_cast<std::size_t>(c.otherMachines + 1));
        EXPECT_EQ(count(html, "<rect class=\"machine this\""), 1u);
        for (const char* chart : {"pass-times", "scores-over-time", "machines"}) {
            EXPECT_EQ(count(html, std::string("<svg id=\"") + chart + "\""), 1u) << chart;
        }
    }
}

TEST(HtmlReport, ReadingsMarkTheOutlierPassAndShowWhatEachPassMet) {
    for (const bool withReadings : {true, false}) {
        SCOPED_TRACE(withReadings ? "with readings" : "without readings");
        ReportData data = report(1, 0);
        data.Run.PassTimes[36] = 0.034;
        if (withReadings) {
            for (std::size_t pass = 0; pass < data.Run.PassTimes.size(); ++pass) {
                PassReading reading;
                reading.WaitSeconds = pass == 36 ? 0.006 : 0.0;
                reading.ClockMHz = 3000.0;
                data.Run.Readings.push_back(reading);
            }
        }
        const std::string html = HtmlReport(data);
        EXPECT_EQ(count(html, "<rect class=\"pass compression outlier\""), withReadings ? 1u : 0u);
        EXPECT_EQ(count(html, "<svg id=\"passes-met\""), withReadings ? 1u : 0u);
        EXPECT_EQ(count(html, "<rect class=\"met waited\" x="), withReadings ? 1u : 0u);
        EXPECT_EQ(count(html, "<tr class=\"outlier\"><th scope=\"row\">37</th>"),
                  withReadings ? 1u : 0u);
        EXPECT_EQ(count(html, "waited for the processor (other programs)</td>"),
                  withReadings ? 1u : 0u);
    }
}

TEST(HtmlReport, TextFromTheDataStaysText) {
    ReportData data = report(3, 1);
    data.Machine.HostName = "<script>alert(1)</script>";
    data.Machine.Processor = "\"><img src=x onerror=alert(2)>";
    data.Machine.Info = {{"processor", {{"brand", "<b>bold</b>"}}},
                         {"system", {{"hostname", "a&b's"}}}};
    data.Machines[0].first = data.Machine;
    data.Run.ProgramVersion = "</title><style>";
    const std::string html = HtmlReport(data);
    EXPECT_EQ(count(html, "<script"), 0u);
    EXPECT_EQ(count(html, "<img"), 0u);
    EXPECT_EQ(count(html, "<b>"), 0u);
    EXPECT_EQ(count(html, "<style>"), 1u);
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(html.find("&quot;&gt;&lt;img src=x"), std::string::npos);
    EXPECT_NE(html.find("a&amp;b&#39;s"), std::string::npos);
}

TEST(HtmlReport, RefersToNothingOutsideTheFile) {
    const std::string html = HtmlReport(report(8, 2));
    for (const char* reference : {"http://", "https://", "src=", "href=", "url(", "@import"}) {
        EXPECT_EQ(count(html, reference), 0u) << reference;
    }
}

TEST(HtmlReport, SaysWhenTheRunDoesNotCompare) {
    ReportData data = report(3, 1);
    const char* note = "do not compare with other machines";
    EXPECT_EQ(count(HtmlReport(data), note), 0u);
    data.Run.Comparable = false;
    EXPECT_EQ(count(HtmlReport(data), note), 1u);
}

TEST(AxisScale, RoundStepsAroundTheValues) {
    const struct {
        double low, high;
        int maxSteps;
        double wantLow, wantHigh, wantStep;
        int wantDecimals;
    } cases[] = {
        {0.0, 41.7, 5, 0.0, 50.0, 10.0, 0},   {172.0, 178.0, 5, 172.0, 178.0, 2.0, 0},
        {0.0, 5.8127, 6, 0.0, 6.0, 1.0, 0},   {0.0, 3.51, 8, 0.0, 4.0, 0.5, 1},
        {3.44, 3.51, 5, 3.44, 3.52, 0.02, 2}, {172.0, 172.0, 5, 160.0, 185.0, 5.0, 0},
        {0.0, 0.0, 5, 0.0, 1.0, 0.2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.low) + ".." + std::to_string(c.high));
        const AxisScale scale = NiceScale(c.low, c.high, c.maxSteps);
        EXPECT_NEAR(scale.Low, c.wantLow, 1e-9);
        EXPECT_NEAR(scale.High, c.wantHigh, 1e-9);
        EXPECT_NEAR(scale.Step, c.wantStep, 1e-12);
        EXPECT_EQ(scale.Decimals, c.wantDecimals);
        EXPECT_LE(scale.Ticks().size(), static_cast<std::size_t>(c.maxSteps + 1));
    }
}

TEST(TimeScale, ReadsUtcTimesAndPutsTicksOnRoundDates) {
    EXPECT_EQ(UtcSeconds("2026-12-09T10:15:00Z"), 1796811300);
    EXPECT_EQ(UtcSeconds("2026-12-09T10:15:00.250Z"), 1796811300);
    EXPECT_EQ(UtcSeconds("2026-12-09 10:15:00"), std::nullopt);
    EXPECT_EQ(UtcSeconds("2026-02-30T10:15:00Z"), std::nullopt);
    EXPECT_EQ(MinuteText("2026-12-09T10:15:59Z"), "2026-12-09 10:15");

    // Four weeks from a Thursday: weekly ticks on the Mondays.
    const std::vector<TimeTick> weeks =
        TimeTicks(*UtcSeconds("2026-11-12T08:00:00Z"), *UtcSeconds("2026-12-10T08:00:00Z"), 6);
    std::vector<std::string> labels;
    for (const TimeTick& tick : weeks) {
        labels.push_back(tick.Label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"16 Nov", "23 Nov", "30 Nov", "7 Dec"}));
    const std::vector<TimeTick> months =
        TimeTicks(*UtcSeconds("2025-10-20T00:00:00Z"), *UtcSeconds("2026-03-02T00:00:00Z"), 6);
    ASSERT_FALSE(months.empty());
    EXPECT_EQ(months.front().Label, "Nov 2025");
    EXPECT_EQ(months.back().Label, "Mar 2026");
}

TEST(HtmlEscaped, MarkupAndNulNeverReachThePage) {
    const struct {
        std::string text;
        std::string html;
    } cases[] = {
        {"<script>\"x\" & 'y'</script>",
         "&lt;script&gt;&quot;x&quot; &amp; &#39;y&#39;&lt;/script&gt;"},
        {std::string("host\0name", 9), "host\xef\xbf\xbdname"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HtmlEscaped(c.text), c.html);
    }
}
