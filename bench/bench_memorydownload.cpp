// "Radio to PC" against the simulated radio at 9600 baud: the download of all 100 channels (200
// memory reads, each sent when the reply before it has come) from the first command to the
// end. Prints the wall time, the bytes both ways, the time those bytes need on the wire and the
// ratio of the two (target at most 1.15). The exchange is half-duplex: a request must have
// crossed the wire before its reply can start, so the wire time counts both directions.
//
// Two radios: vantelo-radio-sim as a program of its own (found beside this benchmark in the
// build tree, or given with --sim PATH), and the same simulation inside this process, sharing
// its event loop.
#include "memory/operations/memorydownload.h"
#include "radio/radio.h"
#include "sim/simptyserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int Baud = 9600;
constexpr int Runs = 3;
constexpr int GiveUpMs = 120000;

// Hands the memory replies to the download, as the main window does, and counts their bytes.
class DownloadDisplay : public NullDisplay
{
public:
    void memoryDownload(const QString &reply) override
    {
        bytesIn += reply.size();
        if (download)
            download->memoryDownload(reply);
    }
    MemoryDownload *download = nullptr;
    qint64 bytesIn = 0;
};

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

QList<MemoryRow> emptyTable()
{
    QList<MemoryRow> rows;
    for (int i = 0; i < MemoryDownload::ChannelCount; ++i)
        rows << MemoryRow {
            QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), " ", " ", " ", " ", " ", " "};
    return rows;
}

Figures downloadOnce(Radio &radio)
{
    DownloadDisplay display;
    radio.setDisplay(&display);
    MemoryDownload download(radio);
    display.download = &download;
    Figures f;
    const auto counter
        = QObject::connect(&radio, &Radio::commandWritten, &radio,
                           [&f](const QByteArray &command) { f.bytesOut += command.size(); });
    QEventLoop loop;
    QObject::connect(&download, &MemoryDownload::finished, &loop,
                     [&](MemoryDownload::Outcome outcome) {
                         f.completed = outcome == MemoryDownload::Outcome::Completed;
                         loop.quit();
                     });
    QTimer::singleShot(GiveUpMs, &loop, &QEventLoop::quit);

    QElapsedTimer clock;
    clock.start();
    download.start(emptyTable());
    loop.exec();
    f.wallMs = double(clock.nsecsElapsed()) / 1e6;
    QObject::disconnect(counter);
    f.bytesIn = display.bytesIn;
    // Let the closing "AI3;" leave before the next run.
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    radio.setDisplay(nullptr);
    return f;
}

bool openPort(Radio &radio, const QString &device)
{
    if (!radio.MSComm1().setCommPort(device) || !radio.MSComm1().setPortOpen(true)) {
        std::fprintf(stderr, "bench_memorydownload: %s\n", qPrintable(radio.MSComm1().lastError()));
        return false;
    }
    return true;
}

double report(const char *title, Radio &radio)
{
    std::printf("%s\n", title);
    std::printf("%-4s %10s %10s %9s %10s %7s\n", "run", "wall ms", "bytes out", "bytes in",
                "wire ms", "ratio");
    double wallSum = 0, wireSum = 0;
    for (int run = 1; run <= Runs; ++run) {
        const Figures f = downloadOnce(radio);
        std::printf("%-4d %10.1f %10lld %9lld %10.1f %7.3f%s\n", run, f.wallMs,
                    static_cast<long long>(f.bytesOut), static_cast<long long>(f.bytesIn),
                    f.wireMs(), f.wallMs / f.wireMs(), f.completed ? "" : "  (did not complete)");
        wallSum += f.wallMs;
        wireSum += f.wireMs();
    }
    const double ratio = wallSum / wireSum;
    std::printf("mean ratio of wall time to wire time: %.3f (target at most 1.15): %s\n\n", ratio,
                ratio <= 1.15 ? "met" : "MISSED");
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
    {
        Radio radio;
        if (!openPort(radio, device))
            return false;
        report("vantelo-radio-sim --baud 9600, a process of its own, 8N1 (10 bits a byte)", radio);
    }
    sim.terminate();
    sim.waitForFinished(5000);
    return true;
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
    Radio radio;
    if (!openPort(radio, server.devicePath()))
        return false;
    report("the simulated radio inside this process at 9600 baud, 8N1", radio);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const qsizetype simArg = args.indexOf(QStringLiteral("--sim"));
    const QString program = simArg > 0 && simArg + 1 < args.size()
        ? args.at(simArg + 1)
        : QDir(QCoreApplication::applicationDirPath())
              .filePath(QStringLiteral("../src/sim/vantelo-radio-sim"));
    std::printf("Memory download of 100 channels (Radio to PC)\n\n");
    const bool separate = separateProcess(program);
    const bool same = sameProcess();
    return separate && same ? 0 : 1;
}
