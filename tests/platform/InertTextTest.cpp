#include "platform/InertText.h"

#include <gtest/gtest.h>

TEST(InertText, ControlCharactersAreShownNotObeyed) {
    const struct {
        const char* name;
        std::string text;
        bool keepLineBreaks;
        std::string shown;
    } cases[] = {
        {"plain text and UTF-8", "host-1 (é, µ)", false, "host-1 (é, µ)"},
        {"a colour escape", "\x1b[31mred", false, "\\x1b[31mred"},
        {"a new window title", "\x1b]0;owned\x07", false, "\\x1b]0;owned\\x07"},
        {"the C1 introducer",
         "a\xc2\x9b"
         "2Jb",
         false, "a\\xc2\\x9b2Jb"},
        {"DEL, NUL and a tab", std::string("a\x7f\0\tb", 5), false, "a\\x7f\\x00\\x09b"},
        {"line breaks kept", "one\ntwo\r", true, "one\ntwo\\x0d"},
        {"line breaks shown", "one\ntwo", false, "one\\x0atwo"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InertText(c.text, c.keepLineBreaks), c.shown) << c.name;
    }
}
