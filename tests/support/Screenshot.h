#pragma once

#include <QDir>
#include <QWidget>

// Saves a picture of a window as NAME.png into the folder named by
// QUEL_SCREENSHOT_DIR, when that is set; the README's pictures come from here.
inline void SaveScreenshot(QWidget* window, const QString& name) {
    const QString dir = qEnvironmentVariable("QUEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) {
        return;
    }
    QDir().mkpath(dir);
    window->grab().save(dir + "/" + name + ".png");
}
