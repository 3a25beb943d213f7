// What a long replay tells the one waiting for it, and how that one asks it
// to stop. The document calls it between entries, every
// kReplayProgressInterval of them, so that it costs a replay nothing worth
// measuring; whoever implements it keeps its own clock.
#pragma once

inline constexpr int kReplayProgressInterval = 1024;

class CReplayProgress {
public:
    virtual ~CReplayProgress() = default;
    // nDone of the nTotal entries this replay applies are applied. False asks
    // the replay to stop there.
    virtual bool Continue(int nDone, int nTotal) = 0;
};
