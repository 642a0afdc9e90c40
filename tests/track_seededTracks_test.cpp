#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "track/seededTracks.h"

// The day's seed is its eight digits: a valid seed for the generator, and its folder gives the day back.
TEST(DaySeed, EveryDayOfTwoYearsGivesItsOwnSeedAndFolderThatReadBack)
{
    std::vector<std::string> seen;
    for (int year : {2024, 2026})
        for (int month = 1; month <= 12; month++)
            for (int d = 1; d <= 31; d++) {
                int day = year * 10000 + month * 100 + d;
                std::string seed = daySeed(day);
                if (!validDay(day)) {
                    EXPECT_EQ(seed, "") << day;
                    continue;
                }
                ASSERT_TRUE(validTrackSeed(seed)) << day;
                EXPECT_EQ(seed.size(), 8u);
                EXPECT_EQ(trackDay(seededTrackName(seed)), day);
                EXPECT_TRUE(isSeededTrackName(seededTrackName(seed)));
                seen.push_back(seed);
            }
    EXPECT_EQ(seen.size(), 366u + 365u);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
}

TEST(DaySeed, OnlyRealCalendarDaysCount)
{
    EXPECT_EQ(daySeed(20261210), "20261210");
    EXPECT_EQ(dayText(20261210), "2026-12-10");
    EXPECT_TRUE(validDay(20240229));
    EXPECT_TRUE(validDay(20000229));  // divisible by 400
    EXPECT_FALSE(validDay(19000229)); // by 100 only
    EXPECT_FALSE(validDay(20260229));
    EXPECT_FALSE(validDay(20260431));
    EXPECT_FALSE(validDay(20261301));
    EXPECT_FALSE(validDay(20261200));
    EXPECT_FALSE(validDay(0));
    EXPECT_EQ(dayText(0), "");
    for (const char* notADay : {"seed2026121", "seed202612100", "seed20261232", "seedpowder", "Seed20261210",
                                "20261210", "meadow", "seed2026121x"})
        EXPECT_EQ(trackDay(notADay), 0) << notADay;
}

TEST(SeededNames, OnlyWhatTheGeneratorNamesIsASeededTrack)
{
    EXPECT_TRUE(isSeededTrackName("seedpowder"));
    EXPECT_TRUE(isSeededTrackName("seed20261210"));
    EXPECT_FALSE(isSeededTrackName("seedPowder")); // the generator lowers the seed
    EXPECT_FALSE(isSeededTrackName("seed"));
    EXPECT_FALSE(isSeededTrackName("seedaverylongword1"));
    EXPECT_FALSE(isSeededTrackName("meadow"));
    EXPECT_FALSE(isSeededTrackName("seed-x"));
    EXPECT_EQ(seededTrackLabel("seed20261210", 20261210), "Track of the day, 2026-12-10");
    EXPECT_EQ(seededTrackLabel("seed20261209", 20261210), "Track of 2026-12-09");
    EXPECT_EQ(seededTrackLabel("seedpowder", 20261210), "Your seed: powder");
    EXPECT_EQ(seededTrackLabel("meadow", 20261210), "");
}

static std::string dayDir(int day) { return "seed" + daySeed(day); }

// The days of December 2026, 1 to n, in a shuffled order.
static std::vector<DayTrackFound> decemberDays(int n, unsigned shuffleSeed)
{
    std::vector<DayTrackFound> found;
    for (int d = 1; d <= n; d++) found.push_back({dayDir(20261200 + d), false});
    std::shuffle(found.begin(), found.end(), std::mt19937(shuffleSeed));
    return found;
}

TEST(DayTracksKept, TheNewestAreKeptAndTheRestGoOldestFirst)
{
    for (unsigned order : {1u, 2u, 3u}) {
        std::vector<DayTrackFound> found = decemberDays(31, order);
        EXPECT_EQ(dayTracksToRemove(found, DAY_TRACKS_KEPT), std::vector<std::string>{dayDir(20261201)});
        found = decemberDays(DAY_TRACKS_KEPT, order);
        EXPECT_TRUE(dayTracksToRemove(found, DAY_TRACKS_KEPT).empty());
    }
    // Across a month's end: November's days are older than December's.
    std::vector<DayTrackFound> found = decemberDays(25, 7);
    for (int d = 20; d <= 30; d++) found.push_back({dayDir(20261100 + d), false});
    std::vector<std::string> expected;
    for (int d = 20; d <= 25; d++) expected.push_back(dayDir(20261100 + d));
    EXPECT_EQ(dayTracksToRemove(found, DAY_TRACKS_KEPT), expected);
}

TEST(DayTracksKept, ScoredDaysStayAndOtherFoldersAreNeverNamed)
{
    std::vector<DayTrackFound> found = decemberDays(31, 5);
    for (DayTrackFound& f : found)
        if (f.dir == dayDir(20261202)) f.scored = true;
    for (int d = 1; d <= 5; d++) found.push_back({dayDir(20251100 + d), d == 3});
    for (const char* other : {"meadow", "seedpowder", "seed2026", "tracks"}) found.push_back({other, false});
    std::vector<std::string> expected = {dayDir(20251101), dayDir(20251102), dayDir(20251104), dayDir(20251105),
                                         dayDir(20261201)};
    EXPECT_EQ(dayTracksToRemove(found, DAY_TRACKS_KEPT), expected);
    // With none kept, every day goes but the two scored.
    EXPECT_EQ(dayTracksToRemove(found, 0).size(), 36u - 2u);
}

TEST(TrackList, ShippedFirstThenTodayThenOlderDaysThenTypedSeeds)
{
    std::vector<std::string> shipped = {"alpine", "meadow", "storm"};
    std::vector<std::string> seeded = {"seedzebra", dayDir(20261208), "seedpowder", dayDir(20261210),
                                       dayDir(20251231), dayDir(20261209)};
    int leftOut = -1;
    std::vector<std::string> expected = {"alpine", "meadow", "storm", dayDir(20261210), dayDir(20261209),
                                         dayDir(20261208), dayDir(20251231), "seedpowder", "seedzebra"};
    EXPECT_EQ(trackListOrder(shipped, seeded, 50, leftOut), expected);
    EXPECT_EQ(leftOut, 0);
}

TEST(TrackList, PastTheCapacityTheOldestSeededAreLeftOutAndEveryShippedOneStays)
{
    std::vector<std::string> shipped;
    for (int i = 0; i < 8; i++) shipped.push_back("track" + std::to_string(i));
    std::vector<std::string> seeded = {"seedword"};
    for (int d = 1; d <= 31; d++) seeded.push_back(dayDir(20261200 + d));
    for (int d = 1; d <= 13; d++) seeded.push_back(dayDir(20261100 + d));
    int leftOut = 0;
    std::vector<std::string> list = trackListOrder(shipped, seeded, 50, leftOut);
    ASSERT_EQ(list.size(), 50u);
    EXPECT_EQ(leftOut, 53 - 50);
    EXPECT_EQ(list[7], "track7");
    EXPECT_EQ(list[8], dayDir(20261231));
    EXPECT_EQ(list[49], dayDir(20261103)); // Nov 2, Nov 1 and the typed seed are left out
    EXPECT_EQ(std::count(list.begin(), list.end(), "seedword"), 0);

    std::vector<std::string> many(60, "x");
    list = trackListOrder(many, seeded, 50, leftOut);
    EXPECT_EQ(leftOut, 60 + 45 - 50);
    EXPECT_EQ(list.size(), 50u);
}
