// The rider card and the loading of a whole rider (model, texture, card).
#pragma once

const int tailleTexteCarte = 256;
const int tailleFichierCarte = 1036;

struct SkierCar {
    char id[256];
    char nickname[256];
    char name[256];
    float weight;  // kilograms
    float size;    // metres
    char country[256];
    float age;     // years
};

// The card of the chosen rider.
extern SkierCar* theTrasher;

// Reads "./data/models/<dir>/<dir>.car"-style card files. Returns 0, or 1 when the file cannot be
// opened, is short or holds a text without NUL in its 256 bytes; the card is then left unchanged.
int importCarac(const char* path, SkierCar* card);

// Loads rider dir: model, texture and card. Returns 0, or 1 when the model is missing or refused:
// the previous rider then stays loaded. When no rider has been loaded yet (start-up), a missing
// model ends the program with exit status 2 after naming the file.
int chargeSkierGui(const char* dir);
