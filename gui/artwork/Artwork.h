#pragma once

#include <QPixmap>

// The program's pictures, drawn in code so they stay sharp and small.
namespace Artwork {

// Title strip across the top of a window: width x 22 pixels.
QPixmap TitleStrip(int width);
// Body picture below the title strip: Form1 640 x 466, Form2 700 x 128.
QPixmap BodyPicture(int width, int height);
// The program's emblem, 70 x 68 pixels, transparent around the shape.
QPixmap Emblem();
// The same emblem scaled to a size x size square, centred, for icons.
QPixmap EmblemAt(int size);
// The program's word mark, 300 x 60 pixels, transparent around the letters.
QPixmap WordMark();
// Background of the splash window, 500 x 250 pixels.
QPixmap SplashBackground();
// The 14 x 13 close and minimize glyphs: grey when normal, black when over.
QPixmap CloseGlyph(bool over);
QPixmap MinimizeGlyph(bool over);

} // namespace Artwork
