#include "history/HistoryRunCheck.h"

#include "platform/QuelError.h"
#include "platform/Rfc3339Time.h"
#include "results/JsonFields.h"
#include "run/BenchmarkRun.h"
#include "run/PassCounts.h"

#include <cctype>
#include <cmath>

namespace {

bool isUuid(const std::string& id) {
    if (id.size() != 36) {
        return false;
    }
    for (std::size_t i = 0; i < id.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? id[i] != '-' : !std::isxdigit(static_cast<unsigned char>(id[i]))) {
            return false;
        }
    }
    return true;
}

bool isSha256(const std::string& text) {
    if (text.size() != 64) {
        return false;
    }
    for (const char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

// Names what is wrong and where.
class Refusal {
  public:
    Refusal(const std::string& path, std::string what) : path_(path), what_(std::move(what)) {}
    void Require(bool holds, const std::string& field, const std::string& rule) const {
        if (!holds) {
            throw QuelError(QuelError::kOwnError, "CheckImportedDocument",
                            path_ + ": " + what_ + ": field '" + field + "' " + rule);
        }
    }

  private:
    const std::string& path_;
    std::string what_;
};

void checkTime(const Refusal& refusal, const std::string& field, const std::string& time) {
    refusal.Require(time.size() <= ImportLimits::kTimeBytes && Rfc3339Seconds(time).has_value(),
                    field, "must be an RFC 3339 time such as 2026-12-09T10:15:00Z");
}

void checkName(const Refusal& refusal, const std::string& field, const std::string& text) {
    refusal.Require(text.size() <= ImportLimits::kNameBytes, field,
                    "must be at most " + std::to_string(ImportLimits::kNameBytes) + " bytes");
}

void checkRun(const HistoryRun& run, std::size_t index, const std::string& path) {
    const Refusal refusal(path, ItemName("run", index, run.Id));
    refusal.Require(isUuid(run.Id), "id", "must be a UUID");
    checkName(refusal, "machine_id", run.MachineId);
    checkName(refusal, "machine_name", run.MachineName);
    checkTime(refusal, "started_at", run.StartedAt);
    refusal.Require(run.ProgramVersion.size() <= ImportLimits::kVersionBytes, "program_version",
                    "must be at most " + std::to_string(ImportLimits::kVersionBytes) + " bytes");
    refusal.Require(isSha256(run.InputSha256), "input_sha256", "must be 64 hexadecimal digits");
    refusal.Require(run.Copies >= 1 && run.Copies <= ImportLimits::kCopiesMax, "threads",
                    "must be from 1 to " + std::to_string(ImportLimits::kCopiesMax));
    refusal.Require(run.PassTimes.size() == PassCounts::kAll, "pass_times",
                    "must hold " + std::to_string(PassCounts::kAll) + " times, not " +
                        std::to_string(run.PassTimes.size()));
    refusal.Require(run.Readings.empty() || run.Readings.size() == run.PassTimes.size(), "readings",
                    "must hold one reading per pass time");
    double sum = 0.0;
    for (std::size_t pass = 0; pass < run.PassTimes.size(); ++pass) {
        const double seconds = run.PassTimes[pass];
        refusal.Require(
            std::isfinite(seconds) && seconds > 0.0 && seconds <= ImportLimits::kPassSecondsMax,
            "pass_times",
            "must be above 0 and at most 86400 seconds (pass " + std::to_string(pass + 1) + ")");
        if (pass < PassCounts::kSummed) {
            sum += seconds;
        }
    }
    refusal.Require(
        std::isfinite(run.TimeSumma) && std::fabs(run.TimeSumma - sum) <= 1e-9 * sum, "time_summa",
        "must be the sum of the first " + std::to_string(PassCounts::kSummed) + " pass times");
    refusal.Require(run.Score == BenchmarkRun::Score(run.TimeSumma), "score",
                    "must be the score of its Time Summa");
    refusal.Require(std::isfinite(run.WallSeconds) && run.WallSeconds >= 0.0 &&
                        run.WallSeconds <= ImportLimits::kPassSecondsMax * PassCounts::kAll,
                    "wall_seconds", "must be from 0 to 101 days in seconds");
    refusal.Require(run.CopiesOf.empty() || (run.Copies > 1 && isUuid(run.CopiesOf)), "copies_of",
                    "must be a UUID, and only of a run of several copies");
    if (run.Preflight) {
        refusal.Require(run.Preflight->Checks.size() <= ImportLimits::kChecksMax, "preflight",
                        "must hold at most " + std::to_string(ImportLimits::kChecksMax) +
                            " checks");
        for (const PreflightCheck& check : run.Preflight->Checks) {
            for (const std::string* text : {&check.Name, &check.Found, &check.Fix}) {
                refusal.Require(text->size() <= ImportLimits::kCheckBytes, "preflight",
                                "must hold texts of at most " +
                                    std::to_string(ImportLimits::kCheckBytes) + " bytes");
            }
        }
    }
}

} // namespace

void CheckImportedDocument(const HistoryDocument& document, const std::string& path) {
    for (std::size_t i = 0; i < document.Runs.size(); ++i) {
        checkRun(document.Runs[i], i, path);
    }
    for (std::size_t i = 0; i < document.Machines.size(); ++i) {
        const HistoryMachine& machine = document.Machines[i];
        const Refusal refusal(path, ItemName("machine", i, machine.Id));
        refusal.Require(!machine.Id.empty(), "id", "must not be empty");
        checkName(refusal, "id", machine.Id);
        checkName(refusal, "name", machine.Name);
        checkName(refusal, "host_name", machine.HostName);
        checkName(refusal, "processor", machine.Processor);
        checkTime(refusal, "last_seen", machine.LastSeen);
        refusal.Require(machine.Info.dump().size() <= ImportLimits::kInfoBytes, "info",
                        "must be at most " + std::to_string(ImportLimits::kInfoBytes >> 10) +
                            " KiB");
    }
}
