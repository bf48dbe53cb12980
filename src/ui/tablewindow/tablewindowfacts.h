// What sets one table window apart from the others, as one row of data per window. The
// behaviour they share lives once, in TableWindow.
#pragma once

#include "core/radio/cellrules.h"

#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

// Where the current row is after each activation.
enum class RowAfterActivation {
    AfterLast, // no row current (the memory window)
    First,
    Last, // the newest row, fetching the whole table
};

// A column whose cells are chosen from a list.
struct PickerColumn
{
    QString column; // the field, "Mode"
    QString objectName; // of the pick list, "Combo1"
    QStringList entries; // the only texts the list writes; " " stands for none
};

struct TableWindowFacts
{
    QString objectName; // "frmMemory"
    QString title; // the window title (windows with a changing title set their own)
    QString gridName; // the grid's accessible name
    RowAfterActivation rowAfterActivation = RowAfterActivation::First;
    bool recordCaption = false; // the data control shows "Record: N"
    QString firstCaption; // the data control's caption before a row is shown
    bool headerSort = false; // a header click sorts ascending by that column
    QList<PickerColumn> pickers;
    QMap<QString, QString> captions; // grid captions that differ from their fields
    QStringList readOnly; // columns shown but never typed in
    QStringList valueSorted; // numbers kept as text, sorted by their value
    QMap<QString, CellRules::Rule> rules; // what typed cells may hold, by column
    QSize size; // on opening
    // How "&Delete Row" names a row in its question, from the row's cells ("30 m CW, 10,120
    // kHz"); "row N" when not set.
    std::function<QString(const QStringList &cells)> rowName;
};

namespace WindowFacts {

// " ", "LSB", "USB", "CW", "CW-R", "AM", "FM", "FSK", "FSK-R", in the pick lists' order.
QStringList modeEntries();
// " " followed by the 39 tone texts in tone-number order.
QStringList toneEntries();

const TableWindowFacts &memory();
const TableWindowFacts &band();
const TableWindowFacts &scan();
const TableWindowFacts &logging();
const TableWindowFacts &menu();

} // namespace WindowFacts
