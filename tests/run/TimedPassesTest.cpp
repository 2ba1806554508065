#include "run/TimedPasses.h"
#include "codec/clsHuffman.h"
#include "platform/FileSystem.h"
#include "run/NumberText.h"
#include "tests/run/FakeBenchmarkView.h"
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

using Caption = BenchmarkView::Caption;

namespace {

std::vector<std::uint8_t> sampleInput() {
    std::vector<std::uint8_t> bytes(60000);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * i / 7 + i / 300) % 97);
    }
    return bytes;
}

class TimedPassesTest : public ::testing::Test {
  protected:
    TimedPassesTest() : passes(view, huffman, TestFiles::In(dir.Path(), dir.Path())) {
        huffman.SetProgressHandler([this](std::int16_t& p) { passes.Huffman_Progress(p); });
    }
    TempDir dir;
    FakeBenchmarkView view;
    clsHuffman huffman;
    TimedPasses passes;
};

} // namespace

TEST_F(TimedPassesTest, MissingTestInputShowsTheFailureAndRecordsNothing) {
    passes.Compress_Test();
    ASSERT_EQ(view.Boxes.size(), 1u);
    EXPECT_EQ(view.Boxes[0].Title, "Quelvorant v1.0.320 Error ...");
    EXPECT_EQ(view.Boxes[0].Prompt, "The compression was not successful. Something went terribly "
                                    "wrong.\r\n\r\nSource file does not exist.");
    EXPECT_EQ(view.Boxes[0].icon, MessageBox::Icon::Critical);
    EXPECT_EQ(view.Boxes[0].buttons, MessageBox::Buttons::OK);
    EXPECT_TRUE(view.List.empty());
    EXPECT_EQ(view.Captions.count(Caption::Label2_3), 0u);
    EXPECT_EQ(view.Refreshes, 1);
    EXPECT_EQ(view.Captions[Caption::Operation_Progress],
              "Test file compression, using Huffman agorithms ...");
}

TEST_F(TimedPassesTest, CompressionAndDecompressionRecordTheirTimes) {
    FileSystem::WriteAll(dir.File("Quelvorant.exe"), sampleInput());
    passes.Compress_Test();
    ASSERT_EQ(view.List.size(), 1u);
    const std::string shown = view.Captions[Caption::Label2_3];
    ASSERT_GT(shown.size(), 9u);
    EXPECT_EQ(shown.substr(shown.size() - 9), " seconds.");
    EXPECT_EQ(view.List[0].front(), ' '); // sign position, no unit
    EXPECT_EQ(view.List[0].find("seconds"), std::string::npos);
    // The recorded reading is taken after the shown one.
    EXPECT_GE(ReadNumber(view.List[0]), ReadNumber(shown));
    EXPECT_EQ(view.Captions[Caption::Current_4], "100 %");
    EXPECT_EQ(view.Bars[BenchmarkView::Bar::ProgBar1], 100);

    passes.Decompress_Test();
    EXPECT_EQ(view.Captions[Caption::Operation_Progress],
              "Test file decompression, using Huffman agorithms ...");
    ASSERT_EQ(view.List.size(), 2u);
    EXPECT_EQ(FileSystem::ReadAll(dir.File("QuelTest2.dat")), sampleInput());
    EXPECT_TRUE(view.Boxes.empty());
}

TEST_F(TimedPassesTest, ProgressShowsEachPercentageAndYields) {
    std::int16_t procent = 37;
    passes.Huffman_Progress(procent);
    EXPECT_EQ(view.Captions[Caption::Current_4], "37 %");
    EXPECT_EQ(view.Bars[BenchmarkView::Bar::ProgBar1], 37);
    EXPECT_EQ(view.Yields, 1);
}

TEST_F(TimedPassesTest, DamagedStreamFailsTheDecompressionWithTheCodecText) {
    FileSystem::WriteAll(dir.File("Quelvorant.exe"), sampleInput());
    passes.Compress_Test();
    auto stream = FileSystem::ReadAll(dir.File("QuelTest.HAr"));
    stream[4] ^= 0x5A; // checksum byte
    FileSystem::WriteAll(dir.File("QuelTest.HAr"), stream);
    passes.Decompress_Test();
    ASSERT_EQ(view.Boxes.size(), 1u);
    EXPECT_EQ(view.Boxes[0].Prompt,
              "The decompression was not successful. Something went terribly wrong.\r\n\r\n"
              "The data might be corrupted (checksum did not match expected value)");
    EXPECT_EQ(view.List.size(), 1u);
}

TEST_F(TimedPassesTest, EachRecordedPassHasAReadingUnlessTheyAreTurnedOff) {
    FileSystem::WriteAll(dir.File("Quelvorant.exe"), sampleInput());
    const struct {
        const char* off;
        std::size_t readings;
    } cases[] = {{nullptr, 2}, {"0", 2}, {"1", 0}};
    for (const auto& c : cases) {
        if (c.off) {
            ::setenv("QUELVORANT_NO_PASS_READINGS", c.off, 1);
        } else {
            ::unsetenv("QUELVORANT_NO_PASS_READINGS");
        }
        passes.StartRun();
        passes.Compress_Test();
        passes.Decompress_Test();
        // A failed pass records neither a time nor a reading.
        FileSystem::Kill(dir.File("QuelTest.HAr"));
        passes.Decompress_Test();
        EXPECT_EQ(passes.Readings().size(), c.readings) << (c.off ? c.off : "unset");
    }
    ::unsetenv("QUELVORANT_NO_PASS_READINGS");
}
