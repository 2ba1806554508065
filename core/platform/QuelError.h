#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The program's one error type: every failure is raised as a QuelError and
// carries a number, the name of the raising operation and a description.
class QuelError : public std::runtime_error {
  public:
    // Number of the program's own errors (hexadecimal 80040000).
    static constexpr std::int32_t kOwnError = -2147221504;
    // Standard errors.
    static constexpr std::int32_t kOverflow = 6;
    static constexpr std::int32_t kSubscriptOutOfRange = 9;
    // File errors, chosen from errno.
    static constexpr std::int32_t kFileNotFound = 53;
    static constexpr std::int32_t kDiskFull = 61;
    static constexpr std::int32_t kPermissionDenied = 70;
    static constexpr std::int32_t kPathFileAccess = 75;

    QuelError(std::int32_t number, std::string source, std::string description);

    std::int32_t Number() const noexcept { return number_; }
    const std::string& Source() const noexcept { return source_; }
    const std::string& Description() const noexcept { return description_; }

    static QuelError SubscriptOutOfRange(const std::string& source);
    static QuelError Overflow(const std::string& source);
    // A failed system call: the number follows errno, the description is strerror's text.
    static QuelError FromErrno(int err, const std::string& source);

  private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};
