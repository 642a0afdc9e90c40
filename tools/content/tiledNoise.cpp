// Takes lattice coordinates and seeds and returns smooth value noise that tiles.
#include "tiledNoise.h"

#include <cmath>

static const int OCTAVES = 4;
static const float OCTAVE_SUM = 0.9375f;  // 1/2 + 1/4 + 1/8 + 1/16

static unsigned hash2(int x, int y, int seed)
{
    unsigned h = (unsigned)x * 374761393u + (unsigned)y * 668265263u + (unsigned)seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

static int wrap(int i, int period) { return ((i % period) + period) % period; }

// Lattice value at (i, j): from edgeSeed on the picture's edges (i or j a multiple of the period).
static float latticeAt(int i, int j, int periodX, int periodY, int edgeSeed, int seed)
{
    int x = wrap(i, periodX), y = wrap(j, periodY);
    int s = (x == 0 || y == 0) ? edgeSeed : seed;
    return (hash2(x, y, s) & 0xffff) / 65535.0f;
}

static float lattice(float x, float y, int periodX, int periodY, int edgeSeed, int seed)
{
    int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
    float fx = x - x0, fy = y - y0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    auto at = [&](int i, int j) { return latticeAt(i, j, periodX, periodY, edgeSeed, seed); };
    float a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    float b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return a + (b - a) * fy;
}

float tiledNoise(float x, float y, int periodX, int periodY, int seed)
{
    return lattice(x, y, periodX, periodY, seed, seed);
}

float tiledNoise(float x, float y, int period, int seed) { return tiledNoise(x, y, period, period, seed); }

float fractalSharedEdges(float u, float v, int basePeriod, int edgeSeed, int seed)
{
    float sum = 0, amp = 0.5f;
    for (int octave = 0, period = basePeriod; octave < OCTAVES; octave++, period *= 2, amp *= 0.5f)
        sum += amp * lattice(u * period, v * period, period, period, edgeSeed + octave, seed + octave);
    return sum / OCTAVE_SUM;
}

float fractal(float u, float v, int basePeriod, int seed) { return fractalSharedEdges(u, v, basePeriod, seed, seed); }
