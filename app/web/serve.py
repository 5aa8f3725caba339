#!/usr/bin/python3
"""Serves the page's folder on 127.0.0.1 only: python3 serve.py FOLDER [PORT].

A static host is all the page needs; this one only names the types a browser
insists on (WebAssembly must come as application/wasm to be compiled while it
downloads) and prints the address to open."""
import functools
import http.server
import sys

folder = sys.argv[1]
port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      '.wasm': 'application/wasm', '.woff2': 'font/woff2', '.js': 'text/javascript',
                      '.html': 'text/html; charset=utf-8', '.css': 'text/css; charset=utf-8'}

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(('127.0.0.1', port), functools.partial(Handler, directory=folder))
print(f'http://127.0.0.1:{server.server_address[1]}/', flush=True)
server.serve_forever()
