#!/usr/bin/python3
"""The page in headless Chromium, played by real pointer and key events at the
layout's button centres: page_test.py SITE WORK PLAN.json

PLAN (written by tests/web_test.sh) holds the layout as barmen-story prints
it, the routes the story's own engine counts, and the bytes the Linux game
saves after the same presses. Prints one line per failed check and, last,
"page: N passed, M failed"."""
import json
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser, Server  # noqa: E402

site, work, plan_file = sys.argv[1:4]
plan = json.load(open(plan_file))
layout = {name: tuple(box) for name, *box in plan['layout']}   # left top width height cx cy
key_button = {'p': 'Command6', '1': 'Command2', '2': 'Command3', '3': 'Command4',
              'start': 'Command7', 'save': 'Command8', 'load': 'Command9'}
passed = failed = 0
glyphs = set()   # every character the story box and the messages showed


def check(what, ok, detail=''):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print(f'FAILED: {what}' + (f' ({detail})' if detail else ''), flush=True)


def site_copy(name, change):
    folder = os.path.join(work, name)
    shutil.copytree(site, folder)
    change(folder)
    return folder


class Game:
    """The page in one browser, clicked the way a player clicks."""

    def __init__(self, url, **browser):
        self.browser = Browser(**browser)
        self.url = url

    def open(self, width=727, height=510, scale=1, mobile=False):
        self.browser.viewport(width, height, scale, mobile)
        return self.browser.open(self.url)

    def origin(self):
        """Where the window's client area is, and how large one of its pixels is."""
        box = self.js("(() => { const r = document.getElementById('Form1').getBoundingClientRect();"
                      " return [r.left, r.top, r.width / 727]; })()")
        return box

    def centre(self, name):
        left, top, unit = self.origin()
        _, _, _, _, cx, cy = layout[name]
        return left + cx * unit, top + cy * unit

    def press(self, name, settle=0.0):
        self.browser.click(*self.centre(name))
        if settle:
            time.sleep(settle)

    def play(self, keys):
        for key in keys:
            self.press(key_button[key])
            glyphs.update(self.text())

    def js(self, expression):
        return self.browser.evaluate(expression)

    def text(self):
        text = self.js("document.getElementById('Text1').value")
        glyphs.update(text)
        return text

    def picture(self, name):
        """What the control shows: the stored picture's address, or a digest of the canvas's pixels."""
        return self.js(f"""(() => {{
            const box = document.getElementById('{name}'); const img = box.querySelector('img');
            if (img) return 'stored ' + img.src.split('/').pop();
            const c = box.querySelector('canvas'); const d = c.toDataURL();
            let h = 2166136261; for (let i = 0; i < d.length; ++i) h = Math.imul(h ^ d.charCodeAt(i), 16777619);
            return c.width + 'x' + c.height + ' ' + (h >>> 0).toString(16); }})()""")

    def saved(self):
        """The save's bytes in the page's local storage, in hex, or None."""
        return self.js("(() => { const s = localStorage.getItem('barmen/save.sav'); if (s === null) return null;"
                       " return Array.from(s, c => c.charCodeAt(0).toString(16).padStart(2, '0')).join(''); })()")

    def message(self):
        """The message the dialog shows, or None when it is closed."""
        said = self.js("document.getElementById('message').open ?"
                       " document.getElementById('message-text').textContent : null")
        glyphs.update(said or '')
        return said

    def focused(self):
        return self.js("document.activeElement ? document.activeElement.id : ''")

    def close(self):
        self.browser.close()


def boxes_match(game, what, tolerance):
    """Every control's box where the layout puts it, scaled with the window."""
    left, top, unit = game.origin()
    wrong = []
    for name, (x, y, w, h, _, _) in layout.items():
        r = game.js(f"(() => {{ const r = document.getElementById('{name}').getBoundingClientRect();"
                    " return [r.left, r.top, r.width, r.height]; })()")
        want = [left + x * unit, top + y * unit, w * unit, h * unit]
        if any(abs(a - b) > tolerance for a, b in zip(r, want)):
            wrong.append(f'{name} {[round(v, 1) for v in r]} != {[round(v, 1) for v in want]}')
    check(f'{what}: every control where the layout puts it', not wrong, '; '.join(wrong))


