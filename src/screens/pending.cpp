// Placeholders the game loop links against until the screens and score module exist.
#include "shell/gameHooks.h"
void introLogo(unsigned char*) {}
void choixHome() {}
void ecranHelp() {}
void ecranCredits() {}
void ecranOptions() {}
void choixSkier() {}
void choixPiste(short) {}
void typeName() {}
void viewScores() {}
void displayWait(const char*) {}
short vuScores = 1;
