// Step sequencer: turns a song recipe into note parts, and mixes parts into a seamless loop.
#include "music.h"

#include <cmath>
#include <cstring>

static const float MUSIC_PEAK = 0.89f;
static const float ECHO_BEATS = 0.75f;
static const float ECHO_FEEDBACK = 0.38f;
static const float ECHO_RETURN = 0.45f;
static const float ROOM_RETURN = 0.3f;
static const int STEPS_PER_BAR = 16;
static const float STEP_BEATS = 0.25f;
static const int LEAD_LOW = 5, LEAD_HIGH = 14; // scale degrees above the tonic

// Schroeder room: four damped combs in parallel, two all-passes after them (delays in frames).
struct Room {
    static const int COMBS = 4, PASSES = 2;
    std::vector<float> comb[COMBS], pass[PASSES];
    int combAt[COMBS] = {}, passAt[PASSES] = {};
    float damp[COMBS] = {};
    Room()
    {
        const int combLen[COMBS] = {1557, 1617, 1491, 1422};
        const int passLen[PASSES] = {225, 556};
        for (int k = 0; k < COMBS; k++) comb[k].assign(combLen[k], 0.0f);
        for (int k = 0; k < PASSES; k++) pass[k].assign(passLen[k], 0.0f);
    }
    float tick(float x)
    {
        float sum = 0.0f;
        for (int k = 0; k < COMBS; k++) {
            float y = comb[k][combAt[k]];
            damp[k] += 0.3f * (y - damp[k]);
            comb[k][combAt[k]] = x + damp[k] * 0.82f;
            combAt[k] = (combAt[k] + 1) % comb[k].size();
            sum += y;
        }
        float y = sum * 0.25f;
        for (int k = 0; k < PASSES; k++) {
            float delayed = pass[k][passAt[k]];
            float out = delayed - 0.5f * y;
            pass[k][passAt[k]] = y + 0.5f * out;
            passAt[k] = (passAt[k] + 1) % pass[k].size();
            y = out;
        }
        return y;
    }
};

static Wave echoOf(const Wave& send, float secondsPerBeat)
{
    Wave wet = send;
    std::vector<float> line(secondsToFrames(ECHO_BEATS * secondsPerBeat), 0.0f);
    size_t at = 0;
    OnePole dark;
    processLoop(wet, [&](float x, int) {
        float y = line[at];
        line[at] = x + dark.tick(y, 3000.0f) * ECHO_FEEDBACK;
        at = (at + 1) % line.size();
        return y;
    });
    return wet;
}

Wave renderLoop(const std::vector<Part>& parts, float bpm, int totalBeats)
{
    float spb = 60.0f / bpm;
    int frames = secondsToFrames(totalBeats * spb);
    Wave dry(frames, 0.0f), send(frames, 0.0f);
    uint32_t seed = 1;
    for (const Part& part : parts)
        for (const Note& n : part.notes) {
            Wave w = renderNote(part.instrument, n.pitch, n.length * spb, n.velocity, seed++);
            int at = secondsToFrames(n.beat * spb) % frames;
            mixInto(dry, w, at, part.gain, true);
            if (part.echo > 0.0f) mixInto(send, w, at, part.gain * part.echo, true);
        }
    Wave echo = echoOf(send, spb);
    Wave room = send;
    for (int i = 0; i < frames; i++) room[i] += echo[i] * ECHO_RETURN;
    Room hall;
    processLoop(room, [&](float x, int) { return hall.tick(x); });
    for (int i = 0; i < frames; i++) dry[i] += echo[i] * ECHO_RETURN + room[i] * ROOM_RETURN;
    normalizePeak(dry, MUSIC_PEAK);
    return dry;
}

// MIDI pitch of a scale degree counted from the tonic (negative degrees go down).
static float degreePitch(const SongRecipe& s, int degree)
{
    int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    return (float)(s.tonic + 12 * octave + s.mode[degree - 7 * octave]);
}

// The pitch moved by octaves into [low, low + 12).
static float intoRange(float pitch, float low)
{
    while (pitch < low) pitch += 12.0f;
    while (pitch >= low + 12.0f) pitch -= 12.0f;
    return pitch;
}

