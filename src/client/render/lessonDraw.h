// The lesson's own band on the run screen: the instruction of the step reached, in the keys of the map
// in force, and how to skip.
#pragma once

const int LESSON_TEXT_CHARS = 96;

struct LessonLines {
    char count[LESSON_TEXT_CHARS];        // "Lesson 2/5", or "Lesson done"
    char instruction[LESSON_TEXT_CHARS];  // "Hold E to push", ...
    char detail[LESSON_TEXT_CHARS];       // a second line where one helps, else ""
};

// 0 when no lesson is under way.
int lessonLines(LessonLines& out);
// The lines when the band shows this frame (not during the countdown, nor after the finish).
short lessonBandShown(LessonLines& out);
struct HudLayout;
void drawLessonBand(const HudLayout& l, const LessonLines& lines);
