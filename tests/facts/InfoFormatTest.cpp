#include "facts/InfoFormat.h"
#include "facts/FeatureList.h"

#include <gtest/gtest.h>
#include <set>

using namespace InfoFormat;

TEST(InfoFormat, PatternsForWholeNumbers) {
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(7), "07");
    EXPECT_EQ(TwoDigits(10), "10");
    EXPECT_EQ(TwoDigits(1234), "1234");

    const struct {
        double value;
        const char* text;
    } cases[] = {{0.0, ""},  {0.49999, ""}, {0.5, "1"},         {1.4, "1"},
                 {2.5, "3"}, {3.5, "4"},    {65536.0, "65536"}, {1e13, "10000000000000"}};
    for (const auto& c : cases) {
        EXPECT_EQ(WholeOrEmpty(c.value), c.text) << c.value;
    }
}

TEST(InfoFormat, FixedFieldEndsAtItsFirstNul) {
    const char full[4] = {'A', 'B', 'C', 'D'};
    EXPECT_EQ(FieldText(full, 4), "ABCD");
    const char shortName[6] = {'A', 'B', '\0', 'x', 'y', '\0'};
    EXPECT_EQ(FieldText(shortName, 6), "AB");
    const char empty[3] = {};
    EXPECT_EQ(FieldText(empty, 3), "");
}

TEST(InfoFormat, UserNameTakesTheCountWithoutItsNul) {
    const char buffer[] = "alice\0zzzz";
    EXPECT_EQ(UserNameText(buffer, 0, 255), "");
    EXPECT_EQ(UserNameText(buffer, 1, 255), "");
    EXPECT_EQ(UserNameText(buffer, 6, 255), "alice");
    EXPECT_EQ(UserNameText(buffer, 4, 255), "ali");
    const std::string spaces(255, ' ');
    EXPECT_EQ(UserNameText(spaces.data(), 1000, 255).size(), 255u);
}

TEST(FeatureList, AsksEveryFeatureCodeOnce) {
    std::set<std::int32_t> codes;
    for (const FeatureEntry& entry : kFeatureEntries) {
        EXPECT_TRUE(codes.insert(entry.Code).second) << entry.Text;
    }
    std::set<std::int32_t> expected = {38, 42};
    for (std::int32_t code = 4; code <= 37; ++code) {
        expected.insert(code);
    }
    EXPECT_EQ(codes, expected);
    EXPECT_STREQ(kFeatureEntries[0].Text, "Supports CPUID Instruction");
    EXPECT_STREQ(kFeatureEntries[35].Text, "AMD x86-64 Long Mode (AA-64)");
}
