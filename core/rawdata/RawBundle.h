#pragma once

#include <cstddef>
#include <map>
#include <string>

// Files gathered in memory and written as one .tar.gz archive (libarchive)
// under a top folder, with an entry for every folder above a file, as
// util-linux keeps the machines of its lscpu tests.
class RawBundle {
  public:
    explicit RawBundle(std::string topFolder);

    // Adds or replaces the file at path below the top folder, e.g. "proc/cpuinfo".
    void Add(const std::string& path, std::string bytes);

    // Writes the archive to file through a temporary file that is renamed
    // over it, so a failure leaves no part of it; returns its size in bytes.
    // Raises a QuelError naming file when it cannot be made or written.
    std::size_t Save(const std::string& file) const;

  private:
    std::string top_;
    std::map<std::string, std::string> files_;
};
