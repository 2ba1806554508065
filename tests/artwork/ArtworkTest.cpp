#include "artwork/Artwork.h"

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

QImage ImageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double Luminance(const QColor& c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The weakest contrast that text of the given colour would have anywhere in the box.
double WorstContrast(const QImage& image, const QRect& box, const QColor& ink) {
    double worst = 21.0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            worst = std::min(worst, Contrast(image.pixelColor(x, y), ink));
        }
    }
    return worst;
}

// Pixels of a glyph image that carry the given ink colour, inside the border.
QRect InkBounds(const QImage& glyph, QRgb ink, int* count) {
    QRect bounds;
    *count = 0;
    for (int y = 1; y < 12; ++y) {
        for (int x = 1; x < 13; ++x) {
            if ((glyph.pixel(x, y) & 0xffffff) == (ink & 0xffffff)) {
                bounds |= QRect(x, y, 1, 1);
                ++*count;
            }
        }
    }
    return bounds;
}

struct PictureCase {
    const char* name;
    QPixmap pixmap;
    QSize size;
};

TEST(ArtworkTest, EveryPictureHasItsLayoutSize) {
    const PictureCase cases[] = {
        {"title strip 640", Artwork::TitleStrip(640), {640, 22}},
        {"title strip 700", Artwork::TitleStrip(700), {700, 22}},
        {"body 640x466", Artwork::BodyPicture(640, 466), {640, 466}},
        {"body 700x128", Artwork::BodyPicture(700, 128), {700, 128}},
        {"emblem", Artwork::Emblem(), {70, 68}},
        {"word mark", Artwork::WordMark(), {300, 60}},
        {"splash", Artwork::SplashBackground(), {500, 250}},
        {"close", Artwork::CloseGlyph(false), {14, 13}},
        {"close over", Artwork::CloseGlyph(true), {14, 13}},
        {"minimize", Artwork::MinimizeGlyph(false), {14, 13}},
        {"minimize over", Artwork::MinimizeGlyph(true), {14, 13}},
    };
    for (const PictureCase& c : cases) {
        EXPECT_EQ(c.pixmap.size(), c.size) << c.name;
    }
}

struct GlyphCase {
    const char* name;
    QPixmap pixmap;
    QRgb ink;
};

std::vector<GlyphCase> AllGlyphs() {
    return {
        {"close", Artwork::CloseGlyph(false), qRgb(128, 128, 128)},
        {"close over", Artwork::CloseGlyph(true), qRgb(0, 0, 0)},
        {"minimize", Artwork::MinimizeGlyph(false), qRgb(128, 128, 128)},
        {"minimize over", Artwork::MinimizeGlyph(true), qRgb(0, 0, 0)},
    };
}

