#include "ui/controls/frontpanel.h"

#include "core/control/functionswitches.h"
#include "core/control/memorytovfoa.h"
#include "core/control/quickmemory.h"
#include "core/control/tuningcontrols.h"
#include "core/radio/radio.h"
#include "ui/common/spokenname.h"
#include "ui/controls/cbotknob.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QWidget>

namespace {

const QString FreqPrompt = QStringLiteral("Enter the Frequency, e.g. 26,600 Khz = 26600");

} // namespace

struct FrontPanel::Private
{
    Private(Radio &r, QWidget *w)
        : radio(r)
        , window(w)
        , tuning(r)
        , switches(r)
        , quickMemory(r)
    {
    }

    Radio &radio;
    QWidget *window = nullptr;
    TuningControls tuning;
    FunctionSwitches switches;
    QuickMemory quickMemory;
    TextPrompt prompt;
    MessageBox message;

    CbotKnob *CbotKnob1 = nullptr;

    QGroupBox *freqMemFrame = nullptr;
    QButtonGroup *stepGroup = nullptr;
    QRadioButton *Opt1Hz = nullptr;
    QRadioButton *Opt100Hz = nullptr;
    QRadioButton *Opt1khz = nullptr;
    QRadioButton *Opt5Khz = nullptr;
    QRadioButton *Opt10Khz = nullptr;
    QRadioButton *Opt500Khz = nullptr;
    QRadioButton *Opt1Mhz = nullptr;
    QPushButton *CmdStepDwn = nullptr;
    QPushButton *CmdStepUp = nullptr;
    QPushButton *CmdDwn = nullptr;
    QPushButton *CmdUp = nullptr;
    QPushButton *CmdFreqEnter = nullptr;
    QPushButton *CmdBand = nullptr;
    QPushButton *CmdFreqScan = nullptr;
    QPushButton *CmdMemory = nullptr;
    QPushButton *CmdMemtoFreq = nullptr;
    QPushButton *cmdQMIn = nullptr;
    QPushButton *cmdQMRec = nullptr;

    QGroupBox *controlsFrame = nullptr;
    QSlider *SliderVolume = nullptr;
    QSlider *SliderRF = nullptr;
    QSlider *SliderDSPHigh = nullptr;
    QSlider *SliderDSPLow = nullptr;
    QSlider *SliderIS = nullptr;

    QGroupBox *modeFrame = nullptr;
    QPushButton *Command9 = nullptr;
    QPushButton *Command10 = nullptr;
    QPushButton *Command11 = nullptr;
    QPushButton *Command12 = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *cmdCWRev = nullptr;
    QPushButton *cmdFSKRev = nullptr;

    QGroupBox *splitFrame = nullptr;
    QPushButton *cmdSplitOn = nullptr;
    QPushButton *cmdSplitOff = nullptr;
    QPushButton *cndTFSet = nullptr;

    QGroupBox *ritXitFrame = nullptr;
    QPushButton *cmdRIT = nullptr;
    QPushButton *cmdXIT = nullptr;
    QPushButton *cmdRitXitUp = nullptr;
    QPushButton *cmdRitXitDn = nullptr;
    QPushButton *cmdRitXitClear = nullptr;

    QWidget *switchButtons = nullptr;
    QPushButton *cmdAtt = nullptr;
    QPushButton *CmdATTune = nullptr;
    QPushButton *CmdPreAmp = nullptr;
    QPushButton *cmdProcOn = nullptr;
    QPushButton *CmdVoxOn = nullptr;
    QPushButton *cmdBC = nullptr;
    QPushButton *cmdNR12 = nullptr;
    QPushButton *cmdFLock = nullptr;
    QPushButton *cmdPower = nullptr;
    QPushButton *cmdCWT = nullptr;
    QPushButton *CmdVFOA = nullptr;
    QPushButton *CmdVFOB = nullptr;
    QPushButton *Command30 = nullptr;
    QPushButton *CmdAeqB = nullptr;
    QPushButton *CmdBeqA = nullptr;
    QPushButton *cmdFilter = nullptr;
    QPushButton *cmdFunctions = nullptr;

