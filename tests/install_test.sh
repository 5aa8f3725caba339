#!/usr/bin/env bash
# `cmake --install` into a throw-away prefix puts every file where a desktop
# looks for it and nothing else; then the installed game, started as its menu
# entry's Exec= line starts it, opens its window under Xvfb with the window
# class the entry names, and saves into the player's folder, not the install.
#   install_test.sh BUILD_DIR SOURCE_DIR BARMEN_STORY
set -u
build=$(realpath "$1")
source=$(realpath "$2")
story_tool=$(realpath "$3")
export BARMEN_STORY=$story_tool
if [ -z "${BARMEN_INSIDE_XVFB:-}" ]; then
    BARMEN_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 800x600x24 -noreset" "$0" "$@"
fi
unset QT_QPA_PLATFORM XDG_DATA_HOME

. "$(dirname "$0")/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
if ! cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "0 passed, 1 failed"
    exit 1
fi

# The program and its launcher.
check "the launcher is games/barmen" test -x "$prefix/games/barmen"
check "the program is lib/games/barmen/barmen" \
    test "$(head -c 4 "$prefix/lib/games/barmen/barmen" | od -An -c | tr -d ' ')" = '177ELF'
check "the program is not on the PATH itself" test ! -e "$prefix/bin"

# The 24 pictures, byte for byte, and all that the story shows.
pictures=$prefix/share/games/barmen
same_pictures() {
    local n=0 f
    for f in "$source"/assets/*.jpg "$source"/assets/*.gif; do
        cmp -s "$f" "$pictures/$(basename "$f")" || { echo "  differs or missing: $(basename "$f")"; return 1; }
        n=$((n + 1))
    done
    [ "$n" -eq 24 ] && [ "$(ls "$pictures" | wc -l)" -eq 24 ]
}
check "the 24 pictures in share/games/barmen" same_pictures
check "every picture the story shows is installed and decodes" \
    env QT_QPA_PLATFORM=offscreen "$story_tool" lint --assets "$pictures"

# The icon at every size of the theme, each its own rendering.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }
for n in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${n}x$n/apps/barmen.png
    check "icon ${n}x$n" cmp -s "$icon" "$source/assets/icons/barmen-$n.png"
    check "icon ${n}x$n is $n px" test "$(png_size "$icon")" = "${n}x$n"
done

# The menu entry and the metainfo: one of each, under one id, valid, naming
# the installed launcher and icon.
entries=("$prefix"/share/applications/*.desktop)
check "one menu entry" test "${#entries[@]}" -eq 1 -a -f "${entries[0]}"
entry=${entries[0]}
id=$(basename "$entry" .desktop)
key() { sed -n "s/^$1=//p" "$entry"; }
check "the menu entry validates" desktop-file-validate "$entry"
check "Exec= is the installed launcher" test "$(key Exec)" = "$prefix/games/barmen"
check "Icon= is the installed icon" test "$(key Icon)" = barmen
check "the Korean name" test "$(key 'Name\[ko\]')" = "바르멘"
info=$prefix/share/metainfo/$id.metainfo.xml
check "the metainfo has the menu entry's id" grep -q "<id>$id</id>" "$info"
check "the metainfo launches the menu entry" grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$info"
check "the metainfo validates" appstreamcli validate --no-net "$info"
check "a Korean summary" grep -q '<summary xml:lang="ko">' "$info"

check "copyright" test -s "$prefix/share/doc/barmen/copyright"
check "changelog, compressed" gzip -t "$prefix/share/doc/barmen/changelog.gz"
check "manual page, compressed" gzip -t "$prefix/share/man/man6/barmen.6.gz"
check "Korean manual page beside it, compressed" gzip -t "$prefix/share/man/ko/man6/barmen.6.gz"
check "the Korean manual page is the Korean one" \
    sh -c "gzip -dc '$prefix/share/man/ko/man6/barmen.6.gz' | grep -q '^.SH 사용법'"
check "nothing else installed (no tests, no author's tool)" \
    test "$(find "$prefix" -type f | wc -l)" -eq $((2 + 24 + 6 + 2 + 4))

# The installed game as the menu starts it, for a player with an empty home.
before=$(cd "$prefix" && ls -lR --time-style=full-iso)
home=$work/home
mkdir "$home"
read -r -a exec_line <<<"$(key Exec)"
HOME=$home "${exec_line[@]}" 2> "$work/game.err" &
game=$!
win=$(game_window) || win=""
check "the installed game opens its window" test -n "$win"
wm_class=$(xprop -id "$win" WM_CLASS 2>/dev/null)
check "its window class is the menu entry's StartupWMClass" \
    grep -q "\"$(key StartupWMClass)\"\$" <<<"$wm_class"
folder=$home/.local/share/barmen
check "it plays in ~/.local/share/barmen" test "$(readlink "/proc/$game/cwd")" = "$folder"
# 시작하기, one step of the story, 저장하기: "시작" in CP949.
for name in Command7 Command6 Command8; do click "$win" "$name"; sleep 0.2; done
for _ in $(seq 50); do [ -f "$folder/save.sav" ] && break; sleep 0.1; done
check "it saves into ~/.local/share/barmen/save.sav" test "$(od -An -tx1 "$folder/save.sav" | tr -d ' ')" = "bdc3c0db0d0a"
click "$win" Command10   # 끝내기
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill "$game" 2>/dev/null
wait "$game"
check "it quits with status 0" test $? -eq 0
check "nothing was written under the install" test "$(cd "$prefix" && ls -lR --time-style=full-iso)" = "$before"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] || sed 's/^/  the game said: /' "$work/game.err"
[ "$failed" -eq 0 ]
