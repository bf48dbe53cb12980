#include "core/radio/replyinterpreter.h"

#include "core/radio/cat.h"
#include "core/radio/cattables.h"
#include "core/radio/replyfields.h"
#include "core/radio/replylayouts.h"

#include <algorithm>
#include <optional>

using RadioView::Label;
using RadioView::Option;
using RadioView::Slider;

namespace {

// Reply codes compared as one number made of their two letters.
constexpr int key(const char *code)
{
    return (code[0] << 8) | code[1];
}
int key(QStringView code)
{
    return code.size() == 2 ? (code[0].unicode() << 8) | code[1].unicode() : 0;
}

// --- Switch replies: one digit (or a short code) shown as a status text -----------------------

struct SwitchShow
{
    const char *value; // "*" stands for any other value
    const char *text; // nullptr: the label is not touched
    std::optional<Option> option;
};

struct SwitchRow
{
    const char *code;
    int from;
    int to;
    QString RadioState::*field;
    std::optional<Label> label;
    SwitchShow shows[4];
};

const SwitchRow SwitchRows[] = {
    {"LK", 3, 3, &RadioState::LockOn, Label::lblFLock, {{"0", " ", {}}, {"1", "F.LOCK", {}}}},
    {"PA", 3, 3, &RadioState::PreAmpOn, Label::lblPreamp, {{"1", "PREAMP", {}}, {"*", " ", {}}}},
    {"PS", 3, 3, &RadioState::PowerOn, {}, {}},
    {"PR", 3, 3, &RadioState::ProcOn, Label::lblProc, {{"0", " ", {}}, {"1", "PROC", {}}}},
    {"VX", 3, 3, &RadioState::VoxOn, Label::LblVox, {{"0", " ", {}}, {"1", "VOX", {}}}},
    {"BC", 3, 3, &RadioState::BCOn, Label::lblBC, {{"0", " ", {}}, {"1", "BC", {}}}},
    {"NB",
     3,
     3,
     &RadioState::NBOn,
     Label::lblNB,
     {{"0", " ", Option::OptNBOff}, {"1", "NB", Option::OptNBOn}}},
    {"NR",
     3,
     3,
     &RadioState::NRMode,
     Label::lblNR,
     {{"0", " ", {}}, {"1", "NR1", {}}, {"2", "NR2", {}}}},
    {"RA", 3, 4, &RadioState::AttOn, Label::lblAtt, {{"00", " ", {}}, {"01", "ATT", {}}}},
    {"GT",
     3,
     5,
     &RadioState::AGCOn,
     Label::lblAGC,
     {{"002", "FAST", Option::OptAGCFast}, {"004", " ", Option::OptAGCSlow}}},
    {"AN",
     3,
     3,
     &RadioState::AntNum,
     Label::lblAnt,
     {{"1", "ANT1 ", Option::OptAnt1}, {"2", "ANT2", Option::OptAnt2}}},
    {"PB",
     3,
     3,
     &RadioState::PlayBackNum,
     {},
     {{"0", nullptr, Option::OptChan0},
      {"1", nullptr, Option::OptChan1},
      {"2", nullptr, Option::OptChan2},
      {"3", nullptr, Option::OptChan3}}},
    {"BY", 3, 3, &RadioState::BusyOn, {}, {}},
    {"AC", 4, 4, &RadioState::ATState, Label::lblAT, {{"0", " ", {}}, {"1", "AT", {}}}},
};

const SwitchRow *switchRow(int code)
{
    for (const auto &row : SwitchRows) {
        if (code == key(row.code))
            return &row;
    }
    return nullptr;
}

// --- Functions panel levels -------------------------------------------------------------------

struct LevelRow
{
    const char *code;
    int to;
    QString RadioState::*value;
    QString RadioState::*level;
    Slider slider;
    const char *levelSuffix; // stored with the level text
    Label label;
    const char *labelSuffix; // added only on the label
};

const LevelRow LevelRows[] = {
    {"PC", 5, &RadioState::PCValue, &RadioState::PCLevel, Slider::SliderPower, " W",
     Label::lblPowerlevel, ""},
    {"MG", 5, &RadioState::MGValue, &RadioState::MGLevel, Slider::SliderMic, "",
     Label::lblMicGainLevel, ""},
    {"KS", 5, &RadioState::KSValue, &RadioState::KSLevel, Slider::SliderKeyer, " WPM",
     Label::lblKeyerLevel, ""},
    {"SQ", 5, &RadioState::SQValue, &RadioState::SQLevel, Slider::SliderSQL, "", Label::lblSQLLevel,
     ""},
    {"VG", 5, &RadioState::VGValue, &RadioState::VGLevel, Slider::SliderVox, "", Label::lblVoxLevel,
     ""},
    {"VD", 6, &RadioState::VDValue, &RadioState::VDLevel, Slider::SliderDelay, "",
     Label::lblDelayLevel, " Ms"},
};

const LevelRow *levelRow(int code)
{
    for (const auto &row : LevelRows) {
        if (code == key(row.code))
            return &row;
    }
    return nullptr;
}

const QString Blank = QStringLiteral(" ");

int toInt(qint64 v)
{
    return int(std::clamp<qint64>(v, -1'000'000'000, 1'000'000'000));
}

} // namespace

