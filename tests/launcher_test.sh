#!/bin/sh
# The command barmen's game folder rules, on an install laid out as the package
# lays it out, with a stand-in game that records where and how it was started:
# a fresh home, a folder with the player's own picture and save, links left by
# an older install, things under a picture's name that are not the player's
# pictures (/proc, devices, pipes), a read-only home, no home at all, a folder
# inside the install however the path gets there, no display, two launchers
# at once, and nothing ever written under the install.
#   launcher_test.sh BUILD/packaging/barmen
# As root it runs itself again as nobody: root would write to a read-only home.
set -u
launcher=$(readlink -f "$1")

if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv > /dev/null || { echo "setpriv is missing (util-linux): cannot test as a player"; exit 1; }
    copy=$(mktemp -d)
    cp "$0" "$copy/launcher_test.sh"
    cp "$(dirname "$0")/checks.sh" "$copy/checks.sh"
    cp "$launcher" "$copy/barmen"
    chmod -R a+rX "$copy"
    # What only root can set up for the player: a shared sticky folder where
    # root made barmen/ first and planted a link named barmen, and a file
    # system mounted nosymfollow that the player may write.
    mkdir -m 1777 "$copy/shared" "$copy/planted"
    mkdir -m 755 "$copy/shared/barmen" "$copy/victim"
    chown 65534:65534 "$copy/victim"
    ln -s "$copy/victim" "$copy/planted/barmen"
    mkdir -m 755 "$copy/nosym"
    if mount -t tmpfs -o nosymfollow,size=4m,uid=65534,gid=65534 tmpfs "$copy/nosym" 2> /dev/null; then
        nosym=$copy/nosym
    else
        echo "cannot mount a tmpfs with nosymfollow here: not tried"
        nosym=
    fi
    BARMEN_TEST_SHARED=$copy/shared BARMEN_TEST_PLANTED=$copy/planted BARMEN_TEST_NOSYMFOLLOW=$nosym \
        setpriv --reuid=65534 --regid=65534 --clear-groups sh "$copy/launcher_test.sh" "$copy/barmen"
    status=$?
    [ -z "$nosym" ] || umount "$nosym"
    rm -rf "$copy"
    exit $status
fi

. "$(dirname "$0")/checks.sh"

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
prefix=$work/usr
mkdir -p "$prefix/games" "$prefix/lib/games/barmen" "$prefix/share/games/barmen"
cp "$launcher" "$prefix/games/barmen"
pictures=$prefix/share/games/barmen
for name in "배경1.jpg" "시작 2.gif" "메어드.gif"; do
    printf 'installed %s\n' "$name" > "$pictures/$name"
done
# The stand-in game: where it ran and with what arguments.
cat > "$prefix/lib/games/barmen/barmen" <<'EOF'
#!/bin/sh
pwd -P > "$BARMEN_TEST_RECORD"
printf '%s\n' "$@" >> "$BARMEN_TEST_RECORD"
exit 7
EOF
chmod -R a-w "$prefix/lib" "$prefix/share"
chmod a+x "$prefix/lib/games/barmen/barmen"
chmod 555 "$prefix/games/barmen"
before=$(cd "$prefix" && ls -lR --time-style=full-iso)

record=$work/record
# The stand-in needs no X server: the launcher only looks for a display.
display=:9 platform="" wayland=""
run() {   # run HOME XDG_DATA_HOME ARGS...: the launcher's status; stderr in $work/err
    h=$1 x=$2
    shift 2
    rm -f "$record"
    env -u HOME -u XDG_DATA_HOME -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM \
        ${h:+HOME=$h} ${x:+XDG_DATA_HOME=$x} ${display:+DISPLAY=$display} \
        ${platform:+QT_QPA_PLATFORM=$platform} ${wayland:+WAYLAND_DISPLAY=$wayland} BARMEN_TEST_RECORD="$record" \
        "$prefix/games/barmen" "$@" 2> "$work/err"
}
ran_in() { [ -f "$record" ] && [ "$(head -n1 "$record")" = "$1" ]; }
not_run() { [ ! -e "$record" ]; }
links_to_install() {   # every picture in FOLDER links to the installed one
    for name in "배경1.jpg" "시작 2.gif" "메어드.gif"; do
        [ -L "$1/$name" ] && [ "$(readlink "$1/$name")" = "$pictures/$name" ] || return 1
    done
}
said() { grep -q "$1" "$work/err" && grep -q '^barmen: ' "$work/err"; }

