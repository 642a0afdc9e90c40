// Takes a best run or a best-run file; returns its bytes, or the run once every field is checked.
#include "run/bestRun.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "fileio/atomicWrite.h"
#include "fileio/safeOpen.h"

static const char bestRunMagic[4] = {'K', 'R', 'U', 'N'};
static const size_t headerFixedBytes = 4 + 2 + 1 + 1 + 4 + 4 + 4;
static const size_t maxNameBytes = 255;
static const float maxCoordinate = 1.0e7f;     // far beyond any track
static const float maxAngle = 1.0e6f;          // spins pile up degrees, never this many
static const float maxRunSeconds = maxRecordedSamples / (float)recordRate;
static const size_t inputFixedBytes = 2 + 3 + 4 + 4 + 4;
static const size_t spanBytes = 2 + 2;
static const int maxTicksPerSecond = 10000;
static const float maxWeight = 1.0e6f;  // kilograms: a card may say anything finite, never this
static const int maxTolerance = 180;
static const size_t maxFileBytes = headerFixedBytes + 2 * maxNameBytes +
                                   (size_t)maxRecordedSamples * bestRunSampleBytes + inputFixedBytes +
                                   (size_t)maxRecordedTicks * spanBytes;

// ---- writing

static void putU8(std::vector<unsigned char>* o, unsigned v) { o->push_back((unsigned char)v); }

static void putU16(std::vector<unsigned char>* o, unsigned v)
{
    putU8(o, v >> 8);
    putU8(o, v);
}

static void putU32(std::vector<unsigned char>* o, unsigned v)
{
    putU16(o, v >> 16);
    putU16(o, v & 0xffff);
}

static void putFloat(std::vector<unsigned char>* o, float f)
{
    unsigned u;
    memcpy(&u, &f, 4);
    putU32(o, u);
}

static void putName(std::vector<unsigned char>* o, const char* s)
{
    size_t n = strnlen(s, maxNameBytes);
    putU8(o, (unsigned)n);
    o->insert(o->end(), s, s + n);
}

static void putSample(std::vector<unsigned char>* o, const RunSample& s)
{
    putFloat(o, s.runTime);
    for (float p : s.pos) putFloat(o, p);
    for (float a : {s.yaw, s.pitch, s.roll, s.tumble, s.lean}) putFloat(o, a);
    for (float a : s.pose) putFloat(o, a);
    putU8(o, s.flags);
}

static size_t spansWritten(const InputRecording& in)
{
    size_t n = 0;
    for (const HeldSpan& s : in.spans) n += (s.ticks + bestRunSpanTicksMax - 1) / bestRunSpanTicksMax;
    return n;
}

static void putInput(std::vector<unsigned char>* o, const InputRecording& in)
{
    putU16(o, (unsigned)in.ridden.ticksPerSecond);
    for (int t : in.ridden.tolerances) putU8(o, (unsigned)t);
    putFloat(o, in.ridden.weight);
    putU32(o, (unsigned)in.ticks);
    putU32(o, (unsigned)spansWritten(in));
    for (const HeldSpan& s : in.spans)
        for (unsigned long left = s.ticks; left > 0;) {
            unsigned long n = left < bestRunSpanTicksMax ? left : bestRunSpanTicksMax;
            putU16(o, s.held);
            putU16(o, (unsigned)n);
            left -= n;
        }
}

void encodeBestRun(const BestRun& run, std::vector<unsigned char>* out)
{
    int withInput = wholeInput(run.rec.input);
    out->clear();
    out->insert(out->end(), bestRunMagic, bestRunMagic + 4);
    putU16(out, withInput ? bestRunInputVersion : bestRunSamplesVersion);
    putName(out, run.track);
    putName(out, run.rider);
    putU32(out, (unsigned)run.rec.samples.size());
    putU32(out, (unsigned)run.finalScore);
    putFloat(out, run.finalTime);
    for (const RunSample& s : run.rec.samples) putSample(out, s);
    if (withInput) putInput(out, run.rec.input);
}

// ---- reading: a cursor that never reads past the end

struct Reader {
    const unsigned char* p;
    size_t left;
};

