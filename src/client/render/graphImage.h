// Textures: the BMP loaders with their colour keys, the menu/HUD and per-track texture tables,
// the fixed OpenGL state (projection, shading, lights).
#pragma once

const int nbTexGui = 12;
const int nbTexTrackStuff = 13;
const int maxTrackTextures = 40;

// texGui slots
const int texGuiFont = 0;
const int texGuiFont2 = 1;
const int texGuiBoules = 2;
const int texGuiMaskTrans = 3;
const int texGuiMask = 4;
const int texGuiMedalSide = 5;
const int texGuiVide = 6;
const int texGuiBomb = 7;
const int texGuiSnow = 8;

// texTrackStuff slots
const int texStuffSoleil = 1;
const int texStuffCylinder = 4;
const int texStuffFront = 5;
const int texStuffLeft = 6;
const int texStuffRight = 7;
const int texStuffBack = 8;
const int texStuffUp = 9;
const int texStuffDown = 10;
const int texStuffTraceRun = 11;
const int texStuffTraceBreak = 12;

// The OpenGL texture names: the menus' and HUD's, the track's sky, sun and traces, the terrain's.
struct GameTextures {
    unsigned int texGui[nbTexGui] = {};
    unsigned int texTrackStuff[nbTexTrackStuff] = {};
    unsigned int texName[maxTrackTextures] = {};
};
extern GameTextures gameTextures;

// Loaders: fill a caller buffer of width x height x 3 (RGB) or x 4 (RGBA) bytes, bottom row first,
// never more. A missing, unreadable, not-24-bit or wrongly sized picture is reported with its name
// and leaves the buffer black (alpha 255), so the texture is blank but of the expected size.
// The colour-key forms give alpha 0 to pixels that match the key exactly.
void chargerImageTexPtr(const char* fileName, unsigned char* out, int width, int height);
void chargerImageTexPtrTransColor(const char* fileName, unsigned char* out, int width, int height, float r,
                                  float g, float b);
void chargerImageTexPtrTransWhite(const char* fileName, unsigned char* out, int width, int height);
void chargerImageTexPtrTrans(const char* fileName, unsigned char* out, int width, int height);
// RGB loader into a buffer of `bytes` bytes (full-screen menu pictures).
void chargerImageTexPtrSized(const char* fileName, unsigned char* out, int bytes);

// A plain picture of size x size as a texture, clamped at its edges and filtered (the world's sky).
void uploadSkyTexture(unsigned int name, const char* file, int size);

// Texture files counted in a directory, capped at 40; 0 when it cannot be listed.
int countTrackTextures(const char* dir);

void initGuiGL();
void initGL(const char* trackName);
void libereTexturesTrackStuff();
// Deletes the loaded track's surface textures (getNbTrackTextures of them) and zeroes their names.
void libereTexturesTrack(unsigned int* texNames);
void initLightAndShade();
void reshape();
void placeLumiere();
