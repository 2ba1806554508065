#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

// The text forms of the information window's figures.
namespace InfoFormat {

// Pattern "00": at least two digits, a leading zero below 10.
QString TwoDigits(std::uint64_t value);
// Pattern "###": rounded to a whole number, a half away from zero; a value
// that rounds to 0 gives empty text.
QString WholeOrEmpty(double value);

// Up-time from milliseconds: "hh h. mm min.", seconds dropped, hours unbounded.
QString UpTimeText(std::uint64_t milliseconds);
// Bytes in megabytes of 1048576 bytes, pattern "###", then " MB".
QString MegabytesText(std::uint64_t bytes);
// Memory load in pattern "###", then " %".
QString MemoryLoadText(std::uint32_t percent);
// Processor load in decimal, then " %".
QString ProcessorLoadText(std::int16_t percent);
// Clock in decimal, then " MHz".
QString ClockText(std::int16_t megahertz);
// Cache size in decimal, then " KB".
QString CacheText(std::int32_t kilobytes);
// Name of a processor type code.
QString TypeName(std::uint8_t typeCode);

// The text of a fixed-width single-byte field up to its first NUL.
QString FieldText(const char* field, std::size_t width);
// A logon name from the buffer that GetUserNameA filled: size counts the
// terminating NUL; at most maxLength characters are taken.
QString UserNameText(const char* buffer, std::uint32_t size, std::size_t maxLength);

} // namespace InfoFormat
