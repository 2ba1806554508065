#include "artwork/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

namespace Artwork {
namespace {

// The blue family every picture draws from, deepest to palest.
const QColor kDeep(0x1f, 0x3c, 0x78);
const QColor kBlue(0x2c, 0x58, 0xa8);
const QColor kBright(0x4a, 0x86, 0xe0);
const QColor kEdge(0x9c, 0xb0, 0xd2);
const QColor kLight(0xe8, 0xee, 0xf8);

constexpr int kStripHeight = 22;

QColor WithAlpha(QColor color, int alpha) {
    color.setAlpha(alpha);
    return color;
}

QPixmap Canvas(int width, int height, const QColor& fill) {
    QPixmap pixmap(width, height);
    pixmap.fill(fill);
    return pixmap;
}

// Light strip with a top highlight, a darker bottom edge that fades in from
// the accent colour, and three slanted speed marks before the title text.
void PaintStrip(QPainter& p, const QRect& r) {
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0.0, QColor(0xfc, 0xfd, 0xff));
    face.setColorAt(0.55, QColor(0xee, 0xf3, 0xfa));
    face.setColorAt(1.0, QColor(0xde, 0xe7, 0xf4));
    p.fillRect(r, face);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), Qt::white);

    QLinearGradient edge(r.left(), 0, r.left() + 240, 0);
    edge.setColorAt(0.0, kDeep);
    edge.setColorAt(1.0, kEdge);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), edge);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QColor marks[] = {kDeep, kBlue, kBright};
    const int alphas[] = {255, 200, 140};
    const qreal top = r.top() + 6.0;
    const qreal bottom = r.bottom() - 5.0;
    for (int i = 0; i < 3; ++i) {
        const qreal x = r.left() + 9.0 + i * 6.0;
        const QPointF shape[] = {{x + 3.0, top}, {x + 6.0, top}, {x + 3.0, bottom}, {x, bottom}};
        p.setBrush(WithAlpha(marks[i], alphas[i]));
        p.drawPolygon(shape, 4);
    }
    p.restore();
}

// Very light ground: white fading to a faint blue towards the bottom right,
// a soft shadow under the title strip, large faint arcs from the top-right
// corner and translucent waves along the bottom edge.
void PaintBody(QPainter& p, const QRect& r) {
    p.save();
    p.setClipRect(r);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(r.topLeft(), QPointF(r.right(), r.bottom() + r.width() * 0.25));
    ground.setColorAt(0.0, Qt::white);
    ground.setColorAt(0.6, QColor(0xf8, 0xfa, 0xfd));
    ground.setColorAt(1.0, QColor(0xef, 0xf3, 0xfa));
    p.fillRect(r, ground);

    QLinearGradient shadow(r.topLeft(), r.topLeft() + QPointF(0, 5));
    shadow.setColorAt(0.0, WithAlpha(kDeep, 26));
    shadow.setColorAt(1.0, WithAlpha(kDeep, 0));
    p.fillRect(QRect(r.left(), r.top(), r.width(), 5), shadow);

    const QPointF hub(r.right() + 30.0, r.top() - 40.0);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const qreal radius = 120.0 + i * 46.0;
        p.setPen(QPen(WithAlpha(kBright, 30 - i * 4), i % 2 == 0 ? 1.5 : 1.0));
        p.drawEllipse(hub, radius, radius);
    }

    const qreal base = r.bottom() + 1.0;
    const qreal left = r.left();
    const qreal w = r.width();
    for (int i = 0; i < 3; ++i) {
        const qreal lift = 22.0 + i * 12.0;
        QPainterPath crest;
        crest.moveTo(left + w * (0.08 + 0.14 * i), base + 1.0);
        crest.cubicTo(left + w * 0.45, base - 3.0, left + w * (0.62 - 0.06 * i), base - lift,
                      left + w + 2.0, base - lift - 6.0 * i);
        QPainterPath area = crest;
        area.lineTo(left + w + 2.0, base + 2.0);
        area.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(kBright, 13 - i * 3));
        p.drawPath(area);
        p.setPen(QPen(WithAlpha(Qt::white, 220), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(crest);
    }
    p.restore();
}

