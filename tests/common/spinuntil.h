// Waiting for the event loop to bring something about, for tests and benchmarks.
#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <functional>

// Runs the event loop until done() holds (checked every millisecond) or the time is up; true
// when it holds. Unlike QTest::qWaitFor it never sleeps, so a reply is taken the moment it
// arrives and a timing around it stays exact.
inline bool spinUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    if (!done())
        loop.exec();
    return done();
}
