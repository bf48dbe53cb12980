#include "frontpanel.h"

#include <QGroupBox>
#include <QWidget>

struct FrontPanel::Private
{
    explicit Private(Radio &r)
        : radio(r)
    {
    }

    Radio &radio;
    QWidget *knob = nullptr;
    QGroupBox *freqMemFrame = nullptr;
    QGroupBox *controlsFrame = nullptr;
    QGroupBox *modeFrame = nullptr;
    QGroupBox *splitFrame = nullptr;
    QGroupBox *ritXitFrame = nullptr;
    QWidget *switchButtons = nullptr;
};

FrontPanel::FrontPanel(Radio &radio, QWidget *window)
    : QObject(window)
    , d(new Private(radio))
{
    d->knob = new QWidget(window);
    d->freqMemFrame = new QGroupBox(QStringLiteral("Freq. && Mem Select."), window);
    d->controlsFrame = new QGroupBox(QStringLiteral("Controls"), window);
    d->modeFrame = new QGroupBox(QStringLiteral("Mode"), window);
    d->splitFrame = new QGroupBox(QStringLiteral("Split"), window);
    d->ritXitFrame = new QGroupBox(QStringLiteral("RIT/XIT"), window);
    d->switchButtons = new QWidget(window);
}

FrontPanel::~FrontPanel()
{
    delete d;
}

QWidget *FrontPanel::knob() const
{
    return d->knob;
}

QGroupBox *FrontPanel::freqMemFrame() const
{
    return d->freqMemFrame;
}

QGroupBox *FrontPanel::controlsFrame() const
{
    return d->controlsFrame;
}

QGroupBox *FrontPanel::modeFrame() const
{
    return d->modeFrame;
}

QGroupBox *FrontPanel::splitFrame() const
{
    return d->splitFrame;
}

QGroupBox *FrontPanel::ritXitFrame() const
{
    return d->ritXitFrame;
}

QWidget *FrontPanel::switchButtons() const
{
    return d->switchButtons;
}

bool FrontPanel::setSlider(Display::Slider, int)
{
    return false;
}

void FrontPanel::memoryStep(bool) { }

bool FrontPanel::handleKey(int, Qt::KeyboardModifiers)
{
    return false;
}
