#include "quelcore/CacheSizes.h"

#include "quelcore/HostFiles.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace {

std::string FirstLine(const std::string& text) {
    const auto end = text.find_first_of("\r\n");
    return end == std::string::npos ? text : text.substr(0, end);
}

// Sysfs describes at most a handful of caches per processor.
constexpr int kMaxCacheIndex = 16;

} // namespace

std::optional<std::int32_t> ParseCacheSize(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || number < 0 ||
        number > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    long long kilobytes = 0;
    switch (std::toupper(static_cast<unsigned char>(*end))) {
    case 'K':
        kilobytes = number;
        break;
    case 'M':
        kilobytes = number * 1024;
        break;
    case '\0':
    case '\n':
        kilobytes = number / 1024;
        break;
    default:
        return std::nullopt;
    }
    if (kilobytes > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(kilobytes);
}

std::optional<std::int32_t> SysfsCacheKB(const std::string& cacheFolder, int level,
                                         const std::string& type) {
    for (int index = 0; index < kMaxCacheIndex; ++index) {
        const std::string folder = cacheFolder + "/index" + std::to_string(index);
        const auto levelText = ReadTextFile(folder + "/level");
        if (!levelText) {
            break;
        }
        const auto typeText = ReadTextFile(folder + "/type");
        const auto sizeText = ReadTextFile(folder + "/size");
        if (!typeText || !sizeText || std::atoi(levelText->c_str()) != level ||
            FirstLine(*typeText) != type) {
            continue;
        }
        return ParseCacheSize(FirstLine(*sizeText));
    }
    return std::nullopt;
}