server = Server(site)
game = Game(server.url)
try:
    # --- The window as the layout has it -----------------------------------
    check('the page loads and fetches its pictures', game.open())
    check('the page is called 바르멘', game.js('document.title') == '바르멘')
    check('first focus on Command2', game.focused() == 'Command2', game.focused())
    check('eight real buttons with their captions',
          game.js("Array.from(document.querySelectorAll('#Form1 button'), b => b.id + ' ' + b.textContent).sort().join('|')")
          == '|'.join(sorted(f'{n} {c}' for n, c in plan['captions'] if n.startswith('Command'))))
    check('the window is 727 × 510 at a 727 × 510 viewport', game.origin() == [0, 0, 1])
    boxes_match(game, 'device pixel ratio 1', 0.5)
    check('the story box shows the title text with its line break after the last line',
          game.text() == plan['initial_text'].replace('\r\n', '\n'))
    check('the story box is read-only, on the scroll-bar grey, without a scroll bar',
          game.js("(() => { const t = document.getElementById('Text1'), s = getComputedStyle(t);"
                  " return t.readOnly && s.backgroundColor === 'rgb(200, 200, 200)' && s.overflowY === 'hidden'; })()"))
    check('the crosshair over the frames, the arrow over the buttons',
          game.js("getComputedStyle(document.getElementById('Frame1')).cursor === 'crosshair' &&"
                  " getComputedStyle(document.getElementById('Frame2')).cursor === 'crosshair' &&"
                  " getComputedStyle(document.getElementById('Command2')).cursor === 'default'"))
    check('the labels in their own fonts: 굴림 15.75 pt bold and 돋움 20.25 pt bold',
          game.js("[['Label1', '굴림', '21px'], ['Label2', '돋움', '27px']].every(([n, f, px]) => {"
                  " const s = getComputedStyle(document.getElementById(n));"
                  " return s.fontFamily === f && s.fontSize === px && s.fontWeight === '700'; })"))
    # As each desktop window measures its own story box: six rows show, and
    # no line of the story runs onto a second row in the page's font.
    fit = game.js(f"""(async () => {{
        await document.fonts.load('15px "굴림"', {json.dumps(''.join(plan['lines']))});
        const box = document.getElementById('Text1'), kept = box.value, row = parseFloat(getComputedStyle(box).lineHeight);
        const wrapped = [];
        // No height of its own, so the box is as tall as its rows.
        box.style.height = '0px';
        for (const line of {json.dumps(plan['lines'], ensure_ascii=False)}) {{
            box.value = line;
            if (box.scrollHeight >= 2 * row) wrapped.push(line);
        }}
        box.style.height = '';
        box.value = 'x\\n'.repeat(5) + 'x';
        const six = box.scrollHeight <= box.clientHeight;
        box.value = kept;
        return {{six, wrapped, font: document.fonts.check('15px "굴림"')}}; }})()""")
    check(f"six rows show in the story box and none of the story's {len(plan['lines'])} lines wraps in its font",
          fit['six'] and not fit['wrapped'] and fit['font'], fit)
    policy = game.js("document.querySelector('meta[http-equiv=\"Content-Security-Policy\"]').content")
    check("the page's policy allows WebAssembly and nothing eval or inline",
          "'wasm-unsafe-eval'" in policy and "'unsafe-eval'" not in policy and "'unsafe-inline'" not in policy
          and game.js("document.querySelectorAll('script:not([src])').length === 0"), policy)
    # --- Keyboard ---------------------------------------------------------
    order = []
    for _ in plan['tab_order']:
        order.append(game.focused())
        game.browser.key('Tab')
    check('Tab walks the controls in the layout\'s tab order', order == plan['tab_order'], order)
    game.press('Command6', 0.1)
    check('an action button before 시작하기 changes nothing', game.text() == plan['initial_text'].replace('\r\n', '\n'))
    game.js("document.getElementById('Command7').focus()")
    game.browser.key('Enter')
    time.sleep(0.1)
    check('Enter on 시작하기 starts', game.text() == plan['title_text'].replace('\r\n', '\n'))
    check("the character's transparent colour is clear over the background, which lies below it",
          game.js("(() => { const c = document.querySelector('#ch canvas');"
                  " return !c.hidden && c.getContext('2d').getImageData(0, 0, 1, 1).data[3] === 0 &&"
                  " +getComputedStyle(document.getElementById('ch')).zIndex >"
                  " +getComputedStyle(document.getElementById('bg')).zIndex; })()"))
    game.js("document.getElementById('Command6').focus()")
    game.browser.key('Space')
    time.sleep(0.1)
    check('Space on the progress button moves the story on', game.text() == plan['first_scene'])
    game.press('Command9', 0.1)
    check('불러오기 with no save says so in Korean', (game.message() or '').startswith('저장 파일'), game.message())
    game.browser.key('Enter')
    check('Enter closes the message', game.message() is None)
    game.press('Command9', 0.1)
    game.browser.key('Escape')
    check('Escape closes the message, and the focus goes back', game.message() is None and game.focused() == 'Command9',
          game.focused())
    game.press('Command6', 0.1)
    check('the game goes on after a message', game.text() == plan['second_scene'])

    # --- To 게임오버 and to 엔딩 36, with the Linux game's save bytes ------
    game.open()
    game.play(plan['over'])
    game.press('Command8', 0.1)
    check('게임오버 saves the Linux game\'s bytes', game.saved() == plan['over_save'], game.saved())
    game.play(plan['duel'])
    game.press('Command8', 0.1)
    check('the save at 골렘 8 matches the Linux game\'s', game.saved() == plan['duel_save'], game.saved())
    duel_save = game.saved()
    game.play(['1', '3', 'p', 'save'])
    if game.saved() == 'b3a10d0a':   # 끝: the golem's charge beat the attack; load and dodge
        game.js(f"localStorage.setItem('barmen/save.sav', String.fromCharCode({','.join(str(int(duel_save[i:i + 2], 16)) for i in range(0, len(duel_save), 2))}))")
        game.play(['load', '2', 'p'])
    for _ in range(plan['to_end']):
        game.press('Command6')
    game.press('Command8', 0.1)
    check('엔딩 36 is reached and saved as the Linux game saves it', game.saved() == plan['end_save'], game.saved())
    ending_text = game.text()

    # --- Reload, 불러오기, the saved scene again ---------------------------
    game.open()
    game.play(['start', 'p', 'p', 'p'])
    game.press('Command8', 0.1)
    shown = (game.text(), game.picture('bg'), game.picture('ch'))
    game.play(['p', 'p'])
    game.open()
    game.play(['load', 'p'])
    time.sleep(0.1)
    check('after a reload, 불러오기 and the next press show the saved scene again',
          (game.text(), game.picture('bg'), game.picture('ch')) == shown)
    game.browser.restart()
    game.open()
    check('the save survives the browser\'s end and a new start', game.saved() is not None and game.saved() != '')
    game.play(['load', 'p'])
    time.sleep(0.1)
    check('after the browser starts again, 불러오기 and the next press show the saved scene',
          (game.text(), game.picture('bg'), game.picture('ch')) == shown)
    second = game.browser.second_tab(server.url)
    try:
        check('a second tab of the game shares the save',
              second.wait_for("(document.getElementById('Form1') || {dataset: {}}).dataset.ready === 'ready'") and
              second.evaluate("localStorage.getItem('barmen/save.sav')") ==
              game.js("localStorage.getItem('barmen/save.sav')") is not None)
    finally:
        second.close_tab()

    # --- Fit any screen ---------------------------------------------------
    game.open(727, 510, 2)
    boxes_match(game, 'device pixel ratio 2', 0.5)
    game.browser.screenshot(os.path.join(work, 'dpr2.png'))
    check('at a device pixel ratio of 2 the page is drawn at twice the pixels',
          game.js('window.devicePixelRatio') == 2 and open(os.path.join(work, 'dpr2.png'), 'rb').read()[16:24]
          == (1454).to_bytes(4, 'big') + (1020).to_bytes(4, 'big'))
    game.open(390, 844, 3, mobile=True)
    boxes_match(game, 'a phone (390 × 844)', 0.75)
    left, top, unit = game.origin()
    check('on a phone the window fills the width and nothing scrolls',
          abs(unit * 727 - 390) < 0.5 and game.js("document.scrollingElement.scrollHeight <= innerHeight &&"
                                                     " document.scrollingElement.scrollWidth <= innerWidth"))
    game.browser.tap(*game.centre('Command7'))
    time.sleep(0.2)
    check('on a phone a tap is a click', game.text() == plan['title_text'].replace('\r\n', '\n'))

    # --- The screenshot beside the Linux window ---------------------------
    game.open(727, 510, 1)
    game.play(['start'] + ['p'] * 6)
    time.sleep(0.2)
    game.browser.screenshot(os.path.join(work, 'page.png'))

    # --- 끝내기 -------------------------------------------------------------
    before = game.saved()
    game.press('Command10', 0.1)
    check('끝내기 takes the window away and says the game has ended',
          game.js("!document.getElementById('Form1') && !document.getElementById('ended').hidden") and
          game.js("document.getElementById('ended').textContent").startswith('바르멘을 끝냈습니다'))
    check('끝내기 saves nothing', game.saved() == before)
    game.js("document.querySelector('#ended a').click()")
    time.sleep(0.3)
    check('the line\'s link starts the game again', game.browser.wait_for(
        "(document.getElementById('Form1') || {dataset: {}}).dataset.ready === 'ready'"))

    complaints = game.browser.complaints()
    check('no error and no warning in the console', not complaints, complaints)