static int take(Reader* r, void* to, size_t n)
{
    if (r->left < n) return 0;
    memcpy(to, r->p, n);
    r->p += n;
    r->left -= n;
    return 1;
}

static int getU8(Reader* r, unsigned* v)
{
    unsigned char b;
    if (!take(r, &b, 1)) return 0;
    *v = b;
    return 1;
}

static int getU16(Reader* r, unsigned* v)
{
    unsigned char b[2];
    if (!take(r, b, 2)) return 0;
    *v = (unsigned)b[0] << 8 | b[1];
    return 1;
}

static int getU32(Reader* r, unsigned* v)
{
    unsigned char b[4];
    if (!take(r, b, 4)) return 0;
    *v = (unsigned)b[0] << 24 | (unsigned)b[1] << 16 | (unsigned)b[2] << 8 | b[3];
    return 1;
}

static int getFloat(Reader* r, float* f)
{
    unsigned u;
    if (!getU32(r, &u)) return 0;
    memcpy(f, &u, 4);
    return 1;
}

// A name is printable and, as a rider's folder, cannot leave the models folder.
static int getName(Reader* r, char* out)
{
    unsigned n;
    if (!getU8(r, &n) || n == 0 || !take(r, out, n)) return 0;
    out[n] = '\0';
    for (unsigned i = 0; i < n; i++)
        if (out[i] < 32 || out[i] > 126 || out[i] == '/' || out[i] == '\\') return 0;
    return out[0] != '.';
}

static int angleSane(float a) { return std::isfinite(a) && fabsf(a) <= maxAngle; }

static int getSample(Reader* r, RunSample* s)
{
    int ok = getFloat(r, &s->runTime) && std::isfinite(s->runTime) && s->runTime >= 0 &&
             s->runTime <= maxRunSeconds;
    for (float& p : s->pos) ok = ok && getFloat(r, &p) && std::isfinite(p) && fabsf(p) <= maxCoordinate;
    for (float* a : {&s->yaw, &s->pitch, &s->roll, &s->tumble, &s->lean}) ok = ok && getFloat(r, a) && angleSane(*a);
    for (float& a : s->pose) ok = ok && getFloat(r, &a) && angleSane(a);
    unsigned flags = 0;
    ok = ok && getU8(r, &flags) && flags < 16;
    s->flags = (unsigned char)flags;
    return ok;
}

static const char* decodeSamples(Reader* r, unsigned count, RunRecording* rec)
{
    clearRecording(rec);
    rec->samples.resize(count);
    for (unsigned k = 0; k < count; k++) {
        if (!getSample(r, &rec->samples[k])) return "a sample out of range";
        if (k > 0 && rec->samples[k].runTime < rec->samples[k - 1].runTime) return "time going backwards";
    }
    rec->finished = (rec->samples.back().flags & sampleFinished) != 0;
    rec->full = count == (unsigned)maxRecordedSamples;
    return nullptr;
}

static const char* decodeConditions(Reader* r, RideConditions* c)
{
    unsigned rate, tolerance;
    if (!getU16(r, &rate)) return "truncated input";
    if (rate == 0 || rate > (unsigned)maxTicksPerSecond) return "an absurd tick rate";
    c->ticksPerSecond = (int)rate;
    for (int& t : c->tolerances) {
        if (!getU8(r, &tolerance)) return "truncated input";
        if (tolerance > (unsigned)maxTolerance) return "an absurd landing tolerance";
        t = (int)tolerance;
    }
    if (!getFloat(r, &c->weight)) return "truncated input";
    if (!(std::isfinite(c->weight) && fabsf(c->weight) <= maxWeight)) return "an absurd rider weight";
    return nullptr;
}

// Spans of equal buttons are joined again where a long hold was split. The size was checked: every
// span is there to read.
static const char* decodeSpans(Reader* r, unsigned count, unsigned long ticks, InputRecording* in)
{
    for (unsigned k = 0; k < count; k++) {
        unsigned held = 0, n = 0;
        getU16(r, &held);
        getU16(r, &n);
        if (held > allHeldBits) return "an unknown button held";
        if (n == 0 || n > ticks - in->ticks) return "spans that do not add up to the ticks";
        appendHeldSpan(in, (unsigned short)held, n);
    }
    if (in->ticks != ticks) return "spans that do not add up to the ticks";
    in->closed = 1;
    return nullptr;
}

