// Placeholders the game loop links against until the screens and score module exist.
#include "shell/gameHooks.h"
void introLogo(unsigned char*) {}
void typeName() {}
void viewScores() {}
void displayWait(const char*) {}
short vuScores = 1;
// Drawing of the screens, until the text and figure functions of the renderer exist.
#include "screens/screens.h"
void displayChoixHome(short) {}
void displayHelp() {}
void displayCredits() { stepCredits(); }
void displayEcranOptions(int, short) {}
void displayChoixSkier(char[][256], int, int, short) {}
void displayChoixPiste(char[][256], int, int, char*, short) {}
