#include "toolkit/Fonts.h"

#include <QApplication>
#include <gtest/gtest.h>

// Test main for tests that need widgets: one QApplication for the whole run,
// with the fonts the program itself installs.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    InstallTahoma();
    QApplication::setFont(TahomaFont());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
