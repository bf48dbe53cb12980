// The main window's quick memory: "Q Mem In" keeps the frequency and mode now shown (the last
// five, newest first); "Q Mem Recall" tunes the VFO in use to them in turn. Kept for the run
// only, neither in the database nor in the radio.
#pragma once

#include <QString>
#include <array>

class Radio;

class QuickMemory
{
public:
    static constexpr int Size = 5;

    struct Entry
    {
        QString freq; // kHz as in Freq
        QString mode; // mode digit
    };

    explicit QuickMemory(Radio &radio);

    // Shifts the entries down one place (the fifth is lost) and keeps Freq and Mode as the
    // first. Sends nothing.
    void cmdQMIn_Click();

    // Moves to the next position (1, 2 ... 5, 1 ...) and returns the button's new caption,
    // "Q Mem Rec N". The entry there goes to the VFO in use ("FA" on VFO A, "FB" otherwise),
    // followed by "MD" + its mode; an empty entry (or one holding no frequency) sends nothing.
    QString cmdQMRec_Click();

    // The button's caption: "Q Mem Recall" until the first recall.
    QString caption() const;

    // Position n is QMStore[n - 1].
    std::array<Entry, Size> QMStore {};
    int qmRecallPos = 0;

private:
    Radio &m_radio;
};
