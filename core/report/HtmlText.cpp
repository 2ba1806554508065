#include "report/HtmlText.h"

#include "report/TimeScale.h"

#include <charconv>
#include <cmath>

std::string HtmlEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        case '\0':
            // HTML has no NUL; a browser shows the replacement character.
            escaped += "\uFFFD";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string TimeElement(const std::string& utc) {
    return "<time datetime=\"" + HtmlEscaped(utc) + "\">" + HtmlEscaped(MinuteText(utc)) +
           "</time>";
}

std::string ScoreValueText(double score) {
    return FixedText(score, score == std::floor(score) ? 0 : 1);
}

std::string FixedText(double value, int decimals) {
    if (!std::isfinite(value)) {
        return "unknown";
    }
    // Rounding may give -0.0 for small negative values; it reads as 0.
    const double scale = std::pow(10.0, decimals);
    if (std::round(value * scale) == 0.0) {
        value = 0.0;
    }
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(text, result.ptr) : "unknown";
}

std::string ShortenedText(const std::string& text, std::size_t length) {
    std::size_t bytes = 0;
    std::size_t characters = 0;
    while (bytes < text.size() && characters < length) {
        ++bytes;
        while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) {
            ++bytes;
        }
        ++characters;
    }
    return bytes < text.size() ? text.substr(0, bytes) + "…" : text;
}
