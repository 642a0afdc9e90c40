// The whole life of the game once the OpenGL window exists: start-up, the screen state machine, exit.
#pragma once

#include "shell/screenFlow.h"

// Frames drawn since the current screen was entered, counted up to 2 (full pictures are drawn below 2).
// Every change of screen sets it to 0.
extern int redrawAllMenu;

// Menu pictures, 24-bit RGB, bottom row first: loaded at start-up (the track's thumbnail by the track
// screen), freed at exit.
struct MenuPictures {
    unsigned char* homeImg;
    unsigned char* helpImg;
    unsigned char* logoffImg;
    unsigned char* initialsImg;
    unsigned char* scoresImg;
    unsigned char* menusImg;
    unsigned char* trackImg;
};
extern MenuPictures menuPictures;

void gameLoop();

// Reads "./data/prefs/user.prefs" and applies it: the level's landing tolerances, the last track highlighted.
void loadUserPreferences();

// Keeps name (what the player knows the file by) for the home menu's line of refused files when path was
// refused on reading; the line is said once start-up is over.
#include <string>
void noteRefusedFile(const std::string& path, const char* name);

// One pass of the dispatcher (one frame of the current screen, or a whole run). Returns 0 once the
// player asked to leave the game.
int gameLoopPass();

// The home menu shown, every key detector fresh: the dispatcher as at start-up.
void resetScreenRequests();
// The screen the dispatcher runs.
GameScreen currentScreen();

// The frames the dispatcher calls, each saying what happened in it (ESC is read by the dispatcher
// after the menus' frames). Tests replace them to drive the state machine without a display.
struct GameScreens {
    ScreenEvent (*choixHome)();
    void (*ecranHelp)();
    void (*ecranCredits)();
    ScreenEvent (*ecranOptions)();
    ScreenEvent (*choixSkier)();
    void (*choixPiste)(short);
    ScreenEvent (*typeName)();
    ScreenEvent (*viewScores)();
    int (*loadRun)();     // loads the chosen track; 0 when the run can start
    void (*displayGame)();
    ScreenEvent (*ecranTouches)(); // the key set-up screen, opened from Options
};
extern GameScreens gameScreens;
void useRealScreens();

// One frame of a run: reads the keyboard's record, simulates, draws and flips.
void displayGame();

// What a tick made happen: its sounds, then its snow; the list is empty for the next tick.
void consumeRunEvents();

// Waits so that the loop runs at most frameCap frames a second (none for 0).
void waitForNextFrame();
