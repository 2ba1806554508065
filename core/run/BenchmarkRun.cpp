#include "run/BenchmarkRun.h"

#include "platform/BenchmarkMemory.h"
#include "platform/FileSystem.h"
#include "platform/QuelError.h"
#include "platform/Version.h"
#include "run/NumberText.h"
#include "run/OutputCheck.h"
#include "run/PassCounts.h"

#include <cmath>

using Bar = BenchmarkView::Bar;
using Caption = BenchmarkView::Caption;
using Command = BenchmarkView::Command;

BenchmarkRun::BenchmarkRun(BenchmarkView& view, TimedPasses& passes, SaveOffers saveOffers)
    : view_(view), passes_(passes), saveOffers_(std::move(saveOffers)) {}

void BenchmarkRun::Run() {
    // The passes' buffers stay in the process, whatever program runs them.
    KeepBenchmarkMemory();
    lastCheck_ = CheckResult{};
    startedAt_ = RunRecord::Now();
    start_ = std::chrono::steady_clock::now();
    setCommandsEnabled(false);
    view_.TimeListClear();
    passes_.StartRun();
    view_.SetBarValue(Bar::ProgBar1, 0);
    view_.SetBarValue(Bar::ProgBar2, 0);
    view_.SetCaption(Caption::Current_4, "0 %");
    view_.SetCaption(Caption::Total_Label_0, "0 %");

    std::int64_t referenceLength = -1;
    constexpr int compressions = static_cast<int>(PassCounts::kCompressions);
    constexpr int lastDecompression = static_cast<int>(PassCounts::kAll) - 1;
    for (int counter = 1; counter <= compressions; ++counter) {
        view_.SetBarValue(Bar::ProgBar2, counter);
        passes_.Compress_Test();
        view_.SetCaption(Caption::Total_Label_0, WholeNumberText(counter) + " %");
        referenceLength = compressedLength();
    }

    resetCurrent();
    view_.DoEvents();

    // The total bar counts the decompressions from 50 to 100.
    for (int counter = compressions; counter <= lastDecompression; ++counter) {
        if (compressedLength() != referenceLength) {
            changedFileExit();
            return;
        }
        view_.SetBarValue(Bar::ProgBar2, counter);
        passes_.Decompress_Test();
        view_.SetCaption(Caption::Total_Label_0, WholeNumberText(counter) + " %");
    }

    resetCurrent();
    resetTotal();
    view_.DoEvents();

    lastCheck_ = OutputCheck::Compare(passes_.Files().Input, passes_.Files().Decompressed);
    if (!lastCheck_.Passed) {
        failedCheckExit(lastCheck_);
        return;
    }

    RunResult result;
    result.TimeSumma = TimeSumma(view_);
    result.Score = Score(result.TimeSumma);
    const RunRecord finished = record(result);
    view_.MsgBox(FinalMessage(result), MessageBox::Icon::Information, MessageBox::Buttons::OK,
                 "Quelvorant Final Results ...");

    if (runFinished_) {
        runFinished_(finished);
    }
    if (saveOffers_) {
        saveOffers_(result);
    }

    deleteTestFiles();
    view_.SetCaption(Caption::Operation_Progress, "Quelvorant has finished testing ...");
    setCommandsEnabled(true);
}

double BenchmarkRun::TimeSumma(const BenchmarkView& view) {
    double sum = 0.0;
    const int count = view.TimeListCount();
    for (int position = 0; position < static_cast<int>(PassCounts::kSummed) && position < count;
         ++position) {
        sum += ReadNumber(view.TimeListItem(position));
    }
    return sum;
}

double BenchmarkRun::Score(double timeSumma) {
    return std::floor(timeSumma / 2.0 * 100.0);
}

std::string BenchmarkRun::FinalMessage(const RunResult& result) {
    return "Process of testing was finished successfully.\r\n"
           "\r\n"
           "Time Summa - " +
           SignedNumberText(result.TimeSumma) +
           " seconds.\r\n"
           "CPU iD Speed - " +
           ScoreText(result.Score) + " frames.";
}

RunRecord BenchmarkRun::record(const RunResult& result) const {
    RunRecord finished;
    finished.Id = RunRecord::NewId();
    finished.StartedAt = startedAt_;
    for (int i = 0; i < view_.TimeListCount(); ++i) {
        finished.PassTimes.push_back(ReadNumber(view_.TimeListItem(i)));
    }
    finished.TimeSumma = result.TimeSumma;
    finished.Score = result.Score;
    finished.Check = lastCheck_;
    finished.Readings = passes_.Readings();
    finished.ReadingSources = passes_.ReadingSources();
    finished.WallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    return finished;
}

void BenchmarkRun::setCommandsEnabled(bool enabled) {
    if (!enabled) {
        view_.SetCommandEnabled(Command::Begin_Label, false);
        view_.SetCommandEnabled(Command::CloseN_Image, false);
        view_.SetCommandEnabled(Command::CloseH_Image, false);
        view_.SetCommandEnabled(Command::Exit_Label, false);
        return;
    }
    view_.SetCommandEnabled(Command::CloseN_Image, true);
    view_.SetCommandEnabled(Command::CloseH_Image, true);
    view_.SetCommandEnabled(Command::Exit_Label, true);
    view_.SetCommandEnabled(Command::Begin_Label, true);
}

void BenchmarkRun::resetCurrent() {
    view_.SetBarValue(Bar::ProgBar1, 0);
    view_.SetCaption(Caption::Current_4, "0 %");
}

void BenchmarkRun::resetTotal() {
    view_.SetBarValue(Bar::ProgBar2, 0);
    view_.SetCaption(Caption::Total_Label_0, "0 %");
}

std::int64_t BenchmarkRun::compressedLength() const {
    try {
        return FileSystem::FileLen(passes_.Files().Compressed);
    } catch (const QuelError&) {
        return -1;
    }
}

void BenchmarkRun::changedFileExit() {
    view_.MsgBox("Quelvorant test file is changed !!!", MessageBox::Icon::Critical,
                 MessageBox::Buttons::OK, "Quelvorant Warrning !!!   ");
    deleteTestFiles();
    view_.EndProgram();
}

void BenchmarkRun::failedCheckExit(const CheckResult& check) {
    view_.MsgBox("The result of the test cannot be trusted, so it gets no score.\r\n\r\n" +
                     check.Description,
                 MessageBox::Icon::Critical, MessageBox::Buttons::OK, VersionText() + " Error ...");
    deleteTestFiles();
    view_.SetCaption(Caption::Operation_Progress, "Quelvorant has stopped testing ...");
    setCommandsEnabled(true);
}

void BenchmarkRun::deleteTestFiles() {
    FileSystem::Kill(passes_.Files().Compressed);
    FileSystem::Kill(passes_.Files().Decompressed);
}
