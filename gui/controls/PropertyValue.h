#pragma once

#include <QVariant>
#include <cstdint>
#include <optional>

// Conversions of stored setting values to a control's property types. Each
// gives no value when the stored value cannot be converted: not a number or a
// Boolean, not a number in text, or outside the type's range. Fractions are
// rounded to the nearest whole number, an exact half to the even neighbour.
namespace PropertyValue {

std::optional<std::int32_t> ToInt32(const QVariant& value);

// A colour is accepted in its unsigned form (0x8000000F) and in its signed
// 32-bit form (-2147483633) alike.
std::optional<std::uint32_t> ToColor(const QVariant& value);

// Numbers convert as zero is false, everything else true; text must be
// "True" or "False" in any case, or a number.
std::optional<bool> ToBoolean(const QVariant& value);

} // namespace PropertyValue
