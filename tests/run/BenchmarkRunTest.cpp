#include "run/BenchmarkRun.h"
#include "codec/clsHuffman.h"
#include "platform/FileSystem.h"
#include "run/NumberText.h"
#include "tests/run/FakeBenchmarkView.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

using Bar = BenchmarkView::Bar;
using Caption = BenchmarkView::Caption;
using Command = BenchmarkView::Command;

namespace {

// Large enough for a few progress events per pass, small enough for 101 quick passes.
std::vector<std::uint8_t> smallTestInput() {
    std::vector<std::uint8_t> bytes(24000);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>((i % 251) ^ (i / 97));
    }
    return bytes;
}

class BenchmarkRunTest : public ::testing::Test {
  protected:
    BenchmarkRunTest()
        : passes(view, huffman, TestFiles::In(dir.Path(), dir.Path())),
          run(view, passes, [this](const RunResult& r) {
              offered.push_back(r);
              EXPECT_FALSE(view.AllCommandsEnabled(true)) << "commands enabled while saving";
          }) {
        huffman.SetProgressHandler([this](std::int16_t& p) { passes.Huffman_Progress(p); });
        FileSystem::WriteAll(dir.File("Quelvorant.exe"), smallTestInput());
    }

    double sumOfFirst100AsWritten() const {
        double sum = 0;
        for (std::size_t i = 0; i < 100 && i < view.List.size(); ++i) {
            sum += ReadNumber(view.List[i]);
        }
        return sum;
    }

    TempDir dir;
    FakeBenchmarkView view;
    clsHuffman huffman;
    TimedPasses passes;
    std::vector<RunResult> offered;
    BenchmarkRun run;
};

} // namespace

TEST_F(BenchmarkRunTest, AWholeRunRecords101TimesAndSumsTheFirst100) {
    int yieldsWhileLocked = 0;
    view.OnYield = [&] {
        if (view.AllCommandsEnabled(false)) {
            ++yieldsWhileLocked;
        }
    };
    std::vector<RunRecord> finished;
    run.SetRunFinished([&](const RunRecord& record) {
        EXPECT_TRUE(offered.empty()) << "recorded after the save offers";
        finished.push_back(record);
    });
    run.Run();

    ASSERT_EQ(view.List.size(), 101u);
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_TRUE(finished[0].Succeeded());
    EXPECT_EQ(finished[0].PassTimes[100], ReadNumber(view.List[100]));
    EXPECT_EQ(finished[0].Readings.size(), finished[0].PassTimes.size());
    EXPECT_EQ(yieldsWhileLocked, view.Yields);
    EXPECT_GT(view.Yields, 101);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_DOUBLE_EQ(offered[0].TimeSumma, sumOfFirst100AsWritten());
    EXPECT_EQ(offered[0].Score, BenchmarkRun::Score(offered[0].TimeSumma));
    EXPECT_EQ(finished[0].TimeSumma, offered[0].TimeSumma);

    // The final message is the only box and carries the total as written.
    ASSERT_EQ(view.Boxes.size(), 1u);
    EXPECT_EQ(view.Boxes[0].Title, "Quelvorant Final Results ...");
    EXPECT_EQ(view.Boxes[0].icon, MessageBox::Icon::Information);
    EXPECT_EQ(view.Boxes[0].Prompt, BenchmarkRun::FinalMessage(offered[0]));

    // The last decompression time stays in the list but not in the total.
    view.List[100] = " 999";
    EXPECT_DOUBLE_EQ(BenchmarkRun::TimeSumma(view), offered[0].TimeSumma);

    EXPECT_FALSE(std::filesystem::exists(dir.File("QuelTest.HAr")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("QuelTest2.dat")));
    EXPECT_EQ(view.Captions[Caption::Operation_Progress], "Quelvorant has finished testing ...");
    EXPECT_EQ(view.Captions[Caption::Current_4], "0 %");
    EXPECT_EQ(view.Captions[Caption::Total_Label_0], "0 %");
    EXPECT_EQ(view.Bars[Bar::ProgBar1], 0);
    EXPECT_EQ(view.Bars[Bar::ProgBar2], 0);
    EXPECT_TRUE(view.AllCommandsEnabled(true));
    const std::vector<std::pair<Command, bool>> order = {
        {Command::Begin_Label, false},  {Command::CloseN_Image, false},
        {Command::CloseH_Image, false}, {Command::Exit_Label, false},
        {Command::CloseN_Image, true},  {Command::CloseH_Image, true},
        {Command::Exit_Label, true},    {Command::Begin_Label, true}};
    EXPECT_EQ(view.EnableOrder, order);
}

