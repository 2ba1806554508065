#include "history/ResultsHistory.h"

#include "history/HistoryFile.h"
#include "history/HistorySchema.h"
#include "history/PassReadingRows.h"
#include "history/RunOrder.h"
#include "history/SqliteStatement.h"
#include "history/SqliteTransaction.h"
#include "history/UnsavedChanges.h"
#include "platform/QuelError.h"
#include "platform/Rfc3339Time.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <unistd.h>

namespace {

constexpr const char* kRunColumns =
    "id, machine_id, machine_name, started_at, program_version, source, input_sha256, comparable, "
    "time_summa, score, check_passed, threads, cpu, clock_source, counters_unavailable, "
    "max_clock_mhz, wall_seconds, copies_of";
constexpr const char* kMachineColumns = "id, name, host_name, processor, info, last_seen";

HistoryRun runFrom(const SqliteStatement& row) {
    HistoryRun run;
    run.Id = row.Text(0);
    run.MachineId = row.Text(1);
    run.MachineName = row.Text(2);
    run.StartedAt = row.Text(3);
    run.ProgramVersion = row.Text(4);
    run.Source = row.Text(5);
    run.InputSha256 = row.Text(6);
    run.Comparable = row.Integer(7) != 0;
    run.TimeSumma = row.Real(8);
    run.Score = static_cast<double>(row.Integer(9));
    run.CheckPassed = row.Integer(10) != 0;
    run.Copies = static_cast<int>(row.Integer(11));
    run.Cpu = row.IsNull(12) ? -1 : static_cast<int>(row.Integer(12));
    run.ReadingSources.Clock = row.IsNull(13) ? "" : row.Text(13);
    run.ReadingSources.CountersUnavailable = row.IsNull(14) ? "" : row.Text(14);
    if (!row.IsNull(15)) {
        run.ReadingSources.MaxClockMHz = row.Real(15);
    }
    run.WallSeconds = row.IsNull(16) ? 0.0 : row.Real(16);
    run.CopiesOf = row.IsNull(17) ? "" : row.Text(17);
    return run;
}

void bindText(SqliteStatement& statement, int index, const std::string& value) {
    if (value.empty()) {
        statement.BindNull(index);
    } else {
        statement.Bind(index, value);
    }
}

HistoryMachine machineFrom(const SqliteStatement& row) {
    HistoryMachine machine;
    machine.Id = row.Text(0);
    machine.Name = row.Text(1);
    machine.HostName = row.Text(2);
    machine.Processor = row.Text(3);
    machine.Info = nlohmann::json::parse(row.Text(4), nullptr, false);
    machine.LastSeen = row.Text(5);
    return machine;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

void requireNamed(const std::string& path) {
    if (path.empty()) {
        throw QuelError(QuelError::kOwnError, "ResultsHistory",
                        "no results history: neither XDG_DATA_HOME nor HOME names a folder");
    }
}

// Makes the file and its folder when missing; returns where unsaved changes
// were copied aside, if there were any.
std::string prepareForWriting(const std::string& path) {
    requireNamed(path);
    std::error_code error;
    std::filesystem::create_directories(folderOf(path), error);
    if (error) {
        throw QuelError(QuelError::kOwnError, "ResultsHistory", path + ": " + error.message());
    }
    PrepareHistoryFile(path);
    return KeepUnsavedChanges(path);
}

SqliteDatabase::Opening openingForReading(const std::string& path) {
    requireNamed(path);
    if (!HistoryFileExists(path)) {
        return SqliteDatabase::Opening::Absent;
    }
    // SQLite reads through the -wal with the -shm, which it makes when the
    // folder allows it; a writer that has the file open has both.
    if (::access(folderOf(path).c_str(), W_OK) == 0 ||
        (std::filesystem::exists(path + "-wal") && std::filesystem::exists(path + "-shm"))) {
        return SqliteDatabase::Opening::ReadOnly;
    }
    // No program can write to it now: the -wal it would need cannot be made.
    if (HoldsChanges(path + "-wal")) {
        throw QuelError(QuelError::kOwnError, "ResultsHistory",
                        path + ": the -wal beside it holds changes not saved into the file, and "
                               "without its -shm they cannot be read in a folder that cannot be "
                               "written to; the file is left as it is");
    }
    // Every change is in the file, as each write empties the -wal into it.
    return SqliteDatabase::Opening::Unchanging;
}

// A history of an older version that can be written to is brought up to
// date before it is read, as any use after an update of the program would.
// Anything else, a file with changes in its -wal or -journal among them, is
// left to the checks of the reading open, which say what is wrong.
void upToDateForReading(const std::string& path) {
    if (path.empty() || !HistoryFileExists(path) || ::access(path.c_str(), W_OK) != 0 ||
        ::access(folderOf(path).c_str(), W_OK) != 0 || HoldsChanges(path + "-wal") ||
        HoldsChanges(path + "-journal")) {
        return;
    }
    try {
        SqliteDatabase probe(path, SqliteDatabase::Opening::ReadOnly);
        const std::int64_t version = probe.QueryInteger("PRAGMA user_version");
        if (version < 1 || version >= HistorySchema::kVersion) {
            return;
        }
    } catch (const QuelError&) {
        return;
    }
    ResultsHistory(path, ResultsHistory::Access::Write);
}

// A refusal cut before what it says of the file and how to go on, for a
// message that says more.
std::string withoutRemedy(const std::string& refusal) {
    return refusal.substr(0, refusal.find(HistorySchema::kLeftAlone));
}

// What reading copies aside: nothing, as it changes nothing but an older
// version, which has no unsaved changes to copy.
std::string readyForReading(const std::string& path) {
    upToDateForReading(path);
    return {};
}

} // namespace

std::string ResultsHistory::DefaultPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string folder;
    const char* home = std::getenv("HOME");
    if (data != nullptr && data[0] == '/') {
        folder = data;
    } else if (home != nullptr && home[0] == '/') {
        folder = std::string(home) + "/.local/share";
    } else {
        // No folder of the user's: there is no history, rather than one in
        // /.local/share or below the current folder.
        return {};
    }
    return folder + "/quelvorant/results.sqlite";
}

