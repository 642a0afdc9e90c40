#include "shell/gameLoop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "fileio/atomicWrite.h"
#include "fileio/swapthings.h"
#include "platform/gameClock.h"
#include "fileio/gameFolders.h"
#include "platform/memoryRelease.h"
#include "platform/processSignals.h"
#include "fileio/safeOpen.h"
#include "run/bestRun.h"
#include "screens/menuScreens.h"
#include "shell/trackBuilds.h"
#include "shell/padInput.h"
#include "render/ghostDraw.h"
#include "run/ghostRun.h"
#include "screens/nameEntry.h"
#include "screens/filmScreen.h"
#include "screens/replay.h"
#include "shell/runInputKeys.h"
#include "render/drawnState.h"
#include "render/gameFrameDraw.h"
#include "render/runEventEffects.h"
#include "run/lesson.h"
#include "run/runEvents.h"
#include "run/runTicker.h"
#include "sound/runEventSounds.h"
#include "core/graphicLib.h"
#include "screens/choixPiste.h"
#include "shell/kestrune.h"
#include "shell/keymap.h"
#include "shell/keys.h"
#include "shell/pause.h"
#include "shell/prefs.h"
#include "shell/runSwitches.h"
#include "shell/systemPortUtils.h"
#include "track/bombstuff.h"
#include "shell/initGame.h"
#include "track/trackLoader.h"
#include "track/trackModel.h"
#include "screens/choixSkier.h"
#include "screens/keySetup.h"
#include "screens/score.h"
#include "run/runFrame.h"
#include "run/runState.h"
#include "shell/playerRun.h"
#include "run/trickInput.h"
#include "render/Generic3dObjectDraw.h"
#include "skier/positionDef.h"
#include "skier/skierCar.h"
#include "render/SnowParticleEngine.h"
#include "render/graphImage.h"
#include "render/helpanim.h"
#include "track/planLib.h"
#include "sound/SndWrapper.h"
#include "sound/gameSounds.h"

int redrawAllMenu = 0;
static long fromProgBegin = 0;  // clock value at the start of gameLoop

MenuPictures menuPictures = {};

static const int MENU_PICTURE_BYTES = 800 * 600 * 3;
static const int LOGO_BYTES = 400 * 100 * 3;
static const int LOGOFF_BYTES = 47196;
static const double INTRO_SECONDS = 1.0;

static const long UNSAVED_PREFS_SHOWN_MS = 3000;
static const long REFUSED_FILE_SHOWN_MS = 2000;

static GameScreen shownScreen = GameScreen::home;
static const char LESSON_TRACK[] = "meadow"; // the widest and gentlest slope
static char bgMusicName[256];

static int loadRealRun();

GameScreens gameScreens;

void useRealScreens()
{
    gameScreens = {choixHome, ecranHelp, ecranCredits, ecranOptions, choixSkier,
                   choixPiste, typeName,  viewScores,   loadRealRun, displayGame, ecranTouches};
}

void waitForNextFrame()
{
    pollPad(); // every frame of every screen passes here once
#ifndef KESTRUNE_NO_FRAME_CAP
    // The player's cap (the run's clock is its own: the cap only spares the machine).
    if (gfxSettings.frameCap <= 0) return;
    long periodUs = 1000000L / gfxSettings.frameCap;
    static long nextFrameUs = -1;
    long nowUs = gameClock() * 1000;
    // Late by more than a frame, or a schedule from another clock: start again from now.
    long drift = nowUs - nextFrameUs;
    if (nextFrameUs < 0 || drift > periodUs || drift < -periodUs) nextFrameUs = nowUs;
    nextFrameUs += periodUs;
    gameClockSleepUntil(nextFrameUs / 1000);
#endif
}

// Player files the game would not read (a pipe, a device, one far too large) are treated as missing and
// never written over; their names are said together on the home menu.
static std::string refusedNames;

void noteRefusedFile(const std::string& path, const char* name)
{
    if (!refusalOf(path.c_str())) return;
    const char* slash = strrchr(name, '/');
    refusedNames += (refusedNames.empty() ? "" : ", ") + std::string(slash ? slash + 1 : name);
}

static void sayRefusedFiles()
{
    if (refusedNames.empty()) return;
    addHomeNote(("Not read (not a plain file, or too large): " + refusedNames).c_str());
    refusedNames.clear();
}

void loadUserPreferences()
{
    std::string path = playerReadPath(USER_PREFS_FILE);
    loadPrefsFile(path.c_str());
    noteRefusedFile(path, USER_PREFS_FILE);
    // The saved level rides from the first run, not only once the options screen has been seen.
    applyLevelTolerances(userPrefs.level);
    if (userPrefs.lastTrackDir[0]) selectTrackNamed(userPrefs.lastTrackDir);
}

