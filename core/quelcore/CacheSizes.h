#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Folder of the first processor's cache descriptions in sysfs.
inline const char* const kSysfsCacheFolder = "/sys/devices/system/cpu/cpu0/cache";

// A sysfs cache size ("32K", "1024K", "2M", or bytes without a unit) in KB.
std::optional<std::int32_t> ParseCacheSize(const std::string& text);

// The size in KB of the cache of this level and type ("Data", "Instruction",
// "Unified") described under cacheFolder/index*, or nothing when none is.
std::optional<std::int32_t> SysfsCacheKB(const std::string& cacheFolder, int level,
                                         const std::string& type);