    void buildFreqMemFrame();
    void cmdQMRec_Click();
    void buildControlsFrame();
    void buildModeFrame();
    void buildSplitFrame();
    void buildRitXitFrame();
    void buildSwitchButtons();
    QRadioButton *stepOption(const char *name, const QString &caption, int row, int column);
    QSlider *slider(QGridLayout *grid, int row, const char *name, const QString &caption,
                    const QString &explanation, int minimum, int maximum, int pageStep, int tick);
    QSlider *sliderFor(RadioView::Slider which) const;
};

QRadioButton *FrontPanel::Private::stepOption(const char *name, const QString &caption, int row,
                                              int column)
{
    auto *option = new QRadioButton(caption, freqMemFrame);
    option->setObjectName(QLatin1String(name));
    option->setAccessibleName(SpokenName::of(caption, tr("tuning step")));
    option->setFocusPolicy(Qt::StrongFocus);
    stepGroup->addButton(option);
    static_cast<QGridLayout *>(freqMemFrame->layout())->addWidget(option, row, column);
    return option;
}

void FrontPanel::Private::buildFreqMemFrame()
{
    freqMemFrame = new QGroupBox(QStringLiteral("Freq. && Mem Select."), window);
    freqMemFrame->setObjectName(QStringLiteral("freqMemFrame"));
    auto *grid = new QGridLayout(freqMemFrame);
    stepGroup = new QButtonGroup(freqMemFrame);
    stepGroup->setExclusive(true);

    Opt1Hz = stepOption("Opt1Hz", QStringLiteral("1 Hz"), 0, 0);
    Opt100Hz = stepOption("Opt100Hz", QStringLiteral("100 hz "), 0, 1);
    Opt1khz = stepOption("Opt1khz", QStringLiteral("1 Khz "), 1, 0);
    Opt5Khz = stepOption("Opt5Khz", QStringLiteral("5 Khz "), 1, 1);
    Opt10Khz = stepOption("Opt10Khz", QStringLiteral("10 Khz "), 2, 0);
    Opt500Khz = stepOption("Opt500Khz", QStringLiteral("0.5 Mhz"), 2, 1);
    Opt1Mhz = stepOption("Opt1Mhz", QStringLiteral("1 Mhz"), 3, 0);
    Opt1khz->setChecked(true);

    CmdStepDwn
        = SpokenName::button(freqMemFrame, "CmdStepDwn", QStringLiteral("&<<"), tr("step down"));
    CmdStepUp = SpokenName::button(freqMemFrame, "CmdStepUp", QStringLiteral("&>>"), tr("step up"));
    CmdDwn = SpokenName::button(freqMemFrame, "CmdDwn", QStringLiteral("&Dwn"), tr("down 10 Hz"));
    CmdUp = SpokenName::button(freqMemFrame, "CmdUp", QStringLiteral("&Up"), tr("up 10 Hz"));
    CmdFreqEnter = SpokenName::button(freqMemFrame, "CmdFreqEnter", QStringLiteral("Enter Freq."),
                                      tr("type a frequency"));
    CmdBand = SpokenName::button(freqMemFrame, "CmdBand", QStringLiteral("Band"), tr("band list"));
    CmdFreqScan = SpokenName::button(freqMemFrame, "CmdFreqScan", QStringLiteral("Freq Scan"),
                                     tr("frequency scan"));
    CmdMemory = SpokenName::button(freqMemFrame, "CmdMemory", QStringLiteral("&Mem"), tr("memory"));
    CmdMemtoFreq = SpokenName::button(freqMemFrame, "CmdMemtoFreq", QStringLiteral("M>VFOA"),
                                      tr("memory to VFO A"));
    cmdQMIn = SpokenName::button(freqMemFrame, "cmdQMIn", QStringLiteral("Q Mem In"),
                                 tr("keep frequency and mode in the quick memory"));
    cmdQMRec = SpokenName::button(freqMemFrame, "cmdQMRec", quickMemory.caption(),
                                  tr("recall the quick memory in turn"));

    grid->addWidget(CmdStepDwn, 4, 0);
    grid->addWidget(CmdStepUp, 4, 1);
    grid->addWidget(CmdDwn, 5, 0);
    grid->addWidget(CmdUp, 5, 1);
    grid->addWidget(CmdFreqEnter, 6, 0, 1, 2);
    grid->addWidget(CmdBand, 7, 0);
    grid->addWidget(CmdFreqScan, 7, 1);
    grid->addWidget(CmdMemory, 8, 0);
    grid->addWidget(CmdMemtoFreq, 8, 1);
    grid->addWidget(cmdQMIn, 9, 0);
    grid->addWidget(cmdQMRec, 9, 1);
}