ReplyInterpreter::ReplyInterpreter(RadioState &state, DisplayAccess display, Sender send)
    : m_state(state)
    , m_display(std::move(display))
    , m_send(std::move(send))
{
}

void ReplyInterpreter::interpret(QStringView reply)
{
    // A reply out of its layout would read noise into the fields: it changes nothing.
    if (!ReplyLayouts::fits(reply))
        return;
    const QStringView code = reply.left(2);
    if (m_state.ReplyCode != code)
        m_state.ReplyCode = code.toString();
    const ReplyFields r(reply);
    const int k = key(code);

    // Memory replies during the memory download go to it whole.
    if (k == key("MR") && m_state.DownloadSwitch == 1) {
        display().memoryDownload(reply.toString() + QLatin1Char(';'));
        return;
    }

    switch (k) {
    case key("IF"):
        statusWord(r);
        return;
    case key("FA"):
    case key("FB"):
        vfoFrequency(r, k == key("FA"));
        return;
    case key("FR"):
        m_state.VFO = r.at(3);
        return;
    case key("FT"): // recognised and ignored
        return;
    case key("MD"):
        mode(r);
        return;
    case key("TO"):
        toneOn(r);
        return;
    case key("TN"):
        m_state.ToneNum = r.at(3, 4);
        return;
    case key("CA"):
        cwTune(r);
        return;
    case key("FW"):
        filterWidth(r);
        return;
    case key("SM"):
        display().setSMeter(toInt(Cat::readNumber(r.at(3, 6))));
        return;
    case key("AG"):
    case key("RG"):
    case key("SH"):
    case key("SL"):
        mainSlider(r, k);
        return;
    case key("IS"):
        ifShift(r);
        return;
    case key("TX"):
    case key("RX"):
        transmit(k == key("TX"));
        return;
    case key("MC"):
        m_state.replyMemChannel = r.at(4, 5);
        return;
    case key("MR"):
        if (m_state.DownloadSwitch == 0)
            memory(r);
        return;
    default:
        break;
    }
    if (levelRow(k))
        level(r, k);
    else if (switchRow(k))
        switchReply(r, k);
}

void ReplyInterpreter::statusWord(const ReplyFields &r)
{
    // The frequency is read from position 4: the last ten digits of the 11-digit field and the
    // first character of the next field, which is a blank and so ends the number.
    const qint64 freqHz = Cat::readNumber(r.at(4, 14));
    m_state.Freq = Cat::khzText(freqHz);
    const QString freqText = Cat::formatFreqHz(freqHz);
    display().setLabel(Label::lblFreq, freqText);
    display().setFrequencyCaptions(freqText);

    const qint64 offsetHz = Cat::readNumber(r.at(19, 23));
    m_state.RITXITOffset = Cat::khzText(offsetHz);
    m_state.RITOn = r.at(24);
    const bool rit = m_state.RITOn == QLatin1String("1");
    if (rit) {
        showRitXit(freqHz, offsetHz);
        display().setLabel(Label::lblRit, QStringLiteral("RIT"));
    } else {
        display().setLabel(Label::lblRitXitFreq, Blank);
        display().setLabel(Label::lblRit, Blank);
    }

    m_state.XITOn = r.at(25);
    if (m_state.XITOn == QLatin1String("1")) {
        // XIT shifts the transmitter only: the frequency display stays unshifted.
        display().setLabel(Label::lblRitXitFreq,
                           Cat::formatOffset(double(offsetHz) / 1000.0) + QStringLiteral(" Khz"));
        display().setLabel(Label::lblXit, QStringLiteral("XIT"));
    } else if (rit) {
        showRitXit(freqHz, offsetHz);
        display().setLabel(Label::lblXit, Blank);
    } else {
        display().setLabel(Label::lblRitXitFreq, Blank);
        display().setLabel(Label::lblXit, Blank);
    }

    m_state.Mode = r.at(30);
    showMode();

    m_state.VFO = r.at(31);
    if (m_state.VFO == QLatin1String("0")) {
        display().setLabel(Label::lblVFO, QStringLiteral("A"));
    } else if (m_state.VFO == QLatin1String("1")) {
        display().setLabel(Label::lblVFO, QStringLiteral("B"));
    } else if (m_state.VFO == QLatin1String("2")) {
        m_state.MemChannel = r.at(27, 28);
        display().setLabel(Label::lblVFO, QStringLiteral("Mem ") + m_state.MemChannel);
    }
    // Receiving on VFO A or B, the word tells that VFO's frequency as well, so that an "FA" or
    // "FB" report lost on the line does not leave it behind. (Transmitting in split, the word
    // carries the other VFO's frequency.)
    if (r.at(29) == QLatin1String("0")) {
        if (m_state.VFO == QLatin1String("0"))
            m_state.VFOAFreq = m_state.Freq;
        else if (m_state.VFO == QLatin1String("1"))
            m_state.VFOBFreq = m_state.Freq;
    }

    m_state.Split = r.at(33);
    if (m_state.Split == QLatin1String("1")) {
        if (m_state.VFO == QLatin1String("0"))
            showSplit(m_state.VFOBFreq);
        else if (m_state.VFO == QLatin1String("1"))
            showSplit(m_state.VFOAFreq);
    } else {
        display().setLabel(Label::lblSubFrequency, Blank);
    }

    m_state.ToneOn = r.at(34);
    display().setLabel(Label::LblTone,
                       m_state.ToneOn == QLatin1String("1") ? QStringLiteral("TONE") : Blank);
    m_state.ToneNum = r.at(35, 36);
}

