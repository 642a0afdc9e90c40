// Takes a seed and returns its track: a recipe drawn with integer dice, then the track's files from it.
#include "seededTrack.h"
#include "content.h"
#include "trackGen.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

// Rows of the grid the line uses: the run-in before the first feature, the last row a big kicker may
// stand on (its flight must come down on the grid, before the finish) and the finish.
static const int START_ROW = 2, FIRST_FEATURE = 14, LAST_BIG_KICKER = 148, LAST_FEATURE = 170, FINISH_ROW = 194;
// A big kicker throws the rider some 30 to 40 rows on these slopes: the line stays clear that far after it.
// Landed from a big kicker the rider is too fast to grind: a rail kicker after one wants this much more
// room for him to slow down.
static const int RAIL_AFTER_BIG_ROWS = 16;
// A wave's last crest throws too: a rail kicker just past it would be flown over.
static const int BIG_CLEAR_ROWS = 44, RAIL_CLEAR_ROWS = 22, WAVE_CLEAR_ROWS = 14;
static const int MIN_SLOPE = 9, MAX_SLOPE = 13;
static const int BIG_HEIGHT_LO = 1000, BIG_HEIGHT_HI = 1200, RAIL_KICKER_HEIGHT = 900;
// The field is this many cells either side of the line; trees stand in its outer cells, off the line.
static const int BOUNDS = 14, TREE_NEAREST = 9, TREE_FARTHEST = 12, BOMB_OFF_LINE = 3;

// Integer dice (splitmix64): the same numbers on every machine and compiler. Each throw is its own
// statement: two throws in one call's arguments come out in the compiler's order, not the same in all.
struct Dice {
    uint64_t state;
    uint32_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return (uint32_t)((z ^ (z >> 31)) >> 32);
    }
    int between(int lo, int hi) { return lo + (int)(next() % (uint32_t)(hi - lo + 1)); }  // lo..hi
    bool oneIn(int n) { return next() % (uint32_t)n == 0; }
};


static uint64_t seedHash(const std::string& name)
{
    uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : name) h = (h ^ c) * 1099511628211ull;
    return h;
}

static const char* const NAME_FIRST[] = {"Frost", "Powder", "Granite", "Hollow", "Silver", "Raven", "Ember",
                                         "Glacier", "Pine", "Thunder", "Crystal", "Wolf", "Echo", "Cloud"};
static const char* const NAME_SECOND[] = {"Gully", "Ridge", "Chute", "Basin", "Couloir", "Run", "Drop",
                                          "Face", "Bowl", "Line", "Spur", "Col"};
static const char* const TUNES[] = {"alpenglow", "coldsun", "powderrun"};
// Per theme (day, dusk, overcast, storm, dawn): the sun's colour, the snow's, and the weather.
struct ThemeLook {
    const char* spot;
    const char* snow;
    const char* weather[2];
};
static const ThemeLook LOOKS[TRACK_THEME_COUNT] = {
    {"1.0 1.0 0.95", "0.95 0.97 1.0", {"clear", "cloudy"}}, {"1.0 0.8 0.6", "0.92 0.9 0.97", {"clear", "cloudy"}},
    {"0.9 0.95 1.0", "0.93 0.95 1.0", {"cloudy", "snow"}},  {"0.7 0.75 0.9", "0.78 0.82 0.92", {"snow", "storm"}},
    {"1.0 0.85 0.75", "1.0 0.95 0.94", {"clear", "cloudy"}}};

template <size_t N> static const char* pick(Dice& d, const char* const (&list)[N]) { return list[d.next() % N]; }

