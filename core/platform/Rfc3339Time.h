#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The moment a time stamp names, in seconds since 1970-01-01T00:00:00Z, when
// it is a valid RFC 3339 date and time such as 2026-12-09T10:15:00Z or
// 2026-12-09T11:15:00.25+01:00: a real calendar day from 1970 to 9999, a
// time of day up to a leap second, an offset up to 23:59. Fractions of a
// second are dropped. Anything else gives nothing.
std::optional<std::int64_t> Rfc3339Seconds(std::string_view text);