# A fresh home: the folder is made, the pictures linked, the game started in
# it without arguments, and its exit status handed back. An option the
# launcher does not know starts nothing: Qt would read it as its own.
home=$work/fresh
mkdir "$home"
run "$home" "" -platform offscreen
check "an unknown option: status 2" test $? -eq 2
check "an unknown option: the game does not start" not_run
check "an unknown option: no folder made" test ! -e "$home/.local"
run "$home" ""
check "fresh home: the game's exit status comes back" test $? -eq 7
check "fresh home: the game runs in ~/.local/share/barmen" ran_in "$home/.local/share/barmen"
check "fresh home: no argument reaches the game" test -z "$(tail -n +2 "$record")"
check "fresh home: every installed picture is linked" links_to_install "$home/.local/share/barmen"
check "fresh home: nothing on standard error" test ! -s "$work/err"

# XDG_DATA_HOME when absolute; a relative one is ignored, as the XDG rules say.
run "$home" "$work/xdg"
check "XDG_DATA_HOME: the folder is made there" ran_in "$work/xdg/barmen"
check "XDG_DATA_HOME: with the links" links_to_install "$work/xdg/barmen"
(cd "$work" && run "$home" "relative/data")
check "relative XDG_DATA_HOME: the default folder" ran_in "$home/.local/share/barmen"
check "relative XDG_DATA_HOME: nothing made beside it" test ! -e "$work/relative"

# A folder that is already there: the player's own picture and save stay as
# they are, the missing links are made.
home=$work/player
folder=$home/.local/share/barmen
mkdir -p "$folder"
printf 'my own picture\n' > "$folder/배경1.jpg"
printf '\275\303\300\333 2\r\n' > "$folder/save.sav"
run "$home" ""
check "own picture: the game starts" ran_in "$folder"
check "own picture: still a file" test ! -L "$folder/배경1.jpg"
check "own picture: its content unchanged" test "$(cat "$folder/배경1.jpg")" = "my own picture"
check "own picture: the save unchanged" test "$(od -An -tx1 "$folder/save.sav" | tr -d ' \n')" = "bdc3c0db20320d0a"
check "own picture: the other pictures linked" test "$(readlink "$folder/메어드.gif")" = "$pictures/메어드.gif"

# Links an older install left: a broken one and one into another barmen
# folder are pointed at this install; the player's own link elsewhere stays.
home=$work/upgrade
folder=$home/.local/share/barmen
mkdir -p "$folder" "$work/old/share/barmen" "$work/mine/barmen"
ln -s "/nowhere/share/games/barmen/배경1.jpg" "$folder/배경1.jpg"
printf 'old\n' > "$work/old/share/barmen/시작 2.gif"
ln -s "$work/old/share/barmen/시작 2.gif" "$folder/시작 2.gif"
printf 'mine\n' > "$work/mine/barmen/메어드.gif"
ln -s "$work/mine/barmen/메어드.gif" "$folder/메어드.gif"
run "$home" ""
check "upgrade: the game starts" ran_in "$folder"
check "upgrade: a broken link is pointed at the install" \
    test "$(readlink "$folder/배경1.jpg")" = "$pictures/배경1.jpg"
check "upgrade: a link to an older install is pointed at this one" \
    test "$(readlink "$folder/시작 2.gif")" = "$pictures/시작 2.gif"
check "upgrade: the player's own link stays" test "$(readlink "$folder/메어드.gif")" = "$work/mine/barmen/메어드.gif"
run "$home" ""
check "a second start changes no link" test "$(readlink "$folder/메어드.gif")" = "$work/mine/barmen/메어드.gif"

# Under a picture's name, what is not a picture of the player's own is pointed
# at the installed picture: links into /proc (size 0, never ending or
# blocking), /sys and /dev, to a pipe, to a folder, round in a loop, and a
# pipe itself. A plain file, a link to one and a folder stay.
home=$work/strange
folder=$home/.local/share/barmen
mkdir -p "$folder" "$work/elsewhere/dir"
mkfifo "$work/elsewhere/pipe"
printf 'mine\n' > "$work/elsewhere/mine.gif"
for target in /proc/self/pagemap /proc/kmsg /sys/kernel/uevent_seqnum /dev/zero \
              "$work/elsewhere/pipe" "$work/elsewhere/dir" loop; do
    ln -sfn "$target" "$folder/배경1.jpg"
    [ "$target" = loop ] && ln -sfn "$folder/배경1.jpg" "$folder/배경1.jpg"
    mkfifo "$folder/시작 2.gif"
    ln -s "$work/elsewhere/mine.gif" "$folder/메어드.gif"
    run "$home" ""
    check "a link to $target: the game starts" ran_in "$folder"
    check "a link to $target: pointed at the installed picture" \
        test "$(readlink "$folder/배경1.jpg")" = "$pictures/배경1.jpg"
    check "a pipe under a picture's name: pointed at the installed picture" \
        test "$(readlink "$folder/시작 2.gif")" = "$pictures/시작 2.gif"
    check "beside them, the player's own link stays" \
        test "$(readlink "$folder/메어드.gif")" = "$work/elsewhere/mine.gif"
    rm -f "$folder/시작 2.gif" "$folder/메어드.gif"
