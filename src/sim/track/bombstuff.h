// The bombs the rider holds.
#pragma once


int getCollectedBomb();
short hasCollectedBomb();
void resetCollectedBomb(int n);
void incCollectedBomb();
void decCollectedBomb();
