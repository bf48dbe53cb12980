#include "core/exchange/chirpcsv.h"

#include "core/exchange/csvtext.h"
#include "core/exchange/decimaltext.h"
#include "core/exchange/exchangefile.h"

#include <QHash>

namespace ChirpCsv {

namespace {

constexpr int MhzDecimals = 6;

struct ModeName
{
    const char *cell;
    const char *chirp;
};

// Written both ways, then names only read.
constexpr ModeName Modes[] = {
    {"LSB", "LSB"}, {"USB", "USB"}, {"CW", "CW"},      {"CW-R", "CWR"}, {"AM", "AM"},
    {"FM", "FM"},   {"FSK", "FSK"}, {"FSK-R", "FSKR"}, {" ", "Auto"},
};
constexpr ModeName ReadOnlyModes[] = {{"FSK", "RTTY"}, {"FSK-R", "RTTYR"}, {" ", ""}};

constexpr const char *Duplexes[] = {"", "+", "-", "split", "off"};
constexpr const char *ToneModes[] = {"", "Tone", "TSQL", "DTCS", "DTCS-R", "TSQL-R", "Cross"};

template<typename List> bool listed(const List &list, const QString &text)
{
    for (const char *entry : list) {
        if (text == QLatin1String(entry))
            return true;
    }
    return false;
}

QString quoted(const QString &text)
{
    QString shown = text.simplified();
    if (shown.size() > 30)
        shown = shown.left(27) + QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

// A frequency as CHIRP reads one: MHz with up to six decimals, or with " MHz" or " kHz" after it.
std::optional<qint64> frequency(const QString &cell)
{
    QString text = cell.trimmed();
    if (text.endsWith(QLatin1String(" kHz"))) {
        const std::optional<qint64> khz = DecimalText::units(text.chopped(4), 0);
        return khz ? std::optional<qint64>(*khz * 1000) : std::nullopt;
    }
    if (text.endsWith(QLatin1String(" MHz")))
        text.chop(4);
    const std::optional<qint64> hz = DecimalText::units(text, MhzDecimals);
    // Beyond what any table here could hold, and what the arithmetic stays sane with.
    if (hz && *hz > 10'000'000'000'000)
        return std::nullopt;
    return hz;
}

bool isBlankRecord(const QStringList &cells)
{
    for (const QString &cell : cells) {
        if (!cell.trimmed().isEmpty())
            return false;
    }
    return true;
}

class ChannelReader
{
public:
    explicit ChannelReader(const QStringList &header)
    {
        for (int i = 0; i < header.size(); ++i) {
            const QString name = header.at(i).trimmed();
            if (!m_columns.contains(name))
                m_columns.insert(name, i);
        }
        m_width = int(header.size());
    }

    bool hasColumn(const char *name) const { return m_columns.contains(QLatin1String(name)); }

    std::optional<Channel> channel(const CsvRecord &record, FileProblem *problem) const
    {
        const auto fail = [&](const QString &text) {
            *problem = FileProblem {record.line, text};
            return std::nullopt;
        };
        if (record.cells.size() < m_width)
            return fail(QStringLiteral("%1 cells where the header names %2 columns")
                            .arg(record.cells.size())
                            .arg(m_width));
        const auto cell = [&](const char *name, const QString &absent = QString()) {
            const auto column = m_columns.constFind(QLatin1String(name));
            return column == m_columns.constEnd() ? absent : record.cells.at(*column);
        };

        Channel c;
        c.line = record.line;
        const QString location = cell("Location").trimmed();
        const std::optional<qint64> number = DecimalText::units(location, 0);
        if (location.isEmpty() || location.contains(QLatin1Char('.')) || !number
            || *number > 999'999)
            return fail(QStringLiteral("Location %1 is no channel number").arg(quoted(location)));
        c.location = int(*number);

        const QString freq = cell("Frequency");
        const std::optional<qint64> hz = frequency(freq);
        if (freq.trimmed().isEmpty() || !hz)
            return fail(QStringLiteral("Frequency %1 is no frequency in MHz").arg(quoted(freq)));
        c.hz = *hz;

        c.duplex = cell("Duplex").trimmed();
        if (!listed(Duplexes, c.duplex))
            return fail(QStringLiteral("Duplex %1 is none of \"\", \"+\", \"-\", \"split\" and "
                                       "\"off\"")
                            .arg(quoted(c.duplex)));
        const QString offset = cell("Offset");
        const std::optional<qint64> offsetHz
            = offset.trimmed().isEmpty() ? std::optional<qint64>(0) : frequency(offset);
        if (!offsetHz)
            return fail(QStringLiteral("Offset %1 is no frequency in MHz").arg(quoted(offset)));
        c.offsetHz = *offsetHz;

        c.toneMode = cell("Tone").trimmed();
        if (!listed(ToneModes, c.toneMode))
            return fail(
                QStringLiteral("Tone %1 is none of CHIRP's tone modes").arg(quoted(c.toneMode)));
        const QString tone = cell("rToneFreq").trimmed();
        if (!tone.isEmpty()) {
            const std::optional<qint64> tenths = DecimalText::units(tone, 1);
            if (!tenths || *tenths > 100'000)
                return fail(QStringLiteral("rToneFreq %1 is no tone in Hz").arg(quoted(tone)));
            c.rToneTenths = int(*tenths);
        }

        // A channel without a Mode column is FM, as CHIRP makes it.
        c.mode = cell("Mode", QStringLiteral("FM")).trimmed();
        c.skip = cell("Skip").trimmed();
        for (const char *column : {"Name", "Comment"}) {
            if (const auto control = ExchangeFile::controlCharacter(cell(column)))
                return fail(ExchangeFile::controlCharacterProblem(QLatin1String(column),
                                                                  cell(column), *control));
        }
        c.name = CsvText::unguarded(cell("Name"));
        c.comment = CsvText::unguarded(cell("Comment"));
        return c;
    }

private:
    QHash<QString, int> m_columns;
    int m_width = 0;
};

} // namespace

const QStringList &columns()
{
    static const QStringList names {
        "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
        "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
        "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
    return names;
}

Read read(const QByteArray &bytes)
{
    Read out;
    const CsvRead csv = CsvText::read(ExchangeFile::decoded(bytes));
    if (csv.problem) {
        out.problem = csv.problem;
        return out;
    }
    std::optional<ChannelReader> reader;
    for (const CsvRecord &record : csv.records) {
        if (record.cells.first().trimmed().startsWith(QLatin1Char('#'))
            || isBlankRecord(record.cells))
            continue;
        if (!reader) {
            reader.emplace(record.cells);
            if (!reader->hasColumn("Location") || !reader->hasColumn("Frequency")) {
                out.problem
                    = FileProblem {record.line,
                                   QStringLiteral("this is no CHIRP header: it names no Location "
                                                  "and Frequency columns")};
                return out;
            }
            continue;
        }
        FileProblem problem;
        const std::optional<Channel> channel = reader->channel(record, &problem);
        if (!channel) {
            out.problem = problem;
            out.channels.clear();
            return out;
        }
        out.channels << *channel;
    }
    if (!reader)
        out.problem = FileProblem {0, QStringLiteral("the file holds no CHIRP header line")};
    return out;
}

QByteArray write(const QList<Channel> &channels)
{
    const QString end = QStringLiteral("\r\n");
    QString text = CsvText::line(columns()) + end;
    for (const Channel &c : channels) {
        const QString tone = toneText(c.rToneTenths);
        text += CsvText::line({QString::number(c.location),
                               CsvText::guarded(c.name),
                               DecimalText::fixed(c.hz, MhzDecimals),
                               c.duplex,
                               DecimalText::fixed(c.offsetHz, MhzDecimals),
                               c.toneMode,
                               tone,
                               tone,
                               QStringLiteral("023"),
                               QStringLiteral("NN"),
                               QStringLiteral("023"),
                               QStringLiteral("Tone->Tone"),
                               c.mode,
                               QStringLiteral("5.00"),
                               c.skip,
                               QStringLiteral("100W"),
                               CsvText::guarded(c.comment),
                               QString(),
                               QString(),
                               QString(),
                               QString()})
            + end;
    }
    return text.toUtf8();
}

std::optional<QString> chirpMode(const QString &cell)
{
    const QString text = cell.trimmed().isEmpty() ? QStringLiteral(" ") : cell.trimmed();
    for (const ModeName &m : Modes) {
        if (text == QLatin1String(m.cell))
            return QLatin1String(m.chirp);
    }
    return std::nullopt;
}

std::optional<QString> modeCell(const QString &chirpMode)
{
    for (const ModeName &m : Modes) {
        if (chirpMode == QLatin1String(m.chirp))
            return QLatin1String(m.cell);
    }
    for (const ModeName &m : ReadOnlyModes) {
        if (chirpMode == QLatin1String(m.chirp))
            return QLatin1String(m.cell);
    }
    return std::nullopt;
}

QString acceptedModes()
{
    QStringList names;
    for (const ModeName &m : Modes)
        names << QLatin1String(m.chirp);
    for (const ModeName &m : ReadOnlyModes) {
        if (*m.chirp)
            names << QLatin1String(m.chirp);
    }
    return names.join(QStringLiteral(", "));
}

QString toneText(int tenths)
{
    return DecimalText::fixed(tenths, 1);
}

namespace {
const QString ScanPrefix = QStringLiteral("Vantelo scan code: ");
} // namespace

QString scanComment(const QString &scanCode)
{
    return ScanPrefix + scanCode;
}

std::optional<QString> scanCode(const QString &comment)
{
    if (!comment.startsWith(ScanPrefix) || comment.size() == ScanPrefix.size())
        return std::nullopt;
    return comment.mid(ScanPrefix.size());
}

QString description(const Channel &channel)
{
    const bool named = !channel.name.trimmed().isEmpty();
    const bool commented = !channel.comment.trimmed().isEmpty() && !scanCode(channel.comment);
    if (named && commented)
        return channel.name + QStringLiteral(" - ") + channel.comment;
    if (named)
        return channel.name;
    if (commented)
        return channel.comment;
    return QStringLiteral(" ");
}

} // namespace ChirpCsv
