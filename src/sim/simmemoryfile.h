// The simulated radio's memory channels in a text file, so that a programmed radio outlives a
// run. Each programmed side of a channel is one line holding the radio's own memory-write
// command, for example
//     MW0 100002962000040108 ;
// (side 0 receive or 1 transmit, a blank, channel, hertz in 11 digits, mode digit, "0", tone
// flag, tone number, a blank). Lines starting with "#" and blank lines are skipped; a side that
// has no line is empty, and a later line for the same side replaces an earlier one.
#pragma once

#include "sim/simmemory.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace SimMemoryFile {

// Files larger than this are not memory files.
inline constexpr qint64 MaxBytes = 1 << 20;

QByteArray toText(const SimMemoryBank &bank);
// The channels the text holds; nullopt, with error naming the first bad line, for anything else.
std::optional<SimMemoryBank> fromText(const QByteArray &text, QString *error);

// The channels in the file at path; a missing file holds no channels. nullopt, with error
// naming the file, when it cannot be read or is not a memory file.
std::optional<SimMemoryBank> load(const QString &path, QString *error);
// Replaces the file at path as a whole (a crash leaves the old file or the new one, never half
// of each). False, with error, when it cannot.
bool save(const QString &path, const SimMemoryBank &bank, QString *error);

} // namespace SimMemoryFile
