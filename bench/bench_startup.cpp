// Start-up cost of the program with the simulated radio (as `vantelo --no-splash --simulate`):
// time from process start to the main window shown, to the end of the synchronisation,
// resident memory afterwards, and processor time over ten idle seconds.
// Targets: shown in under 0.5 s, under 80 MB resident, under 1 % of one core when idle.
#include "benchapplication.h"
#include "common/memoryuse.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"
#include "ui/main/frmterminal.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields.at(19).toDouble(); // field 22: starttime
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds
        = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char *argv[])
{
    BenchApplication app(argc, argv);

    SimPtyServer simulator {SimOptions {}};
    if (!simulator.start()) {
        std::fprintf(stderr, "simulated radio: %s\n", qPrintable(simulator.errorString()));
        return 1;
    }
    Radio radio;
    frmTerminal window(radio, TerminalOptions {simulator.devicePath()});
    window.show();
    window.Form_Load();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the main window was not shown\n");
        return 1;
    }
    const double shownMs = msSinceProcessStart();

    const bool synced = QTest::qWaitFor(
        [&radio] { return radio.state().StartupLoading == QLatin1String("0"); }, 30000);
    const double syncedMs = msSinceProcessStart();
    const qint64 residentBytes = Memory::resident();
    const double rss = residentBytes < 0 ? -1 : double(residentBytes) / (1024.0 * 1024.0);

    const double cpuBefore = cpuSeconds();
    QTest::qWait(10000);
    const double idleCpu = cpuSeconds() - cpuBefore;

    std::printf("synchronisation finished: %s at %.0f ms after process start\n",
                synced ? "yes" : "NO", syncedMs);
    std::printf("processor time over 10 idle seconds: %.3f s\n", idleCpu);
    printFigure("start-up, process start to main window shown", shownMs, 0, "ms",
                BenchTarget::under(500));
    printFigure("resident memory after synchronisation", rss, 1, "MB", BenchTarget::under(80));
    printFigure("idle load, program and simulated radio in one process", idleCpu * 10.0, 2, "%",
                BenchTarget::under(1));
    return 0;
}
