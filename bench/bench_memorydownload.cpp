// "Radio to PC" against the simulated radio at 9600 baud, the way the operator starts it: the
// main window's memory window, its button, the snapshot, 200 memory reads (each sent when the
// reply before it has come), the rows stored in one transaction and the window shown again.
// Prints the wall time from the press to the end, the bytes both ways, the time those bytes
// need on the wire and the ratio of the two (target at most 1.15). The exchange is half-duplex:
// a request must have crossed the wire before its reply can start, so the wire time counts
// both directions.
//
// Two radios: vantelo-radio-sim as a program of its own (found beside this benchmark in the
// build tree, or given with --sim PATH), and the same simulation inside this process, sharing
// its event loop.
#include "benchapplication.h"
#include "core/db/datafolder.h"
#include "core/radio/radio.h"
#include "sim/simmemory.h"
#include "sim/simptyserver.h"
#include "ui/main/frmterminal.h"
#include "ui/memory/frmmemory.h"
#include "ui/memory/memorycontroller.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int Baud = 9600;
constexpr int Runs = 3;
constexpr int GiveUpMs = 120000;

struct Figures
{
    double wallMs = 0;
    qint64 bytesOut = 0;
    qint64 bytesIn = 0;
    bool completed = false;

    double wireMs() const
    {
        return double(SimPtyServer::wireTimeNs(bytesOut + bytesIn, Baud)) / 1e6;
    }
};

// One press of "&Radio to PC", to the memory window shown again with the rows stored.
Figures downloadOnce(Radio &radio, frmTerminal &terminal)
{
    Figures f;
    int reads = 0;
    const auto counter = QObject::connect(&radio, &Radio::commandWritten, &radio,
                                          [&f, &reads](const QByteArray &command) {
                                              f.bytesOut += command.size();
                                              reads += command.startsWith("MR") ? 1 : 0;
                                          });
    MemoryController *controller = terminal.memoryController();
    QEventLoop loop;
    const auto end = QObject::connect(&controller->download(), &MemoryDownload::finished, &loop,
                                      [&](MemoryDownload::Outcome outcome) {
                                          f.completed
                                              = outcome == MemoryDownload::Outcome::Completed;
                                          loop.quit();
                                      });
    QTimer::singleShot(GiveUpMs, &loop, &QEventLoop::quit);

    QElapsedTimer clock;
    clock.start();
    terminal.memoryWindow()->CmdRadtoMem->click();
    loop.exec();
    f.wallMs = double(clock.nsecsElapsed()) / 1e6;
    QObject::disconnect(counter);
    QObject::disconnect(end);
    // The radio answers every memory read with one reply of the same length.
    f.bytesIn = qint64(reads) * SimMemory::reply(0, 0, {}).size();
    // Let the closing "AI3;" leave before the next run.
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    return f;
}

double report(const char *title, const char *figure, const QString &device)
{
    Radio radio;
    if (!radio.MSComm1().setCommPort(device) || !radio.MSComm1().setPortOpen(true)) {
        std::fprintf(stderr, "bench_memorydownload: %s\n", qPrintable(radio.MSComm1().lastError()));
        return -1;
    }
    QTemporaryDir folder;
    DataFolder::setPath(folder.path());
    frmTerminal terminal(radio);
    terminal.mnuMemory_Click();

    std::printf("%s\n", title);
    std::printf("%-4s %10s %10s %9s %10s %7s\n", "run", "wall ms", "bytes out", "bytes in",
                "wire ms", "ratio");
    double wallSum = 0, wireSum = 0;
    for (int run = 1; run <= Runs; ++run) {
        const Figures f = downloadOnce(radio, terminal);
        std::printf("%-4d %10.1f %10lld %9lld %10.1f %7.3f%s\n", run, f.wallMs,
                    static_cast<long long>(f.bytesOut), static_cast<long long>(f.bytesIn),
                    f.wireMs(), f.wallMs / f.wireMs(), f.completed ? "" : "  (did not complete)");
        wallSum += f.wallMs;
        wireSum += f.wireMs();
    }
    const double ratio = wallSum / wireSum;
    printFigure(figure, ratio, 3, "", BenchTarget::atMost(1.15));
    std::printf("\n");
    DataFolder::setPath(QString());
    return ratio;
}

// vantelo-radio-sim as its own process; its first line is the device to open.
bool separateProcess(const QString &program)
{
    QProcess sim;
    sim.start(program, {QStringLiteral("--baud"), QString::number(Baud)});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_memorydownload: %s does not start\n", qPrintable(program));
        return false;
    }
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    const double ratio
        = report("vantelo-radio-sim --baud 9600, a process of its own, 8N1 (10 bits a byte)",
                 "memory download, ratio to wire time, radio in its own process", device);
    sim.terminate();
    sim.waitForFinished(5000);
    return ratio > 0;
}

bool sameProcess()
{
    SimOptions options;
    options.baud = Baud;
    SimPtyServer server(options);
    if (!server.start()) {
        std::fprintf(stderr, "bench_memorydownload: %s\n", qPrintable(server.errorString()));
        return false;
    }
    return report("the simulated radio inside this process at 9600 baud, 8N1",
                  "memory download, ratio to wire time, radio in this process", server.devicePath())
        > 0;
}

} // namespace

int main(int argc, char *argv[])
{
    BenchApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype simArg = args.indexOf(QStringLiteral("--sim"));
    const QString program = simArg > 0 && simArg + 1 < args.size()
        ? args.at(simArg + 1)
        : QDir(QCoreApplication::applicationDirPath())
              .filePath(QStringLiteral("../src/sim/vantelo-radio-sim"));
    std::printf("Memory download of 100 channels, Radio to PC pressed in the memory window\n\n");
    const bool separate = separateProcess(program);
    const bool same = sameProcess();
    return separate && same ? 0 : 1;
}
