#include "tests/support/Screenshot.h"
#include "app/SplashScreen.h"
#include "app/WindowSequence.h"
#include "benchwindow/Form2.h"
#include "controls/CaptionLabel.h"
#include "facts/QuelCoreBinding.h"
#include "infowindow/Form1.h"
#include "platform/HostSystemStatus.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Whether a window's picture shows more than a flat background.
bool showsContent(QWidget* window) {
    const QImage image = window->grab().toImage();
    int changes = 0;
    for (int x = 1; x < image.width(); ++x) {
        changes += image.pixel(x, image.height() / 3) != image.pixel(x - 1, image.height() / 3);
    }
    return changes > 20;
}

} // namespace

// The whole program on this machine's real processor library and figures
// with the real test input: splash, information window, a benchmark run.
// With QUEL_SCREENSHOT_DIR set, it leaves the pictures of every window there
// (the README's pictures come from here).
TEST(Screenshots, EveryWindowOnThisMachine) {
    TempDir program;
    std::filesystem::create_symlink(QUEL_TEST_INPUT, program.File("Quelvorant.exe"));
    ScriptedDialogs dialogs;
    dialogs.Answers = {Dialogs::Answer::OK, Dialogs::Answer::Cancel, Dialogs::Answer::Cancel};
    QuelCoreBinding library;
    HostSystemStatus system;
    WindowSequence windows(dialogs, library, system, program.Path(), program.Path(),
                           program.File("results.sqlite"));

    windows.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(windows.Splash()));
    EXPECT_TRUE(showsContent(windows.Splash()));
    SaveScreenshot(windows.Splash(), "splash");

    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.InfoWindow() != nullptr; }, 3000));
    Form1* form1 = windows.InfoWindow();
    QTest::qWait(800); // both monitors have ticked
    EXPECT_NE(form1->TotalRAM()->Caption(), "...");
    EXPECT_TRUE(showsContent(form1));
    SaveScreenshot(form1, "form1");

    QTest::mouseClick(form1->ExitLabel(), Qt::LeftButton, {}, form1->ExitLabel()->rect().center());
    Form2* form2 = windows.BenchmarkWindow();
    ASSERT_NE(form2, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form2));
    SaveScreenshot(form2, "form2-ready");

    bool running = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!running && form2->Total_Label_0->Caption() == "63 %") {
            running = true;
            SaveScreenshot(form2, "form2-running");
        }
    });
    probe.start(0);
    QTest::mouseClick(form2->Begin_Label, Qt::LeftButton, {}, form2->Begin_Label->rect().center());
    probe.stop();
    EXPECT_TRUE(running);
    EXPECT_EQ(form2->Quel_TimeList->count(), 101);
    ASSERT_FALSE(dialogs.Boxes.empty());
    EXPECT_TRUE(dialogs.Boxes[0].Prompt.contains("Time Summa -  "));
    SaveScreenshot(form2, "form2-finished");
}
