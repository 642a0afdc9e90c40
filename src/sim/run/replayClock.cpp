// Takes the real seconds of each drawn frame and the player's replay commands; gives the recorded tick
// to show, paused or at its speed.
#include "run/replayClock.h"

#include "run/runTick.h"
#include "run/runTicker.h"

const double replaySpeedFactors[replaySpeedCount] = {0.25, 0.5, 1.0, 2.0, 4.0};
const char* const replaySpeedNames[replaySpeedCount] = {"1/4x", "1/2x", "1x", "2x", "4x"};

// Quarter speed over frames of 1/240 s must land on its ticks, not miss them by a rounding.
static const double tickRoundingSlack = 1e-9;

void startReplayClock(ReplayClock& c, long lastTick)
{
    c = ReplayClock();
    c.lastTick = lastTick < 0 ? 0 : lastTick;
}

static void moveTo(ReplayClock& c, long tick)
{
    c.tick = tick < 0 ? 0 : tick > c.lastTick ? c.lastTick : tick;
    c.residual = 0;
}

void advanceReplayClock(ReplayClock& c, double elapsedSeconds)
{
    if (c.paused || replayAtEnd(c)) return;
    if (!(elapsedSeconds >= 0)) elapsedSeconds = 0;
    if (elapsedSeconds > maxFrameSeconds) elapsedSeconds = runTickSeconds;
    c.residual += elapsedSeconds * replaySpeedFactors[c.speed];
    long ticks = 0;
    while (c.residual + tickRoundingSlack >= runTickSeconds) {
        c.residual -= runTickSeconds;
        ticks++;
    }
    if (c.residual < 0) c.residual = 0;
    if (c.tick + ticks >= c.lastTick) moveTo(c, c.lastTick);
    else c.tick += ticks;
}

void commandReplayClock(ReplayClock& c, ReplayCommand command)
{
    long jump = ticksIn(replayJumpSeconds);
    switch (command) {
    case replayTogglePause: c.paused = !c.paused; break;
    case replaySlower: if (c.speed > 0) c.speed--; break;
    case replayFaster: if (c.speed < replaySpeedCount - 1) c.speed++; break;
    case replayStepBack: c.paused = 1, moveTo(c, c.tick - 1); break;
    case replayStepForward: c.paused = 1, moveTo(c, c.tick + 1); break;
    case replayJumpBack: moveTo(c, c.tick - jump); break;
    case replayJumpForward: moveTo(c, c.tick + jump); break;
    case replayRestart: c.paused = 0, moveTo(c, 0); break;
    default: break;
    }
}

float replayFraction(const ReplayClock& c)
{
    float f = (float)(c.residual / runTickSeconds);
    return f < 0 ? 0.0f : f > 1 ? 1.0f : f;
}

short replayAtEnd(const ReplayClock& c) { return c.tick >= c.lastTick; }
