#include "platform/QuelError.h"

#include <cerrno>
#include <cstring>

QuelError::QuelError(std::int32_t number, std::string source, std::string description)
    : std::runtime_error(description), number_(number), source_(std::move(source)),
      description_(std::move(description)) {}

QuelError QuelError::SubscriptOutOfRange(const std::string& source) {
    return QuelError(kSubscriptOutOfRange, source, "Subscript out of range");
}

QuelError QuelError::Overflow(const std::string& source) {
    return QuelError(kOverflow, source, "Overflow");
}

QuelError QuelError::FromErrno(int err, const std::string& source) {
    std::int32_t number = kPathFileAccess;
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        number = kFileNotFound;
        break;
    case ENOSPC:
    case EDQUOT:
        number = kDiskFull;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        number = kPermissionDenied;
        break;
    default:
        break;
    }
    return QuelError(number, source, std::strerror(err));
}
