#include "codec/clsHuffman.h"
#include "platform/FileSystem.h"
#include "platform/Version.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class He3Command : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

    // Runs the he3 program with these arguments, capturing both streams.
    Outcome Run(const std::vector<std::string>& arguments) const {
        ChildProcess he3(HE3_PROGRAM, arguments, dir_);
        EXPECT_TRUE(he3.Started()) << "cannot start " << HE3_PROGRAM;
        Outcome outcome;
        outcome.status = he3.Wait();
        outcome.out = he3.Out();
        outcome.err = he3.Err();
        return outcome;
    }

    void Write(const std::string& name, const std::string& text) const {
        FileSystem::WriteAll(Path(name), Bytes(text.begin(), text.end()));
    }
    std::string Read(const std::string& name) const {
        const Bytes bytes = FileSystem::ReadAll(Path(name));
        return std::string(bytes.begin(), bytes.end());
    }

    TempDir tempDir_;
    const std::string dir_ = tempDir_.Path();
};

TEST_F(He3Command, EncodesAndDecodesFiles) {
    std::string input;
    for (int i = 0; i < 40000; ++i) {
        input.push_back(static_cast<char>(i * i % 251 % 37));
    }
    Write("plain", input);
    const Outcome encode = Run({"encode", Path("plain"), Path("packed")});
    EXPECT_EQ(encode.status, 0);
    EXPECT_EQ(encode.err, "");
    Bytes expected(input.begin(), input.end());
    clsHuffman().EncodeByte(expected, static_cast<std::int32_t>(expected.size()));
    EXPECT_EQ(FileSystem::ReadAll(Path("packed")), expected);

    const Outcome decode = Run({"decode", Path("packed"), Path("packed")});
    EXPECT_EQ(decode.status, 0);
    EXPECT_EQ(Read("packed"), input);
}

TEST_F(He3Command, BadUsageExitsWithTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"encode"},
        {"encode", "a"},
        {"encode", "a", "b", "c"},
        {"compress", "a", "b"},
        {"--bogus", "encode", "a", "b"},
        {"encode", "a", "b", "-p"},
    };
    for (const auto& arguments : cases) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.out, "");
        EXPECT_NE(outcome.err.find("Usage: he3"), std::string::npos);
    }
}

TEST_F(He3Command, HelpGoesToStandardOutput) {
    for (const auto& arguments : {std::vector<std::string>{"--help"},
                                  std::vector<std::string>{"encode", "x", "y", "--help"}}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out.rfind("Usage: he3", 0), 0u);
        EXPECT_EQ(outcome.err, "");
    }
    EXPECT_FALSE(fs::exists(Path("y")));
}

TEST_F(He3Command, VersionGoesToStandardOutput) {
    const Outcome outcome = Run({"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "he3 " + VersionNumber() + "\n");
    EXPECT_EQ(outcome.err, "");
}

TEST_F(He3Command, FailureIsReportedAndLeavesDestination) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    Write("text", "not a stream");
    const Case cases[] = {
        {{"decode", Path("text"), Path("dest")},
         "he3: The data either was not compressed with HE3 or is corrupt (identification "
         "string not found) (error -2147221504, HuffmanDecode())\n"},
        {{"encode", Path("missing"), Path("dest")},
         "he3: Source file does not exist. (error -2147221504, clsHuffman.EncodeFile())\n"},
        {{"decode", Path("missing"), Path("dest")},
         "he3: Source file does not exist. (error -2147221504, clsHuffman.DecodeFile())\n"},
    };
    for (const Case& c : cases) {
        Write("dest", "old destination");
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, c.message);
        EXPECT_EQ(Read("dest"), "old destination");
    }
}

TEST_F(He3Command, ProgressValuesGoToStandardError) {
    Write("abb", "abb");
    const Outcome encode = Run({"encode", Path("abb"), Path("packed"), "--progress"});
    EXPECT_EQ(encode.status, 0);
    EXPECT_EQ(encode.err, "7\n12\n100\n");
    const Outcome decode = Run({"--progress", "decode", Path("packed"), Path("back")});
    EXPECT_EQ(decode.status, 0);
    EXPECT_EQ(decode.err, "89\n100\n");
    EXPECT_EQ(Read("back"), "abb");
}

} // namespace