void FrontPanel::Private::cmdQMRec_Click()
{
    const QString caption = quickMemory.cmdQMRec_Click();
    cmdQMRec->setText(caption);
    cmdQMRec->setAccessibleName(SpokenName::of(caption, tr("recall the quick memory in turn")));
}

QSlider *FrontPanel::Private::slider(QGridLayout *grid, int row, const char *name,
                                     const QString &caption, const QString &explanation,
                                     int minimum, int maximum, int pageStep, int tick)
{
    auto *s = new QSlider(Qt::Horizontal, controlsFrame);
    s->setObjectName(QLatin1String(name));
    s->setRange(minimum, maximum);
    s->setSingleStep(minimum < 0 ? pageStep : 1);
    s->setPageStep(pageStep);
    s->setTickInterval(tick);
    s->setTickPosition(QSlider::TicksBelow);
    s->setFocusPolicy(Qt::StrongFocus);
    s->setAccessibleName(SpokenName::of(caption, explanation));
    auto *label = new QLabel(caption, controlsFrame);
    label->setBuddy(s);
    grid->addWidget(label, row, 0);
    grid->addWidget(s, row, 1);
    return s;
}

void FrontPanel::Private::buildControlsFrame()
{
    controlsFrame = new QGroupBox(QStringLiteral("Controls"), window);
    controlsFrame->setObjectName(QStringLiteral("controlsFrame"));
    auto *grid = new QGridLayout(controlsFrame);
    SliderVolume
        = slider(grid, 0, "SliderVolume", QStringLiteral("Volume"), tr("AF gain"), 0, 255, 5, 10);
    SliderRF = slider(grid, 1, "SliderRF", QStringLiteral("RF"), tr("RF gain"), 0, 255, 5, 10);
    SliderDSPHigh
        = slider(grid, 2, "SliderDSPHigh", QStringLiteral("DSP High Cut"), {}, 0, 20, 5, 1);
    SliderDSPLow = slider(grid, 3, "SliderDSPLow", QStringLiteral("DSP Low Cut"), {}, 0, 20, 5, 1);
    SliderIS = slider(grid, 4, "SliderIS", QStringLiteral("IF Shift"), {}, -1100, 1100, 50, 100);
}

void FrontPanel::Private::buildModeFrame()
{
    modeFrame = new QGroupBox(QStringLiteral("Mode"), window);
    modeFrame->setObjectName(QStringLiteral("modeFrame"));
    auto *grid = new QGridLayout(modeFrame);
    struct Row
    {
        QPushButton **button;
        const char *name;
        const char *caption;
    };
    const Row rows[] = {
        {&Command9, "Command9", "LSB"},  {&Command10, "Command10", "USB"},
        {&Command11, "Command11", "CW"}, {&Command12, "Command12", "FM"},
        {&Command8, "Command8", "AM"},   {&Command6, "Command6", "FSK"},
        {&cmdCWRev, "cmdCWRev", "CW-R"}, {&cmdFSKRev, "cmdFSKRev", "FSK-R"},
    };
    int i = 0;
    for (const Row &row : rows) {
        const QString caption = QLatin1String(row.caption);
        *row.button = SpokenName::button(modeFrame, row.name, caption, tr("mode"));
        grid->addWidget(*row.button, i / 4, i % 4);
        ++i;
    }
}

