#include "platform/Rfc3339Time.h"

#include <algorithm>

namespace {

// Reads count digits at text[at...]; -1 when one is not a digit.
int digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) {
        return -1;
    }
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysIn(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given day of the proleptic Gregorian calendar.
std::int64_t daysSinceEpoch(int year, int month, int day) {
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return std::int64_t{era} * 146097 + dayOfEra - 719468;
}

} // namespace

std::optional<std::int64_t> Rfc3339Seconds(std::string_view text) {
    // 2026-12-09T10:15:00 is 19 characters; an offset follows.
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[13] != ':' ||
        text[16] != ':' || (text[10] != 'T' && text[10] != 't')) {
        return std::nullopt;
    }
    const int year = digits(text, 0, 4);
    const int month = digits(text, 5, 2);
    const int day = digits(text, 8, 2);
    const int hour = digits(text, 11, 2);
    const int minute = digits(text, 14, 2);
    const int second = digits(text, 17, 2);
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > daysIn(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60) {
        return std::nullopt;
    }
    std::size_t at = 19;
    if (text[at] == '.') {
        const std::size_t first = ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        if (at == first) {
            return std::nullopt;
        }
    }
    std::int64_t offset = 0;
    if (at < text.size() && (text[at] == 'Z' || text[at] == 'z')) {
        ++at;
    } else if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        const int offsetHours = digits(text, at + 1, 2);
        const int offsetMinutes = digits(text, at + 4, 2);
        if (offsetHours < 0 || offsetHours > 23 || offsetMinutes < 0 || offsetMinutes > 59 ||
            text.size() < at + 6 || text[at + 3] != ':') {
            return std::nullopt;
        }
        offset = (text[at] == '+' ? 1 : -1) * (offsetHours * 3600 + offsetMinutes * 60);
        at += 6;
    } else {
        return std::nullopt;
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    return daysSinceEpoch(year, month, day) * 86400 + hour * 3600 + minute * 60 +
           std::min(second, 59) - offset;
}
