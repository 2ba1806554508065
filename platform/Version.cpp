#include "Version.h"

// The numbers come from the project's version in CMake.
std::string VersionText() {
    return "Quelvorant v" + std::to_string(QUEL_VERSION_MAJOR) + "." +
           std::to_string(QUEL_VERSION_MINOR) + "." + std::to_string(QUEL_VERSION_PATCH);
}
