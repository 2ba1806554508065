#include "history/ResultsHistory.h"

#include "history/HistoryFile.h"
#include "history/HistorySchema.h"
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
    "id, machine_id, started_at, program_version, source, input_sha256, comparable, time_summa, "
    "score, check_passed, threads";

HistoryRun runFrom(const SqliteStatement& row) {
    HistoryRun run;
    run.Id = row.Text(0);
    run.MachineId = row.Text(1);
    run.StartedAt = row.Text(2);
    run.ProgramVersion = row.Text(3);
    run.Source = row.Text(4);
    run.InputSha256 = row.Text(5);
    run.Comparable = row.Integer(6) != 0;
    run.TimeSumma = row.Real(7);
    run.Score = static_cast<double>(row.Integer(8));
    run.CheckPassed = row.Integer(9) != 0;
    run.Copies = static_cast<int>(row.Integer(10));
    return run;
}

HistoryMachine machineFrom(const SqliteStatement& row) {
    HistoryMachine machine;
    machine.Id = row.Text(0);
    machine.HostName = row.Text(1);
    machine.Processor = row.Text(2);
    machine.Info = nlohmann::json::parse(row.Text(3), nullptr, false);
    machine.LastSeen = row.Text(4);
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
    : keptCopy_(access == Access::Write ? prepareForWriting(path) : std::string()),
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
        std::string why = error.Description();
        const std::string untouched = "; the file is left as it is";
        if (why.size() > untouched.size() &&
            why.compare(why.size() - untouched.size(), untouched.size(), untouched) == 0) {
            why.resize(why.size() - untouched.size());
        }
        throw QuelError(error.Number(), error.Source(),
                        why +
                            "; the file is not used, and what it held before it was opened is "
                            "kept as " +
                            keptCopy_ + " with its -wal or -journal");
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
        for (const char* journal : {"-wal", "-journal"}) {
            if (HoldsChanges(Path() + journal)) {
                throw QuelError(error.Number(), error.Source(),
                                error.Description() + "; the " + journal +
                                    " beside it holds changes not saved into the file");
            }
        }
        throw;
    }
}

void ResultsHistory::keepMachine(const HistoryMachine& machine, Facts facts) {
    if (facts == Facts::Imported) {
        // Facts from a file replace those kept only when they were read
        // later, at a time this computer's clock can have seen.
        SqliteStatement kept(database_, "SELECT last_seen FROM machines WHERE id = ?1");
        kept.Bind(1, machine.Id);
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
                          ? "INSERT OR IGNORE INTO machines (id, host_name, processor, info, "
                            "last_seen) VALUES (?1, ?2, ?3, ?4, ?5)"
                          : "INSERT INTO machines (id, host_name, processor, info, last_seen) "
                            "VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT (id) DO UPDATE SET "
                            "host_name = excluded.host_name, processor = excluded.processor, "
                            "info = excluded.info, last_seen = excluded.last_seen";
    SqliteStatement statement(database_, sql);
    statement.Bind(1, machine.Id)
        .Bind(2, machine.HostName)
        .Bind(3, machine.Processor)
        .Bind(4, machine.Info.dump())
        .Bind(5, machine.LastSeen)
        .Run();
}

bool ResultsHistory::keepRun(const HistoryRun& run) {
    SqliteStatement insert(database_, std::string("INSERT OR IGNORE INTO runs (") + kRunColumns +
                                          ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, "
                                          "?10, ?11)");
    insert.Bind(1, run.Id)
        .Bind(2, run.MachineId)
        .Bind(3, run.StartedAt)
        .Bind(4, run.ProgramVersion)
        .Bind(5, run.Source)
        .Bind(6, run.InputSha256)
        .Bind(7, std::int64_t{run.Comparable})
        .Bind(8, run.TimeSumma)
        .Bind(9, static_cast<std::int64_t>(run.Score))
        .Bind(10, std::int64_t{run.CheckPassed})
        .Bind(11, std::int64_t{run.Copies})
        .Run();
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
    return true;
}

void ResultsHistory::Record(const HistoryMachine& machine, const HistoryRun& run) {
    SqliteTransaction transaction(database_);
    keepMachine(machine, Facts::Read);
    keepRun(run);
    transaction.Commit();
    database_.Checkpoint();
}

int ResultsHistory::Import(const std::vector<HistoryMachine>& machines,
                           const std::vector<HistoryRun>& runs, const std::string& thisMachineId) {
    SqliteTransaction transaction(database_);
    for (const HistoryMachine& machine : machines) {
        keepMachine(machine,
                    machine.Id == thisMachineId ? Facts::ThisMachinesFromFile : Facts::Imported);
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
                                                  const std::string& value, bool withPassTimes,
                                                  std::int64_t limit) {
    SqliteStatement query(database_, std::string("SELECT ") + kRunColumns + " FROM runs " + where);
    if (!value.empty()) {
        query.Bind(1, value);
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
    }
    return runs;
}

std::vector<HistoryRun> ResultsHistory::Runs(const Filter& filter, bool withPassTimes) {
    const std::int64_t limit =
        filter.Limit ? *filter.Limit : std::numeric_limits<std::int64_t>::max();
    if (filter.MachineId) {
        return runsWhere("WHERE machine_id = ?1", *filter.MachineId, withPassTimes, limit);
    }
    return runsWhere("", "", withPassTimes, limit);
}

std::optional<HistoryRun> ResultsHistory::FindRun(const std::string& idOrBeginning) {
    if (idOrBeginning.empty()) {
        return std::nullopt;
    }
    // Two rows are enough to tell a unique beginning from an ambiguous one.
    std::vector<HistoryRun> runs =
        runsWhere("WHERE substr(id, 1, length(?1)) = ?1", idOrBeginning, true, 2);
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
    SqliteStatement query(database_, "SELECT id, host_name, processor, info, last_seen "
                                     "FROM machines ORDER BY host_name, id");
    std::vector<HistoryMachine> machines;
    while (query.Step()) {
        machines.push_back(machineFrom(query));
    }
    return machines;
}

std::optional<HistoryMachine> ResultsHistory::FindMachine(const std::string& id) {
    SqliteStatement query(database_, "SELECT id, host_name, processor, info, last_seen "
                                     "FROM machines WHERE id = ?1");
    query.Bind(1, id);
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
            "WHERE machine_id = ?1 AND threads = 1 AND comparable = 1 AND check_passed = 1 AND "
            "time_summa = (SELECT min(time_summa) FROM runs WHERE machine_id = ?1 AND threads = 1 "
            "AND comparable = 1 AND check_passed = 1)",
            machine.Id, true, 1);
        if (!runs.empty()) {
            best.emplace_back(std::move(machine), std::move(runs.front()));
        }
    }
    return best;
}