void ReplyInterpreter::showRitXit(qint64 freqHz, qint64 offsetHz)
{
    display().setLabel(Label::lblRitXitFreq,
                       Cat::formatOffset(double(offsetHz) / 1000.0) + QStringLiteral(" Khz"));
    display().setLabel(Label::lblFreq, Cat::formatFreqHz(freqHz + offsetHz));
}

void ReplyInterpreter::showSplit(const QString &transmitKhz)
{
    display().setLabel(Label::lblSubFrequency, Cat::splitText(transmitKhz));
}

void ReplyInterpreter::showMode()
{
    // A digit outside the table leaves the label as it was.
    const QString name = m_state.Mode.size() == 1 ? Cat::modeName(m_state.Mode.at(0)) : QString();
    if (!name.isEmpty())
        display().setLabel(Label::LblMode, name);
}

void ReplyInterpreter::vfoFrequency(const ReplyFields &r, bool vfoA)
{
    const QString khz = Cat::khzText(Cat::readNumber(r.at(3, 13)));
    (vfoA ? m_state.VFOAFreq : m_state.VFOBFreq) = khz;
    // Freq is what the tuning controls step from: the frequency of the other VFO (asked for
    // by A=B, B=A and the start-up) must not take its place.
    const bool otherVfoInUse = m_state.VFO == (vfoA ? QLatin1String("1") : QLatin1String("0"));
    if (!otherVfoInUse)
        m_state.Freq = khz;
}

void ReplyInterpreter::mode(const ReplyFields &r)
{
    m_state.Mode = r.at(3);
    showMode();
}

void ReplyInterpreter::toneOn(const ReplyFields &r)
{
    m_state.ToneOn = r.at(3);
    display().setLabel(Label::LblTone,
                       m_state.ToneOn == QLatin1String("1") ? QStringLiteral("T") : Blank);
}

void ReplyInterpreter::cwTune(const ReplyFields &r)
{
    m_state.CWTuneOn = r.at(3);
    if (m_state.CWTuneOn == QLatin1String("0")) {
        display().setLabel(Label::lblFunction, Blank);
    } else if (m_state.CWTuneOn == QLatin1String("1")
               && (m_state.Mode == QLatin1String("7") || m_state.Mode == QLatin1String("3"))) {
        display().setLabel(Label::lblFunction, QStringLiteral("CW TUNE"));
    }
}

void ReplyInterpreter::filterWidth(const ReplyFields &r)
{
    m_state.FilterWidth = r.at(3, 6);
    if (m_state.Mode.size() != 1)
        return;
    const QChar mode = m_state.Mode.at(0);
    const QString text = Cat::filterReplyText(mode, m_state.FilterWidth);
    if (text.isEmpty())
        return;
    switch (Cat::filterGroup(mode)) {
    case Cat::FilterGroup::Cw:
        display().setFilterText(RadioView::FilterList::Combo1, text);
        break;
    case Cat::FilterGroup::Fsk:
        display().setFilterText(RadioView::FilterList::Combo3, text);
        break;
    case Cat::FilterGroup::SsbAmFm:
        display().setFilterText(RadioView::FilterList::Combo2, text);
        break;
    case Cat::FilterGroup::None:
        break;
    }
}

