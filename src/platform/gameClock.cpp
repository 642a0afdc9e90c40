#include "platform/gameClock.h"

#include <time.h>

static bool manualClock = false;
static long manualValue = 0;
static long pausedTotal = 0;
static long pausedAt = -1; // game clock when the run was paused, -1 while it runs

static void runClockAfresh()
{
    pausedTotal = 0;
    pausedAt = -1;
}

static long monotonicMs()
{
    static long origin = -1;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    long ms = now.tv_sec * 1000L + now.tv_nsec / 1000000L;
    if (origin < 0) origin = ms;
    return ms - origin;
}

long wallClockMs() { return monotonicMs(); }

long gameClock()
{
    return manualClock ? manualValue : monotonicMs();
}

void gameClockSetManual(long ms)
{
    manualClock = true;
    manualValue = ms;
    runClockAfresh();
}

void gameClockAdvance(long ms)
{
    manualValue += ms;
}

void gameClockSetReal()
{
    manualClock = false;
    runClockAfresh();
}

long gameClockLessPauses() { return (pausedAt >= 0 ? pausedAt : gameClock()) - pausedTotal; }

void gameClockPauseRun()
{
    if (pausedAt < 0) pausedAt = gameClock();
}

void gameClockResumeRun()
{
    if (pausedAt < 0) return;
    pausedTotal += gameClock() - pausedAt;
    pausedAt = -1;
}

bool gameClockRunPaused() { return pausedAt >= 0; }

void gameClockSleepUntil(long ms)
{
    if (manualClock) return;
    long wait = ms - monotonicMs();
    if (wait <= 0) return;
    timespec t = {wait / 1000, (wait % 1000) * 1000000L};
    nanosleep(&t, nullptr);
}
