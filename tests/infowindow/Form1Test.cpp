#include "infowindow/Form1.h"
#include "controls/CaptionLabel.h"
#include "controls/ImageBox.h"
#include "controls/ProgBar.h"
#include "facts/FeatureList.h"
#include "facts/MachineInfo.h"
#include "facts/MachineInfoJson.h"
#include "tests/support/FakeProcessorLibrary.h"
#include "tests/support/FakeSystemStatus.h"
#include "tests/support/ScriptedDialogs.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

class Form1Test : public ::testing::Test {
  protected:
    // Creating the window runs its Load work with the answers set so far.
    Form1& Create() {
        form = std::make_unique<Form1>(dialogs, library, system);
        return *form;
    }

    std::vector<bool> Marks() const {
        std::vector<bool> marks;
        for (int i = 0; i < form->lstFeatures()->count(); ++i) {
            marks.push_back(form->lstFeatures()->item(i)->checkState() == Qt::Checked);
        }
        return marks;
    }

    std::vector<QString> ProcessorCaptions() const {
        return {form->CPUName()->Caption(),   form->txtType()->Caption(),
                form->CPUFamily()->Caption(), form->CPUModel()->Caption(),
                form->Stepping()->Caption(),  form->CPUInstructions()->Caption(),
                form->CPUData()->Caption(),   form->Level2()->Caption()};
    }

    long CapsCalls() const {
        return std::count(library.Calls.begin(), library.Calls.end(), "Caps");
    }

    ScriptedDialogs dialogs;
    FakeProcessorLibrary library;
    FakeSystemStatus system;
    std::unique_ptr<Form1> form;
};

TEST_F(Form1Test, LoadReadsTheFactsInOrderAndLeavesTheMonitorsWaiting) {
    library.Name = "Quel 486";
    library.Family = 15;
    library.Model = 2;
    library.Stepping = 9;
    Create();

    const std::vector<std::string> firstCalls(library.Calls.begin(), library.Calls.begin() + 4);
    EXPECT_EQ(firstCalls, (std::vector<std::string>{"Info", "ExtInfo", "String", "Speed"}));
    EXPECT_EQ(library.Calls.size(), 4u + 39u);
    EXPECT_EQ(form->Facts().ExtInfo, (std::array<std::uint8_t, 3>{1, 2, 3}));
    EXPECT_EQ(form->Facts().SpeedMHz, 1000);

    EXPECT_EQ(form->CPUName()->Caption(), "Quel 486");
    EXPECT_EQ(form->CPUFamily()->Caption(), "15");
    EXPECT_EQ(form->CPUModel()->Caption(), "2");
    EXPECT_EQ(form->Stepping()->Caption(), "9");
    EXPECT_EQ(form->Logo()->Caption(), "Quelvorant v1.0.320");
    for (CaptionLabel* waiting :
         {form->UserName(), form->NowIs(), form->SpeedInfo(), form->CPUUsed(), form->TotalRAM(),
          form->AviableRAM(), form->UsedRAM()}) {
        EXPECT_EQ(waiting->Caption(), "...") << waiting->objectName().toStdString();
    }
    EXPECT_EQ(form->CPU_Bar()->Value(), 0);
    EXPECT_EQ(form->RAM_Bar()->Value(), 0);
    EXPECT_EQ(form->lstFeatures()->currentRow(), 0);
    EXPECT_EQ(form->windowTitle(), "Quelcraft Quelvorant");
}

TEST_F(Form1Test, NameFieldKeepsWhatTheLibraryLeftUnwritten) {
    library.Name = "AB";
    Create();
    const auto& name = form->Facts().NameText;
    EXPECT_EQ(name[0], 'A');
    EXPECT_EQ(name[1], 'B');
    EXPECT_TRUE(std::all_of(name.begin() + 2, name.end(), [](char c) { return c == '\0'; }));
    EXPECT_EQ(form->CPUName()->Caption(), "AB");

    library.Name = std::string(48, 'N');
    library.Extra = std::string(16, 'E');
    form->ReadInfo();
    EXPECT_EQ(form->CPUName()->Caption(), "AB"); // shown only by the next SetValues
    form->SetValues();
    EXPECT_EQ(form->CPUName()->Caption(), QString(48, 'N'));
    EXPECT_EQ(std::string(form->Facts().ExtraText.begin(), form->Facts().ExtraText.end()),
              std::string(16, 'E'));
}

