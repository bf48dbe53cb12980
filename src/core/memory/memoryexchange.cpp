#include "core/memory/memoryexchange.h"

#include "core/memory/memorycells.h"
#include "core/radio/cat.h"
#include "core/radio/radio.h"

namespace {

// A kilohertz text of the radio state as hertz; nothing unless it is a frequency above 0.
std::optional<qint64> stateHz(const QString &khz)
{
    const std::optional<qint64> hz = MemoryCells::frequencyHz(khz);
    if (!hz || *hz <= 0)
        return std::nullopt;
    return hz;
}

} // namespace

MemoryToVfo memoryToVfo(const MemoryRow &row, const QString &vfo)
{
    MemoryToVfo out;
    const MemoryCells::Channel c = MemoryCells::channel(row);
    for (const QString &cell : c.undefinedCells) {
        if (cell != QLatin1String(MemoryCells::ToneField))
            out.undefinedCells << cell; // the tone is not sent
    }

    const bool onA = vfo == QLatin1String("0");
    const bool onB = vfo == QLatin1String("1");
    if (onA || onB) {
        const char receive = onA ? 'A' : 'B';
        const char other = onA ? 'B' : 'A';
        if (c.mainHz > 0)
            out.commands << *Cat::setFrequency(receive, c.mainHz) << Cat::query(onA ? "FA" : "FB");
        if (c.splitHz > 0) {
            out.commands << *Cat::setFrequency(other, c.splitHz) << Cat::query(onA ? "FB" : "FA")
                         << (onA ? QByteArrayLiteral("FT1;") : QByteArrayLiteral("FT0;"));
        } else {
            out.commands << (onA ? QByteArrayLiteral("FT0;") : QByteArrayLiteral("FT1;"));
        }
    }
    out.commands << Cat::setMode(c.mode) << Cat::query("MD");
    return out;
}

std::optional<MemoryRow> vfoToMemory(const MemoryRow &row, const RadioState &state)
{
    const std::optional<qint64> freq = stateHz(state.Freq);
    if (!freq)
        return std::nullopt;
    MemoryRow out = row;
    out.FreqMain = MemoryCells::frequencyCell(*freq);

    if (state.Split == QLatin1String("1")) {
        const QString *other = state.VFO == QLatin1String("0") ? &state.VFOBFreq
            : state.VFO == QLatin1String("1")                  ? &state.VFOAFreq
                                                               : nullptr;
        if (other)
            out.FreqSplit = MemoryCells::frequencyCell(stateHz(*other).value_or(0));
    } else {
        out.FreqSplit = MemoryCells::blank();
    }

    if (state.Mode.size() == 1) {
        if (const std::optional<QString> mode = MemoryCells::modeCell(state.Mode.at(0)))
            out.Mode = *mode;
    }
    return out;
}

MemoryExchange::MemoryExchange(Radio &radio)
    : m_radio(radio)
{
}

QStringList MemoryExchange::CmdMemtoVFO_Click(const MemoryRow &row)
{
    const MemoryToVfo m = memoryToVfo(row, m_radio.state().VFO);
    for (const QByteArray &command : m.commands)
        m_radio.send(command);
    return m.undefinedCells;
}

std::optional<MemoryRow> MemoryExchange::cmdVFOtoMem_Click(const MemoryRow &row) const
{
    return vfoToMemory(row, m_radio.state());
}
