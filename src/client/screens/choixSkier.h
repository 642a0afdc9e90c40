// The rider selection screen.
#pragma once

#include "shell/screenFlow.h"

extern char nomFicSkier[256];

// One frame of the rider screen: riderChosen on ENTER.
ScreenEvent choixSkier();
void displayChoixSkier(char list[][256], int count, int selected, short redraw);
int getSelectedSkier();
// Moves the highlight onto rider dir, when it is listed, without loading it again.
void highlightRider(const char* dir);
