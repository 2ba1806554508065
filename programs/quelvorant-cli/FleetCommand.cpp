#include "quelvorant-cli/FleetCommand.h"

#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "quelvorant-cli/CommandOutput.h"

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A file of the installed playbook folder and its name in the user's folder:
// the example inventory becomes the inventory that the next command names.
struct FleetFile {
    const char* Source;
    const char* Target;
};

constexpr FleetFile kFleetFiles[] = {
    {"fleet.yml", "fleet.yml"},
    {"group_vars/quelvorant.yml", "group_vars/quelvorant.yml"},
    {"inventory.example.ini", "inventory.ini"},
    {"README.md", "README.md"},
};

// The playbook folder, relative to the program's own folder: where the
// package puts it (share/ beside lib/quelvorant), else where the build copies
// it (share/ beside bin/). The build defines both paths.
fs::path playbookFolder() {
    const fs::path program = FileSystem::ApplicationDirectory();
    const fs::path places[] = {(program / QUEL_PLAYBOOK_INSTALLED).lexically_normal(),
                               (program / QUEL_PLAYBOOK_BUILT).lexically_normal()};
    for (const fs::path& place : places) {
        if (fs::is_regular_file(place / "fleet.yml")) {
            return place;
        }
    }
    throw CommandFailure("fleet init: no playbook in " + places[0].string() +
                         "; the program is installed without it");
}

std::vector<std::uint8_t> readSource(const fs::path& file) {
    try {
        return FileSystem::ReadAll(file.string());
    } catch (const QuelError& error) {
        throw CommandFailure(file.string() + ": " + error.Description());
    }
}

void writeTarget(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) {
        throw CommandFailure(file.parent_path().string() + ": " + error.message());
    }
    try {
        FileSystem::WriteAll(file.string(), bytes, FileSystem::WriteMode::Durable);
    } catch (const QuelError& failure) {
        throw CommandFailure(file.string() + ": " + failure.Description());
    }
}

} // namespace

int RunFleetInit(const std::string& folder, bool force) {
    const fs::path from = playbookFolder();
    const fs::path to = folder;

    // Every file is looked at and read before the first is written, so a
    // refusal or a missing source leaves the folder as it was.
    std::string present;
    int presentCount = 0;
    std::vector<std::vector<std::uint8_t>> contents;
    for (const FleetFile& file : kFleetFiles) {
        std::error_code error;
        if (fs::exists(fs::symlink_status(to / file.Target, error))) {
            present += (present.empty() ? "" : ", ") + (to / file.Target).string();
            ++presentCount;
        }
        contents.push_back(readSource(from / file.Source));
    }
    if (presentCount > 0 && !force) {
        throw CommandFailure("fleet init: " + present + (presentCount == 1 ? " is" : " are") +
                             " there already; nothing was written (--force replaces them)");
    }

    std::cout << "Wrote the fleet playbook from " << from.string() << ":\n";
    for (std::size_t i = 0; i < contents.size(); ++i) {
        const fs::path target = to / kFleetFiles[i].Target;
        writeTarget(target, contents[i]);
        std::cout << "  " << target.string() << '\n';
    }
    const std::string inventory = (to / "inventory.ini").string();
    std::cout << "List your machines in " << inventory
              << ", then run it where the quelvorant_*.deb files are:\n"
              << "  ansible-playbook -i " << inventory << ' ' << (to / "fleet.yml").string()
              << '\n';
    return 0;
}
