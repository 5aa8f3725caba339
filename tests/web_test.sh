#!/usr/bin/env bash
# The web page's checks (tools/web --check; tools/test runs them):
#   - the core's toolkit-free suites compiled to WebAssembly, under node;
#   - the WebAssembly build's save bytes for every label of story/saved-labels.txt
#     and its decoding of the 24 pictures and the decoder's samples (whole and
#     cut) against the desktop build's, line for line;
#   - the page in headless Chromium, served from the zip unpacked, clicked and
#     typed at by real input events (tests/web/page_test.py): the window
#     against the layout, the keyboard, both endings with the Linux game's save
#     bytes, reload and load, missing and cut pictures, storage refused,
#     끝내기, the console;
#   - a screenshot of the page beside the Linux window, in build-web/screens.
# Usage: tests/web_test.sh BUILD-WEB
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$top/build-web}
# shellcheck source=tests/checks.sh
. "$top/tests/checks.sh"
# shellcheck source=tests/routes.sh
. "$top/tests/routes.sh"
export BARMEN_STORY=${BARMEN_STORY:-$out/native/tools/story/barmen-story}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
node=(env NODE_PATH=/usr/share/nodejs node --no-experimental-fetch)
native_check=$out/native/app/web/make/barmen-web-crosscheck
wasm_check=$out/game/tests/web/web_crosscheck.js

echo "== the core's suites in WebAssembly, under node"
if (cd "$top/tests" && "${node[@]}" "$out/game/tests/web/web_core_tests.js") > "$work/core.out" 2>&1; then
    tests=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p' "$work/core.out")
    passed=$((passed + ${tests:-0}))
    echo "${tests:-0} tests of the core passed under node"
else
    tail -n 40 "$work/core.out"
    echo "FAILED: the core's suites under node"
    failed=$((failed + 1))
fi

echo "== the WebAssembly build against the desktop build"
"$native_check" save "$top/story/saved-labels.txt" > "$work/save.native"
"${node[@]}" "$wasm_check" save "$top/story/saved-labels.txt" > "$work/save.wasm"
check "every label's save bytes are the desktop's ($(wc -l < "$work/save.native") labels)" \
    cmp -s "$work/save.native" "$work/save.wasm"
