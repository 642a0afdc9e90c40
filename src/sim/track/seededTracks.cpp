// Takes seeds, days and folder names; returns seeded tracks' names, their order and the ones to remove.
#include "track/seededTracks.h"

#include <algorithm>
#include <cstdio>

const char* const SEEDED_TRACK_PREFIX = "seed";
static const int DAY_DIGITS = 8;
static const int FIRST_YEAR = 1970, LAST_YEAR = 9999;

static char lowered(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }

static bool seedChar(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool validTrackSeed(const std::string& seed)
{
    if (seed.empty() || (int)seed.size() > SEED_MAX_LENGTH) return false;
    for (char c : seed)
        if (!seedChar(c)) return false;
    return true;
}

std::string seededTrackName(const std::string& seed)
{
    if (!validTrackSeed(seed)) return "";
    std::string name = SEEDED_TRACK_PREFIX;
    for (char c : seed) name += lowered(c);
    return name;
}

bool isSeededTrackName(const std::string& dir)
{
    std::string prefix = SEEDED_TRACK_PREFIX;
    if (dir.compare(0, prefix.size(), prefix) != 0) return false;
    std::string seed = dir.substr(prefix.size());
    return validTrackSeed(seed) && seededTrackName(seed) == dir;
}

static bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool validDay(int day)
{
    int y = day / 10000, m = day / 100 % 100, d = day % 100;
    static const int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < FIRST_YEAR || y > LAST_YEAR || m < 1 || m > 12 || d < 1) return false;
    return d <= monthDays[m - 1] + (m == 2 && leapYear(y) ? 1 : 0);
}

std::string daySeed(int day)
{
    if (!validDay(day)) return "";
    char s[16];
    snprintf(s, sizeof s, "%08d", day);
    return s;
}

int trackDay(const std::string& dir)
{
    std::string prefix = SEEDED_TRACK_PREFIX;
    if (dir.size() != prefix.size() + DAY_DIGITS || dir.compare(0, prefix.size(), prefix) != 0) return 0;
    int day = 0;
    for (size_t i = prefix.size(); i < dir.size(); i++) {
        if (dir[i] < '0' || dir[i] > '9') return 0;
        day = day * 10 + (dir[i] - '0');
    }
    return validDay(day) ? day : 0;
}

std::string dayText(int day)
{
    if (!validDay(day)) return "";
    char s[16];
    snprintf(s, sizeof s, "%04d-%02d-%02d", day / 10000, day / 100 % 100, day % 100);
    return s;
}

// Days' tracks before typed seeds, a later day before an earlier one, typed seeds by name.
static bool listedBefore(const std::string& a, const std::string& b)
{
    int da = trackDay(a), db = trackDay(b);
    if ((da != 0) != (db != 0)) return da != 0;
    if (da != db) return da > db;
    return a < b;
}

std::vector<std::string> orderSeededTracks(std::vector<std::string> dirs)
{
    std::sort(dirs.begin(), dirs.end(), listedBefore);
    return dirs;
}

std::vector<std::string> dayTracksToRemove(const std::vector<DayTrackFound>& found, int kept)
{
    std::vector<DayTrackFound> days;
    for (const DayTrackFound& f : found)
        if (trackDay(f.dir) != 0) days.push_back(f);
    std::sort(days.begin(), days.end(),
              [](const DayTrackFound& a, const DayTrackFound& b) { return trackDay(a.dir) > trackDay(b.dir); });
    std::vector<std::string> out;
    for (int i = (int)days.size() - 1; i >= kept && i >= 0; i--)
        if (!days[i].scored) out.push_back(days[i].dir);
    return out;
}

std::vector<std::string> trackListOrder(const std::vector<std::string>& shipped, const std::vector<std::string>& seeded,
                                        int capacity, int& leftOut)
{
    std::vector<std::string> list = shipped, ordered = orderSeededTracks(seeded);
    list.insert(list.end(), ordered.begin(), ordered.end());
    leftOut = std::max((int)list.size() - capacity, 0);
    if (leftOut > 0) list.resize(capacity);
    return list;
}

std::string seededTrackLabel(const std::string& dir, int today)
{
    if (!isSeededTrackName(dir)) return "";
    int day = trackDay(dir);
    if (day == 0) return "Your seed: " + dir.substr(std::string(SEEDED_TRACK_PREFIX).size());
    return (day == today ? "Track of the day, " : "Track of ") + dayText(day);
}
