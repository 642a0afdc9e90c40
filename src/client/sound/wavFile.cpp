// Takes 16-bit frames as they are mixed; writes them as a little-endian PCM WAV file.
#include "sound/wavFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

static const int WAV_HEADER_BYTES = 44;
static const int SAMPLE_BYTES = 2;

static void putLittle(unsigned char* at, unsigned long v, int bytes)
{
    for (int i = 0; i < bytes; i++) at[i] = (unsigned char)(v >> (8 * i));
}

static void header(unsigned char* h, int rate, int channels, unsigned long dataBytes)
{
    memcpy(h, "RIFF", 4);
    putLittle(h + 4, 36 + dataBytes, 4);
    memcpy(h + 8, "WAVEfmt ", 8);
    putLittle(h + 16, 16, 4);  // the format block's size
    putLittle(h + 20, 1, 2);   // PCM
    putLittle(h + 22, (unsigned long)channels, 2);
    putLittle(h + 24, (unsigned long)rate, 4);
    putLittle(h + 28, (unsigned long)rate * channels * SAMPLE_BYTES, 4);
    putLittle(h + 32, (unsigned long)channels * SAMPLE_BYTES, 2);
    putLittle(h + 34, 8 * SAMPLE_BYTES, 2);
    memcpy(h + 36, "data", 4);
    putLittle(h + 40, dataBytes, 4);
}

static bool failed(WavWriter& w, std::string& why, int error)
{
    why = strerror(error ? error : EIO);
    if (w.f) fclose(w.f);
    w.f = nullptr;
    return false;
}

bool openWav(WavWriter& w, const std::string& path, int rate, int channels, std::string& why)
{
    w = WavWriter();
    w.rate = rate, w.channels = channels;
    w.f = fopen(path.c_str(), "wb");
    if (!w.f) return failed(w, why, errno);
    unsigned char h[WAV_HEADER_BYTES];
    header(h, rate, channels, 0);
    if (fwrite(h, 1, sizeof h, w.f) != sizeof h) return failed(w, why, errno);
    return true;
}

bool appendWav(WavWriter& w, const short* samples, long frames, std::string& why)
{
    if (!w.f) return failed(w, why, EBADF);
    std::vector<unsigned char> bytes((size_t)frames * w.channels * SAMPLE_BYTES);
    for (size_t i = 0; i < bytes.size() / SAMPLE_BYTES; i++) putLittle(&bytes[i * SAMPLE_BYTES], (unsigned short)samples[i], 2);
    if (fwrite(bytes.data(), 1, bytes.size(), w.f) != bytes.size()) return failed(w, why, errno);
    w.frames += frames;
    return true;
}

bool closeWav(WavWriter& w, std::string& why)
{
    if (!w.f) return failed(w, why, EBADF);
    unsigned char h[WAV_HEADER_BYTES];
    header(h, w.rate, w.channels, (unsigned long)w.frames * w.channels * SAMPLE_BYTES);
    bool ok = fflush(w.f) == 0 && fseek(w.f, 0, SEEK_SET) == 0 && fwrite(h, 1, sizeof h, w.f) == sizeof h;
    int error = errno;
    if (fclose(w.f) != 0 && ok) ok = false, error = errno;
    w.f = nullptr;
    if (!ok) why = strerror(error ? error : EIO);
    return ok;
}
