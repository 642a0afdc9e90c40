// What the feedback band says about a fall or a stop: why, and what to press.
#pragma once

const int FALL_MESSAGE_CHARS = 96;
const char DEGREE_SIGN = '\x7f'; // the font draws the degree sign on this code

struct FallMessage {
    char reason[FALL_MESSAGE_CHARS];  // "Hit a tree", "Bad landing: 70° off", "Stopped", ...
    char action[FALL_MESSAGE_CHARS];  // "ENTER: back on the track" while the rescue can be asked for, ...
};

// From the run's fall cause, rescue flags, stillness and the key map in force; 0 when the rider is
// riding and there is nothing to say.
int fallMessage(FallMessage& out);
