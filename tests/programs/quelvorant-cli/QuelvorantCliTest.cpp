#include "history/SqliteDatabase.h"
#include "platform/FileSystem.h"
#include "platform/Sha256.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sched.h>
#include <thread>
#include <unistd.h>
#include <utility>

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

    // Runs quelvorant-cli with its work folders in tmp_ and its results
    // history in the test's folder; through another program when one is
    // given with its arguments, as in {"/usr/bin/unshare", "--user"}.
    Outcome Run(const std::vector<std::string>& arguments, std::vector<std::string> through = {}) {
        through.push_back(QUEL_CLI_PROGRAM);
        through.insert(through.end(), arguments.begin(), arguments.end());
        ChildProcess cli(through.front(), {through.begin() + 1, through.end()}, dir_.Path(),
                         environment());
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

    std::vector<std::string> environment() const {
        return {"TMPDIR=" + tmp_, "XDG_DATA_HOME=" + dir_.Path()};
    }
    std::string historyFile() const { return dir_.File("quelvorant/results.sqlite"); }
    int keptRuns() {
        const Outcome listed = Run({"history", "--json"});
        EXPECT_EQ(listed.status, 0) << listed.err;
        const auto document = nlohmann::json::parse(listed.out, nullptr, false);
        return document.is_discarded() ? -1 : static_cast<int>(document["runs"].size());
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
        {{"info", "--with-identity"}, "--save-raw"},
        {{"info", "--load-raw", "a", "--save-raw", "b"}, "excludes"},
        {{"report", "abc", "--fleet", "--html", "-"}, "excludes"},
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

TEST_F(QuelvorantCli, SaveRawWritesAGzippedTarThatLoadRawReadsOrNamesTheFileItCouldNot) {
    const std::string bundle = dir_.File("raw.tar.gz");
    const Outcome saved = Run({"info", "--save-raw", bundle});
    EXPECT_EQ(saved.status, 0) << saved.err;
    ChildProcess list("/bin/tar", {"-tzf", bundle}, dir_.Path());
    EXPECT_EQ(list.Wait(), 0) << list.Err();
    EXPECT_NE(list.Out().find("raw/proc/cpuinfo\n"), std::string::npos) << list.Out();
    const Outcome loaded = Run({"info", "--load-raw", bundle});
    EXPECT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(loaded.out.rfind("Loaded from:\n  Bundle:", 0), 0u) << loaded.out;
    EXPECT_NE(loaded.out.find(bundle), std::string::npos);
    const std::string unwritable = dir_.File("no/folder/raw.tar.gz");
    for (const char* option : {"--save-raw", "--load-raw"}) {
        const Outcome failed = Run({"info", option, unwritable});
        EXPECT_EQ(failed.status, 1);
        EXPECT_NE(failed.err.find(unwritable), std::string::npos) << failed.err;
    }
}

TEST_F(QuelvorantCli, JsonOfInfoAndBenchFollowsTheSchemas) {
    const Outcome info = Run({"info", "--json"});
    ASSERT_EQ(info.status, 0) << info.err;
    FileSystem::WriteAll(dir_.File("info.json"),
                         std::vector<std::uint8_t>(info.out.begin(), info.out.end()));
    ExpectValid("quelvorant.info-2.schema.json", dir_.File("info.json"));

    const int copies = std::min(2, processors());
    const Outcome bench = Run(Bench(dir_.File("bench.json"), std::to_string(copies)));
    ASSERT_EQ(bench.status, 0) << bench.err;
    ExpectValid("quelvorant.bench-2.schema.json", dir_.File("bench.json"));

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
    EXPECT_NE(same.out.find("What the runs lost\n  A   "), std::string::npos) << same.out;
    // As Markdown, a path with a pipe stays in its cell.
    std::filesystem::copy_file(dir_.File("b.json"), dir_.File("b|2.json"));
    const Outcome markdown =
        Run({"compare", "--markdown", dir_.File("a.json"), dir_.File("b|2.json")});
    EXPECT_EQ(markdown.status, 0) << markdown.err;
    EXPECT_NE(markdown.out.find("| B | " + dir_.File("b\\|2.json") + " | "), std::string::npos)
        << markdown.out;
    EXPECT_NE(markdown.out.find("| --- | ---: | ---: | --- | --- |"), std::string::npos);
    // A result without runs has nothing to test against.
    nlohmann::json runless = nlohmann::json::parse(std::ifstream(dir_.File("b.json")));
    runless["runs"] = nlohmann::json::array();
    const std::string runlessText = runless.dump();
    FileSystem::WriteAll(dir_.File("runless.json"),
                         std::vector<std::uint8_t>(runlessText.begin(), runlessText.end()));
    const Outcome none = Run({"compare", dir_.File("a.json"), dir_.File("runless.json")});
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_NE(none.out.find("no pass times"), std::string::npos) << none.out;

    auto document = FileSystem::ReadAll(dir_.File("a.json"));
    const std::string text(document.begin(), document.end());
    // A file nested deeper than a stack could follow, and a bench result
    // whose program is not an object.
    const std::string deep =
        "{\"schema\": \"quelvorant.bench/1\", \"info\": " + std::string(100000, '[') +
        std::string(100000, ']') + "}";
    nlohmann::json typed = nlohmann::json::parse(std::ifstream(dir_.File("a.json")));
    typed["program"] = "quelvorant-cli";
    const struct {
        const char* name;
        std::string content;
        std::string says;
    } broken[] = {
        {"deep.json", deep, "nested deeper than 32 levels"},
        {"typed.json", typed.dump(), "broken result: \"program\" is not an object"},
        {"cut.json", text.substr(0, text.size() / 2), "not a JSON document"},
        {"other.json", R"({"schema": "quelvorant.bench/3"})",
         R"(schema "quelvorant.bench/3" is not quelvorant.bench/2 or quelvorant.bench/1)"},
        {"list.json", "[1, 2]", "not a Quelvorant bench result"},
        {"empty-runs.json", R"({"schema": "quelvorant.bench/1", "program": {}})",
         "field 'info' is missing"},
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
                     dir_.Path(), environment());
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

TEST_F(QuelvorantCli, TwoBenchesStartedAtOnceBothLandInTheHistory) {
    const std::vector<std::string> arguments = {"bench", "--input",  input_, "--runs",
                                                "1",     "--warmup", "0",    "--quiet"};
    ChildProcess first(QUEL_CLI_PROGRAM, arguments, dir_.Path(), environment());
    TempDir other;
    ChildProcess second(QUEL_CLI_PROGRAM, arguments, other.Path(), environment());
    EXPECT_EQ(first.Wait(), 0) << first.Err();
    EXPECT_EQ(second.Wait(), 0) << second.Err();
    EXPECT_EQ(keptRuns(), 2);
}

TEST_F(QuelvorantCli, ImportTakesResultsOnceAndABrokenFileChangesNothing) {
    ASSERT_EQ(Run(Bench(dir_.File("a.json"), "1")).status, 0);
    ASSERT_EQ(Run({"export", "--all", "--json", dir_.File("export.json")}).status, 0);
    ExpectValid("quelvorant.history-2.schema.json", dir_.File("export.json"));
    std::filesystem::remove(historyFile());
    // The export read from standard input.
    ChildProcess imported("/bin/sh",
                          {"-c", "exec \"$0\" import \"$1\" - < \"$2\"", QUEL_CLI_PROGRAM,
                           dir_.File("a.json"), dir_.File("export.json")},
                          dir_.Path(), environment());
    EXPECT_EQ(imported.Wait(), 0) << imported.Err();
    EXPECT_NE(imported.Out().find("Imported 2 new runs of 4"), std::string::npos) << imported.Out();

    // A file nested deeper than a stack could follow, and a bench result
    // whose program is not an object.
    const std::string deep =
        "{\"schema\": \"quelvorant.bench/1\", \"info\": " + std::string(100000, '[') +
        std::string(100000, ']') + "}";
    const nlohmann::json good = nlohmann::json::parse(std::ifstream(dir_.File("a.json")));
    nlohmann::json typed = good;
    typed["program"] = "quelvorant-cli";
    const std::string id = good["runs"][0]["id"];
    // The bench result with its first run changed, and what the refusal says.
    const auto changed = [&](const char* field, const nlohmann::json& value) {
        nlohmann::json result = good;
        result["runs"][0][field] = value;
        return result.dump();
    };
    const auto firstRun = [&](const std::string& shownId, const std::string& field) {
        return "run 1 (" + shownId + "): field '" + field + "'";
    };
    nlohmann::json hundred = good;
    hundred["runs"][0]["pass_times"].erase(0);
    nlohmann::json negative = good;
    negative["runs"][0]["pass_times"][7] = -0.5;
    nlohmann::json unread = good;
    unread["runs"][0]["readings"].erase(0);
    nlohmann::json host = good;
    host["info"]["system"]["hostname"] = std::string(300, 'h');
    nlohmann::json exported = nlohmann::json::parse(std::ifstream(dir_.File("export.json")));
    exported["runs"][0]["threads"] = 1ll << 40;
    nlohmann::json scoreless = good;
    scoreless["runs"][0].erase("score");
    nlohmann::json fraction = good;
    fraction["settings"]["warmup"] = 12.7;
    nlohmann::json runsObject = good;
    runsObject["runs"] = nlohmann::json::object();
    nlohmann::json levelled = good;
    levelled["preflight"]["checks"][0]["level"] = "fatal";
    const struct {
        const char* name;
        std::string content;
        std::string says;
    } broken[] = {
        {"deep.json", deep, "nested deeper than 32 levels"},
        {"typed.json", typed.dump(), "broken result: \"program\" is not an object"},
        {"deep.json",
         "{\"schema\": \"quelvorant.history/1\", \"runs\": " + std::string(100000, '[') +
             std::string(100000, ']') + "}",
         "nested deeper than 32 levels"},
        {"cut.json", "{\"schema\": \"quelvorant.history/1\", \"runs\": [", "not a JSON document"},
        {"foreign.json", R"({"schema": "another.tool/3"})", "neither a bench result"},
        {"no-machine.json",
         R"({"schema": "quelvorant.history/1", "machines": [], "runs": [{"id": "x",
            "machine_id": "m", "started_at": "", "program_version": "", "source": "cli",
            "input_sha256": "", "comparable": true, "time_summa": 1, "score": 50,
            "check_passed": true, "threads": 1, "pass_times": []}]})",
         "run x names machine m, which the file does not describe"},
        {"empty-id.json", changed("id", ""), firstRun("", "id") + " must be a UUID"},
        {"long-id.json", changed("id", std::string(10 << 20, 'a')),
         "holds a text longer than 64 KiB"},
        {"huge-score.json", changed("score", 1e300), firstRun(id, "score")},
        {"fraction-score.json", changed("score", 12.7), firstRun(id, "score")},
        {"negative-score.json", changed("score", -5), firstRun(id, "score")},
        {"hundred.json", hundred.dump(), firstRun(id, "pass_times") + " must hold 101 times"},
        {"negative.json", negative.dump(), firstRun(id, "pass_times") + " must be above 0"},
        {"unread.json", unread.dump(), firstRun(id, "readings") + " must hold one reading"},
        {"year0.json", changed("started_at", "0000-01-01T00:00:00Z"), firstRun(id, "started_at")},
        {"month13.json", changed("started_at", "2026-13-01T00:00:00Z"), firstRun(id, "started_at")},
        {"feb30.json", changed("started_at", "2026-02-30T00:00:00Z"), firstRun(id, "started_at")},
        {"garbage-time.json", changed("started_at", "garbage"), firstRun(id, "started_at")},
        {"failed.json", changed("check", {{"passed", false}, {"description", "wrong bytes"}}),
         firstRun(id, "check.passed") + " must be true"},
        {"host.json", host.dump(), "field 'host_name' must be at most 256 bytes"},
        {"threads.json", exported.dump(), "field 'threads' must be from 1 to 4096"},
        {"scoreless.json", scoreless.dump(), firstRun(id, "score") + " is missing"},
        {"text-times.json", changed("pass_times", "fast"),
         firstRun(id, "pass_times") + " must be an array of numbers, not a text"},
        {"fraction.json", fraction.dump(),
         "field 'settings.warmup' must be a whole number, not 12.7"},
        {"runs-object.json", runsObject.dump(), "field 'runs' must be an array, not an object"},
        {"levelled.json", levelled.dump(), "field 'level' must be pass, note or warn"},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.name);
        FileSystem::WriteAll(dir_.File(b.name),
                             std::vector<std::uint8_t>(b.content.begin(), b.content.end()));
        // A good file beside a broken one is not taken either.
        const auto before = FileSystem::ReadAll(historyFile());
        const Outcome outcome = Run({"import", dir_.File("a.json"), dir_.File(b.name)});
        EXPECT_EQ(FileSystem::ReadAll(historyFile()), before);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err.find("quelvorant-cli: " + dir_.File(b.name) + ": "), 0u)
            << outcome.err;
        EXPECT_NE(outcome.err.find(b.says), std::string::npos) << outcome.err;
        EXPECT_EQ(keptRuns(), 2);
    }
}

