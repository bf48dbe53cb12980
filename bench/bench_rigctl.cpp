// rigctl round trips through the program's server against the simulated radio at 9600 baud
// (vantelo-radio-sim --baud 9600, a process of its own), as a client such as WSJT-X makes them:
//  - "f" answered from the radio state while automatic reports keep it fresh;
//  - "f" where the radio must be asked, and "F", each beside the wire time of the bytes the
//    exchange put on the line (both directions, 10 bits a byte) and the ratio of the two;
//  - answers a second with 4 clients polling "f" at once, fresh and asked;
//  - "l STRENGTH" from the fresh state, and asked of the radio beside the wire time of "SM;";
//  - WSJT-X's poll cycle ("v", "s", "f", "m", "t", each waiting for its answer);
// and, when Hamlib's rigctld is installed, the same client requests to "rigctld -m 2004" (the
// TS-570D backend, cache off) on a second simulated radio of the same kind, for comparison.
// The figures with a target are printed as "name: value (target) met" or "... missed", the
// others as "name: value".
#include "benchapplication.h"
#include "benchfigure.h"
#include "core/net/radiosharing.h"
#include "core/radio/radio.h"
#include "core/radio/smeterpoll.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Baud = 9600;
constexpr int FreshRuns = 500;
constexpr int AskedRuns = 40;
constexpr int PollingMs = 3000;

double wireMs(qint64 bytes)
{
    return double(bytes) * 10.0 * 1000.0 / Baud;
}

// A figure without a target, as "name: value ms".
void figure(const char *name, double ms)
{
    std::printf("%s: %.2f ms\n", name, ms);
}

// WSJT-X's poll: each request waits for its answer before the next goes.
struct PollStep
{
    const char *line;
    int answerLines;
};
constexpr PollStep WsjtxPoll[] = {{"v\n", 1}, {"s\n", 2}, {"f\n", 1}, {"m\n", 2}, {"t\n", 1}};

// A simulated radio in a process of its own; device() is its pseudo-terminal.
struct SimProcess
{
    bool start()
    {
        process.start(QStringLiteral(SIM_EXECUTABLE),
                      {QStringLiteral("--baud"), QString::number(Baud)});
        if (!process.waitForStarted(5000) || !process.waitForReadyRead(5000))
            return false;
        device = QString::fromLocal8Bit(process.readLine().trimmed());
        return !device.isEmpty();
    }
    ~SimProcess()
    {
        process.terminate();
        if (!process.waitForFinished(3000))
            process.kill();
    }
    QProcess process;
    QString device;
};

// A client connection that times request lines up to their answer.
struct Client
{
    explicit Client(quint16 port)
    {
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(5000);
    }
    // Nanoseconds from writing the line to the end of its answer (so many lines); -1 when the
    // answer did not come.
    qint64 roundTrip(const QByteArray &line, int answerLines = 1)
    {
        QByteArray answer;
        QEventLoop loop;
        const auto reader = QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] {
            answer += socket.readAll();
            if (answer.count('\n') >= answerLines)
                loop.quit();
        });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        QElapsedTimer clock;
        clock.start();
        socket.write(line);
        loop.exec();
        const qint64 ns = clock.nsecsElapsed();
        QObject::disconnect(reader);
        last = answer;
        return answer.count('\n') >= answerLines ? ns : -1;
    }
    QTcpSocket socket;
    QByteArray last;
};

struct Timing
{
    std::vector<double> ms;
    std::vector<double> wire;
    int failed = 0;
};

void printTiming(const char *what, Timing &t)
{
    if (t.ms.empty()) {
        std::printf("%-34s no answers (%d failed)\n", what, t.failed);
        return;
    }
    const double rt = median(t.ms);
    if (t.wire.empty()) {
        std::printf("%-34s median %8.3f ms over %zu (%d failed)\n", what, rt, t.ms.size(),
                    t.failed);
        return;
    }
    const double wire = median(t.wire);
    std::printf("%-34s median %8.3f ms, wire %6.2f ms, ratio %.2f over %zu (%d failed)\n", what, rt,
                wire, rt / wire, t.ms.size(), t.failed);
}

// Times WSJT-X's poll cycles, each request waiting for its answer before the next goes, and
// prints their median as the named figure.
// Returns the median time of a cycle in ms, NaN when no cycle was answered.
double pollCycles(Client &client, int cycles, const char *name)
{
    Timing cycle;
    for (int i = 0; i < cycles; ++i) {
        qint64 ns = 0;
        for (const PollStep &step : WsjtxPoll) {
            const qint64 one = client.roundTrip(step.line, step.answerLines);
            ns = one < 0 || ns < 0 ? -1 : ns + one;
        }
        ns < 0 ? void(++cycle.failed) : cycle.ms.push_back(double(ns) / 1e6);
    }
    printTiming("  WSJT-X poll cycle (v s f m t)", cycle);
    if (cycle.ms.empty())
        return std::nan("");
    const double ms = median(cycle.ms);
    figure(name, ms);
    return ms;
}

