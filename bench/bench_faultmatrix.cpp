// The fault matrix at full size: every long operation (start-up, memory download and upload,
// memory and frequency scan, a rigctl client setting frequency and mode 100 times) against the
// simulated radio under each of its fault switches (--split, --merge, --noise, --drop 5,
// --late 300) and all of them at once. Each session ends with the program's state, its display
// and the table compared field by field with the radio's own. Prints each session's time beside
// the same operation without faults, and the sessions run, the mismatches (target 0) and the
// client answers that called a set failed although the radio took it (target 0).
#include "benchapplication.h"
#include "common/faultmatrix.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    BenchApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each session as soon as it has run
    const FaultMatrix::Size size {20, 100, 300, 0};
    const QList<FaultMatrix::Fault> faults = FaultMatrix::faults(size.lateMs);
    std::printf("Fault matrix: %d scan dwells, %d frequency and mode pairs from a rigctl client, "
                "replies held back %d ms by the late switch\n",
                size.scanDwells, size.rigctlPairs, size.lateMs);
    std::printf("%-16s %-9s %10s %12s %7s %10s\n", "operation", "fault", "ms", "clean ms", "ratio",
                "mismatches");
    int sessions = 0, mismatches = 0, wrongAnswers = 0, unfinished = 0;
    for (FaultMatrix::Operation operation : FaultMatrix::operations()) {
        double cleanMs = 0;
        for (const FaultMatrix::Fault &fault : faults) {
            const FaultMatrix::Result r = FaultMatrix::run(operation, fault.options, size);
            if (fault.options.dropEvery == 0 && !fault.options.noise && fault.options.lateMs == 0
                && !fault.options.splitReplies && !fault.options.mergeReplies)
                cleanMs = r.ms;
            ++sessions;
            mismatches += int(r.mismatches.size());
            wrongAnswers += int(r.wrongAnswers.size());
            unfinished += r.finished ? 0 : 1;
            std::printf("%-16s %-9s %10.0f %12.0f %7.2f %10lld%s\n", FaultMatrix::name(operation),
                        fault.name, r.ms, cleanMs, cleanMs > 0 ? r.ms / cleanMs : 0.0,
                        qlonglong(r.mismatches.size()), r.finished ? "" : "  (did not end)");
            for (const QString &line : r.mismatches + r.wrongAnswers)
                std::printf("    %s\n", qPrintable(line));
        }
    }
    printFigure("fault matrix, sessions run to their end", sessions - unfinished, 0, "",
                BenchTarget::exactly(sessions));
    printFigure("fault matrix, mismatches with the radio", mismatches, 0, "",
                BenchTarget::exactly(0));
    printFigure("fault matrix, client sets answered failed though the radio took them",
                wrongAnswers, 0, "", BenchTarget::exactly(0));
    return 0;
}
