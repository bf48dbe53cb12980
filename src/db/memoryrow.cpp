#include "db/memoryrow.h"

MemoryRow MemoryRow::fromCells(const QStringList &cells)
{
    return MemoryRow {cells.value(0), cells.value(1), cells.value(2), cells.value(3),
                      cells.value(4), cells.value(5), cells.value(6)};
}

QStringList MemoryRow::cells() const
{
    return {mem, freqMain, freqSplit, mode, tone, description, scan};
}
