#include "shell/AnimationTimer.h"

#include "platform/gameClock.h"

AnimationTimer::AnimationTimer() : tempsCour(0), tempsPrec(0), tempsEcoul(0), previouslyPressed(0), pressed(0) {}

double AnimationTimer::timeSinceLastCall(short active)
{
    previouslyPressed = pressed;
    pressed = active;
    if (previouslyPressed) {
        tempsCour = gameClockLessPauses();
        tempsEcoul = (tempsCour - tempsPrec) * 0.001;
        return tempsEcoul;
    }
    tempsEcoul = 0;
    tempsPrec = gameClockLessPauses();
    return 0.0;
}
