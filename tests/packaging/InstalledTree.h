#pragma once

#include "tests/packaging/ProgramRun.h"
#include "tests/support/TempDir.h"

#include <string>

// The build installed with `cmake --install --prefix /usr` into a fresh
// staging folder (DESTDIR), removed again with the object.
class InstalledTree {
  public:
    InstalledTree();

    // The install command's run; exit code 0 when everything was installed.
    const ProgramRun& Install() const { return install_; }
    // The staging folder: the installed /usr lies below it.
    const std::string& Root() const { return staging_.Path(); }
    // An installed path, given relative to the prefix /usr.
    std::string Path(const std::string& relative) const;

  private:
    TempDir staging_;
    ProgramRun install_;
};
