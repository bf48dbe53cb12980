#include "core/exchange/logbookadif.h"

#include "core/clock/clocktext.h"
#include "core/exchange/adifbands.h"
#include "core/exchange/adifmodes.h"
#include "core/exchange/adifreader.h"
#include "core/exchange/adifwriter.h"
#include "core/exchange/decimaltext.h"
#include "core/exchange/exchangefile.h"
#include "core/logbook/logquestions.h"
#include "core/logbook/logtime.h"
#include "core/memory/memorycells.h"
#include "core/radio/cat.h"

#include <QCryptographicHash>
#include <QMap>
#include <QSet>

#include <cstring>

namespace LogbookAdif {

namespace {

enum Column { Local, Gmt, Frequency, Mode, CallSign, Description, ColumnCount };

constexpr int MhzDecimals = 6; // megahertz to the hertz

QString cell(const QStringList &row, Column column)
{
    return row.value(column);
}

// The frequency of a cell in hertz; nothing for a blank cell or one that holds no frequency.
std::optional<qint64> hertzOf(const QString &cell)
{
    const std::optional<qint64> hz = MemoryCells::frequencyHz(cell);
    if (!hz || *hz <= 0)
        return std::nullopt;
    return hz;
}

// The band of a frequency cell, or the band a record names when it gives no frequency.
QString bandOf(const QString &frequency, const QString &namedBand = QString())
{
    if (const std::optional<qint64> hz = hertzOf(frequency))
        return AdifBands::bandOf(*hz);
    return namedBand.trimmed().toLower();
}

// What makes two contacts the same (see the header). A GMT cell in another form than the
// stored one is compared as its text.
QString sameness(const QStringList &row, const QString &namedBand = QString())
{
    const QString gmtCell = cell(row, Gmt).trimmed();
    const std::optional<QDateTime> gmt = LogTime::wallClock(gmtCell);
    return QStringList {gmt ? gmt->toString(QStringLiteral("yyyy-MM-ddTHH:mm")) : gmtCell,
                        cell(row, CallSign).trimmed().toUpper(),
                        bandOf(cell(row, Frequency), namedBand),
                        cell(row, Mode).trimmed().toUpper()}
        .join(QChar(0x1f));
}

Digest digestOf(const QString &sameness)
{
    const QByteArray hash
        = QCryptographicHash::hash(sameness.toUtf8(), QCryptographicHash::Blake2s_128);
    Digest digest;
    std::memcpy(&digest.high, hash.constData(), sizeof digest.high);
    std::memcpy(&digest.low, hash.constData() + sizeof digest.high, sizeof digest.low);
    return digest;
}

QByteArray record(const QStringList &row, const QDateTime &gmt, Export &out)
{
    const QString name = LogQuestions::contactName(cell(row, CallSign), cell(row, Local));
    QByteArray text;
    text += AdifWriter::field("CALL", cell(row, CallSign).trimmed()) + ' ';
    text += AdifWriter::field("QSO_DATE", gmt.date().toString(QStringLiteral("yyyyMMdd"))) + ' ';
    text += AdifWriter::field("TIME_ON", gmt.time().toString(QStringLiteral("HHmmss"))) + ' ';
    const QString frequency = cell(row, Frequency);
    if (const std::optional<qint64> hz = hertzOf(frequency)) {
        text += AdifWriter::field("FREQ", DecimalText::fixed(*hz, MhzDecimals)) + ' ';
        if (const QString band = AdifBands::bandOf(*hz); !band.isEmpty())
            text += AdifWriter::field("BAND", band) + ' ';
    } else if (!frequency.trimmed().isEmpty()) {
        out.notes << QStringLiteral("%1: Frequency \"%2\" is no frequency in kHz, so FREQ and "
                                    "BAND were left out")
                         .arg(name, frequency);
    }
    const QString mode = cell(row, Mode);
    const AdifModes::Adif adif = AdifModes::fromCell(mode);
    if (!adif.mode.isEmpty()) {
        text += AdifWriter::field("MODE", adif.mode) + ' ';
        if (!adif.submode.isEmpty())
            text += AdifWriter::field("SUBMODE", adif.submode) + ' ';
        // ADIF cannot tell CW-R from CW or FSK-R from FSK: the logbook's own field can.
        if (AdifModes::isOwnName(mode.trimmed())
            && AdifModes::toCell(adif.mode, adif.submode, QString(), std::nullopt)
                != mode.trimmed())
            text += AdifWriter::field(AdifModes::AppModeField, mode.trimmed()) + ' ';
    }
    if (const QString description = cell(row, Description); !description.trimmed().isEmpty())
        text += AdifWriter::field("COMMENT", description) + ' ';
    return text + "<EOR>\n";
}

std::optional<QDate> dateOf(const QString &text)
{
    if (text.size() != 8)
        return std::nullopt;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    }
    const QDate date(text.left(4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

std::optional<QTime> timeOf(const QString &text)
{
    if (text.size() != 4 && text.size() != 6)
        return std::nullopt;
    for (QChar c : text) {
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    }
    const QTime time(text.left(2).toInt(), text.mid(2, 2).toInt(),
                     text.size() == 6 ? text.mid(4, 2).toInt() : 0);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

// A text from the file as a message quotes it: on one line, cut short when long.
QString quoted(const QString &text)
{
    QString shown = text.simplified();
    if (shown.size() > 30)
        shown = shown.left(27) + QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

class RecordReader
{
public:
    RecordReader(const QString &gmtOffset, const QTimeZone &zone)
        : m_gmtOffset(gmtOffset)
        , m_zone(zone)
    {
    }

    // The row for a record, or the problem with it.
    std::optional<QStringList> row(const AdifRecord &record, FileProblem *problem)
    {
        const auto value
            = [&record](const char *name) { return record.fields.value(QLatin1String(name)); };
        const auto fail = [&](const QString &text) {
            *problem = FileProblem {record.line, text};
            return std::nullopt;
        };
        for (const char *name : {"CALL", "MODE", "SUBMODE", AdifModes::AppModeField, "COMMENT"}) {
            const QString text = value(name);
            if (const std::optional<QChar> control = ExchangeFile::controlCharacter(text))
                return fail(
                    QStringLiteral("the record that starts here has ")
                    + ExchangeFile::controlCharacterProblem(QLatin1String(name), text, *control));
        }
        const QString call = value("CALL").trimmed();
        if (call.isEmpty())
            return fail(QStringLiteral("the record that starts here has no CALL"));
        const QString dateText = value("QSO_DATE").trimmed();
        const QString timeText = value("TIME_ON").trimmed();
        if (dateText.isEmpty())
            return fail(QStringLiteral("the record of %1 has no QSO_DATE").arg(call));
        if (timeText.isEmpty())
            return fail(QStringLiteral("the record of %1 has no TIME_ON").arg(call));
        const std::optional<QDate> date = dateOf(dateText);
        if (!date)
            return fail(QStringLiteral("the record of %1 has QSO_DATE %2, which is no date "
                                       "written YYYYMMDD")
                            .arg(call, quoted(dateText)));
        const std::optional<QTime> time = timeOf(timeText);
        if (!time)
            return fail(QStringLiteral("the record of %1 has TIME_ON %2, which is no time "
                                       "written HHMM or HHMMSS")
                            .arg(call, quoted(timeText)));

        std::optional<qint64> hz;
        if (const QString freq = value("FREQ").trimmed(); !freq.isEmpty()) {
            hz = DecimalText::units(freq, MhzDecimals);
            if (!hz || *hz <= 0)
                return fail(QStringLiteral("the record of %1 has FREQ %2, which is no frequency "
                                           "in MHz")
                                .arg(call, quoted(freq)));
            if (*hz > Cat::MaxFrequencyHz)
                return fail(QStringLiteral("the record of %1 has FREQ %2, beyond the "
                                           "99,999.999999 MHz a logbook cell holds")
                                .arg(call, quoted(freq)));
        }
        const QString mode = AdifModes::toCell(value("MODE"), value("SUBMODE"),
                                               value(AdifModes::AppModeField), hz);

        const QDateTime gmt(*date, *time, Qt::UTC);
        QStringList row(ColumnCount);
        row[Local] = LogTime::stored(ClockText::localWallClock(gmt, m_gmtOffset, m_zone));
        row[Gmt] = LogTime::stored(gmt);
        row[Frequency] = hz ? MemoryCells::frequencyCell(*hz) : QString();
        row[Mode] = mode;
        row[CallSign] = call;
        row[Description] = value("COMMENT");
        return row;
    }

    // Counts what the notes tell about the rows imported.
    void count(const QStringList &row)
    {
        if (cell(row, Frequency).isEmpty())
            ++m_withoutFrequency;
        if (!AdifModes::isOwnName(cell(row, Mode)))
            ++m_foreignModes[cell(row, Mode)];
    }

    QStringList notes() const
    {
        QStringList notes;
        if (m_withoutFrequency > 0)
            notes << QStringLiteral("%1 without FREQ: their Frequency cell is empty.")
                         .arg(contacts(m_withoutFrequency));
        if (!m_foreignModes.isEmpty()) {
            QStringList modes;
            for (auto it = m_foreignModes.cbegin(); it != m_foreignModes.cend(); ++it)
                modes << QStringLiteral("%1 (%2)").arg(it.key(), contacts(it.value()));
            notes << QStringLiteral("Modes the Mode list does not offer were kept as the file "
                                    "writes them: %1.")
                         .arg(modes.join(QStringLiteral(", ")));
        }
        return notes;
    }

    static QString contacts(int count)
    {
        return count == 1 ? QStringLiteral("1 contact") : QStringLiteral("%1 contacts").arg(count);
    }

private:
    QString m_gmtOffset;
    QTimeZone m_zone;
    int m_withoutFrequency = 0;
    QMap<QString, int> m_foreignModes;
};

QString recordName(const AdifRecord &record, const QStringList &row)
{
    return QStringLiteral("line %1 (%2, %3 GMT)")
        .arg(record.line)
        .arg(cell(row, CallSign), LogTime::shown(cell(row, Gmt)));
}

} // namespace

Export write(const QList<QStringList> &rows, const QDateTime &created)
{
    Export out;
    out.bytes = AdifWriter::header(created) + '\n';
    for (const QStringList &row : rows) {
        const QString name = LogQuestions::contactName(cell(row, CallSign), cell(row, Local));
        if (cell(row, CallSign).trimmed().isEmpty()) {
            out.leftOut << QStringLiteral("%1: no call sign").arg(name);
            continue;
        }
        const std::optional<QDateTime> gmt = LogTime::wallClock(cell(row, Gmt).trimmed());
        if (!gmt) {
            out.leftOut << QStringLiteral("%1: no time in its GMT cell").arg(name);
            continue;
        }
        out.bytes += record(row, *gmt, out);
        ++out.written;
    }
    return out;
}

size_t qHash(const Digest &digest, size_t seed)
{
    return qHashMulti(seed, digest.high, digest.low);
}

void Known::addLogged(const QStringList &row)
{
    m_logged.insert(digestOf(sameness(row)));
}

Import stream(QByteArrayView bytes, const Known &known, const QString &gmtOffset,
              const QTimeZone &zone, const std::function<bool(const QStringList &row)> &take)
{
    Import out;
    AdifStream file(bytes);
    QHash<Digest, int> inFile; // the contacts of the file so far, to the line that brought each
    RecordReader reader(gmtOffset, zone);
    const auto skip = [&out](const QString &name) {
        if (out.skipped.size() < NamedSkips)
            out.skipped << name;
        ++out.skippedCount;
    };
    while (const std::optional<AdifRecord> record = file.next()) {
        ++out.records;
        FileProblem problem;
        const std::optional<QStringList> row = reader.row(*record, &problem);
        if (!row) {
            out = Import();
            out.problem = problem;
            return out;
        }
        const Digest key = digestOf(sameness(*row, record->fields.value(QStringLiteral("BAND"))));
        if (known.contains(key)) {
            skip(recordName(*record, *row) + QStringLiteral(" is already in the logbook"));
            continue;
        }
        if (const auto earlier = inFile.constFind(key); earlier != inFile.constEnd()) {
            skip(recordName(*record, *row)
                 + QStringLiteral(" repeats line %1 of the file").arg(*earlier));
            continue;
        }
        inFile.insert(key, record->line);
        reader.count(*row);
        if (!take(*row))
            return out;
        ++out.added;
    }
    if (file.problem()) {
        out = Import();
        out.problem = file.problem();
        return out;
    }
    out.notes = reader.notes();
    return out;
}

Import read(const QByteArray &bytes, const QList<QStringList> &existing, const QString &gmtOffset,
            const QTimeZone &zone)
{
    Known known;
    for (const QStringList &row : existing)
        known.addLogged(row);
    QList<QStringList> rows;
    Import out = stream(bytes, known, gmtOffset, zone, [&rows](const QStringList &row) {
        rows << row;
        return true;
    });
    if (!out.problem)
        out.rows = std::move(rows);
    return out;
}

} // namespace LogbookAdif
