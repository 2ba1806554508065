#include "tests/codec/CodecTestSupport.h"

#include "platform/FileSystem.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdlib.h>

using namespace codectest;
namespace fs = std::filesystem;

namespace {

const Bytes kAbbStream = Hex("48 45 33 0D 61 03 00 00 00 02 00 61 01 62 01 02 06");

class FrontEnds : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }
    void Write(const std::string& name, const Bytes& bytes) const {
        FileSystem::WriteAll(Path(name), bytes);
    }
    Bytes Read(const std::string& name) const { return FileSystem::ReadAll(Path(name)); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}));
    }

    TempDir tempDir_;
    const std::string dir_ = tempDir_.Path();
};

TEST_F(FrontEnds, MissingSourceTouchesNoFile) {
    clsHuffman codec;
    Write("dest", Text("old"));
    const auto encode = Raised([&] { codec.EncodeFile(Path("missing"), Path("dest")); });
    const auto decode = Raised([&] { codec.DecodeFile(Path("missing"), Path("new")); });
    const auto folder = Raised([&] { codec.EncodeFile(dir_, Path("new")); });
    for (const auto& error : {encode, decode, folder}) {
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Number(), QuelError::kOwnError);
        EXPECT_EQ(error->Description(), "Source file does not exist.");
    }
    EXPECT_EQ(encode->Source(), "clsHuffman.EncodeFile()");
    EXPECT_EQ(decode->Source(), "clsHuffman.DecodeFile()");
    EXPECT_EQ(Read("dest"), Text("old"));
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(FrontEnds, LongerDestinationIsReplacedExactly) {
    clsHuffman codec;
    Write("source", Text("abb"));
    Write("dest", Repeat('x', 500));
    codec.EncodeFile(Path("source"), Path("dest"));
    EXPECT_EQ(Read("dest"), kAbbStream);
    codec.DecodeFile(Path("dest"), Path("plain"));
    EXPECT_EQ(Read("plain"), Text("abb"));
}

TEST_F(FrontEnds, SamePathForSourceAndDestination) {
    clsHuffman codec;
    const Bytes input = RandomBytes(20000, 40, 9);
    Write("file", input);
    codec.EncodeFile(Path("file"), Path("file"));
    EXPECT_EQ(Read("file"), Encoded(input));
    codec.DecodeFile(Path("file"), Path("file"));
    EXPECT_EQ(Read("file"), input);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(FrontEnds, DecodingErrorsKeepDestinationAndSource) {
    Bytes damaged = kAbbStream;
    damaged[4] = 0x60;
    struct Case {
        Bytes source;
        std::vector<std::int16_t> progress;
    };
    for (const Case& c : {Case{damaged, {89}}, Case{Text("not a stream"), {}}, Case{{}, {}}}) {
        clsHuffman codec;
        ProgressLog log(codec);
        Write("source", c.source);
        Write("dest", Text("old content"));
        EXPECT_TRUE(Raised([&] { codec.DecodeFile(Path("source"), Path("dest")); }));
        EXPECT_EQ(log.values, c.progress);
        log.values.clear();
        EXPECT_TRUE(Raised([&] { codec.DecodeFile(Path("source"), Path("source")); }));
        EXPECT_EQ(log.values, c.progress);
        EXPECT_EQ(Read("dest"), Text("old content"));
        EXPECT_EQ(Read("source"), c.source);
        EXPECT_EQ(Entries(), 2u);
    }
}

TEST_F(FrontEnds, EmptySourceFileEncodesToStoredForm) {
    clsHuffman codec;
    Write("empty", {});
    codec.EncodeFile(Path("empty"), Path("dest"));
    EXPECT_EQ(Read("dest"), Hex("48 45 30 0D"));
    codec.DecodeFile(Path("dest"), Path("back"));
    EXPECT_TRUE(Read("back").empty());
    const auto error = Raised([&] { codec.DecodeFile(Path("empty"), Path("dest")); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), QuelError::kSubscriptOutOfRange);
}

TEST(StringFrontEnds, RoundTripsThroughText) {
    struct Case {
        std::string plain;
        std::string coded;
    };
    const Case cases[] = {
        {"abb", std::string(kAbbStream.begin(), kAbbStream.end())},
        {"", "HE0\r"},
        {std::string("\xff\xff\xff", 3), std::string("HE0\r\xff\xff\xff", 7)},
    };
    for (const Case& c : cases) {
        clsHuffman codec;
        std::string text = c.plain;
        EXPECT_EQ(codec.EncodeString(text), "");
        EXPECT_EQ(text, c.coded);
        EXPECT_EQ(codec.DecodeString(text), "");
        EXPECT_EQ(text, c.plain);
    }
    const Bytes binary = RandomBytes(3000, 256, 2);
    std::string text(binary.begin(), binary.end());
    clsHuffman codec;
    codec.EncodeString(text);
    codec.DecodeString(text);
    EXPECT_EQ(Bytes(text.begin(), text.end()), binary);
}

TEST(StringFrontEnds, FailureLeavesTextAsItWas) {
    clsHuffman codec;
    std::string text = "HE3\rbroken";
    EXPECT_TRUE(Raised([&] { codec.DecodeString(text); }));
    EXPECT_EQ(text, "HE3\rbroken");
}

} // namespace
