// Takes a sound file name, returns an open libsndfile handle the mixer can play, or refuses it in one line.
#include "platform/soundFile.h"

#include <unistd.h>

#include "fileio/safeOpen.h"

#include <cstdio>
#include <cstring>

// The reason a file cannot be played, or null. A rate far outside the mixer's range overflows its
// step; an unknown length (a FLAC stream without its total) must never size a buffer.
static const char* soundRefusal(const SF_INFO& info, bool wholeInMemory)
{
    if (info.samplerate < SOUND_MIN_RATE || info.samplerate > SOUND_MAX_RATE) return "sample rate out of range";
    if (info.channels < 1 || info.channels > SOUND_MAX_CHANNELS) return "channel count out of range";
    if (info.frames <= 0) return "no frames";
    if (wholeInMemory && info.frames > SOUND_MAX_SAMPLE_FRAMES) return "length unknown or too long";
    return nullptr;
}

SNDFILE* openSoundFile(const char* file, SF_INFO* info, bool wholeInMemory)
{
    memset(info, 0, sizeof *info);
    // libsndfile opens by name with a blocking open: the file is taken through the bounded opener first.
    FILE* checked = openBoundedOrSay(file, CONTENT_FILE_BOUND);
    int fd = checked ? dup(fileno(checked)) : -1;
    if (checked) fclose(checked);
    SNDFILE* f = fd >= 0 ? sf_open_fd(fd, SFM_READ, info, SF_TRUE) : nullptr; // closes fd when it fails
    if (!f) {
        printf("Sound file %s not loaded: %s\n", file, sf_strerror(nullptr));
        return nullptr;
    }
    const char* refusal = soundRefusal(*info, wholeInMemory);
    if (!refusal) return f;
    printf("Sound file %s not loaded: %s (%d Hz, %d channels, %lld frames; %d to %d Hz)\n", file, refusal,
           info->samplerate, info->channels, (long long)info->frames, SOUND_MIN_RATE, SOUND_MAX_RATE);
    sf_close(f);
    return nullptr;
}

int readMonoFrames(SNDFILE* file, const SF_INFO& info, std::vector<short>& scratch, unsigned short* out, int count)
{
    scratch.resize((size_t)count * info.channels);
    sf_count_t n = sf_readf_short(file, scratch.data(), count);
    if (n < 0) n = 0;
    for (sf_count_t i = 0; i < n; i++) {
        int sum = 0;
        for (int c = 0; c < info.channels; c++) sum += scratch[i * info.channels + c];
        out[i] = (unsigned short)((sum / info.channels) ^ 0x8000);
    }
    return (int)n;
}