void FrontPanel::Private::buildSplitFrame()
{
    splitFrame = new QGroupBox(QStringLiteral("Split"), window);
    splitFrame->setObjectName(QStringLiteral("splitFrame"));
    auto *row = new QHBoxLayout(splitFrame);
    cmdSplitOn = SpokenName::button(splitFrame, "cmdSplitOn", QStringLiteral("On"), tr("split on"));
    cmdSplitOff
        = SpokenName::button(splitFrame, "cmdSplitOff", QStringLiteral("Off"), tr("split off"));
    cndTFSet = SpokenName::button(splitFrame, "cndTFSet", QStringLiteral("TF-Set"),
                                  tr("listen on the transmit frequency"));
    row->addWidget(cmdSplitOn);
    row->addWidget(cmdSplitOff);
    row->addWidget(cndTFSet);
}

void FrontPanel::Private::buildRitXitFrame()
{
    ritXitFrame = new QGroupBox(QStringLiteral("RIT/XIT"), window);
    ritXitFrame->setObjectName(QStringLiteral("ritXitFrame"));
    auto *grid = new QGridLayout(ritXitFrame);
    cmdRIT = SpokenName::button(ritXitFrame, "cmdRIT", QStringLiteral("RIT"), tr("RIT on or off"));
    cmdXIT = SpokenName::button(ritXitFrame, "cmdXIT", QStringLiteral("XIT"), tr("XIT on or off"));
    cmdRitXitUp = SpokenName::button(ritXitFrame, "cmdRitXitUp", QStringLiteral("Up"),
                                     tr("RIT/XIT offset up"));
    cmdRitXitDn = SpokenName::button(ritXitFrame, "cmdRitXitDn", QStringLiteral("Dwn"),
                                     tr("RIT/XIT offset down"));
    cmdRitXitClear = SpokenName::button(ritXitFrame, "cmdRitXitClear", QStringLiteral("Clear"),
                                        tr("clear the RIT/XIT offset"));
    grid->addWidget(cmdRIT, 0, 0);
    grid->addWidget(cmdXIT, 0, 1);
    grid->addWidget(cmdRitXitUp, 1, 0);
    grid->addWidget(cmdRitXitDn, 1, 1);
    grid->addWidget(cmdRitXitClear, 2, 0, 1, 2);
}

