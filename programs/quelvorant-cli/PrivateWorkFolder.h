#pragma once

#include <string>

// A private folder for a command's work files, made with mkdtemp in $TMPDIR
// (or /tmp) and removed with everything in it when the object goes: at the
// end, on failure and on interruption alike.
class PrivateWorkFolder {
  public:
    PrivateWorkFolder();
    ~PrivateWorkFolder();
    PrivateWorkFolder(const PrivateWorkFolder&) = delete;
    PrivateWorkFolder& operator=(const PrivateWorkFolder&) = delete;

    const std::string& Path() const { return path_; }
    // A sub-folder of its own, made on demand, for one copy of the workload.
    std::string SubFolder(const std::string& name) const;

  private:
    std::string path_;
};
