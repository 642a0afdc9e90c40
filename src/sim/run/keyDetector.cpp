// Takes successive samples of one button; returns its edges and how long it has been held.
#include "run/keyDetector.h"

static void sample(KeyDetector& d, short held)
{
    d.previouslyPressed = d.pressed;
    d.pressed = held ? 1 : 0;
}

short detectPress(KeyDetector& d, short held)
{
    sample(d, held);
    return d.pressed && !d.previouslyPressed;
}

short detectRelease(KeyDetector& d, short held)
{
    sample(d, held);
    return d.previouslyPressed && !d.pressed;
}

double detectHeldTime(KeyDetector& d, short held, long nowMs)
{
    sample(d, held);
    if (d.pressed && d.previouslyPressed) {
        d.tempsCour = nowMs;
        return (d.tempsCour - d.tempsPrec) * 0.001;
    }
    d.tempsEcoul = 0;
    d.tempsPrec = nowMs;
    return 0.0;
}

short detectRepeat(KeyDetector& d, short held, long nowMs, double delay)
{
    if (!held) return 0;
    if (d.tempsEcoul == 0.0) {
        d.tempsPrec = nowMs;
        d.tempsEcoul = (d.tempsCour - d.tempsPrec) * 0.001;
        return 1;
    }
    d.tempsCour = nowMs;
    d.tempsEcoul = (d.tempsCour - d.tempsPrec) * 0.001;
    if (d.tempsEcoul > delay) d.tempsEcoul = 0.0;
    return 0;
}

// The wait before the next repeat is kept in tempsEcoul; a release starts afresh.
short detectTypingRepeat(KeyDetector& d, short held, long nowMs, double firstDelay, double delay)
{
    sample(d, held);
    if (!d.pressed) return 0;
    if (!d.previouslyPressed) {
        d.tempsPrec = nowMs;
        d.tempsEcoul = firstDelay;
        return 1;
    }
    if ((nowMs - d.tempsPrec) * 0.001 < d.tempsEcoul) return 0;
    d.tempsPrec = nowMs;
    d.tempsEcoul = delay;
    return 1;
}
