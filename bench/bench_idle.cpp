// Idle load of the program alone: vantelo started as the operator starts it (--no-splash) on
// vantelo-radio-sim, each a process of its own, the S-meter read four times a second, nothing
// else going on. Once the start-up has settled, the processor time vantelo uses over 60 s (the
// first argument sets other seconds), from the kernel's account of the process (schedstat,
// in nanoseconds). Target: under 0.3 % of one core. The simulated radio's own load is printed
// beside it.
#include "benchapplication.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int SettleMs = 8000;

// Nanoseconds of processor time the process has used so far; -1 when it cannot be read.
qint64 cpuNs(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/schedstat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().split(' ').value(0).toLongLong();
}

} // namespace

int main(int argc, char *argv[])
{
    BenchApplication app(argc, argv);
    const int seconds = argc > 1 ? QByteArray(argv[1]).toInt() : 60;
    QTemporaryDir home;
    const QString link = home.filePath(QStringLiteral("ts570"));
    QDir().mkpath(home.filePath(QStringLiteral("config/Vantelo")));
    QFile conf(home.filePath(QStringLiteral("config/Vantelo/Vantelo.conf")));
    if (!conf.open(QIODevice::WriteOnly)
        || conf.write("[Properties]\nCommPort=" + link.toLocal8Bit() + "\n") < 0)
        return 1;
    conf.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess sim;
    sim.setProcessEnvironment(environment);
    sim.start(QStringLiteral(SIM_EXECUTABLE), {QStringLiteral("--link"), link});
    if (!sim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_idle: the simulated radio did not start\n");
        return 1;
    }
    QProcess vantelo;
    vantelo.setProcessEnvironment(environment);
    vantelo.start(QStringLiteral(VANTELO_EXECUTABLE), {QStringLiteral("--no-splash")});
    if (!vantelo.waitForStarted(10000)) {
        std::fprintf(stderr, "bench_idle: vantelo did not start\n");
        return 1;
    }
    pause(SettleMs);
    const qint64 programBefore = cpuNs(vantelo.processId());
    const qint64 simBefore = cpuNs(sim.processId());
    pause(seconds * 1000);
    const qint64 programNs = cpuNs(vantelo.processId()) - programBefore;
    const qint64 simNs = cpuNs(sim.processId()) - simBefore;
    const bool measured = vantelo.state() == QProcess::Running && programBefore >= 0;
    vantelo.terminate();
    vantelo.waitForFinished(10000);
    sim.terminate();
    sim.waitForFinished(5000);

    const double share = double(programNs) / (double(seconds) * 1e9) * 100.0;
    std::printf("vantelo --no-splash on vantelo-radio-sim (its own process), offscreen, S-meter "
                "read 4 times a second; %d s measured after %d s to settle\n",
                seconds, SettleMs / 1000);
    std::printf("vantelo: %.3f s of processor time; simulated radio: %.3f s (%.2f %% of one "
                "core)\n",
                double(programNs) / 1e9, double(simNs) / 1e9,
                double(simNs) / (double(seconds) * 1e9) * 100.0);
    printFigure("idle load of vantelo, share of one core", share, 2, "%", BenchTarget::under(0.3),
                !measured);
    return measured ? 0 : 1;
}