static int chordOf(const SongRecipe& s, int bar) { return s.chords[bar % strlen(s.chords)] - '1'; }
static char sectionOf(const SongRecipe& s, int bar) { return s.sections[(bar / 4) % strlen(s.sections)]; }

enum Layer { L_CHORDS = 1, L_ARP = 2, L_BASS = 4, L_DRUMS = 8, L_HATS = 16, L_LEAD = 32 };

static int layersOf(char section)
{
    switch (section) {
    case 'A': return L_CHORDS | L_ARP;
    case 'B': return L_CHORDS | L_ARP | L_BASS | L_HATS;
    case 'C': return L_CHORDS | L_ARP | L_BASS | L_DRUMS | L_HATS | L_LEAD;
    default: return L_CHORDS | L_BASS | L_DRUMS | L_HATS | L_LEAD;
    }
}

// Beat of a step in a bar, with the off-beat eighths pushed late by the swing.
static float stepBeat(const SongRecipe& s, int bar, int step)
{
    float beat = bar * 4.0f + step * STEP_BEATS;
    if (step % 4 == 2) beat += s.swing * STEP_BEATS;
    return beat;
}

// Steps a note starting at `step` lasts: itself and the '-' after it.
static int heldSteps(const char* steps, int step, int count)
{
    int n = 1;
    while (step + n < count && steps[step + n] == '-') n++;
    return n;
}

static void addChords(const SongRecipe& s, int bar, Part& part)
{
    int d = chordOf(s, bar);
    for (int tone = 0; tone < 3; tone++) {
        float p = intoRange(degreePitch(s, d + 2 * tone), (float)s.tonic + 7.0f);
        if (s.chordIns == INS_PAD) {
            part.notes.push_back({bar * 4.0f, 3.9f, p, 0.5f});
        } else {
            part.notes.push_back({bar * 4.0f, 2.0f, p, 0.55f});
            part.notes.push_back({stepBeat(s, bar, 10), 1.2f, p, 0.4f});
        }
    }
}

static void addBass(const SongRecipe& s, int bar, Part& part)
{
    float root = intoRange(degreePitch(s, chordOf(s, bar)), (float)s.tonic - 12.0f);
    for (int step = 0; step < STEPS_PER_BAR; step++) {
        char c = s.bassSteps[step];
        if (c != 'R' && c != 'F' && c != 'O') continue;
        float p = root + (c == 'F' ? 7.0f : c == 'O' ? 12.0f : 0.0f);
        float len = heldSteps(s.bassSteps, step, STEPS_PER_BAR) * STEP_BEATS - 0.05f;
        part.notes.push_back({stepBeat(s, bar, step), len, p, step % 4 == 0 ? 0.9f : 0.7f});
    }
}

static void addArp(const SongRecipe& s, int bar, Part& part, Rng& rng)
{
    int d = chordOf(s, bar);
    for (int step = 0; step < STEPS_PER_BAR; step++) {
        char c = s.arpSteps[step];
        if (c < '0' || c > '3') continue;
        int tone = c - '0';
        float p = intoRange(degreePitch(s, d + 2 * (tone % 3)), (float)s.tonic + 12.0f) + (tone == 3 ? 12.0f : 0.0f);
        part.notes.push_back({stepBeat(s, bar, step), 0.22f, p, 0.45f + 0.15f * rng.uniform()});
    }
}

static void addHits(const SongRecipe& s, int bar, const char* steps, Part& part, Rng& rng)
{
    for (int step = 0; step < STEPS_PER_BAR; step++) {
        char c = steps[step];
        if (c != 'x' && c != 'o') continue;
        float vel = (c == 'x' ? 0.9f : 0.45f) * (0.9f + 0.1f * rng.uniform());
        part.notes.push_back({stepBeat(s, bar, step), 0.1f, 60.0f, vel});
    }
}

