#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The text forms of the information window's figures, as single-byte text.
namespace InfoFormat {

// Pattern "00": at least two digits, a leading zero below 10.
std::string TwoDigits(std::uint64_t value);
// Pattern "###": rounded to a whole number, a half away from zero; a value
// that rounds to 0 gives empty text.
std::string WholeOrEmpty(double value);

// Up-time from milliseconds: "hh h. mm min.", seconds dropped, hours unbounded.
std::string UpTimeText(std::uint64_t milliseconds);
// Bytes in megabytes of 1048576 bytes, pattern "###", then " MB".
std::string MegabytesText(std::uint64_t bytes);
// Memory load in pattern "###", then " %".
std::string MemoryLoadText(std::uint32_t percent);
// Processor load in decimal, then " %".
std::string ProcessorLoadText(std::int16_t percent);
// Clock in decimal, then " MHz".
std::string ClockText(std::int16_t megahertz);
// Cache size in decimal, then " KB".
std::string CacheText(std::int32_t kilobytes);
// A family, model or stepping code in decimal.
std::string CodeText(std::uint8_t code);
// Name of a processor type code.
std::string TypeName(std::uint8_t typeCode);

// The bytes of a fixed-width single-byte field up to its first NUL.
std::string FieldText(const char* field, std::size_t width);
// A logon name from the buffer that GetUserNameA filled: size counts the
// terminating NUL; at most maxLength characters are taken.
std::string UserNameText(const char* buffer, std::uint32_t size, std::size_t maxLength);

} // namespace InfoFormat
