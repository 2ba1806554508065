#include "app/WindowSequence.h"
#include "artwork/Artwork.h"
#include "facts/QuelCoreBinding.h"
#include "history/ResultsHistory.h"
#include "platform/FileSystem.h"
#include "platform/HostSystemStatus.h"
#include "toolkit/Fonts.h"
#include "toolkit/QtDialogs.h"
#include "toolkit/WorkFolder.h"

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