// Saved as the game leaves, while its window is still open: a failure stays on the wait screen a moment.
static void saveUserPreferences()
{
    if (gameLists.nomFicPiste[0]) snprintf(userPrefs.lastTrackDir, sizeof userPrefs.lastTrackDir, "%s", gameLists.nomFicPiste);
    char why[FILE_WHY_CHARS];
    std::string prefs = playerWritePath(USER_PREFS_FILE);
    if (savePrefsFile(prefs.c_str(), why) == 0) return;
    fprintf(stderr, "Could not save the preferences in %s: %s\n", prefs.c_str(), why);
    displayWait(": user.prefs not saved"); // the reason is printed: the wait line has no room for it
    gameClockSleepUntil(gameClock() + UNSAVED_PREFS_SHOWN_MS);
}

static unsigned char* loadPicture(const char* inData, int bytes)
{
    unsigned char* buffer = (unsigned char*)calloc(bytes, 1);
    chargerImageTexPtrSized(dataPath(inData).c_str(), buffer, bytes);
    return buffer;
}

static void showIntro()
{
    unsigned char* logo = loadPicture("gui/logo.bmp", LOGO_BYTES);
    redrawAllMenu = 0;
    do {
        introLogo(logo);
        waitForNextFrame();
    } while ((gameClock() - fromProgBegin) * 0.001 < INTRO_SECONDS);
    redrawAllMenu = 0;
    free(logo);
}

void resetScreenRequests()
{
    shownScreen = GameScreen::home;
    resetKeyDetectors();
}

GameScreen currentScreen() { return shownScreen; }

// The one place the screen changes; the new one draws its full pictures again.
static void follow(ScreenEvent event)
{
    GameScreen next = nextScreen(shownScreen, event);
    if (next == shownScreen) return;
    shownScreen = next;
    redrawAllMenu = 0;
}

static void startUp()
{
    memset(bgMusicName, 0, sizeof bgMusicName);
    resetScreenRequests();
    srand((unsigned)time(nullptr));
    storeByteOrder(0);
    fromProgBegin = gameClock();
    showIntro();
    initKeymap(playerReadPath(KEYS_MAP_FILE).c_str());
    noteRefusedFile(playerReadPath(KEYS_MAP_FILE), KEYS_MAP_FILE);
    installKeys();
    installPad(playerReadPath(PAD_MAP_FILE).c_str());
    noteRefusedFile(playerReadPath(PAD_MAP_FILE), PAD_MAP_FILE);
    preCalculateTrigoTables();
    initEmptyScores();
    initGuiGL();
    loadPositions(dataPath("positions/").c_str());
    chargeNomPistes();
    chargeNomSkiers();
    chargeNomBgMusics();
    if (chargeSkierGui("tolvek") != 0) exit(2);  // no rider to ride without the default one
    highlightRider("tolvek");
    initAllSounds();
    menuPictures.homeImg = loadPicture("gui/home.bmp", MENU_PICTURE_BYTES);
    menuPictures.helpImg = loadPicture("gui/help.bmp", MENU_PICTURE_BYTES);
    menuPictures.logoffImg = loadPicture("gui/logoff.bmp", LOGOFF_BYTES);
    menuPictures.initialsImg = loadPicture("gui/initials.bmp", MENU_PICTURE_BYTES);
    menuPictures.scoresImg = loadPicture("gui/scores.bmp", MENU_PICTURE_BYTES);
    menuPictures.menusImg = loadPicture("gui/menus.bmp", MENU_PICTURE_BYTES);
    loadUserPreferences();
    sayRefusedFiles();
    startTheme();
    createParticleEngines();
}

static void playMenuSound(int which)
{
    playGuiSound(which);
}

static void beforeMenuFrame()
{
    skiHiss.volume = 1.0f;
    reinitSoundsParam();
}

static void menuFrame(void (*frame)())
{
    beforeMenuFrame();
    frame();
    waitForNextFrame();
}

static ScreenEvent menuFrame(ScreenEvent (*frame)())
{
    beforeMenuFrame();
    ScreenEvent happened = frame();
    waitForNextFrame();
    return happened;
}

// ESC read after a menu's frame leaves it, unless the frame itself left.
static void followOrEscape(ScreenEvent happened)
{
    if (keyEscNoRepeat() && happened == ScreenEvent::none) {
        playMenuSound(GUI_BACK);
        happened = ScreenEvent::escape;
    }
    follow(happened);
}

