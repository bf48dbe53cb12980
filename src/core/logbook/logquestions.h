// What the logbook asks before it changes a contact the operator may want to keep, naming the
// contact by its call sign and local time as the grid shows them.
#pragma once

#include <QString>

namespace LogQuestions {

// "K1ABC at 06 Dec 2026 9:05:07 local time"; "(no call sign)" and "(no time)" stand in for
// blank cells. localCell is the stored text of the Local cell.
QString contactName(const QString &callSign, const QString &localCell);

// Asked when the stamp would write over a saved contact's time, frequency or mode.
QString restampQuestion(const QString &callSign, const QString &localCell);

} // namespace LogQuestions
