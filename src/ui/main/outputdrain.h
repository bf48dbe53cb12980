// The wait for unsent output when the program ends: the port's pending characters are polled
// in a local event loop (windows keep painting, user input is held back) until they are gone
// or the deadline passes; then the operator chooses Abort, Retry or Ignore.
#pragma once

#include <QtGlobal>
#include <functional>

namespace OutputDrain {

// Message box answers, as stored in MsgResult.
enum Answer { Abort = 3, Retry = 4, Ignore = 5 };

struct Timing
{
    int deadlineMs = 10000; // each round of waiting, the first and every one after Retry
    int pollMs = 25;
};

// Waits while pending() is above 0. When a round's deadline passes, ask() is called: Retry
// waits another round, Ignore stops waiting, Abort (or any answer that is none of the three)
// cancels. Returns true when the program may go on closing (output gone or Ignore). The
// deadline runs on a monotonic clock, so midnight or a change of the system clock neither
// shortens nor stretches it.
bool wait(const std::function<qint64()> &pending, const std::function<int()> &ask,
          Timing timing = {});

} // namespace OutputDrain
