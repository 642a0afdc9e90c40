#include "core/AnimationTimer.h"

AnimationTimer::AnimationTimer() : tempsCour(0), tempsPrec(0), tempsEcoul(0), previouslyPressed(0), pressed(0) {}

double AnimationTimer::timeSinceLastCall(short active, long nowMs)
{
    previouslyPressed = pressed;
    pressed = active;
    if (previouslyPressed) {
        tempsCour = nowMs;
        tempsEcoul = (tempsCour - tempsPrec) * 0.001;
        return tempsEcoul;
    }
    tempsEcoul = 0;
    tempsPrec = nowMs;
    return 0.0;
}
