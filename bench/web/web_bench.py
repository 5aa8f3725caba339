#!/usr/bin/python3
"""The web page against a floor page in headless Chromium from 127.0.0.1:
web_bench.py SITE RUNS CLICKS

The floor is the game's own index.html with the same controls, style, fonts
and default pictures, but with bench/web/floor.js in place of the game: no
WebAssembly, no pictures fetched at start-up, and a click that only swaps two
already decoded pictures and the text. Prints the figures."""
import gzip
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tests', 'web'))
from browser import Browser, Server  # noqa: E402

site, runs, clicks = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])

# What a player downloads to play the whole game, each file as a server
# compresses it with gzip.
total = raw = 0
for name in sorted(os.listdir(site)):
    data = open(os.path.join(site, name), 'rb').read()
    raw += len(data)
    total += min(len(data), len(gzip.compress(data, 9)))
print(f'bytes to play the whole game: {total / 1024:.0f} KiB gzip-compressed ({raw / 1024:.0f} KiB as files;'
      f' aim: at most 1536 KiB), {len(os.listdir(site))} files')

work = tempfile.mkdtemp(prefix='barmen-bench.')
floor = os.path.join(work, 'floor')
shutil.copytree(site, floor)
shutil.copy(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'floor.js'), floor)
page = open(os.path.join(floor, 'index.html'), encoding='utf-8').read()
page = page.replace('<script src="barmen.js" defer></script>', '<script src="floor.js" defer></script>')
open(os.path.join(floor, 'index.html'), 'w', encoding='utf-8').write(page)

# Measured from inside each page the same way, by a script the browser runs
# before the page's own: when both pictures of the window were first painted
# (Element Timing, from the navigation's start), and for a click, the time
# from the input event to the end of the frame that shows its result.
MEASURE = """
window.__paints = {};
new MutationObserver(function (changes) {
  for (const change of changes) for (const node of change.addedNodes)
    if (node.tagName === 'IMG' && !node.hasAttribute('elementtiming')) node.setAttribute('elementtiming', node.parentNode.id);
}).observe(document, {childList: true, subtree: true});
new PerformanceObserver(function (list) {
  for (const e of list.getEntries()) window.__paints[e.identifier] = e.renderTime || e.loadTime;
}).observe({type: 'element', buffered: true});
window.__clicks = [];
window.__work = [];
document.addEventListener('click', function (event) {
  const start = event.timeStamp;
  requestAnimationFrame(function () { setTimeout(function () { window.__clicks.push(performance.now() - start); }, 0); });
}, true);
// After every handler of the click: its work, with the style and layout of
// what it changed, whatever frame it falls in.
window.addEventListener('click', function (event) {
  void document.body.offsetHeight;
  window.__work.push(performance.now() - event.timeStamp);
});
"""

servers = {'game': Server(site), 'floor': Server(floor)}
# Frames as soon as there is something to draw, not at the next tick of a
# 60 Hz clock, so a click's figure is the work it causes, not where in the
# frame it fell.
browser = Browser(flags=('--disable-frame-rate-limit', '--disable-gpu-vsync'))
try:
    browser.send('Page.addScriptToEvaluateOnNewDocument', source=MEASURE)
    browser.send('Network.enable')
    browser.send('Network.setCacheDisabled', cacheDisabled=True)
    browser.viewport(727, 510)
    paint = {'game': [], 'floor': []}

    def first_paint(who):
        browser.open(servers[who].url)
        browser.wait_for("window.__paints && window.__paints.bg && window.__paints.ch")
        return browser.evaluate("Math.max(window.__paints.bg, window.__paints.ch)")

    for who in ('game', 'floor'):   # one warming load of each
        first_paint(who)
    for i in range(runs):
        for who in (('game', 'floor') if i % 2 == 0 else ('floor', 'game')):
            paint[who].append(first_paint(who))
    g, f = statistics.median(paint['game']), statistics.median(paint['floor'])
    print(f'page load to the first paint of the window with its default pictures: game {g:.1f} ms,'
          f' floor {f:.1f} ms, ratio {g / f:.2f} (aim: at most 1.30; median of {runs} each, alternating, cache off)')

    click = {}
    x, y = 660, 192   # the progress button's centre, from the layout, at a 727 × 510 viewport
    for who in ('game', 'floor'):
        browser.open(servers[who].url)
        if who == 'game':
            browser.click(644, 392)   # 시작하기
        for _ in range(20):
            browser.click(x, y)
        time.sleep(0.5)
        browser.evaluate("window.__clicks = []; window.__work = []")
        for i in range(clicks):
            browser.click(x, y)
            browser.wait_for(f"window.__clicks.length > {i}", 5)
            time.sleep(0.02)
        click[who] = browser.evaluate("window.__clicks")
        click[who + ' work'] = browser.evaluate("window.__work")
    g, f = statistics.median(click['game']), statistics.median(click['floor'])
    print(f'click on the progress button to the end of the frame that shows the scene: game {g:.1f} ms, floor {f:.1f} ms,'
          f' ratio {g / f:.2f} (aim: at most 1.50 and under 16 ms; median of {len(click["game"])} and'
          f' {len(click["floor"])}; headless Chromium draws at 60 Hz, so both wait for the next frame)')
    g, f = statistics.median(click['game work']), statistics.median(click['floor work'])
    print(f'  of which the click itself (the handlers, and the style and layout of what they changed):'
          f' game {g:.2f} ms, floor {f:.2f} ms')
    complaints = browser.complaints()
    if complaints:
        print('console:', complaints[:3])
finally:
    browser.close()
    for server in servers.values():
        server.close()
    shutil.rmtree(work, ignore_errors=True)
