// The main window's operating controls: the knob, the frames "Freq. && Mem Select.", "Controls",
// "Mode", "Split" and "RIT/XIT", and the function switch buttons, with the widget-free
// operations behind them. The main window places the widgets in its layout and forwards the
// interpreter's slider updates, the memory step and the Page Up/Page Down keys here.
#pragma once

#include "core/radio/radiodisplay.h"

#include <QObject>
#include <functional>

class QGroupBox;
class QWidget;
class Radio;
class FunctionSwitches;
class QuickMemory;
class TuningControls;

class FrontPanel : public QObject
{
    Q_OBJECT
public:
    // The windows that the panel's buttons open.
    enum class Window { Band, Filter, FreqScan, Functions, Memory };

    FrontPanel(Radio &radio, QWidget *window);
    ~FrontPanel() override;

    QWidget *knob() const; // CbotKnob1
    QGroupBox *freqMemFrame() const; // "Freq. && Mem Select."
    QGroupBox *controlsFrame() const; // "Controls": the five level sliders
    QGroupBox *modeFrame() const; // "Mode": the eight mode buttons
    QGroupBox *splitFrame() const; // "Split": On, Off, TF-Set
    QGroupBox *ritXitFrame() const; // "RIT/XIT"
    QWidget *switchButtons() const; // Att, AT, Pre-am, Proc, Vox, BC, NR1/2, Flock, Power, CW T,
                                    // &A, &B, M, A=B, B=A, Filter, functions button

    // Sets one of the main window's sliders from program code (nothing is sent). Returns false
    // for a slider that is not on the main window.
    bool setSlider(RadioView::Slider slider, int value);
    // The memory step continuation (CmdUp_Click / CmdDwn_Click).
    void memoryStep(bool up);
    // Page Up / Page Down, with and without Ctrl, seen by the window before the focused
    // control. Returns true when the key was taken.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers);

    // The Enter Freq. prompt (returns the typed text, empty on Cancel) and the message box
    // for text that is not a frequency. Both default to modal dialogs over the window; tests
    // replace them.
    using TextPrompt = std::function<QString(const QString &prompt)>;
    using MessageBox = std::function<void(const QString &text)>;
    void setTextPrompt(TextPrompt prompt);
    void setMessageBox(MessageBox box);

    // The operations behind the controls.
    TuningControls &tuning();
    FunctionSwitches &switches();
    QuickMemory &quickMemory();

Q_SIGNALS:
    void openWindow(FrontPanel::Window window);

private:
    // All signal connections of the panel.
    void wire();
    void wireSlider(QWidget *slider, void (FunctionSwitches::*click)(int));
    void enterFrequency();
    void knobReleased();

    struct Private;
    Private *d = nullptr;
};
