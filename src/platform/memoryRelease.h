// Giving freed memory back to the system between runs.
#pragma once

// The software OpenGL driver allocates and frees blocks of up to a few hundred kilobytes every frame,
// and glibc keeps the holes they leave in its heaps, so resident memory creeps up over an evening.
// Called when a run ends: releases every free page of every heap, at a moment nobody is watching
// the frame rate. (Keeping large blocks mapped instead stops the creep too, but faults them in
// afresh every frame and costs the software renderer a quarter of its frame rate.)
// Returns true when some memory went back.
bool giveBackFreedMemory();
