#pragma once

#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <string>

// A root folder with the system files a test lays out, e.g.
// Write("/etc/machine-id", "...").
class FakeSystemTree {
  public:
    const std::string& Root() const { return dir_.Path(); }

    void Write(const std::string& path, const std::string& text) const {
        const std::filesystem::path file = Root() + path;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }

  private:
    TempDir dir_;
};
