#include "history/ResultsHistory.h"
#include "history/HistorySchema.h"
#include "history/SqliteDatabase.h"
#include "history/SqliteStatement.h"
#include "history/UnsavedChanges.h"
#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "tests/support/TempDir.h"

#include <cmath>
#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

HistoryMachine machine(const std::string& id, const std::string& seen) {
    return HistoryMachine{id,  "host-" + id, "host-" + id, "Processor " + id, {{"machine_id", id}},
                          seen};
}

ResultsHistory::MachineKey key(const std::string& id) {
    return {id, "host-" + id};
}

HistoryRun run(const std::string& id, const std::string& machineId, double timeSumma) {
    HistoryRun kept;
    kept.Id = id;
    kept.MachineId = machineId;
    kept.MachineName = "host-" + machineId;
    kept.StartedAt = "2026-12-0" + id.substr(0, 1) + "T10:00:00Z";
    kept.ProgramVersion = "1.0.320";
    kept.Source = "cli";
    kept.InputSha256 = std::string(64, 'a');
    kept.TimeSumma = timeSumma;
    kept.Score = std::floor(timeSumma * 50);
    for (int pass = 0; pass < 101; ++pass) {
        kept.PassTimes.push_back(timeSumma / 100 + pass * 1e-6);
    }
    return kept;
}

// The run pinned to CPU 3 with a reading per pass: some figures unknown, a
// count beyond SQLite's integers, which is kept as unknown; with its wall
// time, the copies it ran with, and the checks before it.
HistoryRun withReadings(HistoryRun kept) {
    kept.Cpu = 3;
    kept.WallSeconds = 3.75;
    kept.CopiesOf = "c0";
    kept.Preflight = PreflightResult{{{"load", CheckLevel::Warn, "busy", "renice", "", ""},
                                      {"smt", CheckLevel::Note, "on", "", "", ""}}};
    kept.ReadingSources = {"cpufreq", "perf_event_paranoid is 3", 3600.0};
    for (std::size_t pass = 0; pass < kept.PassTimes.size(); ++pass) {
        PassReading reading;
        reading.CpuAtStart = 3;
        reading.CpuAtEnd = pass == 7 ? 5 : 3;
        reading.WaitSeconds = pass * 1e-4;
        reading.MinorFaults = pass;
        reading.Cycles = pass == 9 ? std::optional<std::uint64_t>(~0ull) : std::nullopt;
        reading.ClockMHz = 3000.0 + pass;
        reading.ReadingSeconds = 2e-5;
        kept.Readings.push_back(reading);
    }
    return kept;
}

} // namespace

TEST(ResultsHistory, ANewFileGetsTheLatestTablesAndAnOlderOneIsBroughtUpToDate) {
    TempDir dir;
    const std::string path = dir.File("results.sqlite");
    {
        // A history of version 1 kept the pass times as a JSON array in runs.
        SqliteDatabase old(path);
        HistorySchema::Migrate(old, 1);
        old.Execute(R"(INSERT INTO machines VALUES ('m', 'host', 'cpu', '{}', '2026-01-01');
                       INSERT INTO runs VALUES ('r', 'm', '2026-01-01T00:00:00Z', '1.0.320', 'cli',
                         'x', 1, 3.5, 175, 1, 1, '[0.25, 0.5, 0.75]');)");
    }
    // Reading it after an update of the program brings it up to date first.
    ResultsHistory history(path, ResultsHistory::Access::Read);
    SqliteDatabase check(path);
    EXPECT_EQ(check.QueryInteger("PRAGMA user_version"), HistorySchema::kVersion);
    EXPECT_EQ(check.QueryText("PRAGMA journal_mode"), "wal");
    const auto migrated = history.FindRun("r");
    ASSERT_TRUE(migrated.has_value());
    EXPECT_EQ(migrated->PassTimes, (std::vector<double>{0.25, 0.5, 0.75}));
    EXPECT_EQ(migrated->TimeSumma, 3.5);
    // Machines kept before they had names go by their host names.
    EXPECT_EQ(migrated->MachineName, "host");
    EXPECT_EQ(history.FindMachine({"m", "host"})->Processor, "cpu");

    const std::string fresh = dir.File("fresh.sqlite");
    ResultsHistory created(fresh);
    SqliteDatabase freshCheck(fresh);
    EXPECT_EQ(freshCheck.QueryInteger("PRAGMA user_version"), HistorySchema::kVersion);
    EXPECT_EQ(freshCheck.QueryInteger("SELECT count(*) FROM sqlite_master WHERE name = 'passes'"),
              1);
}

