#include "shell/kestrune.h"

#include <allegro.h>
#include <alleggl.h>
#include <GL/glx.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "fileio/atomicWrite.h"
#include "fileio/safeOpen.h"
#include "fileio/swapthings.h"
#include "shell/bombKey.h"
#include "platform/displaySize.h"
#include "fileio/gameFolders.h"
#include "platform/processSignals.h"
#include "render/renderSettings.h"
#include "screens/menuScreens.h"
#include "shell/gameLoop.h"
#include "shell/setupDialogLook.h"
#include "shell/startChecks.h"
#include "fileio/safeOpen.h"

GfxSettings gfxSettings;
static int mode = AGL_FULLSCREEN;
static int width = defaultDisplayWidth;
static int height = defaultDisplayHeight;

static const int NO_DATA_STATUS = 2; // as when the default rider cannot be read

struct ResolutionRow {
    int w, h;
    const char* text;
};
struct DepthRow {
    int bits;
    const char* text;
};

// -1 x -1 stands for the desktop's own size, read when the display is opened.
static const ResolutionRow resolutions[] = {{800, 600, " 800x600 "},   {-1, -1, " desktop "},
                                            {1024, 768, " 1024x768"},  {1280, 720, " 1280x720"},
                                            {1366, 768, " 1366x768"},  {1600, 900, " 1600x900"},
                                            {1920, 1080, " 1920x1080"}};
// 8 and 15 bits cannot hold the game's smooth sky and snow: not offered (a saved one becomes 32).
static const DepthRow colour_depths[] = {{16, "16 bpp"}, {24, "24 bpp"}, {32, "32 bpp"}};
static const DepthRow zbuffer_depths[] = {{8, " 8 bits"}, {16, "16 bits"}, {24, "24 bits"}, {32, "32 bits"}};

static const int RESOLUTION_ROWS = sizeof resolutions / sizeof resolutions[0];
static const int COLOUR_ROWS = sizeof colour_depths / sizeof colour_depths[0];
static const int ZBUFFER_ROWS = sizeof zbuffer_depths / sizeof zbuffer_depths[0];

template <typename Row>
static const char* listRow(const Row* rows, int count, int index, int* listSize)
{
    if (index < 0) {
        *listSize = count;
        return nullptr;
    }
    return index < count ? rows[index].text : nullptr;
}

// Allegro calls its listers as char* (*)(int, int*): one of another type, even const char*, is undefined
// behaviour through its pointer. The rows are never written.
char* resolution_lister(int index, int* listSize)
{
    return const_cast<char*>(listRow(resolutions, RESOLUTION_ROWS, index, listSize));
}
char* colour_depth_lister(int index, int* listSize)
{
    return const_cast<char*>(listRow(colour_depths, COLOUR_ROWS, index, listSize));
}
char* zbuffer_depth_lister(int index, int* listSize)
{
    return const_cast<char*>(listRow(zbuffer_depths, ZBUFFER_ROWS, index, listSize));
}

// The row holding `bits`; the last row when none does.
static int findDepthIndex(const DepthRow* rows, int count, int bits)
{
    for (int i = 0; i < count; i++)
        if (rows[i].bits == bits) return i;
    return count - 1;
}

int findColorDepthIndex(int bits) { return findDepthIndex(colour_depths, COLOUR_ROWS, bits); }
int findZDepthIndex(int bits) { return findDepthIndex(zbuffer_depths, ZBUFFER_ROWS, bits); }

int findResolutionIndex(int w, int h)
{
    for (int i = 0; i < RESOLUTION_ROWS; i++)
        if (resolutions[i].w == w && resolutions[i].h == h) return i;
    return 0;  // absent, 0 or a size the list does not offer: 800 x 600
}

// The window size of a resolution row: the desktop row asks the system, 800 x 600 when it cannot.
static void rowSize(int row, int* w, int* h)
{
    *w = resolutions[row].w;
    *h = resolutions[row].h;
    if (*w > 0) return;
    if (get_desktop_resolution(w, h) != 0 || *w <= 0 || *h <= 0) {
        *w = defaultDisplayWidth;
        *h = defaultDisplayHeight;
    }
}

static const short frameCaps[] = {60, 120, 144, 0};
static const char* const frameCapNames[] = {"60", "120", "144", "none"};
static const int frameCapCount = 4;

static int frameCapRow(short cap)
{
    for (int i = 0; i < frameCapCount; i++)
        if (frameCaps[i] == cap) return i;
    return 0;
}

