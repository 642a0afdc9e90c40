// Takes the lesson's step and the key map; gives the lesson's lines and draws them at their places.
#include "render/lessonDraw.h"

#include <cstdio>

#include "render/guistuff.h"
#include "render/hudLayout.h"
#include "run/lesson.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "shell/keymap.h"

static const char SKIP_LINE[] = "ESC: skip the lesson";

static char key(int slot) { return keyLetterOf(currentKeymap[slot]); }

static void instructionOf(int step, LessonLines& out)
{
    const int n = LESSON_TEXT_CHARS;
    out.detail[0] = '\0';
    switch (step) {
    case LESSON_PUSH: snprintf(out.instruction, n, "Hold %c to push", key(KM_UP)); break;
    case LESSON_STEER:
        snprintf(out.instruction, n, "%c and %c steer", key(KM_LEFT), key(KM_RIGHT));
        snprintf(out.detail, n, "turn one way, then the other (the arrows work too)");
        break;
    case LESSON_JUMP:
        snprintf(out.instruction, n, "Jump with SPACE at the lip");
        snprintf(out.detail, n, "hold SPACE to crouch, let go to take off");
        break;
    case LESSON_TRICK:
        snprintf(out.instruction, n, "Hold %c in the air, let go before you land", key(KM_TRICK1));
        snprintf(out.detail, n, "jump with SPACE first");
        break;
    case LESSON_RESCUE:
        snprintf(out.instruction, n, "Press ENTER after a fall to be put back");
        snprintf(out.detail, n, "try it: land with %c still held, stop, then ENTER", key(KM_TRICK1));
        break;
    default:
        snprintf(out.instruction, n, "Well done: you can ride!");
        snprintf(out.detail, n, "back to the menu in a moment");
        break;
    }
}

int lessonLines(LessonLines& out)
{
    if (!lesson.active) return 0;
    if (lesson.step < LESSON_STEPS)
        snprintf(out.count, LESSON_TEXT_CHARS, "Lesson %i/%i   %s", lesson.step + 1, (int)LESSON_STEPS, SKIP_LINE);
    else
        snprintf(out.count, LESSON_TEXT_CHARS, "Lesson done");
    instructionOf(lesson.step, out);
    return 1;
}

// the countdown has the middle to itself
short lessonBandShown(LessonLines& out) { return lessonLines(out) && !shownRun().motion.skieurArrive && !shownRun().timing.LETSGO; }

void drawLessonBand(const HudLayout& l, const LessonLines& lines)
{
    hudBandedLine(l.item[hudLessonCount], lines.count);
    hudBandedLine(l.item[hudLessonText], lines.instruction);
    hudBandedLine(l.item[hudLessonDetail], lines.detail);
}
