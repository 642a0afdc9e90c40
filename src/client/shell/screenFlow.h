// Takes the screen shown and what happened on it; returns the screen shown next.
#pragma once

// One screen at a time: the menus, the run (loading and riding), the screens after the finish.
enum class GameScreen {
    home,
    help,
    credits,
    options,
    keySetup,   // reached from options
    choixSkier, // rider screen
    choixPiste, // track screen
    run,        // the chosen track loaded and ridden
    typeName,   // name entry after the finish
    viewScores, // the track's score table
    replay,     // the best run played back over the score table
    film,       // the best run's film made over the score table
    lesson,     // the guided first run
    exit,
};

// What a screen (or the shell around it) saw happen in one frame.
enum class ScreenEvent {
    none,
    escape,       // ESC read by the shell on a menu or the track screen
    enterPlay,    // ENTER on a home menu item
    enterHelp,
    enterCredits,
    enterOptions,
    lessonAsked,  // L on the home menu, Return on the options' lesson row
    lessonEnded,  // ridden to its end or skipped
    keySetupOpened,
    keySetupClosed,
    riderChosen,
    trackChosen,
    trackFailed,  // the chosen track did not load
    runAbandoned, // ESC or the pause's abandon before the finish
    runFinished,  // ENTER once the rider landed past the finish
    nameSaved,
    scoresLeft,
    replayOpened,
    replayClosed,
    filmOpened,
    filmClosed,
};

// The screen after `event` on `current`; an event a screen does not answer leaves it shown.
GameScreen nextScreen(GameScreen current, ScreenEvent event);
