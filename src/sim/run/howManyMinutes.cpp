// Takes a time in seconds, returns its "MM:SS:hh" text in a new buffer.
#include "run/howManyMinutes.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

// Room for any int minute count, so long runs cannot overflow the text.
static const int timeTextBytes = 32;

char* howManyMinutes(float seconds) {
    char* text = static_cast<char*>(malloc(timeTextBytes));
    if (!text) return nullptr;
    // Beyond int range the truncation is undefined: clamp instead.
    if (!(seconds >= 0.0f)) seconds = 0.0f;
    if (seconds > static_cast<float>(INT_MAX / 2)) seconds = static_cast<float>(INT_MAX / 2);
    int minutes = static_cast<int>(seconds) / 60;
    float s = seconds - 60.0f * minutes;
    int whole = static_cast<int>(s);
    int hundredths = static_cast<int>((s - whole) * 100.0f);
    snprintf(text, timeTextBytes, "%02i:%02i:%02i", minutes, whole, hundredths);
    return text;
}
