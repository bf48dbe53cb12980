#include "core/exchange/memorycsv.h"

#include "core/exchange/chirpcsv.h"
#include "core/exchange/decimaltext.h"
#include "core/memory/memorycells.h"
#include "core/memory/memoryrow.h"
#include "core/radio/cat.h"
#include "core/radio/cattables.h"

namespace MemoryCsv {

namespace {

// The tone burst at the end of the radio's table is no CTCSS tone.
constexpr int BurstTone = Cat::ToneCount;
constexpr const char *DefaultScanCode = "A";

int toneTenths(int number)
{
    return int(DecimalText::units(Cat::toneText(number), 1).value_or(0));
}

// The radio's tone number (1 to 38) for a CTCSS tone in tenths of a hertz.
std::optional<int> toneNumber(int tenths)
{
    for (int number = 1; number < BurstTone; ++number) {
        if (toneTenths(number) == tenths)
            return number;
    }
    return std::nullopt;
}

QString quoted(const QString &cell)
{
    return QLatin1Char('"') + cell + QLatin1Char('"');
}

bool isBlank(const QString &cell)
{
    return cell.trimmed().isEmpty();
}

// The channel for a row, or the reason it cannot be written.
std::optional<ChirpCsv::Channel> channelOf(int number, const MemoryRow &row, QString *why,
                                           QStringList &notes)
{
    const QString name = QStringLiteral("channel %1").arg(MemoryCells::channelText(number));
    const std::optional<qint64> main = MemoryCells::frequencyHz(row.FreqMain);
    const std::optional<qint64> split = MemoryCells::frequencyHz(row.FreqSplit);
    const std::optional<QString> mode = ChirpCsv::chirpMode(row.Mode);
    const std::optional<MemoryCells::Tone> tone = MemoryCells::tone(row.Tone);
    const auto refuse = [&](const char *field, const QString &cell, const char *what) {
        *why = QStringLiteral("%1: %2 %3 is no %4")
                   .arg(name, QLatin1String(field), quoted(cell), QLatin1String(what));
        return std::nullopt;
    };
    if (!main)
        return refuse("FreqMain", row.FreqMain, "frequency");
    if (!split)
        return refuse("FreqSplit", row.FreqSplit, "frequency");
    if (!mode)
        return refuse("Mode", row.Mode, "mode name");
    if (!tone)
        return refuse("Tone", row.Tone, "tone");

    ChirpCsv::Channel c;
    c.location = number;
    c.name = isBlank(row.Description) ? QString() : row.Description;
    c.hz = *main;
    if (*split > 0) {
        c.duplex = QStringLiteral("split");
        c.offsetHz = *split;
    }
    c.mode = *mode;
    if (tone->flag == '1' && tone->number == BurstTone) {
        notes << QStringLiteral("%1: CHIRP has no 1750 Hz tone burst, so the channel was written "
                                "without a tone")
                     .arg(name);
    } else if (tone->flag == '1') {
        c.toneMode = QStringLiteral("Tone");
        c.rToneTenths = toneTenths(tone->number);
    }
    if (isBlank(row.Scan))
        c.skip = QStringLiteral("S");
    else
        c.comment = ChirpCsv::scanComment(row.Scan);
    return c;
}

// The row for a channel read, or the problem with it.
std::optional<QStringList> rowOf(const ChirpCsv::Channel &c, FileProblem *problem)
{
    const auto fail = [&](const QString &text) {
        *problem = FileProblem {c.line, text};
        return std::nullopt;
    };
    if (c.hz <= 0 || c.hz > Cat::MaxFrequencyHz)
        return fail(QStringLiteral("Frequency %1 MHz is not one a channel holds (above 0, at most "
                                   "11 digits of hertz)")
                        .arg(DecimalText::fixed(c.hz, 6)));
    const std::optional<QString> mode = ChirpCsv::modeCell(c.mode);
    if (!mode)
        return fail(QStringLiteral("Mode \"%1\" is none of the modes a channel holds (%2)")
                        .arg(c.mode, ChirpCsv::acceptedModes()));

    qint64 transmit = 0;
    if (c.duplex == QLatin1String("split"))
        transmit = c.offsetHz;
    else if (c.duplex == QLatin1String("+") && c.offsetHz != 0)
        transmit = c.hz + c.offsetHz;
    else if (c.duplex == QLatin1String("-") && c.offsetHz != 0)
        transmit = c.hz - c.offsetHz;
    else if (c.duplex == QLatin1String("off"))
        return fail(QStringLiteral("Duplex \"off\" (no transmitting) is not something a channel "
                                   "holds"));
    if (c.duplex == QLatin1String("split") && transmit <= 0)
        return fail(QStringLiteral("Duplex \"split\" without a transmit frequency in Offset"));
    if (transmit < 0 || transmit > Cat::MaxFrequencyHz)
        return fail(QStringLiteral("the transmit frequency %1 MHz is not one a channel holds")
                        .arg(DecimalText::fixed(transmit, 6)));

    QString tone = MemoryCells::blank();
    if (c.toneMode == QLatin1String("Tone")) {
        const std::optional<int> number = toneNumber(c.rToneTenths);
        if (!number)
            return fail(QStringLiteral("rToneFreq %1 is none of the radio's tones")
                            .arg(ChirpCsv::toneText(c.rToneTenths)));
        tone = Cat::toneText(*number);
    } else if (!c.toneMode.isEmpty()) {
        return fail(QStringLiteral("Tone \"%1\" is not something a channel holds: only \"Tone\" "
                                   "(a tone sent with the transmission) or none")
                        .arg(c.toneMode));
    }

    QString scan = QLatin1String(DefaultScanCode);
    if (const std::optional<QString> code = ChirpCsv::scanCode(c.comment))
        scan = *code;
    else if (c.skip == QLatin1String("S"))
        scan = MemoryCells::blank();

    return MemoryRow {MemoryCells::channelText(c.location),
                      MemoryCells::frequencyCell(c.hz),
                      transmit > 0 ? MemoryCells::frequencyCell(transmit) : MemoryCells::blank(),
                      *mode,
                      tone,
                      ChirpCsv::description(c),
                      scan}
        .cells();
}

} // namespace

Export write(const QList<QStringList> &rows)
{
    Export out;
    QList<ChirpCsv::Channel> channels;
    for (int number = 0; number < rows.size(); ++number) {
        const MemoryRow row = MemoryRow::fromCells(rows.at(number));
        if (MemoryCells::frequencyHz(row.FreqMain) == 0) {
            ++out.empty;
            continue;
        }
        QString why;
        if (const std::optional<ChirpCsv::Channel> c = channelOf(number, row, &why, out.notes))
            channels << *c;
        else
            out.leftOut << why;
    }
    out.written = int(channels.size());
    out.bytes = ChirpCsv::write(channels);
    return out;
}

Import read(const QByteArray &bytes, int channelCount)
{
    Import out;
    const ChirpCsv::Read file = ChirpCsv::read(bytes);
    if (file.problem) {
        out.problem = file.problem;
        return out;
    }
    QMap<int, int> lines; // location to the line that gave it
    for (const ChirpCsv::Channel &c : file.channels) {
        FileProblem problem;
        if (c.location >= channelCount)
            problem = FileProblem {c.line,
                                   QStringLiteral("Location %1 is no channel of the memory "
                                                  "table (0 to %2)")
                                       .arg(c.location)
                                       .arg(channelCount - 1)};
        else if (lines.contains(c.location))
            problem = FileProblem {c.line,
                                   QStringLiteral("Location %1 was given before, on line %2")
                                       .arg(c.location)
                                       .arg(lines.value(c.location))};
        std::optional<QStringList> row;
        if (problem.text.isEmpty())
            row = rowOf(c, &problem);
        if (!row) {
            out.rows.clear();
            out.problem = problem;
            return out;
        }
        lines.insert(c.location, c.line);
        out.rows.insert(c.location, *row);
    }
    return out;
}

} // namespace MemoryCsv