QPainterPath Ring(const QPointF& centre, qreal outer, qreal inner) {
    QPainterPath ring;
    ring.addEllipse(centre, outer, outer);
    ring.addEllipse(centre, inner, inner);
    ring.setFillRule(Qt::OddEvenFill);
    return ring;
}

// A processor die with four pins per side, centred on the given point.
void PaintChip(QPainter& p, const QPointF& centre, qreal size) {
    const qreal half = size / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(kEdge);
    const qreal pin = 2.0;
    for (int i = 0; i < 4; ++i) {
        const qreal offset = -half + size * (i + 0.5) / 4.0 - pin / 2.0;
        p.drawRect(QRectF(centre.x() + offset, centre.y() - half - 3.0, pin, size + 6.0));
        p.drawRect(QRectF(centre.x() - half - 3.0, centre.y() + offset, size + 6.0, pin));
    }
    const QRectF die(centre.x() - half, centre.y() - half, size, size);
    QLinearGradient body(die.topLeft(), die.bottomRight());
    body.setColorAt(0.0, kBlue);
    body.setColorAt(1.0, kDeep);
    p.setBrush(body);
    p.drawRoundedRect(die, 2.5, 2.5);
    p.setPen(QPen(WithAlpha(Qt::white, 170), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(die.adjusted(3.5, 3.5, -3.5, -3.5), 1.0, 1.0);
}

} // namespace

QPixmap TitleStrip(int width) {
    QPixmap pixmap = Canvas(width, kStripHeight, Qt::white);
    QPainter p(&pixmap);
    PaintStrip(p, pixmap.rect());
    return pixmap;
}

QPixmap BodyPicture(int width, int height) {
    QPixmap pixmap = Canvas(width, height, Qt::white);
    QPainter p(&pixmap);
    PaintBody(p, pixmap.rect());
    return pixmap;
}

namespace {

constexpr int kEmblemWidth = 70;
constexpr int kEmblemHeight = 68;

// The emblem in its own 70 x 68 coordinates: a ring with a tail and a
// processor die in the middle.
void PaintEmblem(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(32.0, 31.0);

    QPainterPath tail;
    tail.moveTo(40.0, 44.0);
    tail.cubicTo(48.0, 52.0, 56.0, 60.0, 69.5, 63.0);
    tail.cubicTo(60.0, 66.5, 48.0, 64.0, 35.0, 52.0);
    tail.closeSubpath();
    QLinearGradient tailFill(36.0, 48.0, 69.0, 64.0);
    tailFill.setColorAt(0.0, kDeep);
    tailFill.setColorAt(1.0, kBright);

    QLinearGradient ringFill(centre - QPointF(28, 28), centre + QPointF(28, 28));
    ringFill.setColorAt(0.0, kBright);
    ringFill.setColorAt(0.55, kBlue);
    ringFill.setColorAt(1.0, kDeep);

    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(kDeep, 40));
    p.drawPath(Ring(centre + QPointF(1.0, 1.5), 29.0, 19.0));
    p.setBrush(ringFill);
    p.drawPath(Ring(centre, 29.0, 19.0));
    p.setBrush(tailFill);
    p.drawPath(tail);

    QRadialGradient gloss(centre - QPointF(10, 12), 30.0);
    gloss.setColorAt(0.0, WithAlpha(Qt::white, 120));
    gloss.setColorAt(1.0, WithAlpha(Qt::white, 0));
    p.setBrush(gloss);
    p.drawPath(Ring(centre, 28.0, 20.0));

    p.setBrush(kLight);
    p.drawEllipse(centre, 19.0, 19.0);
    PaintChip(p, centre, 16.0);
}

} // namespace

