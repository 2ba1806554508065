#pragma once

#include <cstdint>
#include <string>

// Text forms of the benchmark's numbers. They never depend on the locale:
// "." is always the decimal point and there are no thousands separators.

// A blank for a value of 0 or more, "-" for a negative one, then the
// magnitude in plain decimal rounded to 7 significant digits, trailing zeros
// and a bare point dropped, no zero before the point: 0.25f gives " .25".
std::string SignedNumberText(float x);
// The same with 15 significant digits, for the sum of the pass times.
std::string SignedNumberText(double x);

// Decimal digits, "-" when negative, no blank, no point.
std::string WholeNumberText(std::int64_t x);
// The score, a floating-point value holding a whole number, as whole-number
// text; a value beyond 64 bits raises the overflow error.
std::string ScoreText(double score);

// The number a text shows, read the way the time list is read back: blanks
// are skipped, reading stops at the first character that cannot continue the
// number, and a text without a number gives 0.
double ReadNumber(const std::string& text);
