# Helpers for end-to-end tests: the real game in a private X server, driven by xdotool.
# A test script sources this file, calls `e2e_setup "$@"` first, then the helpers.
set -eu

E2E_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# Every deadline is multiplied by this, for a game run under a slow checker (valgrind).
E2E_PATIENCE=${E2E_PATIENCE:-1}

# The time, N seconds of patience from now.
deadline_in() {
    echo $(($(date +%s) + $1 * E2E_PATIENCE))
}

# Re-runs the calling script inside its own X server, so that no other window
# (another test's) can come between the game and the pointer.
e2e_setup() {
    if [ -z "${E2E_PRIVATE_DISPLAY:-}" ]; then
        E2E_PRIVATE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x720x24 +extension GLX +render -noreset" "$0" "$@"
    fi
    GAME=$(realpath "$1")
    WORK=$(mktemp -d /tmp/korvane-e2e-XXXXXX)
    trap 'e2e_cleanup' EXIT
    # The game runs in a folder of its own whose data tree mirrors the real one,
    # with its own empty save slots.
    mkdir -p "$WORK/data/saves/01" "$WORK/data/saves/02" "$WORK/data/saves/03" "$WORK/data/maps"
    for entry in "$E2E_ROOT"/data/*; do
        case "$(basename "$entry")" in
        saves | maps) ;;
        *) ln -s "$entry" "$WORK/data/" ;;
        esac
    done
    for map in "$E2E_ROOT"/data/maps/*; do
        ln -s "$map" "$WORK/data/maps/"
    done
    TRACE=$WORK/trace.txt
    export ALSOFT_DRIVERS=null
}

e2e_cleanup() {
    if [ -n "${GAME_PID:-}" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null || true
    fi
    if [ -n "${E2E_KEEP:-}" ]; then
        echo "kept $WORK"
    else
        rm -rf "$WORK"
    fi
}

fail() {
    echo "FAIL: $*" >&2
    if [ -f "$TRACE" ]; then
        echo "--- trace (last 40 lines) ---" >&2
        tail -n 40 "$TRACE" >&2
    fi
    exit 1
}

# Replaces a map of the game by the map file read from standard input (the map
# keeps its name, so it keeps its pictures).
write_map() {
    rm -f "$WORK/data/maps/$1"
    mkdir -p "$WORK/data/maps/$1"
    cat >"$WORK/data/maps/$1/$1.zi"
}

# Starts the game and waits for its window; WINDOW is its X id, moved to (0, 0).
start_game() {
    (cd "$WORK" && exec "$GAME") >"$TRACE" 2>"$WORK/stderr.txt" &
    GAME_PID=$!
    WINDOW=""
    deadline=$(deadline_in 30)
    while [ -z "$WINDOW" ]; do
        WINDOW=$(xdotool search --name '^Korvane - v\.1\.0\.00$' 2>/dev/null | head -n 1 || true)
        [ "$(date +%s)" -lt "$deadline" ] || fail "the game window did not appear"
        [ -n "$WINDOW" ] || sleep 0.1
    done
    xdotool windowmove --sync "$WINDOW" 0 0
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
}

# Waits up to SECONDS (times the patience) until the command succeeds, or fails with MESSAGE.
wait_until() {
    deadline=$(deadline_in "$1")
    message=$2
    shift 2
    until "$@"; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "$message"
        sleep 0.1
    done
}

# Waits until the trace holds the exact line (a fixed string), or fails.
wait_for_line() {
    wait_until "${2:-20}" "no trace line '$1'" grep -qxF -- "$1" "$TRACE"
}

# Counts the exact trace line.
count_lines() {
    grep -cxF -- "$1" "$TRACE" || true
}

# Waits for the game to end and checks its exit code.
wait_for_exit() {
    deadline=$(deadline_in "${1:-20}")
    while kill -0 "$GAME_PID" 2>/dev/null; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "the game did not end"
        sleep 0.1
    done
    set +e
    wait "$GAME_PID"
    code=$?
    set -e
    GAME_PID=""
    [ "$code" -eq 0 ] || fail "the game ended with exit code $code"
}

# Prints "x y": an opaque pixel of a picture, the one nearest its centre.
opaque_point() {
    convert "$E2E_ROOT/$1" txt:- | awk -F'[,:() ]+' '
        NR == 1 { w = $5; h = $6; next }
        $6 > 200 {
            dx = $1 - w / 2; dy = $2 - h / 2; d = dx * dx + dy * dy
            if (best == "" || d < best) { best = d; bx = $1; by = $2 }
        }
        END { if (best == "") exit 1; print bx, by }'
}

# Clicks (any button, default left) on the picture shown at (left, top) in the window.
click_picture() {
    point=$(opaque_point "$1") || fail "no opaque pixel in $1"
    set -- "$1" "$2" "$3" "${4:-1}" $point
    xdotool mousemove --window "$WINDOW" $(($2 + $5)) $(($3 + $6)) click "$4"
}

# Starts the game and waits for its main menu: the window's icon is its last picture.
start_on_main_menu() {
    start_game
    wait_for_line " -- Chargement de l'image : data\\graphics\\window\\iconeFenetre.png"
}

# Starts the game and begins a new game in slot 1 through the real menus.
start_new_game() {
    start_on_main_menu
    click_picture data/graphics/window/mainmenu/commencer.png 280 213
    wait_for_line " -*- Loading Menu : Slot 3 non present"
    click_picture data/graphics/window/newGameMenu/slot.png 347 211
}

# Waits until the exact trace line has been written N times.
wait_for_count() {
    wait_until 20 "trace line '$1' not seen $2 times" seen_times "$1" "$2"
}
seen_times() {
    [ "$(count_lines "$1")" -ge "$2" ]
}

# Holds a key until the trace holds the line, then releases it.
hold_until() {
    xdotool keydown --window "$WINDOW" "$1"
    wait_for_line "$2" 15
    xdotool keyup --window "$WINDOW" "$1"
}

key() {
    xdotool key --window "$WINDOW" "$@"
}

screenshot() {
    import -window "$WINDOW" "$1"
}

# Fraction of pure white pixels in a region of a screenshot ("WxH+X+Y").
white_share() {
    convert "$1" -crop "$2" +repage -fx '(r>0.97&&g>0.97&&b>0.97)?1:0' -format '%[fx:mean]' info:
}