check "every label reads back from its bytes" eval '! grep -q "reads back wrong\|no converter" "$work/save.wasm"'
check "the save of 시작 2 is BD C3 C0 DB 20 32 0D 0A" grep -q $'^시작 2\tbdc3c0db20320d0a\t' "$work/save.wasm"
(cd "$top/assets" && "$native_check" decode *.jpg *.gif ../tests/pictures/*) > "$work/decode.native"
(cd "$top/assets" && "${node[@]}" "$wasm_check" decode *.jpg *.gif ../tests/pictures/*) \
    > "$work/decode.wasm"
check "every picture and sample, whole and cut, decodes as on the desktop ($(wc -l < "$work/decode.native") lines)" \
    cmp -s "$work/decode.native" "$work/decode.wasm"

echo "== barmen-1.0-web.zip"
zipped=$(/usr/bin/python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' \
         "$out/barmen-1.0-web.zip" | sort)
check "the zip holds the site as built, index.html at its root" test "$zipped" = "$(cd "$out/site" && ls | sort)"
check "the zip holds the 24 pictures under their own names" \
    eval '[ "$(cd "$top/assets" && ls *.jpg *.gif | sort)" = "$(echo "$zipped" | grep -E "\.(jpg|gif)$" | grep -v "^default-")" ]'
check "the zip holds a few dozen files at most ($(echo "$zipped" | wc -l))" test "$(echo "$zipped" | wc -l)" -le 36

echo "== the page in headless Chromium"
# The plan: the layout, the texts to expect, the routes the story's engine
# counts and the Linux game's save bytes after them.
over="$(route start 'p>관찰 2' 1 'p>행동 1' 2 'p>분기 1' 1 'p>게임오버') p"
duel="$(route start 'p>관찰 2' 1 'p>행동 1' 2 'p>분기 1' 3 'p>분기 3' 3 'p>분기 4' 1 'p>결전 40' 1 'p>골렘 8') p"
to_end=$(cd "$top/assets" && "$BARMEN_STORY" play --from 엔딩 'p*300' |
    sed -n 's/^\[\([0-9]*\)\] [^ ]* -> "\([^"]*\)".*/\1\t\2/p' | awk -F'\t' '$2 == "엔딩 36" { print $1; exit }')
(cd "$top/assets" && "$BARMEN_STORY" play start p p) > "$work/first.txt"
"$BARMEN_STORY" export > "$work/story.json"
# shellcheck disable=SC2086
/usr/bin/python3 - "$work/plan.json" "$work/first.txt" <<PY
import json, subprocess, sys
story = "$BARMEN_STORY"
layout = [line.split() for line in subprocess.run([story, 'layout'], capture_output=True, text=True, check=True).stdout.splitlines()]
steps = open(sys.argv[2], encoding='utf-8').read().split('\n[')
scene = lambda i: '\r\n'.join(l[4:] for l in steps[i].split('\n')[1:] if l.startswith('    ') or l == '').strip('\r\n')
title = [l[4:] for l in steps[0].split('\n')[1:]]
plan = {
    'layout': [[row[0]] + [int(v) for v in row[1:]] for row in layout],
    'captions': [["Command2", "첫번째 선택지"], ["Command3", "두번째 선택지"], ["Command4", "세번째 선택지"],
                 ["Command6", "독백, 이야기 진행"], ["Command7", "시작하기"], ["Command8", "저장하기"],
                 ["Command9", "불러오기"], ["Command10", "끝내기"]],
    'tab_order': ['Command2', 'Command3', 'Command4', 'Command6', 'Text1', 'Command7', 'Command8', 'Command9', 'Command10'],
    'title_text': '\r\n'.join(title).rstrip('\r\n'),
    'initial_text': '\r\n'.join(title).rstrip('\r\n') + '\r\n',
    'first_scene': '\n'.join(l[4:] for l in steps[1].split('\n')[1:] if l).rstrip('\n'),
    'second_scene': '\n'.join(l[4:] for l in steps[2].split('\n')[1:] if l).rstrip('\n'),
    'over': "$over".split(), 'over_save': "$(linux_save $over)",
    'duel': "$duel".split(), 'duel_save': "$(linux_save $duel)",
    'to_end': $to_end, 'end_save': "$(linux_save --from 엔딩 "p*$((to_end + 1))")",
}
tables = json.load(open("$work/story.json", encoding='utf-8'))
plan['lines'] = sorted({line for rows in tables.values() for row in rows for line in (row['text'] or []) if line} |
                       {line for line in plan['title_text'].split('\r\n') if line})
json.dump(plan, open(sys.argv[1], 'w'), ensure_ascii=False)
PY
# Played from the zip unpacked, as a game page or a host would serve it.
/usr/bin/python3 -m zipfile -e "$out/barmen-1.0-web.zip" "$work/unzipped"
/usr/bin/python3 "$top/tests/web/page_test.py" "$work/unzipped" "$work" "$work/plan.json" | tee "$work/page.out"
page_passed=$(sed -n 's/^page: \([0-9]*\) passed.*/\1/p' "$work/page.out")
page_failed=$(sed -n 's/^page: [0-9]* passed, \([0-9]*\) failed/\1/p' "$work/page.out")
passed=$((passed + ${page_passed:-0}))
failed=$((failed + ${page_failed:-1}))

# The page beside the Linux window at the same scene (docs/screenshot.png:
# 시작하기 and six presses of the progress button).
mkdir -p "$out/screens"
if [ -e "$work/page.png" ]; then
    cp "$work/page.png" "$out/screens/page.png"
    convert "$work/page.png" \( "$top/docs/screenshot.png" -background white -splice 12x0 \) +append \
        "$out/screens/web-beside-linux.png" 2> /dev/null || true
fi

echo "web: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