finally:
    game.close()
    server.close()

# --- A picture missing on the server, and a cut GIF ---------------------------
def without_title(folder):
    os.remove(os.path.join(folder, '시작.gif'))


def cut_narration(folder):
    path = os.path.join(folder, '시작 2.gif')
    data = open(path, 'rb').read()
    open(path, 'wb').write(data[:len(data) // 2])


for name, change, press, words in (('missing', without_title, ['start'], ('시작.gif', '없습니다')),
                                   ('cut', cut_narration, ['start', 'p'], ('시작 2.gif', '잘려'))):
    server = Server(site_copy(name, change))
    game = Game(server.url)
    try:
        game.open()
        game.play(press[:-1])
        time.sleep(0.1)
        shown = (game.text(), game.picture('bg'), game.picture('ch'))
        game.play(press[-1:])
        time.sleep(0.1)
        said = game.message() or ''
        check(f'a {name} picture gives the Korean message naming it', all(w in said for w in words), said)
        check(f'a {name} picture changes nothing on screen', (game.text(), game.picture('bg'), game.picture('ch')) == shown)
        game.browser.key('Enter')
        game.play(press[-1:])
        time.sleep(0.1)
        check(f'after a {name} picture the game goes on, at the same label', game.message() == said)
        game.browser.key('Escape')
        noise = [c for c in game.browser.complaints() if '404' not in c]
        check(f'a {name} picture leaves nothing in the console but the server\'s answer', not noise, noise)
    finally:
        game.close()
        server.close()

# --- Storage refused --------------------------------------------------------
server = Server(site)
try:
    # Site data blocked for every page, as a player can set it.
    game = Game(server.url, preferences={'profile': {'default_content_setting_values': {'cookies': 2}}})
    try:
        game.open()
        game.play(['start', 'p'])
        time.sleep(0.1)
        shown = game.text()
        game.press('Command8', 0.1)
        said = game.message() or ''
        check('with site data blocked, 저장하기 says why in Korean', 'save.sav' in said and '권한' in said, said)
        game.browser.key('Enter')
        game.press('Command6', 0.1)
        check('with site data blocked the game goes on', game.text() != shown and game.message() is None)
    finally:
        game.close()

    # A full quota: the old save stays whole.
    game = Game(server.url)
    try:
        game.open()
        game.play(['start', 'p', 'save'])
        time.sleep(0.1)
        old = game.saved()
        game.js("""(() => { let chunk = 'x'.repeat(1 << 20), n = 0;
            while (chunk.length) { try { localStorage.setItem('fill' + n++, chunk); }
                                   catch (e) { chunk = chunk.slice(0, chunk.length >> 1); } }
            // The last few bytes, one at a time, so not even a longer label fits.
            let last = localStorage.getItem('fill0');
            for (;;) { try { localStorage.setItem('fill0', last + 'x'); last += 'x'; } catch (e) { break; } }
            return n; })()""")
        game.play(['p', 'p', 'p', 'p', 'p', 'p', 'p', 'p', 'p'])
        game.press('Command8', 0.1)
        said = game.message() or ''
        check('with the storage full, 저장하기 says so in Korean', 'save.sav' in said and '한도' in said, said)
        check('with the storage full, the old save stays whole', game.saved() == old, game.saved())
    finally:
        game.close()
finally:
    server.close()

# --- Fonts -------------------------------------------------------------------
# The page's own face must hold every character it showed: a missing one
# would be drawn from another font, or as a box where there is none.
from fontTools.ttLib import TTFont  # noqa: E402
cmap = TTFont(os.path.join(site, 'nanum-gothic.woff2')).getBestCmap()
missing = sorted(c for c in glyphs if not c.isspace() and ord(c) not in cmap)
check(f'the cut font holds all {len(glyphs)} characters the page showed', not missing and len(glyphs) > 100, missing)

print(f'page: {passed} passed, {failed} failed')