static void homePass()
{
    if (shownScreen != GameScreen::home) return;
    followOrEscape(menuFrame(gameScreens.choixHome));
}

static void helpPass()
{
    if (shownScreen != GameScreen::help) return;
    menuFrame(gameScreens.ecranHelp);
    followOrEscape(ScreenEvent::none);
}

static void creditsPass()
{
    if (shownScreen != GameScreen::credits) return;
    menuFrame(gameScreens.ecranCredits);
    followOrEscape(ScreenEvent::none);
}

static void optionsPass()
{
    if (shownScreen == GameScreen::keySetup) {
        follow(menuFrame(gameScreens.ecranTouches)); // it reads its own ESC
        return;
    }
    if (shownScreen != GameScreen::options) return;
    followOrEscape(menuFrame(gameScreens.ecranOptions));
}

static void trackScreenPass()
{
    beforeMenuFrame();
    bool typed = typingSeed();
    gameScreens.choixPiste(0);
    waitForNextFrame();
    if (typed || typingSeed()) {
        // ENTER and ESC were the seed's: seen here too, so that they start nothing once it closes.
        keyEnterNoRepeat();
        keyEscNoRepeat();
    } else if (keyEnterNoRepeat()) {
        playMenuSound(GUI_CHOOSE);
        follow(ScreenEvent::trackChosen);
    } else if (keyEscNoRepeat()) {
        playMenuSound(GUI_BACK);
        follow(ScreenEvent::escape);
    }
}

// The rider and track screens, and after a finish the name entry and the score table with the replay
// and the film it opens: one frame of the one shown.
static void playPass()
{
    switch (shownScreen) {
    case GameScreen::choixSkier: followOrEscape(menuFrame(gameScreens.choixSkier)); break;
    case GameScreen::choixPiste: trackScreenPass(); break;
    case GameScreen::typeName: follow(menuFrame(gameScreens.typeName)); break;
    case GameScreen::viewScores: follow(menuFrame(gameScreens.viewScores)); break;
    case GameScreen::replay: follow(menuFrame(replayFrame)); break; // its own finish is not the table's run's
    case GameScreen::film: follow(menuFrame(filmFrame)); break;    // made between frames of its own screen
    default: break;
    }
}

// The wait screen is where the player is while the run loads: a best.run that is not a plain file (or is
// far too large) is said there, before the textures set the run's drawing up.
static void sayRefusedBestRun()
{
    if (!userPrefs.ghostShown) return;
    std::string path = playerReadPath(trackFile(gameLists.nomFicPiste, BEST_RUN_FILE));
    if (FILE* f = openBounded(path.c_str(), BEST_RUN_FILE_BOUND)) fclose(f);
    if (!refusalOf(path.c_str())) return;
    displayWait(": best.run refused, no ghost");
    gameClockSleepUntil(gameClock() + REFUSED_FILE_SHOWN_MS);
}

// A best run that does not ride again to its own score and time is said on the wait screen, as a
// refused file is (the log has the reason), before the textures set the run's drawing up.
static void sayGhostRefusal()
{
    if (!ghostRefusal[0]) return;
    displayWait(": best.run refused, no ghost");
    gameClockSleepUntil(gameClock() + REFUSED_FILE_SHOWN_MS);
}

static int loadRealRun()
{
    stopTheme();
    skiHiss.volume = 0.0f;
    displayWait(": loading sounds");
    reinitSoundsParam();
    videPileBoutons(playerRun);
    reinitGameVar(playerRun, loadedTrack);
    libereTexturesTrackStuff();
    libereTexturesTrack(gameTextures.texName);
    displayWait(": loading level");
    if (initGame(loadedTrack, gameLists.nomFicPiste) != trackLoadOk) return 1;
    resetCollectedBomb(playerRun, loadedTrack.bombsQty);
    displayWait(": loading music");
    chooseTrackBgMusic(gameLists.nomFicPiste, bgMusicName);
    if (bgMusicName[0]) playTrack(bgMusicName, 0.4f);
    sayRefusedBestRun();
    loadGhostForRun(gameLists.nomFicPiste, userPrefs.ghostShown);  // a best run with its input is ridden again here
    sayGhostRefusal();
    displayWait(": loading textures");
    initGL(gameLists.nomFicPiste);
    placeSkierAtStart(playerRun, loadedTrack, gameClockLessPauses());
    return 0;
}

void consumeRunEvents()
{
    playRunEventSounds(runEvents(playerRun));
    applyRunEventEffects(runEvents(playerRun));
    clearRunEvents(playerRun);
}

