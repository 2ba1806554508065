#include "quelvorant-cli/CommandOutput.h"

#include "platform/FileSystem.h"

#include <iostream>

QuelError CommandFailure(const std::string& what) {
    return QuelError(QuelError::kOwnError, "quelvorant-cli", what);
}

void WriteOutput(const std::string& file, const std::string& text) {
    if (file == "-") {
        std::cout << text << std::flush;
        return;
    }
    try {
        FileSystem::WriteAll(file, std::vector<std::uint8_t>(text.begin(), text.end()),
                             FileSystem::WriteMode::Durable);
    } catch (const QuelError& error) {
        throw CommandFailure(file + ": " + error.Description());
    }
}
