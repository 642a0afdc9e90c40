// The rider selection screen.
#pragma once

extern char nomFicSkier[256];

void choixSkier();
void displayChoixSkier(char list[][256], int count, int selected, short redraw);
int getSelectedSkier();
