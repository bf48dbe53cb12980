// The main window's function switch buttons and level sliders without their widgets. A
// button reads its function's state and sends the command for the other state; the reply
// interpreter updates state and label when the radio answers (frequency lock, power and the
// antenna tuner keep their own state as well).
#pragma once

class Radio;

class FunctionSwitches
{
public:
    explicit FunctionSwitches(Radio &radio);

    void cmdAtt_Click();
    // Antenna tuner, one step per click: in line ("AC010;"), start tuning ("AC011;"), and
    // the click after a tuning start takes the tuner out of line ("AC000;").
    void CmdATTune_Click();
    void CmdPreAmp_Click();
    void cmdProcOn_Click();
    void CmdVoxOn_Click();
    void cmdBC_Click();
    void cmdNR12_Click();
    void cmdFLock_Click();
    // Switching on waits twice for the radio (Radio::Pausing) before the follow-up commands.
    void cmdPower_Click();
    void cmdCWT_Click();

    // The sliders' values as the operator left them.
    void SliderVolume_Click(int v);
    void SliderRF_Click(int v);
    void SliderDSPHigh_Click(int v);
    void SliderDSPLow_Click(int v);
    void SliderIS_Click(int v);

private:
    void toggle(const char *offCommand, const char *onCommand, bool isOn);

    Radio &m_radio;
};