static const char* decodeInput(Reader* r, InputRecording* in)
{
    clearInputRecording(in);
    RideConditions c;
    if (const char* why = decodeConditions(r, &c)) return why;
    unsigned ticks, count;
    if (!getU32(r, &ticks) || !getU32(r, &count)) return "truncated input";
    if (ticks == 0 || ticks > maxRecordedTicks) return "an absurd tick count";
    if (count == 0 || count > ticks) return "an absurd span count";
    if (r->left != (size_t)count * spanBytes) return "a size that does not match its input";
    in->ridden = c;
    const char* why = decodeSpans(r, count, ticks, in);
    if (why) clearInputRecording(in);
    return why;
}

const char* decodeBestRun(const unsigned char* bytes, size_t size, const char* expectedTrack, BestRun* run)
{
    Reader r = {bytes, size};
    char magic[4];
    unsigned versionHigh, versionLow, count, score;
    if (!take(&r, magic, 4) || memcmp(magic, bestRunMagic, 4) != 0) return "not a best run";
    if (!getU8(&r, &versionHigh) || !getU8(&r, &versionLow)) return "truncated";
    unsigned version = versionHigh << 8 | versionLow;
    if (version != (unsigned)bestRunSamplesVersion && version != (unsigned)bestRunInputVersion)
        return "another version";
    if (!getName(&r, run->track) || !getName(&r, run->rider)) return "bad names";
    if (expectedTrack && strcmp(run->track, expectedTrack) != 0) return "another track's run";
    if (!getU32(&r, &count) || !getU32(&r, &score) || !getFloat(&r, &run->finalTime)) return "truncated";
    if (count == 0 || count > (unsigned)maxRecordedSamples) return "an absurd sample count";
    if (!std::isfinite(run->finalTime) || run->finalTime < 0 || run->finalTime > maxRunSeconds)
        return "an absurd time";
    size_t sampleBytes = (size_t)count * bestRunSampleBytes;
    int withInput = version == (unsigned)bestRunInputVersion;
    if (withInput ? r.left < sampleBytes + inputFixedBytes : r.left != sampleBytes)
        return "a size that does not match its samples";
    run->finalScore = (int)score;
    const char* why = decodeSamples(&r, count, &run->rec);
    if (!why && withInput) why = decodeInput(&r, &run->rec.input);
    return why;
}

const char* const BEST_RUN_FILE = "best.run";
const size_t BEST_RUN_FILE_BOUND = maxFileBytes;

int saveBestRun(const char* path, const BestRun& run, char* why)
{
    std::vector<unsigned char> bytes;
    encodeBestRun(run, &bytes);
    return writeBytesAtomically(path, bytes.data(), bytes.size(), why) ? 0 : 1;
}

static int readWholeFile(const char* path, std::vector<unsigned char>* bytes, const char** why)
{
    // The refusal reason outlives this call: one load at a time.
    static char refusal[OPEN_WHY_CHARS];
    OpenOutcome outcome;
    FILE* f = openBounded(path, maxFileBytes, &outcome, refusal);
    if (!f) {
        *why = outcome == openMissing ? "missing" : refusal;
        return 0;
    }
    long size = fseek(f, 0, SEEK_END) == 0 ? ftell(f) : -1;
    // Checked before reading: a huge file is refused without filling memory with it.
    bool ok = size >= 0 && (size_t)size <= maxFileBytes && fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        bytes->resize((size_t)size);
        ok = fread(bytes->data(), 1, bytes->size(), f) == bytes->size();
    }
    fclose(f);
    *why = size > 0 && (size_t)size > maxFileBytes ? "far too large" : "unreadable";
    return ok;
}

int loadBestRun(const char* path, const char* expectedTrack, BestRun* run)
{
    std::vector<unsigned char> bytes;
    const char* why = nullptr;
    if (readWholeFile(path, &bytes, &why)) why = decodeBestRun(bytes.data(), bytes.size(), expectedTrack, run);
    if (!why) return 0;
    printf("Best run %s refused (%s): riding without a ghost\n", path, why);
    clearRecording(&run->rec);
    return 1;
}
