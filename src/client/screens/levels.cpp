// Difficulty levels and the landing tolerances each one allows.
#include "screens/choixPiste.h"

#include <cstring>

static const int toleranceAngleRightAndLeft_Wiz = 45, toleranceAngleFrontAndBack_Wiz = 89,
                 toleranceAngleLeftSideAndRightSide_Wiz = 89;
static const int toleranceAngleRightAndLeft_Lo = 40, toleranceAngleFrontAndBack_Lo = 45,
                 toleranceAngleLeftSideAndRightSide_Lo = 45;
static const int toleranceAngleRightAndLeft_Mid = 30, toleranceAngleFrontAndBack_Mid = 30,
                 toleranceAngleLeftSideAndRightSide_Mid = 30;
static const int toleranceAngleRightAndLeft_Hi = 20, toleranceAngleFrontAndBack_Hi = 20,
                 toleranceAngleLeftSideAndRightSide_Hi = 20;


static const char* const levelNames[] = {"Wiz", "Low", "Mid", "Hi"};

void getLevelNameForInt(char* out, int level)
{
    if (level >= 0 && level < NB_LEVELS) strcpy(out, levelNames[level]);
}

// Right-and-left, front-and-back, left-side-and-right-side, by level.
static const int* const levelSets[NB_LEVELS][3] = {
    {&toleranceAngleRightAndLeft_Wiz, &toleranceAngleFrontAndBack_Wiz, &toleranceAngleLeftSideAndRightSide_Wiz},
    {&toleranceAngleRightAndLeft_Lo, &toleranceAngleFrontAndBack_Lo, &toleranceAngleLeftSideAndRightSide_Lo},
    {&toleranceAngleRightAndLeft_Mid, &toleranceAngleFrontAndBack_Mid, &toleranceAngleLeftSideAndRightSide_Mid},
    {&toleranceAngleRightAndLeft_Hi, &toleranceAngleFrontAndBack_Hi, &toleranceAngleLeftSideAndRightSide_Hi},
};

int getLevelTolerances(int level, int out[3])
{
    if (level < 0 || level >= NB_LEVELS) return 0;
    for (int i = 0; i < 3; i++) out[i] = *levelSets[level][i];
    return 1;
}

void applyLevelTolerances(int level)
{
    int t[3];
    if (!getLevelTolerances(level, t)) return;
    toleranceAngleRightAndLeft = t[0];
    toleranceAngleFrontAndBack = t[1];
    toleranceAngleLeftSideAndRightSide = t[2];
}
