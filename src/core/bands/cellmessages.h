// Pieces of the messages that name a refused cell.
#pragma once

#include <QString>

namespace CellMessages {

// The cell's text in quotes as the operator sees it, cut short when it is long; an empty cell
// reads "(empty)".
QString quoted(const QString &cell);

} // namespace CellMessages
