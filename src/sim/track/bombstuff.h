// The bombs the rider holds.
#pragma once

struct RunState;


int getCollectedBomb(const RunState& run);
short hasCollectedBomb(const RunState& run);
void resetCollectedBomb(RunState& run, int n);
void incCollectedBomb(RunState& run);
void decCollectedBomb(RunState& run);