ResultsHistory::ResultsHistory(const std::string& path, Access access)
    : keptCopy_(access == Access::Write ? prepareForWriting(path) : readyForReading(path)),
      opening_(access == Access::Write ? SqliteDatabase::Opening::ReadWrite
                                       : openingForReading(path)),
      database_(path, opening_) {
    if (access == Access::Write) {
        checkForWriting();
    } else {
        checkForReading();
    }
}

void ResultsHistory::checkForWriting() {
    try {
        HistorySchema::Migrate(database_);
    } catch (const QuelError& error) {
        if (keptCopy_.empty()) {
            throw;
        }
        // Opening it applied its -wal, so the file may differ from before;
        // the copies hold what was there.
        throw QuelError(error.Number(), error.Source(),
                        withoutRemedy(error.Description()) +
                            "; the file is not used, and what it held before it was opened is "
                            "kept as " +
                            keptCopy_ +
                            " with its -wal or -journal: to go back to it, move that copy over " +
                            Path() +
                            " (with its -wal only if that was the history's own), or move the "
                            "file aside to start a new history");
    }
    // Readers and one writer at a time, without blocking each other; the
    // journal is kept beside the file.
    database_.ExecuteWhenFree("PRAGMA journal_mode = WAL");
    database_.Execute("PRAGMA foreign_keys = ON");
    database_.Checkpoint();
}