void FrontPanel::Private::buildSwitchButtons()
{
    switchButtons = new QWidget(window);
    switchButtons->setObjectName(QStringLiteral("switchButtons"));
    auto *grid = new QGridLayout(switchButtons);
    grid->setContentsMargins(0, 0, 0, 0);
    struct Row
    {
        QPushButton **button;
        const char *name;
        const char *caption;
        const char *explanation;
    };
    const Row rows[] = {
        {&cmdAtt, "cmdAtt", "Att", "attenuator"},
        {&CmdATTune, "CmdATTune", "AT ", "antenna tuner"},
        {&CmdPreAmp, "CmdPreAmp", "Pre-am", "pre-amplifier"},
        {&cmdProcOn, "cmdProcOn", "Proc", "speech processor"},
        {&CmdVoxOn, "CmdVoxOn", "Vox", "voice-operated transmit"},
        {&cmdBC, "cmdBC", "BC", "beat cancel"},
        {&cmdNR12, "cmdNR12", "NR1/2", "noise reduction"},
        {&cmdFLock, "cmdFLock", "Flock", "frequency lock"},
        {&cmdPower, "cmdPower", "Power", "power on or off"},
        {&cmdCWT, "cmdCWT", "CW T", "CW auto-tune"},
        {&CmdVFOA, "CmdVFOA", "&A", "VFO A"},
        {&CmdVFOB, "CmdVFOB", "&B", "VFO B"},
        {&Command30, "Command30", "M", "memory mode"},
        {&CmdAeqB, "CmdAeqB", "A=B", "copy frequency to VFO A"},
        {&CmdBeqA, "CmdBeqA", "B=A", "copy frequency to VFO B"},
        {&cmdFilter, "cmdFilter", "Filter", "filter panel"},
    };
    int i = 0;
    for (const Row &row : rows) {
        *row.button = SpokenName::button(switchButtons, row.name, QLatin1String(row.caption),
                                         tr(row.explanation));
        grid->addWidget(*row.button, i / 5, i % 5);
        ++i;
    }
    cmdFunctions
        = SpokenName::button(switchButtons, "cmdFunctions",
                             QStringLiteral("Power Mic Key Delay VOX SQL Ant AGC Tone Ch1 Ch2 Ch3"),
                             tr("functions panel"));
    cmdFunctions->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(cmdFunctions, (i + 4) / 5, 0, 1, 5);
}

QSlider *FrontPanel::Private::sliderFor(RadioView::Slider which) const
{
    switch (which) {
    case RadioView::Slider::SliderVolume:
        return SliderVolume;
    case RadioView::Slider::SliderRF:
        return SliderRF;
    case RadioView::Slider::SliderDSPHigh:
        return SliderDSPHigh;
    case RadioView::Slider::SliderDSPLow:
        return SliderDSPLow;
    case RadioView::Slider::SliderIS:
        return SliderIS;
    default:
        return nullptr;
    }
}

FrontPanel::FrontPanel(Radio &radio, QWidget *window)
    : QObject(window)
    , d(new Private(radio, window))
{
    d->CbotKnob1 = new CbotKnob(window);
    d->CbotKnob1->setObjectName(QStringLiteral("CbotKnob1"));
    d->buildFreqMemFrame();
    d->buildControlsFrame();
    d->buildModeFrame();
    d->buildSplitFrame();
    d->buildRitXitFrame();
    d->buildSwitchButtons();

    d->prompt = [window](const QString &prompt) {
        bool ok = false;
        const QString text = QInputDialog::getText(window, QStringLiteral("Vantelo"), prompt,
                                                   QLineEdit::Normal, QString(), &ok);
        return ok ? text : QString();
    };
    d->message = [window](const QString &text) {
        QMessageBox::warning(window, QStringLiteral("Vantelo"), text);
    };
    wire();
}

FrontPanel::~FrontPanel()
{
    delete d;
}

void FrontPanel::wireSlider(QWidget *widget, void (FunctionSwitches::*click)(int))
{
    auto *slider = static_cast<QSlider *>(widget);
    // The operator's changes only: a drag sends when it ends, a key, a click on the groove or
    // a wheel step sends at once. A value set from code triggers no action and sends nothing.
    connect(slider, &QSlider::sliderReleased, this,
            [this, slider, click] { (d->switches.*click)(slider->value()); });
    connect(slider, &QSlider::actionTriggered, this, [this, slider, click](int action) {
        if (action == QAbstractSlider::SliderMove && slider->isSliderDown())
            return;
        if (slider->sliderPosition() != slider->value())
            (d->switches.*click)(slider->sliderPosition());
    });
}

