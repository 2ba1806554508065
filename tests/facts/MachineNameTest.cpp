#include "facts/MachineName.h"
#include "platform/QuelError.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

// QUELVORANT_MACHINE_NAME names the machine only with a good name; a bad one
// is refused, naming the variable, rather than replaced by the host name.
TEST(MachineName, TheVariableNamesTheMachineOnlyWithAGoodName) {
    const struct {
        std::optional<std::string> variable;
        std::string chosen;
        std::string fault;
    } cases[] = {
        {std::nullopt, "host", ""},
        {"", "host", ""},
        {"rack4-node17", "rack4-node17", ""},
        {"Büro-Rechner", "Büro-Rechner", ""},
        {std::string(256, 'n'), std::string(256, 'n'), ""},
        {std::string(257, 'n'), "host", "at most 256 bytes"},
        {"a\x1b]0;x\x07", "host", "control characters"},
        {"a\tb", "host", "control characters"},
        {"B\xfcro", "host", "must be UTF-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variable.value_or("(not set)"));
        if (c.variable) {
            ::setenv(MachineName::kVariable, c.variable->c_str(), 1);
        } else {
            ::unsetenv(MachineName::kVariable);
        }
        EXPECT_EQ(MachineName::Chosen("host"), c.chosen);
        if (c.fault.empty()) {
            EXPECT_NO_THROW(MachineName::CheckVariable());
            continue;
        }
        EXPECT_NE(MachineName::Fault(*c.variable).find(c.fault), std::string::npos);
        try {
            MachineName::CheckVariable();
            ADD_FAILURE() << "not refused";
        } catch (const QuelError& error) {
            EXPECT_EQ(error.Description().rfind(std::string(MachineName::kVariable) + ": ", 0), 0u);
        }
    }
    ::unsetenv(MachineName::kVariable);
}
