// The main window's tuning operations without their widgets: the knob, the step buttons and
// their step sizes, Up/Down (and the memory step), direct entry, VFO and memory selection,
// A=B / B=A, split, TF-Set, RIT/XIT, the mode buttons and the Page Up / Page Down keys.
// Each handler writes its commands through the radio and reads the radio state as it stands.
#pragma once

#include "core/control/frequencyentry.h"

#include <QString>
#include <QtGlobal>
#include <optional>

class Radio;

class TuningControls
{
public:
    // Hertz per knob unit.
    static constexpr qint64 KnobUnitHz = 10;
    // Hertz of one Up/Down click.
    static constexpr qint64 FineStepHz = 10;
    // A memory search gives up after visiting every channel once.
    static constexpr int MemoryChannels = 100;

    // The radio's virtual-key codes and modifier mask as Form_KeyDown receives them.
    static constexpr int KeyPageUp = 33;
    static constexpr int KeyPageDown = 34;
    static constexpr int ShiftMaskCtrl = 2;

    explicit TuningControls(Radio &radio);

    // Knob: each position change shows Freq + position x 10 Hz; the release writes it.
    void CbotKnob1_PositionChanged(int position);
    void CbotKnob1_MouseUp();

    void CmdStepUp_Click();
    void CmdStepDwn_Click();
    void Opt1Hz_Click() { setStep(1); }
    void Opt100Hz_Click() { setStep(100); }
    void Opt1khz_Click() { setStep(1000); }
    void Opt5Khz_Click() { setStep(5000); }
    void Opt10Khz_Click() { setStep(10000); }
    void Opt500Khz_Click() { setStep(500000); }
    void Opt1Mhz_Click() { setStep(1000000); }
    void setStep(qint64 hz);

    // 10 Hz up/down on a VFO; in memory mode, the next programmed memory channel.
    void CmdUp_Click();
    void CmdDwn_Click();
    // The reply interpreter's continuation of a memory step past an empty channel.
    // The search keeps the direction the operator chose, also past the wrap from 99 to 00,
    // and ends on the starting channel when it has visited every channel without success.
    void continueMemoryStep(bool up);

    // Direct entry of the typed kilohertz text; says what became of it.
    FrequencyEntry CmdFreqEnter(const QString &text);

    void CmdVFOA_Click();
    void CmdVFOB_Click();
    void Command30_Click();
    void CmdAeqB_Click();
    void CmdBeqA_Click();

    void cmdSplitOn_Click();
    void cmdSplitOff_Click();
    void cndTFSet_Click();

    void cmdRIT_Click();
    void cmdXIT_Click();
    void cmdRitXitUp_Click();
    void cmdRitXitDn_Click();
    void cmdRitXitClear_Click();

    void Command9_Click() { selectMode('1'); } // LSB
    void Command10_Click() { selectMode('2'); } // USB
    void Command11_Click() { selectMode('3'); } // CW
    void Command12_Click() { selectMode('4'); } // FM
    void Command8_Click() { selectMode('5'); } // AM
    void Command6_Click() { selectMode('6'); } // FSK
    void cmdCWRev_Click() { selectMode('7'); } // CW-R
    void cmdFSKRev_Click() { selectMode('9'); } // FSK-R

    // keyCode: 33 Page Up, 34 Page Down; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Form_KeyDown(int keyCode, int shift);

    QString StepSize = QStringLiteral("1000"); // whole hertz
    qint64 NewFreq = 0; // hertz
    QString FreqEntry;
    qint64 KnobPosition = 0;
    QString NextMemChannel; // StartMemChannel is in the radio state: the interpreter reads it

private:
    qint64 freqHz() const;
    qint64 stepHz() const;
    // The VFO letter of the frequency commands, or nothing when no VFO is in use.
    std::optional<char> currentVfo() const;
    // Sends NewFreq to the VFO in use and shows it; false (nothing sent or shown) when no VFO
    // is in use or the frequency does not fit the command.
    bool writeFrequency(bool thenQuery);
    void showFrequency(qint64 hz);
    void fineStep(qint64 deltaHz, bool up);
    void memoryStep(bool up);
    void abandonMemorySearch();
    void copyFrequencyTo(char vfo, const char *askOther);
    void selectMode(char digit);

    Radio &m_radio;
    // The memory search the operator started last: its direction, its first channel and the
    // channels it has asked for.
    bool m_searchUp = true;
    QString m_searchOrigin;
    int m_searchSteps = 0;
};
