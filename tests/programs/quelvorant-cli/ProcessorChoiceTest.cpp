#include "quelvorant-cli/ProcessorChoice.h"

#include "platform/QuelError.h"

#include <gtest/gtest.h>

TEST(ProcessorChoice, PicksTheAskedProcessorOrAnAvailableOneOfTheKindOrSaysWhyNot) {
    const std::vector<CoreKind> hybrid = {{"performance", "IntelCore", "0-3,8-11", 4, 8},
                                          {"efficiency", "IntelAtom", "4-7", 4, 4}};
    const struct {
        int cpu;
        std::string kind;
        std::vector<int> available;
        std::vector<CoreKind> kinds;
        int expected; // -2: refused
    } cases[] = {
        {-1, "", {0, 1}, hybrid, -1},
        {1, "", {0, 1}, {}, 1},
        {5, "", {0, 1}, {}, -2},
        {-1, "performance", {2, 3, 4}, hybrid, 2},
        {-1, "efficiency", {0, 1, 2, 3, 4, 5, 6, 7}, hybrid, 4},
        {-1, "IntelAtom", {6, 7}, hybrid, 6},
        {-1, "performance", {9}, hybrid, 9},
        {-1, "efficiency", {0, 1}, hybrid, -2},
        {-1, "big", {0}, hybrid, -2},
        {-1, "performance", {0}, {}, -2},
        {-1, "performance", {0}, {{"performance", std::nullopt, "0-x", 1, 1}}, -2},
    };
    for (const auto& c : cases) {
        if (c.expected == -2) {
            EXPECT_THROW(ChooseProcessor(c.cpu, c.kind, c.available, c.kinds), QuelError)
                << c.cpu << " " << c.kind;
        } else {
            EXPECT_EQ(ChooseProcessor(c.cpu, c.kind, c.available, c.kinds), c.expected)
                << c.cpu << " " << c.kind;
        }
    }
}
