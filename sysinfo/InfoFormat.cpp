#include "InfoFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace InfoFormat {

QString TwoDigits(std::uint64_t value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString WholeOrEmpty(double value) {
    const double rounded = std::round(value);
    if (rounded == 0.0) {
        return {};
    }
    return QString::number(rounded, 'f', 0);
}

QString UpTimeText(std::uint64_t milliseconds) {
    const std::uint64_t minutes = milliseconds / 1000 / 60;
    const std::uint64_t hours = minutes / 60;
    return TwoDigits(hours) + QStringLiteral(" h. ") + TwoDigits(minutes - 60 * hours) +
           QStringLiteral(" min.");
}

QString MegabytesText(std::uint64_t bytes) {
    return WholeOrEmpty(static_cast<double>(bytes) / 1048576.0) + QStringLiteral(" MB");
}

QString MemoryLoadText(std::uint32_t percent) {
    return WholeOrEmpty(percent) + QStringLiteral(" %");
}

QString ProcessorLoadText(std::int16_t percent) {
    return QString::number(percent) + QStringLiteral(" %");
}

QString ClockText(std::int16_t megahertz) {
    return QString::number(megahertz) + QStringLiteral(" MHz");
}

QString CacheText(std::int32_t kilobytes) {
    return QString::number(kilobytes) + QStringLiteral(" KB");
}

QString TypeName(std::uint8_t typeCode) {
    switch (typeCode) {
    case 0:
        return QStringLiteral("Standart OEM");
    case 1:
        return QStringLiteral("Intel OverDrive");
    case 2:
        return QStringLiteral("Dual CPU Platform");
    default:
        return QStringLiteral("Unknown Type");
    }
}

QString FieldText(const char* field, std::size_t width) {
    const void* nul = std::memchr(field, '\0', width);
    const std::size_t length =
        nul == nullptr ? width : static_cast<std::size_t>(static_cast<const char*>(nul) - field);
    return QString::fromLocal8Bit(field, static_cast<qsizetype>(length));
}

QString UserNameText(const char* buffer, std::uint32_t size, std::size_t maxLength) {
    if (size < 1) {
        return {};
    }
    const std::size_t length = std::min<std::size_t>(size - 1, maxLength);
    return QString::fromLocal8Bit(buffer, static_cast<qsizetype>(length));
}

} // namespace InfoFormat