// Chord tone of degree d nearest to `near`.
static int nearestChordTone(int d, int near)
{
    int best = d, bestGap = 1000;
    for (int k = -21; k <= 21; k += 7)
        for (int tone = 0; tone < 3; tone++) {
            int cand = d + 2 * tone + k;
            if (std::abs(cand - near) < bestGap) { best = cand; bestGap = std::abs(cand - near); }
        }
    return best;
}

// A two-bar phrase: chord tones on the strong steps, steps of the scale between; a cadence ends on the tonic.
static void addPhrase(const SongRecipe& s, int bar, uint32_t seed, bool cadence, Part& part)
{
    Rng rng(seed);
    const int steps = 2 * STEPS_PER_BAR;
    int degree = 7 + 2 * (int)(rng.uniform() * 3.0f);
    int last = -1;
    for (int step = 0; step < steps; step++)
        if (s.leadRhythm[step] == 'x') last = step;
    const int moves[] = {-2, -1, -1, 1, 1, 2, 0, -3};
    for (int step = 0; step < steps; step++) {
        if (s.leadRhythm[step] != 'x') continue;
        int b = bar + step / STEPS_PER_BAR;
        if (step % 8 == 0) degree = nearestChordTone(chordOf(s, b), degree + (int)(rng.uniform() * 5.0f) - 2);
        else degree += moves[(int)(rng.uniform() * 8.0f)];
        if (degree < LEAD_LOW) degree += 2;
        if (degree > LEAD_HIGH) degree -= 2;
        if (cadence && step == last) degree = degree >= 10 ? 14 : 7;
        float len = heldSteps(s.leadRhythm, step, steps) * STEP_BEATS - 0.05f;
        float lift = s.leadIns == INS_FLUTE ? 12.0f : 0.0f;
        part.notes.push_back({stepBeat(s, b, step % STEPS_PER_BAR), len, degreePitch(s, degree) + lift,
                              step % 8 == 0 ? 0.8f : 0.65f});
    }
}

// Phrases run A B A C in eight bars; every other eight bars A is varied.
static uint32_t phraseSeed(const SongRecipe& s, int phrase)
{
    int role = phrase % 4;
    if (role == 1) return s.seed * 131u + 2u;
    if (role == 3) return s.seed * 131u + 3u;
    return s.seed * 131u + 5u + (uint32_t)((phrase / 4) % 2) * 7u;
}

Wave renderSong(const SongRecipe& s)
{
    Part chords = {s.chordIns, s.chordIns == INS_PAD ? 0.35f : 0.3f, 0.3f, {}};
    Part arp = {s.arpIns, 0.32f, 0.6f, {}};
    Part bassPart = {s.bassIns, 0.55f, 0.0f, {}};
    Part kickPart = {INS_KICK, 0.7f, 0.0f, {}};
    Part snarePart = {INS_SNARE, 0.38f, 0.25f, {}};
    Part hatPart = {s.bpm < 100 ? INS_SHAKER : INS_HAT, 0.3f, 0.0f, {}};
    Part leadPart = {s.leadIns, 0.42f, 0.5f, {}};
    Rng rng(s.seed);
    for (int bar = 0; bar < s.bars; bar++) {
        int layers = layersOf(sectionOf(s, bar));
        if (layers & L_CHORDS) addChords(s, bar, chords);
        if (layers & L_ARP) addArp(s, bar, arp, rng);
        if (layers & L_BASS) addBass(s, bar, bassPart);
        if (layers & L_DRUMS) addHits(s, bar, s.kickSteps, kickPart, rng);
        if (layers & L_DRUMS) addHits(s, bar, s.snareSteps, snarePart, rng);
        if (layers & L_HATS) addHits(s, bar, s.hatSteps, hatPart, rng);
        if ((layers & L_LEAD) && bar % 2 == 0) addPhrase(s, bar, phraseSeed(s, bar / 2), (bar / 2) % 4 == 3, leadPart);
    }
    return renderLoop({chords, arp, bassPart, kickPart, snarePart, hatPart, leadPart}, s.bpm, s.bars * 4);
}

float songSeconds(const SongRecipe& s) { return s.bars * 4 * 60.0f / s.bpm; }
