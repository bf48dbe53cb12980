// The operator's changes of a slider, as the windows send them to the radio: a drag when it
// ends, a key, a click on the groove or a wheel step at once. A value set from program code
// triggers nothing.
#pragma once

#include <functional>

class QObject;
class QSlider;

namespace SliderClicks {

// click gets the slider's new value; it runs in context's thread while context lives.
void connect(QSlider *slider, QObject *context, std::function<void(int value)> click);

} // namespace SliderClicks
