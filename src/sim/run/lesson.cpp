// Takes the run state and the frame's events after each frame of a lesson; gives the step reached.
#include "run/lesson.h"

#include <cmath>

#include "run/runEvents.h"
#include "run/runInput.h"
#include "run/runState.h"
#include "track/planLib.h"

// Tuning of what counts as having done it.
static const double PUSH_SECONDS = 1.0;       // of pushing on the snow
static const float STEER_DEGREES = 12.0f;     // heading reached each way
static const double JUMP_AIR_SECONDS = 0.2;   // of a flight the rider took off for himself
static const double CLOSING_SECONDS = 4.0;    // the last word before the lesson's run ends

Lesson lesson;

void startLesson()
{
    lesson = Lesson();
    lesson.active = 1;
}

void stopLesson() { lesson = Lesson(); }

static int eventsOf(const RunState& run, RunEventKind kind)
{
    const RunEventList& list = runEvents(run);
    int n = 0;
    for (int i = 0; i < list.count; i++) n += list.items[i].kind == kind;
    return n;
}

static short touchedDown(const RunState& run) { return lesson.wasInAir && getContact(run) == 1; }

static short trickKeyHeld(const RunState& run)
{
    for (int b = RB_TRICK1; b <= RB_TRICK6; b++)
        if (runHeld(run, (RunButton)b)) return 1;
    return 0;
}

static void checkPush(const RunState& run, double seconds)
{
    if (runHeld(run, RB_UP) && getContact(run) == 1 && !run.phases.chute) lesson.pushSeconds += seconds;
    if (lesson.pushSeconds >= PUSH_SECONDS) lesson.done[LESSON_PUSH] = 1;
}

// Degrees turned each way on the snow since the step was shown, wherever the heading started.
static void checkSteer(const RunState& run)
{
    if (getContact(run) != 1 || run.phases.chute) {
        lesson.headingSeen = 0;
        return;
    }
    float turned = lesson.headingSeen ? run.orientation.rotSkierY - lesson.lastHeading : 0.0f;
    lesson.lastHeading = run.orientation.rotSkierY;
    lesson.headingSeen = 1;
    if (turned > 0) lesson.turnedRight += turned;
    else lesson.turnedLeft -= turned;
    if (lesson.turnedRight >= STEER_DEGREES) lesson.steeredRight = 1;
    if (lesson.turnedLeft >= STEER_DEGREES) lesson.steeredLeft = 1;
    if (lesson.steeredLeft && lesson.steeredRight) lesson.done[LESSON_STEER] = 1;
}

// A take-off of the rider's own (the jump key, which leaves the landing to be judged), not a crest.
static void checkJump(const RunState& run)
{
    if (getContact(run) == 0 && run.phases.rotYSautAccepte == 0 && lesson.airSeconds >= JUMP_AIR_SECONDS)
        lesson.done[LESSON_JUMP] = 1;
}

// A touch-down that was no fall, of a flight with a trick key held in it.
static void checkTrick(const RunState& run)
{
    if (lesson.trickInThisJump && touchedDown(run) && !run.phases.chute) lesson.done[LESSON_TRICK] = 1;
}

// Whatever step is shown, a rescue asked for and carried out counts.
static void checkRescue(RunState& run)
{
    if (run.phases.askForRescue) lesson.rescueAsked = 1;
    if (lesson.rescueAsked && eventsOf(run, RUN_EV_REPLACED) > 0) lesson.done[LESSON_RESCUE] = 1;
}

static void followFlight(const RunState& run, double seconds)
{
    if (getContact(run) != 0) return;
    lesson.airSeconds += seconds;
    if (trickKeyHeld(run)) lesson.trickInThisJump = 1;
}

// Back on the snow: the next flight starts afresh.
static void endFlight(const RunState& run)
{
    lesson.wasInAir = getContact(run) == 0;
    if (lesson.wasInAir) return;
    lesson.airSeconds = 0;
    lesson.trickInThisJump = 0;
}

static void checkStep(const RunState& run, double seconds)
{
    switch (lesson.step) {
    case LESSON_PUSH: checkPush(run, seconds); break;
    case LESSON_STEER: checkSteer(run); break;
    case LESSON_JUMP: checkJump(run); break;
    case LESSON_TRICK: checkTrick(run); break;
    default: break;
    }
}

static int firstStepNotDone()
{
    int s = 0;
    while (s < LESSON_STEPS && lesson.done[s]) s++;
    return s;
}

void lessonAfterFrame(RunState& run, double seconds)
{
    if (!lesson.active || run.timing.DEPART != 1) return;
    followFlight(run, seconds);
    checkStep(run, seconds);
    checkRescue(run);
    endFlight(run);
    lesson.step = firstStepNotDone();
    if (lesson.step == LESSON_STEPS) lesson.doneSeconds += seconds;
}

short lessonOver() { return lesson.active && lesson.step == LESSON_STEPS && lesson.doneSeconds >= CLOSING_SECONDS; }
