#include "facts/InfoFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace InfoFormat {

std::string TwoDigits(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    return digits.size() < 2 ? "0" + digits : digits;
}

std::string WholeOrEmpty(double value) {
    const double rounded = std::round(value);
    if (rounded == 0.0) {
        return {};
    }
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 0);
    return std::string(buffer, written.ptr);
}

std::string UpTimeText(std::uint64_t milliseconds) {
    const std::uint64_t minutes = milliseconds / 1000 / 60;
    const std::uint64_t hours = minutes / 60;
    return TwoDigits(hours) + " h. " + TwoDigits(minutes - 60 * hours) + " min.";
}

std::string MegabytesText(std::uint64_t bytes) {
    return WholeOrEmpty(static_cast<double>(bytes) / 1048576.0) + " MB";
}

std::string MemoryLoadText(std::uint32_t percent) {
    return WholeOrEmpty(percent) + " %";
}

std::string ProcessorLoadText(std::int16_t percent) {
    return std::to_string(percent) + " %";
}

std::string ClockText(std::int16_t megahertz) {
    return std::to_string(megahertz) + " MHz";
}

std::string CacheText(std::int32_t kilobytes) {
    return std::to_string(kilobytes) + " KB";
}

std::string CodeText(std::uint8_t code) {
    return std::to_string(code);
}

std::string TypeName(std::uint8_t typeCode) {
    switch (typeCode) {
    case 0:
        return "Standart OEM";
    case 1:
        return "Intel OverDrive";
    case 2:
        return "Dual CPU Platform";
    default:
        return "Unknown Type";
    }
}

std::string FieldText(const char* field, std::size_t width) {
    const void* nul = std::memchr(field, '\0', width);
    const std::size_t length =
        nul == nullptr ? width : static_cast<std::size_t>(static_cast<const char*>(nul) - field);
    return std::string(field, length);
}

std::string UserNameText(const char* buffer, std::uint32_t size, std::size_t maxLength) {
    if (size < 1) {
        return {};
    }
    const std::size_t length = std::min<std::size_t>(size - 1, maxLength);
    return std::string(buffer, length);
}

} // namespace InfoFormat
