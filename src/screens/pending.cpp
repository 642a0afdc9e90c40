// Placeholders the game loop links against until the screens and score module exist.
#include "shell/gameHooks.h"
void displayWait(const char*) {}
short vuScores = 1;
// Drawing of the screens, until the text and figure functions of the renderer exist.
#include "screens/screens.h"
void displayChoixHome(short) {}
void displayCredits() { stepCredits(); }
void displayEcranOptions(int, short) {}
void displayChoixSkier(char[][256], int, int, short) {}
void displayChoixPiste(char[][256], int, int, char*, short) {}
void displayTypeName(const char[4][7], int*, short) {}
void displayViewScores(short) {}
// Until the run's results are declared: a zero run.
void saveRunScore() { saveRunScoreWith("00:00:00", 0, 0.0f); }