QPixmap Emblem() {
    QPixmap pixmap = Canvas(kEmblemWidth, kEmblemHeight, Qt::transparent);
    QPainter p(&pixmap);
    PaintEmblem(p);
    return pixmap;
}

QPixmap EmblemAt(int size) {
    QPixmap pixmap = Canvas(size, size, Qt::transparent);
    QPainter p(&pixmap);
    const qreal scale = static_cast<qreal>(size) / kEmblemWidth;
    p.translate(0.0, (size - kEmblemHeight * scale) / 2.0);
    p.scale(scale, scale);
    PaintEmblem(p);
    return pixmap;
}

QPixmap WordMark() {
    QPixmap pixmap = Canvas(300, 60, Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QFont font("Tahoma");
    font.setPixelSize(34);
    font.setBold(true);
    QPainterPath outline;
    outline.addText(42.0, 40.0, font, QStringLiteral("Quelvorant"));
    // The bold cut renders light at this size, so the outline is widened a little.
    QPainterPathStroker widen;
    widen.setWidth(1.3);
    widen.setJoinStyle(Qt::RoundJoin);
    const QPainterPath letters = outline.united(widen.createStroke(outline)).simplified();

    p.setPen(Qt::NoPen);
    p.setBrush(WithAlpha(kDeep, 45));
    p.drawPath(letters.translated(1.5, 2.0));
    QLinearGradient fill(0.0, 14.0, 0.0, 41.0);
    fill.setColorAt(0.0, kBright);
    fill.setColorAt(0.5, kBlue);
    fill.setColorAt(1.0, kDeep);
    p.setBrush(fill);
    p.drawPath(letters);

    QPainterPath swoosh;
    swoosh.moveTo(30.0, 53.0);
    swoosh.cubicTo(110.0, 43.0, 200.0, 44.0, 292.0, 46.5);
    swoosh.cubicTo(200.0, 47.5, 110.0, 49.0, 30.0, 53.0);
    QLinearGradient swooshFill(30.0, 0.0, 292.0, 0.0);
    swooshFill.setColorAt(0.0, kDeep);
    swooshFill.setColorAt(0.5, kBright);
    swooshFill.setColorAt(1.0, WithAlpha(kBright, 0));
    p.setPen(QPen(swooshFill, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(swooshFill);
    p.drawPath(swoosh);
    return pixmap;
}

QPixmap SplashBackground() {
    QPixmap pixmap = Canvas(500, 250, Qt::white);
    QPainter p(&pixmap);
    PaintBody(p, QRect(0, kStripHeight, 500, 250 - kStripHeight));
    PaintStrip(p, QRect(0, 0, 500, kStripHeight));

    p.setRenderHint(QPainter::Antialiasing);
    // A wide, flat glow behind the emblem and word mark.
    p.save();
    p.translate(300.0, 78.0);
    p.scale(1.0, 0.32);
    QRadialGradient glow(QPointF(0.0, 0.0), 200.0);
    glow.setColorAt(0.0, kLight);
    glow.setColorAt(1.0, WithAlpha(kLight, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(0.0, 0.0), 200.0, 200.0);
    p.restore();

    QLinearGradient rule(216.0, 0.0, 489.0, 0.0);
    rule.setColorAt(0.0, WithAlpha(kEdge, 0));
    rule.setColorAt(1.0, kEdge);
    p.fillRect(QRectF(216.0, 151.0, 273.0, 1.0), rule);

    QLinearGradient accent(0.0, 210.0, 0.0, 240.0);
    accent.setColorAt(0.0, kBright);
    accent.setColorAt(1.0, kDeep);
    p.fillRect(QRectF(9.0, 210.0, 2.0, 30.0), accent);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kEdge.darker(130));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, 499, 249));
    return pixmap;
}

} // namespace Artwork
