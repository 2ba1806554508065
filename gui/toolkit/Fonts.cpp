#include "toolkit/Fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace {

// The regular face of fonts-wine's Tahoma. Its bold face is left out on
// purpose: it draws no heavier than the regular one, while the bold that Qt
// makes from the regular face does.
const char* const kTahomaFile = "/usr/share/wine/fonts/tahoma.ttf";

QString& tahomaFamily() {
    static QString family = QStringLiteral("Tahoma");
    return family;
}

} // namespace

void InstallTahoma() {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        return;
    }
    if (QFile::exists(QString::fromLatin1(kTahomaFile))) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kTahomaFile));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (!families.isEmpty()) {
            tahomaFamily() = families.first();
        }
    }
    if (!QFontDatabase::families().contains(tahomaFamily())) {
        tahomaFamily() = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }
}

QFont TahomaFont(int pixelSize, bool bold) {
    QFont font(tahomaFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