done
check "the pipe elsewhere is left alone" test -p "$work/elsewhere/pipe"
rm "$folder/배경1.jpg"
mkdir "$folder/배경1.jpg"
printf 'x' > "$folder/배경1.jpg/note"
printf 'my own\n' > "$folder/메어드.gif"
run "$home" ""
check "a folder under a picture's name stays, with what it holds" test -f "$folder/배경1.jpg/note"
check "a plain file stays as it is" test "$(cat "$folder/메어드.gif")" = "my own"

# A read-only home: a clear reason on standard error, a failing status, no game.
home=$work/readonly
mkdir "$home"
chmod 555 "$home"
run "$home" ""
check "read-only home: fails" test $? -ne 0
check "read-only home: says it cannot make the folder" said "게임 폴더를 만들 수 없습니다: $home/.local/share/barmen"
check "read-only home: the game does not start" not_run

# The folder there but read-only: no place for the save.
home=$work/lockedfolder
mkdir -p "$home/.local/share/barmen"
chmod 555 "$home/.local/share/barmen"
run "$home" ""
check "read-only folder: fails" test $? -ne 0
check "read-only folder: says it cannot write there" said "게임 폴더에 쓸 수 없습니다"
check "read-only folder: the game does not start" not_run

# A file where the folder should be.
home=$work/afile
mkdir -p "$home/.local/share"
printf 'x' > "$home/.local/share/barmen"
run "$home" ""
check "a file in the way: fails" test $? -ne 0
check "a file in the way: says so" said "게임 폴더를 만들 수 없습니다"

# No home and no XDG_DATA_HOME.
run "" ""
check "no home: fails" test $? -ne 0
check "no home: says so" said "홈 폴더가 없어"
check "no home: the game does not start" not_run

# A data folder inside the install is refused before anything is made.
run "$work/fresh" "$prefix/share"
check "folder inside the install: fails" test $? -ne 0
check "folder inside the install: says so" said "설치 폴더 안에"

# No display: said in the player's language, before anything is made.
home=$work/nodisplay
mkdir "$home"
display=""
LC_ALL="" LC_MESSAGES="" LANG=ko_KR.UTF-8 run "$home" ""
check "no display: status 1" test $? -eq 1
check "no display: says in Korean that it needs a desktop" said "그래픽 데스크톱"
check "no display: the game does not start" not_run
check "no display: no folder made" test ! -e "$home/.local"
LC_ALL=C LANG=ko_KR.UTF-8 run "$home" ""
check "no display, LC_ALL=C: says so in English" said "needs a graphical desktop"
platform=xcb wayland=wayland-0
run "$home" ""
check "QT_QPA_PLATFORM=xcb without DISPLAY: status 1" test $? -eq 1
check "QT_QPA_PLATFORM=xcb without DISPLAY: the game does not start" not_run
platform=offscreen wayland=""
run "$home" ""
check "QT_QPA_PLATFORM=offscreen needs no display" ran_in "$home/.local/share/barmen"
display=:9 platform=""

# Two launchers at a player's very first start (a double click on the menu
# entry): both start the game, fifty times over.
both=0
for i in $(seq 50); do
    home=$work/double/$i
    mkdir -p "$home"
    env -u XDG_DATA_HOME HOME="$home" DISPLAY=:9 BARMEN_TEST_RECORD="$home/a" "$prefix/games/barmen" 2> "$home/a.err" &
    a=$!
    env -u XDG_DATA_HOME HOME="$home" DISPLAY=:9 BARMEN_TEST_RECORD="$home/b" "$prefix/games/barmen" 2> "$home/b.err" &
    b=$!
    wait "$a"; sa=$?
    wait "$b"; sb=$?
    if [ "$sa" -eq 7 ] && [ "$sb" -eq 7 ] && links_to_install "$home/.local/share/barmen"; then
        both=$((both + 1))
    else
        cat "$home/a.err" "$home/b.err"
    fi
done
check "two launchers at a first start: both start the game, 50 of 50 times" test "$both" -eq 50

