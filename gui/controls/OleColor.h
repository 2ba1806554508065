#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <cstdint>

// A colour as the program stores it: an RGB colour laid out as 0x00BBGGRR
// (red in the low byte), or, with the top bit set, a system colour whose index
// is the low byte (0x80000000 plus the index).
namespace OleColor {

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
constexpr std::uint32_t kButtonFace = kSystemColorFlag + 15;
constexpr std::uint32_t kHighlight = kSystemColorFlag + 13;

constexpr bool IsSystemColor(std::uint32_t color) {
    return (color & kSystemColorFlag) != 0;
}

} // namespace OleColor

// The colour to draw with. System colours are looked up in the palette: the
// button face, the highlight, window and text colours and so on; an index that
// names no system colour gives black.
QColor OleColorToQColor(std::uint32_t color, const QPalette& palette = QGuiApplication::palette());
