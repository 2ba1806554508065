#include "history/SqliteDatabase.h"
#include "history/SqliteStatement.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

TEST(ResultsHistory, AWriterKilledMidwayLosesNoCommittedRun) {
    TempDir dir;
    const std::string path = dir.File("results.sqlite");
    ChildProcess writer(QUEL_HISTORY_WRITER, {path}, dir.Path());
    ASSERT_TRUE(writer.Started());
    // Kills it at some moment while it writes, after a few hundred runs.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (writer.Out().size() < 3000 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    writer.Signal(SIGKILL);
    EXPECT_EQ(writer.Wait(), 128 + SIGKILL);

    // Every run it reported as committed is there, whole.
    std::istringstream reported(writer.Out());
    std::vector<std::string> ids;
    for (std::string line; std::getline(reported, line) && !reported.eof();) {
        ids.push_back(line);
    }
    ASSERT_GT(ids.size(), 100u);
    SqliteDatabase database(path);
    EXPECT_EQ(database.QueryText("PRAGMA integrity_check"), "ok");
    SqliteStatement passes(database, "SELECT count(*) FROM passes WHERE run_id = ?1");
    for (const std::string& id : ids) {
        passes.Bind(1, id);
        ASSERT_TRUE(passes.Step());
        EXPECT_EQ(passes.Integer(0), 101) << id;
        passes.Reset();
    }
    EXPECT_GE(database.QueryInteger("SELECT count(*) FROM runs"),
              static_cast<std::int64_t>(ids.size()));
}
