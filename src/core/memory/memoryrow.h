// One row of the memory table as the memory operations see it: the seven cells as text, in
// the grid's column order. Row n of the table is radio channel n.
#pragma once

#include <QString>
#include <QStringList>

struct MemoryRow
{
    QString Mem; // channel number as the operator sees it, "00" to "99"
    QString FreqMain; // receive frequency in kHz, " " for an empty channel
    QString FreqSplit; // transmit frequency in kHz, " " without split
    QString Mode; // mode name or " "
    QString Tone; // tone text ("88.5"), tone number ("08") or " "
    QString Description;
    QString Scan; // scan code

    // From cells in the table's column order; missing cells are empty.
    static MemoryRow fromCells(const QStringList &cells)
    {
        return MemoryRow {cells.value(0), cells.value(1), cells.value(2), cells.value(3),
                          cells.value(4), cells.value(5), cells.value(6)};
    }
    QStringList cells() const { return {Mem, FreqMain, FreqSplit, Mode, Tone, Description, Scan}; }

    bool operator==(const MemoryRow &) const = default;
};
