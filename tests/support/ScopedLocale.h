#pragma once

#include "tests/support/TempDir.h"

#include <clocale>
#include <cstdlib>
#include <string>

// A UTF-8 locale such as "de_DE", made for the test with localedef and in
// force for the whole process (LC_ALL) until the end of the scope; not in
// force where localedef cannot make it.
class ScopedLocale {
  public:
    explicit ScopedLocale(const std::string& language) {
        const std::string name = language + ".UTF-8";
        const std::string make =
            "localedef -i " + language + " -f UTF-8 " + folder_.File(name) + " >/dev/null 2>&1";
        previous_ = std::setlocale(LC_ALL, nullptr);
        ::setenv("LOCPATH", folder_.Path().c_str(), 1);
        inForce_ =
            std::system(make.c_str()) == 0 && std::setlocale(LC_ALL, name.c_str()) != nullptr;
    }
    ~ScopedLocale() {
        std::setlocale(LC_ALL, previous_.c_str());
        ::unsetenv("LOCPATH");
    }

    bool InForce() const { return inForce_; }

  private:
    TempDir folder_;
    std::string previous_;
    bool inForce_ = false;
};