TEST_F(Form1Test, TypeCodesHaveTheirNames) {
    const struct {
        std::uint8_t type;
        const char* name;
    } cases[] = {{0, "Standart OEM"},
                 {1, "Intel OverDrive"},
                 {2, "Dual CPU Platform"},
                 {3, "Unknown Type"},
                 {255, "Unknown Type"}};
    for (const auto& c : cases) {
        library.Type = c.type;
        Create();
        EXPECT_EQ(form->txtType()->Caption(), c.name) << int(c.type);
    }
}

TEST_F(Form1Test, CacheCaptionsShowTheAnswersForTheirCodes) {
    library.Caps = {{57, 0}, {53, 256}, {61, -1}};
    Create();
    EXPECT_EQ(form->CPUInstructions()->Caption(), "0 KB");
    EXPECT_EQ(form->CPUData()->Caption(), "256 KB");
    EXPECT_EQ(form->Level2()->Caption(), "-1 KB");
}

TEST_F(Form1Test, MarksFollowTheAnswers) {
    const struct {
        std::int32_t answer;
        std::vector<int> checked;
    } cases[] = {
        {2, {29, 30}},
        {-1, {29, 30}},
        {0, {}},
        {1,
         [] {
             std::vector<int> all(36);
             std::iota(all.begin(), all.end(), 0);
             return all;
         }()},
    };
    for (const auto& c : cases) {
        library.CapsDefault = c.answer;
        Create();
        const std::vector<bool> marks = Marks();
        ASSERT_EQ(marks.size(), kFeatureCount);
        for (int entry = 0; entry < 36; ++entry) {
            const bool expected =
                std::find(c.checked.begin(), c.checked.end(), entry) != c.checked.end();
            EXPECT_EQ(marks[entry], expected) << "answer " << c.answer << ", entry " << entry;
        }
    }
}

TEST_F(Form1Test, SetValuesAsksEveryCodeOnceAndARepeatChangesNothing) {
    library.Caps = {{5, 1}, {23, 1}, {38, 4}, {53, 32}, {57, 64}, {61, 512}};
    Create();
    std::vector<std::int32_t> asked = library.CapsAsked;
    std::vector<std::int32_t> expected = {42, 53, 57, 61};
    for (std::int32_t code = 4; code <= 38; ++code) {
        expected.push_back(code);
    }
    std::sort(asked.begin(), asked.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(asked, expected);

    const auto captions = ProcessorCaptions();
    const auto marks = Marks();
    library.CapsAsked.clear();
    form->SetValues();
    EXPECT_EQ(library.CapsAsked.size(), 39u);
    EXPECT_EQ(ProcessorCaptions(), captions);
    EXPECT_EQ(Marks(), marks);
}

TEST_F(Form1Test, ClickOnACheckBoxLeavesTheMarksAsAnswered) {
    library.Caps = {{4, 1}, {5, 1}};
    Create();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const auto marks = Marks();

    QListWidget* list = form->lstFeatures();
    for (int row : {0, 2}) {
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualItemRect(list->item(row));
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        const long before = CapsCalls();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        // The click changed a mark, which ran SetValues once more.
        EXPECT_EQ(CapsCalls() - before, 39) << "row " << row;
        EXPECT_EQ(Marks(), marks) << "row " << row;
    }
}

TEST_F(Form1Test, UpTimeDropsSecondsAndDoesNotWrap) {
    Create();
    const struct {
        std::uint64_t milliseconds;
        const char* text;
    } cases[] = {
        {0, "00 h. 00 min."},
        {59999, "00 h. 00 min."},
        {60000, "00 h. 01 min."},
        {3599999, "00 h. 59 min."},
        {3600000, "01 h. 00 min."},
        {360000000, "100 h. 00 min."},
        {4294967296ull, "1193 h. 02 min."}, // past the 32-bit count of 49.7 days
    };
    for (const auto& c : cases) {
        system.Ticks = c.milliseconds;
        form->Timer1_Timer();
        EXPECT_EQ(form->NowIs()->Caption(), c.text) << c.milliseconds;
    }
}

TEST_F(Form1Test, MemoryFiguresInMegabytes) {
    Create();
    const struct {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, " MB"},
        {524287, " MB"},
        {524288, "1 MB"},
        {268435456, "256 MB"},
        {3221225472ull, "3072 MB"},
        {68719476736ull, "65536 MB"},
    };
    for (const auto& c : cases) {
        system.TotalPhys = c.bytes;
        system.AvailPhys = c.bytes;
        form->Timer1_Timer();
        EXPECT_EQ(form->TotalRAM()->Caption(), c.text) << c.bytes;
        EXPECT_EQ(form->AviableRAM()->Caption(), c.text) << c.bytes;
        EXPECT_EQ(system.LastLength, sizeof(MEMORYSTATUS));
    }
}

