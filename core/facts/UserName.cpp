#include "facts/UserName.h"

#include "facts/InfoFormat.h"
#include "platform/SystemStatus.h"

#include <array>
#include <cstdint>

namespace {

// GetUserName's buffer: 255 single-byte characters.
constexpr std::uint32_t kUserNameBuffer = 255;

} // namespace

std::string ReadUserName(SystemStatus& system) {
    std::array<char, kUserNameBuffer> buffer;
    buffer.fill(' ');
    std::uint32_t size = kUserNameBuffer;
    system.GetUserNameA(buffer.data(), size);
    return InfoFormat::UserNameText(buffer.data(), size, buffer.size());
}
