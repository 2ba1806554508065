#include "platform/InertText.h"

#include <cstdio>

namespace {

std::string escaped(unsigned char byte) {
    char text[5];
    std::snprintf(text, sizeof text, "\\x%02x", byte);
    return text;
}

} // namespace

std::string InertText(const std::string& text, bool keepLineBreaks) {
    std::string inert;
    inert.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0u;
        if (byte == '\n' && keepLineBreaks) {
            inert += '\n';
        } else if (byte < 0x20 || byte == 0x7f) {
            inert += escaped(byte);
        } else if (byte == 0xc2 && next >= 0x80 && next <= 0x9f) {
            // U+0080 to U+009F, the C1 controls, CSI among them.
            inert += escaped(byte) + escaped(next);
            ++i;
        } else {
            inert += text[i];
        }
    }
    return inert;
}
