#include "core/control/tuningcontrols.h"

#include "core/radio/cat.h"
#include "core/radio/radio.h"

namespace {

// A memory channel as the status word and the memory reply carry it: two digits.
std::optional<int> channelNumber(const QString &text)
{
    if (text.size() != 2 || !text.at(0).isDigit() || !text.at(1).isDigit())
        return std::nullopt;
    return text.toInt();
}

QString channelText(int channel)
{
    return QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'));
}

bool fitsFrequencyField(qint64 hz)
{
    return hz >= 0 && hz <= Cat::MaxFrequencyHz;
}

} // namespace

TuningControls::TuningControls(Radio &radio)
    : m_radio(radio)
{
}

qint64 TuningControls::freqHz() const
{
    return Cat::khzToHz(m_radio.state().Freq);
}

qint64 TuningControls::stepHz() const
{
    return Cat::readNumber(StepSize);
}

std::optional<char> TuningControls::currentVfo() const
{
    const QString &vfo = m_radio.state().VFO;
    if (vfo == QLatin1String("0"))
        return 'A';
    if (vfo == QLatin1String("1"))
        return 'B';
    return std::nullopt;
}

void TuningControls::showFrequency(qint64 hz)
{
    m_radio.display().setLabel(RadioView::Label::lblFreq, Cat::formatFreqHz(hz));
}

bool TuningControls::writeFrequency(bool thenQuery)
{
    const std::optional<char> vfo = currentVfo();
    if (!vfo)
        return false;
    const std::optional<QByteArray> command = Cat::setFrequency(*vfo, NewFreq);
    if (!command)
        return false;
    m_radio.send(*command);
    showFrequency(NewFreq);
    if (thenQuery)
        m_radio.send(Cat::query("IF"));
    return true;
}

void TuningControls::CbotKnob1_PositionChanged(int position)
{
    KnobPosition = position;
    NewFreq = freqHz() + KnobPosition * KnobUnitHz;
    if (fitsFrequencyField(NewFreq))
        showFrequency(NewFreq);
}

void TuningControls::CbotKnob1_MouseUp()
{
    writeFrequency(true);
}

void TuningControls::CmdStepUp_Click()
{
    NewFreq = freqHz() + stepHz();
    writeFrequency(true);
}

void TuningControls::CmdStepDwn_Click()
{
    NewFreq = freqHz() - stepHz();
    writeFrequency(true);
}

void TuningControls::setStep(qint64 hz)
{
    StepSize = QString::number(hz);
}

void TuningControls::CmdUp_Click()
{
    fineStep(FineStepHz, true);
}

void TuningControls::CmdDwn_Click()
{
    fineStep(-FineStepHz, false);
}

void TuningControls::fineStep(qint64 deltaHz, bool up)
{
    if (currentVfo()) {
        NewFreq = freqHz() + deltaHz;
        writeFrequency(false);
        return;
    }
    if (m_radio.state().VFO != QLatin1String("2"))
        return;
    // The operator starts a new search from the channel shown.
    if (!channelNumber(m_radio.state().MemChannel))
        return;
    m_searchUp = up;
    m_searchOrigin = m_radio.state().MemChannel;
    m_searchSteps = 0;
    memoryStep(up);
}

void TuningControls::continueMemoryStep(bool up)
{
    if (m_searchSteps == 0) {
        // A continuation without a search of ours: start one in the direction asked for.
        m_searchUp = up;
        m_searchOrigin = m_radio.state().MemChannel;
    }
    if (m_searchSteps >= MemoryChannels - 1) {
        abandonMemorySearch();
        return;
    }
    memoryStep(m_searchUp);
}

void TuningControls::memoryStep(bool up)
{
    const std::optional<int> channel = channelNumber(m_radio.state().MemChannel);
    if (!channel)
        return;
    m_radio.send(QByteArrayLiteral("AI0;"));
    m_radio.send(Cat::setLevel("SQ", 255, 3));

    const int next = (*channel + (up ? 1 : MemoryChannels - 1)) % MemoryChannels;
    NextMemChannel = channelText(next);
    m_radio.state().StartMemChannel = m_radio.state().MemChannel;
    ++m_searchSteps;

    m_radio.send(Cat::readMemory(0, next));
    m_radio.send(Cat::readMemory(1, next));
    m_radio.send(Cat::selectMemory(next));
    m_radio.display().showProgress(QStringLiteral("Checking next available Memory location !"),
                                   false, true);
}

void TuningControls::abandonMemorySearch()
{
    // Every channel is empty: go back to where the search began and undo the step's settings.
    m_searchSteps = 0;
    if (const std::optional<int> origin = channelNumber(m_searchOrigin))
        m_radio.send(Cat::selectMemory(*origin));
    m_radio.send(Cat::setLevel("SQ", 0, 3));
    m_radio.send(QByteArrayLiteral("AI3;"));
    m_radio.send(Cat::query("IF"));
    m_radio.display().closeProgress();
}

