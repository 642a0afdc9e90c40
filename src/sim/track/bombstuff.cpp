#include "track/bombstuff.h"
#include "run/runState.h"


int getCollectedBomb()
{
    return tickRun->nbCollectedBomb;
}

short hasCollectedBomb()
{
    return tickRun->nbCollectedBomb > 0;
}

void resetCollectedBomb(int n)
{
    tickRun->nbCollectedBomb = n;
}

void incCollectedBomb()
{
    tickRun->nbCollectedBomb++;
}

void decCollectedBomb()
{
    if (tickRun->nbCollectedBomb > 0)
        tickRun->nbCollectedBomb--;
}
