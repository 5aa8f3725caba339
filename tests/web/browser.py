"""Headless Chromium driven through its DevTools protocol, as the web checks
and benchmarks need it: real pointer and key events, the console, the
viewport, screenshots. Only Debian's chromium and python3-websocket."""
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.request

import websocket


class Browser:
    """One headless Chromium with one tab, on a profile of its own."""

    def __init__(self, preferences=None, flags=()):
        self.profile = tempfile.mkdtemp(prefix='barmen-chromium.')
        if preferences:
            os.makedirs(os.path.join(self.profile, 'Default'))
            with open(os.path.join(self.profile, 'Default', 'Preferences'), 'w') as f:
                json.dump(preferences, f)
        self.flags = flags
        self._launch()

    def _launch(self):
        port_file = os.path.join(self.profile, 'DevToolsActivePort')
        if os.path.exists(port_file):
            os.remove(port_file)
        self.process = subprocess.Popen(
            ['chromium', '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
             '--disable-background-networking', '--disable-component-update', '--disable-sync',
             '--disable-features=MediaRouter,OptimizationHints', '--remote-debugging-port=0',
             '--remote-allow-origins=*', f'--user-data-dir={self.profile}', *self.flags, 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(300):
            if os.path.exists(port_file) and open(port_file).read().count('\n') >= 1:
                break
            time.sleep(0.05)
        self.port = open(port_file).read().split('\n')[0]
        targets = json.load(urllib.request.urlopen(f'http://127.0.0.1:{self.port}/json/list'))
        self._attach(next(t for t in targets if t['type'] == 'page'))

    def _attach(self, target):
        self.socket = websocket.create_connection(target['webSocketDebuggerUrl'], timeout=60)
        self.next_id = 0
        self.events = getattr(self, 'events', [])
        for domain in ('Page', 'Runtime', 'Log'):
            self.send(f'{domain}.enable')

    def second_tab(self, url):
        """Another tab of the same browser and profile, opened at the address."""
        request = urllib.request.Request(f'http://127.0.0.1:{self.port}/json/new?{url}', method='PUT')
        tab = object.__new__(Browser)
        tab.port = self.port
        tab.target = json.load(urllib.request.urlopen(request))
        tab._attach(tab.target)
        return tab

    def close_tab(self):
        self.socket.close()
        urllib.request.urlopen(f'http://127.0.0.1:{self.port}/json/close/{self.target["id"]}').read()

    def close(self):
        try:
            self.socket.close()
        finally:
            self.process.terminate()
            self.process.wait(10)
            shutil.rmtree(self.profile, ignore_errors=True)

    def restart(self):
        """Ends the browser the way a player quits it, and starts it again on the same profile."""
        self.socket.close()
        path = open(os.path.join(self.profile, 'DevToolsActivePort')).read().split('\n')[1]
        browser = websocket.create_connection(f'ws://127.0.0.1:{self.port}{path}', timeout=60)
        browser.send(json.dumps({'id': 1, 'method': 'Browser.close'}))
        self.process.wait(30)
        self._launch()

    def send(self, method, **params):
        self.next_id += 1
        wanted = self.next_id
        self.socket.send(json.dumps({'id': wanted, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('id') == wanted:
                if 'error' in message:
                    raise RuntimeError(f'{method}: {message["error"]}')
                return message.get('result', {})
            if 'method' in message:
                self.events.append(message)

    def evaluate(self, expression):
        result = self.send('Runtime.evaluate', expression=expression, returnByValue=True, awaitPromise=True)
        if 'exceptionDetails' in result:
            raise RuntimeError(f'{expression}: {result["exceptionDetails"]}')
        return result['result'].get('value')

    def wait_for(self, expression, timeout=20):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if self.evaluate(expression):
                return True
            time.sleep(0.02)
        return False

    def viewport(self, width, height, scale=1, mobile=False):
        self.send('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=scale,
                  mobile=mobile)
        if mobile:
            self.send('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=5)

    def open(self, url):
        """Loads the page and waits until the game has its pictures."""
        self.send('Page.bringToFront')
        self.send('Page.navigate', url=url)
        time.sleep(0.05)
        return self.wait_for("document.readyState === 'complete' && "
                             "(document.getElementById('Form1') || {dataset: {}}).dataset.ready === 'ready'")

    def click(self, x, y):
        """A real click of the left button: the pointer arrives, goes down, comes up."""
        self.send('Input.dispatchMouseEvent', type='mouseMoved', x=x, y=y)
        self.send('Input.dispatchMouseEvent', type='mousePressed', x=x, y=y, button='left', clickCount=1)
        self.send('Input.dispatchMouseEvent', type='mouseReleased', x=x, y=y, button='left', clickCount=1)

    def tap(self, x, y):
        self.send('Input.dispatchTouchEvent', type='touchStart', touchPoints=[{'x': x, 'y': y}])
        self.send('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])

    KEYS = {'Tab': (9, 'Tab', None), 'Enter': (13, 'Enter', '\r'), 'Space': (32, ' ', ' '),
            'Escape': (27, 'Escape', None)}

    def key(self, name, shift=False):
        code, key, text = self.KEYS[name]
        down = {'type': 'keyDown' if text else 'rawKeyDown', 'windowsVirtualKeyCode': code, 'key': key,
                'code': 'Space' if name == 'Space' else name, 'modifiers': 8 if shift else 0}
        if text:
            down['text'] = text
        self.send('Input.dispatchKeyEvent', **down)
        self.send('Input.dispatchKeyEvent', type='keyUp', windowsVirtualKeyCode=code, key=key,
                  code=down['code'], modifiers=down['modifiers'])

    def screenshot(self, path):
        data = self.send('Page.captureScreenshot', format='png')['data']
        with open(path, 'wb') as f:
            f.write(base64.b64decode(data))

    def complaints(self):
        """Every error and warning the page's console or log reported so far."""
        found = []
        for event in self.events:
            method, params = event['method'], event.get('params', {})
            if method == 'Runtime.consoleAPICalled' and params.get('type') in ('error', 'warning', 'assert'):
                found.append(' '.join(str(a.get('value', a.get('description', ''))) for a in params['args']))
            elif method == 'Runtime.exceptionThrown':
                found.append(params['exceptionDetails'].get('text', '') + ' ' +
                             str(params['exceptionDetails'].get('exception', {}).get('description', '')))
            elif method == 'Log.entryAdded' and params['entry']['level'] in ('error', 'warning'):
                found.append(params['entry']['text'])
        return found


class Server:
    """The folder on 127.0.0.1, as tools/web --serve gives it."""

    def __init__(self, folder):
        self.process = subprocess.Popen([sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'app', 'web', 'serve.py'), folder, '0'],
                                        stdout=subprocess.PIPE, text=True)
        self.url = self.process.stdout.readline().strip()

    def close(self):
        self.process.terminate()
        self.process.wait(10)
