#include "benchwindow/Form2.h"
#include "controls/CaptionLabel.h"
#include "controls/ImageBox.h"
#include "controls/ProgBar.h"
#include "platform/FileSystem.h"
#include "tests/support/ScopedLocale.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class Form2Test : public ::testing::Test {
  protected:
    Form2Test()
        : form(dialogs, dir.Path(), dir.Path(),
               [](const std::string& name) { return name + "?"; }) {
        std::vector<std::uint8_t> input(24000);
        for (std::size_t i = 0; i < input.size(); ++i) {
            input[i] = static_cast<std::uint8_t>((i * 7) % 253 ^ (i >> 6));
        }
        FileSystem::WriteAll(dir.File("Quelvorant.exe"), input);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    static QPoint centre(QWidget* w) { return w->rect().center(); }

    TempDir dir;
    ScriptedDialogs dialogs;
    Form2 form;
};

} // namespace

TEST_F(Form2Test, ANewWindowShowsTheReadyState) {
    EXPECT_EQ(form.size(), QSize(700, 150));
    EXPECT_EQ(form.windowTitle(), "Quelvorant - Testing ...");
    EXPECT_EQ(form.Operation_Progress->Caption(), "Quelvorant is ready, click ''Begin'' ...");
    EXPECT_EQ(form.Label2_3->Caption(), "<none>");
    EXPECT_EQ(form.Current_4->Caption(), "0 %");
    EXPECT_EQ(form.Total_Label_0->Caption(), "0 %");
    EXPECT_EQ(form.ProgBar1->Value(), 0);
    EXPECT_EQ(form.ProgBar2->Value(), 0);
    EXPECT_EQ(form.Begin_Label->Caption(), "&Begin ...");
    EXPECT_EQ(form.Exit_Label->Caption(), "E&xit");
    EXPECT_FALSE(form.CloseH_Image->isVisible());
    EXPECT_EQ(form.Quel_TimeList->count(), 0);
    // The list of times lies below the client area: never on screen.
    EXPECT_GE(form.Quel_TimeList->geometry().top(), form.height());
}

TEST_F(Form2Test, HoverFollowsThePointerAsTheTableSays) {
    QTest::mouseMove(form.Begin_Label, centre(form.Begin_Label));
    EXPECT_TRUE(form.Begin_Label->Opaque());
    QTest::mouseMove(form.Exit_Label, centre(form.Exit_Label));
    EXPECT_TRUE(form.Exit_Label->Opaque());
    EXPECT_FALSE(form.Begin_Label->Opaque());
    QTest::mouseMove(form.CloseN_Image, centre(form.CloseN_Image));
    EXPECT_TRUE(form.CloseH_Image->isVisible());
    // The bare title strip clears the close image but not the command label.
    QTest::mouseMove(&form, QPoint(250, 10));
    EXPECT_FALSE(form.CloseH_Image->isVisible());
    EXPECT_TRUE(form.Exit_Label->Opaque());
    // The body picture returns everything to rest.
    QTest::mouseMove(form.CloseN_Image, centre(form.CloseN_Image));
    QTest::mouseMove(form.Image1, QPoint(450, 120)); // a bare part of the body picture
    EXPECT_FALSE(form.Exit_Label->Opaque());
    EXPECT_FALSE(form.Begin_Label->Opaque());
    EXPECT_FALSE(form.CloseH_Image->isVisible());
}

TEST_F(Form2Test, ExitAndTheShownCloseImageLeaveTheWindow) {
    QSignalSpy leave(&form, &Form2::LeaveRequested);
    QTest::mouseClick(form.CloseN_Image, Qt::LeftButton, {}, centre(form.CloseN_Image));
    EXPECT_EQ(leave.count(), 0); // the normal image has no click action
    QTest::mouseMove(form.CloseN_Image, centre(form.CloseN_Image));
    QTest::mouseClick(form.CloseH_Image, Qt::LeftButton, {}, centre(form.CloseH_Image));
    EXPECT_EQ(leave.count(), 1);
    QTest::mouseClick(form.Exit_Label, Qt::LeftButton, {}, centre(form.Exit_Label));
    EXPECT_EQ(leave.count(), 2);
}

TEST_F(Form2Test, OnlyTheLeftButtonClicks) {
    const struct {
        Qt::MouseButton button;
        int leaves;
    } cases[] = {{Qt::RightButton, 0}, {Qt::MiddleButton, 0}, {Qt::LeftButton, 2}};
    for (const auto& c : cases) {
        QSignalSpy leave(&form, &Form2::LeaveRequested);
        QTest::mouseClick(form.Exit_Label, c.button, {}, centre(form.Exit_Label));
        QTest::mouseMove(form.CloseN_Image, centre(form.CloseN_Image));
        QTest::mouseClick(form.CloseH_Image, c.button, {}, centre(form.CloseH_Image));
        EXPECT_EQ(leave.count(), c.leaves) << c.button;
    }
}

