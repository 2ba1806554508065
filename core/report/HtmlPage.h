#pragma once

#include <string>

// A whole self-contained page of the reports: the document with its title and
// the report style inline, header and main as given, and the footer saying
// which program made it and when (generatedAt, UTC, ISO 8601).
std::string HtmlPage(const std::string& title, const std::string& headerAndMain,
                     const std::string& generatedAt);
