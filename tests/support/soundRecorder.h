// A sound device that plays nothing and records every call, for tests of the sound rules.
#pragma once

#include <string>
#include <vector>

#include "platform/soundLayer.h"

struct SoundCall {
    std::string what;  // "play", "volume", "pan", "stop", "streamOpen", "streamPlay", "streamClose", ...
    std::string name;  // file or sample name, when there is one
    int channel;
    int value;         // volume, pan or loop flag
    int value2;
};

struct SoundRecorder {
    std::vector<SoundCall> calls;
    bool failInit = false;
    bool failStreams = false;
    bool failSamples = false;

    // Installs the recorder as the sound device; the destructor puts the real one back.
    SoundRecorder();
    ~SoundRecorder();
    std::vector<SoundCall> named(const std::string& what) const;
    const SoundCall* last(const std::string& what) const;
};

// The name the recorder gave a loaded sample (its file name).
std::string recordedSampleName(SndSample* sample);
