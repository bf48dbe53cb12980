// ADIF import of a large file: 767,250 contacts, about 60 MB, imported into an empty logbook
// as Logbook > Import ADIF does it. The file is written by a process of its own beforehand, so
// that this one holds nothing but the import. Prints the time the import takes and the peak of
// this process's resident memory during it. Target: under 4 times the file size plus 100 MB.
#include "benchapplication.h"
#include "common/memoryuse.h"
#include "core/db/database.h"
#include "core/exchange/adifwriter.h"
#include "core/exchange/logbookfile.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Contacts = 767'250;

// Writes the file as a terse logger writes it, record after record without blanks: a few years
// of contacts.
int writeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    static const char *const Modes[] = {"CW", "SSB", "FT8", "RTTY", "FM", "AM"};
    const QDateTime start(QDate(2018, 1, 1), QTime(0, 0), Qt::UTC);
    QByteArray text = "Written for the benchmark\n<ADIF_VER:5>3.1.4<EOH>\n";
    for (int n = 0; n < Contacts; ++n) {
        const QDateTime gmt = start.addSecs(qint64(n) * 97);
        using AdifWriter::field;
        text += field("CALL", QStringLiteral("DL%1X").arg(n % 997))
            + field("QSO_DATE", gmt.date().toString(QStringLiteral("yyyyMMdd")))
            + field("TIME_ON", gmt.time().toString(QStringLiteral("HHmmss")))
            + field("FREQ", QStringLiteral("%1.0%2").arg(7 + n % 21).arg(n % 90 + 10))
            + field("MODE", QString::fromLatin1(Modes[n % 6])) + "<EOR>\n";
        if (text.size() > (1 << 20)) {
            file.write(text);
            text.clear();
        }
    }
    file.write(text);
    return file.error() == QFileDevice::NoError ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--write") == 0) {
        QCoreApplication app(argc, argv);
        return writeFile(QString::fromLocal8Bit(argv[2]));
    }
    BenchApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("logbook.adi"));
    if (QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--write"), path})
        != 0) {
        std::fprintf(stderr, "bench_adifimport: the file could not be written\n");
        return 1;
    }
    const double fileMb = double(QFileInfo(path).size()) / (1024 * 1024);
    Database logbook(Tables::logging(), dir.path());
    if (!logbook.open()) {
        std::fprintf(stderr, "bench_adifimport: %s\n", qPrintable(logbook.errorText()));
        return 1;
    }
    const std::optional<qint64> before = Memory::resetPeak();
    QElapsedTimer clock;
    clock.start();
    const ExchangeOutcome outcome = LogbookFile::importFrom(logbook, path, QStringLiteral("0"));
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    const double peakMb = double(Memory::peak()) / (1024 * 1024);
    std::printf("ADIF import of %d contacts, %.1f MB, into an empty logbook: %.1f s, %.0f "
                "contacts a second; resident before %.1f MB, at the peak %.1f MB\n",
                Contacts, fileMb, seconds, Contacts / seconds,
                double(before.value_or(-1)) / (1024 * 1024), peakMb);
    std::printf("%s\n", qPrintable(outcome.message.left(300)));
    printFigure("ADIF import of a 60 MB file, peak memory", peakMb, 0, "MB",
                BenchTarget::under(4 * fileMb + 100), outcome.failed || !before);
    return outcome.failed ? 1 : 0;
}
