#include "platform/Version.h"

// The numbers come from the project's version in CMake.
std::string VersionNumber() {
    return std::to_string(QUEL_VERSION_MAJOR) + "." + std::to_string(QUEL_VERSION_MINOR) + "." +
           std::to_string(QUEL_VERSION_PATCH);
}

std::string VersionText() {
    return "Quelvorant v" + VersionNumber();
}
