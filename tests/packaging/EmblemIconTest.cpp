#include "artwork/Artwork.h"

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

namespace {

QImage ImageOf(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The smallest rectangle that holds every pixel that is not fully transparent.
QRect ShapeBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

TEST(EmblemIconTest, AtItsOwnWidthTheIconIsTheEmblemMovedDownOneRow) {
    const QImage emblem = ImageOf(Artwork::Emblem());
    const QImage icon = ImageOf(Artwork::EmblemAt(70));
    ASSERT_EQ(icon.size(), QSize(70, 70));
    for (int x = 0; x < 70; ++x) {
        EXPECT_EQ(qAlpha(icon.pixel(x, 0)), 0) << x;
        EXPECT_EQ(qAlpha(icon.pixel(x, 69)), 0) << x;
    }
    int differing = 0;
    for (int y = 0; y < 68; ++y) {
        for (int x = 0; x < 70; ++x) {
            differing += icon.pixel(x, y + 1) != emblem.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(EmblemIconTest, ScaledIconKeepsTheEmblemsShapeCentredInTheSquare) {
    const QRect emblemShape = ShapeBounds(ImageOf(Artwork::Emblem()));
    for (const int size : {48, 128, 256}) {
        const QImage icon = ImageOf(Artwork::EmblemAt(size));
        ASSERT_EQ(icon.size(), QSize(size, size)) << size;
        const double scale = size / 70.0;
        const QRect shape = ShapeBounds(icon);
        // Antialiased edges may add or drop a pixel on each side.
        EXPECT_NEAR(shape.left(), emblemShape.left() * scale, 1.5) << size;
        EXPECT_NEAR(shape.right() + 1, (emblemShape.right() + 1) * scale, 1.5) << size;
        EXPECT_NEAR(shape.top(), (emblemShape.top() + 1) * scale, 1.5) << size;
        EXPECT_NEAR(shape.bottom() + 1, (emblemShape.bottom() + 2) * scale, 1.5) << size;
    }
}

} // namespace
