// What the HUD tells the player about the run, kept as run state: the trick pose held, how the last
// jump ended, a put-back from out of bounds, and the start countdown.
#pragma once

enum FeedbackKind { messageNone, messageLanded, messageCrashed, messageOutOfBounds };

struct RunFeedback {
    int kind;            // FeedbackKind
    int points;          // banked by the landing, or lost by the fall
    double secondsLeft;  // how much longer the message shows
};
extern RunFeedback runFeedback;
// Slot of the trick pose held in the air (position files), -1 for none or a combination no file defines.
extern int trickHeld;

void feedbackLanded(int points);
void feedbackCrashed(int lost);
void feedbackOutOfBounds();
// Run time passes: messages fade out after their time.
void ageRunFeedback(double seconds);
void resetRunFeedback();

// The message line this frame: the trick held ("Mute Grab"), else "Landed +N", "Crashed: N lost",
// "Out of bounds" while they last; "" for none.
void runFeedbackLine(char* out, int size);
// "3", "2", "1" through the start second, "Go" in its last quarter and just after; "" otherwise.
void countdownLine(char* out, int size);
