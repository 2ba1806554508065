// Start-up and idle cost of the information window: creates Form1 with the
// real processor library and system figures, reports how long the way to the
// end of its Load work took, then lets it idle and reports the processor time
// its timers used.
#include "controls/CaptionLabel.h"
#include "facts/QuelCoreBinding.h"
#include "infowindow/Form1.h"
#include "platform/HostSystemStatus.h"
#include "toolkit/Fonts.h"
#include "toolkit/QtDialogs.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// User and system processor time of this process so far.
double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

double BootClockSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Seconds since this process was started, from its start time in /proc
// (resolution: one clock tick).
double SecondsSinceProcessStart() {
    std::ifstream in("/proc/self/stat");
    const std::string stat{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // Fields after the command name in parentheses; the start time is field 22.
    std::size_t position = stat.rfind(')');
    for (int field = 2; field < 22 && position != std::string::npos; ++field) {
        position = stat.find(' ', position + 1);
    }
    if (position == std::string::npos) {
        return -1.0;
    }
    const double startTicks = std::atof(stat.c_str() + position + 1);
    return BootClockSeconds() - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace

int main(int argc, char* argv[]) {
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
    QApplication app(argc, argv);
    InstallTahoma();
    QApplication::setFont(TahomaFont());

    QtDialogs dialogs;
    QuelCoreBinding library;
    HostSystemStatus system;
    Form1 form(dialogs, library, system);
    const double loadedWall = SecondsSinceProcessStart();
    const double loadedCpu = ProcessCpuSeconds();
    form.CenterOnScreen();
    form.show();
    QApplication::processEvents();
    const double shownWall = SecondsSinceProcessStart();
    const double shownCpu = ProcessCpuSeconds();
    std::printf("Start to end of Form1's Load: %.0f ms wall, %.0f ms processor time\n",
                loadedWall * 1000.0, loadedCpu * 1000.0);
    std::printf("Start to Form1 shown: %.0f ms wall, %.0f ms processor time\n", shownWall * 1000.0,
                shownCpu * 1000.0);
    std::fflush(stdout);

    const double idleStartCpu = ProcessCpuSeconds();
    const double idleStartWall = BootClockSeconds();
    QTimer::singleShot(idleSeconds * 1000, &app, &QApplication::quit);
    QApplication::exec();
    const double idleCpu = ProcessCpuSeconds() - idleStartCpu;
    const double idleWall = BootClockSeconds() - idleStartWall;
    std::printf("Idle on Form1 for %.1f s: %.3f s processor time = %.3f %% of one core\n", idleWall,
                idleCpu, 100.0 * idleCpu / idleWall);
    std::printf("Shown at the end: CPU %s, memory %s of %s, up-time %s\n",
                qPrintable(form.CPUUsed()->Caption()), qPrintable(form.UsedRAM()->Caption()),
                qPrintable(form.TotalRAM()->Caption()), qPrintable(form.NowIs()->Caption()));
    return 0;
}
