#!/bin/sh
# Without a display, the program and the launcher say in the player's language
# that the game needs a graphical desktop and end with status 1; the program
# ignores its arguments, so none of Qt's options can end it; the launcher
# answers --help and --version and refuses any other argument with status 2.
#   display_test.sh BUILD/barmen BUILD/packaging/barmen VERSION
set -u
program=$(readlink -f "$1")
launcher=$(readlink -f "$2")
version=$3
. "$(dirname "$0")/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# bare VAR=VALUE... COMMAND...: no display, no locale but the one given;
# status back, standard output and error in $work/out and $work/err.
bare() {
    (exec_bare "$@") > "$work/out" 2> "$work/err"
}
exec_bare() {
    exec env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR \
        -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE "$@"
}
said() { grep -q "$1" "$work/err"; }
printed() { grep -q "$1" "$work/out"; }
aborted() { grep -q 'qt.qpa\|Aborted\|could not' "$work/err"; }

# The program: Korean for a Korean locale, English otherwise; the first of
# LC_ALL, LC_MESSAGES and LANG that is set decides.
bare LANG=ko_KR.UTF-8 "$program"
check "program, no display: status 1" test $? -eq 1
check "program, no display: says in Korean it needs a graphical desktop" said "^barmen: .*그래픽 데스크톱"
check "program, no display: not Qt's text" test "$(wc -l < "$work/err")" -eq 1
bare LANG=C.UTF-8 "$program"
check "program, no display, LANG=C: status 1" test $? -eq 1
check "program, no display, LANG=C: says so in English" said "^barmen: .*needs a graphical desktop"
bare LC_ALL=en_US.UTF-8 LANG=ko_KR.UTF-8 "$program"
check "program: LC_ALL comes before LANG" said "needs a graphical desktop"
bare LC_MESSAGES=ko_KR.UTF-8 LANG=en_US.UTF-8 "$program"
check "program: LC_MESSAGES comes before LANG" said "그래픽 데스크톱"
bare "$program"
check "program, no locale at all: English" said "needs a graphical desktop"
bare QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY=wayland-0 "$program"
check "program, QT_QPA_PLATFORM=xcb without DISPLAY: status 1" test $? -eq 1
check "program, QT_QPA_PLATFORM=xcb without DISPLAY: names the platform" said "QT_QPA_PLATFORM=xcb"
bare "$program" --help
check "program --help without a display: status 1, not an abort" test $? -eq 1

# A display that is named but leads nowhere ends the same way, not in Qt's
# English abort (status 134): a DISPLAY with no X server behind it, on this
# host or reached by TCP, and a Wayland session (its socket listening, no
# DISPLAY) without Qt's Wayland plugin. The number is one no X server on
# this machine holds: no lock file, no socket, named or abstract.
n=77
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] ||
      grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2> /dev/null; do
    n=$((n + 1))
done
for display in ":$n" "unix:$n.0" "localhost:$n"; do
    bare LANG=ko_KR.UTF-8 DISPLAY="$display" "$program"
    check "program, DISPLAY=$display with no server: status 1" test $? -eq 1
    check "program, DISPLAY=$display with no server: says so in Korean" said "^barmen: .*DISPLAY=$display의 X 서버에 연결할 수 없음"
    check "program, DISPLAY=$display with no server: not Qt's text" test "$(wc -l < "$work/err")" -eq 1
