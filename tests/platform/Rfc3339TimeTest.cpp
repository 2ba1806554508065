#include "platform/Rfc3339Time.h"

#include <gtest/gtest.h>

TEST(Rfc3339Time, ReadsValidTimesAndRefusesTheRest) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> seconds;
    };
    const Case cases[] = {
        {"1970-01-01T00:00:00Z", 0},
        {"2026-12-09T10:15:00Z", 1796811300},
        {"2026-12-09t10:15:00z", 1796811300},
        {"2026-12-09T11:15:00.25+01:00", 1796811300},
        {"2026-12-09T05:45:00-04:30", 1796811300},
        {"2024-02-29T00:00:00Z", 1709164800},
        {"2016-12-31T23:59:60Z", 1483228799},
        {"9999-12-31T23:59:59Z", 253402300799},
        {"0000-01-01T00:00:00Z", std::nullopt},
        {"1969-12-31T23:59:59Z", std::nullopt},
        {"2026-13-01T00:00:00Z", std::nullopt},
        {"2026-02-30T00:00:00Z", std::nullopt},
        {"2023-02-29T00:00:00Z", std::nullopt},
        {"2026-12-09T24:00:00Z", std::nullopt},
        {"2026-12-09T10:15:00", std::nullopt},
        {"2026-12-09 10:15:00Z", std::nullopt},
        {"2026-12-09T10:15:00.Z", std::nullopt},
        {"2026-12-09T10:15:00+01", std::nullopt},
        {"2026-12-09T10:15:00+24:00", std::nullopt},
        {"2026-12-09T10:15:00Z ", std::nullopt},
        {"+026-12-09T10:15:00Z", std::nullopt},
        {"garbage", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Rfc3339Seconds(c.text), c.seconds) << c.text;
    }
}
