#pragma once

#include "history/HistoryRun.h"
#include "history/SqliteDatabase.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Every benchmark run kept on this computer, with the machines they ran on,
// in one SQLite database. Several programs may use it at once: it is opened
// in WAL mode, each run is written in one transaction and a writer waits for
// another, and after each write the -wal is emptied into the file. A file that is corrupt,
// unreadable, foreign or from a newer program raises a QuelError naming it and is never
// overwritten.
class ResultsHistory {
  public:
    enum class Access {
        // Making the file and its folder when missing, bringing an older
        // file up to date, and keeping changes.
        Write,
        // Reading only: a missing history is an empty one and nothing is
        // made, and the file is not changed, except that a file of an
        // older version is first brought up to date where it can be
        // written (and refused where it cannot). Keeping changes fails.
        Read,
    };

    // $XDG_DATA_HOME/quelvorant/results.sqlite, by default
    // ~/.local/share/quelvorant/results.sqlite; empty when neither names a
    // folder, and a history of an empty path is refused.
    static std::string DefaultPath();

    explicit ResultsHistory(const std::string& path = DefaultPath(), Access access = Access::Write);

    const std::string& Path() const { return database_.Path(); }
    // Where the file and its -wal or -journal were copied before they were
    // opened for writing, because the -wal or -journal held changes; empty
    // when not. Reading changes neither, so it copies nothing.
    const std::string& KeptCopy() const { return keptCopy_; }

    // Keeps one run with the facts of its machine, in one transaction.
    void Record(const HistoryMachine& machine, const HistoryRun& run);
    // Keeps the runs not kept yet (by id) and their machines, all in one
    // transaction; returns how many runs were new. A machine's facts are
    // replaced only by facts read later, never at a time ahead of this
    // computer's clock, and never those of thisMachine (its id and name), the
    // computer that runs the program: its facts come from itself alone.
    int Import(const std::vector<HistoryMachine>& machines, const std::vector<HistoryRun>& runs,
               const HistoryMachine& thisMachine = {});

    // A machine is its id together with its name.
    struct MachineKey {
        std::string Id;
        std::string Name;
    };
    struct Filter {
        std::optional<MachineKey> Machine;
        std::optional<int> Limit;
    };
    // Newest first by the moment their times name, runs with a time ahead of
    // this computer's clock last; with their pass times, readings and checks
    // only when asked for.
    std::vector<HistoryRun> Runs(const Filter& filter = {}, bool withPassTimes = false);
    // A run by its id or a beginning of it that fits no other run.
    std::optional<HistoryRun> FindRun(const std::string& idOrBeginning);
    std::vector<HistoryMachine> Machines();
    std::optional<HistoryMachine> FindMachine(const MachineKey& key);
    // Deletes a run and its pass times; false when no run has that id.
    bool Delete(const std::string& id);
    // Each machine with its best run: the lowest Time Summa of a single copy
    // on the program's own test input. Machines without one are left out.
    std::vector<std::pair<HistoryMachine, HistoryRun>> BestRuns();

  private:
    // Whose facts a machine's are: read on this computer as it runs, from a
    // file, or from a file that names this computer.
    enum class Facts { Read, Imported, ThisMachinesFromFile };
    void keepMachine(const HistoryMachine& machine, Facts facts);
    bool keepRun(const HistoryRun& run);
    void keepChecks(const std::string& runId, const PreflightResult& preflight);
    // Reads the checks kept with each run into its Preflight.
    void loadChecks(std::vector<HistoryRun>& runs);
    std::vector<HistoryRun> runsWhere(const std::string& where,
                                      const std::vector<std::string>& values, bool withPassTimes,
                                      std::int64_t limit);
    void checkForWriting();
    void checkForReading();

    std::string keptCopy_;
    SqliteDatabase::Opening opening_;
    SqliteDatabase database_;
};
