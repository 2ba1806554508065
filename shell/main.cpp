#include "FileSystem.h"
#include "Fonts.h"
#include "HostSystemStatus.h"
#include "QtDialogs.h"
#include "QuelCoreBinding.h"
#include "WindowSequence.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallTahoma();
    QApplication::setFont(TahomaFont());
    QtDialogs dialogs;
    QuelCoreBinding library;
    HostSystemStatus system;
    WindowSequence windows(dialogs, library, system, FileSystem::ApplicationDirectory());
    windows.Start();
    return QApplication::exec();
}
