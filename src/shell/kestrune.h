// Program entry and the display set-up dialog.
#pragma once

int kestruneMain();
