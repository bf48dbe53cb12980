// The first thing wrong with a file being read, with the line it is on.
#pragma once

#include <QString>

struct FileProblem
{
    int line = 0; // counted from 1; 0 for the file as a whole
    QString text; // what is wrong there, without a full stop

    // "line 12: the record that starts here has no CALL", or the text alone for line 0.
    QString described() const
    {
        return line > 0 ? QStringLiteral("line %1: %2").arg(line).arg(text) : text;
    }
};
