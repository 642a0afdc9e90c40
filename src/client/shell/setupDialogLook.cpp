// The set-up dialog's look: takes Allegro's dialog array, draws its objects in the game's night blue,
// ice and orange, and closes it as "Ok" on Return.
#include "shell/setupDialogLook.h"

struct DialogRgb {
    int r, g, b;
};

// The menus' colours (their pictures are painted by the content tool from the same values).
static const DialogRgb DIALOG_RGB[DLG_COLOUR_END - DLG_COLOUR_PANEL] = {
    {22, 40, 84},    // panel
    {8, 14, 36},     // field under lists and boxes
    {235, 242, 255}, // text
    {120, 170, 235}, // edges and the title's rule
    {40, 70, 120},   // buttons and the chosen row of a list without the focus
    {242, 100, 28},  // keyboard focus
    {4, 8, 20},      // the box's shadow
    {10, 18, 48},    // the window behind the dialog
};
static const int FOCUS_FRAME = 2;  // pixels of orange round the focused object
static const int SHADOW_OFFSET = 4;

static int savedMouseFocus = TRUE;

void dialogPalette(PALETTE pal)
{
    for (int i = 0; i < PAL_SIZE; i++) pal[i] = default_palette[i];
    for (int i = DLG_COLOUR_PANEL; i < DLG_COLOUR_END; i++) {
        const DialogRgb& c = DIALOG_RGB[i - DLG_COLOUR_PANEL];
        pal[i].r = (unsigned char)(c.r / 4);
        pal[i].g = (unsigned char)(c.g / 4);
        pal[i].b = (unsigned char)(c.b / 4);
    }
}

bool returnAccepts(int scancode, bool exitHasFocus)
{
    return (scancode == KEY_ENTER || scancode == KEY_ENTER_PAD) && !exitHasFocus;
}

static bool hasFocus(const DIALOG* d) { return (d->flags & D_GOTFOCUS) != 0; }

static void focusFrame(BITMAP* bmp, const DIALOG* d, int margin)
{
    for (int i = 0; i < FOCUS_FRAME; i++)
        rect(bmp, d->x - margin - i, d->y - margin - i, d->x + d->w - 1 + margin + i, d->y + d->h - 1 + margin + i,
             DLG_COLOUR_FOCUS);
}

int gameBoxProc(int msg, DIALOG* d, int c)
{
    if (msg != MSG_DRAW) return d_box_proc(msg, d, c);
    BITMAP* gui = gui_get_screen();
    rectfill(gui, d->x + SHADOW_OFFSET, d->y + SHADOW_OFFSET, d->x + d->w - 1 + SHADOW_OFFSET,
             d->y + d->h - 1 + SHADOW_OFFSET, DLG_COLOUR_SHADOW);
    rectfill(gui, d->x, d->y, d->x + d->w - 1, d->y + d->h - 1, DLG_COLOUR_PANEL);
    rect(gui, d->x, d->y, d->x + d->w - 1, d->y + d->h - 1, DLG_COLOUR_EDGE);
    return D_O_K;
}

int gameButtonProc(int msg, DIALOG* d, int c)
{
    if (msg != MSG_DRAW) return d_button_proc(msg, d, c);
    BITMAP* gui = gui_get_screen();
    bool pressed = (d->flags & D_SELECTED) != 0;
    int m = 1 + FOCUS_FRAME;  // a frame left by the focus is wiped with the panel
    rectfill(gui, d->x - m, d->y - m, d->x + d->w - 1 + m, d->y + d->h - 1 + m, DLG_COLOUR_PANEL);
    rectfill(gui, d->x, d->y, d->x + d->w - 1, d->y + d->h - 1, pressed ? DLG_COLOUR_FOCUS : DLG_COLOUR_BAR);
    rect(gui, d->x, d->y, d->x + d->w - 1, d->y + d->h - 1, DLG_COLOUR_EDGE);
    if (hasFocus(d)) focusFrame(gui, d, 1);
    textout_centre_ex(gui, font, (const char*)d->dp, d->x + d->w / 2, d->y + (d->h - text_height(font)) / 2,
                      DLG_COLOUR_TEXT, -1);
    return D_O_K;
}

