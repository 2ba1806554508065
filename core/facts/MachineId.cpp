#include "facts/MachineId.h"

#include "platform/Sha256.h"
#include "platform/SystemFile.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* kPrefix = "quelvorant.machine/1:";

} // namespace

namespace MachineId {

std::optional<std::string> ApplicationId(const std::string& machineIdText) {
    const std::string id = machineIdText.substr(0, machineIdText.find('\n'));
    const bool valid = id.size() == 32 && std::all_of(id.begin(), id.end(), [](char c) {
                           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                       });
    if (!valid) {
        return std::nullopt;
    }
    const std::string message = kPrefix + id;
    return Sha256::Of(reinterpret_cast<const std::uint8_t*>(message.data()), message.size())
        .substr(0, 16);
}

std::optional<std::string> Read(const std::string& root) {
    const std::optional<std::string> text = SystemFile::Text(root, "/etc/machine-id");
    return text ? ApplicationId(*text) : std::nullopt;
}

} // namespace MachineId
