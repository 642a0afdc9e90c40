// The trick sequence by the run's millisecond: the held buttons that the determinism test and the
// hand-run feel table both ride, so that their figures speak of the same run.
#pragma once

#include "run/runInput.h"

// Push, and every few seconds a jump with a trick, a turn, a bomb, and ENTER for a rescue should the
// rider be down; with tricks off, only the push. Every change falls on a multiple of 100 ms.
inline RunInput recordAt(long ms, bool tricks)
{
    RunInput in;
    long phase = ms % 3000;
    in.held[RB_JUMP] = ms < 100 || (tricks && phase >= 1000 && phase < 1400);
    in.held[RB_UP] = ms >= 1600;
    if (!tricks || ms < 4000) return in;
    in.held[RB_TRICK1 + (ms / 3000) % 6] = phase >= 1400 && phase < 1900;
    in.held[RB_LEFT] = phase >= 2000 && phase < 2100;
    in.held[RB_RIGHT] = phase >= 2400 && phase < 2500;
    in.held[RB_BOMB] = phase >= 2900 && ms > 20000;
    in.held[RB_ENTER] = (ms / 500) % 2 == 1 && phase < 1000;
    return in;
}
