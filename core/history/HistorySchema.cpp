#include "history/HistorySchema.h"

#include "history/SqliteDatabase.h"
#include "history/SqliteStatement.h"
#include "history/SqliteTransaction.h"
#include "platform/QuelError.h"

#include <array>
#include <string>

namespace {

// Step n takes a database from version n - 1 to version n.
const std::array<const char*, HistorySchema::kVersion> kSteps = {
    // 1: machines and their runs, the pass times of a run as a JSON array.
    R"(CREATE TABLE machines (
         id TEXT PRIMARY KEY,
         host_name TEXT NOT NULL,
         processor TEXT NOT NULL,
         info TEXT NOT NULL,
         last_seen TEXT NOT NULL);
       CREATE TABLE runs (
         id TEXT PRIMARY KEY,
         machine_id TEXT NOT NULL REFERENCES machines(id),
         started_at TEXT NOT NULL,
         program_version TEXT NOT NULL,
         source TEXT NOT NULL CHECK (source IN ('window', 'cli')),
         input_sha256 TEXT NOT NULL,
         comparable INTEGER NOT NULL,
         time_summa REAL NOT NULL,
         score INTEGER NOT NULL,
         check_passed INTEGER NOT NULL,
         threads INTEGER NOT NULL,
         pass_times TEXT NOT NULL);)",
    // 2: one row per pass, so that pass times can be queried and charted
    // without parsing; runs found by machine and time through an index.
    R"(CREATE TABLE passes (
         run_id TEXT NOT NULL REFERENCES runs(id) ON DELETE CASCADE,
         pass INTEGER NOT NULL CHECK (pass BETWEEN 1 AND 101),
         seconds REAL NOT NULL,
         PRIMARY KEY (run_id, pass)) WITHOUT ROWID;
       INSERT INTO passes (run_id, pass, seconds)
         SELECT runs.id, pass_time.key + 1, pass_time.value
         FROM runs, json_each(runs.pass_times) AS pass_time;
       ALTER TABLE runs DROP COLUMN pass_times;
       CREATE INDEX runs_by_machine ON runs (machine_id, started_at);)",
    // 3: a machine is its id together with its name, so that clones of one
    // system image stay apart; a machine kept before is named by its host
    // name. The tables are made anew, as SQLite cannot change a key; the
    // program turns foreign keys on only after the steps, so that dropping
    // the old runs deletes no pass.
    R"(CREATE TABLE machines_named (
         id TEXT NOT NULL,
         name TEXT NOT NULL,
         host_name TEXT NOT NULL,
         processor TEXT NOT NULL,
         info TEXT NOT NULL,
         last_seen TEXT NOT NULL,
         PRIMARY KEY (id, name));
       INSERT INTO machines_named (id, name, host_name, processor, info, last_seen)
         SELECT id, host_name, host_name, processor, info, last_seen FROM machines;
       CREATE TABLE runs_named (
         id TEXT PRIMARY KEY,
         machine_id TEXT NOT NULL,
         machine_name TEXT NOT NULL,
         started_at TEXT NOT NULL,
         program_version TEXT NOT NULL,
         source TEXT NOT NULL CHECK (source IN ('window', 'cli')),
         input_sha256 TEXT NOT NULL,
         comparable INTEGER NOT NULL,
         time_summa REAL NOT NULL,
         score INTEGER NOT NULL,
         check_passed INTEGER NOT NULL,
         threads INTEGER NOT NULL,
         FOREIGN KEY (machine_id, machine_name) REFERENCES machines (id, name));
       INSERT INTO runs_named (id, machine_id, machine_name, started_at, program_version, source,
                               input_sha256, comparable, time_summa, score, check_passed, threads)
         SELECT runs.id, runs.machine_id, coalesce(machines.host_name, ''), started_at,
                program_version, source, input_sha256, comparable, time_summa, score,
                check_passed, threads
         FROM runs LEFT JOIN machines ON machines.id = runs.machine_id;
       DROP TABLE runs;
       DROP TABLE machines;
       ALTER TABLE machines_named RENAME TO machines;
       ALTER TABLE runs_named RENAME TO runs;
       CREATE INDEX runs_by_machine ON runs (machine_id, machine_name, started_at);)",
    // 4: what each pass met, beside its time, and of a run the processor it
    // was pinned to and where its clock readings came from; runs kept before
    // have none.
    R"(CREATE TABLE pass_readings (
         run_id TEXT NOT NULL,
         pass INTEGER NOT NULL,
         cpu_start INTEGER,
         cpu_end INTEGER,
         wait_seconds REAL,
         involuntary_switches INTEGER,
         stolen_seconds REAL,
         minor_faults INTEGER,
         major_faults INTEGER,
         cycles INTEGER,
         instructions INTEGER,
         clock_mhz REAL,
         temperature_c REAL,
         throttle_events INTEGER,
         reading_seconds REAL NOT NULL,
         PRIMARY KEY (run_id, pass),
         FOREIGN KEY (run_id, pass) REFERENCES passes (run_id, pass) ON DELETE CASCADE)
         WITHOUT ROWID;
       ALTER TABLE runs ADD COLUMN cpu INTEGER;
       ALTER TABLE runs ADD COLUMN clock_source TEXT;
       ALTER TABLE runs ADD COLUMN counters_unavailable TEXT;
       ALTER TABLE runs ADD COLUMN max_clock_mhz REAL;)",
    // 5: a run's wall time, which copies ran together, and the checks of the
    // machine made just before it; runs kept before have none.
    R"(ALTER TABLE runs ADD COLUMN wall_seconds REAL;
       ALTER TABLE runs ADD COLUMN copies_of TEXT;
       CREATE TABLE run_checks (
         run_id TEXT NOT NULL REFERENCES runs (id) ON DELETE CASCADE,
         position INTEGER NOT NULL,
         name TEXT NOT NULL,
         level TEXT NOT NULL CHECK (level IN ('pass', 'note', 'warn')),
         found TEXT NOT NULL,
         fix TEXT NOT NULL,
         PRIMARY KEY (run_id, position)) WITHOUT ROWID;)",
};