// Answers a second with `clients` connections, each sending "f" as soon as its last one was
// answered.
double pollingRate(quint16 port, int clients)
{
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    qint64 answers = 0;
    QByteArrayList pending(clients);
    for (int i = 0; i < clients; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, port);
        if (!socket->waitForConnected(5000))
            return 0;
        QTcpSocket *s = socket.get();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s, &answers, &pending, i] {
            pending[i] += s->readAll();
            while (pending[i].contains('\n')) {
                pending[i].remove(0, pending[i].indexOf('\n') + 1);
                ++answers;
                s->write("f\n");
            }
        });
        sockets.push_back(std::move(socket));
    }
    QElapsedTimer clock;
    clock.start();
    for (auto &s : sockets)
        s->write("f\n");
    pause(PollingMs);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const double rate = double(answers) / seconds;
    for (auto &s : sockets) {
        s->disconnect();
        s->abort();
    }
    pause(200); // answers still on the line
    return rate;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Returns the median time of WSJT-X's poll cycle through Vantelo.
double benchVantelo()
{
    SimProcess sim;
    if (!sim.start()) {
        std::printf("vantelo-radio-sim did not start\n");
        return std::nan("");
    }
    Radio radio;
    CommPort &port = radio.MSComm1();
    if (!port.setCommPort(sim.device) || !port.setSettings(QStringLiteral("9600,n,8,1"))
        || !port.setPortOpen(true)) {
        std::printf("cannot open %s: %s\n", qPrintable(sim.device), qPrintable(port.lastError()));
        return std::nan("");
    }
    // As in the program: the meter and the server are there before the start-up.
    SMeterPoll meter(radio);
    meter.start();
    RadioSharing sharing(radio);
    sharing.apply({true, QStringLiteral("127.0.0.1"), 0});
    radio.Synchronise();
    if (!spinUntil([&] { return radio.isIdle(); }, 60000)) {
        std::printf("the start-up synchronisation did not end\n");
        return std::nan("");
    }
    RadioRigBackend &backend = sharing.backend();
    const quint16 serverPort = sharing.server().port();

    qint64 out = 0;
    qint64 in = 0;
    QObject::connect(&radio, &Radio::commandWritten, &radio,
                     [&](const QByteArray &c) { out += c.size(); });
    QObject::connect(&radio, &Radio::replyTaken, &radio,
                     [&](const QString &r) { in += r.size() + 1; });

    Client client(serverPort);
    std::printf("Vantelo's server, vantelo-radio-sim --baud %d, S-meter read 4 times a second\n",
                Baud);
    if (!spinUntil([&] { return backend.isFresh(RigQuery::Frequency); }, 5000))
        std::printf("  the state did not become fresh\n");
    Timing fresh;
    const qint64 fromStateBefore = sharing.server().answerCounts().fromState;
    for (int i = 0; i < FreshRuns; ++i) {
        const qint64 ns = client.roundTrip("f\n");
        ns < 0 ? void(++fresh.failed) : fresh.ms.push_back(double(ns) / 1e6);
    }
    printTiming("  f, fresh state", fresh);
    std::printf("  (%lld of %d answered from the state)\n",
                static_cast<long long>(sharing.server().answerCounts().fromState - fromStateBefore),
                FreshRuns);
    if (!fresh.ms.empty())
        printFigure("rigctl f from fresh state, median", median(fresh.ms), 3, "ms",
                    BenchTarget::under(1.0));

    Timing strength;
    for (int i = 0; i < FreshRuns; ++i) {
        const qint64 ns = client.roundTrip("l STRENGTH\n");
        ns < 0 ? void(++strength.failed) : strength.ms.push_back(double(ns) / 1e6);
    }
    printTiming("  l STRENGTH, fresh state", strength);
    if (!strength.ms.empty())
        printFigure("rigctl l STRENGTH from fresh state, median", median(strength.ms), 3, "ms",
                    BenchTarget::under(1.0));

    const double cycleMs = pollCycles(client, FreshRuns / 5,
                                      "WSJT-X poll cycle (v s f m t) through Vantelo, median");

    // The radio asked every time, on a line that carries nothing else.
    meter.stop();
    backend.setAnswerFromState(false);
    pause(100);
    Timing asked;
    for (int i = 0; i < AskedRuns; ++i) {
        out = in = 0;
        const qint64 ns = client.roundTrip("f\n");
        if (ns < 0) {
            ++asked.failed;
            continue;
        }
        asked.ms.push_back(double(ns) / 1e6);
        asked.wire.push_back(wireMs(out + in));
    }
    printTiming("  f, radio asked (FA;)", asked);

    Timing strengthAsked;
    for (int i = 0; i < AskedRuns; ++i) {
        out = in = 0;
        const qint64 ns = client.roundTrip("l STRENGTH\n");
        if (ns < 0) {
            ++strengthAsked.failed;
            continue;
        }
        strengthAsked.ms.push_back(double(ns) / 1e6);
        strengthAsked.wire.push_back(wireMs(out + in));
    }
    printTiming("  l STRENGTH, radio asked (SM;)", strengthAsked);
    // The target is the wire time of "SM;" and its reply "SM0010;".
    if (!strengthAsked.ms.empty())
        printFigure("rigctl l STRENGTH asked of the radio, ratio to the wire time of SM;",
                    median(strengthAsked.ms) / wireMs(3 + 7), 2, "", BenchTarget::atMost(1.3));

    Timing set;
    for (int i = 0; i < AskedRuns; ++i) {
        out = in = 0;
        const QByteArray hz = i % 2 ? "14075000" : "14074000";
        const qint64 ns = client.roundTrip("F " + hz + "\n");
        const qint64 bytes = out + in; // up to the answer
        if (ns < 0 || !client.last.startsWith("RPRT 0")) {
            ++set.failed;
        } else {
            set.ms.push_back(double(ns) / 1e6);
            set.wire.push_back(wireMs(bytes));
        }
        pause(150); // the reports that follow the answer leave the line
    }
    printTiming("  F (set, then FA report)", set);

    backend.setAnswerFromState(true);
    meter.start();
    spinUntil([&] { return backend.isFresh(RigQuery::Frequency); }, 5000);
    std::printf("  4 clients polling f, fresh state:  %.0f answers a second\n",
                pollingRate(serverPort, 4));
    meter.stop();
    backend.setAnswerFromState(false);
    pause(100);
    std::printf("  4 clients polling f, radio asked:  %.0f answers a second\n",
                pollingRate(serverPort, 4));
    sharing.stop();
    port.setPortOpen(false);
    return cycleMs;
}

