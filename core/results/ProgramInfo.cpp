#include "results/ProgramInfo.h"

#include "platform/Version.h"

#include <string>

namespace {

std::string compilerText() {
#if defined(__clang__)
    return "clang " __clang_version__;
#elif defined(__GNUC__)
    return "GCC " __VERSION__;
#else
    return "unknown";
#endif
}

} // namespace

nlohmann::json ProgramJson() {
    return {{"name", "quelvorant-cli"},
            {"version", VersionNumber()},
            {"compiler", compilerText()},
            {"build_type", QUEL_BUILD_TYPE}};
}