int gameCheckProc(int msg, DIALOG* d, int c)
{
    if (msg != MSG_DRAW) return d_check_proc(msg, d, c);
    BITMAP* gui = gui_get_screen();
    int side = text_height(font) + 2, top = d->y - 1;
    rectfill(gui, d->x - 3, d->y - 3, d->x + d->w + 2, d->y + d->h + 2, DLG_COLOUR_PANEL);
    rectfill(gui, d->x, top, d->x + side - 1, top + side - 1, DLG_COLOUR_FIELD);
    rect(gui, d->x, top, d->x + side - 1, top + side - 1, DLG_COLOUR_EDGE);
    if (d->flags & D_SELECTED) {  // a tick
        line(gui, d->x + 2, top + side / 2, d->x + side / 2 - 1, top + side - 3, DLG_COLOUR_TEXT);
        line(gui, d->x + side / 2 - 1, top + side - 3, d->x + side - 3, top + 2, DLG_COLOUR_TEXT);
        line(gui, d->x + 2, top + side / 2 - 1, d->x + side / 2 - 1, top + side - 4, DLG_COLOUR_TEXT);
        line(gui, d->x + side / 2 - 1, top + side - 4, d->x + side - 3, top + 1, DLG_COLOUR_TEXT);
    }
    textout_ex(gui, font, (const char*)d->dp, d->x + side + 6, d->y, DLG_COLOUR_TEXT, -1);
    if (hasFocus(d)) focusFrame(gui, d, 2);
    return D_O_K;
}

// The rows are drawn here with Allegro's row pitch, so its clicks and keys still land on them; the
// chosen row sits on a solid bar, orange while the list has the keyboard focus.
int gameListProc(int msg, DIALOG* d, int c)
{
    if (msg != MSG_DRAW) return d_list_proc(msg, d, c);
    typedef char* (*Lister)(int, int*);
    BITMAP* gui = gui_get_screen();
    Lister list = (Lister)d->dp;
    int count = 0;
    list(-1, &count);
    int rowH = text_height(font);
    bool focused = hasFocus(d);
    rectfill(gui, d->x - 2, d->y - 2, d->x + d->w + 1, d->y + d->h + 1, DLG_COLOUR_PANEL);
    rectfill(gui, d->x + 1, d->y + 1, d->x + d->w - 2, d->y + d->h - 2, DLG_COLOUR_FIELD);
    rect(gui, d->x, d->y, d->x + d->w - 1, d->y + d->h - 1, DLG_COLOUR_EDGE);
    for (int i = d->d2; i < count; i++) {
        int y = d->y + 2 + (i - d->d2) * rowH;
        if (y + rowH > d->y + d->h - 1) break;
        if (i == d->d1)
            rectfill(gui, d->x + 2, y, d->x + d->w - 3, y + rowH - 1, focused ? DLG_COLOUR_FOCUS : DLG_COLOUR_BAR);
        textout_ex(gui, font, list(i, nullptr), d->x + 4, y, DLG_COLOUR_TEXT, -1);
    }
    if (focused) focusFrame(gui, d, 1);
    return D_O_K;
}

int returnKeyProc(int msg, DIALOG* d, int c)
{
    if (msg != MSG_XCHAR) return D_O_K;
    const DIALOG* all = (const DIALOG*)d->dp;
    if (!returnAccepts(c >> 8, all && hasFocus(&all[d->d1]))) return D_O_K;
    return D_CLOSE | D_USED_CHAR;
}

void setDialogColours(DIALOG* d)
{
    for (; d->proc; d++) {
        d->fg = DLG_COLOUR_TEXT;
        d->bg = DLG_COLOUR_PANEL;
    }
}

void enterDialogLook()
{
    PALETTE pal;
    dialogPalette(pal);
    set_palette(pal);
    clear_to_color(screen, DLG_COLOUR_BACKDROP);
    gui_fg_color = DLG_COLOUR_TEXT;
    gui_bg_color = DLG_COLOUR_PANEL;
    savedMouseFocus = gui_mouse_focus;
    gui_mouse_focus = FALSE;  // the focus moves with keys and clicks, never with the pointer alone
}

void leaveDialogLook() { gui_mouse_focus = savedMouseFocus; }
