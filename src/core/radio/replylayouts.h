// The layout of every reply the program interprets: its two-letter code and what each position
// after the code holds. A reply is taken only when it fits its layout exactly (its length, digits
// where it has digits, a sign where it has a sign); anything else on the line is noise.
#pragma once

#include <QStringView>
#include <optional>

namespace ReplyLayouts {

// Characters of the longest reply before its ";" (the status word).
int longest();

// Characters of a code's reply before its ";"; 0 for a code the program does not interpret.
int length(QStringView code);

// True when reply (the text before ";", code first) has its code's layout.
bool fits(QStringView reply);

// The reply at the end of text (everything received before a ";"). It begins at the first
// position from which the rest fits a layout, so stray bytes in front of it, capital letters
// included, are passed over. Nothing when there is no such position: the text is noise.
std::optional<QStringView> find(QStringView text);

// Where the last known reply code begins among the last longest() characters of text (a reply
// that may still be arriving); -1 when none does.
qsizetype lastCodeStart(QStringView text);

} // namespace ReplyLayouts
