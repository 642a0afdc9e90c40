#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "run/howManyMinutes.h"

static std::string timeText(float seconds) {
    char* t = howManyMinutes(seconds);
    std::string s = t ? t : "";
    free(t);
    return s;
}

TEST(RunTime, MinutesSecondsHundredthsTruncated) {
    EXPECT_EQ("01:15:50", timeText(75.5f));
    EXPECT_EQ("00:00:00", timeText(0.0f));
    EXPECT_EQ("00:59:75", timeText(59.75f));
    EXPECT_EQ("02:00:00", timeText(120.0f));
}

TEST(RunTime, LongAndBadTimesStayInTheBuffer) {
    std::string longRun = timeText(6000000.0f);
    EXPECT_EQ("100000:00:00", longRun);
    EXPECT_FALSE(timeText(1e30f).empty());
    EXPECT_EQ("00:00:00", timeText(-3.0f));
}
