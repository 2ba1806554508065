#pragma once

#include <QPixmap>
#include <QWidget>

class CaptionLabel;
class QCloseEvent;
class QTimer;

// The splash window shown while the program starts: emblem, word mark,
// credits and the version. It has no commands; after 1500 ms its timer asks
// for the information window (TimerTick), and a close request of the desktop
// asks for it at once (CloseRequested).
class SplashScreen : public QWidget {
    Q_OBJECT

  public:
    explicit SplashScreen(QWidget* parent = nullptr);

    CaptionLabel* Quel_Version() const { return Quel_Version_; }
    QTimer* Timer() const { return timer_; }

  signals:
    // The first tick of the splash timer.
    void TimerTick();
    // A close request (Alt+F4, a window list): the splash is to go now.
    void CloseRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QPixmap background_;
    CaptionLabel* Quel_Version_ = nullptr;
    QTimer* timer_ = nullptr;
};
