// CHIRP's CSV layout for a list of channels: the header line CHIRP writes and the columns it
// reads, by name, in any order.
//
// Written: Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,
// DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE
// with frequencies in MHz to the hertz ("7.050600"), the columns Vantelo has no use for at the
// values CHIRP itself writes for a plain channel (Power at the radio's 100 W), and CR LF line
// ends. Name and Comment are written guarded against spreadsheet formulas (CsvText::guarded).
//
// Read: a header naming Location and Frequency at least (CHIRP's own minimal file); unknown
// columns are ignored, lines whose first cell starts with "#" are comments, blank lines and
// lines of empty cells are skipped. Each channel's Location must be a whole number, Frequency,
// Offset and rToneFreq numbers (a frequency finer than a hertz is rounded to the hertz), Duplex
// and Tone one of CHIRP's own values, Name and Comment free of control characters (tabs and
// line ends aside); the first line that is not names its line.
// Whether Vantelo can hold a channel is for the table it goes to (MemoryCsv, BandCsv).
#pragma once

#include "core/exchange/fileproblem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace ChirpCsv {

struct Channel
{
    int line = 0; // in the file, where its record starts
    int location = 0;
    QString name;
    qint64 hz = 0; // receive frequency
    QString duplex; // "", "+", "-", "split" or "off"
    qint64 offsetHz = 0; // the shift, or the transmit frequency with "split"
    QString toneMode; // "", "Tone", "TSQL", "DTCS", "DTCS-R", "TSQL-R" or "Cross"
    int rToneTenths = 885; // rToneFreq in tenths of a hertz
    QString mode; // as CHIRP names it: "USB", "CWR", ...
    QString skip; // "", "S" or "P"
    QString comment;
};

struct Read
{
    std::optional<FileProblem> problem; // set: no channels are given
    QList<Channel> channels; // in file order
};

// The header CHIRP writes, in its order.
const QStringList &columns();

Read read(const QByteArray &bytes);

// The file: header, then one line for each channel.
QByteArray write(const QList<Channel> &channels);

// --- Modes -------------------------------------------------------------------------------------
// LSB, USB, CW, AM, FM and FSK keep their names; CW-R is CHIRP's CWR and FSK-R its FSKR (the
// names CHIRP's own Kenwood drivers use). RTTY and RTTYR are read as FSK and FSK-R. A channel
// without a mode (" ") is CHIRP's "Auto", which an empty Mode cell means too.

// CHIRP's name for a mode cell; nothing for a cell that is no mode name.
std::optional<QString> chirpMode(const QString &cell);
// The mode cell for CHIRP's name; nothing for a mode Vantelo's tables cannot hold (NFM, DV...).
std::optional<QString> modeCell(const QString &chirpMode);
// The names modeCell() takes, for messages.
QString acceptedModes();

// Tenths of a hertz as CHIRP writes a tone: 885 gives "88.5".
QString toneText(int tenths);

// --- Name and Comment ----------------------------------------------------------------------------
// A channel's description goes out as its Name. The memory channel's scan code, which CHIRP has
// no column for, goes out in Comment as "Vantelo scan code: A" and comes back from there.

QString scanComment(const QString &scanCode);
// The scan code in a comment written by scanComment(), else nothing.
std::optional<QString> scanCode(const QString &comment);
// The description for a channel read: its Name, and its Comment after " - " unless the comment
// only carries the scan code. A single blank when both are empty.
QString description(const Channel &channel);

} // namespace ChirpCsv