// The run clock at the last drawn frame of the run (pauses left out).
static long lastRunFrameMs = 0;

// One frame of a run: the keyboard's record, the ticks of the run that are due (each one's sounds
// and snow, its drawn state), the drawing of the moment between the last two ticks and the flip.
void displayGame()
{
    RunInput in;
    readRunInput(in);
    long now = in.clockMs;
    if (runTicker.frames == 0) {
        lastRunFrameMs = runTicker.startMs;
        resetDrawnTicks(&drawnTicks);
        noteTickDrawn(&drawnTicks, 1);  // the start placement: nothing before it to draw between
    }
    runDrawnFrame(runTicker, playerRun, loadedTrack, (now - lastRunFrameMs) * 0.001, in, [] {
        lessonAfterFrame(playerRun, playerRun.timing.diffTemps);  // it reads the tick's events before they are consumed
        noteTickDrawn(&drawnTicks, tickTeleported());
        consumeRunEvents();
    });
    lastRunFrameMs = now;
    drawRunFrame(tickFraction(runTicker), runTicker.ticks);
    handleRunSwitches();
}

#ifdef KESTRUNE_NO_FRAME_CAP
// Measurement builds only: the mean frame rate of the run just left, for the frame-rate benchmark.
// The run's first seconds (the countdown after loading) are left out of the worst whole second: a
// second that began within them does not count.
static const long WORST_SECOND_FROM_MS = 3000;

static const long SLOW_FRAME_MS = 80;

// The frames of the run being measured: in all, in the second under way, the fewest of a whole second.
struct RunRateMeter {
    long frames = 0, startMs = 0, secondStart = 0, secondFrames = 0, worst = -1, lastFrameMs = 0;
};

static RunRateMeter startRunRateMeter()
{
    RunRateMeter m;
    m.startMs = m.secondStart = m.lastFrameMs = gameClock();
    return m;
}

static void noteFrameSecond(RunRateMeter& m)
{
    long now = gameClock();
    if (m.secondFrames > 0 && now - m.lastFrameMs >= SLOW_FRAME_MS)
        printf("run slow frame at %.2f s: %ld ms, rider at x %.0f\n", (now - m.startMs) * 0.001, now - m.lastFrameMs,
               playerRun.motion.Xobjet);
    m.lastFrameMs = now;
    m.frames++;
    m.secondFrames++;
    if (now - m.secondStart < 1000) return;
    bool counted = m.secondStart - m.startMs >= WORST_SECOND_FROM_MS;
    if (counted && (m.worst < 0 || m.secondFrames < m.worst)) m.worst = m.secondFrames;
    printf("run second to %.1f s: %ld frames\n", (now - m.startMs) * 0.001, m.secondFrames);  // finds when a slow one falls
    m.secondStart = now;
    m.secondFrames = 0;
}

static void reportRunRate(const RunRateMeter& m)
{
    double seconds = (gameClock() - m.startMs) * 0.001;
    if (seconds > 0)
        printf("run frames: %ld in %.1f s, %.1f fps, worst second %ld frames\n", m.frames, seconds, m.frames / seconds,
               m.worst);
    fflush(stdout);
}
#endif

// How a run was left when neither ENTER past the finish nor ESC before it left it (a quit signal,
// the lesson's end): a finish crossed still goes to the name entry.
static ScreenEvent runLeftAsItStands()
{
    return playerRun.motion.skieurArrive == 1 ? ScreenEvent::runFinished : ScreenEvent::runAbandoned;
}

// Frames of a run until ENTER after the finish or ESC before it; says which.
static ScreenEvent rideRun()
{
    ScreenEvent left = ScreenEvent::none;
#ifdef KESTRUNE_NO_FRAME_CAP
    RunRateMeter meter = startRunRateMeter();
#endif
    while (left == ScreenEvent::none) {
        gameScreens.displayGame();
        waitForNextFrame();
        if (quitSignalReceived()) { // the game leaves from the run as from the menus
            left = runLeftAsItStands();
            break;
        }
#ifdef KESTRUNE_NO_FRAME_CAP
        noteFrameSecond(meter);
#endif
        handleWindLoopSnd();
        if (playerRun.timing.DEPART != 0) handleSkiSndLoop();
        // Before the finish P pauses; ESC in the pause abandons the run as ESC in it does. Past the
        // finish a jump over the line lands first: its points count before the score is final.
        if (keyPauseNoRepeat() && playerRun.motion.skieurArrive == 0 && pauseRun() == PAUSE_ABANDONED) {
            playMenuSound(GUI_BACK);
            left = ScreenEvent::runAbandoned;
        } else if (keyEnterNoRepeat() && playerRun.motion.skieurArrive == 1 && getContact(playerRun) == 1) {
            playMenuSound(GUI_CHOOSE);
            left = ScreenEvent::runFinished;
        } else if (keyEscNoRepeat() && playerRun.motion.skieurArrive == 0) {
            playMenuSound(GUI_BACK);
            left = ScreenEvent::runAbandoned;
        } else if (lessonOver()) {
            playMenuSound(GUI_CHOOSE);
            left = runLeftAsItStands();
        }
    }
#ifdef KESTRUNE_NO_FRAME_CAP
    reportRunRate(meter);
#endif
    return left;
}

