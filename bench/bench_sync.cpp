// The start-up synchronisation of the radio core against the simulated radio at 9600 baud,
// in this process: the radio on a pseudo-terminal driven by the same event loop as the core.
// Prints the wall time, the bytes both ways, the time those bytes need on the wire and the
// ratio of the two. Half-duplex: a query must have crossed the wire before its reply can start,
// so the wire time counts both directions.
#include "benchfigure.h"
#include "core/radio/radio.h"
#include "sim/simptyserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int Baud = 9600;
constexpr int Runs = 5;
constexpr int GiveUpMs = 60000;

struct Figures
{
    double wallMs = 0;
    qint64 toRadio = 0;
    qint64 fromRadio = 0;
    int commands = 0;
    bool finished = false;

    double wireMs() const
    {
        return double(SimPtyServer::wireTimeNs(toRadio + fromRadio, Baud)) / 1e6;
    }
};

// One synchronisation, from the first query written to the end of the list.
Figures synchronise(Radio &radio, SimPtyServer &server)
{
    Figures f;
    const qint64 sentBefore = server.bytesSent();
    const qint64 receivedBefore = server.bytesReceived();
    int commands = 0;
    const auto counter
        = QObject::connect(&radio, &Radio::commandWritten, &radio, [&commands] { ++commands; });
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (radio.state().StartupLoading == QLatin1String("0"))
            loop.quit();
    });
    QTimer::singleShot(GiveUpMs, &loop, &QEventLoop::quit);

    QElapsedTimer clock;
    clock.start();
    radio.Synchronise();
    poll.start();
    loop.exec();
    f.wallMs = double(clock.nsecsElapsed()) / 1e6;
    // Replies still on their way when the list ended belong to this run as well.
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();

    QObject::disconnect(counter);
    f.finished = radio.state().StartupLoading == QLatin1String("0");
    f.toRadio = server.bytesReceived() - receivedBefore;
    f.fromRadio = server.bytesSent() - sentBefore;
    f.commands = commands;
    return f;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SimOptions options;
    options.baud = Baud;
    SimPtyServer server(options);
    if (!server.start()) {
        std::fprintf(stderr, "bench_sync: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    Radio radio;
    if (!radio.MSComm1().setCommPort(server.devicePath()) || !radio.MSComm1().setPortOpen(true)) {
        std::fprintf(stderr, "bench_sync: %s\n", qPrintable(radio.MSComm1().lastError()));
        return 1;
    }

    std::printf("Start-up synchronisation against the simulated radio in this process, %d baud "
                "8N1 (10 bits a byte)\n",
                Baud);
    std::printf("%-4s %10s %9s %11s %11s %12s %7s\n", "run", "wall ms", "commands", "bytes out",
                "bytes in", "wire ms", "ratio");
    double wallSum = 0, wireSum = 0;
    for (int run = 1; run <= Runs; ++run) {
        const Figures f = synchronise(radio, server);
        std::printf("%-4d %10.1f %9d %11lld %11lld %12.1f %7.3f%s\n", run, f.wallMs, f.commands,
                    static_cast<long long>(f.toRadio), static_cast<long long>(f.fromRadio),
                    f.wireMs(), f.wallMs / f.wireMs(), f.finished ? "" : "  (did not finish)");
        wallSum += f.wallMs;
        wireSum += f.wireMs();
    }
    printFigure("start-up synchronisation at 9600 baud, ratio to wire time", wallSum / wireSum, 3,
                "", BenchTarget::atMost(1.05));
    return 0;
}
