// One row of the band list as the band operations see it: the three cells as text, in the
// grid's column order.
#pragma once

#include <QString>
#include <QStringList>

struct BandRow
{
    QString Frequency; // kilohertz, "14200" or "7050.5"; " " when the row has none
    QString Mode; // mode name or " "
    QString Description;

    // From cells in the table's column order; missing cells are empty.
    static BandRow fromCells(const QStringList &cells)
    {
        return BandRow {cells.value(0), cells.value(1), cells.value(2)};
    }
};
