#include "track/bombstuff.h"

int nbCollectedBomb = 0;

int getCollectedBomb()
{
    return nbCollectedBomb;
}

short hasCollectedBomb()
{
    return nbCollectedBomb > 0;
}

void resetCollectedBomb(int n)
{
    nbCollectedBomb = n;
}

void incCollectedBomb()
{
    nbCollectedBomb++;
}

void decCollectedBomb()
{
    if (nbCollectedBomb > 0)
        nbCollectedBomb--;
}
