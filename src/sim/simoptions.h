// How the simulated radio's serial line behaves: its pace and the faults it injects.
#pragma once

#include <QtGlobal>

struct SimOptions
{
    int baud = 0; // > 0: replies take the time their bytes need at this rate, 8N1
    bool splitReplies = false; // each reply reaches the line in several writes
    bool mergeReplies = false; // two replies share one write
    bool noise = false; // stray bytes (never ";") between replies
    int dropEvery = 0; // > 0: every Nth reply is lost
    int lateMs = 0; // > 0: every reply is held back this long
    quint32 seed = 1; // seeds the noise bytes and the split points
};