FrequencyEntry TuningControls::CmdFreqEnter(const QString &text)
{
    FreqEntry = text;
    const FrequencyEntry entry = readFrequencyEntry(text);
    if (entry.kind != FrequencyEntry::Kind::Frequency)
        return entry;
    NewFreq = entry.hz;
    // VFO B unless VFO A is known to be in use; the display follows the radio's report.
    const char vfo = currentVfo() == std::optional<char>('A') ? 'A' : 'B';
    m_radio.send(Cat::setFrequency(vfo, NewFreq));
    return entry;
}

void TuningControls::CmdVFOA_Click()
{
    m_radio.send(QByteArrayLiteral("FR0;"));
    m_radio.send(Cat::query("FA"));
    m_radio.send(Cat::query("IF"));
}

void TuningControls::CmdVFOB_Click()
{
    m_radio.send(QByteArrayLiteral("FR1;"));
    m_radio.send(Cat::query("FB"));
    m_radio.send(Cat::query("IF"));
}

void TuningControls::Command30_Click()
{
    m_radio.send(QByteArrayLiteral("FR2;"));
    m_radio.send(Cat::query("IF"));
}

void TuningControls::copyFrequencyTo(char vfo, const char *askOther)
{
    m_radio.send(Cat::query(askOther));
    m_radio.send(Cat::setFrequency(vfo, freqHz()));
}

void TuningControls::CmdAeqB_Click()
{
    copyFrequencyTo('A', "FB");
}

void TuningControls::CmdBeqA_Click()
{
    copyFrequencyTo('B', "FA");
}

void TuningControls::cmdSplitOn_Click()
{
    const std::optional<char> vfo = currentVfo();
    if (!vfo)
        return;
    // Receive on the VFO in use, transmit on the other one.
    const RadioState &state = m_radio.state();
    const QString &other = *vfo == 'A' ? state.VFOBFreq : state.VFOAFreq;
    m_radio.display().setLabel(RadioView::Label::lblSubFrequency, Cat::splitText(other));
    m_radio.send(*vfo == 'A' ? QByteArrayLiteral("FT1;") : QByteArrayLiteral("FT0;"));
    m_radio.send(Cat::query("IF"));
}

void TuningControls::cmdSplitOff_Click()
{
    const std::optional<char> vfo = currentVfo();
    if (!vfo)
        return;
    m_radio.send(*vfo == 'A' ? QByteArrayLiteral("FR0;") : QByteArrayLiteral("FR1;"));
    m_radio.send(Cat::query("IF"));
}

void TuningControls::cndTFSet_Click()
{
    const std::optional<char> vfo = currentVfo();
    if (!vfo)
        return;
    if (*vfo == 'A') {
        m_radio.send(QByteArrayLiteral("FR1;"));
        m_radio.send(QByteArrayLiteral("FT0;"));
    } else {
        m_radio.send(QByteArrayLiteral("FR0;"));
        m_radio.send(QByteArrayLiteral("FT1;"));
    }
    m_radio.send(Cat::query("IF"));
}

void TuningControls::cmdRIT_Click()
{
    const bool on = m_radio.state().RITOn == QLatin1String("1");
    m_radio.send(on ? QByteArrayLiteral("RT0;") : QByteArrayLiteral("RT1;"));
}

void TuningControls::cmdXIT_Click()
{
    const bool on = m_radio.state().XITOn == QLatin1String("1");
    m_radio.send(on ? QByteArrayLiteral("XT0;") : QByteArrayLiteral("XT1;"));
}

void TuningControls::cmdRitXitUp_Click()
{
    m_radio.send(Cat::query("RU"));
}

void TuningControls::cmdRitXitDn_Click()
{
    m_radio.send(Cat::query("RD"));
}

void TuningControls::cmdRitXitClear_Click()
{
    m_radio.send(Cat::query("RC"));
}

void TuningControls::selectMode(char digit)
{
    m_radio.send(Cat::setMode(digit));
    m_radio.send(Cat::query("FW"));
}

void TuningControls::Form_KeyDown(int keyCode, int shift)
{
    // Four independent tests: Ctrl+Page Up is Up and then step up, both from the same Freq.
    if (keyCode == KeyPageUp)
        CmdUp_Click();
    if (keyCode == KeyPageDown)
        CmdDwn_Click();
    if (keyCode == KeyPageUp && shift == ShiftMaskCtrl)
        CmdStepUp_Click();
    if (keyCode == KeyPageDown && shift == ShiftMaskCtrl)
        CmdStepDwn_Click();
}
