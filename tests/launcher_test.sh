#!/bin/sh
# The command barmen's game folder rules, on an install laid out as the package
# lays it out, with a stand-in game that records where and how it was started:
# a fresh home, a folder with the player's own picture and save, links left by
# an older install, a read-only home, no home at all, a folder inside the
# install, and nothing ever written under the install.
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
    setpriv --reuid=65534 --regid=65534 --clear-groups sh "$copy/launcher_test.sh" "$copy/barmen"
    status=$?
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
run() {   # run HOME XDG_DATA_HOME ARGS...: the launcher's status; stderr in $work/err
    h=$1 x=$2
    shift 2
    rm -f "$record"
    env -u HOME -u XDG_DATA_HOME ${h:+HOME=$h} ${x:+XDG_DATA_HOME=$x} BARMEN_TEST_RECORD="$record" \
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
# it with the arguments, and its exit status handed back.
home=$work/fresh
mkdir "$home"
run "$home" "" -platform offscreen
check "fresh home: the game's exit status comes back" test $? -eq 7
check "fresh home: the game runs in ~/.local/share/barmen" ran_in "$home/.local/share/barmen"
check "fresh home: the arguments reach the game" \
    test "$(tail -n +2 "$record" | tr '\n' ' ')" = "-platform offscreen "
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

# Nothing above wrote anything under the install.
check "the install is unchanged" test "$(cd "$prefix" && ls -lR --time-style=full-iso)" = "$before"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
