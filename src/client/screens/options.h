// The options screen's rows and its rules, apart from the keyboard so that a test can drive them.
#pragma once

// Top to bottom as drawn; the difficulty stands at the bottom, where the screen always had it.
enum OptionRow { OPT_LESSON, OPT_MUSIC, OPT_EFFECTS, OPT_MUTE, OPT_HINTS, OPT_GHOST, OPT_LEVEL, OPT_ROWS };
extern int selectedOption;

// The keys of one frame (each newly pressed).
struct OptionKeys {
    short enter = 0, up = 0, down = 0, left = 0, right = 0, ghost = 0, mute = 0;
};
enum OptionsResult { OPTIONS_SAME, OPTIONS_CHANGED, OPTIONS_OPEN_KEYS, OPTIONS_START_LESSON };
// One frame of the rules on the preferences and the sound settings (applied to the sounds at once).
int optionsStep(const OptionKeys& in);
