// The content tool's generators. Every generator is deterministic: same recipes, same bytes.
#pragma once

#include <string>
#include <vector>

// An RGB picture, top row first in memory.
struct Picture {
    int width, height;
    std::vector<unsigned char> rgb;
    Picture(int w, int h);
    void set(int x, int y, int r, int g, int b);
};

// Prints a complaint ("file:line: what", no newline needed) to standard error and counts it: a run of
// the tool that made any ends with a failure status and leaves the data folder as it was.
void contentError(const char* format, ...) __attribute__((format(printf, 1, 2)));
int contentErrorCount();

// The data folder's list of the files the tool made there (one path a line, relative to the folder):
// what a rebuild may replace or remove and what `make clean` deletes. The player's files are never in it.
extern const char* const GENERATED_LIST;
// Where a run makes its files before they are moved into the data folder.
const char* const NEW_CONTENT_FOLDER = ".kescontent-new";
std::vector<std::string> generatedFiles(const std::string& data);
// Moves every file of fresh into data (an existing player's key map stays), removes the files the
// previous list names and this run did not make, and writes the new list. 0, or 1 after a message.
int publishContent(const std::string& fresh, const std::string& data);
void removeTree(const std::string& root);

// Writes RGBA pixels (top row first) as a PNG; 1 after a message when it cannot.
int writePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba);
// The desktop icon at each size, as DIR/<n>x<n>/kestrune.png (the hicolor theme's layout).
const int ICON_SIZES[] = {128, 256};
int writeIcon(const std::string& path, int size);
void genIcons(const std::string& dir);

// Writes a 24-bit bottom-up BMP; 1 when the file cannot be written.
int writeBmp(const std::string& path, const Picture& pic);

// Pictures, fonts, sounds, music and the key map (menus, HUD, sounds, tunes).
void genGuiPictures(const std::string& recipes, const std::string& data);
void genSounds(const std::string& recipes, const std::string& data);
void genMusic(const std::string& recipes, const std::string& data);
void genPrefs(const std::string& recipes, const std::string& data);

struct TrackMesh;
// The decoration and surface pictures of one track directory ("texObj/" and "texTrack/").
// theme selects the track's look (sky colours, snow tint), 0 being the default; seed shapes the
// mountains round the valley, so that each track shows its own skyline; the sky faces show the
// track itself from above its start, its front face being the track's thumbnail.
void genTrackPictures(const std::string& trackDir, int theme, int seed, const TrackMesh& mesh);
// Direction through texture coordinate (s, t) of sky face `face` (front, left, right, back, up, down)
// in the box the game draws the faces on.
void skyFaceDirection(int face, float s, float t, float* d);
// The sky drawn behind a track's world, in "texObj/" (skyFront, skyLeft, skyRight, skyUp): its theme's
// colours, clouds by its weather (0 clear to 3 storm) and far ranges shaped by seed.
void genWorldSkyFaces(const std::string& trackDir, int theme, int weather, int seed);
// The surface pictures alone, into the "texTrack/" folder given (with its closing slash).
void genSurfacePictures(const std::string& surfaceDir, int theme);

// Tracks, riders and trick poses.
void genTracks(const std::string& recipes, const std::string& data);
// The track, text track, description and music files alone, without the pictures and models that take
// most of the time: what a ride on the tracks reads.
void genTrackFilesOnly(const std::string& recipes, const std::string& data);
struct TrackRecipe;
// One track's files into DATA/tracks/NAME/ (its pictures, models and sky too when withPictures); where
// names the recipe in messages. 1 after a message when the track is broken or cannot be written.
int buildTrackFromRecipe(const TrackRecipe& r, const std::string& where, const std::string& data, bool withPictures);
void genRiders(const std::string& recipes, const std::string& data);
void genPositions(const std::string& recipes, const std::string& data);
