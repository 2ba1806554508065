#include "quelvorant-cli/PrivateWorkFolder.h"

#include "platform/QuelError.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

PrivateWorkFolder::PrivateWorkFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/quelvorant-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        throw QuelError::FromErrno(errno, "mkdtemp " + pattern);
    }
    path_ = buffer.data();
}

PrivateWorkFolder::~PrivateWorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string PrivateWorkFolder::SubFolder(const std::string& name) const {
    const std::string folder = path_ + "/" + name;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw QuelError::FromErrno(errno, "mkdir " + folder);
    }
    return folder;
}
