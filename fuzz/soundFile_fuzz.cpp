// Sound and music files (AIFF, FLAC, WAV through libsndfile): refused or decoded whole, never an
// endless read or a buffer sized by a length the file made up. Seeds: the game's own sounds cut short.
#include <vector>

#include "fuzzInput.h"
#include "platform/soundFile.h"

static const int BLOCK_FRAMES = 4096;
static const long MAX_STREAMED_FRAMES = 1 << 20;

// As the music stream does: blocks until the end, then once more from the start.
static void streamSome(const char* path)
{
    SF_INFO info;
    SNDFILE* f = openSoundFile(path, &info, false);
    if (!f) return;
    std::vector<short> scratch;
    std::vector<unsigned short> block(BLOCK_FRAMES);
    long total = 0;
    for (int pass = 0; pass < 2 && total < MAX_STREAMED_FRAMES; pass++) {
        int got;
        while (total < MAX_STREAMED_FRAMES && (got = readMonoFrames(f, info, scratch, block.data(), BLOCK_FRAMES)) > 0)
            total += got;
        if (sf_seek(f, 0, SEEK_SET) < 0) break;
    }
    sf_close(f);
}

// As a sample is loaded: the whole length in one buffer.
static void loadWhole(const char* path)
{
    SF_INFO info;
    SNDFILE* f = openSoundFile(path, &info, true);
    if (!f) return;
    if (info.frames <= 0 || info.frames > SOUND_MAX_SAMPLE_FRAMES) __builtin_trap();
    std::vector<short> scratch;
    std::vector<unsigned short> all((size_t)info.frames);
    if (readMonoFrames(f, info, scratch, all.data(), (int)info.frames) > info.frames) __builtin_trap();
    sf_close(f);
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const char* path = fuzzInputFile(data, size, ".snd");
    loadWhole(path);
    streamSome(path);
    return 0;
}
