#!/usr/bin/env bash
# The Windows build under Wine in a virtual X display, with real clicks:
#   tests/windows_test.sh BUILD_WINDOWS   (tools/windows runs it)
# The core's unit tests and the Win32 save layer's faults, cross-built, run
# under Wine; then barmen.exe is played to 게임오버 and to 엔딩 36 by clicks,
# its save.sav compared byte for byte with the Linux game's for the same
# presses; a missing and a cut picture each bring a Korean message box; the
# client area and every button are checked against the window's layout; the
# installer installs, starts and uninstalls. Screenshots go to
# BUILD_WINDOWS/screens. Prints "windows: N passed, M failed"; exits 1 on any
# failure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath "$1")
# shellcheck source=tests/checks.sh
. "$top/tests/checks.sh"
# shellcheck source=tests/routes.sh
. "$top/tests/routes.sh"

exe=$out/game/app/win32/barmen.exe
export BARMEN_STORY=${BARMEN_STORY:-$out/native/tools/story/barmen-story}
screens=$out/screens
work=$(mktemp -d)
mkdir -p "$screens"

# --- Wine: a prefix of the test's own, a Korean locale, a virtual display ---
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
# Wine needs a locale that exists, or it mangles a Hangul folder name. The
# Korean one is made inside the build folder, the machine's left alone.
if [ ! -e "$out/locale/ko_KR.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$out/locale"
    localedef -i ko_KR -f UTF-8 "$out/locale/ko_KR.UTF-8" 2>/dev/null || true
fi
if [ -e "$out/locale/ko_KR.UTF-8/LC_CTYPE" ]; then
    export LOCPATH=$out/locale
    { export LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8; } 2> /dev/null   # bash itself cannot see LOCPATH
else
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
fi

Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp -noreset 3> "$work/display" 2> /dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
cleanup() {
    wineserver -k 2> /dev/null || true
    kill "$xvfb" 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if [ ! -e "$WINEPREFIX/.barmen-ready" ]; then
    wineboot -i > /dev/null 2>&1
    # Wine's own interface fonts have no Hangul: its message boxes and
    # captions take NanumGothic instead, as a Korean Windows takes 굴림.
    for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Segoe UI" "Microsoft Sans Serif" "MS Sans Serif"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
            /v "$face" /d NanumGothic /f > /dev/null 2>&1
    done
    # Without a window manager Wine leaves the frame to none: the X window
    # is the client area alone, which the checks measure.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d Y /f > /dev/null 2>&1
    # The classic scroll-bar grey of Windows, where Wine has white.
    wine reg add 'HKCU\Control Panel\Colors' /v Scrollbar /d "200 200 200" /f > /dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.barmen-ready"
fi

# --- The core's unit tests and the save layer's faults, under Wine ---------
shopt -s nullglob
for suite in "$out"/game/tests/win32/*_tests.exe; do
    name=$(basename "$suite" .exe)
    if (cd "$out/game/tests/win32" && timeout 300 wine "$suite" --gtest_brief=1) > "$work/$name.log" 2>&1; then
        ran=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$work/$name.log")
        passed=$((passed + ${ran:-0}))
        echo "windows: $name: ${ran:-0} tests passed under Wine"
    else
        tail -n 40 "$work/$name.log"
        echo "FAILED: $name under Wine"
        failed=$((failed + 1))
    fi
done

# --- The program's resources --------------------------------------------
echo "== barmen.exe's resources"
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2> /dev/null)
icon=$(identify "$out/game/app/win32/resources/barmen.ico" 2> /dev/null | awk '{ print $3, $5 }' | tr '\n' ';')
check "the icon: 32 black and white, 32 and 16 in 16 colours, 16 32 48 256 in true colour ($icon)" \
    test "$icon" = "32x32 1-bit;32x32 4-bit;16x16 4-bit;16x16 8-bit;32x32 8-bit;48x48 8-bit;256x256 8-bit;"
check "all seven icon images in the program" test "$(grep -c 'RT_ICON \*/' <<< "$resources")" = 7
check "version information in Korean and English" eval 'grep -q "BLOCK \"041204B0\"" <<< "$resources" &&
    grep -q "BLOCK \"040904B0\"" <<< "$resources" && grep -q "Translation\", 0x412, 1200, 0x409, 1200" <<< "$resources"'
check "the manifest: common controls 6, per-monitor DPI awareness v2" eval 'grep -q "Microsoft.Windows.Common-Controls" <<< "$resources" &&
    grep -q "PerMonitorV2" <<< "$resources"'

# --- The window, clicked --------------------------------------------------
# game_folder NAME: the zip's folder unpacked, as a player would.
game_folder() {
    mkdir -p "$work/$1"
    /usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
        "$out/barmen-1.0-windows.zip" "$work/$1"
    echo "$work/$1/바르멘"
}
echo "== barmen-1.0-windows.zip"
zipped=$(/usr/bin/python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' \
         "$out/barmen-1.0-windows.zip" | sort)
expected=$( (echo 바르멘/barmen.exe; echo 바르멘/읽어보세요.txt
             for p in "$top"/assets/*.jpg "$top"/assets/*.gif; do echo "바르멘/$(basename "$p")"; done) | sort)
check "the zip holds barmen.exe, the 24 pictures and 읽어보세요.txt, no more" test "$zipped" = "$expected"
check "the zip's program is the one built" cmp -s "$exe" "$(game_folder zip-check)/barmen.exe"
check "the zip is at most 2 MB" test "$(stat -c %s "$out/barmen-1.0-windows.zip")" -le $((2 * 1024 * 1024))
# readme_made FILE: the read-me as Notepad on any Windows shows it, with the
# project's version filled in: a byte-order mark, CR LF line ends, no @ left.
readme_made() {
    /usr/bin/python3 - "$1" <<'PY'
import sys
text = open(sys.argv[1], "rb").read()
sys.exit(0 if text.startswith("\ufeff바르멘 1.0\r\n".encode()) and text.count(b"\n") == text.count(b"\r\n")
         and b"@" not in text else 1)
PY
}
check "the zip's 읽어보세요.txt: version 1.0, byte-order mark, CR LF" readme_made "$(game_folder readme-check)/읽어보세요.txt"

# start_game FOLDER: starts the game there and sets $win to its window.
start_game() {
    (cd "$1" && exec wine barmen.exe > /dev/null 2>&1) &
    game_pid=$!
    win=$(game_window) || { echo "FAILED: no window from barmen.exe in $1"; return 1; }
    sleep 0.5
}

stop_game() {
    wineserver -k 2> /dev/null || true
    wait "$game_pid" 2> /dev/null || true
}

# press NAME: the way a player clicks, as Wine needs it without a window
# manager: the pointer arrives, waits, the button goes down and up.
press() {
    # shellcheck disable=SC2046
    xdotool mousemove --window "$win" $(centre_of "$1")
    sleep 0.08
    xdotool mousedown 1
    sleep 0.03
    xdotool mouseup 1
    sleep 0.05
}

# play KEY...: clicks the keys on the game's window.
play() {
    local key
    for key; do press "${key_button[$key]}"; done
}

saved() { od -An -tx1 "$1/save.sav" 2> /dev/null | tr -d ' \n'; }

# wait_for_save FOLDER OLD: waits until save.sav differs from OLD (hex).
wait_for_save() {
    for _ in $(seq 50); do
        [ -e "$1/save.sav" ] && [ "$(saved "$1")" != "$2" ] && return 0
        sleep 0.1
    done
    return 1
}

# The window as the layout has it: 727 × 510 client pixels, every button
# where the layout puts it (its face where it should be, the frame's
# ground just outside it).
colour_at() { convert "$1" -format "%[pixel:p{$2,$3}]" info:- 2> /dev/null; }
# edge SHOT X Y DX DY: the pixel at X,Y is not the ground two pixels further
# out (DX, DY), and that one is the frame's ground, as left of the button.
edge_at() {
    local line ground
    line=$(colour_at "$1" "$2" "$3")
    ground=$(colour_at "$1" $(($2 + 2 * $4)) $(($3 + 2 * $5)))
    [[ $line != "$ground" && $ground == "$6" ]]
}
layout_checks() {
    local shot=$1 geometry
    geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
    check "client area 727x510 (got $geometry)" test "$geometry" = "727x510"
    local X Y wx wy
    eval "$(xdotool getwindowgeometry --shell "$win" | grep -E '^(X|Y)=')"
    wx=$X wy=$Y
    local name left up width height ground l t r b
    while read -r name left up width height _; do
        case $name in Command*) ;; *) continue ;; esac
        l=$((wx + left)) t=$((wy + up)) r=$((wx + left + width - 1)) b=$((wy + up + height - 1))
        ground=$(colour_at "$shot" $((l - 2)) $((t + height / 2)))
        check "$name's four edges on the layout's $left,$up ${width}x$height" \
            eval 'edge_at "$shot" $l $((t + height / 2)) -1 0 "$ground" &&
                  edge_at "$shot" $r $((t + height / 2)) 1 0 "$ground" &&
                  edge_at "$shot" $((l + width / 2)) $t 0 -1 "$ground" &&
                  edge_at "$shot" $((l + width / 2)) $b 0 1 "$ground"'
    done < <("$BARMEN_STORY" layout)
}

# message_box: the id of a second visible window of the game, a message box.
message_box() {
    local id
    for _ in $(seq 50); do
        for id in $(xdotool search --onlyvisible --name '바르멘' 2> /dev/null); do
            [ "$id" != "$win" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# dismiss BOX: a click on its one button; the first press may only give the
# box the focus, and then the Enter key presses its button.
dismiss() {
    local box=$1 X Y WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$box" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 20))
    sleep 0.2
    xdotool mousedown 1
    sleep 0.05
    xdotool mouseup 1
    local i
    for i in $(seq 60); do
        sleep 0.1
        xdotool search --onlyvisible --name '바르멘' 2> /dev/null | grep -qx "$box" || return 0
        [ $((i % 15)) -eq 0 ] && xdotool key Return
    done
    return 1
}

echo "== barmen.exe under Wine ($LANG)"
folder=$(game_folder 바르멘)
start_game "$folder"
import -window root "$screens/start.png"
import -window "$win" "$screens/windows-window.png"
# Beside the Linux window, for the eye, where a Linux build is at hand.
if [ -x "$top/build/barmen" ] && timeout 60 "$top/tools/screenshot" "$work/linux.png" > /dev/null 2>&1; then
    convert "$screens/windows-window.png" \( "$work/linux.png" -crop 727x510+0+0 +repage \) \
        -background black -splice 8x0 +append "$screens/beside-linux.png" 2> /dev/null || true
fi
layout_checks "$screens/start.png"

# What Wine tells X of the window's frame: no task-bar button (the window has
# an owner), a fixed size, and of the frame's functions only move and close.
props=$(xprop -id "$win" _NET_WM_STATE WM_TRANSIENT_FOR _NET_WM_WINDOW_TYPE WM_NORMAL_HINTS _MOTIF_WM_HINTS 2> /dev/null)
check "no task-bar button" grep -q "_NET_WM_STATE_SKIP_TASKBAR" <<< "$props"
# A tool window would be a utility window to X, with a small caption.
check "an owned dialog, not a tool window" eval 'grep -q "WM_TRANSIENT_FOR(WINDOW)" <<< "$props" &&
                                                grep -q "= _NET_WM_WINDOW_TYPE_DIALOG" <<< "$props"'
check "fixed at 727 by 510" eval 'grep -q "minimum size: 727 by 510" <<< "$props" &&
                                  grep -q "maximum size: 727 by 510" <<< "$props"'
# _MOTIF_WM_HINTS: flags, functions, decorations. Functions 0x24 are move
# and close; decorations 0x1a are border, title and window menu, with no
# minimise or maximise box.
check "title bar and close box only" grep -q "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x24, 0x1a," <<< "$props"

differ() { [[ $1 != "$2" ]]; }

# The pointer: the crosshair over the frames outside their buttons, the
# arrow over a button and over the pictures.
pointer_at() {
    xdotool mousemove --window "$win" "$1" "$2"
    sleep 0.3
    /usr/bin/python3 "$top/tests/win32/cursor_shape.py"
}
arrow=$(pointer_at $(centre_of bg))
read -r _ f1left f1top _ f1height _ < <("$BARMEN_STORY" layout | awk '$1 == "Frame1"')
read -r _ f2left f2top _ f2height _ < <("$BARMEN_STORY" layout | awk '$1 == "Frame2"')
check "the crosshair over Frame1" differ "$(pointer_at $((f1left + 3)) $((f1top + f1height / 2)))" "$arrow"
check "the crosshair over Frame2" differ "$(pointer_at $((f2left + 3)) $((f2top + f2height / 2)))" "$arrow"
# shellcheck disable=SC2046
check "the arrow over a button in a frame" test "$(pointer_at $(centre_of Command2))" = "$arrow"

# Focus starts on Command2, and Tab walks the layout's tab order: the focused
# button's edge has the colour no other button's edge has.
edge_colour() {
    local shot=$1 X Y left up width height
    eval "$(xdotool getwindowgeometry --shell "$win" | grep -E '^(X|Y)=')"
    read -r _ left up width height _ < <("$BARMEN_STORY" layout | awk -v n="$2" '$1 == n')
    colour_at "$shot" $((X + left)) $((Y + up + height / 2))
}
focused=$(edge_colour "$screens/start.png" Command2)
check "first focus on Command2" differ "$focused" "$(edge_colour "$screens/start.png" Command3)"
xdotool mousemove --window "$win" 300 200
sleep 0.2
xdotool key Tab
sleep 0.3
import -window root "$work/tab.png"
check "Tab moves the focus on to Command3" eval '! differ "$(edge_colour "$work/tab.png" Command3)" "$focused" &&
    differ "$(edge_colour "$work/tab.png" Command2)" "$focused"'

# Tab and Shift+Tab walk the whole tab order and wrap, into the read-only
# story box and out of it again, and a click in the box does not keep the
# focus there: the buttons of the system menu are reached by keyboard.
# focus_after KEY COUNT: the buttons whose edge shows the focus after the
# keys, one name a line.
focus_after() {
    local shot=$work/focus.png name
    for _ in $(seq "$2"); do xdotool key "$1"; sleep 0.15; done
    sleep 0.3
    import -window root "$shot"
    for name in $("$BARMEN_STORY" layout | awk '$1 ~ /^Command/ { print $1 }'); do
        [ "$(edge_colour "$shot" "$name")" = "$focused" ] && echo "$name"
    done
    return 0
}
# From Command3: 4, 6, the story box, then the system menu.
check "Tab walks 독백 and the story box on to 시작하기" test "$(focus_after Tab 4)" = Command7
check "Tab wraps from 끝내기 to 첫번째 선택지" test "$(focus_after Tab 4)" = Command2
check "Shift+Tab wraps from 첫번째 선택지 to 끝내기" test "$(focus_after shift+Tab 1)" = Command10
check "Shift+Tab walks back through the story box to 독백" test "$(focus_after shift+Tab 5)" = Command6
# shellcheck disable=SC2046
xdotool mousemove --window "$win" $(centre_of Text1) click 1
sleep 0.3
check "after a click in the story box Tab goes on to 시작하기" test "$(focus_after Tab 1)" = Command7
# shellcheck disable=SC2046
xdotool mousemove --window "$win" $(centre_of Text1) click 1
sleep 0.3
check "after a click in the story box Shift+Tab goes back to 독백" test "$(focus_after shift+Tab 1)" = Command6
# Back to the first choice for the clicks below.
focus_after Tab 6 > /dev/null
xdotool mousemove --window "$win" 300 200

# 게임오버: a trap on the forest path ahead, then save. On the way, 끝's six
# lines, none empty, must show as six rows of text in the story box: the
# EDIT control draws whole rows only, and Wine draws 굴림 with NanumGothic.
fall="$(route start 'p>관찰 2' 1 'p>행동 1' 2 'p>분기 1' 1 'p>게임오버')"
over="$fall p"
# shellcheck disable=SC2086
play $fall
sleep 0.3
import -window "$win" "$screens/six-lines.png"
read -r _ tleft ttop twidth theight _ < <("$BARMEN_STORY" layout | awk '$1 == "Text1"')
# Inside the box's sunken edge.
rows=$(/usr/bin/python3 "$top/tests/win32/text_rows.py" "$screens/six-lines.png" $((tleft + 2)) $((ttop + 2)) \
       $((twidth - 4)) $((theight - 4)))
check "끝's six lines show as six rows in the story box (got $rows)" test "$rows" = 6
play p
import -window root "$screens/game-over.png"
press Command8
wait_for_save "$folder" "" || true
# shellcheck disable=SC2086
check "게임오버 saves the Linux game's bytes ($(saved "$folder"))" test "$(saved "$folder")" = "$(linux_save $over)"
check "게임오버 saves 끝 in CP949" test "$(saved "$folder")" = "b3a10d0a"

# 엔딩 36: through the maze's shortest way to the duel. The golem's move is
# the clock's; a tie names it, and a lost round is taken back by loading
# the save made at the duel, where the move that won stays known.
duel="$(route start 'p>관찰 2' 1 'p>행동 1' 2 'p>분기 1' 3 'p>분기 3' 3 'p>분기 4' 1 'p>결전 40' 1 'p>골렘 8') p"
# shellcheck disable=SC2086
play $duel
before=$(saved "$folder")
press Command8
wait_for_save "$folder" "$before" || true
# shellcheck disable=SC2086
check "the save at 골렘 8 matches the Linux game's ($(saved "$folder"))" test "$(saved "$folder")" = "$(linux_save $duel)"
cp "$folder/save.sav" "$work/duel.sav"
play 1 3 p                       # attack; after a tie with an attack, the charge wins
before=$(saved "$folder")
press Command8
wait_for_save "$folder" "$before" || true
if [ "$(saved "$folder")" = "b3a10d0a" ]; then   # 끝
    # The charge beat the attack: back to the duel, where a dodge beats it.
    cp "$work/duel.sav" "$folder/save.sav"
    play load 2 p
    echo "windows: the golem charged; loaded the duel and dodged"
fi
to_end=$(cd "$top/assets" && "$BARMEN_STORY" play --from 엔딩 'p*300' |
    sed -n 's/^\[\([0-9]*\)\] [^ ]* -> "\([^"]*\)".*/\1\t\2/p' | awk -F'\t' '$2 == "엔딩 36" { print $1; exit }')
# One press is made; the last one shows 엔딩 36's own scene.
for _ in $(seq "$to_end"); do press Command6; done
import -window root "$screens/ending.png"
before=$(saved "$folder")
press Command8
wait_for_save "$folder" "$before" || true
check "엔딩 36 is reached and saved as the Linux game saves it ($(saved "$folder"))" \
    test "$(saved "$folder")" = "$(linux_save --from 엔딩 "p*$((to_end + 1))")"

# Load gives the label back: the progress press after it replays 엔딩 36's row.
cp "$work/duel.sav" "$folder/save.sav"
play load
before=$(saved "$folder")
play p save
wait_for_save "$folder" "$before" || true
check "load of the duel's save brings 골렘 8 back" test "$(saved "$folder")" = "$(linux_save $duel)"
stop_game

# A missing picture and a cut GIF: a Korean message box, and nothing changes.
for case in missing cut; do
    folder=$(game_folder "$case")
    if [ "$case" = missing ]; then rm "$folder/시작.gif"; else head -c 900 "$top/assets/시작.gif" > "$folder/시작.gif"; fi
    start_game "$folder"
    import -window "$win" "$work/before.png"
    press Command7
    if box=$(message_box); then
        sleep 0.5
        import -window root "$screens/message-$case.png"
        check "$case 시작.gif: the box is dismissed" dismiss "$box"
        sleep 0.3
        import -window "$win" "$work/after.png"
        cp "$work/before.png" "$screens/before-$case.png"; cp "$work/after.png" "$screens/after-$case.png"
        # The pictures and the story box as they were; only the focus moved
        # to the button pressed.
        convert "$work/before.png" +repage -crop 595x510+0+0 +repage "$work/before-left.png"
        convert "$work/after.png" +repage -crop 595x510+0+0 +repage "$work/after-left.png"
        changed=$(compare -metric AE "$work/before-left.png" "$work/after-left.png" null: 2>&1 || true)
        check "$case 시작.gif: the pictures and the text are as they were ($changed pixels changed)" \
            test "$changed" = 0
    else
        check "$case 시작.gif: a message box" false
    fi
    stop_game
done

# Started outside its folder: the pictures are read from the current folder,
# so 시작하기 finds none there and says so in a message box (which names
# the folder; window_parts_tests checks the words) instead of ending.
folder=$(game_folder elsewhere)
mkdir -p "$work/elsewhere/밖"
(cd "$work/elsewhere/밖" && exec wine "$folder/barmen.exe" > /dev/null 2>&1) &
game_pid=$!
if win=$(game_window); then
    sleep 0.5
    press Command7
    if box=$(message_box); then
        sleep 0.5
        import -window root "$screens/message-elsewhere.png"
        check "started outside its folder: a message box, dismissed" dismiss "$box"
        check "started outside its folder: the window stays" eval 'xdotool search --onlyvisible --name 바르멘 | grep -qx "$win"'
    else
        check "started outside its folder: a message box" false
    fi
else
    check "started outside its folder: the window opens" false
fi
stop_game

# At 150 % and 200 % display scaling the window is 1.5 and 2 times as large
# (the layout's pixels scaled, the pictures smoothly).
for dpi in 144 192; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f > /dev/null 2>&1
    wineserver -w
    start_game "$(game_folder "dpi-$dpi")"
    geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
    import -window "$win" "$screens/scale-$dpi.png"
    check "at $dpi dpi the client area is $(( (727 * dpi + 48) / 96 ))x$(( (510 * dpi + 48) / 96 )) (got $geometry)" \
        test "$geometry" = "$(( (727 * dpi + 48) / 96 ))x$(( (510 * dpi + 48) / 96 ))"
    stop_game
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f > /dev/null 2>&1
    wineserver -w
done

# --- The installer: silently into the prefix, the shortcut, the uninstaller --
echo "== barmen-1.0-setup.exe under Wine"
check "the installer runs silently" wine "$out/barmen-1.0-setup.exe" /S
wineserver -w
local_app=$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' 2> /dev/null | tr -d '\r')" 2> /dev/null)
programs=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2> /dev/null | tr -d '\r')" 2> /dev/null)"/Microsoft/Windows/Start Menu/Programs"
installed=$local_app/Programs/바르멘
check "barmen.exe in %LOCALAPPDATA%\Programs\바르멘" test -f "$installed/barmen.exe"
check "the 24 pictures beside it" test "$(ls "$installed"/*.jpg "$installed"/*.gif | wc -l)" = 24
check "the Start-menu shortcut" test -f "$programs/바르멘.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\barmen'
check "the uninstaller registered for the player" eval "wine reg query '$key' /v UninstallString 2> /dev/null | grep -q uninstall.exe"

# The shortcut starts the game in its folder: a save lands beside it.
(cd "$work" && exec wine start /wait "$(winepath -w "$programs/바르멘.lnk")" > /dev/null 2>&1) &
game_pid=$!
if win=$(game_window); then
    sleep 0.5
    play start p save
    wait_for_save "$installed" "" || true
    check "the shortcut's game finds its pictures and saves in its own folder" \
        test "$(saved "$installed")" = "$(linux_save start p)"
    press Command10
    for _ in $(seq 50); do xdotool search --onlyvisible --name 바르멘 > /dev/null 2>&1 || break; sleep 0.1; done
    check "끝내기 closes the window" eval '! xdotool search --onlyvisible --name 바르멘 > /dev/null 2>&1'
else
    check "the shortcut starts the game" false
fi
stop_game

check "the uninstaller runs silently" wine "$installed/uninstall.exe" /S
wineserver -w
sleep 1
check "the uninstaller removes the program and the pictures" \
    eval '! ls "$installed"/barmen.exe "$installed"/*.jpg "$installed"/*.gif > /dev/null 2>&1'
check "the uninstaller keeps save.sav" test "$(saved "$installed")" = "$(linux_save start p)"
check "the shortcut goes" test ! -e "$programs/바르멘.lnk"
check "the uninstall entry goes" eval "! wine reg query '$key' > /dev/null 2>&1"
rm -rf "$installed"

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
