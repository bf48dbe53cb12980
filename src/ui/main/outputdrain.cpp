#include "ui/main/outputdrain.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace OutputDrain {

namespace {
void letWindowsPaint(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

bool wait(const std::function<qint64()> &pending, const std::function<int()> &ask, Timing timing)
{
    QDeadlineTimer deadline(timing.deadlineMs);
    while (pending() > 0) {
        if (deadline.hasExpired()) {
            const int answer = ask();
            if (answer == Ignore)
                return true;
            if (answer != Retry)
                return false;
            deadline.setRemainingTime(timing.deadlineMs);
            continue;
        }
        letWindowsPaint(timing.pollMs);
    }
    return true;
}

} // namespace OutputDrain
