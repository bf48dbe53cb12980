#include "core/radio/replylayouts.h"

#include <QString>

#include <algorithm>
#include <cstring>

namespace {

// What each position after the code holds, one character per position:
//   '9'  a digit
//   '+'  a sign: "+", "-" or a blank
//   '_'  a blank or a digit
//   '.'  anything (positions the program does not read; the radio fills them with blanks)
struct Layout
{
    const char *code;
    const char *fields;
};

constexpr Layout Layouts[] = {
    // 3-13 frequency, 14-18 unused, 19-23 RIT/XIT offset, 24 RIT, 25 XIT, 26, 27-28 memory
    // channel, 29 transmitting, 30 mode, 31 function, 32 scan, 33 split, 34 tone, 35-36 tone
    // number, 37.
    {"IF",
     "99999999999"
     "....."
     "+9999"
     "999"
     "99"
     "999999"
     "99"
     "9"},
    {"FA", "99999999999"},
    {"FB", "99999999999"},
    {"FR", "9"},
    {"FT", "9"},
    {"MD", "9"},
    {"TO", "9"},
    {"TN", "99"},
    {"CA", "9"},
    {"FW", "9999"},
    {"SM", "9999"},
    {"AG", "999"},
    {"RG", "999"},
    {"SH", "99"},
    {"SL", "99"},
    {"IS", "+9999"},
    {"PC", "999"},
    {"MG", "999"},
    {"KS", "999"},
    {"SQ", "999"},
    {"VG", "999"},
    {"VD", "9999"},
    {"GT", "999"},
    {"RA", "99"},
    {"BY", "9"},
    {"LK", "9"},
    {"PA", "9"},
    {"PS", "9"},
    {"PR", "9"},
    {"VX", "9"},
    {"BC", "9"},
    {"NB", "9"},
    {"NR", "9"},
    {"AN", "9"},
    {"PB", "9"},
    // The keyer: "0" it takes more text, "1" its buffer is full.
    {"KY", "9"},
    // 3 tuner in receive, 4 tuner in transmit (the indicator), 5 tuning.
    {"AC", "_99"},
    // 3 the meter shown (1 SWR, 2 compression, 3 ALC), 4-7 its reading.
    {"RM", "99999"},
    {"TX", ""},
    {"RX", ""},
    // 3 blank (or bank digit), 4-5 channel.
    {"MC", "_99"},
    // 3 side, 4 blank, 5-6 channel, 7-17 frequency, 18 mode, 19 lock-out, 20 tone, 21-22 tone
    // number (blanks when none is stored), 23 blank.
    {"MR",
     "9_"
     "99"
     "99999999999"
     "999"
     "__"
     "."},
};

const Layout *layoutOf(QStringView code)
{
    if (code.size() != 2)
        return nullptr;
    for (const auto &layout : Layouts) {
        if (code == QLatin1String(layout.code))
            return &layout;
    }
    return nullptr;
}

bool holds(char field, QChar c)
{
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const bool blank = c == QLatin1Char(' ');
    switch (field) {
    case '9':
        return digit;
    case '+':
        return c == QLatin1Char('+') || c == QLatin1Char('-') || blank;
    case '_':
        return digit || blank;
    default:
        return true;
    }
}

int layoutLength(const Layout &layout)
{
    return 2 + int(std::strlen(layout.fields));
}

bool fitsLayout(const Layout &layout, QStringView reply)
{
    if (reply.size() != layoutLength(layout) || reply.left(2) != QLatin1String(layout.code))
        return false;
    for (qsizetype i = 2; i < reply.size(); ++i) {
        if (!holds(layout.fields[i - 2], reply.at(i)))
            return false;
    }
    return true;
}

} // namespace

namespace ReplyLayouts {

int longest()
{
    static const int Longest = [] {
        int most = 0;
        for (const auto &layout : Layouts)
            most = std::max(most, layoutLength(layout));
        return most;
    }();
    return Longest;
}

int length(QStringView code)
{
    const Layout *layout = layoutOf(code);
    return layout ? layoutLength(*layout) : 0;
}

bool fits(QStringView reply)
{
    const Layout *layout = layoutOf(reply.left(2));
    return layout && fitsLayout(*layout, reply);
}

std::optional<QStringView> find(QStringView text)
{
    // A reply runs to the end of the text, so each layout can only begin at one position: the
    // first of those that fits is the reply.
    std::optional<QStringView> reply;
    for (const auto &layout : Layouts) {
        const int length = layoutLength(layout);
        if (length > text.size() || (reply && length <= reply->size()))
            continue;
        const QStringView candidate = text.right(length);
        if (fitsLayout(layout, candidate))
            reply = candidate;
    }
    return reply;
}

qsizetype lastCodeStart(QStringView text)
{
    const qsizetype first = std::max<qsizetype>(0, text.size() - longest());
    for (qsizetype pos = text.size() - 2; pos >= first; --pos) {
        if (layoutOf(text.mid(pos, 2)))
            return pos;
    }
    return -1;
}

} // namespace ReplyLayouts