TEST_F(QuelvorantCli, AHistoryItCannotUseEndsHistoryCommandsButNotTheBench) {
    fs::create_directories(dir_.File("quelvorant"));
    const std::vector<std::uint8_t> garbage(4096, 'q');
    FileSystem::WriteAll(historyFile(), garbage);
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"history"}, {"history", "delete", "abc"}, {"export", "--all", "--json", "-"}}) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 1) << arguments[0];
        EXPECT_NE(outcome.err.find(historyFile() +
                                   ": file is not a database; the file is left as it is: move it "
                                   "aside to start a new history"),
                  std::string::npos)
            << outcome.err;
    }
    const Outcome bench = Run({"bench", "--input", input_, "--runs", "1", "--warmup", "0"});
    EXPECT_EQ(bench.status, 0);
    EXPECT_NE(bench.out.find("Time Summa:"), std::string::npos);
    EXPECT_NE(bench.err.find("the runs were not recorded"), std::string::npos) << bench.err;
    EXPECT_EQ(FileSystem::ReadAll(historyFile()), garbage);
}

TEST_F(QuelvorantCli, ReportShowsAKeptRunWithItsPassesAndTheMachinesRuns) {
    EXPECT_EQ(Run({"report", "--html", dir_.File("none.html")}).status, 1); // nothing kept yet
    ASSERT_EQ(Run(Bench(dir_.File("a.json"), "1")).status, 0);
    const Outcome report = Run({"report", "--html", dir_.File("report.html")});
    ASSERT_EQ(report.status, 0) << report.err;
    const auto bytes = FileSystem::ReadAll(dir_.File("report.html"));
    const std::string page(bytes.begin(), bytes.end());
    const auto count = [&page](const std::string& part) {
        std::size_t found = 0;
        for (auto at = page.find(part); at != std::string::npos; at = page.find(part, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count("<rect class=\"pass compression"), 50u);
    EXPECT_EQ(count("<rect class=\"pass decompression"), 51u);
    EXPECT_EQ(count("<circle class=\"point"), 2u);               // both runs of this machine
    EXPECT_NE(page.find("does not compare"), std::string::npos); // a test input of its own

    const Outcome fleet = Run({"report", "--fleet", "--html", "-"});
    ASSERT_EQ(fleet.status, 0) << fleet.err;
    // This machine's one run of its own input: shown apart, and nobody ranked.
    EXPECT_NE(fleet.out.find("id=\"other-inputs\""), std::string::npos);
    EXPECT_NE(fleet.out.find("0 ranked"), std::string::npos);
}

TEST_F(QuelvorantCli, AFileNeverTakesOverThisMachineNorItsNewestRun) {
    ASSERT_EQ(Run(Bench(dir_.File("a.json"), "1")).status, 0);
    const nlohmann::json own = nlohmann::json::parse(std::ifstream(dir_.File("a.json")));
    // Copies of this machine's result with new run ids, begun in year 9999,
    // on a machine of this id with the host and machine names given.
    const auto copy = [&](const std::string& name, const std::string& host,
                          const nlohmann::json& machineName) {
        nlohmann::json changed = own;
        changed["info"]["system"]["hostname"] = host;
        changed["info"]["machine_name"] = machineName;
        for (nlohmann::json& run : changed["runs"]) {
            std::string id = run["id"];
            id[0] = id[0] == 'f' ? '0' : 'f';
            run["id"] = id;
            run["started_at"] = "9999-01-01T00:00:00Z";
        }
        const std::string text = changed.dump();
        FileSystem::WriteAll(dir_.File(name), std::vector<std::uint8_t>(text.begin(), text.end()));
        return dir_.File(name);
    };
    const std::string ownHost = own["info"]["system"]["hostname"];
    const nlohmann::json ownName = own["info"]["machine_name"];

    const Outcome foreign = Run({"import", copy("foreign.json", "intruder", ownName)});
    EXPECT_EQ(foreign.status, 1);
    EXPECT_NE(foreign.err.find("is this computer's id and name, but the file says it is intruder"),
              std::string::npos)
        << foreign.err;
    EXPECT_EQ(keptRuns(), 2);

    const Outcome ahead = Run({"import", copy("ahead.json", ownHost, ownName)});
    ASSERT_EQ(ahead.status, 0) << ahead.err;
    const Outcome listed = Run({"history"});
    const auto firstAhead = listed.out.find("(time ahead of this clock)");
    EXPECT_NE(firstAhead, std::string::npos) << listed.out;
    // This machine's real runs come first, the ones ahead of the clock last.
    EXPECT_LT(listed.out.find(own["runs"][0]["started_at"].get<std::string>().substr(0, 10)),
              firstAhead)
        << listed.out;
    const Outcome report = Run({"report", "--html", dir_.File("report.html")});
    EXPECT_EQ(report.out.find("9999"), std::string::npos) << report.out;
    // A clone of this system image shares its id under another name, and
    // is kept as a machine of its own; a file of version 1 names machines
    // by their host names.
    nlohmann::json clone = nlohmann::json::parse(std::ifstream(copy("c.json", "clone", nullptr)));
    clone["schema"] = "quelvorant.bench/1";
    clone["info"]["schema"] = "quelvorant.info/1";
    clone["info"].erase("machine_name");
    for (nlohmann::json& run : clone["runs"]) {
        std::string runId = run["id"];
        runId[1] = runId[1] == 'e' ? '1' : 'e';
        run["id"] = runId;
    }
    const std::string cloneText = clone.dump();
    FileSystem::WriteAll(dir_.File("clone.json"),
                         std::vector<std::uint8_t>(cloneText.begin(), cloneText.end()));
    const Outcome cloned = Run({"import", dir_.File("clone.json")});
    ASSERT_EQ(cloned.status, 0) << cloned.err;
    const auto machines = nlohmann::json::parse(Run({"history", "--json"}).out)["machines"];
    ASSERT_EQ(machines.size(), 2u);
    for (const nlohmann::json& machine : machines) {
        EXPECT_EQ(machine["name"], machine["host_name"]);
        EXPECT_EQ(machine["last_seen"].get<std::string>().substr(0, 4) == "9999",
                  machine["name"] == "clone");
    }
    const std::string id = own["info"]["machine_id"];
    const Outcome both = Run({"history", "--machine", id});
    EXPECT_NE(both.out.find("clone (" + id.substr(0, 8) + ")"), std::string::npos) << both.out;
    EXPECT_NE(both.out.find("6 runs in"), std::string::npos) << both.out;
}

TEST_F(QuelvorantCli, AHostileHistoryIsRefusedUnchangedAndOneInAReadOnlyFolderIsRead) {
    ASSERT_EQ(Run(Bench(dir_.File("a.json"), "1")).status, 0);
    const std::string id =
        nlohmann::json::parse(std::ifstream(dir_.File("a.json")))["runs"][0]["id"];
    const auto good = FileSystem::ReadAll(historyFile());
    // What is at the history's path: where a link leads, or the hash of a file.
    const auto state = [this] {
        const auto bytes = fs::exists(historyFile()) ? FileSystem::ReadAll(historyFile())
                                                     : std::vector<std::uint8_t>();
        return fs::is_symlink(historyFile()) ? fs::read_symlink(historyFile()).string()
                                             : Sha256::Of(bytes.data(), bytes.size());
    };
    {
        // Another database's last change, still in its -wal while it is open.
        SqliteDatabase other(dir_.File("other.sqlite"));
        other.Execute("PRAGMA journal_mode = WAL; CREATE TABLE x (a)");
        fs::copy_file(dir_.File("other.sqlite-wal"), dir_.File("other-wal"));
    }
    const auto plant = [this](const char* sql) {
        return [this, sql] { return SqliteDatabase(historyFile()).Execute(sql), true; };
    };
    const auto otherWal = [&] {
        return fs::copy_file(dir_.File("other-wal"), historyFile() + "-wal");
    };
    // Root writes to a folder of mode 0555, but not from a user namespace of its own.
    const std::string folder = dir_.File("quelvorant");
    std::vector<std::string> through;
    if (::geteuid() == 0 &&
        ChildProcess("/usr/bin/unshare", {"--user", "/bin/true"}, dir_.Path()).Wait() == 0) {
        through = {"/usr/bin/unshare", "--user"};
    }
    const auto sealed = [&] {
        fs::permissions(folder, fs::perms(0555));
        return ::geteuid() != 0 || !through.empty();
    };
    const std::vector<std::string> list = {"history"}, erase = {"history", "delete", id},
                                   all = {"export", "--all", "--json", "-"},
                                   report = {"report", id, "--html", "-"};
    const std::string kept = "what it held before it was opened is kept as ";
    const struct {
        const char* name;
        std::function<bool()> make; // false when it cannot be made here
        std::vector<std::string> arguments;
        int status;
        std::string says; // on standard output or error
    } rows[] = {
        {"a trigger", plant("CREATE TRIGGER t AFTER INSERT ON runs BEGIN SELECT 1; END"), list, 1,
         "results.sqlite: holds a trigger 't' that Quelvorant did not make; the file is left as "
         "it is: move it aside to start a new history"},
        {"a view", plant("CREATE VIEW v AS SELECT * FROM runs"), all, 1, "holds a view 'v'"},
        {"a table", plant("CREATE TABLE notes (a)"), report, 1, "holds a table 'notes'"},
        {"another -wal", otherWal, list, 1,
         "results.sqlite: not a Quelvorant results history (it holds other tables); the file is "
         "left as it is, and its -wal holds changes not saved into it: move both aside"},
        {"another -wal", otherWal, erase, 1, kept},
        {"an empty file", [&] { return fs::resize_file(historyFile(), 0), true; }, list, 1,
         "results.sqlite: an empty file, not a results history; it is left as it is"},
        {"a link to nothing",
         [&] {
             fs::remove(historyFile());
             fs::create_symlink(dir_.File("x"), historyFile());
             return true;
         },
         all, 1, "results.sqlite: a symbolic link to " + dir_.File("x") + ", which does not exist"},
        {"an older version in a read-only folder",
         [&] { return plant("PRAGMA user_version = 1")() && sealed(); }, list, 1,
         "results history version 1 of an older Quelvorant, which cannot be brought up to date"},
        {"no history", [&] { return fs::remove_all(folder), true; }, list, 0, "0 runs in"},
        {"a read-only folder", sealed, list, 0, id.substr(0, 8)},
        {"a read-only folder", sealed, all, 0, id},
        {"a read-only folder", sealed, report, 0, id},
        {"a read-only folder", sealed, erase, 1, "attempt to write a readonly database"},
        {"a read-only folder", [&] { return otherWal() && sealed(); }, all, 1,
         "results.sqlite: the -wal beside it holds changes not saved into the file, and without "
         "its -shm they cannot be read in a folder that cannot be written to"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": " + row.arguments[0]);
        std::error_code gone;
        fs::permissions(folder, fs::perms::owner_all, gone);
        fs::remove_all(folder);
        fs::create_directory(folder);
        FileSystem::WriteAll(historyFile(), good);
        if (!row.make()) {
            std::printf("%s: skipped: root writes to a folder of mode 0555 outside a user "
                        "namespace, and unshare --user made none\n",
                        row.name);
            continue;
        }
        const std::string before = state();
        const Outcome outcome = Run(row.arguments, through);
        EXPECT_EQ(outcome.status, row.status) << outcome.err;
        const std::string said = outcome.out + outcome.err;
        ASSERT_NE(said.find(row.says), std::string::npos) << outcome.err;
        if (row.says == kept) {
            // Applying another database's -wal changed the file, after it was kept.
            const auto at = said.find(kept) + kept.size();
            EXPECT_TRUE(FileSystem::ReadAll(said.substr(at, said.find(' ', at) - at)) == good);
        } else {
            EXPECT_EQ(state(), before);
        }
    }
    fs::permissions(folder, fs::perms::owner_all);
}

// fleet init lays out the build's copy of ansible/, the example inventory as
// inventory.ini, and writes nothing when a file is in the way unless --force.
TEST_F(QuelvorantCli, FleetInitWritesThePlaybookUnlessAFileIsInTheWay) {
    const std::pair<std::string, std::string> files[] = {
        {"fleet.yml", "fleet.yml"},
        {"group_vars/quelvorant.yml", "group_vars/quelvorant.yml"},
        {"inventory.example.ini", "inventory.ini"},
        {"README.md", "README.md"},
    };
    const std::string mine = "# mine\n";
    const struct {
        std::string folder;
        std::string present; // a file of the user's there before, or none
        bool force;
        int status;
    } cases[] = {
        {dir_.File("new/fleet"), "", false, 0},
        {dir_.File("kept"), "group_vars/quelvorant.yml", false, 1},
        {dir_.File("forced"), "inventory.ini", true, 0},
    };
    const auto text = [](const std::string& file) {
        const auto bytes = FileSystem::ReadAll(file);
        return std::string(bytes.begin(), bytes.end());
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        if (!c.present.empty()) {
            fs::create_directories(fs::path(c.folder + "/" + c.present).parent_path());
            FileSystem::WriteAll(c.folder + "/" + c.present, {mine.begin(), mine.end()});
        }
        std::vector<std::string> arguments = {"fleet", "init", c.folder};
        if (c.force) {
            arguments.push_back("--force");
        }
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, c.status) << outcome.err;
        for (const auto& [source, target] : files) {
            const std::string written = c.folder + "/" + target;
            if (c.status == 0) {
                EXPECT_EQ(text(written), text(QUEL_SOURCE_DIR "/ansible/" + source)) << target;
            } else if (target == c.present) {
                EXPECT_EQ(text(written), mine);
            } else {
                EXPECT_FALSE(fs::exists(written)) << target;
            }
        }
        const std::string next =
            "ansible-playbook -i " + c.folder + "/inventory.ini " + c.folder + "/fleet.yml\n";
        EXPECT_EQ(outcome.out.find(next) != std::string::npos, c.status == 0) << outcome.out;
        EXPECT_EQ(outcome.err.find(c.folder + "/" + c.present) != std::string::npos, c.status != 0)
            << outcome.err;
    }
}
