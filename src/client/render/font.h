// Bitmap font: 256 glyph cells of a 16 x 16 cell picture, two character sets.
#pragma once

const float fontAdvance = 10.0f;  // pen advance of one glyph, overlay units
const float fontCellSize = 16.0f;

// Texture coordinates of glyph cell c (0..255): s0..s0+1/16, t0..t0+1/16.
void glyphCellCoords(int cell, float* s0, float* t0);
// Glyph cell of character code k in set s (sets above 1 print as set 1); outside 0..255 there is none.
int glyphCellFor(int set, int code);
void glPrint(int x, int y, const char* text, int set, unsigned int texture);
void glPrintScale(int x, int y, const char* text, int set, unsigned int texture, float scale);