void ResultsHistory::checkForReading() {
    if (opening_ == SqliteDatabase::Opening::Absent) {
        // No runs kept yet: empty tables, in which nothing can be kept.
        HistorySchema::Migrate(database_);
        database_.Execute("PRAGMA query_only = ON");
        return;
    }
    try {
        HistorySchema::CheckCurrent(database_);
    } catch (const QuelError& error) {
        // What was refused may have come from a -wal or -journal rather than
        // the file itself.
        for (const std::string journal : {"-wal", "-journal"}) {
            if (HoldsChanges(Path() + journal)) {
                throw QuelError(error.Number(), error.Source(),
                                withoutRemedy(error.Description()) + HistorySchema::kLeftAlone +
                                    ", and its " + journal +
                                    " holds changes not saved into it: move both aside to start "
                                    "a new history, or only the " +
                                    journal + " if it came from elsewhere");
            }
        }
        throw;
    }
}

void ResultsHistory::keepMachine(const HistoryMachine& machine, Facts facts) {
    if (facts == Facts::Imported) {
        // Facts from a file replace those kept only when they were read
        // later, at a time this computer's clock can have seen.
        SqliteStatement kept(database_,
                             "SELECT last_seen FROM machines WHERE id = ?1 AND name = ?2");
        kept.Bind(1, machine.Id).Bind(2, machine.Name);
        if (kept.Step()) {
            const auto keptAt = Rfc3339Seconds(kept.Text(0));
            const auto seenAt = Rfc3339Seconds(machine.LastSeen);
            if (StandingOf(machine.LastSeen, ClockSeconds()) != TimeStanding::Past ||
                (keptAt && *keptAt > *seenAt)) {
                return;
            }
        }
    }
    const char* sql = facts == Facts::ThisMachinesFromFile
                          ? "INSERT OR IGNORE INTO machines (id, name, host_name, processor, "
                            "info, last_seen) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"
                          : "INSERT INTO machines (id, name, host_name, processor, info, "
                            "last_seen) VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT (id, name) "
                            "DO UPDATE SET host_name = excluded.host_name, "
                            "processor = excluded.processor, info = excluded.info, "
                            "last_seen = excluded.last_seen";
    SqliteStatement statement(database_, sql);
    statement.Bind(1, machine.Id)
        .Bind(2, machine.Name)
        .Bind(3, machine.HostName)
        .Bind(4, machine.Processor)
        .Bind(5, machine.Info.dump())
        .Bind(6, machine.LastSeen)
        .Run();
}

bool ResultsHistory::keepRun(const HistoryRun& run) {
    SqliteStatement insert(database_, std::string("INSERT OR IGNORE INTO runs (") + kRunColumns +
                                          ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, "
                                          "?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18)");
    insert.Bind(1, run.Id)
        .Bind(2, run.MachineId)
        .Bind(3, run.MachineName)
        .Bind(4, run.StartedAt)
        .Bind(5, run.ProgramVersion)
        .Bind(6, run.Source)
        .Bind(7, run.InputSha256)
        .Bind(8, std::int64_t{run.Comparable})
        .Bind(9, run.TimeSumma)
        .Bind(10, static_cast<std::int64_t>(run.Score))
        .Bind(11, std::int64_t{run.CheckPassed})
        .Bind(12, std::int64_t{run.Copies});
    BindProcessorOrNull(insert, 13, run.Cpu);
    bindText(insert, 14, run.ReadingSources.Clock);
    bindText(insert, 15, run.ReadingSources.CountersUnavailable);
    BindRealOrNull(insert, 16, run.ReadingSources.MaxClockMHz);
    BindRealOrNull(insert, 17,
                   run.WallSeconds > 0.0 ? std::optional(run.WallSeconds) : std::nullopt);
    bindText(insert, 18, run.CopiesOf);
    insert.Run();
    if (database_.QueryInteger("SELECT changes()") == 0) {
        return false;
    }
    SqliteStatement pass(database_,
                         "INSERT INTO passes (run_id, pass, seconds) VALUES (?1, ?2, ?3)");
    for (std::size_t i = 0; i < run.PassTimes.size(); ++i) {
        pass.Bind(1, run.Id).Bind(2, static_cast<std::int64_t>(i + 1)).Bind(3, run.PassTimes[i]);
        pass.Run();
        pass.Reset();
    }
    if (run.Preflight) {
        keepChecks(run.Id, *run.Preflight);
    }
    if (run.Readings.empty()) {
        return true;
    }
    SqliteStatement reading(database_, std::string("INSERT INTO pass_readings (run_id, pass, ") +
                                           kPassReadingColumns +
                                           ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                                           "?11, ?12, ?13, ?14, ?15)");
    for (std::size_t i = 0; i < run.Readings.size(); ++i) {
        reading.Bind(1, run.Id).Bind(2, static_cast<std::int64_t>(i + 1));
        BindPassReading(reading, 3, run.Readings[i]);
        reading.Run();
        reading.Reset();
    }
    return true;
}

