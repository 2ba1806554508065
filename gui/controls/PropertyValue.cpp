#include "controls/PropertyValue.h"

#include <QLocale>
#include <QString>
#include <cmath>
#include <limits>

namespace {

// Doubles at or beyond this magnitude do not fit a 64-bit integer.
constexpr double kInt64Limit = 9223372036854775808.0;

std::optional<std::int64_t> FromDouble(double number) {
    if (!std::isfinite(number)) {
        return std::nullopt;
    }
    // nearbyint rounds in the default mode: to nearest, halves to even.
    const double rounded = std::nearbyint(number);
    if (rounded >= kInt64Limit || rounded < -kInt64Limit) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(rounded);
}

std::optional<std::int64_t> FromText(const QString& text) {
    const QString trimmed = text.trimmed();
    const QLocale c = QLocale::c();
    bool ok = false;
    const qlonglong whole = c.toLongLong(trimmed, &ok);
    if (ok) {
        return whole;
    }
    const double number = c.toDouble(trimmed, &ok);
    return ok ? FromDouble(number) : std::nullopt;
}

// The stored value as a whole number, if it is one or can be read as one.
std::optional<std::int64_t> ToWholeNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
        return value.toLongLong();
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar: {
        const qulonglong number = value.toULongLong();
        if (number > static_cast<qulonglong>(std::numeric_limits<std::int64_t>::max())) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(number);
    }
    case QMetaType::Float:
    case QMetaType::Double:
        return FromDouble(value.toDouble());
    case QMetaType::QString:
        return FromText(value.toString());
    case QMetaType::QByteArray:
        return FromText(QString::fromLatin1(value.toByteArray()));
    default:
        return std::nullopt;
    }
}

} // namespace

namespace PropertyValue {

std::optional<std::int32_t> ToInt32(const QVariant& value) {
    const auto number = ToWholeNumber(value);
    if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*number);
}

std::optional<std::uint32_t> ToColor(const QVariant& value) {
    const auto number = ToWholeNumber(value);
    if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    // A negative value is the same 32 bits read as signed.
    return static_cast<std::uint32_t>(*number);
}

std::optional<bool> ToBoolean(const QVariant& value) {
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double number = value.toDouble();
        return std::isfinite(number) ? std::optional<bool>(number != 0.0) : std::nullopt;
    }
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
            return true;
        }
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            return false;
        }
    }
    const auto number = ToWholeNumber(value);
    if (!number) {
        return std::nullopt;
    }
    return *number != 0;
}

} // namespace PropertyValue
