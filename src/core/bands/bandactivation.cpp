#include "core/bands/bandactivation.h"

#include "core/bands/cellmessages.h"
#include "core/bands/modecode.h"
#include "core/radio/cat.h"
#include "core/radio/plainnumber.h"
#include "core/radio/radio.h"

#include <optional>

namespace BandActivation {

namespace {

// The hertz of a frequency cell, or nothing with *refusal saying why (empty for a cell that
// simply holds no frequency).
std::optional<qint64> frequencyHz(const QString &cell, int rowNumber, QString *refusal)
{
    if (PlainNumber::isBlank(cell))
        return std::nullopt;
    const std::optional<qint64> hz = PlainNumber::thousandths(cell);
    const QString start = QStringLiteral("Row %1: the Frequency cell %2 ")
                              .arg(rowNumber)
                              .arg(CellMessages::quoted(cell));
    if (!hz)
        *refusal = start
            + QStringLiteral("is not a number of kilohertz (such as 14200 or 7050.5), so no "
                             "frequency was sent.");
    else if (*hz < 0)
        *refusal = start + QStringLiteral("is below 0, so no frequency was sent.");
    else if (*hz > Cat::MaxFrequencyHz)
        *refusal = start
            + QStringLiteral("is beyond the radio's frequency field, so no frequency was sent.");
    if (!hz || *hz <= 0 || *hz > Cat::MaxFrequencyHz)
        return std::nullopt;
    return hz;
}

void sendFrequency(Radio &radio, qint64 hz)
{
    const QString vfo = radio.state().VFO;
    if (vfo == QLatin1String("0")) {
        radio.send(Cat::setFrequency('A', hz));
        radio.send(Cat::query("IF"));
    } else if (vfo == QLatin1String("1")) {
        radio.send(Cat::setFrequency('B', hz));
        radio.send(Cat::query("IF"));
    } else if (vfo == QLatin1String("3")) {
        radio.send(QByteArrayLiteral("FR0;"));
        radio.send(Cat::setFrequency('A', hz));
        radio.send(Cat::query("FA"));
    } else {
        return;
    }
    radio.display().setLabel(RadioView::Label::lblFreq, Cat::formatFreqHz(hz));
}

} // namespace

QString activate(Radio &radio, const BandRow &row, int rowNumber)
{
    QStringList refusals;
    QString refusal;
    if (const std::optional<qint64> hz = frequencyHz(row.Frequency, rowNumber, &refusal))
        sendFrequency(radio, *hz);
    if (!refusal.isEmpty())
        refusals << std::exchange(refusal, QString());

    if (const std::optional<QByteArray> code = ModeCode::fromCell(row.Mode, ";"))
        radio.send(QByteArrayLiteral("MD") + *code + ';');
    else
        refusals << QStringLiteral("Row %1: the Mode cell %2 is not a mode (%3), so the mode was "
                                   "not changed.")
                        .arg(rowNumber)
                        .arg(CellMessages::quoted(row.Mode), QLatin1String(ModeCode::Names));
    radio.send(Cat::query("MD"));
    radio.send(Cat::query("IF"));
    return refusals.join(QLatin1Char('\n'));
}

} // namespace BandActivation
