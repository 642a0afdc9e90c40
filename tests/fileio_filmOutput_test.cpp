// A film's files: made whole under its own name or not at all. Sound and frames through ffmpeg (the
// installed one, or stand-ins that fail), or PNG pictures in a folder; a full disk, an encoder that
// stops half way, a folder that cannot be written and a cancel each leave nothing behind but a line
// saying why. Names carry the track, rider, score and date; leftovers of a killed game are swept.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "shell/filmOutput.h"
#include "sound/wavFile.h"
#include "platform/filmSound.h"
#include "support/testFiles.h"

namespace {

const int W = 64, H = 36, FPS = 30;

FilmOutputPlan planIn(const TempDir& d, const std::string& encoder)
{
    FilmOutputPlan p;
    p.folder = d.file("videos");
    p.name = "meadow_tolvek_1234_2025-01-02_0304";
    p.width = W, p.height = H, p.fps = FPS;
    p.encoder = encoder;
    return p;
}

std::string installedEncoder() { return findProgram(FILM_ENCODER_PROGRAM, getenv("PATH")); }

void writeScript(const std::string& path, const std::string& body)
{
    writeText(path, "#!/bin/sh\n" + body + "\n");
    chmod(path.c_str(), 0755);
}

// A second of silence-with-a-tone and `frames` frames of changing shades; the first failure's line.
std::string makeFilm(FilmOutput& o, const FilmOutputPlan& plan, int frames)
{
    std::string why;
    if (!beginFilmOutput(o, plan, why)) return why;
    std::vector<short> sound((size_t)filmSoundRate / FPS * filmSoundChannels, 1000);
    std::vector<unsigned char> rgb((size_t)W * H * 3);
    for (int f = 0; f < frames; f++)
        if (!addFilmSound(o, sound.data(), filmSoundRate / FPS, why)) return why;
    if (!beginFilmPictures(o, why)) return why;
    for (int f = 0; f < frames; f++) {
        std::fill(rgb.begin(), rgb.end(), (unsigned char)(f * 7));
        if (!addFilmPicture(o, rgb.data(), why)) return why;
    }
    if (!endFilmOutput(o, why)) return why;
    return "";
}

TEST(FilmOutput, AFilmIsMadeUnderItsNameAndNothingElseIsLeft)
{
    TempDir d;
    std::string encoder = installedEncoder();
    ASSERT_FALSE(encoder.empty()) << "scripts/setup.sh installs ffmpeg";
    FilmOutput o;
    ASSERT_EQ("", makeFilm(o, planIn(d, encoder), 12));
    std::string film = d.file("videos/meadow_tolvek_1234_2025-01-02_0304.mp4");
    char* whole = realpath(film.c_str(), nullptr);
    EXPECT_EQ(std::string(whole ? whole : ""), o.finalPath) << "the whole path, to tell the player";
    free(whole);
    EXPECT_EQ(std::vector<std::string>{"meadow_tolvek_1234_2025-01-02_0304.mp4"}, folderNames(d.file("videos")));
    FilmOutput again;
    ASSERT_EQ("", makeFilm(again, planIn(d, encoder), 3));
    EXPECT_EQ(2u, folderNames(d.file("videos")).size()) << "a second film of the same name keeps the first";
    EXPECT_NE(std::string::npos, again.finalPath.find("_0304_2.mp4")) << again.finalPath;
}

TEST(FilmOutput, FramesWithoutTheEncoderGoInAFolderWithTheSound)
{
    TempDir d;
    FilmOutputPlan p = planIn(d, "");
    p.pngFrames = 1;
    FilmOutput o;
    ASSERT_EQ("", makeFilm(o, p, 3));
    std::vector<std::string> names = folderNames(d.file("videos/meadow_tolvek_1234_2025-01-02_0304"));
    EXPECT_EQ((std::vector<std::string>{"frame00000.png", "frame00001.png", "frame00002.png", "sound.wav"}), names);
    std::vector<unsigned char> png = readBytes(d.file("videos/meadow_tolvek_1234_2025-01-02_0304/frame00001.png"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(0x89, png[0]);
    EXPECT_EQ('P', png[1]);
    EXPECT_EQ(1u, folderNames(d.file("videos")).size());
}

void expectNothingLeft(const TempDir& d, const std::string& why, const char* what)
{
    EXPECT_FALSE(why.empty()) << what;
    std::vector<std::string> left = folderNames(d.file("videos"));
    EXPECT_TRUE(left.empty()) << what << ": " << (left.empty() ? "" : left[0]);
}

TEST(FilmOutput, AnEncoderThatStopsHalfWayLeavesNothing)
{
    TempDir d;
    writeScript(d.file("ffmpeg"), "head -c 30000 >/dev/null; echo 'Conversion failed!' >&2; exit 1");
    FilmOutput o;
    std::string why = makeFilm(o, planIn(d, d.file("ffmpeg")), 40);
    abandonFilmOutput(o);
    expectNothingLeft(d, why, "an encoder that stops");
    EXPECT_NE(std::string::npos, why.find("ffmpeg stopped: Conversion failed!")) << why;
}

TEST(FilmOutput, AFullDiskLeavesNothing)
{
    TempDir d;
    std::string encoder = installedEncoder();
    ASSERT_FALSE(encoder.empty());
    {
        // the film grows past what may be written: the encoder finds its disk full half way
        FileSizeLimit full(60000);
        FilmOutputPlan p = planIn(d, encoder);
        p.withSound = 0;
        FilmOutput o;
        std::vector<unsigned char> noise((size_t)W * H * 3);
        std::string why;
        ASSERT_TRUE(beginFilmOutput(o, p, why) && beginFilmPictures(o, why)) << why;
        bool fed = true;
        for (int f = 0; f < 300 && fed; f++) {
            for (size_t i = 0; i < noise.size(); i++) noise[i] = (unsigned char)(rand() & 255);
            fed = addFilmPicture(o, noise.data(), why);
        }
        if (fed) fed = endFilmOutput(o, why);
        EXPECT_FALSE(fed);
        abandonFilmOutput(o);
        expectNothingLeft(d, why, "the encoder's disk full");
        EXPECT_NE(std::string::npos, why.find("disk is full")) << why;
    }
    // the sound's file on a full disk
    FilmOutputPlan p = planIn(d, encoder);
    p.path = d.file("film.mp4");
    std::string soundPart = p.path + "." + std::to_string((long)getpid()) + ".wav.part";
    ASSERT_EQ(0, symlink("/dev/full", soundPart.c_str()));
    FilmOutput o;
    std::string why = makeFilm(o, p, 40);
    abandonFilmOutput(o);
    EXPECT_NE(std::string::npos, why.find("the disk is full")) << why;
    EXPECT_TRUE(folderNames(d.path()).empty() || folderNames(d.path()) == std::vector<std::string>{"videos"})
        << "the sound's file is gone (" << folderNames(d.path()).size() << " names left)";
    struct stat st;
    EXPECT_EQ(0, stat("/dev/full", &st)) << "what the link pointed at is untouched";
}

TEST(FilmOutput, AFolderThatCannotBeWrittenIsSaidAtOnce)
{
    TempDir d;
    writeText(d.file("file"), "a file where a folder should be");
    FilmOutputPlan p = planIn(d, installedEncoder());
    p.folder = d.file("file/videos");
    FilmOutput o;
    std::string why;
    EXPECT_FALSE(beginFilmOutput(o, p, why));
    EXPECT_NE(std::string::npos, why.find("can't make the folder")) << why;
    p = planIn(d, installedEncoder());
    p.path = d.file("missing/film.mp4");
    EXPECT_FALSE(beginFilmOutput(o, p, why));
    EXPECT_NE(std::string::npos, why.find("can't write in the folder")) << why;
    p.pngFrames = 1;
    EXPECT_FALSE(beginFilmOutput(o, p, why));
    EXPECT_EQ(std::vector<std::string>{"file"}, folderNames(d.path()));
}

TEST(FilmOutput, ACancelLeavesNothingOfAFilmOrOfItsFrames)
{
    TempDir d;
    for (short frames : {0, 1}) {
        FilmOutputPlan p = planIn(d, installedEncoder());
        p.pngFrames = frames;
        FilmOutput o;
        std::string why;
        std::vector<unsigned char> rgb((size_t)W * H * 3, 80);
        std::vector<short> sound(100 * filmSoundChannels, 0);
        ASSERT_TRUE(beginFilmOutput(o, p, why) && addFilmSound(o, sound.data(), 100, why) &&
                    beginFilmPictures(o, why) && addFilmPicture(o, rgb.data(), why))
            << why;
        abandonFilmOutput(o);
        abandonFilmOutput(o);  // twice: nothing more to do
        EXPECT_TRUE(folderNames(d.file("videos")).empty()) << (frames ? "frames" : "film");
    }
}

TEST(FilmOutput, NamesCarryTrackRiderScoreAndDate)
{
    std::string n = filmName("iron park/..", "tol vek", 802929, 1700000000);
    EXPECT_TRUE(std::regex_match(n, std::regex("ironpark_tolvek_802929_20[0-9][0-9]-[01][0-9]-[0-3][0-9]_[0-2][0-9][0-5][0-9]")))
        << n;
    EXPECT_EQ(0u, filmName("///", "", 0, 0).find("run_run_0_")) << "never an empty part";
}

TEST(FilmOutput, LeftoversOfAKilledGameAreSweptOthersKept)
{
    TempDir d;
    pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    std::string dead = std::to_string((long)gone), mine = std::to_string((long)getpid());
    writeText(d.file("a.mp4." + dead + ".part"), "x");
    writeText(d.file("a.mp4." + dead + ".wav.part"), "x");
    mkdir(d.file("a." + dead + ".part").c_str(), 0755);
    writeText(d.file("a." + dead + ".part/frame00000.png"), "x");
    writeText(d.file("b.mp4." + mine + ".part"), "x");
    writeText(d.file("c.mp4"), "x");
    writeText(d.file("notes.part"), "x");
    sweepAbandonedFilms(d.path());
    EXPECT_EQ((std::vector<std::string>{"b.mp4." + mine + ".part", "c.mp4", "notes.part"}), folderNames(d.path()));
}

TEST(FilmOutput, AWavFileOnAFullDiskSaysSo)
{
    WavWriter w;
    std::string why;
    std::vector<short> s(40000, 3);
    ASSERT_TRUE(openWav(w, "/dev/full", 44100, 2, why)) << why;
    bool ok = appendWav(w, s.data(), 20000, why) && closeWav(w, why);
    EXPECT_FALSE(ok);
    EXPECT_EQ(strerror(ENOSPC), why);
    TempDir d;
    ASSERT_TRUE(openWav(w, d.file("s.wav"), 22050, 1, why) && appendWav(w, s.data(), 10, why) && closeWav(w, why));
    std::vector<unsigned char> b = readBytes(d.file("s.wav"));
    ASSERT_EQ(44u + 20u, b.size());
    EXPECT_EQ(0, memcmp(b.data(), "RIFF", 4));
    EXPECT_EQ(20, b[40]) << "the data's size filled in";
    EXPECT_EQ(22050 & 255, b[24]);
}

}  // namespace
