#include "Fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace {

const char* const kTahomaFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
};

QString& tahomaFamily() {
    static QString family = QStringLiteral("Tahoma");
    return family;
}

} // namespace

void InstallTahoma() {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        return;
    }
    for (const char* file : kTahomaFiles) {
        if (!QFile::exists(QString::fromLatin1(file))) {
            continue;
        }
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
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
