#include "testinput/BmpFile.h"

namespace BmpFile {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// 96 dots per inch as pixels per metre.
constexpr std::uint32_t kPixelsPerMetre = 3780;

} // namespace

std::uint32_t RowStride(int width) {
    return (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
}

std::uint32_t FileSize(int width, int height) {
    return kHeaderSize + RowStride(width) * static_cast<std::uint32_t>(height) + kTrailerSize;
}

std::vector<std::uint8_t> Encode(const Canvas& canvas) {
    const int width = canvas.Width();
    const int height = canvas.Height();
    const std::uint32_t stride = RowStride(width);
    std::vector<std::uint8_t> out;
    out.reserve(FileSize(width, height));
    out.push_back('B');
    out.push_back('M');
    put32(out, FileSize(width, height));
    put32(out, 0);
    put32(out, kHeaderSize);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, stride * static_cast<std::uint32_t>(height));
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb pixel = canvas.At(x, y);
            out.push_back(pixel.b);
            out.push_back(pixel.g);
            out.push_back(pixel.r);
        }
        out.resize(out.size() + (stride - static_cast<std::uint32_t>(width) * 3), 0);
    }
    out.resize(out.size() + kTrailerSize, 0);
    return out;
}

} // namespace BmpFile
