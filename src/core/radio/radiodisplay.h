// What the radio core asks of the windows. The main window implements it; the core never
// touches a widget. Every call returns at once.
#pragma once

#include <QString>

namespace RadioView {

// Labels written by the reply interpreter: the main window's and the functions panel's level
// labels (a panel that is not open is created hidden to receive them).
enum class Label {
    lblFreq,
    lblSubFrequency,
    lblVFO,
    LblMode,
    LblTone,
    lblRit,
    lblXit,
    lblRitXitFreq,
    lblFunction,
    lblFLock,
    lblPreamp,
    lblProc,
    LblVox,
    lblBC,
    lblNB,
    lblNR,
    lblAtt,
    lblAGC,
    lblAnt,
    lblAT,
    lblTx,
    LblRX,
    lblLevel,
    LblISFreq,
    // functions panel
    lblPowerlevel,
    lblMicGainLevel,
    lblKeyerLevel,
    lblSQLLevel,
    lblVoxLevel,
    lblDelayLevel,
};

enum class Slider {
    // main window
    SliderVolume,
    SliderRF,
    SliderDSPHigh,
    SliderDSPLow,
    SliderIS,
    // functions panel
    SliderPower,
    SliderMic,
    SliderKeyer,
    SliderSQL,
    SliderVox,
    SliderDelay,
};

// Option buttons of the functions panel. Selecting one that is not already selected acts as
// the operator's click on it (its command is sent).
enum class Option {
    OptAnt1,
    OptAnt2,
    OptAGCFast,
    OptAGCSlow,
    OptNBOn,
    OptNBOff,
    OptChan0,
    OptChan1,
    OptChan2,
    OptChan3,
};

// The filter panel's three lists.
enum class FilterList { Combo1, Combo2, Combo3 };

// The link to the radio as the display shows it. Only Up shows the radio's own values; the
// others leave the last values read on show, marked as stale.
enum class Link {
    Up,
    Lost, // the serial device is gone
    Silent, // the device is there but the radio does not answer
    Reading, // back again; the start-up list is reading the radio's settings
};

} // namespace RadioView

class RadioDisplay
{
public:
    virtual ~RadioDisplay() = default;

    virtual void setLabel(RadioView::Label label, const QString &text) = 0;
    // Sets a slider's value from program code: no handler runs and nothing is sent.
    virtual void setSlider(RadioView::Slider slider, int value) = 0;
    virtual void selectOption(RadioView::Option option) = 0;
    // Writes a text into one of the filter panel's lists (creating the panel hidden).
    virtual void setFilterText(RadioView::FilterList list, const QString &text) = 0;
    virtual void setSMeter(int value) = 0;
    // The memory window's and the scan window's captions follow the frequency display:
    // "Memory: " + text + " Khz" and "Frequency Scan: " + text + " Khz".
    virtual void setFrequencyCaptions(const QString &frequencyText) = 0;

    // The progress window frmMessage.
    virtual void showProgress(const QString &message, bool barVisible, bool percentVisible) = 0;
    virtual void setProgressPercent(const QString &text) = 0;
    virtual void closeProgress() = 0; // also redraws the main window

    // Memory features the interpreter hands replies to.
    virtual void memoryStep(bool up) = 0; // CmdUp_Click / CmdDwn_Click
    virtual void memoryDownload(const QString &reply) = 0; // "MR" while DownloadSwitch is 1

    // The link's reports to the operator.
    // A serial error: beep, then OK/Cancel with the title "Click Cancel to quit, OK to ignore.";
    // returns the answer (1 OK, 2 Cancel).
    virtual int serialError(const QString &text) = 0;
    // The port could not be opened, or a command was dropped because the port is closed.
    virtual void portProblem(const QString &text) = 0;
    // The link went down or came back; text says so in a sentence that names the port. Not
    // called while the link has never been down.
    virtual void showLink(RadioView::Link, const QString &) { }
};

// A display that shows nothing: the core's default, and the benchmarks'.
class NullDisplay : public RadioDisplay
{
public:
    void setLabel(RadioView::Label, const QString &) override { }
    void setSlider(RadioView::Slider, int) override { }
    void selectOption(RadioView::Option) override { }
    void setFilterText(RadioView::FilterList, const QString &) override { }
    void setSMeter(int) override { }
    void setFrequencyCaptions(const QString &) override { }
    void showProgress(const QString &, bool, bool) override { }
    void setProgressPercent(const QString &) override { }
    void closeProgress() override { }
    void memoryStep(bool) override { }
    void memoryDownload(const QString &) override { }
    int serialError(const QString &) override { return 1; }
    void portProblem(const QString &) override { }
};
