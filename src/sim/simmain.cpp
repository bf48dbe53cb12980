// vantelo-radio-sim: a simulated TS-570D on a pseudo-terminal. Prints the device to open as
// the first line of standard output and serves until SIGTERM or SIGINT. Exit status: 0 after a
// clean end, 2 when an option, the memory file or the link path is refused, 1 when the system
// refuses the terminal or the memory cannot be saved at the end.
#include "sim/simlink.h"
#include "sim/simmemorystore.h"
#include "sim/simptyserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the event loop from inside it.
bool quitOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char byte = 0;
        [[maybe_unused]] const auto ignored = ::read(signalPipe[0], &byte, 1);
        app.quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0
        && ::sigaction(SIGINT, &action, nullptr) == 0;
}

// A non-negative whole number option; false with a message when it is anything else.
bool readCount(const QCommandLineParser &parser, const QString &name, qint64 max, qint64 &out)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const qint64 value = parser.value(name).toLongLong(&ok);
    if (!ok || value < 0 || value > max) {
        std::fprintf(stderr, "vantelo-radio-sim: --%s needs a whole number from 0 to %lld\n",
                     qPrintable(name), static_cast<long long>(max));
        return false;
    }
    out = value;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantelo-radio-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTELO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated Kenwood TS-570D on a pseudo-terminal. The first line printed is the "
        "device to open; it serves until terminated."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("baud"), QStringLiteral("Pace replies as a line at <rate> baud, 8N1."),
         QStringLiteral("rate")},
        {QStringLiteral("split"), QStringLiteral("Send each reply in several pieces.")},
        {QStringLiteral("merge"), QStringLiteral("Send two replies in one write.")},
        {QStringLiteral("noise"), QStringLiteral("Put stray bytes between replies.")},
        {QStringLiteral("drop"), QStringLiteral("Lose every <n>th reply."), QStringLiteral("n")},
        {QStringLiteral("late"), QStringLiteral("Hold every reply back <ms> milliseconds."),
         QStringLiteral("ms")},
        {QStringLiteral("seed"),
         QStringLiteral("Seed for noise, split points and the S-meter's wander."),
         QStringLiteral("n")},
        {QStringLiteral("memory"),
         QStringLiteral("Keep the memory channels in <file>: read at the start (a missing file "
                        "is an empty radio), saved when they change and at the end."),
         QStringLiteral("file")},
        {QStringLiteral("link"),
         QStringLiteral("Keep a symbolic link at <path> to the terminal while serving (an old "
                        "link there is replaced, anything else is refused)."),
         QStringLiteral("path")},
    });
    parser.process(app);

    SimOptions options;
    qint64 baud = 0, drop = 0, late = 0, seed = options.seed;
    if (!readCount(parser, QStringLiteral("baud"), 4'000'000, baud)
        || !readCount(parser, QStringLiteral("drop"), 1'000'000, drop)
        || !readCount(parser, QStringLiteral("late"), 60'000, late)
        || !readCount(parser, QStringLiteral("seed"), 0xffffffffLL, seed))
        return 2;
    options.baud = int(baud);
    options.dropEvery = int(drop);
    options.lateMs = int(late);
    options.seed = quint32(seed);
    options.splitReplies = parser.isSet(QStringLiteral("split"));
    options.mergeReplies = parser.isSet(QStringLiteral("merge"));
    options.noise = parser.isSet(QStringLiteral("noise"));

    if (!quitOnSignals(app)) {
        std::perror("vantelo-radio-sim: cannot watch for signals");
        return 1;
    }
    SimPtyServer server(options);
    std::unique_ptr<SimMemoryStore> memory;
    if (parser.isSet(QStringLiteral("memory"))) {
        memory = std::make_unique<SimMemoryStore>(server, parser.value(QStringLiteral("memory")));
        if (!memory->load()) {
            std::fprintf(stderr, "vantelo-radio-sim: %s\n", qPrintable(memory->errorString()));
            return 2;
        }
        QObject::connect(memory.get(), &SimMemoryStore::saveFailed, &app, [](const QString &error) {
            std::fprintf(stderr, "vantelo-radio-sim: %s\n", qPrintable(error));
        });
    }
    if (!server.start()) {
        std::fprintf(stderr, "vantelo-radio-sim: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    SimLink link;
    if (parser.isSet(QStringLiteral("link"))
        && !link.place(parser.value(QStringLiteral("link")), server.devicePath())) {
        std::fprintf(stderr, "vantelo-radio-sim: %s\n", qPrintable(link.errorString()));
        return 2;
    }
    // What the keyer sends goes to the log, one line each time it runs empty (without the word
    // space it may have begun with).
    QObject::connect(&server, &SimPtyServer::keyed, &app, [](const QByteArray &text) {
        std::fprintf(stderr, "vantelo-radio-sim: keyed \"%s\"\n", text.trimmed().constData());
    });
    std::printf("%s\n", qPrintable(server.devicePath()));
    std::fflush(stdout);
    const int status = app.exec();
    if (memory && !memory->save()) {
        std::fprintf(stderr, "vantelo-radio-sim: %s\n", qPrintable(memory->errorString()));
        return 1;
    }
    return status;
}
