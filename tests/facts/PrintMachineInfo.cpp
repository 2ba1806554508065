// Prints this machine's facts through the real QuelCore and system figures:
// as JSON, as text with --text, or as JSON with one key the schema does not
// know with --stray-key (the schema check must reject that).
#include "facts/MachineInfo.h"
#include "facts/MachineInfoJson.h"
#include "facts/MachineInfoText.h"
#include "facts/QuelCoreBinding.h"
#include "platform/HostSystemStatus.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const std::string option = argc > 1 ? argv[1] : "";
    QuelCoreBinding library;
    HostSystemStatus system;
    const MachineInfo info = CollectMachineInfo(library, system);
    if (option == "--text") {
        std::cout << MachineInfoText(info);
        return 0;
    }
    nlohmann::json json = MachineInfoJson(info);
    if (option == "--stray-key") {
        json["processor"]["stray"] = true;
    }
    std::cout << json.dump(2) << "\n";
    return 0;
}
