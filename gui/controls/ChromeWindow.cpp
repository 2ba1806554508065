#include "controls/ChromeWindow.h"

#include "toolkit/Fonts.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

ChromeWindow::ChromeWindow(int clientWidthPx, int clientHeightPx, Qt::WindowFlags extraFlags,
                           QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | extraFlags) {
    setFixedSize(clientWidthPx, clientHeightPx);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFont(TahomaFont());
    setMouseTracking(true);
    nextFrame_.setSingleShot(true);
    connect(&nextFrame_, &QTimer::timeout, this, [this] {
        QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    });
}

bool ChromeWindow::event(QEvent* event) {
    if (event->type() == QEvent::UpdateRequest) {
        const auto now = std::chrono::steady_clock::now();
        const auto sinceFrame = now - lastFrame_;
        if (sinceFrame < kFrame) {
            // What changed stays marked and goes with the next frame.
            if (!nextFrame_.isActive()) {
                nextFrame_.start(std::chrono::ceil<std::chrono::milliseconds>(kFrame - sinceFrame));
            }
            return true;
        }
        lastFrame_ = now;
    }
    return QWidget::event(event);
}

void ChromeWindow::CenterOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void ChromeWindow::mousePressEvent(QMouseEvent* event) {
    event->accept();
    // Wayland does not let a program place its own windows; the compositor
    // moves it instead.
    if (QGuiApplication::platformName() == QLatin1String("wayland") && windowHandle() != nullptr &&
        windowHandle()->startSystemMove()) {
        return;
    }
    drag_.Press(event->position().toPoint());
}

void ChromeWindow::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    ResetHover();
    if (drag_.IsDragging()) {
        move(drag_.Move(pos(), event->position().toPoint()));
    }
}

void ChromeWindow::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    drag_.Release();
}