TEST(ResultsHistory, RecordsImportsFindsAndDeletes) {
    TempDir dir;
    ResultsHistory history(dir.File("results.sqlite"));
    history.Record(machine("m1", "2026-12-01"), run("1aaa", "m1", 3.5));
    history.Record(machine("m1", "2026-12-02"), withReadings(run("2bbb", "m1", 3.4)));
    // Importing what is kept already adds nothing; a new machine comes along.
    EXPECT_EQ(history.Import({machine("m1", "2026-11-01"), machine("m2", "2026-12-03")},
                             {run("1aaa", "m1", 9.9), run("3ccc", "m2", 2.0)}),
              1);
    EXPECT_EQ(history.Runs().size(), 3u);
    EXPECT_EQ(history.Runs({key("m1"), 1}).front().Id, "2bbb"); // newest first
    EXPECT_EQ(history.FindRun("1aaa")->TimeSumma, 3.5);         // the import did not overwrite
    EXPECT_EQ(history.FindMachine(key("m1"))->LastSeen, "2026-12-02"); // nor the newer facts
    EXPECT_EQ(history.FindRun("3c")->Id, "3ccc");                      // a unique beginning
    EXPECT_FALSE(history.FindRun("").has_value());
    const auto best = history.BestRuns();
    ASSERT_EQ(best.size(), 2u);
    EXPECT_EQ(best[0].second.Id, "2bbb");
    EXPECT_EQ(best[0].second.PassTimes.size(), 101u);
    // Readings come back as they were kept, unknown figures unknown.
    const HistoryRun read = *history.FindRun("2bbb");
    EXPECT_EQ(read.Cpu, 3);
    EXPECT_EQ(read.ReadingSources.CountersUnavailable, "perf_event_paranoid is 3");
    EXPECT_EQ(read.ReadingSources.MaxClockMHz, 3600.0);
    ASSERT_EQ(read.Readings.size(), 101u);
    EXPECT_EQ(read.Readings[7].CpuAtEnd, 5);
    EXPECT_EQ(read.Readings[100].WaitSeconds, 100 * 1e-4);
    EXPECT_EQ(read.Readings[100].MinorFaults, 100u);
    EXPECT_FALSE(read.Readings[9].Cycles.has_value());
    EXPECT_FALSE(read.Readings[9].StolenSeconds.has_value());
    EXPECT_EQ(read.Readings[9].ClockMHz, 3009.0);
    EXPECT_TRUE(history.FindRun("1aaa")->Readings.empty());
    EXPECT_EQ(read.WallSeconds, 3.75);
    EXPECT_EQ(read.CopiesOf, "c0");
    ASSERT_TRUE(read.Preflight.has_value());
    ASSERT_EQ(read.Preflight->Checks.size(), 2u);
    EXPECT_EQ(read.Preflight->Checks[0].Level, CheckLevel::Warn);
    EXPECT_EQ(read.Preflight->Checks[0].Fix, "renice");
    EXPECT_EQ(read.Preflight->Checks[1].Level, CheckLevel::Note);
    EXPECT_EQ(read.Preflight->Checks[1].Found, "on");
    EXPECT_FALSE(history.FindRun("1aaa")->Preflight.has_value());
    EXPECT_EQ(history.FindRun("1aaa")->WallSeconds, 0.0);

    EXPECT_TRUE(history.Delete("2bbb"));
    EXPECT_FALSE(history.Delete("2bbb"));
    SqliteDatabase check(dir.File("results.sqlite"));
    EXPECT_EQ(check.QueryInteger("SELECT count(*) FROM passes WHERE run_id = '2bbb'"), 0);
    EXPECT_EQ(check.QueryInteger("SELECT count(*) FROM passes"), 202);
    EXPECT_EQ(check.QueryInteger("SELECT count(*) FROM pass_readings"), 0);
    EXPECT_EQ(check.QueryInteger("SELECT count(*) FROM run_checks"), 0);
}

