// Crash safety at fifty random moments per operation: the program killed outright (SIGKILL)
// during a memory download, an upload, a logbook edit, a snapshot restore, an ADIF import and a
// CSV import, each kill at a seeded random moment of the operation's run (the seed is printed;
// give another as the first argument). After each kill every table must pass PRAGMA
// integrity_check, hold every commit made and nothing half-written. Prints per operation where
// the kills landed (before anything was committed, between commits, after the last) and the
// kills that left the tables whole (target: all of them).
#include "benchapplication.h"
#include "common/crashsafety.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr int Kills = 50;
}

int main(int argc, char *argv[])
{
    if (argc >= 4 && qstrcmp(argv[1], CrashSafety::ChildArgument) == 0)
        return CrashSafety::childMain(argc, argv);
    BenchApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const quint32 seed = argc > 1 ? QByteArray(argv[1]).toUInt()
                                  : quint32(QDateTime::currentMSecsSinceEpoch() & 0x7fffffff);
    std::printf("SIGKILL at %d random moments per operation, seed %u\n", Kills, seed);
    std::printf("%-18s %9s %8s %8s %8s %7s %9s\n", "operation", "run ms", "before", "between",
                "after", "whole", "problems");
    QRandomGenerator random(seed);
    const QString program = QCoreApplication::applicationFilePath();
    for (CrashSafety::Operation operation : CrashSafety::operations()) {
        QTemporaryDir full;
        CrashSafety::prepare(full.path(), operation);
        const CrashSafety::Rows before = StoredTable(CrashSafety::tablePath(full.path(), operation))
                                             .rows(CrashSafety::schema(operation));
        const CrashSafety::Child run = CrashSafety::runChild(program, operation, full.path(), -1);
        const CrashSafety::Rows after = StoredTable(CrashSafety::tablePath(full.path(), operation))
                                            .rows(CrashSafety::schema(operation));
        int landed[3] = {0, 0, 0};
        int whole = 0;
        QStringList problems;
        for (int kill = 0; kill < Kills; ++kill) {
            const int afterMs = int(random.bounded(int(run.runMs * 1.1) + 1));
            QTemporaryDir folder;
            CrashSafety::prepare(folder.path(), operation);
            const CrashSafety::Child child
                = CrashSafety::runChild(program, operation, folder.path(), afterMs);
            const CrashSafety::Outcome outcome = child.failure.isEmpty()
                ? CrashSafety::check(folder.path(), operation, child, before, after)
                : CrashSafety::Outcome {child.failure};
            if (outcome.problem.isEmpty()) {
                ++whole;
                ++landed[outcome.landed];
            } else {
                problems << QStringLiteral("at %1 ms: %2").arg(afterMs).arg(outcome.problem);
            }
        }
        std::printf("%-18s %9.0f %8d %8d %8d %7d %9lld\n", CrashSafety::name(operation), run.runMs,
                    landed[0], landed[1], landed[2], whole, qlonglong(problems.size()));
        for (const QString &problem : problems)
            std::printf("    %s\n", qPrintable(problem));
        printFigure(qPrintable(QStringLiteral("SIGKILL during %1, kills that left the tables "
                                              "whole and as committed")
                                   .arg(QLatin1String(CrashSafety::name(operation)))),
                    whole, 0, "", BenchTarget::exactly(Kills));
    }
    return 0;
}