char* frame_cap_lister(int index, int* listSize)
{
    if (index < 0) {
        *listSize = frameCapCount;
        return nullptr;
    }
    return index < frameCapCount ? (char*)frameCapNames[index] : nullptr;
}

// Sync with the screen's refresh where the driver offers a swap interval; said once when it does not.
static void applyScreenSync()
{
    typedef int (*SwapInterval)(int);
    Display* shown = glXGetCurrentDisplay();
    const char* ext = shown ? glXQueryExtensionsString(shown, DefaultScreen(shown)) : nullptr;
    const char* names[] = {"GLX_MESA_swap_control", "glXSwapIntervalMESA", "GLX_SGI_swap_control", "glXSwapIntervalSGI"};
    for (int i = 0; i < 4; i += 2) {
        if (!ext || !strstr(ext, names[i])) continue;
        SwapInterval set = (SwapInterval)glXGetProcAddressARB((const GLubyte*)names[i + 1]);
        if (set && set(gfxSettings.screenSync ? 1 : 0) == 0) return;
    }
    if (gfxSettings.screenSync) printf("This display does not sync with the screen: the frame cap alone paces the game\n");
}

// Only 1 turns a renderer setting on: an unknown value keeps the specified look.
static short settingFrom(bool present, short stored) { return present && stored == 1 ? 1 : 0; }

// Written before the byte order is set, so the numbers stay in the machine's own order.
int loadGfxPrefs(const char* path)
{
    FILE* f = openBoundedOrSay(path, PREFS_FILE_BOUND);
    if (!f) return 1;
    short z, colour, win, w, h, smooth, haze, cap, sync;
    bool complete = readShortInt(f, &z) && readShortInt(f, &colour) && readShortInt(f, &win);
    // each later field is optional: an older, shorter file keeps 800 x 600 and both settings off
    bool sized = complete && readShortInt(f, &w) && readShortInt(f, &h);
    bool smoothed = sized && readShortInt(f, &smooth);
    bool hazed = smoothed && readShortInt(f, &haze);
    bool capped = hazed && readShortInt(f, &cap) && readShortInt(f, &sync);
    fclose(f);
    if (complete) {
        gfxSettings.zDepthSize = z;
        gfxSettings.colorDepthSize = colour;
        gfxSettings.windowed = win;
        gfxSettings.gfxWidth = sized ? w : 0;
        gfxSettings.gfxHeight = sized ? h : 0;
        renderSettings.smoothDistantTextures = settingFrom(smoothed, smooth);
        renderSettings.distanceHaze = settingFrom(hazed, haze);
        // a cap that is none of the offered ones (a hand-edited file) keeps the default
        gfxSettings.frameCap = capped ? frameCaps[frameCapRow(cap)] : defaultFrameCap;
        gfxSettings.screenSync = settingFrom(capped, sync);
    }
    return 0;
}

static bool fillGfxPrefs(FILE* f, const void*)
{
    short fields[] = {(short)gfxSettings.zDepthSize, (short)gfxSettings.colorDepthSize, gfxSettings.windowed, gfxSettings.gfxWidth, gfxSettings.gfxHeight,
                      renderSettings.smoothDistantTextures, renderSettings.distanceHaze, gfxSettings.frameCap, gfxSettings.screenSync};
    for (short field : fields)
        if (!writeShortInt(f, &field)) return false;
    return true;
}

int saveGfxPrefs(const char* path, char* why)
{
    return writeFileAtomically(path, fillGfxPrefs, nullptr, why) ? 0 : 1;
}

// The type Allegro's list proc calls its lister through.
typedef char* (*Lister)(int, int*);
static_assert(std::is_same<decltype(&resolution_lister), Lister>::value, "a lister of Allegro's type");

// A quit signal closes the dialog as "Exit" does.
static int quitWatchProc(int msg, DIALOG*, int)
{
    return msg == MSG_IDLE && quitSignalReceived() ? D_CLOSE : D_O_K;
}

enum { DLG_RESOLUTION = 4, DLG_COLOUR = 6, DLG_ZBUFFER = 8, DLG_WINDOWED = 9, DLG_OK = 11, DLG_EXIT = 12, DLG_SMOOTH = 13,
       DLG_HAZE = 14, DLG_SYNC = 15, DLG_CAP = 17, DLG_RETURN = 19 };

static short ticked(const DIALOG& d) { return (d.flags & D_SELECTED) != 0 ? 1 : 0; }

