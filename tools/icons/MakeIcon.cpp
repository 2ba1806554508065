// quel_make_icon SIZE OUTPUT.png: writes the program's emblem as a square
// PNG icon of SIZE pixels, for the desktop icon theme.
#include "artwork/Artwork.h"

#include <QGuiApplication>
#include <QString>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    bool sizeIsNumber = false;
    const int size = args.size() == 3 ? args[1].toInt(&sizeIsNumber) : 0;
    if (!sizeIsNumber || size < 1 || size > 1024) {
        std::fprintf(stderr, "usage: quel_make_icon SIZE OUTPUT.png (SIZE 1 to 1024)\n");
        return 2;
    }
    if (!Artwork::EmblemAt(size).save(args[2], "PNG")) {
        std::fprintf(stderr, "quel_make_icon: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
