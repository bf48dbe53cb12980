// The pulled cable: how long after the radio's return the main window shows the radio's state
// again. The main window works `vantelo-radio-sim --link PATH --baud 9600`; each run stops that
// radio, waits until the window shows the link lost, and starts a new one at the same path. The
// return is the moment the new radio names its terminal (its link is in place by then). Printed
// per run and as medians: the time until the port is open again, and until the whole state has
// been read and the stale marking is gone. The watch tries again every 2 seconds, so the wait
// for the reopening falls anywhere in that period: the runs spread the return over it.
#include "benchapplication.h"
#include "core/radio/radio.h"
#include "ui/main/displaypanel.h"
#include "ui/main/frmterminal.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Baud = 9600;
constexpr int Runs = 7;
constexpr int GiveUpMs = 30000;

// Starts the simulated radio at path; true once it has named its terminal.
bool startSim(QProcess &sim, const QString &path)
{
    sim.start(QStringLiteral(SIM_EXECUTABLE),
              {QStringLiteral("--baud"), QString::number(Baud), QStringLiteral("--link"), path});
    return spinUntil([&sim] { return sim.canReadLine() || sim.state() == QProcess::NotRunning; },
                     GiveUpMs)
        && sim.canReadLine();
}

void stopSim(QProcess &sim)
{
    sim.terminate();
    sim.waitForFinished(5000);
}

} // namespace

int main(int argc, char *argv[])
{
    BenchApplication app(argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const QString path = config.filePath(QStringLiteral("ts570"));

    QProcess sim;
    if (!startSim(sim, path)) {
        std::fprintf(stderr, "bench_linkreturn: the simulated radio did not start\n");
        return 1;
    }
    Radio radio;
    frmTerminal window(radio, TerminalOptions {path});
    window.prompts().warning = [](QWidget *, const QString &) {};
    int boxes = 0;
    window.prompts().serialError = [&boxes](QWidget *, const QString &) {
        ++boxes;
        return 1;
    };
    window.show();
    if (!window.Form_Load()
        || !spinUntil([&] { return radio.state().StartupLoading == QLatin1String("0"); },
                      GiveUpMs)) {
        std::fprintf(stderr, "bench_linkreturn: the first synchronisation did not end\n");
        return 1;
    }
    const int retryMs = radio.link().retryInterval();
    std::printf("The radio returns at a link path: vantelo-radio-sim --baud %d, the window "
                "trying again every %d ms\n",
                Baud, retryMs);
    std::printf("%-4s %16s %14s %18s\n", "run", "back after ms", "port open ms",
                "display fresh ms");

    QList<double> openTimes, freshTimes;
    for (int run = 1; run <= Runs; ++run) {
        stopSim(sim);
        if (!spinUntil([&] { return window.displayPanel()->isStale(); }, GiveUpMs)) {
            std::fprintf(stderr, "bench_linkreturn: the loss was not shown\n");
            return 1;
        }
        // The return falls at a different point of the retry period in each run ("back after":
        // the time from the loss shown to the new radio started).
        const int offsetMs = 100 + (run - 1) * retryMs / Runs;
        pause(offsetMs);
        QElapsedTimer clock;
        if (!startSim(sim, path)) {
            std::fprintf(stderr, "bench_linkreturn: the simulated radio did not start again\n");
            return 1;
        }
        clock.start();
        double openMs = -1;
        const bool fresh = spinUntil(
            [&] {
                if (openMs < 0 && radio.MSComm1().portOpen())
                    openMs = double(clock.nsecsElapsed()) / 1e6;
                return !window.displayPanel()->isStale();
            },
            GiveUpMs);
        const double freshMs = double(clock.nsecsElapsed()) / 1e6;
        std::printf("%-4d %16d %14.1f %18.1f%s\n", run, offsetMs, openMs, freshMs,
                    fresh ? "" : "  (not fresh again)");
        openTimes << openMs;
        freshTimes << freshMs;
    }
    std::printf("error boxes shown: %d for %d losses\n", boxes, Runs);
    printFigure("link return, port open again, median", median(openTimes), 1, "ms",
                BenchTarget::under(3000));
    printFigure("link return, display fresh again, median", median(freshTimes), 1, "ms",
                BenchTarget::under(3000));
    stopSim(sim);
    return 0;
}