static void applyDialogChoices(DIALOG* d)
{
    allegro_gl_clear_settings();
    gfxSettings.colorDepthSize = colour_depths[d[DLG_COLOUR].d1].bits;
    allegro_gl_set(AGL_COLOR_DEPTH, gfxSettings.colorDepthSize);
    gfxSettings.zDepthSize = zbuffer_depths[d[DLG_ZBUFFER].d1].bits;
    allegro_gl_set(AGL_Z_DEPTH, gfxSettings.zDepthSize);
    allegro_gl_set(AGL_DOUBLEBUFFER, 1);
    allegro_gl_set(AGL_RENDERMETHOD, 1);
    bool inWindow = ticked(d[DLG_WINDOWED]);
    mode = inWindow ? AGL_WINDOWED : AGL_FULLSCREEN;
    gfxSettings.windowed = inWindow ? 2 : 0;
    allegro_gl_set(mode, TRUE);
    allegro_gl_set(AGL_SUGGEST, AGL_COLOR_DEPTH | AGL_Z_DEPTH | AGL_DOUBLEBUFFER | AGL_RENDERMETHOD | mode);
    int row = d[DLG_RESOLUTION].d1;
    gfxSettings.gfxWidth = (short)resolutions[row].w;
    gfxSettings.gfxHeight = (short)resolutions[row].h;
    rowSize(row, &width, &height);
    renderSettings.smoothDistantTextures = ticked(d[DLG_SMOOTH]);
    renderSettings.distanceHaze = ticked(d[DLG_HAZE]);
    gfxSettings.screenSync = ticked(d[DLG_SYNC]);
    gfxSettings.frameCap = frameCaps[d[DLG_CAP].d1 >= 0 && d[DLG_CAP].d1 < frameCapCount ? d[DLG_CAP].d1 : 0];
}

