#include "track/bombstuff.h"
#include "run/runState.h"


int getCollectedBomb(const RunState& run)
{
    return run.nbCollectedBomb;
}

short hasCollectedBomb(const RunState& run)
{
    return run.nbCollectedBomb > 0;
}

void resetCollectedBomb(RunState& run, int n)
{
    run.nbCollectedBomb = n;
}

void incCollectedBomb(RunState& run)
{
    run.nbCollectedBomb++;
}

void decCollectedBomb(RunState& run)
{
    if (run.nbCollectedBomb > 0)
        run.nbCollectedBomb--;
}
