// Activating a row of the band list: the row's frequency goes to the VFO the radio is using
// and its mode is set, all back to back.
//
// With VFO A ("0") the frequency goes out as "FA" + 11 digits of hertz + ";" followed by
// "IF;", with VFO B ("1") as "FB..." and "IF;"; with "3" as "FR0;", "FA..." and "FA;"; with
// any other VFO no frequency is sent. The main window's lblFreq shows a sent frequency at once.
// Then "MD" + the mode's code + ";", "MD;" and "IF;". The code of " " (no mode) is ";" itself,
// so that row sends "MD;;" and leaves the radio's mode alone; an empty cell sends "MD;".
//
// A frequency cell of " ", "0" or nothing sends no frequency. One that is not a number of
// kilohertz ("14200abc"), is below 0 or does not fit the 11 digits sends none either, and a
// mode cell that is neither a mode name nor a single mode digit sends no mode (it would reach
// the radio as a command of its own); each is named in the text returned. The other steps
// still run.
#pragma once

#include "core/bands/bandrow.h"

#include <QString>

class Radio;

namespace BandActivation {

// Sends the row's commands. rowNumber counts from 1 and names the row in the returned text,
// which says which cells were refused (empty when none was).
QString activate(Radio &radio, const BandRow &row, int rowNumber);

} // namespace BandActivation