# The folder inside an install the player may write (cmake --install into a
# prefix of their own), reached by a detour the path as written does not
# show: "..", a link on the way, the game folder a link into the installed
# pictures. Refused, the game not started, nothing made in the install.
own=$work/own/usr
mkdir -p "$own/games" "$own/lib/games/barmen" "$own/share/games/barmen"
cp "$launcher" "$own/games/barmen"
cp "$prefix/lib/games/barmen/barmen" "$own/lib/games/barmen/barmen"
cp "$pictures"/* "$own/share/games/barmen/"
run_own() {   # run_own HOME XDG_DATA_HOME: as run, with the player's own install
    rm -f "$record"
    env -u XDG_DATA_HOME HOME="$1" ${2:+XDG_DATA_HOME=$2} DISPLAY=:9 BARMEN_TEST_RECORD="$record" \
        "$own/games/barmen" 2> "$work/err"
}
own_before=$(cd "$own" && ls -lR --time-style=full-iso)
home=$work/detour
mkdir -p "$home/.local/share" "$work/links"
ln -s "$own/share" "$work/links/share"
for data in "$home/../own/usr/share" "$work/links/share" "$work/links/share/games/barmen/.."; do
    run_own "$home" "$data"
    check "XDG_DATA_HOME=$data: fails" test $? -eq 1
    check "XDG_DATA_HOME=$data: says the folder is inside the install" said "설치 폴더 안에"
    check "XDG_DATA_HOME=$data: the game does not start" not_run
done
ln -s "$own/share/games/barmen" "$home/.local/share/barmen"
run_own "$home" ""
check "~/.local/share/barmen linked into the installed pictures: fails" test $? -eq 1
check "~/.local/share/barmen linked into the installed pictures: says so" said "설치 폴더 안에"
check "~/.local/share/barmen linked into the installed pictures: the game does not start" not_run
check "the player's own install is unchanged" test "$(cd "$own" && ls -lR --time-style=full-iso)" = "$own_before"
rm "$home/.local/share/barmen"
run_own "$home" ""
check "the same install, a folder of the player's own: the game starts" ran_in "$home/.local/share/barmen"

# A game folder the player should not trust: made first by someone else in
# a shared sticky folder (XDG_DATA_HOME pointing into /tmp), a link named
# barmen that someone else planted there, even one leading to the player's
# own folder, or a folder of the player's own that others may write. Each is
# refused in Korean with status 1, the game not started, nothing made in it.
# Before, the game started in each and saved where others could plant links.
home=$work/trust
mkdir -p "$home/.local/share/barmen"
if [ -n "${BARMEN_TEST_SHARED:-}" ]; then
    run "$home" "$BARMEN_TEST_SHARED"
    check "barmen/ made first by another user: status 1" test $? -eq 1
    check "barmen/ made first by another user: says so" said "다른 사용자의 것입니다"
    check "barmen/ made first by another user: the game does not start" not_run
    check "barmen/ made first by another user: nothing made in it" test -z "$(ls -A "$BARMEN_TEST_SHARED/barmen")"
else
    echo "not root: a folder of another user's was not tried"
fi
if [ -n "${BARMEN_TEST_PLANTED:-}" ]; then
    victim=$(readlink "$BARMEN_TEST_PLANTED/barmen")
    run "$home" "$BARMEN_TEST_PLANTED"
    check "a link another user planted, to the player's folder: status 1" test $? -eq 1
    check "a link another user planted: says so" said "다른 사용자가 만든 링크입니다"
    check "a link another user planted: the game does not start" not_run
    check "a link another user planted: nothing made behind it" test -z "$(ls -A "$victim")"
    mkdir "$work/mylinks"
    ln -s "$victim" "$work/mylinks/barmen"
    run "$home" "$work/mylinks"
    check "the player's own link to the player's folder: the game starts" ran_in "$victim"
    rm -f "$victim"/*
fi
for mode in 777 775 757; do
    chmod "$mode" "$home/.local/share/barmen"
    run "$home" ""
    check "a folder of mode $mode: status 1" test $? -eq 1
    check "a folder of mode $mode: says others may write it" said "다른 사용자도 쓸 수 있습니다"
    check "a folder of mode $mode: the game does not start" not_run
    check "a folder of mode $mode: nothing made in it" test -z "$(ls -A "$home/.local/share/barmen")"
done
chmod 755 "$home/.local/share/barmen"
run "$home" ""
check "the player's own folder of mode 755 starts" ran_in "$home/.local/share/barmen"
home=$work/trust-umask
mkdir "$home"
(umask 000 && run "$home" "")
check "made under umask 000: the game starts" ran_in "$home/.local/share/barmen"
check "made under umask 000: others may not write it" test "$(stat -c %a "$home/.local/share/barmen")" = 755

# On a file system mounted nosymfollow the links to the installed pictures
# are made but never followed: every picture would be "a link loop". The
# launcher says what is wrong instead, in Korean, with status 1.
if [ -n "${BARMEN_TEST_NOSYMFOLLOW:-}" ]; then
    home=$work/nosym
    mkdir "$home"
    run "$home" "$BARMEN_TEST_NOSYMFOLLOW"
    check "nosymfollow: status 1" test $? -eq 1
    check "nosymfollow: says the folder's file system follows no links" said "nosymfollow"
    check "nosymfollow: the game does not start" not_run
else
    echo "not root, or no nosymfollow mount here: a folder that follows no links was not tried"
fi

# Nothing above wrote anything under the install.
check "the install is unchanged" test "$(cd "$prefix" && ls -lR --time-style=full-iso)" = "$before"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
