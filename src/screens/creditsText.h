// The lines the credits screen scrolls.
#pragma once

#include "screens/menuScreens.h"

extern const char* const creditLines[NB_CREDIT_LINES];
