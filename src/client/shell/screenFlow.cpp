// Takes the screen shown and what happened on it; returns the screen shown next.
#include "shell/screenFlow.h"

using S = GameScreen;
using E = ScreenEvent;

static S fromHome(E e)
{
    switch (e) {
    case E::enterPlay: return S::choixSkier;
    case E::enterHelp: return S::help;
    case E::enterCredits: return S::credits;
    case E::enterOptions: return S::options;
    case E::lessonAsked: return S::lesson;
    case E::escape: return S::exit;
    default: return S::home;
    }
}

static S fromOptions(E e)
{
    switch (e) {
    case E::escape: return S::home;
    case E::keySetupOpened: return S::keySetup;
    case E::lessonAsked: return S::lesson;
    default: return S::options;
    }
}

static S fromRun(E e)
{
    switch (e) {
    case E::trackFailed: // the track screen says why
    case E::runAbandoned: return S::choixPiste;
    case E::runFinished: return S::typeName;
    default: return S::run;
    }
}

static S fromScores(E e)
{
    switch (e) {
    case E::scoresLeft: return S::choixPiste;
    case E::replayOpened: return S::replay;
    case E::filmOpened: return S::film;
    default: return S::viewScores;
    }
}

// One answer of a screen that leaves on a single event.
static S onlyOn(S current, E e, E leaving, S next) { return e == leaving ? next : current; }

GameScreen nextScreen(GameScreen current, ScreenEvent event)
{
    switch (current) {
    case S::home: return fromHome(event);
    case S::help:
    case S::credits: return onlyOn(current, event, E::escape, S::home);
    case S::options: return fromOptions(event);
    case S::keySetup: return onlyOn(current, event, E::keySetupClosed, S::options);
    case S::choixSkier:
        if (event == E::escape) return S::home;
        return onlyOn(current, event, E::riderChosen, S::choixPiste);
    case S::choixPiste:
        if (event == E::escape) return S::choixSkier;
        return onlyOn(current, event, E::trackChosen, S::run);
    case S::run: return fromRun(event);
    case S::typeName: return onlyOn(current, event, E::nameSaved, S::viewScores);
    case S::viewScores: return fromScores(event);
    case S::replay: return onlyOn(current, event, E::replayClosed, S::viewScores);
    case S::film: return onlyOn(current, event, E::filmClosed, S::viewScores);
    case S::lesson: return onlyOn(current, event, E::lessonEnded, S::home);
    case S::exit: return S::exit;
    }
    return current;
}
