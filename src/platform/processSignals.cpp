// Takes the process's signals and the X connection's end; turns them into a clean leave or a quick exit.
#include "platform/processSignals.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "fileio/atomicWrite.h"

static const int SAVE_WAIT_STEPS = 100, SAVE_WAIT_STEP_US = 10000; // a second at most

static volatile sig_atomic_t receivedSignal = 0;

static void noteQuitSignal(int sig) { receivedSignal = sig; }

static void handleWith(int sig, void (*handler)(int))
{
    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART; // a write under way goes on rather than failing with EINTR
    sigaction(sig, &sa, nullptr);
}

void installQuitSignals()
{
    handleWith(SIGXFSZ, SIG_IGN);
    handleWith(SIGTERM, noteQuitSignal);
    handleWith(SIGINT, noteQuitSignal);
}

int quitSignalReceived() { return receivedSignal; }
void clearQuitSignal() { receivedSignal = 0; }
int quitStatus(int sig) { return 128 + sig; }

const char* displayLostLine() { return "Kestrune: the X display was lost; the game ends"; }

static int displayLost(Display*)
{
    for (int i = 0; i < SAVE_WAIT_STEPS && atomicWritesUnderWay() > 0; i++) usleep(SAVE_WAIT_STEP_US);
    fprintf(stderr, "%s\n", displayLostLine());
    fflush(stderr);
    _exit(DISPLAY_LOST_STATUS);
    return 0;
}

void installDisplayLossHandler() { XSetIOErrorHandler(displayLost); }
