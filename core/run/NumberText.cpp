#include "run/NumberText.h"

#include "platform/QuelError.h"

#include <charconv>
#include <cmath>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// x rounded to `digits` significant digits, written positionally.
std::string signedText(double x, int digits) {
    const std::string sign = std::signbit(x) && x != 0.0 ? "-" : " ";
    const double magnitude = std::fabs(x);
    if (magnitude == 0.0) {
        return sign + "0";
    }
    // Scientific form gives the rounded significant digits and the exponent.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::scientific, digits - 1);
    std::string mantissa;
    const char* p = buffer;
    for (; p != written.ptr && *p != 'e'; ++p) {
        if (isDigit(*p)) {
            mantissa += *p;
        }
    }
    // The exponent after 'e' always carries a sign in scientific form.
    const bool negativeExponent = p + 1 != written.ptr && p[1] == '-';
    int exponent = 0;
    std::from_chars(p + 2, written.ptr, exponent);
    if (negativeExponent) {
        exponent = -exponent;
    }
    while (mantissa.size() > 1 && mantissa.back() == '0') {
        mantissa.pop_back();
    }
    const int pointAt = exponent + 1; // digits before the decimal point
    std::string text;
    if (pointAt <= 0) {
        text = "." + std::string(static_cast<std::size_t>(-pointAt), '0') + mantissa;
    } else if (static_cast<std::size_t>(pointAt) >= mantissa.size()) {
        text = mantissa + std::string(static_cast<std::size_t>(pointAt) - mantissa.size(), '0');
    } else {
        text = mantissa.substr(0, static_cast<std::size_t>(pointAt)) + "." +
               mantissa.substr(static_cast<std::size_t>(pointAt));
    }
    return sign + text;
}

} // namespace

std::string SignedNumberText(float x) {
    return signedText(static_cast<double>(x), 7);
}

std::string SignedNumberText(double x) {
    return signedText(x, 15);
}

std::string WholeNumberText(std::int64_t x) {
    return std::to_string(x);
}

std::string ScoreText(double score) {
    if (!(std::fabs(score) < 9.2e18)) {
        throw QuelError::Overflow("ScoreText");
    }
    return WholeNumberText(static_cast<std::int64_t>(score));
}

double ReadNumber(const std::string& text) {
    // Collect the characters that make a number, skipping blanks anywhere.
    std::string number;
    bool seenDigit = false;
    bool seenPoint = false;
    bool seenExponent = false;
    for (const char c : text) {
        if (isBlank(c)) {
            continue;
        }
        if (isDigit(c)) {
            number += c;
            seenDigit = true;
        } else if ((c == '-' || c == '+') && (number.empty() || number.back() == 'e')) {
            number += c;
        } else if (c == '.' && !seenPoint && !seenExponent) {
            number += c;
            seenPoint = true;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && seenDigit && !seenExponent) {
            number += 'e';
            seenExponent = true;
        } else {
            break;
        }
    }
    // Drop an unfinished exponent or sign at the end ("1e", "1e-", "-").
    while (!number.empty() && !isDigit(number.back()) && number.back() != '.') {
        number.pop_back();
    }
    if (!seenDigit || number.empty()) {
        return 0.0;
    }
    const char* first = number.data();
    if (*first == '+') {
        ++first;
    }
    double value = 0.0;
    const auto result = std::from_chars(first, number.data() + number.size(), value);
    if (result.ec != std::errc()) {
        return 0.0;
    }
    return value;
}
