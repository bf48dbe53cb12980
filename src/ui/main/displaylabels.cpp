#include "ui/main/displaylabels.h"

#include <array>

namespace DisplayLabels {

namespace {
using L = RadioView::Label;
constexpr std::array<Entry, 24> Labels {{
    {L::lblFreq, "lblFreq", "999,999.999", "frequency"},
    {L::lblSubFrequency, "lblSubFrequency", "SPLIT  999,999.999", "split or transmit frequency"},
    {L::lblVFO, "lblVFO", "VFO", "VFO"},
    {L::LblMode, "LblMode", "MODE", "mode"},
    {L::LblTone, "LblTone", "TONE", "tone"},
    {L::lblRit, "lblRit", "RIT", "RIT"},
    {L::lblXit, "lblXit", "XIT", "XIT"},
    {L::lblRitXitFreq, "lblRitXitFreq", "RitXitFreq", "RIT/XIT offset"},
    {L::lblFunction, "lblFunction", "FUNCTION", "function"},
    {L::lblFLock, "lblFLock", "F.LOCK", "frequency lock"},
    {L::lblPreamp, "lblPreamp", "PREAMP", "pre-amplifier"},
    {L::lblProc, "lblProc", "PROC", "speech processor"},
    {L::LblVox, "LblVox", "VOX", "VOX"},
    {L::lblBC, "lblBC", "BC", "beat cancel"},
    {L::lblNB, "lblNB", "NB", "noise blanker"},
    {L::lblNR, "lblNR", "NR0", "noise reduction"},
    {L::lblAtt, "lblAtt", "ATT", "attenuator"},
    {L::lblAGC, "lblAGC", "AGC", "AGC"},
    {L::lblAnt, "lblAnt", "ANT1", "antenna"},
    {L::lblAT, "lblAT", "AT", "antenna tuner"},
    {L::lblTx, "lblTx", "", "transmit"},
    {L::LblRX, "LblRX", "RX", "receive"},
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