struct Lines {
    std::string text;
    void add(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
};

void Lines::add(const char* fmt, ...)
{
    char line[160];
    va_list args;
    va_start(args, fmt);
    vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    text += line;
    text += '\n';
}

// What the line holds: counted for the description.
struct LineCount {
    int big = 0, rails = 0, waves = 0;
};

// A rail kicker on a change of slope throws the rider past its rail or short of it: kept this far off.
static const int RAIL_OFF_SLOPE_CHANGE = 5;

static void addSlopes(Dice& d, Lines& out, std::vector<int>& changes)
{
    out.add("slope 0 10 %d", d.between(5, 7));
    int row = 10;
    while (row < 200) {
        int end = row + d.between(40, 80);
        if (end > 170) end = 200;
        out.add("slope %d %d %d", row, end, d.between(MIN_SLOPE, MAX_SLOPE));
        changes.push_back(row);
        row = end;
    }
}

static int addBigKicker(Dice& d, Lines& out, int row)
{
    out.add("kicker %d -5 5 %d 2", row, d.between(BIG_HEIGHT_LO / 50, BIG_HEIGHT_HI / 50) * 50);
    out.add("collect %d %d %d 0", row + 10, row + 34, d.between(3, 6));
    return row + BIG_CLEAR_ROWS + d.between(0, 8);
}

static int addRailKicker(Dice& d, Lines& out, int row)
{
    out.add("kicker %d -3 3 %d 1", row, RAIL_KICKER_HEIGHT);
    out.add("rail %d.3 0", row + 1);
    return row + RAIL_CLEAR_ROWS + d.between(0, 6);
}

static int addWave(Dice& d, Lines& out, int row)
{
    int length = d.between(16, 28);
    int steps = d.between(8, 12), height = d.between(3, 6) * 50;
    out.add("wave %d %d %d %d", row, row + length, height, steps);
    out.add("collect %d %d %d 0", row + 2, row + length - 2, d.between(3, 5));
    return row + length + WAVE_CLEAR_ROWS;
}

// The marked line down the middle: big kickers, rail kickers and waves, each given the room its flight needs.
static int offSlopeChanges(int row, const std::vector<int>& changes)
{
    for (int change : changes)
        if (row > change - RAIL_OFF_SLOPE_CHANGE && row < change + RAIL_OFF_SLOPE_CHANGE) return change + RAIL_OFF_SLOPE_CHANGE;
    return row;
}

static LineCount addLine(Dice& d, Lines& out, std::vector<int>& gaps, const std::vector<int>& changes)
{
    LineCount n;
    int row = FIRST_FEATURE + d.between(0, 6);
    bool afterBig = false;
    for (bool first = true; row < LAST_FEATURE; first = false) {
        int roll = first ? 0 : d.between(0, 9);  // every track opens with a kicker long enough for a flip
        int next;
        bool big = roll < 4 && row <= LAST_BIG_KICKER;
        if (big) next = addBigKicker(d, out, row), n.big++;
        else if (roll < 7 && offSlopeChanges(row + RAIL_AFTER_BIG_ROWS * afterBig, changes) < LAST_FEATURE)
            next = addRailKicker(d, out, offSlopeChanges(row + RAIL_AFTER_BIG_ROWS * afterBig, changes)), n.rails++;
        else next = addWave(d, out, row), n.waves++;
        afterBig = big;
        gaps.push_back(next - 2);  // a clear row just before the next feature
        row = next;
    }
    return n;
}

static void addBombsAndTrees(Dice& d, Lines& out, const std::vector<int>& gaps)
{
    int bombs = 0;
    for (size_t k = 0; k < gaps.size() && bombs < 4; k++)
        if (gaps[k] < FINISH_ROW - 4 && d.oneIn(2)) {
            out.add("bomb %d %d", gaps[k], d.oneIn(2) ? BOMB_OFF_LINE : -BOMB_OFF_LINE);
            bombs++;
        }
    out.add("bombs %d", bombs);
    int trees = d.between(8, 14);
    for (int k = 0; k < trees; k++) {
        int side = d.oneIn(2) ? 1 : -1;
        int across = side * d.between(TREE_NEAREST, TREE_FARTHEST), row = d.between(FIRST_FEATURE, FINISH_ROW - 4);
        out.add("tree %d %d", row, across);
    }
}

// The world round the field: banks, tree lines, rocks, flags, a fence, the start hut and finish arch.
static void addWorld(Dice& d, Lines& out, int theme)
{
    out.add("weather %s", LOOKS[theme].weather[d.between(0, 1)]);
    for (int side : {1, -1}) {
        int height = d.between(10, 30) * 100, edge = BOUNDS + d.between(2, 5);
        out.add("bank 0 200 %d %d", side * edge, height);
    }
    for (int side : {1, -1}) {
        int treeSeed = d.between(1, 9999), density = d.between(4, 8);
        out.add("treeline 0 200 %d %d 0.%d %d", side > 0 ? BOUNDS + 6 : -(BOUNDS + 40),
                side > 0 ? BOUNDS + 40 : -(BOUNDS + 6), density, treeSeed);
    }
    int rockSeed = d.between(1, 9999), rocks = d.between(10, 40);
    out.add("rocks 0 200 -%d %d %d %d", BOUNDS + 30, BOUNDS + 30, rocks, rockSeed);
    out.add("flags %d %d %d %d", FIRST_FEATURE, FINISH_ROW, d.between(8, 14), BOUNDS);
    out.add("fence %d %d -%d", START_ROW, FINISH_ROW, BOUNDS + 1);
    out.add("hut %d %d", START_ROW, -(BOUNDS - 4));
    out.add("arch %d %d", FINISH_ROW, d.between(6, 9));
}

std::string seededTrackRecipe(const std::string& seed)
{
    std::string name = seededTrackName(seed);
    if (name.empty()) return "";
    Dice d{seedHash(name)};
    Lines out;
    std::string shown = name.substr(4);
    out.add("# The track of the seed \"%s\", drawn by kescontent --seeded-track.", shown.c_str());
    const char* second = pick(d, NAME_SECOND);
    const char* first = pick(d, NAME_FIRST);
    out.add("title %s_%s", first, second);
    int theme = d.between(0, TRACK_THEME_COUNT - 1);
    out.add("theme %d", theme);
    out.add("music %s", pick(d, TUNES));
    out.add("view 0");
    out.add("spot %s", LOOKS[theme].spot);
    out.add("snow %s", LOOKS[theme].snow);
    out.add("start %d", START_ROW);
    out.add("finish %d", FINISH_ROW);
    out.add("bounds %d", BOUNDS);
    out.add("rescue 6");
    Lines line;
    std::vector<int> gaps, changes;
    addSlopes(d, line, changes);
    LineCount n = addLine(d, line, gaps, changes);
    addBombsAndTrees(d, line, gaps);
    addWorld(d, line, theme);
    out.add("desc Seed: %s", shown.c_str());
    out.add("desc %d big kicker%s,", n.big, n.big == 1 ? "" : "s");
    out.add("desc %d rail%s, %d wave%s", n.rails, n.rails == 1 ? "" : "s", n.waves, n.waves == 1 ? "" : "s");
    out.add("desc Ride it, beat it.");
    return out.text + "\n" + line.text;
}

static int writeText(const std::string& path, const std::string& text)
{
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return 1;
    bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    return (fclose(f) != 0 || !ok) ? 1 : 0;
}

int buildSeededTrack(const std::string& seed, const std::string& data, bool filesOnly)
{
    std::string name = seededTrackName(seed);
    if (name.empty()) {
        contentError("A seed is 1 to %d letters or digits, not \"%s\"", SEED_MAX_LENGTH, seed.c_str());
        return 1;
    }
    std::string dir = data + "/tracks/" + name, recipePath = dir + "/" + name + ".track";
    mkdir(data.c_str(), 0755);
    mkdir((data + "/tracks").c_str(), 0755);
    mkdir(dir.c_str(), 0755);
    if (writeText(recipePath, seededTrackRecipe(seed))) {
        contentError("Can't write %s", recipePath.c_str());
        return 1;
    }
    TrackRecipe r;
    if (readTrackRecipe(recipePath, r)) return 1;
    return buildTrackFromRecipe(r, recipePath, data, !filesOnly);
}
