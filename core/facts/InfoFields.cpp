#include "facts/InfoFields.h"

namespace {

std::string textAt(const nlohmann::json& info, const char* group, const char* key) {
    const auto part = info.find(group);
    if (part == info.end() || !part->is_object()) {
        return {};
    }
    const auto value = part->find(key);
    return value != part->end() && value->is_string() ? value->get<std::string>() : std::string();
}

} // namespace

MachineIdentity IdentityOf(const nlohmann::json& info) {
    MachineIdentity identity;
    if (!info.is_object()) {
        return identity;
    }
    identity.HostName = textAt(info, "system", "hostname");
    identity.Processor = textAt(info, "window", "cpu_name");
    if (identity.Processor.empty()) {
        identity.Processor = textAt(info, "processor", "brand");
    }
    const auto id = info.find("machine_id");
    if (id != info.end() && id->is_string()) {
        identity.Id = id->get<std::string>();
    }
    const auto name = info.find("machine_name");
    identity.Name = name != info.end() && name->is_string() && !name->get<std::string>().empty()
                        ? name->get<std::string>()
                        : identity.HostName;
    return identity;
}
