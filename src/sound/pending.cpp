// Placeholders the game loop links against until the sound layer exists.
#include "shell/gameHooks.h"
float volume = 0.0f;
void playGuiSound(int) {}
void reinitSoundsParam() {}
void initAllSounds() {}
void quitAllSounds() {}
void startTheme() {}
void stopTheme() {}
void startScoresSnd() {}
int playTrack(const char*, float) { return 1; }
void stopTrack() {}
void handleWindLoopSnd() {}
void handleSkiSndLoop() {}
void uninstallSkiSndLoop() {}
void uninstallWindLoopSnd() {}
