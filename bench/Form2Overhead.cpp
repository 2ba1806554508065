// Measures what the benchmark window adds to the codec's own work: five runs
// of the 101 passes through Form2 against the same EncodeFile/DecodeFile
// calls with no progress handler, on the real test input.
//
//   form2_overhead [runs]      (offscreen; the test input is the one beside it)

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

double windowRun(QuietDialogs& dialogs, const std::string& dir) {
    Form2 form(dialogs, dir, dir, [](const std::string&) { return std::string(); });
    form.show();
    form.Begin_Label_Click();
    double sum = 0;
    for (int i = 0; i < 100 && i < form.Quel_TimeList->count(); ++i) {
        sum += ReadNumber(form.Quel_TimeList->item(i)->text().toStdString());
    }
    return sum;
}

double bareRun(const std::string& dir) {
    const TestFiles files = TestFiles::In(dir, dir);
    clsHuffman huffman;
    double sum = 0;
    PassClock clock;
    for (int pass = 0; pass < 50; ++pass) {
        clock.Start();
        huffman.EncodeFile(files.Input, files.Compressed);
        sum += clock.Elapsed();
    }
    for (int pass = 0; pass < 50; ++pass) {
        clock.Start();
        huffman.DecodeFile(files.Compressed, files.Decompressed);
        sum += clock.Elapsed();
    }
    FileSystem::Kill(files.Compressed);
    FileSystem::Kill(files.Decompressed);
    return sum;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    const std::string input = FileSystem::ApplicationDirectory() + "/Quelvorant.exe";
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("quel-overhead-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(input, dir / "Quelvorant.exe");

    QuietDialogs dialogs;
    std::vector<double> sums;
    std::printf("run  Time Summa (s)  score  bare codec (s)  window share\n");
    for (int run = 1; run <= runs; ++run) {
        const double window = windowRun(dialogs, dir.string());
        const double bare = bareRun(dir.string());
        sums.push_back(window);
        std::printf("%3d  %14.4f  %5.0f  %14.4f  %11.2f%%\n", run, window,
                    std::floor(window / 2.0 * 100.0), bare, 100.0 * (window - bare) / window);
    }
    const auto [lo, hi] = std::minmax_element(sums.begin(), sums.end());
    std::printf("Time Summa spread over %d runs: %.4f .. %.4f s (%.2f%%)\n", runs, *lo, *hi,
                100.0 * (*hi - *lo) / *lo);
    std::filesystem::remove_all(dir);
    return 0;
}
