# Shared helpers of the display tests: a private Xvfb, the game's window, held keys, screen grabs.
# Source it; call kes_start_display first and kes_cleanup on exit.
# KES_SCREEN sets the Xvfb screen size (default 1024x768), KES_GAME_SIZE the game window that
# kes_launch waits for (default 800x600, the game's default size).

kes_start_display() {
    # Xvfb picks a free display itself and writes its number once it accepts clients, so display
    # tests started at the same moment never end up sharing one server.
    local n= numfile
    numfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${KES_SCREEN:-1024x768}x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
    KES_XVFB_PID=$!
    for _ in $(seq 100); do
        n=$(head -1 "$numfile" 2>/dev/null)
        [ -n "$n" ] && break
        kill -0 "$KES_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numfile"
    [ -n "$n" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$n
}

# The game goes first, and is killed outright if it has not left within 5 s: a game whose X server
# vanished under it can hang in its exit and would hold the caller's final wait for ever.
kes_cleanup() {
    if [ -n "${KES_GAME_PID:-}" ] && kill "$KES_GAME_PID" 2>/dev/null; then
        for _ in $(seq 50); do kill -0 "$KES_GAME_PID" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$KES_GAME_PID" 2>/dev/null || true  # errexit callers must still reach Xvfb
    fi
    [ -n "${KES_XVFB_PID:-}" ] && kill "$KES_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    return 0
}

# Waits up to $1 seconds for a window of class "allegro"; prints its id.
kes_wait_window() {
    local i w
    for i in $(seq $(( $1 * 5 ))); do
        w=$(xdotool search --class allegro 2>/dev/null | tail -1)
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.2
    done
    return 1
}

# Waits up to $1 seconds for the game's window of KES_GAME_SIZE (the set-up dialog's window is
# 640 x 480); prints its id.
kes_wait_game_window() {
    local i w
    for i in $(seq $(( $1 * 5 ))); do
        for w in $(xdotool search --class allegro 2>/dev/null); do
            xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Geometry: ${KES_GAME_SIZE:-800x600}$" &&
                { echo "$w"; return 0; }
        done
        sleep 0.2
    done
    return 1
}

# With no window manager the keys go to the window under the pointer. Xvfb puts the pointer at the
# screen's centre, inside the 640 x 480 set-up dialog on the default screen but outside it on a
# larger one: there it is moved into the top-left corner, where the dialog and the game open.
kes_point_at_game() {
    [ "${KES_SCREEN:-1024x768}" = 1024x768 ] || xdotool mousemove 4 4
}

# Holds a key long enough for a frame to see it.
kes_key() {
    xdotool keydown "$1"; sleep "${2:-0.12}"; xdotool keyup "$1"; sleep 0.15
}

# Taps a key N times (default once), short enough that a held key does not repeat.
kes_press() {
    local i
    for i in $(seq "${2:-1}"); do kes_key "$1" 0.06; done
}

# Starts GAME with its output appended to LOG and waits for its set-up dialog. A heavily loaded X
# server now and then refuses a new client (the game then says it cannot start): that start fails
# here and kes_launch tries once more.
kes_start_game() {
    "$1" >>"$2" 2>&1 &
    KES_GAME_PID=$! KES_GAME_LOG=$2
    kes_wait_window 20 >/dev/null && return 0
    kill "$KES_GAME_PID" 2>/dev/null
    wait "$KES_GAME_PID" 2>/dev/null
    echo "the game did not open its set-up dialog: $(tail -2 "$2")" >&2
    return 1
}

# Starts GAME with its output appended to LOG, taps the keys of KES_DIALOG_KEYS (none by default) in the
# set-up dialog, confirms it and waits SETTLE seconds (default 3) in the game window for the intro to
# reach the home menu. Sets KES_GAME_PID and KES_GAME_LOG. A heavily loaded machine now and then loses
# the dialog's keys or opens the window late: the whole start is then made once more, from the
# graphics preferences it began with.
kes_launch() {
    local prefs=data/prefs/gfx.prefs saved=
    [ -f "$prefs" ] && { saved=$(mktemp); cp "$prefs" "$saved"; }
    if ! kes_launch_once "$1" "$2"; then
        echo "the game's start failed, trying once more" >&2
        kill "$KES_GAME_PID" 2>/dev/null
        wait "$KES_GAME_PID" 2>/dev/null
        [ -n "$saved" ] && cp "$saved" "$prefs"
        kes_launch_once "$1" "$2" || { [ -n "$saved" ] && rm -f "$saved"; kes_fail "no game window after the set-up dialog: $(tail -3 "$2")"; }
    fi
    [ -n "$saved" ] && rm -f "$saved"
    sleep "${3:-3}"
    kill -0 "$KES_GAME_PID" 2>/dev/null || kes_fail "the game ended after the set-up dialog: $(tail -3 "$2")"
}

kes_launch_once() {
    kes_start_game "$1" "$2" || kes_start_game "$1" "$2" || return 1
    kes_point_at_game
    sleep 1
    local k
    for k in ${KES_DIALOG_KEYS:-}; do kes_press "$k"; done
    kes_key Return
    kes_wait_game_window 20 >/dev/null
}

# From the home menu: Play, tolvek, the second track (the shortest ride), ENTER, and the run loaded.
kes_to_run() {
    kes_press Up 4              # Play is the first item
    kes_press Return; sleep 1   # rider screen
    kes_press Left; sleep 1; kes_press Right; sleep 1   # tolvek is listed last
    kes_press Return; sleep 1   # track screen
    kes_press Right; sleep 1
    kes_press Return; sleep 6   # wait screen, loading, the rider at the start
    kill -0 "$KES_GAME_PID" 2>/dev/null || kes_fail "the game ended loading the run: $(tail -3 "$KES_GAME_LOG")"
}

# Pushes with the default push key (e) for SECONDS; fails when the game ends meanwhile.
kes_push_for() {
    local end=$(( $(date +%s) + $1 ))
    while [ "$(date +%s)" -lt "$end" ]; do
        kill -0 "$KES_GAME_PID" 2>/dev/null || kes_fail "the game ended during the run: $(tail -3 "$KES_GAME_LOG")"
        xdotool keydown e; sleep 0.4; xdotool keyup e; sleep 0.1
    done
}

# On the name entry: the initials AGV, then '#'. The letters sit at the grid's corners, so they are
# reached whatever a held key repeats: A (row 0, column 0), G, V, then '#'.
kes_enter_initials() {
    kes_press Up 5; kes_press Left 8; kes_press Return
    kes_press Right 8; kes_press Return
    kes_press Down 5; kes_press Left 8; kes_press Return
    kes_press Right 8; kes_press Return
}

# F10, then the game's screenshot goes into the picture file PNG the right way up (the TGA is stored
# bottom row first), and the TGA is removed.
kes_shot() {
    kes_key F10
    local tga= i
    for i in $(seq 50); do  # a frame can take a second or two on a loaded machine
        tga=$(ls -t screenshots/*.tga 2>/dev/null | head -1)
        [ -n "$tga" ] && break
        sleep 0.1
    done
    [ -n "$tga" ] || kes_fail "F10 wrote no screenshot for $1"
    sleep 0.3               # the game may still be writing it
    convert "$tga" -auto-orient "$1" || kes_fail "screenshot $tga for $1 does not convert"
    rm -f "$tga"
}

# Grabs the whole screen to a PNG.
kes_grab() {
    import -window root "$1" 2>/dev/null || xwd -root -silent | convert xwd:- "$1"
}

# Number of distinct colours of a picture (1 means uniform).
kes_colours() {
    convert "$1" -format %k info:
}

# Copies ROOT's generated data into a new scratch directory, sets `work` to it and goes there, so
# that whatever the game writes (prefs, scores, screenshots) never touches the build's own data.
kes_scratch_copy() {
    work=$(mktemp -d)
    cp -rL "$1/data" "$work/data" && cd "$work"
}

# The usual start of a display test: ROOT's generated data copied into a scratch folder (the working
# directory from then on) with an empty shots/ in it. On exit the game and Xvfb stop, the screenshots
# are kept as PNG pictures in KES_SHOTS_DIR when it is set, and the scratch folder goes.
kes_prepare() {
    trap kes_finish EXIT
    [ -d "$1/data/tracks" ] || kes_fail "no generated data in $1/data"
    kes_scratch_copy "$1" || kes_fail "cannot copy the data"
    mkdir -p shots
}

kes_finish() {
    if [ -n "${KES_SHOTS_DIR:-}" ] && [ -d "${work:-}/shots" ]; then
        mkdir -p "$KES_SHOTS_DIR" && cp "$work"/shots/*.png "$KES_SHOTS_DIR/" 2>/dev/null
    fi
    kes_cleanup
    [ -n "${work:-}" ] && cd / && rm -rf "$work"
    return 0
}

# Writes a gfx.prefs FILE for a game window of SIZE (WIDTHxHEIGHT): 32-bit depth buffer and colour,
# windowed, the size, and the two renderer settings (smooth far textures, distance haze) both off, or
# both on when a third argument is 1; 16-bit numbers in the machine's order.
kes_gfx_prefs() {
    local w=${1%x*} h=${1#*x} on=0
    [ "${3:-0}" = 1 ] && on=1
    printf "$(printf '\\x20\\x00\\x20\\x00\\x02\\x00\\x%02x\\x%02x\\x%02x\\x%02x\\x%02x\\x00\\x%02x\\x00' \
        $((w & 255)) $((w >> 8)) $((h & 255)) $((h >> 8)) $on $on)" >"$2"
}

# Fails the test with a message.
kes_fail() {
    echo "FAIL: $*" >&2
    kes_cleanup
    exit 1
}
