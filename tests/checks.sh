# Shared by the script tests (sourced; POSIX sh): one counted check a line,
# and the game's window under X.

passed=0
failed=0

# check DESCRIPTION COMMAND...: runs the command; a failure is named.
check() {
    check_what=$1
    shift
    if "$@"; then passed=$((passed + 1)); else echo "FAILED: $check_what"; failed=$((failed + 1)); fi
}

# game_window: prints the id of the game's visible window, waiting up to ten
# seconds for it; fails when none appears.
game_window() {
    for _ in $(seq 100); do
        game_window_id=$(xdotool search --onlyvisible --name '바르멘' 2>/dev/null | head -n1)
        if [ -n "$game_window_id" ]; then
            echo "$game_window_id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# centre_of NAME: "X Y", the centre of the window's control NAME in its
# client area, read from the window's own layout (barmen-story layout; the
# script sets BARMEN_STORY to the author's tool).
centre_of() {
    "${BARMEN_STORY:?BARMEN_STORY names barmen-story}" layout |
        awk -v n="$1" '$1 == n { print $6, $7; found = 1 } END { exit !found }'
}

# click WINDOW NAME: one click on the control NAME of the game's window.
click() {
    # shellcheck disable=SC2046
    xdotool mousemove --window "$1" $(centre_of "$2") click 1
}
