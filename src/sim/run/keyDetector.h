// Takes successive samples of one button (held or not, and the clock); returns press, release, held time, repeat.
#pragma once

// The memory of one detector: what it saw at its previous call. A detector answers from its own
// previous call, so each one is asked once a frame by one caller.
struct KeyDetector {
    short previouslyPressed = 0;
    short pressed = 0;
    long tempsCour = 0;
    long tempsPrec = 0;
    double tempsEcoul = 0.0;
};

// Held now and not at the previous call.
short detectPress(KeyDetector& d, short held);
// Held at the previous call and not now.
short detectRelease(KeyDetector& d, short held);
// Seconds since the first call of an unbroken press (0.0 on that call and whenever not held).
double detectHeldTime(KeyDetector& d, short held, long nowMs);
// Auto-repeat: true on the first call of a press, then once every `delay` seconds plus one call.
short detectRepeat(KeyDetector& d, short held, long nowMs, double delay);
// Typing repeat: true on a new press, then once after firstDelay seconds held, then every delay.
short detectTypingRepeat(KeyDetector& d, short held, long nowMs, double firstDelay, double delay);
