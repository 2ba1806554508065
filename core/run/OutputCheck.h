#pragma once

#include <string>

// Whether a run's work came out right: the last decompression pass must give
// back the test input byte for byte. A run that fails the check gets no score.
struct CheckResult {
    bool Passed = false;
    // What differs, for the user; empty when the check passed.
    std::string Description;
};

class OutputCheck {
  public:
    // Compares the decompressed test file with the test input: their lengths,
    // then their bytes. A file that cannot be read fails the check.
    static CheckResult Compare(const std::string& input, const std::string& decompressed);
};