int setup()
{
    static char underline[] = "__________________________________";
    static char title[] = "Kestrune OpenGL Setup";
    static char resolutionLabel[] = "Resolution";
    static char colourLabel[] = "Colour depth";
    static char zbufferLabel[] = "Z buffer";
    static char windowedLabel[] = "Windowed";
    static char emptyLine[] = "        ";
    static char ok[] = "Ok";
    static char exitLabel[] = "Exit";
    static char smoothLabel[] = "Smooth far textures";
    static char hazeLabel[] = "Distance haze";
    static char syncLabel[] = "Sync with screen";
    static char capLabel[] = "Frame cap";
    // The box leaves a margin under the frame cap's list, the dialog's lowest row.
    DIALOG d[] = {
        {gameBoxProc, 0, 0, 320, 208, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
        {d_ctext_proc, 160, 10, 0, 0, 0, 0, 0, 0, 0, 0, underline, nullptr, nullptr},
        {d_ctext_proc, 160, 8, 0, 0, 0, 0, 0, 0, 0, 0, title, nullptr, nullptr},
        {d_text_proc, 10, 30, 0, 0, 0, 0, 0, 0, 0, 0, resolutionLabel, nullptr, nullptr},
        {gameListProc, 10, 40, 96, 60, 0, 0, 0, 0, findResolutionIndex(gfxSettings.gfxWidth, gfxSettings.gfxHeight), 0,
         (void*)resolution_lister, nullptr, nullptr},
        {d_text_proc, 120, 30, 0, 0, 0, 0, 0, 0, 0, 0, colourLabel, nullptr, nullptr},
        {gameListProc, 120, 40, 96, 48, 0, 0, 0, 0, findColorDepthIndex(gfxSettings.colorDepthSize), 0,
         (void*)colour_depth_lister, nullptr, nullptr},
        {d_text_proc, 10, 104, 96, 48, 0, 0, 0, 0, 0, 0, zbufferLabel, nullptr, nullptr},
        {gameListProc, 10, 114, 96, 48, 0, 0, 0, 0, findZDepthIndex(gfxSettings.zDepthSize), 0,
         (void*)zbuffer_depth_lister, nullptr, nullptr},
        {gameCheckProc, 10, 170, 96, 8, 0, 0, 0, gfxSettings.windowed ? D_SELECTED : 0, 0, 0, windowedLabel, nullptr, nullptr},
        {d_ctext_proc, 10, 180, 128, 8, 0, 0, 0, 0, 0, 0, emptyLine, nullptr, nullptr},
        {gameButtonProc, 220, 150, 96, 18, 0, 0, 0, D_EXIT, 0, 0, ok, nullptr, nullptr},
        {gameButtonProc, 220, 174, 96, 18, 0, 0, 0, D_EXIT, 0, 0, exitLabel, nullptr, nullptr},
        {gameCheckProc, 120, 104, 176, 8, 0, 0, 0, renderSettings.smoothDistantTextures ? D_SELECTED : 0, 0, 0, smoothLabel,
         nullptr, nullptr},
        {gameCheckProc, 120, 120, 176, 8, 0, 0, 0, renderSettings.distanceHaze ? D_SELECTED : 0, 0, 0, hazeLabel, nullptr, nullptr},
        {gameCheckProc, 120, 136, 176, 8, 0, 0, 0, gfxSettings.screenSync ? D_SELECTED : 0, 0, 0, syncLabel, nullptr, nullptr},
        {d_text_proc, 120, 150, 0, 0, 0, 0, 0, 0, 0, 0, capLabel, nullptr, nullptr},
        {gameListProc, 120, 160, 80, 36, 0, 0, 0, 0, frameCapRow(gfxSettings.frameCap), 0, (void*)frame_cap_lister,
         nullptr, nullptr},
        {quitWatchProc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
        {returnKeyProc, 0, 0, 0, 0, 0, 0, 0, 0, DLG_EXIT, 0, nullptr, nullptr, nullptr},
        {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    };
    d[DLG_RETURN].dp = d;
    enterDialogLook();
    setDialogColours(d);
    d[1].fg = DLG_COLOUR_EDGE;  // the title's rule
    centre_dialog(d);
    int closedBy = do_dialog(d, DLG_OK);
    leaveDialogLook();
    applyDialogChoices(d);
    return closedBy == DLG_OK || closedBy == DLG_RETURN ? 1 : 0;
}

// Nothing is opened until the data and a display answer: without them Allegro's graphics set-up
// crashes or shows a black window.
static int startChecks()
{
    std::string whyNot;
    if (!initGameFolders(whyNot)) {
        fprintf(stderr, "%s\n", whyNot.c_str());
        return NO_DATA_STATUS;
    }
    char why[START_WHY_CHARS];
    if (!checkDataFolder(gameFolders().data.c_str(), why)) {
        fprintf(stderr, "%s\n", why);
        return NO_DATA_STATUS;
    }
    if (!checkDisplay(why)) {
        fprintf(stderr, "%s\n", why);
        return -1;
    }
    if (allegro_init() != 0 || system_driver == nullptr || system_driver->id == SYSTEM_NONE) {
        fprintf(stderr, "Kestrune cannot start: Allegro found no usable system (%s)\n", allegro_error);
        return -1;
    }
    installQuitSignals(); // over Allegro's, which abort
    installDisplayLossHandler();
    return 0;
}

int kestruneMain()
{
    installQuitSignals();
    int refused = startChecks();
    if (refused != 0) return refused;
    mapBombKey();
    set_color_depth(8);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
        allegro_message("Error setting plain graphics mode:\n%s\n", allegro_error);
        return -1;
    }
    install_allegro_gl();
    install_keyboard();
    install_mouse();
    std::string gfxRead = playerReadPath(GFX_PREFS_FILE);
    loadGfxPrefs(gfxRead.c_str());
    noteRefusedFile(gfxRead, GFX_PREFS_FILE);
    int confirmed = setup();
    remove_keyboard();
    remove_mouse();
    if (confirmed == 1 && !quitSignalReceived()) {
        set_window_title("Kestrune");
        if (set_gfx_mode(GFX_OPENGL, width, height, 0, 0) != 0) {
            allegro_message("Error setting OpenGL graphics mode:\n%s\nAllegro GL error : %s\n", allegro_error,
                            allegro_gl_error);
            return -1;
        }
        applyScreenSync();
        setDisplaySize(SCREEN_W, SCREEN_H);
        installQuitSignals();
        installDisplayLossHandler();
        char why[FILE_WHY_CHARS];
        std::string gfx = playerWritePath(GFX_PREFS_FILE);
        if (saveGfxPrefs(gfx.c_str(), why) != 0 && !refusalOf(gfx.c_str())) { // a refused file is said already
            fprintf(stderr, "Could not save the display settings in %s: %s\n", gfx.c_str(), why);
            snprintf(homeNote, sizeof homeNote, "Display settings not saved in gfx.prefs: %s", why);
        }
        gameLoop();
    }
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    int sig = quitSignalReceived();
    return sig ? quitStatus(sig) : 0;
}