// Returns the median time of WSJT-X's poll cycle through rigctld.
double benchRigctld(const QString &rigctld)
{
    SimProcess sim;
    if (!sim.start()) {
        std::printf("vantelo-radio-sim did not start\n");
        return std::nan("");
    }
    const quint16 port = freePort();
    QProcess daemon;
    daemon.start(rigctld,
                 {QStringLiteral("-m"), QStringLiteral("2004"), QStringLiteral("-r"), sim.device,
                  QStringLiteral("-s"), QString::number(Baud), QStringLiteral("-T"),
                  QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(port),
                  QStringLiteral("-C"), QStringLiteral("cache_timeout=0")});
    std::unique_ptr<Client> client;
    spinUntil(
        [&] {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            return probe.waitForConnected(100);
        },
        10000);
    client = std::make_unique<Client>(port);
    std::printf("rigctld -m 2004 (Hamlib's TS-570D backend, cache off), same simulated line\n");
    // What "f" needs on the wire: "FA;" and the 14-byte reply.
    const double fWire = wireMs(3 + 14);
    Timing get;
    for (int i = 0; i < AskedRuns; ++i) {
        const qint64 ns = client->roundTrip("f\n");
        if (ns < 0) {
            ++get.failed;
            continue;
        }
        get.ms.push_back(double(ns) / 1e6);
        get.wire.push_back(fWire);
    }
    printTiming("  f", get);
    Timing set;
    for (int i = 0; i < AskedRuns; ++i) {
        const QByteArray hz = i % 2 ? "14075000" : "14074000";
        const qint64 ns = client->roundTrip("F " + hz + "\n");
        ns < 0 || !client->last.startsWith("RPRT 0") ? void(++set.failed)
                                                     : set.ms.push_back(double(ns) / 1e6);
    }
    printTiming("  F", set);
    const double cycleMs = pollCycles(
        *client, AskedRuns / 4, "WSJT-X poll cycle (v s f m t) through rigctld -m 2004, median");
    client.reset();
    std::printf("  4 clients polling f:               %.0f answers a second\n",
                pollingRate(port, 4));
    daemon.terminate();
    if (!daemon.waitForFinished(3000))
        daemon.kill();
    return cycleMs;
}

} // namespace

int main(int argc, char *argv[])
{
    BenchApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each figure as soon as it is known
    const double vanteloCycleMs = benchVantelo();
    const QString rigctld = QStandardPaths::findExecutable(QStringLiteral("rigctld"));
    if (rigctld.isEmpty()) {
        std::printf("rigctld is not installed: no comparison\n");
        return 0;
    }
    // Side by side: Vantelo's poll cycle against rigctld's on the same line.
    printFigure("WSJT-X poll cycle through Vantelo, median, against rigctld -m 2004's",
                vanteloCycleMs, 2, "ms", BenchTarget::under(benchRigctld(rigctld)));
    return 0;
}
