#include "artwork/Artwork.h"

#include <QColor>
#include <QImage>

namespace Artwork {
namespace {

// The 14 x 13 button face: shaded rows from near white to light grey inside a
// one-pixel grey border, drawn pixel by pixel so no edge is blurred.
QImage GlyphFace() {
    QImage face(14, 13, QImage::Format_RGB32);
    face.fill(QColor(130, 130, 130));
    for (int y = 1; y < 12; ++y) {
        const int shade = 250 - (y - 1) * 5;
        for (int x = 1; x < 13; ++x) {
            face.setPixelColor(x, y, QColor(shade, shade, shade));
        }
    }
    return face;
}

QColor GlyphInk(bool over) {
    return over ? QColor(0, 0, 0) : QColor(128, 128, 128);
}

} // namespace

QPixmap CloseGlyph(bool over) {
    QImage glyph = GlyphFace();
    const QColor ink = GlyphInk(over);
    // Two diagonals two pixels wide over rows 3 to 9, crossing at the centre row 6.
    for (int row = 0; row < 7; ++row) {
        const int y = 3 + row;
        glyph.setPixelColor(3 + row, y, ink);
        glyph.setPixelColor(4 + row, y, ink);
        glyph.setPixelColor(10 - row, y, ink);
        glyph.setPixelColor(9 - row, y, ink);
    }
    return QPixmap::fromImage(glyph);
}

QPixmap MinimizeGlyph(bool over) {
    QImage glyph = GlyphFace();
    const QColor ink = GlyphInk(over);
    // A 6 x 2 bar centred across the lower half of the face.
    for (int y = 8; y < 10; ++y) {
        for (int x = 4; x < 10; ++x) {
            glyph.setPixelColor(x, y, ink);
        }
    }
    return QPixmap::fromImage(glyph);
}

} // namespace Artwork
