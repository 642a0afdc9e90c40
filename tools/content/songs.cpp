// The two menu themes and the background tunes: key, tempo, chords, patterns and instruments of each.
#include "audio.h"
#include "content.h"
#include "music.h"

#include <sndfile.h>

static const int IONIAN[7] = {0, 2, 4, 5, 7, 9, 11};
static const int AEOLIAN[7] = {0, 2, 3, 5, 7, 8, 10};
static const int MIXOLYDIAN[7] = {0, 2, 4, 5, 7, 9, 10};

// Menu theme: A minor, a steady pulse under plucked arpeggios and a bell tune.
static const SongRecipe MENU_THEME = {
    100.0f, 12, 57, AEOLIAN, "1637", "BCC", INS_PAD, INS_PLUCK, INS_BASS, INS_BELL,
    "R--.R--.F--.O-..", "0.1.2.1.3.2.1.2.", "x.....x...x.....", "....x.......x...", "x.o.x.o.x.o.x.oo",
    "x--x--x-x---x-x-x-------x-x-x---", 0.0f, 128};

// Score table: F major, swung, electric piano and flute over a walking bass.
static const SongRecipe SCORES_THEME = {
    86.0f, 8, 53, IONIAN, "2516", "BC", INS_EPIANO, INS_PLUCK, INS_BASS, INS_FLUTE,
    "R-..F-..O-..F-..", "......0.....1...", "x.......x.o.....", "....o.......x...", "x.o.x.o.x.o.x.o.",
    "x-.x-.x---..x-x-x-----..x-x-x---", 0.6f, 137};

// Bright D major pop for sunny slopes: electric piano, plucked arpeggios, a singing lead.
static const SongRecipe ALPENGLOW = {
    118.0f, 32, 50, IONIAN, "1564", "ABCCBDCC", INS_EPIANO, INS_PLUCK, INS_BASS, INS_LEAD,
    "R-R-R-R-F-F-O-F-", "0123012301230123", "x.....x.x.......", "....x.......x...", "x.x.x.x.x.x.x.xo",
    "x-x-x-x-x---x---x-x-x-----x-x---", 0.0f, 301};

// Driving E minor at a racing tempo: octave bass and chip arpeggios in sixteenths, brass, four on the floor.
static const SongRecipe POWDER_RUN = {
    142.0f, 40, 52, AEOLIAN, "1676", "BCCDBCCDCC", INS_PAD, INS_CHIP, INS_BASS, INS_BRASS,
    "RORORORORORORORO", "0120012001200120", "x...x...x...x...", "....x.......x..o", "o.x.o.x.o.x.o.xo",
    "x.x.x-x-x.x.x---x.x.x-x-x---x---", 0.0f, 402};

// Slow G mixolydian: bells, pad and flute, a shaker and a sparse kick.
static const SongRecipe COLD_SUN = {
    78.0f, 24, 55, MIXOLYDIAN, "1741", "ABCDCB", INS_PAD, INS_BELL, INS_BASS, INS_FLUTE,
    "R-------F-------", "0...2...1...3...", "x.........x.....", "........o.......", "..x...x...x...x.",
    "x---x-x-x-------x-x-x---x-------", 0.2f, 503};

static Wave makeMenuTheme() { return renderSong(MENU_THEME); }
static Wave makeScoresTheme() { return renderSong(SCORES_THEME); }
static Wave makeAlpenglow() { return renderSong(ALPENGLOW); }
static Wave makePowderRun() { return renderSong(POWDER_RUN); }
static Wave makeColdSun() { return renderSong(COLD_SUN); }

const AudioPiece musicThemes[] = {
    {"sounds/themes/kestruneintro128.aif", true, makeMenuTheme},
    {"sounds/themes/ostyle137.aif", true, makeScoresTheme},
};
const int NB_MUSIC_THEMES = sizeof musicThemes / sizeof musicThemes[0];

const AudioPiece musicTunes[] = {
    {"bgmusics/alpenglow.flac", true, makeAlpenglow},
    {"bgmusics/powderrun.flac", true, makePowderRun},
    {"bgmusics/coldsun.flac", true, makeColdSun},
};
const int NB_MUSIC_TUNES = sizeof musicTunes / sizeof musicTunes[0];

void genMusic(const std::string&, const std::string& data)
{
    writePieces(data, musicThemes, NB_MUSIC_THEMES, SF_FORMAT_AIFF);
    writePieces(data, musicTunes, NB_MUSIC_TUNES, SF_FORMAT_FLAC);
}