TEST_F(Form1Test, LoadsShowAsTextAndBars) {
    Create();
    const struct {
        std::int16_t usage;
        std::uint32_t memoryLoad;
        const char *cpuText, *memoryText;
        std::int32_t cpuBar, ramBar;
    } cases[] = {
        {0, 0, "0 %", " %", 0, 0},
        {37, 64, "37 %", "64 %", 37, 64},
        {150, 150, "150 %", "150 %", 100, 100},
        {-3, 100, "-3 %", "100 %", 0, 100},
    };
    library.Speed = 2596;
    for (const auto& c : cases) {
        library.Usage = c.usage;
        system.MemoryLoad = c.memoryLoad;
        form->Timer1_Timer();
        form->Timer2_Timer();
        EXPECT_EQ(form->CPUUsed()->Caption(), c.cpuText);
        EXPECT_EQ(form->UsedRAM()->Caption(), c.memoryText);
        EXPECT_EQ(form->CPU_Bar()->Value(), c.cpuBar);
        EXPECT_EQ(form->RAM_Bar()->Value(), c.ramBar);
    }
    // The clock shown is the one read at load.
    EXPECT_EQ(form->SpeedInfo()->Caption(), "1000 MHz");
}

TEST_F(Form1Test, UserNameIsTheCountWrittenWithoutItsNul) {
    Create();
    system.UserName = "alice";
    form->Timer1_Timer();
    EXPECT_EQ(form->UserName()->Caption(), "alice");

    system.OverrideSize = true;
    system.ReportedSize = 0;
    EXPECT_EQ(form->GetUserName(), "");
    system.ReportedSize = 1000;
    EXPECT_EQ(form->GetUserName().size(), 255);
}

TEST_F(Form1Test, TimersRunAtTheirIntervalsAlsoWhenHidden) {
    Create();
    form->show();
    form->hide();
    EXPECT_EQ(form->Timer1()->interval(), 350);
    EXPECT_EQ(form->Timer2()->interval(), 300);
    EXPECT_TRUE(form->Timer1()->isActive());
    EXPECT_TRUE(form->Timer2()->isActive());
    system.Ticks = 3600000;
    QTest::qWait(400);
    EXPECT_EQ(form->NowIs()->Caption(), "01 h. 00 min.");
}

TEST_F(Form1Test, MachineInfoShowsTheWindowsOwnCaptions) {
    library.Name = "Quel 586";
    library.Caps = {{4, 1}, {38, 3}, {53, 16}, {57, 32}, {61, 512}};
    library.Usage = 42;
    system.Ticks = 7654321;
    system.TotalPhys = 3u << 30;
    system.AvailPhys = 1u << 30;
    system.MemoryLoad = 67;
    Create();
    form->Timer1_Timer();
    const nlohmann::json window =
        MachineInfoJson(CollectMachineInfo(library, system, "/nonexistent", std::nullopt))
            .at("window");
    const std::pair<const char*, CaptionLabel*> captions[] = {
        {"title", form->Logo()},
        {"user_name", form->UserName()},
        {"up_time", form->NowIs()},
        {"cpu_name", form->CPUName()},
        {"speed", form->SpeedInfo()},
        {"type", form->txtType()},
        {"family", form->CPUFamily()},
        {"model", form->CPUModel()},
        {"stepping", form->Stepping()},
        {"l1_instruction_cache", form->CPUInstructions()},
        {"l1_data_cache", form->CPUData()},
        {"l2_cache", form->Level2()},
        {"cpu_usage", form->CPUUsed()},
        {"total_ram", form->TotalRAM()},
        {"available_ram", form->AviableRAM()},
        {"used_ram", form->UsedRAM()},
    };
    for (const auto& [key, label] : captions) {
        EXPECT_EQ(window.at(key).get<std::string>(), label->Caption().toStdString()) << key;
    }
    const std::vector<bool> marks = Marks();
    for (std::size_t entry = 0; entry < kFeatureCount; ++entry) {
        const nlohmann::json& feature = window.at("features").at(entry);
        EXPECT_EQ(feature.at("name").get<std::string>(),
                  form->lstFeatures()->item(static_cast<int>(entry))->text().toStdString());
        EXPECT_EQ(feature.at("present").get<bool>(), marks[entry]) << entry;
    }
}