// What the steps make, besides SQLite's own objects. Anything else in the
// file (a trigger, a view, another table or index) was put there by
// something else and could act on every write.
bool ours(const std::string& type, const std::string& name) {
    return (type == "table" && (name == "machines" || name == "runs" || name == "passes" ||
                                name == "pass_readings" || name == "run_checks")) ||
           (type == "index" && name == "runs_by_machine");
}

// The first object in the file that the steps do not make, as "trigger
// 'zero'"; empty when there is none.
std::string foreignObject(SqliteDatabase& database) {
    SqliteStatement objects(database, "SELECT type, name FROM sqlite_master "
                                      "WHERE name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
    while (objects.Step()) {
        if (!ours(objects.Text(0), objects.Text(1))) {
            return objects.Text(0) + " '" + objects.Text(1) + "'";
        }
    }
    return {};
}

// A refusal, with how to go on: move the file aside, or what else helps.
QuelError leftAlone(const SqliteDatabase& database, const std::string& why,
                    const std::string& otherwise = "") {
    return QuelError(QuelError::kOwnError, "HistorySchema",
                     database.Path() + ": " + why + HistorySchema::kLeftAlone + ": " + otherwise +
                         "move it aside to start a new history");
}

// The database's version, once it is known to be a results history that
// this program can use; refused otherwise, without writing anything.
std::int64_t checkedVersion(SqliteDatabase& database) {
    // Reading the version fails on a file that is not a database. The
    // version and the tables are read in one statement, so that both come
    // from the same moment even while another program makes the tables.
    std::int64_t version = 0;
    std::int64_t tables = 0;
    try {
        SqliteStatement first(database, "SELECT (SELECT user_version FROM pragma_user_version), "
                                        "(SELECT count(*) FROM sqlite_master)");
        first.Step();
        version = first.Integer(0);
        tables = first.Integer(1);
    } catch (const QuelError& error) {
        if (!database.Damaged()) {
            throw;
        }
        throw leftAlone(database, error.Description().substr(database.Path().size() + 2));
    }
    if (version > HistorySchema::kVersion) {
        throw leftAlone(database,
                        "written by a newer Quelvorant (results history version " +
                            std::to_string(version) + ", this one reads up to " +
                            std::to_string(HistorySchema::kVersion) + ")",
                        "open it with that Quelvorant, or ");
    }
    if (version == 0 && tables > 0) {
        throw leftAlone(database, "not a Quelvorant results history (it holds other tables)");
    }
    if (const std::string foreign = foreignObject(database); !foreign.empty()) {
        throw leftAlone(database, "holds a " + foreign + " that Quelvorant did not make");
    }
    return version;
}

} // namespace

namespace HistorySchema {

void Migrate(SqliteDatabase& database, std::int64_t upTo) {
    if (checkedVersion(database) >= upTo) {
        return;
    }
    SqliteTransaction transaction(database);
    // Another program may have taken the steps while this one waited.
    std::int64_t version = database.QueryInteger("PRAGMA user_version");
    if (version < upTo) {
        for (; version < upTo; ++version) {
            database.Execute(kSteps[static_cast<std::size_t>(version)]);
        }
        database.Execute("PRAGMA user_version = " + std::to_string(upTo));
    }
    transaction.Commit();
}

void CheckCurrent(SqliteDatabase& database) {
    const std::int64_t version = checkedVersion(database);
    if (version < kVersion) {
        throw leftAlone(database,
                        "results history version " + std::to_string(version) +
                            " of an older Quelvorant, which cannot be brought up to date where "
                            "it cannot be written to",
                        "open it where it can be written to, or ");
    }
}

} // namespace HistorySchema
