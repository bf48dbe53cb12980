#include "core/logbook/logquestions.h"

#include "core/logbook/logtime.h"

namespace LogQuestions {

QString contactName(const QString &callSign, const QString &localCell)
{
    const QString call = callSign.trimmed();
    const QString time = LogTime::shown(localCell.trimmed());
    return QStringLiteral("%1 at %2")
        .arg(call.isEmpty() ? QStringLiteral("(no call sign)") : call,
             time.isEmpty() ? QStringLiteral("(no time)") : time + QStringLiteral(" local time"));
}

QString restampQuestion(const QString &callSign, const QString &localCell)
{
    return QStringLiteral("Replace the time, frequency and mode of the contact with %1 by the "
                          "present ones?")
        .arg(contactName(callSign, localCell));
}

} // namespace LogQuestions
