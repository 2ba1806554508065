#include "run/OutputCheck.h"

#include "platform/FileSystem.h"
#include "platform/QuelError.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

CheckResult failed(std::string description) {
    return CheckResult{false, std::move(description)};
}

} // namespace

CheckResult OutputCheck::Compare(const std::string& input, const std::string& decompressed) {
    std::vector<std::uint8_t> expected;
    std::vector<std::uint8_t> actual;
    try {
        expected = FileSystem::ReadAll(input);
    } catch (const QuelError& error) {
        return failed("The test input cannot be read: " + error.Description());
    }
    try {
        actual = FileSystem::ReadAll(decompressed);
    } catch (const QuelError& error) {
        return failed("The decompressed test file cannot be read: " + error.Description());
    }
    const auto differs =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first;
    if (differs == actual.end() && actual.size() == expected.size()) {
        return CheckResult{true, {}};
    }
    // Bytes are counted from 1, as cmp counts them.
    const auto byte = static_cast<std::size_t>(differs - actual.begin()) + 1;
    std::string description =
        "The decompressed test file differs from the test input at byte " + std::to_string(byte);
    if (actual.size() != expected.size()) {
        description += ": it holds " + std::to_string(actual.size()) + " bytes, the test input " +
                       std::to_string(expected.size());
    }
    return failed(description + ".");
}
