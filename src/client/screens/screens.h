// Every front-end screen.
#pragma once

#include "screens/choixPiste.h"
#include "screens/choixSkier.h"
#include "screens/keySetup.h"
#include "screens/menuScreens.h"
#include "screens/nameEntry.h"
#include "screens/score.h"
