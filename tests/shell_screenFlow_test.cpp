// The screen flow as a table: every screen, every event, the screen that follows.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "shell/screenFlow.h"

namespace {

using S = GameScreen;
using E = ScreenEvent;

// Every change of screen the game makes; any other event leaves the screen shown.
const struct {
    S from;
    E event;
    S to;
} CHANGES[] = {
    {S::home, E::enterPlay, S::choixSkier},
    {S::home, E::enterHelp, S::help},
    {S::home, E::enterCredits, S::credits},
    {S::home, E::enterOptions, S::options},
    {S::home, E::lessonAsked, S::lesson},
    {S::home, E::escape, S::exit},
    {S::help, E::escape, S::home},
    {S::credits, E::escape, S::home},
    {S::options, E::escape, S::home},
    {S::options, E::keySetupOpened, S::keySetup},
    {S::options, E::lessonAsked, S::lesson},
    {S::keySetup, E::keySetupClosed, S::options},
    {S::lesson, E::lessonEnded, S::home},
    {S::choixSkier, E::riderChosen, S::choixPiste},
    {S::choixSkier, E::escape, S::home},
    {S::choixPiste, E::trackChosen, S::run},
    {S::choixPiste, E::escape, S::choixSkier},
    {S::run, E::trackFailed, S::choixPiste},
    {S::run, E::runAbandoned, S::choixPiste},
    {S::run, E::runFinished, S::typeName},
    {S::typeName, E::nameSaved, S::viewScores},
    {S::viewScores, E::scoresLeft, S::choixPiste},
    {S::viewScores, E::replayOpened, S::replay},
    {S::viewScores, E::filmOpened, S::film},
    {S::replay, E::replayClosed, S::viewScores},
    {S::film, E::filmClosed, S::viewScores},
};

const S SCREENS[] = {S::home,       S::help,     S::credits, S::options, S::keySetup,   S::choixSkier, S::choixPiste,
                     S::run,        S::typeName, S::viewScores, S::replay, S::film,     S::lesson,     S::exit};
const E EVENTS[] = {E::none,         E::escape,         E::enterPlay,      E::enterHelp,   E::enterCredits,
                    E::enterOptions, E::lessonAsked,    E::lessonEnded,    E::keySetupOpened, E::keySetupClosed,
                    E::riderChosen,  E::trackChosen,    E::trackFailed,    E::runAbandoned, E::runFinished,
                    E::nameSaved,    E::scoresLeft,     E::replayOpened,   E::replayClosed, E::filmOpened,
                    E::filmClosed};
static_assert(sizeof SCREENS / sizeof SCREENS[0] == (int)S::exit + 1, "every screen is in the table's rows");
static_assert(sizeof EVENTS / sizeof EVENTS[0] == (int)E::filmClosed + 1, "every event is in the table's columns");

TEST(ScreenFlow, EveryScreenAnswersItsEventsAndStaysOnAnyOther)
{
    std::map<std::pair<int, int>, S> changes;
    for (const auto& c : CHANGES) changes[{(int)c.from, (int)c.event}] = c.to;
    ASSERT_EQ(changes.size(), sizeof CHANGES / sizeof CHANGES[0]) << "a change is listed twice";
    for (S from : SCREENS)
        for (E event : EVENTS) {
            auto found = changes.find({(int)from, (int)event});
            S expected = found == changes.end() ? from : found->second;
            EXPECT_EQ((int)nextScreen(from, event), (int)expected) << "screen " << (int)from << ", event " << (int)event;
        }
}

}  // namespace
