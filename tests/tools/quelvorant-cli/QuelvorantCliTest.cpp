#include "ChildProcess.h"
#include "FileSystem.h"
#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sched.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class QuelvorantCli : public ::testing::Test {
  protected:
    QuelvorantCli() {
        // A small input, so that a run of 101 passes takes well under a second.
        std::vector<std::uint8_t> input(24000);
        for (std::size_t i = 0; i < input.size(); ++i) {
            input[i] = static_cast<std::uint8_t>((i * 7) % 253 ^ (i >> 6));
        }
        FileSystem::WriteAll(input_, input);
        fs::create_directory(tmp_);
    }

    // Runs quelvorant-cli with its work folders in tmp_.
    Outcome Run(const std::vector<std::string>& arguments) {
        ChildProcess cli(QUEL_CLI_PROGRAM, arguments, dir_.Path(), {"TMPDIR=" + tmp_});
        Outcome outcome;
        outcome.status = cli.Wait();
        outcome.out = cli.Out();
        outcome.err = cli.Err();
        return outcome;
    }

    // Runs the schema check of the project on a JSON file.
    void ExpectValid(const std::string& schema, const std::string& file) {
        ChildProcess check("/bin/bash",
                           {QUEL_SOURCE_DIR "/tests/support/validate-json.sh",
                            QUEL_SOURCE_DIR "/docs/schemas/" + schema, file},
                           dir_.Path());
        EXPECT_EQ(check.Wait(), 0) << check.Err();
    }

    std::vector<std::string> Bench(const std::string& json, const std::string& threads) {
        return {"bench", "--input",   input_,  "--runs",  "2",      "--warmup",
                "0",     "--threads", threads, "--quiet", "--json", json};
    }

    static int processors() {
        cpu_set_t set;
        CPU_ZERO(&set);
        return ::sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
    }

    TempDir dir_;
    const std::string input_ = dir_.File("input.bin");
    const std::string tmp_ = dir_.File("tmp");
};

} // namespace

TEST_F(QuelvorantCli, BadCommandLinesExitWithTwoAndSayWhy) {
    const struct {
        std::vector<std::string> arguments;
        std::string says;
    } cases[] = {
        {{}, "A subcommand is required"},
        {{"benchmark"}, "benchmark"},
        {{"bench", "--runs", "0"}, "--runs"},
        {{"bench", "--threads", "many"}, "--threads takes 'all' or a number"},
        {{"bench", "--threads", "100000"}, "--threads takes 'all' or a number"},
        {{"bench", "--input", "/no/such/file"}, "/no/such/file"},
        {{"compare", "only-one.json"}, "compare"},
        {{"info", "--color"}, "--color"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find(c.says), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find("Usage: "), std::string::npos);
        EXPECT_EQ(outcome.out, "");
    }
}

TEST_F(QuelvorantCli, JsonOfInfoAndBenchFollowsTheSchemas) {
    const Outcome info = Run({"info", "--json"});
    ASSERT_EQ(info.status, 0) << info.err;
    FileSystem::WriteAll(dir_.File("info.json"),
                         std::vector<std::uint8_t>(info.out.begin(), info.out.end()));
    ExpectValid("quelvorant.info-1.schema.json", dir_.File("info.json"));

    const int copies = std::min(2, processors());
    const Outcome bench = Run(Bench(dir_.File("bench.json"), std::to_string(copies)));
    ASSERT_EQ(bench.status, 0) << bench.err;
    ExpectValid("quelvorant.bench-1.schema.json", dir_.File("bench.json"));

    const auto bytes = FileSystem::ReadAll(dir_.File("bench.json"));
    const auto result = nlohmann::json::parse(bytes.begin(), bytes.end());
    EXPECT_FALSE(result["input"]["comparable"]); // not the program's own test input
    ASSERT_EQ(result["runs"].size(), 2u);
    for (const auto& run : result["runs"]) {
        double sum = 0;
        for (std::size_t i = 0; i < 100; ++i) {
            sum += run["pass_times"][i].get<double>();
        }
        EXPECT_NEAR(run["time_summa"].get<double>(), sum, 1e-9);
        EXPECT_TRUE(run["check"]["passed"]);
    }
    if (copies == 2) {
        ASSERT_TRUE(result["multicore"].is_object());
        EXPECT_EQ(result["multicore"]["runs"][0]["copies"].size(), 2u);
        EXPECT_GT(result["multicore"]["summary"]["scaling_efficiency"].get<double>(), 0.0);
    }
    // The work folders are gone.
    EXPECT_TRUE(fs::is_empty(tmp_));
}

TEST_F(QuelvorantCli, CompareJudgesResultsAndRefusesWhatIsNotOne) {
    ASSERT_EQ(Run(Bench(dir_.File("a.json"), "1")).status, 0);
    ASSERT_EQ(Run(Bench(dir_.File("b.json"), "1")).status, 0);
    const Outcome same = Run({"compare", dir_.File("a.json"), dir_.File("b.json")});
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_NE(same.out.find("Median Time Summa"), std::string::npos);
    EXPECT_NE(same.out.find("Decompression"), std::string::npos);
    EXPECT_NE(same.out.find("(p = "), std::string::npos);

    auto document = FileSystem::ReadAll(dir_.File("a.json"));
    const std::string text(document.begin(), document.end());
    const struct {
        const char* name;
        std::string content;
        std::string says;
    } broken[] = {
        {"cut.json", text.substr(0, text.size() / 2), "not a JSON document"},
        {"other.json", R"({"schema": "quelvorant.bench/2"})",
         R"(schema "quelvorant.bench/2" is not quelvorant.bench/1)"},
        {"list.json", "[1, 2]", "not a Quelvorant bench result"},
        {"empty-runs.json", R"({"schema": "quelvorant.bench/1", "program": {}})", "broken result"},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.name);
        FileSystem::WriteAll(dir_.File(b.name),
                             std::vector<std::uint8_t>(b.content.begin(), b.content.end()));
        const Outcome outcome = Run({"compare", dir_.File("a.json"), dir_.File(b.name)});
        EXPECT_EQ(outcome.status, 1);
        EXPECT_NE(outcome.err.find(dir_.File(b.name) + ": " + b.says), std::string::npos)
            << outcome.err;
    }
}

TEST_F(QuelvorantCli, CtrlCDuringARunLeavesNothingAndExitsWith130) {
    ChildProcess cli(QUEL_CLI_PROGRAM,
                     {"bench", "--input", input_, "--runs", "1000", "--warmup", "0", "--json",
                      dir_.File("never.json")},
                     dir_.Path(), {"TMPDIR=" + tmp_});
    // Waits until the run works in its folder, then interrupts it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (fs::is_empty(tmp_) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(fs::is_empty(tmp_)) << "no work folder appeared";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Wait(), 130) << cli.Err();
    EXPECT_TRUE(fs::is_empty(tmp_));
    EXPECT_FALSE(fs::exists(dir_.File("never.json")));
    EXPECT_EQ(cli.Out(), "");
}
