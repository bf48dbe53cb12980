// The text the radio's keyer sends: the characters its keying command takes, with their Morse,
// and the texts an operator types or keeps as macros turned into what may be sent.
#pragma once

#include <QString>
#include <QStringView>

namespace CwText {

// The Morse of a character the keyer sends ("A" gives ".-"); nullptr for any other character,
// the blank included (it is the space between words). Letters in either case.
const char *morse(QChar c);
// A character the keyer sends, or the blank.
bool isSendable(QChar c);
// What the keyer sends, for the operator: "A to Z, 0 to 9, the blank and ' \" ( ) + , - . / : = ?
// @".
QString allowedText();

// The characters of text the keyer cannot send, each once, in the order they first come.
QString refusedCharacters(QStringView text);
// The text as the keyer takes it: letters in capitals, any run of blanks (tabs, line ends)
// one blank, no blanks at either end.
QString normalised(QStringView text);

// The fields a macro may hold, with what stands for them now; an empty value is unknown.
struct Fields
{
    QString myCall; // {MYCALL}: the operator's own call
    QString call; // {CALL}: the call of the contact chosen in the logbook
    QString rst; // {RST}: the report to give
};

struct Expansion
{
    QString text; // the macro with its fields filled in, normalised
    QString problem; // why it cannot be sent; empty when it can
    QString missing; // the field without a value ("CALL"), when that is the problem
};

// Fills in {MYCALL}, {CALL} and {RST} (in either case). A field that is unknown, a "{" that
// opens no field, and a character the keyer cannot send are problems, named in the answer.
Expansion expand(QStringView macro, const Fields &fields);

} // namespace CwText
