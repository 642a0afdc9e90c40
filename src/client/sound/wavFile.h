// A WAV file of 16-bit sound written as it is made: the header first, the frames appended, the
// sizes filled in at the close. Every failure says the system's reason.
#pragma once

#include <cstdio>
#include <string>

struct WavWriter {
    FILE* f = nullptr;
    long frames = 0;
    int rate = 0, channels = 0;
};

bool openWav(WavWriter& w, const std::string& path, int rate, int channels, std::string& why);
// frames frames of `channels` interleaved samples each.
bool appendWav(WavWriter& w, const short* samples, long frames, std::string& why);
// The sizes in the header, then closed: false when any of it failed.
bool closeWav(WavWriter& w, std::string& why);
