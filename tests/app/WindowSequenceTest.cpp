#include "app/WindowSequence.h"
#include "app/SplashScreen.h"
#include "benchwindow/Form2.h"
#include "codec/clsHuffman.h"
#include "controls/CaptionLabel.h"
#include "controls/ImageBox.h"
#include "history/ResultsHistory.h"
#include "infowindow/Form1.h"
#include "platform/FileSystem.h"
#include "run/NumberText.h"
#include "tests/support/FakeProcessorLibrary.h"
#include "tests/support/FakeSystemStatus.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

QPoint centre(QWidget* w) {
    return w->rect().center();
}

class WindowSequenceTest : public ::testing::Test {
  protected:
    WindowSequenceTest()
        : windows(dialogs, library, system, dir.Path(), dir.Path(), dir.File("results.sqlite")) {
        library.Name = "Quelcraft Test CPU @ 3.00GHz";
        library.Caps = {{53, 48}, {57, 32}, {61, 1280}, {4, 1}, {5, 1}};
        system.Ticks = 3723000; // 1 h 02 min
        system.TotalPhys = 16ull << 30;
        system.AvailPhys = 9ull << 30;
        system.MemoryLoad = 44;
        std::vector<std::uint8_t> input(30000);
        for (std::size_t i = 0; i < input.size(); ++i) {
            input[i] = static_cast<std::uint8_t>((i * 13) % 241 ^ (i >> 5));
        }
        FileSystem::WriteAll(dir.File("Quelvorant.exe"), input);
    }

    // Starts the program and lets the splash time run out.
    Form1* startToForm1() {
        windows.Start();
        EXPECT_TRUE(windows.Splash()->isVisible());
        EXPECT_EQ(windows.InfoWindow(), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return windows.InfoWindow() != nullptr; }, 3000));
        Form1* form1 = windows.InfoWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form1));
        return form1;
    }

    void clickBegin(Form1* form1) {
        QTest::mouseMove(form1->ExitLabel(), centre(form1->ExitLabel()));
        QTest::mouseClick(form1->ExitLabel(), Qt::LeftButton, {}, centre(form1->ExitLabel()));
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    FakeProcessorLibrary library;
    FakeSystemStatus system;
    WindowSequence windows;
};

} // namespace

TEST_F(WindowSequenceTest, TheSplashShowsTheVersionThenGivesWayToForm1) {
    windows.Start();
    SplashScreen* splash = windows.Splash();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->size(), QSize(500, 250));
    EXPECT_EQ(splash->windowTitle(), "QuelSplash");
    EXPECT_EQ(splash->Quel_Version()->Caption(), "Quelvorant v1.0.320");
    EXPECT_EQ(splash->Timer()->interval(), 1500);
    QPointer<SplashScreen> watch(splash);

    // Not before its time...
    QTest::qWait(1000);
    EXPECT_EQ(windows.InfoWindow(), nullptr);
    // ...and then once: the splash goes, Form1 comes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.InfoWindow() != nullptr; }, 2000));
    EXPECT_TRUE(windows.InfoWindow()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.isNull(); }, 1000));
    EXPECT_EQ(windows.InfoWindow()->windowTitle(), "Quelcraft Quelvorant");
}

TEST_F(WindowSequenceTest, OpenLeaveOpenGivesAFreshForm2WhileForm1KeepsItsPlace) {
    Form1* form1 = startToForm1();
    form1->move(form1->pos() + QPoint(17, 9));
    const QPoint form1Place = form1->pos();
    const QString cpuName = form1->CPUName()->Caption();

    clickBegin(form1);
    Form2* first = windows.BenchmarkWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(form1->isVisible());
    EXPECT_TRUE(form1->Timer1()->isActive()); // the monitors go on while hidden
    first->Quel_TimeList->addItem(" 1.5");
    first->Operation_Progress->SetCaption("changed");

    QPointer<Form2> watch(first);
    QTest::mouseClick(first->Exit_Label, Qt::LeftButton, {}, centre(first->Exit_Label));
    EXPECT_TRUE(form1->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.isNull(); }, 1000)); // destroyed
    EXPECT_EQ(form1->pos(), form1Place);
    EXPECT_EQ(form1->CPUName()->Caption(), cpuName);

    clickBegin(form1);
    Form2* second = windows.BenchmarkWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Quel_TimeList->count(), 0);
    EXPECT_EQ(second->Operation_Progress->Caption(), "Quelvorant is ready, click ''Begin'' ...");
}

TEST_F(WindowSequenceTest, MinimizeAndEndFromForm1) {
    Form1* form1 = startToForm1();
    QTest::mouseMove(form1->MiniNormal(), centre(form1->MiniNormal()));
    QTest::mouseClick(form1->MiniOver(), Qt::LeftButton, {}, centre(form1->MiniOver()));
    EXPECT_TRUE(form1->isMinimized());
    form1->showNormal();

    QTest::mouseMove(form1->CloseNormal(), centre(form1->CloseNormal()));
    QTest::mouseClick(form1->CloseOver(), Qt::LeftButton, {}, centre(form1->CloseOver()));
    EXPECT_EQ(dialogs.EndRequests, 1);
    EXPECT_TRUE(dialogs.Boxes.empty()); // ends without a question
}

