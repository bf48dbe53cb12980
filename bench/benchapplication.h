// What every benchmark program starts with: an application that draws off screen when there
// is no display, named as the program is so that settings and data land where its would, and
// the median of a set of timings, and waits that keep the event loop running (spinUntil, pause).
#pragma once

#include "benchfigure.h"
#include "common/spinuntil.h"

#include <QApplication>
#include <QEventLoop>
#include <QList>
#include <QTimer>
#include <algorithm>

class BenchApplication : public QApplication
{
public:
    BenchApplication(int &argc, char **argv)
        : QApplication(offscreenUnlessDisplayed(argc), argv)
    {
        setOrganizationName(QStringLiteral("Vantelo"));
        setApplicationName(QStringLiteral("Vantelo"));
    }

private:
    static int &offscreenUnlessDisplayed(int &argc)
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY")
            && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }
};

// The middle value (the upper one of the two middle values for an even count); sorts `times`.
template<typename Container> double median(Container &times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Runs the event loop for ms milliseconds.
inline void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
