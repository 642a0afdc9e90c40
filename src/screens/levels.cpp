// Difficulty levels and the landing tolerances each one allows.
#include "screens/choixPiste.h"

#include <cstring>

const int toleranceAngleRightAndLeft_Wiz = 45, toleranceAngleFrontAndBack_Wiz = 89,
          toleranceAngleLeftSideAndRightSide_Wiz = 89;
const int toleranceAngleRightAndLeft_Lo = 40, toleranceAngleFrontAndBack_Lo = 45,
          toleranceAngleLeftSideAndRightSide_Lo = 45;
const int toleranceAngleRightAndLeft_Mid = 30, toleranceAngleFrontAndBack_Mid = 30,
          toleranceAngleLeftSideAndRightSide_Mid = 30;
const int toleranceAngleRightAndLeft_Hi = 20, toleranceAngleFrontAndBack_Hi = 20,
          toleranceAngleLeftSideAndRightSide_Hi = 20;

// Start-up holds the easiest set, matching level 0.
int toleranceAngleRightAndLeft = 45;
int toleranceAngleFrontAndBack = 89;
int toleranceAngleLeftSideAndRightSide = 89;

static const char* const levelNames[] = {"Wiz", "Low", "Mid", "Hi"};
static const int NB_LEVELS = 4;

void getLevelNameForInt(char* out, int level)
{
    if (level >= 0 && level < NB_LEVELS) strcpy(out, levelNames[level]);
}

static void setTolerances(int rightAndLeft, int frontAndBack, int sides)
{
    toleranceAngleRightAndLeft = rightAndLeft;
    toleranceAngleFrontAndBack = frontAndBack;
    toleranceAngleLeftSideAndRightSide = sides;
}

void applyLevelTolerances(int level)
{
    switch (level) {
    case 0:
        setTolerances(toleranceAngleRightAndLeft_Wiz, toleranceAngleFrontAndBack_Wiz,
                      toleranceAngleLeftSideAndRightSide_Wiz);
        break;
    case 1:
        setTolerances(toleranceAngleRightAndLeft_Lo, toleranceAngleFrontAndBack_Lo,
                      toleranceAngleLeftSideAndRightSide_Lo);
        break;
    case 2:
        setTolerances(toleranceAngleRightAndLeft_Mid, toleranceAngleFrontAndBack_Mid,
                      toleranceAngleLeftSideAndRightSide_Mid);
        break;
    case 3:
        setTolerances(toleranceAngleRightAndLeft_Hi, toleranceAngleFrontAndBack_Hi,
                      toleranceAngleLeftSideAndRightSide_Hi);
        break;
    default:
        break;
    }
}
