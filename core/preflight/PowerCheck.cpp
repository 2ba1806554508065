#include "preflight/PowerCheck.h"

#include "platform/SystemFile.h"

#include <filesystem>
#include <set>

PreflightCheck PowerCheck(const std::string& root) {
    PreflightCheck check;
    check.Name = "power";
    const std::string supplies = "/sys/class/power_supply";
    // Sorted, so that the text does not depend on the folder's order.
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root + supplies, error)) {
        names.insert(entry.path().filename().string());
    }
    bool mainsOnline = false;
    std::string onBattery;
    for (const std::string& name : names) {
        const std::string folder = supplies + "/" + name;
        const auto type = SystemFile::Line(root, folder + "/type");
        if (type == "Mains") {
            const auto online = SystemFile::Number(root, folder + "/online");
            mainsOnline = mainsOnline || online == 1u;
            if (online == 0u && onBattery.empty()) {
                onBattery = name + " offline";
            }
        } else if (type == "Battery" &&
                   SystemFile::Line(root, folder + "/status") == "Discharging" &&
                   onBattery.empty()) {
            onBattery = name + " discharging";
        }
    }
    if (names.empty()) {
        check.Found = "not available here (no power supply reported)";
    } else if (!onBattery.empty()) {
        check.Level = CheckLevel::Warn;
        check.Found = "on battery (" + onBattery + ")";
        check.Fix = "plug in the power supply";
    } else {
        check.Found = mainsOnline ? "on mains power" : "no battery discharging";
    }
    return check;
}
