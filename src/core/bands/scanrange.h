// One row of the scan table, and the range it describes in whole hertz and milliseconds.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct ScanRow
{
    QString FreqStart; // kilohertz
    QString FreqEnd; // kilohertz
    QString Mode; // mode name or " "
    QString Step; // kilohertz between visited frequencies
    QString Pause; // seconds on each frequency
    QString Description;

    // From cells in the table's column order; missing cells are empty.
    static ScanRow fromCells(const QStringList &cells)
    {
        return ScanRow {cells.value(0), cells.value(1), cells.value(2),
                        cells.value(3), cells.value(4), cells.value(5)};
    }
};

struct ScanRange
{
    // The longest pause the dwell takes, in milliseconds (32.767 seconds).
    static constexpr qint64 MaxPauseMs = 32767;

    qint64 startHz = 0;
    qint64 endHz = 0;
    qint64 stepHz = 0;
    qint16 pauseMs = 0;
    // Sent between "MD" and ";": " " gives "0", the names their digits, an empty cell nothing
    // (so "MD;" asks for the mode), a single digit goes as it is.
    QByteArray modeCode;

    // The range of a row, or nothing with *refusal naming the row (counted from 1) and every
    // cell that cannot be scanned: a start, end or step that is not a number of kilohertz, is
    // below 0 or does not fit the radio's 11-digit field; a pause that is not a number of
    // seconds from 0 to 32.767; a mode that is none of the mode names; a start above the end.
    static std::optional<ScanRange> fromRow(const ScanRow &row, int rowNumber, QString *refusal);
};