TEST(ResultsHistory, AFileItCannotUseIsNamedAndLeftAsItIs) {
    TempDir dir;
    const std::string path = dir.File("results.sqlite");
    const struct {
        const char* name;
        std::function<void()> make;
        std::string says;
    } cases[] = {
        {"not a database",
         [&] { FileSystem::WriteAll(path, std::vector<std::uint8_t>(5000, 'x')); },
         "file is not a database"},
        {"newer",
         [&] {
             SqliteDatabase newer(path);
             newer.Execute("PRAGMA user_version = 99");
         },
         "written by a newer Quelvorant (results history version 99, this one reads up to " +
             std::to_string(HistorySchema::kVersion) + ")"},
        {"foreign",
         [&] {
             SqliteDatabase foreign(path);
             foreign.Execute("CREATE TABLE notes (text TEXT)");
         },
         "not a Quelvorant results history"},
        {"a folder", [&] { std::filesystem::create_directory(path); }, "unable to open"},
        {"a planted trigger",
         [&] {
             ResultsHistory(path).Record(machine("m", "2026-12-01"), run("1", "m", 4.0));
             SqliteDatabase(path).Execute("CREATE TRIGGER zero AFTER INSERT ON runs BEGIN "
                                          "UPDATE runs SET score = 0; END");
         },
         "holds a trigger 'zero' that Quelvorant did not make"},
        {"a view",
         [&] {
             ResultsHistory{path};
             SqliteDatabase(path).Execute("CREATE VIEW fast AS SELECT * FROM runs");
         },
         "holds a view 'fast'"},
        {"a table beside ours",
         [&] {
             ResultsHistory{path};
             SqliteDatabase(path).Execute("CREATE TABLE notes (text TEXT)");
         },
         "holds a table 'notes'"},
        {"an empty file", [&] { FileSystem::WriteAll(path, {}); },
         "an empty file, not a results history; it is left as it is: move it aside"},
        {"a link that leads nowhere",
         [&] { std::filesystem::create_symlink(dir.File("gone.sqlite"), path); },
         "a symbolic link to " + dir.File("gone.sqlite") + ", which does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(path);
        c.make();
        const bool file = std::filesystem::is_regular_file(path);
        const auto before = file ? FileSystem::ReadAll(path) : std::vector<std::uint8_t>();
        try {
            ResultsHistory history(path);
            ADD_FAILURE() << "opened";
        } catch (const QuelError& error) {
            EXPECT_EQ(error.Description().rfind(path + ": ", 0), 0u) << error.Description();
            EXPECT_NE(error.Description().find(c.says), std::string::npos) << error.Description();
        }
        if (file) {
            EXPECT_EQ(FileSystem::ReadAll(path), before);
        }
        EXPECT_EQ(std::filesystem::is_regular_file(path), file);
        EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    }
}

TEST(ResultsHistory, ImportedFactsReplaceKeptOnesOnlyWhenReadLaterAndNotAheadOfTheClock) {
    TempDir dir;
    ResultsHistory history(dir.File("results.sqlite"));
    HistoryMachine first = machine("m", "2026-12-01T10:00:00+01:00");
    history.Import({first}, {});
    const struct {
        const char* seen;
        bool replaces;
    } cases[] = {
        {"2026-12-01T09:30:00Z", true},  // later than 09:00 UTC, though its text sorts lower
        {"2026-11-30T10:00:00Z", false}, // older
        {"9999-01-01T00:00:00Z", false}, // ahead of the clock
        {"garbage", false},
        {"2026-12-02T00:00:00Z", true},
    };
    for (const auto& c : cases) {
        HistoryMachine next = machine("m", c.seen);
        next.HostName = std::string("host seen ") + c.seen;
        const std::string before = history.FindMachine(key("m"))->HostName;
        history.Import({next}, {});
        EXPECT_EQ(history.FindMachine(key("m"))->HostName, c.replaces ? next.HostName : before)
            << c.seen;
    }
    // This computer's own facts are never replaced from a file.
    history.Import({machine("m", "2026-12-03T00:00:00Z")}, {}, machine("m", ""));
    EXPECT_EQ(history.FindMachine(key("m"))->LastSeen, "2026-12-02T00:00:00Z");
}

TEST(ResultsHistory, AWalHoldingChangesIsCopiedAsideBeforeItIsApplied) {
    const struct {
        const char* name;
        bool foreign;
    } cases[] = {{"another database's -wal", true},
                 {"its own -wal, as a killed writer leaves it", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("results.sqlite");
        ResultsHistory(path).Record(machine("m", "2026-12-01T00:00:00Z"), run("1a", "m", 3.5));
        {
            // A connection that is still open keeps its last change in the -wal.
            SqliteDatabase source(c.foreign ? dir.File("other.sqlite") : path);
            source.Execute(c.foreign ? "PRAGMA journal_mode = WAL; CREATE TABLE x (a)"
                                     : "DELETE FROM passes WHERE run_id = '1a'");
            std::filesystem::copy_file(source.Path() + "-wal", dir.File("wal"));
        }
        std::filesystem::copy_file(dir.File("wal"), path + "-wal",
                                   std::filesystem::copy_options::overwrite_existing);
        const auto before = FileSystem::ReadAll(path);
        const auto wal = FileSystem::ReadAll(path + "-wal");
        std::string kept;
        try {
            ResultsHistory opened(path);
            kept = opened.KeptCopy();
            EXPECT_FALSE(c.foreign);
            EXPECT_TRUE(opened.FindRun("1a")->PassTimes.empty());
        } catch (const QuelError& error) {
            EXPECT_TRUE(c.foreign);
            EXPECT_NE(error.Description().find("not used, and what it held before it was opened "
                                               "is kept as " +
                                               path + ".kept-"),
                      std::string::npos)
                << error.Description();
            kept = error.Description().substr(error.Description().find(path + ".kept-"));
            kept = kept.substr(0, kept.find(' '));
        }
        ASSERT_FALSE(kept.empty());
        EXPECT_EQ(FileSystem::ReadAll(kept), before);
        EXPECT_EQ(FileSystem::ReadAll(kept + "-wal"), wal);
    }
}

TEST(ResultsHistory, TheWalOfAProgramWritingNowIsItsWorkAndNotCopiedAside) {
    TempDir dir;
    const std::string path = dir.File("results.sqlite");
    ResultsHistory(path).Record(machine("m", "2026-12-01T00:00:00Z"), run("1a", "m", 3.5));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        // Another program, with a change of its own in the -wal.
        SqliteDatabase other(path);
        other.Execute("PRAGMA wal_autocheckpoint = 0; DELETE FROM passes WHERE run_id = '1a'");
        (void)!::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_TRUE(HoldsChanges(path + "-wal"));
    {
        ResultsHistory opened(path);
        EXPECT_EQ(opened.KeptCopy(), "");
        EXPECT_TRUE(opened.FindRun("1a")->PassTimes.empty());
    }
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
}
