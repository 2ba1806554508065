// Measures what the benchmark window adds to the codec's own work: five runs
// of the 101 passes through Form2 against the same EncodeFile/DecodeFile
// calls with no progress handler, on the real test input. The share from the
// sums suffers from the machine's drift between the two runs; the paired
// share compares each window pass with a bare pass made right after it.
//
//   form2_overhead [runs]     offscreen; the test input is the one beside it
//   QT_QPA_PLATFORM=xcb xvfb-run -a form2_overhead [runs]     on an X display

#include "FileSystem.h"
#include "Form2.h"
#include "NumberText.h"
#include "PassClock.h"
#include "clsHuffman.h"

#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <vector>

namespace {

// Answers every question with OK and never picks a folder.
class QuietDialogs : public Dialogs {
  public:
    Answer MsgBox(QWidget*, const QString&, Icon, Buttons, const QString&) override {
        return Answer::OK;
    }
    QString BrowseForFolder(QWidget*, const QString&) override { return QString(); }
    void EndProgram() override { std::_Exit(3); }
};

// The first 100 pass times of a run: 50 compressions, then 50 decompressions.
using PassTimes = std::vector<double>;

PassTimes windowRun(QuietDialogs& dialogs, const std::string& dir) {
    Form2 form(dialogs, dir, dir, [](const std::string&) { return std::string(); });
    form.show();
    form.Begin_Label_Click();
    PassTimes times;
    for (int i = 0; i < 100 && i < form.Quel_TimeList->count(); ++i) {
        times.push_back(ReadNumber(form.Quel_TimeList->item(i)->text().toStdString()));
    }
    return times;
}

PassTimes bareRun(const std::string& dir) {
    const TestFiles files = TestFiles::In(dir, dir);
    clsHuffman huffman;
    PassTimes times;
    PassClock clock;
    for (int pass = 0; pass < 50; ++pass) {
        clock.Start();
        huffman.EncodeFile(files.Input, files.Compressed);
        times.push_back(clock.Elapsed());
    }
    for (int pass = 0; pass < 50; ++pass) {
        clock.Start();
        huffman.DecodeFile(files.Compressed, files.Decompressed);
        times.push_back(clock.Elapsed());
    }
    FileSystem::Kill(files.Compressed);
    FileSystem::Kill(files.Decompressed);
    return times;
}

double sum(const PassTimes& times) {
    return std::accumulate(times.begin(), times.end(), 0.0);
}

// Median of the passes from..from+count: robust against passes that another
// process on the machine slowed down.
double median(const PassTimes& times, std::size_t from, std::size_t count) {
    std::vector<double> part(times.begin() + from, times.begin() + from + count);
    std::nth_element(part.begin(), part.begin() + count / 2, part.end());
    return part[count / 2];
}

// The window's share measured pass by pass: each pass through the window is
// paired with the same codec call without a handler right beside it, so both
// see the same machine; the median of the differences against the median
// window pass.
double pairedShare(QuietDialogs& dialogs, const std::string& dir) {
    Form2 form(dialogs, dir, dir, [](const std::string&) { return std::string(); });
    form.show();
    const TestFiles files = TestFiles::In(dir, dir);
    clsHuffman bare;
    PassClock clock;
    PassTimes window;
    PassTimes differences;
    for (int pass = 0; pass < 100; ++pass) {
        const bool compress = pass < 50;
        const auto windowPass = [&] {
            if (compress) {
                form.Compress_Test();
            } else {
                form.Decompress_Test();
            }
            const int last = form.Quel_TimeList->count() - 1;
            return ReadNumber(form.Quel_TimeList->item(last)->text().toStdString());
        };
        const auto barePass = [&] {
            clock.Start();
            if (compress) {
                bare.EncodeFile(files.Input, files.Compressed);
            } else {
                bare.DecodeFile(files.Compressed, files.Decompressed);
            }
            return static_cast<double>(clock.Elapsed());
        };
        // Every other pair runs the bare pass first, so warm caches favour
        // neither side.
        double windowTime = 0;
        double bareTime = 0;
        if (pass % 2 == 0) {
            windowTime = windowPass();
            bareTime = barePass();
        } else {
            bareTime = barePass();
            windowTime = windowPass();
        }
        window.push_back(windowTime);
        differences.push_back(windowTime - bareTime);
    }
    FileSystem::Kill(files.Compressed);
    FileSystem::Kill(files.Decompressed);
    return median(differences, 0, 100) / median(window, 0, 100);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    const std::string input = FileSystem::ApplicationDirectory() + "/Quelvorant.exe";
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quel-overhead-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(input, dir / "Quelvorant.exe");

    QuietDialogs dialogs;
    std::vector<double> sums;
    std::printf(
        "run  Time Summa (s)  score  bare codec (s)  share (sums)  share (paired passes)\n");
    for (int run = 1; run <= runs; ++run) {
        const PassTimes window = windowRun(dialogs, dir.string());
        const PassTimes bare = bareRun(dir.string());
        if (window.size() != 100) {
            std::fprintf(stderr, "the window's run recorded %zu times\n", window.size());
            return 1;
        }
        sums.push_back(sum(window));
        std::printf("%3d  %14.4f  %5.0f  %14.4f  %11.2f%%  %20.2f%%\n", run, sum(window),
                    std::floor(sum(window) / 2.0 * 100.0), sum(bare),
                    100.0 * (sum(window) - sum(bare)) / sum(window),
                    100.0 * pairedShare(dialogs, dir.string()));
    }
    const auto [lo, hi] = std::minmax_element(sums.begin(), sums.end());
    std::printf("Time Summa spread over %d runs: %.4f .. %.4f s (%.2f%%)\n", runs, *lo, *hi,
                100.0 * (*hi - *lo) / *lo);
    std::filesystem::remove_all(dir);
    return 0;
}