TEST(ArtworkTest, GlyphBorderIsOnePixelOfGrey130) {
    for (const GlyphCase& c : AllGlyphs()) {
        const QImage glyph = ImageOf(c.pixmap);
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 14; ++x) {
                const QRgb pixel = glyph.pixel(x, y);
                if (x == 0 || y == 0 || x == 13 || y == 12) {
                    EXPECT_EQ(pixel, qRgb(130, 130, 130)) << c.name << " at " << x << "," << y;
                } else {
                    EXPECT_NE(pixel, qRgb(130, 130, 130)) << c.name << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(ArtworkTest, GlyphFaceShadesFromNearWhiteDownToLightGrey) {
    for (const GlyphCase& c : AllGlyphs()) {
        const QImage glyph = ImageOf(c.pixmap);
        const QColor top = glyph.pixelColor(1, 1);
        const QColor bottom = glyph.pixelColor(1, 11);
        EXPECT_GE(top.lightness(), 240) << c.name;
        EXPECT_GT(top.lightness(), bottom.lightness() + 20) << c.name;
        EXPECT_GE(bottom.lightness(), 180) << c.name;
        for (int y = 2; y < 12; ++y) {
            EXPECT_LE(glyph.pixelColor(12, y).lightness(), glyph.pixelColor(12, y - 1).lightness())
                << c.name << " row " << y;
        }
    }
}

TEST(ArtworkTest, CloseCrossMeetsAtTheCentreAndLeavesTheCornersFree) {
    for (const bool over : {false, true}) {
        const QImage glyph = ImageOf(Artwork::CloseGlyph(over));
        const QRgb ink = over ? qRgb(0, 0, 0) : qRgb(128, 128, 128);
        EXPECT_EQ(glyph.pixel(6, 6), ink) << over;
        EXPECT_EQ(glyph.pixel(7, 6), ink) << over;
        for (const QPoint corner : {QPoint(1, 1), QPoint(12, 1), QPoint(1, 11), QPoint(12, 11)}) {
            EXPECT_NE(glyph.pixel(corner), ink) << over << " corner " << corner.x();
        }
        // Both diagonals, two pixels wide, mirror each other about the vertical axis.
        for (int y = 1; y < 12; ++y) {
            for (int x = 1; x < 13; ++x) {
                EXPECT_EQ(glyph.pixel(x, y) == ink, glyph.pixel(13 - x, y) == ink)
                    << over << " at " << x << "," << y;
            }
        }
        for (int y = 3; y <= 9; ++y) {
            int inRow = 0;
            for (int x = 1; x < 13; ++x) {
                inRow += glyph.pixel(x, y) == ink ? 1 : 0;
            }
            EXPECT_EQ(inRow, y == 6 ? 2 : 4) << over << " row " << y;
        }
    }
}

TEST(ArtworkTest, MinimizeBarIsASixByTwoBlockCentredInTheLowerHalf) {
    for (const bool over : {false, true}) {
        const QImage glyph = ImageOf(Artwork::MinimizeGlyph(over));
        int count = 0;
        const QRect bar = InkBounds(glyph, over ? qRgb(0, 0, 0) : qRgb(128, 128, 128), &count);
        EXPECT_EQ(bar.size(), QSize(6, 2)) << over;
        EXPECT_EQ(count, 12) << over;
        EXPECT_GT(bar.top(), 6) << over;
        EXPECT_EQ(bar.left() + bar.right(), 13) << over;
    }
}

TEST(ArtworkTest, OverGlyphDiffersFromNormalOnlyInTheInk) {
    const std::pair<QPixmap, QPixmap> pairs[] = {
        {Artwork::CloseGlyph(false), Artwork::CloseGlyph(true)},
        {Artwork::MinimizeGlyph(false), Artwork::MinimizeGlyph(true)},
    };
    for (const auto& [normalPixmap, overPixmap] : pairs) {
        const QImage normal = ImageOf(normalPixmap);
        const QImage over = ImageOf(overPixmap);
        int inkPixels = 0;
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 14; ++x) {
                if (normal.pixel(x, y) == qRgb(128, 128, 128)) {
                    EXPECT_EQ(over.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
                    ++inkPixels;
                } else {
                    EXPECT_EQ(over.pixel(x, y), normal.pixel(x, y)) << x << "," << y;
                }
            }
        }
        EXPECT_GT(inkPixels, 0);
    }
}

struct TextArea {
    const char* name;
    QRect box;
    QColor ink;
    double minContrast;
};

// Black text wants 7:1, dark grey 4.5:1 and the grey credit lines 3:1 against
// every pixel that lies behind them.
void ExpectLegible(const QImage& picture, const std::vector<TextArea>& areas) {
    for (const TextArea& area : areas) {
        ASSERT_TRUE(picture.rect().contains(area.box)) << area.name;
        EXPECT_GE(WorstContrast(picture, area.box, area.ink), area.minContrast) << area.name;
    }
}

// The title texts are 11-pixel Tahoma set from row 5; their ink ends above
// row 20, clear of the strip's darker bottom edge in row 21.
TEST(ArtworkTest, TitleStripKeepsTheTitleTextLegible) {
    for (const int width : {640, 700}) {
        const QImage strip = ImageOf(Artwork::TitleStrip(width));
        ExpectLegible(strip, {{"title", QRect(32, 5, 154, 15), Qt::black, 7.0}});
        // The strip must read as a band: its bottom edge is clearly darker than its face.
        EXPECT_LT(Luminance(strip.pixelColor(width / 2, 21)),
                  Luminance(strip.pixelColor(width / 2, 10)) - 0.1)
            << width;
    }
}

TEST(ArtworkTest, BodyPicturesKeepTheirTextAreasLegible) {
    const QColor grey(128, 128, 128);
    ExpectLegible(ImageOf(Artwork::BodyPicture(640, 466)),
                  {{"user and system column", QRect(16, 10, 284, 430), Qt::black, 7.0},
                   {"feature heading", QRect(352, 122, 250, 14), Qt::black, 7.0},
                   {"begin command", QRect(16, 434, 102, 17), Qt::black, 7.0},
                   {"copyright line", QRect(352, 450, 261, 11), grey, 3.0}});
    ExpectLegible(ImageOf(Artwork::BodyPicture(700, 128)),
                  {{"status and bars", QRect(16, 10, 340, 96), Qt::black, 7.0},
                   {"commands", QRect(472, 98, 214, 17), Qt::black, 7.0}});
}

TEST(ArtworkTest, SplashBackgroundKeepsItsTextsLegibleAndHasAFrame) {
    const QImage splash = ImageOf(Artwork::SplashBackground());
    const QColor darkGrey(64, 64, 64);
    const QColor grey(128, 128, 128);
    ExpectLegible(splash, {{"loading", QRect(40, 5, 137, 15), Qt::black, 7.0},
                           {"tag line", QRect(248, 128, 233, 17), darkGrey, 4.5},
                           {"credits", QRect(216, 160, 273, 83), grey, 3.0},
                           {"version", QRect(16, 208, 177, 34), grey, 3.0}});
    for (int x = 0; x < 500; ++x) {
        EXPECT_GE(Contrast(splash.pixelColor(x, 249), Qt::white), 1.5) << "bottom " << x;
    }
    for (int y = 0; y < 250; ++y) {
        EXPECT_GE(Contrast(splash.pixelColor(0, y), Qt::white), 1.5) << "left " << y;
        EXPECT_GE(Contrast(splash.pixelColor(499, y), Qt::white), 1.5) << "right " << y;
    }
}

TEST(ArtworkTest, EmblemAndWordMarkAreShapesOnTransparentGround) {
    const std::pair<const char*, QImage> marks[] = {{"emblem", ImageOf(Artwork::Emblem())},
                                                    {"word mark", ImageOf(Artwork::WordMark())}};
    for (const auto& [name, image] : marks) {
        const int r = image.width() - 1;
        const int b = image.height() - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)}) {
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << name;
        }
        int opaque = 0;
        for (int y = 0; y <= b; ++y) {
            for (int x = 0; x <= r; ++x) {
                opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, image.width() * image.height() / 10) << name;
    }
}

TEST(ArtworkTest, WordMarkLeavesTheEmblemBehindItVisible) {
    // Placed 32 px right of the emblem, the word mark's first 38 columns lie over it.
    const QImage mark = ImageOf(Artwork::WordMark());
    int covered = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 38; ++x) {
            covered += qAlpha(mark.pixel(x, y)) > 64 ? 1 : 0;
        }
    }
    EXPECT_LT(covered, 38 * 60 / 20);
}

} // namespace