TEST_F(Form2Test, DraggingTheBareSurfaceWithAnyButtonMovesTheWindow) {
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        const QPoint start = form.pos();
        const QPoint pressAt(250, 10);
        QMouseEvent press(QEvent::MouseButtonPress, pressAt, form.mapToGlobal(pressAt), button,
                          button, Qt::NoModifier);
        QApplication::sendEvent(&form, &press);
        const QPoint moveTo = pressAt + QPoint(30, 20);
        QMouseEvent move(QEvent::MouseMove, moveTo, form.mapToGlobal(moveTo), Qt::NoButton, button,
                         Qt::NoModifier);
        QApplication::sendEvent(&form, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, moveTo, form.mapToGlobal(moveTo), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &release);
        EXPECT_EQ(form.pos(), start + QPoint(30, 20));
    }
    // A press on an element starts no drag.
    const QPoint start = form.pos();
    QTest::mousePress(form.Operation_Progress, Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPoint(260, 20), form.mapToGlobal(QPoint(260, 20)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &move);
    QTest::mouseRelease(form.Operation_Progress, Qt::LeftButton);
    EXPECT_EQ(form.pos(), start);
}

TEST_F(Form2Test, ARunLocksTheCommandsAndEndsWithTheResult) {
    QSignalSpy leave(&form, &Form2::LeaveRequested);
    int ticksDuringRun = 0;
    int ticksWithCommandEnabled = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!form.Operation_Progress->Caption().contains("agorithms")) {
            return;
        }
        ++ticksDuringRun;
        if (form.Begin_Label->isEnabled() || form.Exit_Label->isEnabled() ||
            form.CloseN_Image->isEnabled() || form.CloseH_Image->isEnabled()) {
            ++ticksWithCommandEnabled;
        }
        // Clicks and close requests while the run goes on change nothing.
        QTest::mouseClick(form.Begin_Label, Qt::LeftButton, {}, centre(form.Begin_Label));
        QTest::mouseClick(form.Exit_Label, Qt::LeftButton, {}, centre(form.Exit_Label));
        form.windowHandle()->close();
    });
    probe.start(0);
    dialogs.Answers = {Dialogs::Answer::OK, Dialogs::Answer::Cancel, Dialogs::Answer::Cancel};
    QTest::mouseClick(form.Begin_Label, Qt::LeftButton, {}, centre(form.Begin_Label));
    probe.stop();

    EXPECT_GT(ticksDuringRun, 0);
    EXPECT_EQ(ticksWithCommandEnabled, 0);
    EXPECT_EQ(leave.count(), 0);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Quel_TimeList->count(), 101);
    // The final message, then the two save questions, both cancelled here.
    ASSERT_EQ(dialogs.Boxes.size(), 3u);
    EXPECT_TRUE(dialogs.FolderPrompts.isEmpty());
    EXPECT_EQ(dialogs.Boxes[0].Title, "Quelvorant Final Results ...");
    EXPECT_TRUE(dialogs.Boxes[0].Prompt.startsWith(
        "Process of testing was finished successfully.\r\n\r\nTime Summa - "));
    EXPECT_EQ(form.Operation_Progress->Caption(), "Quelvorant has finished testing ...");
    EXPECT_TRUE(form.Label2_3->Caption().endsWith(" seconds."));
    EXPECT_TRUE(form.Begin_Label->isEnabled());
    EXPECT_TRUE(form.Exit_Label->isEnabled());
    EXPECT_FALSE(std::filesystem::exists(dir.File("QuelTest.HAr")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("QuelTest2.dat")));
}

TEST_F(Form2Test, AFileErrorShowsTheSystemsTextInTheUsersLanguage) {
    ScopedLocale french("fr_FR");
    // The system's text comes in the locale's encoding, UTF-8 here.
    const QString systemText = QString::fromUtf8(std::strerror(ENXIO));
    if (!french.InForce() || !systemText.contains(QChar(0xE9))) {
        GTEST_SKIP() << "no French locale or system texts here";
    }
    // A socket in place of the test input: opening it fails with ENXIO.
    std::filesystem::remove(dir.File("Quelvorant.exe"));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, dir.File("Quelvorant.exe").c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    QTest::mouseClick(form.Begin_Label, Qt::LeftButton, {}, centre(form.Begin_Label));
    ::close(socket);

    ASSERT_FALSE(dialogs.Boxes.empty());
    EXPECT_EQ(dialogs.Boxes[0].Prompt.toStdString(),
              "The compression was not successful. Something went terribly wrong.\r\n\r\n" +
                  systemText.toStdString());
}