void FrontPanel::wire()
{
    TuningControls &t = d->tuning;
    FunctionSwitches &s = d->switches;
    const auto on = [this](QPushButton *button, auto handler) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    const auto opens = [this](QPushButton *button, Window which) {
        connect(button, &QPushButton::clicked, this, [this, which] { Q_EMIT openWindow(which); });
    };

    connect(d->CbotKnob1, &CbotKnob::positionChanged, this,
            [&t](int position) { t.CbotKnob1_PositionChanged(position); });
    connect(d->CbotKnob1, &CbotKnob::mouseUp, this, &FrontPanel::knobReleased);

    const std::pair<QRadioButton *, void (TuningControls::*)()> options[] = {
        {d->Opt1Hz, &TuningControls::Opt1Hz_Click},
        {d->Opt100Hz, &TuningControls::Opt100Hz_Click},
        {d->Opt1khz, &TuningControls::Opt1khz_Click},
        {d->Opt5Khz, &TuningControls::Opt5Khz_Click},
        {d->Opt10Khz, &TuningControls::Opt10Khz_Click},
        {d->Opt500Khz, &TuningControls::Opt500Khz_Click},
        {d->Opt1Mhz, &TuningControls::Opt1Mhz_Click},
    };
    for (const auto &[option, click] : options) {
        connect(option, &QRadioButton::toggled, this, [&t, click](bool checked) {
            if (checked)
                (t.*click)();
        });
    }

    on(d->CmdStepUp, [&t] { t.CmdStepUp_Click(); });
    on(d->CmdStepDwn, [&t] { t.CmdStepDwn_Click(); });
    on(d->CmdUp, [&t] { t.CmdUp_Click(); });
    on(d->CmdDwn, [&t] { t.CmdDwn_Click(); });
    on(d->CmdFreqEnter, [this] { enterFrequency(); });
    opens(d->CmdBand, Window::Band);
    opens(d->CmdFreqScan, Window::FreqScan);
    opens(d->CmdMemory, Window::Memory);
    on(d->CmdMemtoFreq, [this] { CmdMemtoFreq_Click(d->radio); });
    on(d->cmdQMIn, [this] { d->quickMemory.cmdQMIn_Click(); });
    on(d->cmdQMRec, [this] { d->cmdQMRec_Click(); });
    opens(d->cmdFilter, Window::Filter);
    opens(d->cmdFunctions, Window::Functions);

    on(d->Command9, [&t] { t.Command9_Click(); });
    on(d->Command10, [&t] { t.Command10_Click(); });
    on(d->Command11, [&t] { t.Command11_Click(); });
    on(d->Command12, [&t] { t.Command12_Click(); });
    on(d->Command8, [&t] { t.Command8_Click(); });
    on(d->Command6, [&t] { t.Command6_Click(); });
    on(d->cmdCWRev, [&t] { t.cmdCWRev_Click(); });
    on(d->cmdFSKRev, [&t] { t.cmdFSKRev_Click(); });

    on(d->cmdSplitOn, [&t] { t.cmdSplitOn_Click(); });
    on(d->cmdSplitOff, [&t] { t.cmdSplitOff_Click(); });
    on(d->cndTFSet, [&t] { t.cndTFSet_Click(); });
    on(d->cmdRIT, [&t] { t.cmdRIT_Click(); });
    on(d->cmdXIT, [&t] { t.cmdXIT_Click(); });
    on(d->cmdRitXitUp, [&t] { t.cmdRitXitUp_Click(); });
    on(d->cmdRitXitDn, [&t] { t.cmdRitXitDn_Click(); });
    on(d->cmdRitXitClear, [&t] { t.cmdRitXitClear_Click(); });

    on(d->CmdVFOA, [&t] { t.CmdVFOA_Click(); });
    on(d->CmdVFOB, [&t] { t.CmdVFOB_Click(); });
    on(d->Command30, [&t] { t.Command30_Click(); });
    on(d->CmdAeqB, [&t] { t.CmdAeqB_Click(); });
    on(d->CmdBeqA, [&t] { t.CmdBeqA_Click(); });

    on(d->cmdAtt, [&s] { s.cmdAtt_Click(); });
    on(d->CmdATTune, [&s] { s.CmdATTune_Click(); });
    on(d->CmdPreAmp, [&s] { s.CmdPreAmp_Click(); });
    on(d->cmdProcOn, [&s] { s.cmdProcOn_Click(); });
    on(d->CmdVoxOn, [&s] { s.CmdVoxOn_Click(); });
    on(d->cmdBC, [&s] { s.cmdBC_Click(); });
    on(d->cmdNR12, [&s] { s.cmdNR12_Click(); });
    on(d->cmdFLock, [&s] { s.cmdFLock_Click(); });
    on(d->cmdPower, [&s] { s.cmdPower_Click(); });
    on(d->cmdCWT, [&s] { s.cmdCWT_Click(); });

    wireSlider(d->SliderVolume, &FunctionSwitches::SliderVolume_Click);
    wireSlider(d->SliderRF, &FunctionSwitches::SliderRF_Click);
    wireSlider(d->SliderDSPHigh, &FunctionSwitches::SliderDSPHigh_Click);
    wireSlider(d->SliderDSPLow, &FunctionSwitches::SliderDSPLow_Click);
    wireSlider(d->SliderIS, &FunctionSwitches::SliderIS_Click);
}