class Form1ChromeTest : public Form1Test {
  protected:
    void SetUp() override {
        Create();
        form->move(40, 40);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void MoveOnto(QWidget* element) { QTest::mouseMove(element, element->rect().center()); }
    void MoveOntoBareStrip() { QTest::mouseMove(form.get(), QPoint(400, 8)); }
};

TEST_F(Form1ChromeTest, MinimizeThenCloseLeavesOnlyCloseHighlighted) {
    EXPECT_FALSE(form->MiniOver()->isVisible());
    EXPECT_FALSE(form->CloseOver()->isVisible());
    MoveOnto(form->MiniNormal());
    EXPECT_TRUE(form->MiniOver()->isVisible());
    EXPECT_FALSE(form->CloseOver()->isVisible());
    MoveOnto(form->CloseNormal());
    EXPECT_TRUE(form->CloseOver()->isVisible());
    EXPECT_FALSE(form->MiniOver()->isVisible());
    EXPECT_EQ(form->CloseOver()->toolTip(), "Exit");
    EXPECT_EQ(form->MiniOver()->toolTip(), "Minimize");
}

TEST_F(Form1ChromeTest, BodyPictureResetsImagesAndCommand) {
    MoveOnto(form->ExitLabel());
    EXPECT_TRUE(form->ExitLabel()->Opaque());
    MoveOnto(form->CloseNormal());
    EXPECT_TRUE(form->CloseOver()->isVisible());
    QTest::mouseMove(form->Image1(), QPoint(500, 440));
    EXPECT_FALSE(form->CloseOver()->isVisible());
    EXPECT_FALSE(form->MiniOver()->isVisible());
    EXPECT_FALSE(form->ExitLabel()->Opaque());
}

TEST_F(Form1ChromeTest, StripClearsTheImagesButNotTheCommand) {
    MoveOnto(form->ExitLabel());
    for (ImageBox* normal : {form->MiniNormal(), form->CloseNormal()}) {
        MoveOnto(normal);
        EXPECT_TRUE(form->MiniOver()->isVisible() || form->CloseOver()->isVisible());
        MoveOntoBareStrip();
        EXPECT_FALSE(form->MiniOver()->isVisible());
        EXPECT_FALSE(form->CloseOver()->isVisible());
        EXPECT_TRUE(form->ExitLabel()->Opaque());
    }
}

TEST_F(Form1ChromeTest, InformationElementsChangeNothing) {
    MoveOnto(form->CloseNormal());
    for (QWidget* element : std::initializer_list<QWidget*>{
             form->CPUName(), form->Logo(), form->CPU_Bar(), form->lstFeatures()->viewport(),
             form->findChild<ImageBox*>("Image3")}) {
        MoveOnto(element);
        EXPECT_TRUE(form->CloseOver()->isVisible()) << element->objectName().toStdString();
    }
}

TEST_F(Form1ChromeTest, ClicksOnHighlightedImagesAndTheCommand) {
    QSignalSpy begin(form.get(), &Form1::BeginRequested);
    QTest::mouseClick(form->ExitLabel(), Qt::LeftButton);
    EXPECT_EQ(begin.count(), 1);

    MoveOnto(form->CloseNormal());
    QTest::mouseClick(form->CloseOver(), Qt::LeftButton);
    EXPECT_EQ(dialogs.EndRequests, 1);

    MoveOnto(form->MiniNormal());
    QTest::mouseClick(form->MiniOver(), Qt::LeftButton);
    EXPECT_TRUE(form->windowState() & Qt::WindowMinimized);
}

TEST_F(Form1ChromeTest, CaptionsFitTheirLabels) {
    library.Name = "Intel(R) Core(TM) i7-10750H CPU @ 2.60GHz";
    library.CapsDefault = 1;
    library.Caps = {{25, 0}, {26, 0}, {29, 0}, {38, 0}, {53, 32}, {57, 32}, {61, 256}};
    Create();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    system.Ticks = 360000000;
    system.TotalPhys = 68719476736ull;
    system.AvailPhys = 40000000000ull;
    system.MemoryLoad = 42;
    library.Usage = 100;
    form->Timer1_Timer();
    form->Timer2_Timer();
    for (const CaptionLabel* label : form->findChildren<CaptionLabel*>()) {
        const QFontMetrics metrics(label->font());
        QString text = label->Caption();
        text.remove(QLatin1Char('&'));
        EXPECT_LE(metrics.horizontalAdvance(text), label->width())
            << label->objectName().toStdString();
        EXPECT_TRUE(form->rect().contains(label->geometry())) << label->objectName().toStdString();
    }
}

} // namespace
