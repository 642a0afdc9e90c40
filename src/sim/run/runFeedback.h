// What the HUD tells the player about the run, kept as run state: the trick pose held, how the last
// jump ended, a put-back from out of bounds, the start countdown, why the rider fell and whether he
// stands still.
#pragma once

struct RunState;

enum FeedbackKind { messageNone, messageLanded, messageCrashed, messageOutOfBounds };

struct RunFeedback {
    int kind;            // FeedbackKind
    int points;          // banked by the landing, or lost by the fall
    double secondsLeft;  // how much longer the message shows
};

// Why the rider is down, kept from the fall until he rides on faster than a stop.
enum FallReason { fallNone, fallBadLanding, fallTrickHeld, fallHitTree, fallHitRail };
struct FallCause {
    int reason;      // FallReason
    int degreesOff;  // a bad landing: how far the rider was from a clean one, degrees
    int pointsLost;  // the jump's points the fall cost
};
// Seconds the rider has stood still on the snow, up and riding (not fallen, started, not finished),
// once he has ridden faster than a stop since the start.
void feedbackFall(RunState& run, int reason, int degreesOff);
// Slot of the trick pose held in the air (position files), -1 for none or a combination no file defines.

void feedbackLanded(RunState& run, int points);
void feedbackCrashed(RunState& run, int lost);
void feedbackOutOfBounds(RunState& run);
// Run time passes: messages fade out after their time, a fall's reason once the rider rides on, and
// the time standing still grows.
void ageRunFeedback(RunState& run, double seconds);
void resetRunFeedback(RunState& run);

// The message line this frame: the trick held ("Mute Grab"), else "Landed +N", "Crashed: N lost",
// "Out of the course: put back on the track" while they last; "" for none.
void runFeedbackLine(const RunState& run, char* out, int size);
// "3", "2", "1" through the start second, "Go" in its last quarter and just after; "" otherwise.
void countdownLine(const RunState& run, char* out, int size);