void ReplyInterpreter::mainSlider(const ReplyFields &r, int code)
{
    if (code == key("AG")) {
        const qint64 v = Cat::readNumber(r.at(3, 5));
        display().setSlider(Slider::SliderVolume, toInt(v));
        display().setLabel(Label::lblLevel, Cat::formatLevel(v));
    } else if (code == key("RG")) {
        display().setSlider(Slider::SliderRF, toInt(Cat::readNumber(r.at(3, 5))));
    } else if (code == key("SH")) {
        display().setSlider(Slider::SliderDSPHigh, toInt(Cat::readNumber(r.at(3, 4))));
    } else if (code == key("SL")) {
        display().setSlider(Slider::SliderDSPLow, toInt(Cat::readNumber(r.at(3, 4))));
    }
}

void ReplyInterpreter::ifShift(const ReplyFields &r)
{
    // The slider holds -1100 to 1100 Hz; the label shows the value the slider took.
    const qint64 v = std::clamp<qint64>(Cat::readNumber(r.at(3) + r.at(4, 7)), -1100, 1100);
    display().setSlider(Slider::SliderIS, int(v));
    display().setLabel(Label::LblISFreq, Blank + Cat::formatIfShift(v) + QStringLiteral(" Hz"));
}

void ReplyInterpreter::level(const ReplyFields &r, int code)
{
    const LevelRow &row = *levelRow(code);
    const QString raw = r.at(3, row.to);
    const qint64 v = Cat::readNumber(raw);
    m_state.*row.value = raw;
    display().setSlider(row.slider, toInt(v));
    m_state.*row.level = Cat::formatLevel(v) + QLatin1String(row.levelSuffix);
    display().setLabel(row.label, m_state.*row.level + QLatin1String(row.labelSuffix));
}

void ReplyInterpreter::switchReply(const ReplyFields &r, int code)
{
    const SwitchRow &row = *switchRow(code);
    const QString value = r.at(row.from, row.to);
    m_state.*row.field = value;
    for (const auto &show : row.shows) {
        if (!show.value)
            break;
        if (value != QLatin1String(show.value) && qstrcmp(show.value, "*") != 0)
            continue;
        if (row.label && show.text)
            display().setLabel(*row.label, QString::fromLatin1(show.text));
        if (show.option)
            display().selectOption(*show.option);
        break;
    }
}

void ReplyInterpreter::transmit(bool tx)
{
    m_state.TXState = tx ? QStringLiteral("TX") : QStringLiteral("RX");
    display().setLabel(Label::lblTx, tx ? QStringLiteral("TX") : Blank);
    display().setLabel(Label::LblRX, tx ? Blank : QStringLiteral("RX"));
}

void ReplyInterpreter::memory(const ReplyFields &r)
{
    static const QString EmptyChannel = QStringLiteral("00000000000");
    m_state.MemChannel = r.at(5, 6);
    const QString side = r.at(3);
    const QString freqField = r.at(7, 17);

    if (side == QLatin1String("0")) {
        if (freqField == EmptyChannel) {
            // An empty channel: the step goes on, keeping its direction. The two-digit texts
            // compare character by character.
            display().setProgressPercent(QString::number(Cat::readNumber(m_state.MemChannel)));
            display().memoryStep(m_state.MemChannel > m_state.StartMemChannel);
        } else {
            display().closeProgress();
            m_send(QByteArrayLiteral("SQ000;"));
            m_send(QByteArrayLiteral("AI3;"));
            display().setLabel(Label::lblVFO, QStringLiteral("Mem ") + r.at(5, 6));
            const qint64 hz = Cat::readNumber(freqField);
            m_state.Freq = Cat::khzText(hz);
            display().setLabel(Label::lblFreq, Cat::formatFreqHz(hz));
            m_state.Mode = r.at(18);
            showMode();
        }
        m_state.ToneOn = r.at(20);
        display().setLabel(Label::LblTone,
                           m_state.ToneOn == QLatin1String("1") ? QStringLiteral("TONE") : Blank);
    } else if (side == QLatin1String("1") && freqField != EmptyChannel) {
        display().closeProgress();
        m_send(QByteArrayLiteral("SQ000;"));
        const qint64 hz = Cat::readNumber(freqField);
        const QString txKhz = Cat::khzText(hz);
        display().setLabel(Label::lblSubFrequency,
                           txKhz != m_state.Freq ? QStringLiteral("<M>  ") + Cat::formatFreqHz(hz)
                                                 : Blank);
    }
}
