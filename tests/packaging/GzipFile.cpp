#include "tests/packaging/GzipFile.h"

#include <fstream>
#include <iterator>

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Header fields of RFC 1952: magic bytes, method, flags, time stamp, extra flags.
std::string GzipHeaderProblem(const std::string& bytes) {
    if (bytes.size() < 18 || bytes.compare(0, 3, "\x1f\x8b\x08") != 0) {
        return "not a gzip file";
    }
    const unsigned char flags = static_cast<unsigned char>(bytes[3]);
    if ((flags & 0x08) != 0) {
        return "holds a file name";
    }
    if (bytes.compare(4, 4, std::string(4, '\0')) != 0) {
        return "holds a time stamp";
    }
    if (bytes[8] != 2) {
        return "not at maximum compression";
    }
    return {};
}

ProgramRun Gunzip(const std::string& path) {
    return RunProgram(QStringLiteral("gzip"), {QStringLiteral("-dc"), QString::fromStdString(path)},
                      CleanEnvironment());
}
