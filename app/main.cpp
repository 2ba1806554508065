#include "Artwork.h"
#include "FileSystem.h"
#include "Fonts.h"
#include "HostSystemStatus.h"
#include "QtDialogs.h"
#include "QuelCoreBinding.h"
#include "ResultsHistory.h"
#include "WindowSequence.h"
#include "WorkFolder.h"

#include <QApplication>
#include <QIcon>

int main(int, char* argv[]) {
    // Quelvorant takes no command line: the toolkit sees the program's name only.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName(QStringLiteral("quelvorant"));
    QApplication::setWindowIcon(QIcon(Artwork::EmblemAt(128)));
    InstallTahoma();
    QApplication::setFont(TahomaFont());
    QtDialogs dialogs;
    QuelCoreBinding library;
    HostSystemStatus system;
    const std::string programFolder = FileSystem::ApplicationDirectory();
    WindowSequence windows(dialogs, library, system, programFolder, WorkFolder(programFolder),
                           ResultsHistory::DefaultPath());
    windows.Start();
    return QApplication::exec();
}
