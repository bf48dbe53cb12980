// "M>VFOA" of the main window: the frequency and mode now shown go to VFO A.
#pragma once

#include <QString>
#include <optional>

class Radio;

// A kilohertz text of the radio state (Freq, a quick-memory entry) as hertz: nothing unless it
// is a frequency above 0 that the 11-digit field can carry. Before the radio's first status
// report Freq holds "999999999", which is none.
std::optional<qint64> stateFrequencyHz(const QString &khz);

// Sends "FA" + Freq in hertz (11 digits) + ";", then "MD" + Mode + ";" when Mode is one digit.
// Sends nothing and returns false when Freq is not a frequency.
bool CmdMemtoFreq_Click(Radio &radio);
