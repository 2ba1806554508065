#include "facts/MachineName.h"

#include "facts/Utf8Text.h"
#include "platform/QuelError.h"

#include <algorithm>
#include <cstdlib>

namespace MachineName {

std::string Fault(const std::string& text) {
    if (text.empty()) {
        return "a machine's name must not be empty";
    }
    if (text.size() > kMaxBytes) {
        return "a machine's name must be at most " + std::to_string(kMaxBytes) + " bytes";
    }
    if (std::any_of(text.begin(), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte < 0x20 || byte == 0x7f;
        })) {
        return "a machine's name must not hold control characters";
    }
    if (Utf8Text(text) != text) {
        return "a machine's name must be UTF-8";
    }
    return {};
}

void CheckVariable() {
    const char* named = std::getenv(kVariable);
    if (named == nullptr || named[0] == '\0') {
        return;
    }
    if (const std::string fault = Fault(named); !fault.empty()) {
        throw QuelError(QuelError::kOwnError, "MachineName", std::string(kVariable) + ": " + fault);
    }
}

std::string Chosen(const std::string& hostName) {
    const char* named = std::getenv(kVariable);
    if (named != nullptr && named[0] != '\0' && Fault(named).empty()) {
        return named;
    }
    return hostName;
}

} // namespace MachineName
