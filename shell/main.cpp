#include "FileSystem.h"
#include "Fonts.h"
#include "Form2.h"
#include "QtDialogs.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    InstallTahoma();
    QApplication::setFont(TahomaFont());
    QtDialogs dialogs;
    Form2 form2(dialogs, FileSystem::ApplicationDirectory(),
                [](const std::string&) { return std::string(); });
    QObject::connect(&form2, &Form2::LeaveRequested, &app, &QApplication::quit);
    form2.CenterOnScreen();
    form2.show();
    return QApplication::exec();
}
