// Random, truncated and damaged files given to every reader: none may crash or hang, a refused
// file gives no rows and names a line that is in the file, and a file cut short never gives
// rows the whole file does not.
#include "core/exchange/bandcsv.h"
#include "core/exchange/logbookadif.h"
#include "core/exchange/memorycsv.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// What a reader returns, reduced to what the checks look at.
struct Outcome
{
    std::optional<FileProblem> problem;
    qsizetype rows = 0;
};

using Reader = std::function<Outcome(const QByteArray &)>;

Outcome adif(const QByteArray &bytes)
{
    const LogbookAdif::Import in = LogbookAdif::read(bytes, {}, QStringLiteral("+10"));
    return {in.problem, in.rows.size() + in.skipped.size()};
}

Outcome memoryCsv(const QByteArray &bytes)
{
    const MemoryCsv::Import in = MemoryCsv::read(bytes, 100);
    return {in.problem, in.rows.size()};
}

Outcome bandCsv(const QByteArray &bytes)
{
    const BandCsv::Import in = BandCsv::read(bytes);
    return {in.problem, in.rows.size()};
}

QByteArray adifSample()
{
    QList<QStringList> rows;
    const char *modes[] = {"LSB", "USB", "CW", "CW-R", "AM", "FM", "FSK", "FSK-R", "FT8"};
    for (int i = 0; i < 12; ++i)
        rows << QStringList {QStringLiteral("2026-12-06T19:%1:00").arg(i, 2, 10, QLatin1Char('0')),
                             QStringLiteral("2026-12-06T09:%1:00").arg(i, 2, 10, QLatin1Char('0')),
                             QStringLiteral("14,%1.5").arg(100 + i),
                             QLatin1String(modes[i % 9]),
                             QStringLiteral("K%1ABC").arg(i),
                             i % 3 ? QStringLiteral("a <b>\nc") : QString()};
    return LogbookAdif::write(rows, QDateTime::currentDateTimeUtc()).bytes;
}

QByteArray memorySample()
{
    QList<QStringList> rows;
    for (int i = 0; i < 100; ++i)
        rows << QStringList {QString::number(i),
                             i < 20 ? QStringLiteral("14,%1").arg(100 + i) : " ",
                             i % 4 == 0 ? QStringLiteral("14,300") : " ",
                             i % 2 ? QStringLiteral("USB") : QStringLiteral("FM"),
                             i % 3 ? QStringLiteral("88.5") : " ",
                             QStringLiteral("ch, \"%1\"").arg(i),
                             i % 2 ? "A" : " "};
    return MemoryCsv::write(rows).bytes;
}

int lineCount(const QByteArray &bytes)
{
    return int(bytes.count('\n') + bytes.count('\r')) + 1;
}

// The checks every answer must pass.
void check(const Reader &read, const QByteArray &bytes, qsizetype wholeRows, const char *what)
{
    const Outcome out = read(bytes);
    if (out.problem) {
        QVERIFY2(out.rows == 0, what);
        QVERIFY2(out.problem->line >= 0 && out.problem->line <= lineCount(bytes),
                 qPrintable(QStringLiteral("%1: line %2 of %3")
                                .arg(QLatin1String(what))
                                .arg(out.problem->line)
                                .arg(lineCount(bytes))));
        QVERIFY2(!out.problem->text.isEmpty(), what);
    } else if (wholeRows >= 0) {
        QVERIFY2(out.rows <= wholeRows, what);
    }
}

} // namespace

class tst_ExchangeFuzz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void damagedFiles_data();
    void damagedFiles();
};

void tst_ExchangeFuzz::damagedFiles_data()
{
    QTest::addColumn<Reader>("read");
    QTest::addColumn<QByteArray>("sample");
    QTest::newRow("ADIF") << Reader(adif) << adifSample();
    QTest::newRow("memory CSV") << Reader(memoryCsv) << memorySample();
    QTest::newRow("band CSV") << Reader(bandCsv) << memorySample();
}

void tst_ExchangeFuzz::damagedFiles()
{
    QFETCH(Reader, read);
    QFETCH(QByteArray, sample);
    const Outcome whole = read(sample);
    QVERIFY(!whole.problem);
    QVERIFY(whole.rows > 10);

    // Cut short at every byte.
    for (qsizetype size = 0; size < sample.size(); ++size)
        check(read, sample.left(size), whole.rows, "truncated");

    QRandomGenerator random(20261206);
    const QByteArray alphabet = "<>:,\"\r\n EORHeorh0123456789.-+#CALLFREQ\xC3\xBC\xFF";
    for (int round = 0; round < 1500; ++round) {
        // Damaged in a few places: bytes changed, taken out or put in.
        QByteArray damaged = sample;
        for (int change = random.bounded(1, 6); change > 0; --change) {
            const qsizetype at = random.bounded(int(damaged.size()));
            switch (random.bounded(3)) {
            case 0:
                damaged[at] = alphabet.at(random.bounded(int(alphabet.size())));
                break;
            case 1:
                damaged.remove(at, random.bounded(1, 40));
                break;
            default:
                damaged.insert(at, alphabet.mid(random.bounded(int(alphabet.size())), 3));
                break;
            }
        }
        check(read, damaged, -1, "damaged");

        // Noise, made of the characters the formats give meaning to and of any byte.
        QByteArray noise(random.bounded(0, 400), '\0');
        for (char &c : noise)
            c = random.bounded(4) ? alphabet.at(random.bounded(int(alphabet.size())))
                                  : char(random.bounded(256));
        check(read, noise, -1, "noise");
    }
}

QTEST_GUILESS_MAIN(tst_ExchangeFuzz)
#include "tst_exchangefuzz.moc"
