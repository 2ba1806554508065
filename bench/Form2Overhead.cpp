// Measures the benchmark's layers apart on the real test input, each over the
// same 101 passes (50 compressions, 51 decompressions):
//   memory  EncodeByte and DecodeByte on buffers: the coding alone
//   files   EncodeFile and DecodeFile on the work files, without a window
//   window  the 101 passes through Form2's Begin command (Time Summa)
// Every sum covers the first 100 passes, as Time Summa does. Within a round
// the three layers run one after another, their order rotating from round to
// round, so that the machine's drift falls on all of them alike.
//
//   form2_overhead [runs]            the three sums per run, median and CV
//   form2_overhead --window [runs]   Time Summa of window runs, one per line
// Offscreen unless QT_QPA_PLATFORM says otherwise.

#include "benchwindow/Form2.h"
#include "codec/clsHuffman.h"
#include "controls/CaptionLabel.h"
#include "platform/BenchmarkMemory.h"
#include "platform/FileSystem.h"
#include "platform/PassClock.h"
#include "run/NumberText.h"
#include "run/OutputCheck.h"
#include "run/Statistics.h"

#include <QApplication>
#include <QListWidget>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <numeric>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using PassTimes = std::vector<double>;

constexpr int kCompressions = 50;
constexpr int kDecompressions = 51;
constexpr std::size_t kSummed = 100;

// Answers every question with OK and never picks a folder.
class QuietDialogs : public Dialogs {
  public:
    Answer MsgBox(QWidget*, const QString&, Icon, Buttons, const QString&) override {
        return Answer::OK;
    }
    QString BrowseForFolder(QWidget*, const QString&) override { return QString(); }
    void EndProgram() override { std::_Exit(3); }
};

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "form2_overhead: %s\n", what.c_str());
    std::exit(1);
}

double sumOfFirst100(const PassTimes& times) {
    if (times.size() < kSummed) {
        fail("a run recorded " + std::to_string(times.size()) + " pass times");
    }
    return std::accumulate(times.begin(), times.begin() + kSummed, 0.0);
}

double memoryRun(const Bytes& input) {
    clsHuffman codec;
    PassClock clock;
    PassTimes times;
    Bytes stream;
    for (int pass = 0; pass < kCompressions; ++pass) {
        Bytes buffer = input;
        clock.Start();
        codec.EncodeByte(buffer, static_cast<std::int32_t>(buffer.size()));
        times.push_back(clock.Elapsed());
        stream = std::move(buffer);
    }
    Bytes decoded;
    for (int pass = 0; pass < kDecompressions; ++pass) {
        decoded = stream;
        clock.Start();
        codec.DecodeByte(decoded, static_cast<std::int32_t>(decoded.size()));
        times.push_back(clock.Elapsed());
    }
    if (decoded != input) {
        fail("the in-memory passes did not give back the test input");
    }
    return sumOfFirst100(times);
}

double fileRun(const TestFiles& files) {
    clsHuffman codec;
    codec.SetDestinationMode(FileSystem::WriteMode::Scratch);
    PassClock clock;
    PassTimes times;
    for (int pass = 0; pass < kCompressions; ++pass) {
        clock.Start();
        codec.EncodeFile(files.Input, files.Compressed);
        times.push_back(clock.Elapsed());
    }
    for (int pass = 0; pass < kDecompressions; ++pass) {
        clock.Start();
        codec.DecodeFile(files.Compressed, files.Decompressed);
        times.push_back(clock.Elapsed());
    }
    const CheckResult check = OutputCheck::Compare(files.Input, files.Decompressed);
    FileSystem::Kill(files.Compressed);
    FileSystem::Kill(files.Decompressed);
    if (!check.Passed) {
        fail(check.Description);
    }
    return sumOfFirst100(times);
}

double windowRun(QuietDialogs& dialogs, const std::string& dir) {
    Form2 form(dialogs, dir, dir, [](const std::string&) { return std::string(); });
    form.show();
    form.Begin_Label_Click();
    PassTimes times;
    for (int i = 0; i < form.Quel_TimeList->count(); ++i) {
        times.push_back(ReadNumber(form.Quel_TimeList->item(i)->text().toStdString()));
    }
    if (form.Operation_Progress->Caption() !=
        QLatin1String("Quelvorant has finished testing ...")) {
        fail("the window's run did not finish");
    }
    return sumOfFirst100(times);
}

// One line of figures over the three columns.
void printFigure(const char* name, const std::array<PassTimes, 3>& columns,
                 double (*figure)(const PassTimes&), double scale, const char* unit) {
    std::printf("%-6s", name);
    for (const PassTimes& column : columns) {
        std::printf(" %11.4f%s", scale * figure(column), unit);
    }
    std::printf("\n");
}

double median(const PassTimes& values) {
    return Statistics::Median(values);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    const bool windowOnly = argc > 1 && std::strcmp(argv[1], "--window") == 0;
    const int runsArgument = windowOnly ? 2 : 1;
    const int runs = argc > runsArgument ? std::max(1, std::atoi(argv[runsArgument])) : 5;

    const std::string input = FileSystem::ApplicationDirectory() + "/Quelvorant.exe";
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quel-overhead-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(input, dir / "Quelvorant.exe");
    const TestFiles files = TestFiles::In(dir.string(), dir.string());
    const Bytes inputBytes = FileSystem::ReadAll(files.Input);

    // As a run does, so that the columns without a window keep their memory too.
    KeepBenchmarkMemory();
    QuietDialogs dialogs;
    if (windowOnly) {
        for (int run = 0; run < runs; ++run) {
            std::printf("%.4f\n", windowRun(dialogs, dir.string()));
            std::fflush(stdout);
        }
        std::filesystem::remove_all(dir);
        return 0;
    }

    const std::array<std::function<double()>, 3> layers = {
        [&] { return memoryRun(inputBytes); }, [&] { return fileRun(files); },
        [&] { return windowRun(dialogs, dir.string()); }};
    std::array<PassTimes, 3> sums;
    std::printf("Sums of the first 100 of 101 passes, in seconds\n");
    std::printf("run       memory       files      window   files/memory  window/files\n");
    for (int run = 0; run < runs; ++run) {
        for (int step = 0; step < 3; ++step) {
            const auto layer = static_cast<std::size_t>((run + step) % 3);
            sums[layer].push_back(layers[layer]());
        }
        const double memory = sums[0].back();
        const double file = sums[1].back();
        const double window = sums[2].back();
        std::printf("%3d  %11.4f  %10.4f  %10.4f  %+12.1f%%  %+11.1f%%\n", run + 1, memory, file,
                    window, 100.0 * (file - memory) / memory, 100.0 * (window - file) / file);
        std::fflush(stdout);
    }
    printFigure("median", sums, median, 1.0, " ");
    printFigure("CV", sums, Statistics::CoefficientOfVariation, 100.0, "%");
    const double memory = median(sums[0]);
    const double file = median(sums[1]);
    const double window = median(sums[2]);
    std::printf("Medians: the files add %+.1f%% to the coding, the window %+.1f%% to the files.\n",
                100.0 * (file - memory) / memory, 100.0 * (window - file) / file);
    std::filesystem::remove_all(dir);
    return 0;
}
