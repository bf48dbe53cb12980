#include "ui/panels/frmfunctions.h"

#include "core/radio/cat.h"
#include "core/radio/cattables.h"
#include "core/radio/radio.h"
#include "ui/common/spokenname.h"
#include "ui/common/windowplacement.h"

#include <QAbstractSlider>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace {

constexpr const char *FrameCaptions[] = {"Antenna", "AGC", "NB", "Channel"};
constexpr int FrameCount = int(std::size(FrameCaptions));
// What the options of each frame choose, spoken after an option's caption.
constexpr const char *FrameExplanations[]
    = {"antenna", "AGC", "noise blanker", "voice playback channel"};
static_assert(std::size(FrameExplanations) == std::size(FrameCaptions));

const QString OffText = QStringLiteral("Off");

// A state value as a whole number: the leading number of the text, 0 when it has none, kept
// within int so that an absurd report cannot overflow.
int wholeNumber(const QString &text)
{
    const qint64 n = Cat::readNumber(text);
    return int(
        std::clamp<qint64>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

std::span<const frmFunctions::OptionRow> frmFunctions::optionRows()
{
    using O = RadioView::Option;
    static constexpr OptionRow rows[] = {
        {O::OptAnt1, &frmFunctions::OptAnt1, "OptAnt1", "1", 0, &frmFunctions::OptAnt1_Click},
        {O::OptAnt2, &frmFunctions::OptAnt2, "OptAnt2", "2", 0, &frmFunctions::OptAnt2_Click},
        {O::OptAGCFast, &frmFunctions::OptAGCFast, "OptAGCFast", "Fast", 1,
         &frmFunctions::OptAGCFast_Click},
        {O::OptAGCSlow, &frmFunctions::OptAGCSlow, "OptAGCSlow", "Slow", 1,
         &frmFunctions::OptAGCSlow_Click},
        {O::OptNBOn, &frmFunctions::OptNBOn, "OptNBOn", "On", 2, &frmFunctions::OptNBOn_Click},
        {O::OptNBOff, &frmFunctions::OptNBOff, "OptNBOff", "Off", 2, &frmFunctions::OptNBOff_Click},
        {O::OptChan0, &frmFunctions::OptChan0, "OptChan0", "Cancel", 3,
         &frmFunctions::OptChan0_Click},
        {O::OptChan1, &frmFunctions::OptChan1, "OptChan1", "1", 3, &frmFunctions::OptChan1_Click},
        {O::OptChan2, &frmFunctions::OptChan2, "OptChan2", "2", 3, &frmFunctions::OptChan2_Click},
        {O::OptChan3, &frmFunctions::OptChan3, "OptChan3", "3", 3, &frmFunctions::OptChan3_Click},
    };
    return rows;
}

std::span<const frmFunctions::SliderRow> frmFunctions::sliderRows()
{
    using S = RadioView::Slider;
    using L = RadioView::Label;
    using F = frmFunctions;
    static constexpr SliderRow rows[] = {
        {S::SliderPower, L::lblPowerlevel, &F::SliderPower, &F::lblPowerlevel, "SliderPower",
         "lblPowerlevel", "Power", 5, 100, 5, 5, "PC", 3, &F::SliderPower_Click},
        {S::SliderMic, L::lblMicGainLevel, &F::SliderMic, &F::lblMicGainLevel, "SliderMic",
         "lblMicGainLevel", "Mic Gain", 0, 100, 5, 5, "MG", 3, &F::SliderMic_Click},
        {S::SliderKeyer, L::lblKeyerLevel, &F::SliderKeyer, &F::lblKeyerLevel, "SliderKeyer",
         "lblKeyerLevel", "Keyer Speed", 10, 60, 1, 5, "KS", 3, &F::SliderKeyer_Click},
        {S::SliderDelay, L::lblDelayLevel, &F::SliderDelay, &F::lblDelayLevel, "SliderDelay",
         "lblDelayLevel", "Delay", 0, 3000, 50, 100, "VD", 4, &F::SliderDelay_Click},
        {S::SliderVox, L::lblVoxLevel, &F::SliderVox, &F::lblVoxLevel, "SliderVox", "lblVoxLevel",
         "Vox Gain", 1, 9, 1, 1, "VG", 3, &F::SliderVox_Click},
        {S::SliderSQL, L::lblSQLLevel, &F::SliderSQL, &F::lblSQLLevel, "SliderSQL", "lblSQLLevel",
         "Squelch", 0, 255, 5, 5, "SQ", 3, &F::SliderSQL_Click},
    };
    return rows;
}

const frmFunctions::SliderRow *frmFunctions::sliderRow(RadioView::Slider slider)
{
    for (const SliderRow &entry : sliderRows()) {
        if (entry.slider == slider)
            return &entry;
    }
    return nullptr;
}

frmFunctions::frmFunctions(Radio &radio, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_radio(radio)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmFunctions"));
    setWindowTitle(QStringLiteral("Function"));
    buildUi();
    WindowPlacement::fitTitle(*this);
    connectControls();
    Form_Load();
}

void frmFunctions::buildUi()
{
    auto *options = new QVBoxLayout;
    for (int f = 0; f < FrameCount; ++f) {
        auto *box = new QGroupBox(QString::fromLatin1(FrameCaptions[f]), this);
        box->setAccessibleName(box->title());
        auto *row = new QHBoxLayout(box);
        m_frames[f] = new QButtonGroup(box);
        m_frames[f]->setExclusive(true);
        for (const OptionRow &entry : optionRows()) {
            if (entry.frame != f)
                continue;
            auto *button = new QRadioButton(QString::fromLatin1(entry.caption), box);
            button->setObjectName(QString::fromLatin1(entry.name));
            button->setAccessibleName(
                SpokenName::of(button->text(), QString::fromLatin1(FrameExplanations[f])));
            button->setFocusPolicy(Qt::StrongFocus);
            m_frames[f]->addButton(button);
            row->addWidget(button);
            this->*entry.button = button;
        }
        options->addWidget(box);
    }

    auto *toneBox = new QGroupBox(QStringLiteral("Tone"), this);
    auto *toneRow = new QHBoxLayout(toneBox);
    Combo1 = new QComboBox(toneBox);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(QStringLiteral("Tone"));
    Combo1->setAccessibleName(QStringLiteral("Tone"));
    Combo1->setFocusPolicy(Qt::StrongFocus);
    toneRow->addWidget(Combo1);
    options->addWidget(toneBox);
    options->addStretch();

    auto *levels = new QGridLayout;
    int row = 0;
    for (const SliderRow &entry : sliderRows()) {
        auto *caption = new QLabel(QString::fromLatin1(entry.caption), this);
        auto *slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QString::fromLatin1(entry.name));
        slider->setRange(entry.minimum, entry.maximum);
        slider->setSingleStep(entry.smallChange);
        slider->setPageStep(entry.largeChange);
        slider->setTickInterval(entry.largeChange);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setFocusPolicy(Qt::StrongFocus);
        slider->setAccessibleName(caption->text());
        caption->setBuddy(slider);
        auto *level = new QLabel(QStringLiteral("Level"), this);
        level->setObjectName(QString::fromLatin1(entry.levelName));
        level->setMinimumWidth(level->fontMetrics().horizontalAdvance(QStringLiteral("0000 Ms")));
        this->*entry.widget = slider;
        this->*entry.level = level;
        setLevelLabel(entry.levelLabel, level->text());
        levels->addWidget(caption, row, 0);
        levels->addWidget(slider, row, 1);
        levels->addWidget(level, row, 2);
        ++row;
    }
    levels->setColumnMinimumWidth(1, 160);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAccessibleName(cmdClose->text());
    cmdClose->setFocusPolicy(Qt::StrongFocus);

    auto *columns = new QHBoxLayout;
    columns->addLayout(options);
    columns->addLayout(levels, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto *main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addLayout(buttons);

    // Tab order follows the window: the frames top to bottom, the tone list, the sliders,
    // then Close.
    QList<QWidget *> order;
    for (const OptionRow &entry : optionRows())
        order << this->*entry.button;
    order << Combo1;
    for (const SliderRow &entry : sliderRows())
        order << this->*entry.widget;
    order << cmdClose;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmFunctions::connectControls()
{
    // An option acts when it becomes selected, whether by the operator (mouse, or arrow keys
    // inside its frame) or by selectOption; selecting the selected one again does nothing.
    for (const OptionRow &entry : optionRows()) {
        const Handler handler = entry.handler;
        connect(this->*entry.button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    }

    connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });

    for (const SliderRow &entry : sliderRows()) {
        QSlider *slider = this->*entry.widget;
        const Handler handler = entry.handler;
        // A press and release of the mouse, and the end of a drag.
        connect(slider, &QSlider::sliderReleased, this, [this, handler] { (this->*handler)(); });
        // Keyboard, wheel and clicks on the groove move the slider without pressing it.
        connect(slider, &QSlider::actionTriggered, this,
                [this, &entry](int action) { sliderAction(entry, action); });
    }

    connect(cmdClose, &QPushButton::clicked, this, &frmFunctions::cmdClose_Click);
}

void frmFunctions::Form_Load()
{
    centreOnScreen();
    const RadioState &s = m_radio.state();
    using O = RadioView::Option;

    selectOption(s.NBOn == QLatin1String("1") ? O::OptNBOn : O::OptNBOff);

    if (s.AntNum == QLatin1String("1"))
        selectOption(O::OptAnt1);
    else if (s.AntNum == QLatin1String("2"))
        selectOption(O::OptAnt2);

    if (s.AGCOn == QLatin1String("002"))
        selectOption(O::OptAGCFast);
    else if (s.AGCOn == QLatin1String("004"))
        selectOption(O::OptAGCSlow);

    constexpr O channels[] = {O::OptChan0, O::OptChan1, O::OptChan2, O::OptChan3};
    for (int c = 0; c < int(std::size(channels)); ++c) {
        if (s.PlayBackNum == QString::number(c))
            selectOption(channels[c]);
    }

    showTone(s);

    using S = RadioView::Slider;
    using L = RadioView::Label;
    setSlider(S::SliderVox, wholeNumber(s.VGValue));
    setLevelLabel(L::lblVoxLevel, s.VGLevel);
    setSlider(S::SliderPower, wholeNumber(s.PCValue));
    setLevelLabel(L::lblPowerlevel, s.PCLevel);
    setSlider(S::SliderMic, wholeNumber(s.MGValue));
    setLevelLabel(L::lblMicGainLevel, s.MGLevel);
    setSlider(S::SliderKeyer, wholeNumber(s.KSValue));
    setLevelLabel(L::lblKeyerLevel, s.KSLevel);
    setSlider(S::SliderDelay, wholeNumber(s.VDValue));
    setLevelLabel(L::lblDelayLevel, s.VDLevel);
    setSlider(S::SliderSQL, wholeNumber(s.SQValue));
    setLevelLabel(L::lblSQLLevel, s.SQLevel);

    fillToneList();
}

void frmFunctions::centreOnScreen()
{
    adjustSize();
    WindowPlacement::centreOnScreen(*this);
}

// The tone box shows "Off" while the tone is off; with the tone on it shows the entry of the
// reported tone number, "Off" for a blank number, and keeps its text for anything else.
void frmFunctions::showTone(const RadioState &state)
{
    if (state.ToneOn != QLatin1String("1")) {
        Combo1->setEditText(OffText);
        return;
    }
    if (state.ToneNum == QLatin1String(" ")) {
        Combo1->setEditText(OffText);
        return;
    }
    const QString &num = state.ToneNum;
    if (num.size() != 2 || !num[0].isDigit() || !num[1].isDigit())
        return;
    const QString text = Cat::toneText(num.toInt());
    if (!text.isEmpty())
        Combo1->setEditText(text);
}

// Fills the tone list without disturbing the text the box shows; the entry matching that text
// becomes the current one.
void frmFunctions::fillToneList()
{
    const QSignalBlocker block(Combo1);
    const QString shown = Combo1->currentText();
    Combo1->clear();
    Combo1->addItem(OffText);
    for (int k = 1; k <= Cat::ToneCount; ++k)
        Combo1->addItem(Cat::toneText(k));
    Combo1->setCurrentIndex(Combo1->findText(shown, Qt::MatchExactly));
    Combo1->setEditText(shown);
}

void frmFunctions::selectOption(RadioView::Option option)
{
    for (const OptionRow &entry : optionRows()) {
        if (entry.option == option) {
            QRadioButton *button = this->*entry.button;
            if (!button->isChecked())
                button->setChecked(true);
            return;
        }
    }
}

void frmFunctions::setSlider(RadioView::Slider slider, int value)
{
    const SliderRow *entry = sliderRow(slider);
    if (!entry)
        return;
    QSlider *widget = this->*entry->widget;
    widget->setValue(std::clamp(value, widget->minimum(), widget->maximum()));
}

void frmFunctions::setLevelLabel(RadioView::Label label, const QString &text)
{
    for (const SliderRow &entry : sliderRows()) {
        if (entry.levelLabel == label) {
            QLabel *level = this->*entry.level;
            level->setText(text);
            level->setAccessibleName(SpokenName::of(
                text, QString::fromLatin1(entry.caption) + QStringLiteral(" level")));
            return;
        }
    }
}

void frmFunctions::OptAnt1_Click()
{
    m_radio.send(QByteArrayLiteral("AN1;"));
}

void frmFunctions::OptAnt2_Click()
{
    m_radio.send(QByteArrayLiteral("AN2;"));
}

void frmFunctions::OptAGCFast_Click()
{
    m_radio.send(QByteArrayLiteral("GT002;"));
}

void frmFunctions::OptAGCSlow_Click()
{
    m_radio.send(QByteArrayLiteral("GT004;"));
}

void frmFunctions::OptNBOn_Click()
{
    m_radio.send(QByteArrayLiteral("NB1;"));
}

void frmFunctions::OptNBOff_Click()
{
    m_radio.send(QByteArrayLiteral("NB0;"));
}

void frmFunctions::OptChan0_Click()
{
    m_radio.send(QByteArrayLiteral("PB0;"));
}

void frmFunctions::OptChan1_Click()
{
    m_radio.send(QByteArrayLiteral("PB1;"));
}

void frmFunctions::OptChan2_Click()
{
    m_radio.send(QByteArrayLiteral("PB2;"));
}

void frmFunctions::OptChan3_Click()
{
    m_radio.send(QByteArrayLiteral("PB3;"));
}

void frmFunctions::Combo1_Click()
{
    const QString text = Combo1->currentText();
    if (text == OffText) {
        m_radio.send(QByteArrayLiteral("TO0;"));
        return;
    }
    if (const std::optional<int> k = Cat::toneNumber(text)) {
        m_radio.send(QByteArrayLiteral("TO1;"));
        m_radio.send(Cat::selectTone(*k));
    }
}

void frmFunctions::sendLevel(const SliderRow &entry, int value)
{
    m_radio.send(Cat::setLevel(entry.code, value, entry.width));
}

void frmFunctions::sliderAction(const SliderRow &entry, int action)
{
    QSlider *slider = this->*entry.widget;
    // Drags are sent on release (a wheel step is a move of a slider not held down, and is sent
    // at once); a step that cannot move the slider (already at its end) has nothing new to say.
    if (action == QAbstractSlider::SliderNoAction || slider->isSliderDown()
        || slider->sliderPosition() == slider->value())
        return;
    // The position already holds the new value; the value follows right after this signal.
    sendLevel(entry, slider->sliderPosition());
}

void frmFunctions::sendSliderValue(RadioView::Slider slider)
{
    if (const SliderRow *entry = sliderRow(slider))
        sendLevel(*entry, (this->*entry->widget)->value());
}

void frmFunctions::SliderPower_Click()
{
    sendSliderValue(RadioView::Slider::SliderPower);
}

void frmFunctions::SliderMic_Click()
{
    sendSliderValue(RadioView::Slider::SliderMic);
}

void frmFunctions::SliderKeyer_Click()
{
    sendSliderValue(RadioView::Slider::SliderKeyer);
}

void frmFunctions::SliderDelay_Click()
{
    sendSliderValue(RadioView::Slider::SliderDelay);
}

void frmFunctions::SliderVox_Click()
{
    sendSliderValue(RadioView::Slider::SliderVox);
}

void frmFunctions::SliderSQL_Click()
{
    sendSliderValue(RadioView::Slider::SliderSQL);
}

void frmFunctions::cmdClose_Click()
{
    WindowPlacement::restoreDefaultCursor();
    close();
}
