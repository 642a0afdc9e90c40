// How the game's large freed blocks go back to the system.
#pragma once

// The software OpenGL driver allocates and frees blocks of a few hundred kilobytes every frame.
// glibc's default raises its mapping threshold each time such a block is freed, after which these
// blocks come from the heap instead and fragment it, so resident memory creeps up over an evening.
// A fixed threshold keeps them mapped, and each free returns them. Call once, first thing at start-up.
// Returns true when the allocator took the setting (false under a replacement allocator).
bool keepLargeBlocksMapped();
