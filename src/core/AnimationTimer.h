// Measures how long a condition has held without interruption.
#pragma once

class AnimationTimer {
public:
    long tempsCour;
    long tempsPrec;
    double tempsEcoul;
    short previouslyPressed;
    short pressed;

    AnimationTimer();
    // Seconds since `active` became true (0.0 on the first true call and whenever it is false).
    // nowMs is the clock of the caller's frame.
    double timeSinceLastCall(short active, long nowMs);
};
