// The rider card and the loading of a whole rider (model, texture, card).
#pragma once

const int tailleTexteCarte = 256;
const int tailleFichierCarte = 1036;

class SkierCar {
public:
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

// Loads rider dir ("./data/models/<dir>/<dir>.3d" and ".car"): model, texture and card. Returns 0,
// or 1 after naming the file when the model is missing or refused: the previous rider then stays
// loaded. The game loop ends the program when its default rider cannot be loaded.
int chargeSkierGui(const char* dir);
// Loads rider dir's model and texture into the ghost's slot (the player's rider stays): 0, or 1
// when the model is missing or refused (the slot is then empty).
int chargeGhostRider(const char* dir);
