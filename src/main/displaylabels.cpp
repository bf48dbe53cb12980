#include "displaylabels.h"

#include <array>

namespace DisplayLabels {

namespace {
using L = RadioView::Label;
constexpr std::array<Entry, 24> Labels {{
    {L::lblFreq, "lblFreq", "999,999.999", "Frequency"},
    {L::lblSubFrequency, "lblSubFrequency", "SPLIT  999,999.999", "Split or transmit frequency"},
    {L::lblVFO, "lblVFO", "VFO", "VFO"},
    {L::LblMode, "LblMode", "MODE", "Mode"},
    {L::LblTone, "LblTone", "TONE", "Tone"},
    {L::lblRit, "lblRit", "RIT", "RIT"},
    {L::lblXit, "lblXit", "XIT", "XIT"},
    {L::lblRitXitFreq, "lblRitXitFreq", "RitXitFreq", "RIT/XIT offset"},
    {L::lblFunction, "lblFunction", "FUNCTION", "Function"},
    {L::lblFLock, "lblFLock", "F.LOCK", "Frequency lock"},
    {L::lblPreamp, "lblPreamp", "PREAMP", "Pre-amplifier"},
    {L::lblProc, "lblProc", "PROC", "Speech processor"},
    {L::LblVox, "LblVox", "VOX", "VOX"},
    {L::lblBC, "lblBC", "BC", "Beat cancel"},
    {L::lblNB, "lblNB", "NB", "Noise blanker"},
    {L::lblNR, "lblNR", "NR0", "Noise reduction"},
    {L::lblAtt, "lblAtt", "ATT", "Attenuator"},
    {L::lblAGC, "lblAGC", "AGC", "AGC"},
    {L::lblAnt, "lblAnt", "ANT1", "Antenna"},
    {L::lblAT, "lblAT", "AT", "Antenna tuner"},
    {L::lblTx, "lblTx", "", "Transmit"},
    {L::LblRX, "LblRX", "RX", "Receive"},
    {L::lblLevel, "lblLevel", "Level", "AF gain level"},
    {L::LblISFreq, "LblISFreq", "", "IF shift"},
}};

constexpr bool inEnumOrder()
{
    for (std::size_t i = 0; i < Labels.size(); ++i) {
        if (int(Labels[i].label) != int(i))
            return false;
    }
    return int(L::LblISFreq) + 1 == int(Labels.size());
}
static_assert(inEnumOrder(), "one entry per main-window label, in enum order");
} // namespace

std::span<const Entry> mainWindow()
{
    return Labels;
}

bool onFunctionsPanel(RadioView::Label label)
{
    return int(label) > int(L::LblISFreq);
}

} // namespace DisplayLabels
