// The functions panel: antenna, AGC, noise blanker, playback channel, CTCSS tone and six
// levels. It shows the radio state on opening and sends one command per operator action; the
// reply interpreter keeps its options, sliders and level labels current through the public
// setters below.
#pragma once

#include "core/radio/radiodisplay.h"

#include <QWidget>
#include <array>
#include <span>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class Radio;
struct RadioState;

class frmFunctions : public QWidget
{
    Q_OBJECT
public:
    explicit frmFunctions(Radio &radio, QWidget *parent = nullptr);

    // Selects an option button. One that is not already selected acts as the operator's click
    // (its command is sent); one already selected does nothing.
    void selectOption(RadioView::Option option);
    // Moves a slider from program code: nothing is sent. A value outside the slider's range
    // puts the slider at its nearest end. Sliders of other windows are ignored.
    void setSlider(RadioView::Slider slider, int value);
    // Writes one of the six level labels; labels of other windows are ignored.
    void setLevelLabel(RadioView::Label label, const QString &text);

    // Opening: centres the panel, shows the radio state and sends the commands of the
    // options it selects. Runs once, from the constructor.
    void Form_Load();

    void OptAnt1_Click();
    void OptAnt2_Click();
    void OptAGCFast_Click();
    void OptAGCSlow_Click();
    void OptNBOn_Click();
    void OptNBOff_Click();
    void OptChan0_Click();
    void OptChan1_Click();
    void OptChan2_Click();
    void OptChan3_Click();
    void Combo1_Click();
    void SliderPower_Click();
    void SliderMic_Click();
    void SliderKeyer_Click();
    void SliderDelay_Click();
    void SliderVox_Click();
    void SliderSQL_Click();
    void cmdClose_Click();

private:
    using Handler = void (frmFunctions::*)();

    struct OptionRow
    {
        RadioView::Option option;
        QRadioButton *frmFunctions::*button;
        const char *name;
        const char *caption;
        int frame; // index into the frame captions
        Handler handler;
    };

    struct SliderRow
    {
        RadioView::Slider slider;
        RadioView::Label levelLabel;
        QSlider *frmFunctions::*widget;
        QLabel *frmFunctions::*level;
        const char *name;
        const char *levelName;
        const char *caption;
        int minimum;
        int maximum;
        int smallChange;
        int largeChange;
        const char *code; // the command's two letters
        int width; // digits of its value field
        Handler handler;
    };

    static std::span<const OptionRow> optionRows();
    static std::span<const SliderRow> sliderRows();
    static const SliderRow *sliderRow(RadioView::Slider slider);

    void buildUi();
    void connectControls();
    void centreOnScreen();
    void showTone(const RadioState &state);
    void fillToneList();
    void sendLevel(const SliderRow &entry, int value);
    void sendSliderValue(RadioView::Slider slider);
    void sliderAction(const SliderRow &entry, int action);

    Radio &m_radio;

    QRadioButton *OptAnt1 = nullptr;
    QRadioButton *OptAnt2 = nullptr;
    QRadioButton *OptAGCFast = nullptr;
    QRadioButton *OptAGCSlow = nullptr;
    QRadioButton *OptNBOn = nullptr;
    QRadioButton *OptNBOff = nullptr;
    QRadioButton *OptChan0 = nullptr;
    QRadioButton *OptChan1 = nullptr;
    QRadioButton *OptChan2 = nullptr;
    QRadioButton *OptChan3 = nullptr;
    std::array<QButtonGroup *, 4> m_frames {};

    QComboBox *Combo1 = nullptr;

    QSlider *SliderPower = nullptr;
    QSlider *SliderMic = nullptr;
    QSlider *SliderKeyer = nullptr;
    QSlider *SliderDelay = nullptr;
    QSlider *SliderVox = nullptr;
    QSlider *SliderSQL = nullptr;
    QLabel *lblPowerlevel = nullptr;
    QLabel *lblMicGainLevel = nullptr;
    QLabel *lblKeyerLevel = nullptr;
    QLabel *lblDelayLevel = nullptr;
    QLabel *lblVoxLevel = nullptr;
    QLabel *lblSQLLevel = nullptr;

    QPushButton *cmdClose = nullptr;
};
