// How the levels and functions a client asks for read on this radio: the command that reads
// each one, the field of its reply that carries it, and how the digits stand for the value the
// client sees (Hamlib's units). One row a level or function, in radioriglevels.cpp.
//
// Examples: AF is "AG" with 0 to 255 read as 0.0 to 1.0; PREAMP is "PA" with 0 or 1 read as 0
// or 12 dB; STRENGTH is "SM" read through the S-meter's calibration (15 is S9, 0 dB); SWR is
// the meter "RM1" read through the SWR scale; the tuner is the fourth character of "AC".
#pragma once

#include "core/net/rigtypes.h"

#include <QByteArray>
#include <QStringView>

#include <optional>
#include <span>

namespace RadioRigLevels {

// What a setting is read with: the two-letter code of its reply, and the commands written to
// read it (a meter is selected first: "RM1;RM;").
struct Reading
{
    const char *code;
    QByteArray commands;
};

Reading reading(RigLevel level);
Reading reading(RigFunc func);

// The value a reply (text before ";", code first) carries; nullopt when the reply is not the
// setting's or does not carry it (a meter reply of another meter, a field of other digits).
std::optional<double> value(RigLevel level, QStringView reply);
std::optional<int> value(RigFunc func, QStringView reply);

// The command that sets the level or function ("AG128;"); nullopt when the radio cannot take
// the value (a power below 5 W, a preamplifier gain it does not have) or the level is a meter.
// The radio holds the value once value() of its reply gives what value() of the command's own
// text gives: settledValue() says what that is.
std::optional<QByteArray> setCommand(RigLevel level, double value);
std::optional<QByteArray> setCommand(RigFunc func, int status);
// The value a set command leaves the radio with, read as a reply would be.
std::optional<double> settledValue(RigLevel level, const QByteArray &command);
std::optional<int> settledValue(RigFunc func, const QByteArray &command);

// Calibration tables: raw reading to value, by straight lines between the points.
struct CalPoint
{
    int raw;
    double value;
};
// Hamlib's reading of a table: the value at raw, beyond the ends the end's value.
double calibrated(int raw, std::span<const CalPoint> table);

} // namespace RadioRigLevels
