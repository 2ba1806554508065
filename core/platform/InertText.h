#pragma once

#include <string>

// Text from files and databases made elsewhere, made safe to print: every
// control character (C0, DEL and, in UTF-8, C1) is shown as \xHH, so that no
// escape sequence reaches a terminal to retitle or clear it. Line breaks
// stay when keepLineBreaks is set, for messages of several lines.
std::string InertText(const std::string& text, bool keepLineBreaks = false);
