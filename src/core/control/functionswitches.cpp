#include "core/control/functionswitches.h"

#include "core/radio/cat.h"
#include "core/radio/radio.h"

namespace {

bool isOne(const QString &flag)
{
    return flag == QLatin1String("1");
}

} // namespace

FunctionSwitches::FunctionSwitches(Radio &radio)
    : m_radio(radio)
{
}

void FunctionSwitches::toggle(const char *offCommand, const char *onCommand, bool isOn)
{
    m_radio.send(QByteArray(isOn ? offCommand : onCommand));
}

void FunctionSwitches::cmdAtt_Click()
{
    // Only a state the radio has reported is switched; the attenuator is read back after.
    const QString &att = m_radio.state().AttOn;
    if (att == QLatin1String("01"))
        m_radio.send(QByteArrayLiteral("RA00;"));
    else if (att == QLatin1String("00"))
        m_radio.send(QByteArrayLiteral("RA01;"));
    else
        return;
    m_radio.send(Cat::query("RA"));
}

void FunctionSwitches::CmdATTune_Click()
{
    RadioState &state = m_radio.state();
    RadioDisplay &display = m_radio.display();
    // A tuning start is ended by the next click, which does nothing else.
    if (isOne(state.ATTuning)) {
        m_radio.send(QByteArrayLiteral("AC000;"));
        display.setLabel(RadioView::Label::lblAT, QStringLiteral("  "));
        state.ATTuning = QStringLiteral("0");
        return;
    }
    if (state.ATState == QLatin1String("0")) {
        m_radio.send(QByteArrayLiteral("AC010;"));
        display.setLabel(RadioView::Label::lblAT, QStringLiteral("AT"));
    } else if (isOne(state.ATState)) {
        m_radio.send(QByteArrayLiteral("AC011;"));
        state.ATTuning = QStringLiteral("1");
    }
}

void FunctionSwitches::CmdPreAmp_Click()
{
    toggle("PA0;", "PA1;", isOne(m_radio.state().PreAmpOn));
}

void FunctionSwitches::cmdProcOn_Click()
{
    toggle("PR0;", "PR1;", isOne(m_radio.state().ProcOn));
}

void FunctionSwitches::CmdVoxOn_Click()
{
    toggle("VX0;", "VX1;", isOne(m_radio.state().VoxOn));
}

void FunctionSwitches::cmdBC_Click()
{
    toggle("BC0;", "BC1;", isOne(m_radio.state().BCOn));
}

void FunctionSwitches::cmdNR12_Click()
{
    // off -> NR1 -> NR2 -> off; nothing before the radio has reported its mode.
    const QString &nr = m_radio.state().NRMode;
    if (nr == QLatin1String("0"))
        m_radio.send(QByteArrayLiteral("NR1;"));
    else if (nr == QLatin1String("1"))
        m_radio.send(QByteArrayLiteral("NR2;"));
    else if (nr == QLatin1String("2"))
        m_radio.send(QByteArrayLiteral("NR0;"));
}

void FunctionSwitches::cmdFLock_Click()
{
    RadioState &state = m_radio.state();
    if (isOne(state.LockOn)) {
        m_radio.send(QByteArrayLiteral("LK0;"));
        m_radio.display().setLabel(RadioView::Label::lblFLock, QStringLiteral(" "));
        state.LockOn = QStringLiteral("0");
    } else {
        m_radio.send(QByteArrayLiteral("LK1;"));
        m_radio.send(QByteArrayLiteral("AI3;"));
        m_radio.display().setLabel(RadioView::Label::lblFLock, QStringLiteral("F.LOCK"));
        state.LockOn = QStringLiteral("1");
    }
}

void FunctionSwitches::cmdPower_Click()
{
    RadioState &state = m_radio.state();
    if (isOne(state.PowerOn)) {
        state.PowerOn = QStringLiteral("0");
        m_radio.send(QByteArrayLiteral("PS0;"));
        return;
    }
    // The radio needs a moment after switching on before it takes further commands.
    m_radio.send(QByteArrayLiteral("PS1;"));
    state.PowerOn = QStringLiteral("1");
    m_radio.Pausing();
    m_radio.send(QByteArrayLiteral("AI3;"));
    m_radio.Pausing();
    m_radio.send(Cat::query("IF"));
}

void FunctionSwitches::cmdCWT_Click()
{
    m_radio.send(QByteArrayLiteral("CA1;"));
}

void FunctionSwitches::SliderVolume_Click(int v)
{
    m_radio.send(Cat::setLevel("AG", v, 3));
}

void FunctionSwitches::SliderRF_Click(int v)
{
    m_radio.send(Cat::setLevel("RG", v, 3));
}

void FunctionSwitches::SliderDSPHigh_Click(int v)
{
    m_radio.send(Cat::setLevel("SH", v, 2));
}

void FunctionSwitches::SliderDSPLow_Click(int v)
{
    m_radio.send(Cat::setLevel("SL", v, 2));
}

void FunctionSwitches::SliderIS_Click(int v)
{
    m_radio.send(Cat::setIfShift(v));
}