void ResultsHistory::keepChecks(const std::string& runId, const PreflightResult& preflight) {
    SqliteStatement check(database_, "INSERT INTO run_checks (run_id, position, name, level, "
                                     "found, fix) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    for (std::size_t i = 0; i < preflight.Checks.size(); ++i) {
        const PreflightCheck& kept = preflight.Checks[i];
        check.Bind(1, runId)
            .Bind(2, static_cast<std::int64_t>(i))
            .Bind(3, kept.Name)
            .Bind(4, std::string(LevelName(kept.Level)))
            .Bind(5, kept.Found)
            .Bind(6, kept.Fix);
        check.Run();
        check.Reset();
    }
}

void ResultsHistory::Record(const HistoryMachine& machine, const HistoryRun& run) {
    SqliteTransaction transaction(database_);
    keepMachine(machine, Facts::Read);
    keepRun(run);
    transaction.Commit();
    database_.Checkpoint();
}

int ResultsHistory::Import(const std::vector<HistoryMachine>& machines,
                           const std::vector<HistoryRun>& runs, const HistoryMachine& thisMachine) {
    SqliteTransaction transaction(database_);
    for (const HistoryMachine& machine : machines) {
        const bool self = machine.Id == thisMachine.Id && machine.Name == thisMachine.Name;
        keepMachine(machine, self ? Facts::ThisMachinesFromFile : Facts::Imported);
    }
    int added = 0;
    for (const HistoryRun& run : runs) {
        added += keepRun(run) ? 1 : 0;
    }
    transaction.Commit();
    database_.Checkpoint();
    return added;
}

std::vector<HistoryRun> ResultsHistory::runsWhere(const std::string& where,
                                                  const std::vector<std::string>& values,
                                                  bool withPassTimes, std::int64_t limit) {
    SqliteStatement query(database_, std::string("SELECT ") + kRunColumns + " FROM runs " + where);
    for (std::size_t i = 0; i < values.size(); ++i) {
        query.Bind(static_cast<int>(i + 1), values[i]);
    }
    std::vector<HistoryRun> runs;
    while (query.Step()) {
        runs.push_back(runFrom(query));
    }
    // Times are ordered by the moment they name, which their text does not
    // tell across time zones, and a time ahead of the clock is never newest.
    SortNewestFirst(runs, ClockSeconds());
    if (static_cast<std::uint64_t>(limit) < runs.size()) {
        runs.resize(static_cast<std::size_t>(limit));
    }
    if (withPassTimes) {
        SqliteStatement passes(database_,
                               "SELECT seconds FROM passes WHERE run_id = ?1 ORDER BY pass");
        for (HistoryRun& run : runs) {
            passes.Bind(1, run.Id);
            while (passes.Step()) {
                run.PassTimes.push_back(passes.Real(0));
            }
            passes.Reset();
        }
        SqliteStatement readings(database_, std::string("SELECT ") + kPassReadingColumns +
                                                " FROM pass_readings WHERE run_id = ?1 "
                                                "ORDER BY pass");
        for (HistoryRun& run : runs) {
            readings.Bind(1, run.Id);
            while (readings.Step()) {
                run.Readings.push_back(PassReadingOf(readings, 0));
            }
            readings.Reset();
        }
        loadChecks(runs);
    }
    return runs;
}

