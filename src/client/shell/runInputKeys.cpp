// Takes the keyboard through the rider's key map, the run clock and the frame counter; returns a run's input record.
#include "shell/runInputKeys.h"

#include "platform/frameCounter.h"
#include "platform/gameClock.h"
#include "shell/keys.h"

static short on(int level) { return level ? 1 : 0; }

void readRunInput(RunInput& in)
{
    in.held[RB_LEFT] = on(keymapLeft());
    in.held[RB_RIGHT] = on(keymapRight());
    in.held[RB_UP] = on(keymapUp());
    in.held[RB_DOWN] = on(keymapDown());
    in.held[RB_LEFT_SIDE] = on(keymapLeftSide());
    in.held[RB_RIGHT_SIDE] = on(keymapRightSide());
    in.held[RB_TRICK1] = on(keymapTrick1());
    in.held[RB_TRICK2] = on(keymapTrick2());
    in.held[RB_TRICK3] = on(keymapTrick3());
    in.held[RB_TRICK4] = on(keymapTrick4());
    in.held[RB_TRICK5] = on(keymapTrick5());
    in.held[RB_TRICK6] = on(keymapTrick6());
    in.held[RB_JUMP] = on(keySpace());
    in.held[RB_BOMB] = on(keymapBomb());
    in.held[RB_ENTER] = on(keyEnter());
    in.clockMs = gameClockLessPauses();
    in.frameps = (float)framesPerSecond();
}
