// The guided first run: one instruction at a time, each ticked off by what the rider really does (the
// run's state and events), never by a timer. The simulation keeps the steps; the drawing words them.
#pragma once

struct RunState;

enum LessonStep { LESSON_PUSH, LESSON_STEER, LESSON_JUMP, LESSON_TRICK, LESSON_RESCUE, LESSON_STEPS };

struct Lesson {
    short active;
    int step;                  // the instruction shown: the first step not done, LESSON_STEPS when all are
    short done[LESSON_STEPS];
    double pushSeconds;        // pushing on the snow while the push step is shown
    short steeredLeft, steeredRight;
    float turnedLeft, turnedRight;  // degrees of heading turned each way on the snow
    float lastHeading;
    short headingSeen;              // lastHeading holds the previous frame's heading
    double airSeconds;         // of the flight under way
    short trickInThisJump;     // a trick key was held in the air during this flight
    short wasInAir;            // at the end of the previous frame
    short rescueAsked;         // ENTER brought the rescue; its put-back ticks the rescue step
    double doneSeconds;        // since the last step was ticked off
};
extern Lesson lesson;

// Starts or ends the lesson of the next run (a reset run keeps it).
void startLesson();
void stopLesson();
// After each run frame, before its events are consumed: ticks off what the rider did.
void lessonAfterFrame(RunState& run, double seconds);
// Every step done and the closing word shown long enough: the lesson's run can end.
short lessonOver();