void ResultsHistory::loadChecks(std::vector<HistoryRun>& runs) {
    // A run kept with checks has at least one row; none tells a run without.
    SqliteStatement checks(database_, "SELECT name, level, found, fix FROM run_checks "
                                      "WHERE run_id = ?1 ORDER BY position");
    for (HistoryRun& run : runs) {
        checks.Bind(1, run.Id);
        while (checks.Step()) {
            const std::string level = checks.Text(1);
            PreflightCheck check;
            check.Name = checks.Text(0);
            check.Level = level == "warn"   ? CheckLevel::Warn
                          : level == "note" ? CheckLevel::Note
                                            : CheckLevel::Pass;
            check.Found = checks.Text(2);
            check.Fix = checks.Text(3);
            run.Preflight = run.Preflight.value_or(PreflightResult{});
            run.Preflight->Checks.push_back(std::move(check));
        }
        checks.Reset();
    }
}

std::vector<HistoryRun> ResultsHistory::Runs(const Filter& filter, bool withPassTimes) {
    const std::int64_t limit =
        filter.Limit ? *filter.Limit : std::numeric_limits<std::int64_t>::max();
    if (filter.Machine) {
        return runsWhere("WHERE machine_id = ?1 AND machine_name = ?2",
                         {filter.Machine->Id, filter.Machine->Name}, withPassTimes, limit);
    }
    return runsWhere("", {}, withPassTimes, limit);
}

std::optional<HistoryRun> ResultsHistory::FindRun(const std::string& idOrBeginning) {
    if (idOrBeginning.empty()) {
        return std::nullopt;
    }
    // Two rows are enough to tell a unique beginning from an ambiguous one.
    std::vector<HistoryRun> runs =
        runsWhere("WHERE substr(id, 1, length(?1)) = ?1", {idOrBeginning}, true, 2);
    for (HistoryRun& run : runs) {
        if (run.Id == idOrBeginning) {
            return std::move(run);
        }
    }
    if (runs.size() != 1) {
        return std::nullopt;
    }
    return std::move(runs.front());
}

std::vector<HistoryMachine> ResultsHistory::Machines() {
    SqliteStatement query(database_, std::string("SELECT ") + kMachineColumns +
                                         " FROM machines ORDER BY name, host_name, id");
    std::vector<HistoryMachine> machines;
    while (query.Step()) {
        machines.push_back(machineFrom(query));
    }
    return machines;
}

std::optional<HistoryMachine> ResultsHistory::FindMachine(const MachineKey& key) {
    SqliteStatement query(database_, std::string("SELECT ") + kMachineColumns +
                                         " FROM machines WHERE id = ?1 AND name = ?2");
    query.Bind(1, key.Id).Bind(2, key.Name);
    if (!query.Step()) {
        return std::nullopt;
    }
    return machineFrom(query);
}

bool ResultsHistory::Delete(const std::string& id) {
    SqliteTransaction transaction(database_);
    SqliteStatement statement(database_, "DELETE FROM runs WHERE id = ?1");
    statement.Bind(1, id).Run();
    const bool deleted = database_.QueryInteger("SELECT changes()") > 0;
    transaction.Commit();
    database_.Checkpoint();
    return deleted;
}

std::vector<std::pair<HistoryMachine, HistoryRun>> ResultsHistory::BestRuns() {
    std::vector<std::pair<HistoryMachine, HistoryRun>> best;
    for (HistoryMachine& machine : Machines()) {
        std::vector<HistoryRun> runs = runsWhere(
            "WHERE machine_id = ?1 AND machine_name = ?2 AND threads = 1 AND comparable = 1 AND "
            "check_passed = 1 AND time_summa = (SELECT min(time_summa) FROM runs WHERE "
            "machine_id = ?1 AND machine_name = ?2 AND threads = 1 AND comparable = 1 AND "
            "check_passed = 1)",
            {machine.Id, machine.Name}, true, 1);
        if (!runs.empty()) {
            best.emplace_back(std::move(machine), std::move(runs.front()));
        }
    }
    return best;
}
