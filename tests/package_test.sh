#!/usr/bin/env bash
# The Debian package from end to end, as root on a machine without network:
# tools/package builds it (lintian, desktop-file-validate and appstreamcli
# must pass there); apt installs it from the file alone; a player who is not
# root starts the menu entry's Exec= line under Xvfb, plays, saves into
# ~/.local/share/barmen; removing the package leaves that folder and its save.
# tools/test runs it when it runs as root.
#   tests/package_test.sh
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tests/checks.sh"
export BARMEN_STORY=${BARMEN_STORY:-$top/build/tools/story/barmen-story}

# Inside Xvfb (an X server any user may use): the menu entry's Exec= line as
# the player nobody; start, one step of the story, save, quit.
if [ "${1:-}" = "--play" ]; then
    home=$2
    read -r -a exec_line <<<"$(sed -n 's/^Exec=//p' "$3")"
    setpriv --reuid=65534 --regid=65534 --clear-groups env -u XAUTHORITY -u QT_QPA_PLATFORM HOME="$home" \
        "${exec_line[@]}" 2> "$home/../game.err" &
    game=$!
    win=$(game_window) || win=""
    [ -n "$win" ] || { kill "$game"; cat "$home/../game.err"; exit 1; }
    sleep 0.3
    for name in Command7 Command6 Command8 Command10; do   # 시작하기, 진행, 저장하기, 끝내기
        click "$win" "$name"
        sleep 0.3
    done
    for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
    kill "$game" 2>/dev/null
    wait "$game"
    exit
fi
[ "$(id -u)" -eq 0 ] || { echo "skipped: the package test installs a package and needs root"; exit 0; }
if dpkg-query -W -f='${Status}' barmen 2>/dev/null | grep -q "ok installed"; then
    echo "skipped: barmen is already installed on this machine, and the package test leaves it alone"
    exit 0
fi

finish() {
    echo "package: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT

log=$work/package.log
if "$top/tools/package" > "$log" 2>&1; then
    passed=$((passed + 1))
else
    tail -n 40 "$log"
    echo "FAILED: tools/package (lintian or a validator, or the build)"
    failed=$((failed + 1))
    finish
fi
deb=$(tail -n 1 "$log")
check "tools/package ends with the path of the .deb" test -f "$deb"

# From the file alone: every dependency is already here (tools/setup), so apt
# needs no network.
if DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" > "$work/apt.log" 2>&1; then
    passed=$((passed + 1))
else
    cat "$work/apt.log"
    echo "FAILED: apt-get install of the package"
    failed=$((failed + 1))
    finish
fi
check "barmen is on a player's default PATH as /usr/games/barmen" \
    test "$(PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games command -v barmen)" = /usr/games/barmen
entry=$(dpkg -L barmen | grep '^/usr/share/applications/.*\.desktop$')
check "the menu entry is installed" test -f "$entry"

# A player: nobody, with a home of their own.
home=$work/home
mkdir "$home"
chown 65534:65534 "$home"
folder=$home/.local/share/barmen
check "a player starts the game from its menu entry, plays, saves and quits" \
    xvfb-run -a -s "-screen 0 800x600x24 -ac -noreset" "$0" --play "$home" "$entry"
# "시작" in CP949, then CR LF: the scene the player saw.
check "the save is ~/.local/share/barmen/save.sav" \
    test "$(od -An -tx1 "$folder/save.sav" 2>/dev/null | tr -d ' \n')" = "bdc3c0db0d0a"
check "the player owns the folder" test "$(stat -c %u "$folder")" = 65534
check "the pictures are links into the install" test "$(readlink "$folder/배경1.jpg")" = /usr/share/games/barmen/배경1.jpg

# Removing the package: the game goes, the player's folder and save stay.
remove() { DEBIAN_FRONTEND=noninteractive apt-get purge -y -q barmen > "$work/remove.log" 2>&1; }
check "apt-get removes the package" remove
check "the game is gone" test ! -e /usr/games/barmen -a ! -e /usr/share/games/barmen
check "the player's save stays" \
    test "$(od -An -tx1 "$folder/save.sav" 2>/dev/null | tr -d ' \n')" = "bdc3c0db0d0a"
finish
