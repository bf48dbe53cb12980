#include "ui/common/sliderclicks.h"

#include <QSlider>

namespace SliderClicks {

void connect(QSlider *slider, QObject *context, std::function<void(int value)> click)
{
    QObject::connect(slider, &QSlider::sliderReleased, context,
                     [slider, click] { click(slider->value()); });
    QObject::connect(slider, &QSlider::actionTriggered, context, [slider, click](int action) {
        // The position already holds the new value; the value follows right after this signal.
        // A wheel step comes as a move of the slider that is not held down.
        if (action == QAbstractSlider::SliderNoAction || slider->isSliderDown()
            || slider->sliderPosition() == slider->value())
            return;
        click(slider->sliderPosition());
    });
}

} // namespace SliderClicks
