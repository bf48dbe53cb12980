// The text an operator types at the Enter Freq. prompt, read as kilohertz.
#pragma once

#include <QString>

struct FrequencyEntry
{
    enum class Kind {
        Ignored, // empty, cancelled, or not beginning with a number (or the number 0)
        NotAFrequency, // begins with a number but is not one as a whole ("12abc")
        OutOfRange, // a number, but negative or too large for the 11-digit field
        Frequency, // hz holds the frequency
    };
    Kind kind = Kind::Ignored;
    qint64 hz = 0;
};

// Reads typed kilohertz: "26,600" is 26600 kHz (the comma groups thousands), "14200.5" is
// 14200.5 kHz; the result is rounded to the nearest whole hertz.
FrequencyEntry readFrequencyEntry(const QString &text);
