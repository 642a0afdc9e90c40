// The simple front-end screens: intro logo, home menu, help, credits and the wait screen.
#pragma once

#include "shell/screenFlow.h"

void introLogo(unsigned char* logo);
// One frame of the home menu: an item entered, the lesson asked for, or nothing.
ScreenEvent choixHome();
// The highlighted item: 0 Play, 1 Help, 2 Credits, 3 Options.
int homeHighlight();
void displayChoixHome(short redraw);
const int HOME_NOTE_CHARS = 320;
// A file the game could not write before the menus came up, said on the home menu.
extern char homeNote[HOME_NOTE_CHARS];
// Adds a line to the home menu's note, after any already there.
void addHomeNote(const char* line);
void ecranHelp();
void displayHelp();
void ecranCredits();
void displayCredits();
void displayWait(const char* message);

// A pause over a run: the frame on screen when it began (800 x 600 RGB, malloc'ed, null when it could
// not be read), then each frame of the pause that frame dimmed under the PAUSED panel.
unsigned char* grabShownFrame();
void displayPause(const unsigned char* frame);
