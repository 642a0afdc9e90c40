// The bombs the rider holds.
#pragma once

extern int nbCollectedBomb;

int getCollectedBomb();
short hasCollectedBomb();
void resetCollectedBomb(int n);
void incCollectedBomb();
void decCollectedBomb();
