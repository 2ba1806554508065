#include "run/SaveOffers.h"
#include "codec/clsHuffman.h"
#include "platform/FileSystem.h"
#include "run/TimedPasses.h"
#include "tests/run/FakeBenchmarkView.h"
#include "tests/support/TempDir.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using Answer = MessageBox::Answer;

namespace {

std::vector<std::string> linesOf(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::string> lines;
    std::string text(bytes.begin(), bytes.end());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

class SaveOffersTest : public ::testing::Test {
  protected:
    SaveOffersTest()
        : passes(view, huffman, TestFiles::In(appDir.Path(), appDir.Path())),
          offers(view, huffman, appDir.File("FResult.tmp"), [this](const std::string& name) {
              asked.push_back(name);
              return name == "txtType" ? std::string("Standart OEM") : name + "-caption";
          }) {
        huffman.SetProgressHandler([this](std::int16_t& p) { passes.Huffman_Progress(p); });
        result.TimeSumma = 12.3456;
        result.Score = 617;
    }

    TempDir appDir;
    TempDir folder;
    FakeBenchmarkView view;
    clsHuffman huffman;
    TimedPasses passes;
    std::vector<std::string> asked;
    SaveOffers offers;
    RunResult result;
};

} // namespace

TEST_F(SaveOffersTest, TheReportHas25LinesEachEndedByCrLf) {
    const auto lines = linesOf(
        ResultsReport::Text([](const std::string& name) { return "<" + name + ">"; }, result));
    const std::vector<std::string> expected = {
        "[ CPU Information ]",
        "CPU Name (Vendor): <CPUName>",
        "CPU Speed (MHz): <SpeedInfo>",
        "CPU Type: <txtType>",
        "   ",
        "[ CPU Detailed Information ]",
        "CPU Family: <CPUFamily>",
        "CPU Model: <CPUModel>",
        "CPU Stepping: <Stepping>",
        "   ",
        "CPU Instructions Cache (KB): <CPUInstructions>",
        "CPU Data Cache (KB): <CPUData>",
        "CPU Level 2 Cache (KB): <Level2>",
        "   ",
        "[ PC Memory Information ]",
        "PC Total Physical RAM (MB): <TotalRAM>",
        "PC Aviable Physicla RAM (MB): <AviableRAM>",
        "PC Physical RAM Used: <UsedRAM>",
        "   ",
        "[ Final Results ]",
        " 12.3456 - seconds.",
        "617 - frames.",
        "   ",
        "Quelvorant v1.0.320",
        "Copyright (C) 2026 Quelcraft",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(SaveOffersTest, CancelAtTheQuestionSkipsToTheNextOffer) {
    view.Answers = {Answer::Cancel, Answer::Cancel};
    offers.Offer(result);
    ASSERT_EQ(view.Boxes.size(), 2u);
    EXPECT_EQ(
        view.Boxes[0].Prompt,
        "Wolud you like save information in Quelvorant database ''Final Result.qvd'' file ?  ");
    EXPECT_EQ(view.Boxes[1].Prompt,
              "Wolud you like save information in ''Final Result.txt'' file ?  ");
    for (const auto& box : view.Boxes) {
        EXPECT_EQ(box.Title, "Information Saving ...");
        EXPECT_EQ(box.icon, MessageBox::Icon::Question);
        EXPECT_EQ(box.buttons, MessageBox::Buttons::OKCancel);
    }
    EXPECT_TRUE(view.FolderPrompts.empty());
    EXPECT_TRUE(asked.empty());
}

TEST_F(SaveOffersTest, CancelInTheFolderDialogWritesNothing) {
    bool temporarySeen = false;
    view.OnMsgBox = [&](const FakeBenchmarkView::Box&) {
        temporarySeen = temporarySeen || fs::exists(appDir.File("FResult.tmp"));
    };
    offers.Offer(result); // OK to both questions, no folder chosen
    EXPECT_EQ(view.FolderPrompts, (std::vector<std::string>{"Click on an entry to select it.",
                                                            "Click on an entry to select it."}));
    EXPECT_FALSE(temporarySeen);
    EXPECT_FALSE(fs::exists(appDir.File("FResult.tmp")));
    EXPECT_TRUE(asked.empty());
}

TEST_F(SaveOffersTest, BothOffersIntoOneFolderReplaceOldFiles) {
    FileSystem::WriteAll(folder.File("Final Result.qvd"), std::vector<std::uint8_t>(5000, 'x'));
    FileSystem::WriteAll(folder.File("Final Result.txt"), std::vector<std::uint8_t>(5000, 'y'));
    FileSystem::WriteAll(appDir.File("FResult.tmp"), std::vector<std::uint8_t>(9000, 'z'));
    view.Folders = {folder.Path(), folder.Path()};
    struct stat old {};
    ASSERT_EQ(::stat(folder.File("Final Result.qvd").c_str(), &old), 0);
    // The passes leave the codec writing scratch files; the saved report is
    // still put in place as a new, flushed file.
    huffman.SetDestinationMode(FileSystem::WriteMode::Scratch);
    offers.Offer(result);

    struct stat saved {};
    ASSERT_EQ(::stat(folder.File("Final Result.qvd").c_str(), &saved), 0);
    EXPECT_NE(saved.st_ino, old.st_ino);
    EXPECT_FALSE(fs::exists(appDir.File("FResult.tmp")));
    const auto text = FileSystem::ReadAll(folder.File("Final Result.txt"));
    EXPECT_EQ(text, ResultsReport::Text(
                        [](const std::string& name) {
                            return name == "txtType" ? std::string("Standart OEM")
                                                     : name + "-caption";
                        },
                        result));
    auto stream = FileSystem::ReadAll(folder.File("Final Result.qvd"));
    EXPECT_EQ(std::string(stream.begin(), stream.begin() + 4), "HE3\r");
    huffman.DecodeByte(stream, static_cast<std::int32_t>(stream.size()));
    EXPECT_EQ(stream, text);
    // The compression's progress stays on show after the offer.
    EXPECT_EQ(view.Captions[BenchmarkView::Caption::Current_4], "100 %");
    // Every caption is read anew for each report.
    EXPECT_EQ(asked.size(), 2u * 12u);
    EXPECT_EQ(asked.front(), "CPUName");
    EXPECT_EQ(asked[11], "UsedRAM");
}

TEST_F(SaveOffersTest, AFolderThatCannotBeWrittenShowsTheErrorAndGoesOn) {
    // A "folder" that is a plain file cannot take new files, for any user.
    FileSystem::WriteAll(folder.File("not-a-folder"), {1});
    view.Folders = {folder.File("not-a-folder"), folder.Path()};
    offers.Offer(result);

    ASSERT_EQ(view.Boxes.size(), 3u); // question, failure, question
    EXPECT_EQ(view.Boxes[1].Title, "Quelvorant v1.0.320 Error ...");
    EXPECT_EQ(view.Boxes[1].icon, MessageBox::Icon::Critical);
    EXPECT_EQ(view.Boxes[1].Prompt, std::strerror(ENOTDIR));
    EXPECT_FALSE(fs::exists(appDir.File("FResult.tmp")));
    // The second offer still saved the text.
    EXPECT_TRUE(fs::exists(folder.File("Final Result.txt")));
}
