// Sound files opened through libsndfile only when the mixer can play them, and decoded to mono.
#pragma once

#include <sndfile.h>

#include <vector>

const int SOUND_MIN_RATE = 8000;
const int SOUND_MAX_RATE = 192000;
const int SOUND_MAX_CHANNELS = 16;
const sf_count_t SOUND_MAX_SAMPLE_FRAMES = 1 << 25; // a sample held whole in memory: some 12 minutes at 44.1 kHz

// Opens a sound for reading; null with one line naming the file printed when it cannot be opened or
// its rate or channel count is out of range, or, for a sample held whole (wholeInMemory), its length
// is unknown, zero or too long to hold.
SNDFILE* openSoundFile(const char* file, SF_INFO* info, bool wholeInMemory);
// Reads up to count frames mixed down to mono as unsigned 16-bit samples into out; scratch is the
// caller's buffer for the interleaved frames. Returns the frames read (0 at the end or on an error).
int readMonoFrames(SNDFILE* file, const SF_INFO& info, std::vector<short>& scratch, unsigned short* out, int count);
