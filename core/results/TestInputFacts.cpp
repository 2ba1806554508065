#include "results/TestInputFacts.h"

#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "platform/Sha256.h"

std::string OwnTestInput() {
    return FileSystem::ApplicationDirectory() + "/Quelvorant.exe";
}

BenchReport::Input TestInputFacts(const std::string& path) {
    BenchReport::Input input;
    input.Path = path.empty() ? OwnTestInput() : path;
    const auto bytes = FileSystem::ReadAll(input.Path);
    input.Bytes = bytes.size();
    input.Sha256 = Sha256::Of(bytes.data(), bytes.size());
    if (!path.empty()) {
        // Another file is comparable only when it holds the program's own input.
        try {
            const auto own = FileSystem::ReadAll(OwnTestInput());
            input.Comparable = Sha256::Of(own.data(), own.size()) == input.Sha256;
        } catch (const QuelError&) {
            input.Comparable = false;
        }
    }
    return input;
}