TEST_F(BenchmarkRunTest, TotalBarShowsThePassAboutToRun) {
    run.Run();
    std::vector<int> total;
    for (const auto& [bar, value] : view.BarHistory) {
        if (bar == Bar::ProgBar2 && value > 0) {
            total.push_back(value);
        }
    }
    ASSERT_EQ(total.size(), 101u);
    EXPECT_EQ(total[0], 1);
    EXPECT_EQ(total[49], 50);
    EXPECT_EQ(total[50], 50); // the first decompression pass is number 50 again
    EXPECT_EQ(total[100], 100);
}

TEST_F(BenchmarkRunTest, AFailedPassAddsNoEntryAndLaterEntriesMoveUp) {
    // Damage the checksum as the 10th decompression pass starts and restore it
    // as the 11th starts, so exactly the 10th fails.
    const std::string compressed = dir.File("QuelTest.HAr");
    int decompressions = 0;
    std::vector<std::uint8_t> original;
    view.OnCaption = [&](Caption which, const std::string& text) {
        if (which == Caption::Operation_Progress &&
            text.find("decompression") != std::string::npos) {
            ++decompressions;
            if (decompressions == 10) {
                original = FileSystem::ReadAll(compressed);
                auto damaged = original;
                damaged[4] ^= 1;
                FileSystem::WriteAll(compressed, damaged);
            } else if (decompressions == 11) {
                FileSystem::WriteAll(compressed, original);
            }
        }
    };
    run.Run();
    EXPECT_EQ(view.List.size(), 100u);
    ASSERT_EQ(view.Boxes.size(), 2u); // the failure, then the final message
    EXPECT_NE(view.Boxes[0].Prompt.find("decompression was not successful"), std::string::npos);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_DOUBLE_EQ(offered[0].TimeSumma, sumOfFirst100AsWritten());
}

TEST_F(BenchmarkRunTest, ChangedCompressedFileEndsTheProgramWithoutAResult) {
    // After the compression phase, replace the compressed file by one of
    // another length.
    int currentResets = 0;
    view.OnCaption = [&](Caption which, const std::string& text) {
        if (which == Caption::Current_4 && text == "0 %" && ++currentResets == 2) {
            FileSystem::WriteAll(dir.File("QuelTest.HAr"), {1, 2, 3});
        }
    };
    run.Run();
    ASSERT_EQ(view.Boxes.size(), 1u);
    EXPECT_EQ(view.Boxes[0].Title, "Quelvorant Warrning !!!   ");
    EXPECT_EQ(view.Boxes[0].Prompt, "Quelvorant test file is changed !!!");
    EXPECT_EQ(view.Boxes[0].icon, MessageBox::Icon::Critical);
    EXPECT_EQ(view.EndRequests, 1);
    EXPECT_EQ(view.List.size(), 50u); // no decompression pass ran
    EXPECT_TRUE(offered.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("QuelTest.HAr")));
}

TEST_F(BenchmarkRunTest, ASecondRunStartsFromScratch) {
    run.Run();
    const double first = offered.at(0).TimeSumma;
    std::vector<std::pair<Bar, int>> resetsSeen;
    view.OnCaption = [&](Caption which, const std::string& text) {
        if (which == Caption::Total_Label_0 && text == "0 %" && view.List.empty()) {
            resetsSeen.push_back({Bar::ProgBar2, view.Bars[Bar::ProgBar2]});
        }
    };
    run.Run();
    ASSERT_FALSE(resetsSeen.empty());
    EXPECT_EQ(resetsSeen.front().second, 0);
    EXPECT_EQ(view.List.size(), 101u);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_DOUBLE_EQ(offered[1].TimeSumma, sumOfFirst100AsWritten());
    EXPECT_GT(first, 0.0);
}

