#include "core/exchange/bandcsv.h"

#include "core/bands/bandrow.h"
#include "core/exchange/chirpcsv.h"
#include "core/exchange/decimaltext.h"
#include "core/memory/memorycells.h"
#include "core/radio/cat.h"

namespace BandCsv {

Export write(const QList<QStringList> &rows)
{
    Export out;
    QList<ChirpCsv::Channel> channels;
    for (int i = 0; i < rows.size(); ++i) {
        const BandRow row = BandRow::fromCells(rows.at(i));
        const QString name = QStringLiteral("row %1").arg(i + 1);
        const std::optional<qint64> hz = MemoryCells::frequencyHz(row.Frequency);
        const std::optional<QString> mode = ChirpCsv::chirpMode(row.Mode);
        if (hz == 0)
            out.leftOut << name + QStringLiteral(": no frequency");
        else if (!hz)
            out.leftOut << QStringLiteral("%1: Frequency \"%2\" is no frequency in kHz")
                               .arg(name, row.Frequency);
        else if (!mode)
            out.leftOut << QStringLiteral("%1: Mode \"%2\" is no mode name").arg(name, row.Mode);
        if (!hz || *hz == 0 || !mode)
            continue;
        ChirpCsv::Channel c;
        c.location = i;
        c.name = row.Description.trimmed().isEmpty() ? QString() : row.Description;
        c.hz = *hz;
        c.mode = *mode;
        channels << c;
    }
    out.written = int(channels.size());
    out.bytes = ChirpCsv::write(channels);
    return out;
}

Import read(const QByteArray &bytes)
{
    Import out;
    const ChirpCsv::Read file = ChirpCsv::read(bytes);
    if (file.problem) {
        out.problem = file.problem;
        return out;
    }
    for (const ChirpCsv::Channel &c : file.channels) {
        const auto fail = [&](const QString &text) {
            out = Import();
            out.problem = FileProblem {c.line, text};
            return out;
        };
        if (c.hz <= 0 || c.hz > Cat::MaxFrequencyHz)
            return fail(QStringLiteral("Frequency %1 MHz is not one the band list holds (above 0, "
                                       "at most 11 digits of hertz)")
                            .arg(DecimalText::fixed(c.hz, 6)));
        const std::optional<QString> mode = ChirpCsv::modeCell(c.mode);
        if (!mode)
            return fail(QStringLiteral("Mode \"%1\" is none of the modes the band list holds (%2)")
                            .arg(c.mode, ChirpCsv::acceptedModes()));
        const bool split = c.duplex == QLatin1String("split")
            || ((c.duplex == QLatin1String("+") || c.duplex == QLatin1String("-"))
                && c.offsetHz != 0);
        if (split || !c.toneMode.isEmpty())
            ++out.leftBehind;
        out.rows << QStringList {Cat::khzText(c.hz), *mode, ChirpCsv::description(c)};
    }
    return out;
}

} // namespace BandCsv
