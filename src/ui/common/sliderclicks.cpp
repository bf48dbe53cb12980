#include "ui/common/sliderclicks.h"

#include <QSlider>

namespace SliderClicks {

void connect(QSlider *slider, QObject *context, std::function<void(int value)> click)
{
    QObject::connect(slider, &QSlider::sliderReleased, context,
                     [slider, click] { click(slider->value()); });
    QObject::connect(slider, &QSlider::actionTriggered, context, [slider, click](int action) {
        // The position already holds the new value; the value follows right after this signal.
        if (action == QAbstractSlider::SliderNoAction || action == QAbstractSlider::SliderMove
            || slider->isSliderDown() || slider->sliderPosition() == slider->value())
            return;
        click(slider->sliderPosition());
    });
}

} // namespace SliderClicks
