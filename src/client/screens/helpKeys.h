// Where the help picture has the rider's key caps: the content tool draws them blank and the help
// screen prints the keys in force on them, so a changed key map shows on the page.
#pragma once

#include "shell/keymap.h"

struct HelpKeyRow {
    int column; // 0 "On the snow", 1 "In the air"
    int row;    // 0 .. 4 under the column's heading
    int count;
    int slots[3];
};

const HelpKeyRow helpKeyRows[] = {
    {0, 0, 2, {KM_LEFT, KM_RIGHT}},         {0, 1, 1, {KM_UP}},
    {0, 2, 1, {KM_DOWN}},                   {0, 4, 3, {KM_DOWN, KM_LEFT, KM_RIGHT}},
    {1, 0, 2, {KM_LEFT, KM_RIGHT}},         {1, 1, 2, {KM_UP, KM_DOWN}},
    {1, 2, 2, {KM_LEFT_SIDE, KM_RIGHT_SIDE}}, {1, 3, 3, {KM_TRICK1, KM_TRICK2, KM_TRICK3}},
    {1, 4, 3, {KM_TRICK4, KM_TRICK5, KM_TRICK6}},
};
const int HELP_KEY_ROWS = sizeof helpKeyRows / sizeof helpKeyRows[0];

// Picture pixels, top-left origin.
const int HELP_COLUMN_X[2] = {30, 420};
const int HELP_HEADING_Y = 100;
const int HELP_CAP_W = 32, HELP_CAP_H = 30;

inline int helpCapLeft(int column, int index) { return HELP_COLUMN_X[column] + index * (HELP_CAP_W + 6); }
inline int helpCapTop(int row) { return HELP_HEADING_Y + 14 + row * 40; }
