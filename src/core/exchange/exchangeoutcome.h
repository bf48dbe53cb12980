// What an import or export did, in words for the operator.
#pragma once

#include <QString>
#include <QStringList>

struct ExchangeOutcome
{
    bool failed = false; // nothing was written (the file, or the table)
    bool changed = false; // the table has new or changed rows
    QString message;
};

namespace ExchangeText {

// The items joined by "; ", the first ten of them, then "and N more". total: how many there
// are when items holds only the first of them.
QString listed(const QStringList &items, qsizetype total = -1);

// "1 contact", "2 contacts".
QString counted(qsizetype count, const char *one, const char *many);

} // namespace ExchangeText
