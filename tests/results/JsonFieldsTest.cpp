#include "results/JsonFields.h"
#include "platform/QuelError.h"

#include <gtest/gtest.h>
#include <limits>

TEST(JsonFields, AWholeNumberIsReadOnlyWithinItsRange) {
    constexpr std::int64_t low = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t high = std::numeric_limits<std::int64_t>::max();
    const struct {
        const char* value;
        std::int64_t min, max;
        // The number read, or the end of the refusal.
        std::int64_t read;
        const char* says;
    } cases[] = {
        {"4096", 1, 4096, 4096, nullptr},
        {"3.0", 1, 4096, 3, nullptr},
        {"-9223372036854775808", low, 0, low, nullptr},
        {"9223372036854775807", 0, high, high, nullptr},
        {"4097", 1, 4096, 0, "must be from 1 to 4096, not 4097"},
        {"-1", 0, 4096, 0, "must be from 0 to 4096, not -1"},
        {"12.7", 0, 4096, 0, "must be a whole number, not 12.7"},
        {"1e300", 0, high, 0, "must be from 0 to 9223372036854775807, not 1e+300"},
        {"9223372036854775808", low, high, 0,
         "must be from -9223372036854775808 to 9223372036854775807, not 9223372036854775808"},
        {"-1e19", low, 0, 0, "must be from -9223372036854775808 to 0, not -1e+19"},
        {"\"7\"", 0, 4096, 0, "must be a whole number, not a text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const auto object = nlohmann::json::parse(std::string("{\"n\": ") + c.value + "}");
        const JsonFields fields(object, "run 2", "f.json");
        if (c.says == nullptr) {
            EXPECT_EQ(fields.Integer("n", c.min, c.max), c.read);
            continue;
        }
        try {
            fields.Integer("n", c.min, c.max);
            ADD_FAILURE() << "read";
        } catch (const QuelError& error) {
            EXPECT_EQ(error.Description(), std::string("f.json: run 2: field 'n' ") + c.says);
        }
    }
}
