// The command line: nothing plays, --help asks for the usage, --export-video TRACK with its options
// asks for a film; anything else is refused with why.
#include <gtest/gtest.h>

#include <vector>

#include "shell/filmCommand.h"

namespace {

Command read(std::vector<const char*> words)
{
    words.insert(words.begin(), "kestrune");
    return readCommandLine((int)words.size(), const_cast<char**>(words.data()));
}

TEST(CommandLine, PlayHelpOrAFilm)
{
    EXPECT_EQ(commandPlay, read({}).kind);
    EXPECT_EQ(commandHelp, read({"--help"}).kind);
    Command c = read({"--export-video", "ironpark"});
    ASSERT_EQ(commandFilm, c.kind);
    EXPECT_EQ("ironpark", c.film.track);
    EXPECT_EQ(defaultFilmWidth, c.film.width);
    EXPECT_EQ(defaultFilmHeight, c.film.height);
    EXPECT_EQ(defaultFilmFps, c.film.fps);
    EXPECT_EQ("", c.film.out);
    EXPECT_EQ(0, c.film.soundBack) << "no game sound to give back on the command line";
    c = read({"--export-video", "meadow", "--size", "640x360", "--fps", "30", "--out", "/tmp/a.mp4", "--png-frames"});
    ASSERT_EQ(commandFilm, c.kind) << c.why;
    EXPECT_EQ(640, c.film.width);
    EXPECT_EQ(360, c.film.height);
    EXPECT_EQ(30, c.film.fps);
    EXPECT_EQ("/tmp/a.mp4", c.film.out);
    EXPECT_EQ(1, c.film.pngFrames);
    EXPECT_NE(std::string::npos, std::string(COMMAND_USAGE).find("--export-video TRACK"));
}

TEST(CommandLine, WhatCannotBeFilmedIsRefusedWithWhy)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--play"},
        {"--export-video"},
        {"--export-video", "--size", "640x360"},
        {"--export-video", "meadow", "--size"},
        {"--export-video", "meadow", "--size", "640"},
        {"--export-video", "meadow", "--size", "641x360"},
        {"--export-video", "meadow", "--size", "32x32"},
        {"--export-video", "meadow", "--size", "7680x4320"},
        {"--export-video", "meadow", "--fps", "0"},
        {"--export-video", "meadow", "--fps", "500"},
        {"--export-video", "meadow", "--fps", "thirty"},
        {"--export-video", "meadow", "--loud"},
    };
    for (const auto& words : bad) {
        Command c = read(words);
        std::string said;
        for (const char* w : words) said += std::string(w) + " ";
        EXPECT_EQ(commandBad, c.kind) << said;
        EXPECT_FALSE(c.why.empty()) << said;
    }
}

}  // namespace
