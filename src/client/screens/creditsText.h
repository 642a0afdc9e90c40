// The credits page: its sections in two columns and where each line goes in the 640 x 480 overlay.
#pragma once

const int CREDIT_LINES_PER_SECTION = 5;
const int CREDIT_COLUMNS = 2;

struct CreditSection {
    const char* heading;
    const char* lines[CREDIT_LINES_PER_SECTION]; // null after the last
};

struct CreditColumn {
    const char* title;
    const CreditSection* sections;
    int count;
};

extern const char CREDITS_TITLE[];
extern const CreditColumn creditColumns[CREDIT_COLUMNS];

// One text of the page: where it starts, its scale, and whether it is in the large font.
struct CreditPlace {
    float x, y, scale;
    bool large;
    const char* text;
};
const int CREDIT_PLACES_MAX = 64;

// Column left edges and width, in overlay units; the page's text stays above the logo at the bottom.
const float CREDIT_COLUMN_X[CREDIT_COLUMNS] = {34, 338};
const float CREDIT_COLUMN_WIDTH = 276;
const float CREDIT_PAGE_TOP = 414, CREDIT_PAGE_BOTTOM = 64;

// Lays out the titles, headings and lines of both columns, each shrunk to its column's width. Returns
// the number of places written (at most max).
int layoutCredits(CreditPlace* out, int max);
