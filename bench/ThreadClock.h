// The processor time the calling thread has used, in seconds. Replay runs on
// one thread and waits for nothing, so this is its cost; the wall clock adds
// whatever time other programs held the processor, and the machines these
// programs run on are shared (a run measured half again as long by the wall
// clock as by this one while two builds ran beside it).
#pragma once

#include <time.h>

inline double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}