void FrontPanel::knobReleased()
{
    // A release without a turn has nothing new to write.
    if (d->CbotKnob1->position() != 0)
        d->tuning.CbotKnob1_MouseUp();
    d->CbotKnob1->resetPosition();
}

void FrontPanel::enterFrequency()
{
    const QString text = d->prompt ? d->prompt(FreqPrompt) : QString();
    const FrequencyEntry entry = d->tuning.CmdFreqEnter(text);
    if (!d->message)
        return;
    if (entry.kind == FrequencyEntry::Kind::NotAFrequency)
        d->message(
            tr("\"%1\" is not a frequency. Type kilohertz, e.g. 26600 or 14200.5.").arg(text));
    else if (entry.kind == FrequencyEntry::Kind::OutOfRange)
        d->message(tr("%1 kHz cannot be set on the radio.").arg(text.trimmed()));
}

QWidget *FrontPanel::knob() const
{
    return d->CbotKnob1;
}

QGroupBox *FrontPanel::freqMemFrame() const
{
    return d->freqMemFrame;
}

QGroupBox *FrontPanel::controlsFrame() const
{
    return d->controlsFrame;
}

QGroupBox *FrontPanel::modeFrame() const
{
    return d->modeFrame;
}

QGroupBox *FrontPanel::splitFrame() const
{
    return d->splitFrame;
}

QGroupBox *FrontPanel::ritXitFrame() const
{
    return d->ritXitFrame;
}

QWidget *FrontPanel::switchButtons() const
{
    return d->switchButtons;
}

bool FrontPanel::setSlider(RadioView::Slider slider, int value)
{
    QSlider *s = d->sliderFor(slider);
    if (!s)
        return false;
    const QSignalBlocker quiet(s);
    s->setValue(value);
    return true;
}

void FrontPanel::memoryStep(bool up)
{
    d->tuning.continueMemoryStep(up);
}

bool FrontPanel::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_PageUp && key != Qt::Key_PageDown)
        return false;
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= TuningControls::ShiftMaskCtrl;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    d->tuning.Form_KeyDown(
        key == Qt::Key_PageUp ? TuningControls::KeyPageUp : TuningControls::KeyPageDown, shift);
    return true;
}

void FrontPanel::setTextPrompt(TextPrompt prompt)
{
    d->prompt = std::move(prompt);
}

void FrontPanel::setMessageBox(MessageBox box)
{
    d->message = std::move(box);
}

TuningControls &FrontPanel::tuning()
{
    return d->tuning;
}

FunctionSwitches &FrontPanel::switches()
{
    return d->switches;
}

QuickMemory &FrontPanel::quickMemory()
{
    return d->quickMemory;
}
