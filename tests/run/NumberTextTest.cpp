#include "run/NumberText.h"
#include "run/BenchmarkRun.h"

#include "tests/support/ScopedLocale.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

TEST(SignedNumberText, SinglePrecisionPassTimes) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {2.5f, " 2.5"},
        {0.25f, " .25"},
        {12.0f, " 12"},
        {0.0f, " 0"},
        {-0.0f, " 0"},
        {-1.5f, "-1.5"},
        {0.5078125f, " .5078125"},
        {1.34375f, " 1.34375"},
        {1.0f / 3.0f, " .3333333"},
        {2.0f / 3.0f, " .6666667"},
        {0.001953125f, " .001953125"},
        {123456789.0f, " 123456800"},
        {9.9999999f, " 10"},
        {-0.0625f, "-.0625"},
        {86399.99f, " 86399.99"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SignedNumberText(c.value), c.text) << c.value;
    }
}

TEST(SignedNumberText, DoublePrecisionSums) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {12.3456, " 12.3456"}, {0.1 + 0.2, " .3"},
        {20.0, " 20"},         {0.019, " .019"},
        {-0.5, "-.5"},         {1.0 / 3.0, " .333333333333333"},
        {1e-5, " .00001"},     {123.456789012345678, " 123.456789012346"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SignedNumberText(c.value), c.text) << c.value;
    }
}

TEST(SignedNumberText, IgnoresTheLocaleDecimalComma) {
    // A German locale writes and reads "2,5"; the texts must not follow it.
    ScopedLocale german("de_DE");
    if (!german.InForce()) {
        GTEST_SKIP() << "localedef cannot make a German locale here";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 2.5);
    EXPECT_STREQ(probe, "2,5"); // the locale is really in force
    EXPECT_EQ(SignedNumberText(2.5f), " 2.5");
    EXPECT_EQ(SignedNumberText(0.125), " .125");
    EXPECT_EQ(ReadNumber(" 2.5"), 2.5);
}

TEST(WholeNumberText, DigitsAndSignOnly) {
    EXPECT_EQ(WholeNumberText(0), "0");
    EXPECT_EQ(WholeNumberText(617), "617");
    EXPECT_EQ(WholeNumberText(-3), "-3");
}

TEST(ReadNumber, ReadsTheTextsTheListHolds) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {" 2.5", 2.5}, {" .25", 0.25}, {"-1.5", -1.5}, {" 0", 0.0},    {"", 0.0},
        {"abc", 0.0},  {" 1 2", 12.0}, {"1.5x", 1.5},  {"1e3", 1000},  {"1e", 1.0},
        {"-", 0.0},    {"1.2.3", 1.2}, {"+4", 4.0},    {" -.5", -0.5}, {"7 seconds.", 7.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ReadNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ReadNumber, GivesBackWhatSignedNumberTextWrote) {
    for (float f = 0.0001f; f < 5000.0f; f *= 1.37f) {
        const double back = ReadNumber(SignedNumberText(f));
        EXPECT_NEAR(back, f, std::fabs(f) * 5e-7) << f;
        EXPECT_NEAR(ReadNumber(SignedNumberText(-f)), -back, 0.0) << f;
    }
}

TEST(Score, CountsFiftiethsAndDropsTheFraction) {
    const struct {
        double sum;
        double score;
    } cases[] = {{12.3456, 617}, {20.0, 1000}, {0.019, 0}, {0.0, 0}, {-0.001, -1}, {0.02, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(BenchmarkRun::Score(c.sum), c.score) << c.sum;
    }
}

TEST(FinalMessage, FourLinesWithTwoBlanksBeforeThePositiveTotal) {
    RunResult result;
    result.TimeSumma = 12.3456;
    result.Score = BenchmarkRun::Score(result.TimeSumma);
    EXPECT_EQ(BenchmarkRun::FinalMessage(result),
              "Process of testing was finished successfully.\r\n\r\n"
              "Time Summa -  12.3456 seconds.\r\n"
              "CPU iD Speed - 617 frames.");
}
