// One row of the memory table, cell by cell, for the transfers, the exchange and the scan.
#pragma once

#include <QString>
#include <QStringList>

struct MemoryRow
{
    QString mem; // "00" to "99"
    QString freqMain; // kilohertz, or " " for an empty channel
    QString freqSplit; // kilohertz, or " " without split
    QString mode; // " ", "LSB", ..., "FSK-R"
    QString tone; // " ", a tone text or the radio's tone number
    QString description;
    QString scan; // the channel's scan code

    // From cells in the table's column order; missing cells are empty.
    static MemoryRow fromCells(const QStringList &cells);
    QStringList cells() const;

    bool operator==(const MemoryRow &) const = default;
};
