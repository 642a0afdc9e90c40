// The set-up dialog in the game's colours: a palette, the drawing of its objects and the Return key.
#pragma once

#include <allegro.h>

// Palette slots the dialog's colours are written to (the plain window is 8 bits a pixel).
enum DialogColour { DLG_COLOUR_PANEL = 240, DLG_COLOUR_FIELD, DLG_COLOUR_TEXT, DLG_COLOUR_EDGE,
                    DLG_COLOUR_BAR, DLG_COLOUR_FOCUS, DLG_COLOUR_SHADOW, DLG_COLOUR_BACKDROP,
                    DLG_COLOUR_END };

// The default palette with the dialog's colours in their slots (components 0-63).
void dialogPalette(PALETTE pal);

// Return closes the dialog as its "Ok" wherever the pointer is; only a keyboard focus on "Exit"
// leaves it to that button.
bool returnAccepts(int scancode, bool exitHasFocus);

// Allegro dialog procs drawn in the game's colours, the focused one marked in orange. Texts take
// their colours from setDialogColours.
int gameBoxProc(int msg, DIALOG* d, int c);
int gameButtonProc(int msg, DIALOG* d, int c);
int gameCheckProc(int msg, DIALOG* d, int c);
int gameListProc(int msg, DIALOG* d, int c);

// Closes the dialog on Return (see returnAccepts); d1 is the index of "Exit" in the dialog array,
// dp the array. do_dialog then returns this object's index.
int returnKeyProc(int msg, DIALOG* d, int c);

// Every object's colours: texts light on the panel, the title's rule in the edge colour.
void setDialogColours(DIALOG* d);

// Puts the palette on screen, paints the window behind the dialog and keeps the focus off the pointer;
// leaveDialogLook gives the pointer its focus back.
void enterDialogLook();
void leaveDialogLook();
