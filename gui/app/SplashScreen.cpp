#include "app/SplashScreen.h"

#include "artwork/Artwork.h"
#include "controls/CaptionLabel.h"
#include "controls/ImageBox.h"
#include "platform/Version.h"
#include "toolkit/Fonts.h"
#include "toolkit/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

const QColor kDarkGrey(64, 64, 64);
const QColor kGrey(128, 128, 128);

// The credits name the roles of the team that made the program.
const char* const kCreditRoles[] = {
    "Design and Programming:",      "QuelCore DLL Programming:", "Huffman Code Programming:",
    "Compression / Decompression:", "32 Bit Image Compression:",
};
const char* const kCreditName = "Quelcraft Team";

CaptionLabel* makeText(QWidget* parent, const QString& text, QRect twips, const QColor& color,
                       Qt::Alignment alignment) {
    auto* label = new CaptionLabel(text, parent);
    label->setGeometry(twips);
    label->SetForeColor(color);
    label->SetAlignment(alignment | Qt::AlignTop);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      background_(Artwork::SplashBackground()) {
    setWindowTitle(QStringLiteral("QuelSplash"));
    setFixedSize(Px(7500), Px(3750));
    setFont(TahomaFont());
    setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* emblem = new ImageBox(Artwork::Emblem(), this);
    emblem->setGeometry(TwipsRect(2040, 600, 1050, 1020));
    auto* wordMark = new ImageBox(Artwork::WordMark(), this);
    wordMark->setGeometry(TwipsRect(2520, 720, 4500, 900));

    makeText(this, QStringLiteral("Quelvorant - Loading ..."), TwipsRect(600, 75, 2055, 255),
             Qt::black, Qt::AlignHCenter);
    makeText(this, QStringLiteral("Your computer perfomance benchmark ..."),
             TwipsRect(3720, 1920, 3495, 255), kDarkGrey, Qt::AlignRight);
    int top = 2400;
    for (const char* role : kCreditRoles) {
        makeText(this, QString::fromLatin1(role), TwipsRect(3240, top, 2415, 255), kGrey,
                 Qt::AlignRight);
        makeText(this, QString::fromLatin1(kCreditName), TwipsRect(5760, top, 1575, 255), kGrey,
                 Qt::AlignLeft);
        top += 240;
    }
    makeText(this, QStringLiteral("Quelvorant Version:"), TwipsRect(240, 3120, 2655, 255),
             kDarkGrey, Qt::AlignLeft);
    Quel_Version_ =
        makeText(this, QString(), TwipsRect(360, 3360, 2655, 255), kGrey, Qt::AlignLeft);
    Quel_Version_->SetCaption(QString::fromStdString(VersionText()));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }

    timer_ = new QTimer(this);
    timer_->setInterval(1500);
    connect(timer_, &QTimer::timeout, this, &SplashScreen::TimerTick);
    timer_->start();
}

void SplashScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

void SplashScreen::closeEvent(QCloseEvent* event) {
    // The window sequence hides and destroys the splash as after the timer.
    event->ignore();
    emit CloseRequested();
}