static void leaveRun()
{
    skiHiss.volume = 1.0f;
    reinitSoundsParam();
    stopTrack();
    if (playerRun.motion.skieurArrive == 1) {
        startScoresSnd();
        openNameEntry();
    } else {
        startTheme();
    }
    uninstallSkiSndLoop();
    uninstallWindLoopSnd();
    stopGrind(); // a run left in the middle of a grind
    giveBackFreedMemory();
}

static void runPass()
{
    if (shownScreen != GameScreen::run) return;
    if (gameScreens.loadRun() != 0) {
        // A track that does not load is not ridden: back to the track screen, which says why.
        printf("Can't ride the track %s\n", gameLists.nomFicPiste);
        if (trackRefusal[0])
            snprintf(trackNote, sizeof trackNote, "%s", trackRefusal);
        else
            snprintf(trackNote, sizeof trackNote, "Can't ride the track %.200s", gameLists.nomFicPiste);
        startTheme();
        follow(ScreenEvent::trackFailed);
        return;
    }
    ScreenEvent left = rideRun();
    leaveRun();
    follow(left);
}

// The lesson's track: the gentlest one when it is there, else the first of the list.
static void chooseLessonTrack()
{
    for (int i = 0; i < gameLists.nbTotalPistes; i++)
        if (strcmp(gameLists.listePistes[i], LESSON_TRACK) == 0) {
            snprintf(gameLists.nomFicPiste, sizeof gameLists.nomFicPiste, "%s", LESSON_TRACK);
            return;
        }
    if (gameLists.nbTotalPistes > 0) snprintf(gameLists.nomFicPiste, sizeof gameLists.nomFicPiste, "%s", gameLists.listePistes[0]);
}

// A lesson is ridden as a run but scores nothing; ridden to its end, it is not offered again. ESC
// skips it. The home menu comes next, and the track screen keeps the track it had.
static void lessonPass()
{
    if (shownScreen != GameScreen::lesson) return;
    char kept[sizeof gameLists.nomFicPiste];
    snprintf(kept, sizeof kept, "%s", gameLists.nomFicPiste);
    chooseLessonTrack();
    startLesson();
    if (gameLists.nomFicPiste[0] && gameScreens.loadRun() == 0) rideRun();
    short finished = lesson.active && lesson.step == LESSON_STEPS;
    stopLesson();
    playerRun.motion.skieurArrive = 0;
    playerRun.scores.vuScores = 1;
    leaveRun();
    snprintf(gameLists.nomFicPiste, sizeof gameLists.nomFicPiste, "%s", kept);
    if (finished) {
        userPrefs.lessonDone = 1;
        saveUserPreferences();
    }
    follow(ScreenEvent::lessonEnded);
}

// Only the screen shown reads keys. A screen entered during a pass that comes later in this order has
// its first frame in the same pass (the rider screen after ENTER on Play, the run after ENTER on a track).
int gameLoopPass()
{
    if (quitSignalReceived()) return 0; // SIGTERM or SIGINT: leave as ESC on the home menu does
    pollTrackBuilds();
    homePass();
    helpPass();
    creditsPass();
    optionsPass();
    playPass();
    lessonPass();
    runPass();
    return shownScreen == GameScreen::exit ? 0 : 1;
}

static void freeMenuPictures()
{
    MenuPictures& p = menuPictures;
    for (unsigned char* picture : {p.homeImg, p.helpImg, p.logoffImg, p.trackImg, p.initialsImg, p.scoresImg, p.menusImg})
        free(picture);
    p = {};
}

static void exitSequence()
{
    displayWait(": game exiting");
    finishTrackBuilds();
    saveUserPreferences();
    quitAllSounds();
    deleteObjectLists();
    freeMenuPictures();
    deleteParticleEngines();
    freeEffectQuadrics();
    removeKeys();
}

void gameLoop()
{
    useRealScreens();
    startUp();
    while (gameLoopPass()) {
    }
    exitSequence();
}
