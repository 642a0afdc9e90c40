// Takes the world's terrain and an eye; gives the elevation below which the land hides every
// direction from the eye. Along any heading the ground runs from under the eye to where it stops being
// drawn: every elevation between straight down and that far end's is met on the way, so the least of
// the far ends' elevations, over the headings the view sees, is hidden in it.
#include "render/landCover.h"

#include <algorithm>
#include <cmath>

static const float PI = 3.14159265f;
static const int HEADINGS = 180;             // all round: 1 degree apart (a narrower span as finely)
static const float SPAN_MARGIN = 0.05f;      // radians beyond the view's sides
static const int LOWEST_NEAR_CELLS = 8;      // the coarsest detail's cell: no triangle there dips below these
static const float MARGIN_TANGENT = 0.02f;   // about a degree lower, for the headings between those tried
static const float NEAR_EDGE_SHARE = 0.999f; // the far end just inside where the ground stops

static float heightAt(const WorldScene& w, int t, int s) { return w.heights[(size_t)t * w.columns() + s]; }

// The row (X grows) and column (Z falls) whose cell holds (x, z), clamped to the terrain.
static void cellOf(const WorldScene& w, float x, float z, int* t, int* s)
{
    *t = (int)(std::upper_bound(w.xs.begin(), w.xs.end(), x) - w.xs.begin()) - 1;
    *s = (int)(std::upper_bound(w.zs.begin(), w.zs.end(), z, [](float a, float b) { return a > b; }) - w.zs.begin()) - 1;
    *t = std::min(std::max(*t, 0), w.rows() - 2);
    *s = std::min(std::max(*s, 0), w.columns() - 2);
}

// The least corner round (x, z): whatever detail draws the ground there, it stands no lower.
static float lowestNear(const WorldScene& w, float x, float z)
{
    int t, s;
    cellOf(w, x, z, &t, &s);
    float low = 1e30f;
    for (int i = std::max(0, t - LOWEST_NEAR_CELLS); i <= std::min(w.rows() - 1, t + 1 + LOWEST_NEAR_CELLS); i++)
        for (int j = std::max(0, s - LOWEST_NEAR_CELLS); j <= std::min(w.columns() - 1, s + 1 + LOWEST_NEAR_CELLS); j++)
            low = std::min(low, heightAt(w, i, j));
    return low;
}

// How far from (x, z) along (dx, dz) the terrain's rectangle ends.
static float distanceToEdge(const WorldScene& w, float x, float z, float dx, float dz)
{
    float best = 1e30f;
    float xLo = w.xs.front(), xHi = w.xs.back(), zHi = w.zs.front(), zLo = w.zs.back();
    if (dx > 1e-6f) best = std::min(best, (xHi - x) / dx);
    if (dx < -1e-6f) best = std::min(best, (xLo - x) / dx);
    if (dz > 1e-6f) best = std::min(best, (zHi - z) / dz);
    if (dz < -1e-6f) best = std::min(best, (zLo - z) / dz);
    return best;
}

static bool eyeOverTerrain(const WorldScene& w, const float eye[3])
{
    if (w.rows() < 2 || w.columns() < 2) return false;
    if (eye[0] <= w.xs.front() || eye[0] >= w.xs.back() || eye[2] >= w.zs.front() || eye[2] <= w.zs.back()) return false;
    int t, s;
    cellOf(w, eye[0], eye[2], &t, &s);
    float top = std::max(std::max(heightAt(w, t, s), heightAt(w, t + 1, s)), std::max(heightAt(w, t, s + 1), heightAt(w, t + 1, s + 1)));
    return eye[1] > top;
}

HeadingSpan headingsSeen(const float forward[3], float corner)
{
    float level = std::sqrt(forward[0] * forward[0] + forward[2] * forward[2]), reachOut = std::sin(corner);
    // looking so steeply that the view's cone holds the vertical: every heading
    if (corner >= PI / 2 || level <= reachOut) return {0, PI};
    return {std::atan2(forward[2], forward[0]), std::asin(reachOut / level) + SPAN_MARGIN};
}

bool landCoverTangent(const WorldScene& w, const float eye[3], float reach, HeadingSpan span, float* tangent)
{
    if (!eyeOverTerrain(w, eye)) return false;
    float half = std::min(span.halfWidth, PI);
    int steps = std::max(2, (int)std::ceil(HEADINGS * half / PI));
    float least = 1e30f;
    for (int k = 0; k <= steps; k++) {
        float a = span.centre - half + 2 * half * k / steps, dx = std::cos(a), dz = std::sin(a);
        float far = std::min(reach, distanceToEdge(w, eye[0], eye[2], dx, dz)) * NEAR_EDGE_SHARE;
        if (far <= 0) return false;
        float ground = lowestNear(w, eye[0] + dx * far, eye[2] + dz * far);
        least = std::min(least, (ground - eye[1]) / far);
    }
    *tangent = least - MARGIN_TANGENT;
    return true;
}
