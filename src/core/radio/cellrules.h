// What a table cell may hold, checked as the operator types it: a cell that cannot be right is
// refused there, naming its column and the rule, and keeps the value it had. Frequencies are
// kilohertz; one typed in megahertz by habit ("7.050") is offered back in kilohertz.
#pragma once

#include <QString>

namespace CellRules {

// The radio's range, in kilohertz.
inline constexpr qint64 LowestKhz = 30;
inline constexpr qint64 HighestKhz = 60'000;

enum class Rule {
    RadioFrequency, // kHz from 30 to 60,000 (memory, band list, scan range); blank for none
    ScanStep, // kHz above 0, up to 60,000
    ScanPause, // seconds from 0 to 32.767
    LogFrequency, // kHz above 0; blank for none
    CallSign, // any text, kept in capitals
};

struct Verdict
{
    enum class Kind {
        Store, // store text
        Refuse, // text is the message; the cell keeps its value
        Ask, // text is the question; on Yes store answer, else the cell keeps its value
    };
    Kind kind = Kind::Store;
    QString text;
    QString answer;

    bool operator==(const Verdict &) const = default;
};

// The verdict on text typed into a cell of column (its caption, for the messages). A blank cell
// is stored as a single blank " ", the tables' empty cell, except in the logbook.
Verdict check(Rule rule, const QString &column, const QString &typed);

} // namespace CellRules
