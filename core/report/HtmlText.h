#pragma once

#include <string>
#include <string_view>

// The text forms the HTML report writes.

// Text with &, <, >, " and ' replaced by character references, so that text
// taken from data stays text in HTML and SVG content and in quoted
// attribute values.
std::string HtmlEscaped(std::string_view text);

// A UTC time as a <time> element that shows it to the minute and does not
// break across lines.
std::string TimeElement(const std::string& utc);

// A score: a whole number, or with one decimal when it is a median between
// two scores.
std::string ScoreValueText(double score);

// A number with a fixed count of decimals and "." as the decimal point,
// whatever the locale; "unknown" for a value that is not finite.
std::string FixedText(double value, int decimals);

// Text cut to at most length characters of UTF-8, never inside a character,
// with "…" where it was cut.
std::string ShortenedText(const std::string& text, std::size_t length);
