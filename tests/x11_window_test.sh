#!/usr/bin/env bash
# The game's window on a real X server: off the task bar, fixed in size, and
# gone with the process when its quit button is clicked; and under a file-size
# limit of nothing, a save that says why instead of ending the game.
#   x11_window_test.sh PATH/TO/barmen PATH/TO/barmen-story ASSETS
set -u
bin=$(realpath "$1")
export BARMEN_STORY=$(realpath "$2")
assets=$(realpath "$3")
# -noreset: Xvfb otherwise resets each time its last client leaves (the
# first game, each xdotool), and a game that connects during a reset finds
# no server and ends in Qt's abort.
if [ -z "${BARMEN_INSIDE_XVFB:-}" ]; then
    BARMEN_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 800x600x24 -noreset" "$0" "$@"
fi
unset QT_QPA_PLATFORM
. "$(dirname "$0")/checks.sh"

work=$(mktemp -d)
mkdir "$work/game"
cd "$work/game"
"$bin" 2> "$work/first.err" &
game=$!
win=$(game_window) || win=""
check "window appears" test -n "$win"
props=$(xprop -id "$win" _NET_WM_STATE WM_NORMAL_HINTS 2>/dev/null)
check "no task-bar button" grep -q "_NET_WM_STATE_SKIP_TASKBAR" <<<"$props"
check "fixed minimum size" grep -q "minimum size: 727 by 510" <<<"$props"
check "fixed maximum size" grep -q "maximum size: 727 by 510" <<<"$props"

# The quit button: the tall one in the system frame.
click "$win" Command10
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
check "quit ends the program" bash -c "! kill -0 $game 2>/dev/null"
kill "$game" 2>/dev/null
wait "$game"
check "and it exits with status 0" test $? -eq 0

# ulimit -f 0, as a shell, a sandbox or a service may set it: 시작하기, one
# scene, 저장하기. The game lives on and shows why the save failed.
for picture in "$assets"/*.jpg "$assets"/*.gif; do ln -s "$picture" .; done
# What it says goes through a pipe: a file would be held to the limit too.
(ulimit -f 0; exec "$bin") 2> >(cat > "$work/limited.err") &
game=$!
win=$(game_window) || win=""
sleep 0.5
for name in Command7 Command6 Command8; do click "$win" "$name"; sleep 0.5; done
boxes=0
for _ in $(seq 100); do
    boxes=$(xdotool search --onlyvisible --name '바르멘' 2>/dev/null | wc -l)
    [ "$boxes" -ge 2 ] && break
    sleep 0.1
done
check "under ulimit -f 0 a save leaves the game running" kill -0 "$game"
check "and a message box says it failed" test "$boxes" -ge 2
check "and nothing was written" test ! -s save.sav
[ "$failed" -eq 0 ] || sed 's/^/  the game said: /' "$work/first.err" "$work/limited.err"
kill "$game" 2>/dev/null
wait "$game" 2>/dev/null
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