TEST_F(BenchmarkRunTest, MissingTestInputFailsEveryPassAndTheRunGetsNoScore) {
    FileSystem::Kill(dir.File("Quelvorant.exe"));
    run.Run();
    EXPECT_TRUE(view.List.empty());
    ASSERT_EQ(view.Boxes.size(), 102u); // 101 failures and the failed check
    EXPECT_NE(view.Boxes.back().Prompt.find("no score"), std::string::npos);
    EXPECT_TRUE(offered.empty());
    EXPECT_TRUE(view.AllCommandsEnabled(true));
}

TEST_F(BenchmarkRunTest, AWrongResultGetsTheErrorBoxAndNothingElse) {
    const std::string decompressed = dir.File("QuelTest2.dat");
    const struct {
        std::function<void()> damage;
        std::string says;
    } cases[] = {
        {[&] {
             auto bytes = FileSystem::ReadAll(decompressed);
             bytes[1000] ^= 0x40;
             FileSystem::WriteAll(decompressed, bytes);
         },
         "The decompressed test file differs from the test input at byte 1001."},
        {[&] {
             auto bytes = FileSystem::ReadAll(decompressed);
             bytes.resize(100);
             FileSystem::WriteAll(decompressed, bytes);
         },
         "The decompressed test file differs from the test input at byte 101: it holds 100 "
         "bytes, the test input 24000."},
        {[&] { FileSystem::Kill(decompressed); },
         "The decompressed test file cannot be read: " + std::string(std::strerror(ENOENT))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        view.Boxes.clear();
        // The fault comes after the last decompression pass has written its file.
        view.OnCaption = [&](Caption which, const std::string& text) {
            if (which == Caption::Total_Label_0 && text == "100 %") {
                c.damage();
            }
        };
        run.Run();
        ASSERT_EQ(view.Boxes.size(), 1u);
        EXPECT_EQ(view.Boxes[0].Title, "Quelvorant v1.0.320 Error ...");
        EXPECT_EQ(view.Boxes[0].icon, MessageBox::Icon::Critical);
        EXPECT_EQ(view.Boxes[0].Prompt,
                  "The result of the test cannot be trusted, so it gets no score.\r\n\r\n" +
                      c.says);
        EXPECT_TRUE(offered.empty());
        EXPECT_EQ(view.List.size(), 101u);
        EXPECT_FALSE(std::filesystem::exists(dir.File("QuelTest.HAr")));
        EXPECT_FALSE(std::filesystem::exists(decompressed));
        EXPECT_EQ(view.Captions[Caption::Operation_Progress], "Quelvorant has stopped testing ...");
        EXPECT_TRUE(view.AllCommandsEnabled(true));
    }
}

TEST(BenchmarkRunFolders, TheRunWritesOnlyIntoTheWorkFolder) {
    TempDir program;
    TempDir work;
    FileSystem::WriteAll(program.File("Quelvorant.exe"), smallTestInput());
    FakeBenchmarkView view;
    clsHuffman huffman;
    TimedPasses passes(view, huffman, TestFiles::In(program.Path(), work.Path()));
    std::vector<std::string> seenInWork;
    view.OnYield = [&] {
        for (const auto& entry : std::filesystem::directory_iterator(work.Path())) {
            seenInWork.push_back(entry.path().filename().string());
        }
    };
    BenchmarkRun run(view, passes, {});
    run.Run();
    EXPECT_EQ(view.List.size(), 101u);
    EXPECT_NE(std::find(seenInWork.begin(), seenInWork.end(), "QuelTest2.dat"), seenInWork.end());
    // The program's folder holds only the test input, before and after.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.Path()),
                            std::filesystem::directory_iterator{}),
              1);
    EXPECT_TRUE(std::filesystem::is_empty(work.Path()));
}
