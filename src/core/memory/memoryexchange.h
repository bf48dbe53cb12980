// One channel between the memory table and the radio's VFOs: "Mem>VFO" loads a row into the
// VFOs and the mode, "VFO>Mem" makes a row of the radio's current frequencies and mode. The
// memory window moves to the next row after either.
#pragma once

#include "core/memory/memoryrow.h"

#include <QByteArrayList>
#include <QStringList>
#include <optional>

class Radio;
struct RadioState;

struct MemoryToVfo
{
    QByteArrayList commands; // in sending order
    QStringList undefinedCells; // cells of no defined form, sent as empty
};

// The commands of "Mem>VFO" for a row while the radio's VFO is vfo ("0" A, "1" B, anything
// else: only the mode). For VFO A: "FA" + receive frequency, "FA;", then "FB" + split
// frequency, "FB;", "FT1;" (or "FT0;" without a split), then "MD" + mode digit, "MD;". VFO B
// swaps the letters and the transmit digits. An empty receive frequency skips its pair.
MemoryToVfo memoryToVfo(const MemoryRow &row, const QString &vfo);

// The row "VFO>Mem" makes: FreqMain from Freq; FreqSplit from the other VFO's frequency while
// split is on (kept for a VFO other than A or B), else " "; Mode from the mode digit (kept for
// a digit outside the table). Nothing when Freq is not a frequency (before the radio's first
// status report it is not).
std::optional<MemoryRow> vfoToMemory(const MemoryRow &row, const RadioState &state);

// The two buttons on a radio.
class MemoryExchange
{
public:
    explicit MemoryExchange(Radio &radio);

    // Sends the row's commands; returns the cells that were sent as empty because they hold no
    // frequency or mode.
    QStringList CmdMemtoVFO_Click(const MemoryRow &row);
    // The row to store, or nothing when the radio has not reported a frequency.
    std::optional<MemoryRow> cmdVFOtoMem_Click(const MemoryRow &row) const;

private:
    Radio &m_radio;
};
