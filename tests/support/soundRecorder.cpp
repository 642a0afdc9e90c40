#include "support/soundRecorder.h"

// Own record types, handed out as the layer's opaque pointers.
struct RecSample {
    std::string file;
};
static SndSample* asSample(RecSample* r) { return reinterpret_cast<SndSample*>(r); }
static RecSample* rec(SndSample* s) { return reinterpret_cast<RecSample*>(s); }
static SndStream* asStream(RecSample* r) { return reinterpret_cast<SndStream*>(r); }
static RecSample* rec(SndStream* s) { return reinterpret_cast<RecSample*>(s); }

static SoundRecorder* current = nullptr;

// Channel numbers never repeat in one process: a channel variable an earlier test left set can never
// name a sound of a later recorder.
static int nextChannel = 0;

static void record(const char* what, const std::string& name, int channel, int value, int value2 = 0)
{
    current->calls.push_back({what, name, channel, value, value2});
}

static int recInit(int rate, int channels)
{
    record("init", "", -1, rate, channels);
    return current->failInit ? SND_ERR_INIT : SND_ERR_NONE;
}
static void recClose() { record("close", "", -1, 0); }
static int recGetError() { return current->failInit ? SND_ERR_INIT : SND_ERR_FILE_NOTFOUND; }
static SndSample* recSampleLoad(const char* file)
{
    record("sampleLoad", file, -1, 0);
    return current->failSamples ? nullptr : asSample(new RecSample{file});
}
static void recSampleFree(SndSample* s)
{
    record("sampleFree", rec(s)->file, -1, 0);
    delete rec(s);
}
static int recPlay(SndSample* s, int vol, int pan, int loop)
{
    int channel = nextChannel++;
    record("play", rec(s)->file, channel, vol, pan);
    record("loop", rec(s)->file, channel, loop);
    return channel;
}
static void recSetVolume(int channel, int vol) { record("volume", "", channel, vol); }
static void recSetPan(int channel, int pan) { record("pan", "", channel, pan); }
static void recStop(int channel) { record("stop", "", channel, 0); }
static SndStream* recStreamOpen(const char* file, int loop)
{
    record("streamOpen", file, -1, loop);
    return current->failStreams ? nullptr : asStream(new RecSample{file});
}
static int recStreamPlay(SndStream* s, int vol)
{
    int channel = nextChannel++;
    record("streamPlay", rec(s)->file, channel, vol);
    return channel;
}
static void recStreamClose(SndStream* s)
{
    record("streamClose", rec(s)->file, -1, 0);
    delete rec(s);
}

static void recPauseAll(int paused) { record("pauseAll", "", -1, paused); }

static const SoundDevice recorderDevice = {recInit,       recClose,      recGetError,   recSampleLoad,
                                           recSampleFree, recPlay,       recSetVolume,  recSetPan,
                                           recStop,       recStreamOpen, recStreamPlay, recStreamClose,
                                           recPauseAll};

SoundRecorder::SoundRecorder()
{
    current = this;
    setSoundDevice(&recorderDevice);
}

SoundRecorder::~SoundRecorder()
{
    setSoundDevice(nullptr);
    current = nullptr;
}

std::vector<SoundCall> SoundRecorder::named(const std::string& what) const
{
    std::vector<SoundCall> out;
    for (const SoundCall& c : calls)
        if (c.what == what) out.push_back(c);
    return out;
}

const SoundCall* SoundRecorder::last(const std::string& what) const
{
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->what == what) return &*it;
    return nullptr;
}

std::string recordedSampleName(SndSample* sample) { return sample ? rec(sample)->file : ""; }