TEST_F(WindowSequenceTest, CloseRequestsTakeTheWayOfEachWindowsOwnCommands) {
    // Through the window system, as Alt+F4 asks; true when the window closed.
    const auto requestClose = [](QWidget* window) { return window->windowHandle()->close(); };
    windows.Start();
    QPointer<SplashScreen> splash(windows.Splash());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    EXPECT_FALSE(requestClose(splash));
    Form1* form1 = windows.InfoWindow();
    ASSERT_NE(form1, nullptr); // at once, not after the splash time
    EXPECT_TRUE(form1->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 1000));

    clickBegin(form1);
    QPointer<Form2> form2(windows.BenchmarkWindow());
    ASSERT_FALSE(form2.isNull());
    EXPECT_FALSE(requestClose(form2));
    EXPECT_TRUE(form1->isVisible()); // as "E&xit"
    EXPECT_EQ(windows.BenchmarkWindow(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form2.isNull(); }, 1000));
    EXPECT_EQ(dialogs.EndRequests, 0);

    EXPECT_FALSE(requestClose(form1));
    EXPECT_EQ(dialogs.EndRequests, 1); // as the close image
}

TEST_F(WindowSequenceTest, EndToEndRunSavesBothReportsIntoOneFolder) {
    TempDir saved;
    Form1* form1 = startToForm1();
    // Let the monitors fill their labels before the report reads them.
    QTest::qWait(400);
    clickBegin(form1);
    Form2* form2 = windows.BenchmarkWindow();
    ASSERT_NE(form2, nullptr);

    dialogs.Answers = {Dialogs::Answer::OK, Dialogs::Answer::OK, Dialogs::Answer::OK};
    dialogs.Folders = {QString::fromStdString(saved.Path()), QString::fromStdString(saved.Path())};
    QTest::mouseClick(form2->Begin_Label, Qt::LeftButton, {}, centre(form2->Begin_Label));

    ASSERT_EQ(dialogs.Boxes.size(), 3u);
    EXPECT_EQ(dialogs.Boxes[0].Title, "Quelvorant Final Results ...");
    EXPECT_EQ(form2->Quel_TimeList->count(), 101);

    const auto text = FileSystem::ReadAll(saved.File("Final Result.txt"));
    const std::string report(text.begin(), text.end());
    EXPECT_NE(report.find("CPU Name (Vendor): Quelcraft Test CPU @ 3.00GHz\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("CPU Level 2 Cache (KB): 1280 KB\r\n"), std::string::npos);
    EXPECT_NE(report.find("PC Total Physical RAM (MB): 16384 MB\r\n"), std::string::npos);
    EXPECT_NE(report.find("PC Physical RAM Used: 44 %\r\n"), std::string::npos);
    auto stream = FileSystem::ReadAll(saved.File("Final Result.qvd"));
    clsHuffman huffman;
    huffman.DecodeByte(stream, static_cast<std::int32_t>(stream.size()));
    EXPECT_EQ(stream, text);
    EXPECT_FALSE(std::filesystem::exists(dir.File("FResult.tmp")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("QuelTest.HAr")));

    // The run is kept in the history, as the list shows it.
    ResultsHistory history(dir.File("results.sqlite"));
    const auto kept = history.Runs({}, true);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].Source, "window");
    ASSERT_EQ(kept[0].PassTimes.size(), 101u);
    EXPECT_EQ(kept[0].PassTimes[100],
              ReadNumber(form2->Quel_TimeList->item(100)->text().toStdString()));
    // With what each of its passes met.
    EXPECT_EQ(kept[0].Readings.size(), 101u);
    EXPECT_EQ(history.FindMachine({kept[0].MachineId, kept[0].MachineName})->Processor,
              "Quelcraft Test CPU @ 3.00GHz");

    QTest::mouseClick(form2->Exit_Label, Qt::LeftButton, {}, centre(form2->Exit_Label));
    EXPECT_TRUE(form1->isVisible());
    EXPECT_EQ(windows.BenchmarkWindow(), nullptr);
    QTest::mouseMove(form1->CloseNormal(), centre(form1->CloseNormal()));
    QTest::mouseClick(form1->CloseOver(), Qt::LeftButton, {}, centre(form1->CloseOver()));
    EXPECT_EQ(dialogs.EndRequests, 1);
}

TEST_F(WindowSequenceTest, ARunWhoseHistoryCannotBeUsedStillGetsItsScore) {
    const std::vector<std::uint8_t> garbage(4096, 'q');
    FileSystem::WriteAll(dir.File("results.sqlite"), garbage);
    clickBegin(startToForm1());
    Form2* form2 = windows.BenchmarkWindow();
    ASSERT_NE(form2, nullptr);
    dialogs.Answers = {Dialogs::Answer::OK, Dialogs::Answer::Cancel, Dialogs::Answer::Cancel};
    ::testing::internal::CaptureStderr();
    QTest::mouseClick(form2->Begin_Label, Qt::LeftButton, {}, centre(form2->Begin_Label));
    const std::string said = ::testing::internal::GetCapturedStderr();

    ASSERT_EQ(dialogs.Boxes.size(), 3u); // the final message and both questions, nothing more
    EXPECT_EQ(dialogs.Boxes[0].Title, "Quelvorant Final Results ...");
    EXPECT_NE(said.find("the run was not recorded in the results history: " +
                        dir.File("results.sqlite") + ": file is not a database"),
              std::string::npos)
        << said;
    EXPECT_EQ(FileSystem::ReadAll(dir.File("results.sqlite")), garbage);
    EXPECT_EQ(form2->Operation_Progress->Caption(), "Quelvorant has finished testing ...");
}
