#include "history/HistoryCsv.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> lines(const std::string& csv) {
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (std::size_t end = csv.find("\r\n"); end != std::string::npos;
         start = end + 2, end = csv.find("\r\n", start)) {
        rows.push_back(csv.substr(start, end - start));
    }
    EXPECT_EQ(start, csv.size()) << "the last row ends with CRLF";
    return rows;
}

std::size_t commas(const std::string& row) {
    return static_cast<std::size_t>(std::count(row.begin(), row.end(), ','));
}

} // namespace

TEST(HistoryCsv, OneRowPerPassWithItsReadingsAndTextsThatStayText) {
    const struct {
        std::string name;
        bool readings;
        std::string row1Begins; // the first pass's row
        std::string row101Ends; // the last pass's row
    } cases[] = {
        {"lab-7", true, "m1,lab-7,r1,2026-12-10T18:03:19Z,cli,1,true,1,compression,0.03,1,2,0.001,",
         "101,decompression,0.041,1,1,0.001,3,,5,0,,,2400,,"},
        {"=HYPERLINK(\"x\")", false, "m1,\"'=HYPERLINK(\"\"x\"\")\",r1,",
         "101,decompression,0.041,,,,,,,,,,,,"},
        {"a,b", false, "m1,\"a,b\",r1,", "0.041,,,,,,,,,,,,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HistoryRun run;
        run.MachineId = "m1";
        run.MachineName = c.name;
        run.Id = "r1";
        run.StartedAt = "2026-12-10T18:03:19Z";
        run.Source = "cli";
        for (int pass = 0; pass < 101; ++pass) {
            run.PassTimes.push_back(pass < 50 ? 0.03 : 0.041);
            if (c.readings) {
                PassReading reading;
                reading.CpuAtStart = 1;
                reading.CpuAtEnd = pass == 0 ? 2 : 1;
                reading.WaitSeconds = 0.001;
                reading.InvoluntarySwitches = 3;
                reading.MinorFaults = 5;
                reading.MajorFaults = 0;
                reading.ClockMHz = 2400.0;
                run.Readings.push_back(reading);
            }
        }
        const std::vector<std::string> rows = lines(HistoryCsv({run, run}));
        ASSERT_EQ(rows.size(), 1u + 2 * 101);
        EXPECT_EQ(rows[1].rfind(c.row1Begins, 0), 0u) << rows[1];
        EXPECT_TRUE(rows[101].ends_with(c.row101Ends)) << rows[101];
        const std::size_t quotedCommas = c.name.find(',') != std::string::npos ? 1 : 0;
        for (const std::string& row : rows) {
            EXPECT_EQ(commas(row) - (row == rows[0] ? 0 : quotedCommas), commas(rows[0])) << row;
        }
    }
}