done
bare LANG=C DISPLAY=":$n" "$program"
check "program, DISPLAY=:$n with no server, LANG=C: in English" said "no X server answers at DISPLAY=:$n"
if ls /usr/lib/*/qt6/plugins/platforms/libqwayland*.so > /dev/null 2>&1; then
    echo "Qt's Wayland plugin is installed: a Wayland session without it was not tried"
elif command -v python3 > /dev/null; then
    mkdir -m 700 "$work/runtime"
    python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(8); time.sleep(30)' "$work/runtime/wayland-1" &
    listener=$!
    for _ in $(seq 50); do [ -S "$work/runtime/wayland-1" ] && break; sleep 0.1; done
    bare LANG=ko_KR.UTF-8 XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=wayland-1 "$program"
    check "program, a Wayland session without the plugin: status 1" test $? -eq 1
    check "program, a Wayland session without the plugin: says so in Korean" said "^barmen: .*Wayland 플러그인(qt6-wayland)이 없음"
    check "program, a Wayland session without the plugin: not Qt's text" test "$(wc -l < "$work/err")" -eq 1
    bare LANG=C XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=wayland-2 "$program"
    check "program, WAYLAND_DISPLAY with no server: status 1" test $? -eq 1
    check "program, WAYLAND_DISPLAY with no server: says so" said "no Wayland server answers at WAYLAND_DISPLAY=wayland-2"
    kill "$listener" 2>/dev/null
    wait "$listener" 2>/dev/null
else
    echo "no python3: a Wayland session without the plugin was not tried"
fi

# Offscreen needs no display, and no argument reaches Qt: the game is still
# running after a second, with -platform naming no plugin, or naming xcb
# with a display that is not there.
runs() {   # runs ARG...: the program is alive a second after starting
    # The subshell becomes the program, so $! is the program itself.
    (exec_bare QT_QPA_PLATFORM=offscreen "$program" "$@" > "$work/out" 2> "$work/err") &
    pid=$!
    sleep 1
    kill -0 "$pid" 2>/dev/null && alive=0 || alive=1
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return "$alive"
}
check "program, offscreen: runs" runs
check "program --help, offscreen: runs" runs --help
check "program -platform nothing: runs" runs -platform nothing
check "program -platform xcb -display :$n: runs" runs -platform xcb -display ":$n"

# The launcher's command line, with no display and no home: it needs neither.
bare LANG=ko_KR.UTF-8 "$launcher" --help
check "launcher --help: status 0" test $? -eq 0
check "launcher --help: the usage, in Korean" printed "^사용법: barmen \[--help | --version\]"
check "launcher --help: where the game folder lies" printed '${XDG_DATA_HOME:-~/.local/share}/barmen'
check "launcher --help: nothing on standard error" test ! -s "$work/err"
bare LANG=C HOME=/home/player "$launcher" --help
check "launcher --help, LANG=C: the usage in English" printed "^Usage: barmen \[--help | --version\]"
check "launcher --help: this player's folder" printed "/home/player/.local/share/barmen"
check "launcher --help: this player's save" printed "/home/player/.local/share/barmen/save.sav"
bare LANG=C XDG_DATA_HOME=/data HOME=/home/player "$launcher" --help
check "launcher --help: the folder under XDG_DATA_HOME" printed "/data/barmen/save.sav"
bare LANG=C "$launcher" --version
check "launcher --version: status 0" test $? -eq 0
check "launcher --version: the version, $version" test "$(cat "$work/out")" = "barmen (바르멘) $version"
bare LANG=ko_KR.UTF-8 "$launcher" --version
check "launcher --version in Korean" test "$(cat "$work/out")" = "바르멘 (barmen) $version"
for arg in -h --bogus -platform --help=x; do
    bare LANG=C "$launcher" "$arg"
    check "launcher $arg: status 2" test $? -eq 2
    check "launcher $arg: a usage line on standard error" said "^Usage: barmen"
    check "launcher $arg: nothing on standard output" test ! -s "$work/out"
done
bare LANG=ko_KR.UTF-8 "$launcher" -x
check "launcher -x in Korean: the usage line" said "^사용법: barmen"
bare LANG=C "$launcher" save.sav
check "launcher with an argument: status 2" test $? -eq 2
bare LANG=ko_KR.UTF-8 HOME="$work" "$launcher"
check "launcher, no display: status 1" test $? -eq 1
check "launcher, no display: says in Korean it needs a graphical desktop" said "^barmen: .*그래픽 데스크톱"
check "launcher, no display: no game folder made" test ! -e "$work/.local"
bare LANG=C HOME="$work" "$launcher"
check "launcher, no display, LANG=C: in English" said "^barmen: .*needs a graphical desktop"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
