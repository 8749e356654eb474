# SPDX-License-Identifier: GPL-3.0-or-later
"""The test page and the local server that serves it and hears when it has loaded.

The page is small but real: a style sheet, a script and three images, so that every contender
makes the same handful of requests. When its `load` event fires the page asks for
/loaded?run=TOKEN; the server stamps that request with the monotonic clock the harness starts
processes by, so load times need no clock on the page's side.
"""

import http.server
import struct
import threading
import time
import urllib.parse
import zlib

IMAGE_NAMES = ("sky.png", "field.png", "stone.png")


def make_png(width, height, colour):
    """A valid RGB PNG: a gradient over `colour`, so each image has real, compressible content."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    red, green, blue = colour
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # no filter on this row
        for x in range(width):
            rows += bytes(((red + x) & 255, (green + y) & 255, (blue + x + y) & 255))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 6))
            + chunk(b"IEND", b""))


def make_assets():
    """Path -> (content type, body) for every file of the page."""
    html = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Bench page</title>
<link rel="stylesheet" href="style.css">
<script src="app.js"></script>
</head>
<body>
<header><h1>Bench page</h1><p id="status">loading</p></header>
<main>
<figure><img src="sky.png" width="320" height="200" alt="sky"><figcaption>Sky</figcaption></figure>
<figure><img src="field.png" width="320" height="200" alt="field"><figcaption>Field</figcaption></figure>
<figure><img src="stone.png" width="320" height="200" alt="stone"><figcaption>Stone</figcaption></figure>
<section><h2>Notes</h2><ul id="notes"></ul></section>
</main>
</body>
</html>
"""
    css = """body { margin: 0; font-family: sans-serif; background: #f4f1ea; color: #222; }
header { background: #35516b; color: #fff; padding: 12px 24px; }
main { display: flex; flex-wrap: wrap; gap: 16px; padding: 16px 24px; }
figure { margin: 0; background: #fff; padding: 8px; box-shadow: 0 1px 3px rgba(0,0,0,.25); }
figcaption { text-align: center; font-size: 14px; padding-top: 4px; }
section { flex-basis: 100%; }
"""
    js = """document.addEventListener('DOMContentLoaded', function () {
  var notes = document.getElementById('notes');
  for (var i = 1; i <= 20; i++) {
    var item = document.createElement('li');
    item.textContent = 'Note ' + i + ': ' + 'lorem ipsum '.repeat(i % 5 + 1);
    notes.appendChild(item);
  }
});
window.addEventListener('load', function () {
  document.getElementById('status').textContent = 'loaded';
  var run = new URLSearchParams(location.search).get('run') || '';
  fetch('/loaded?run=' + encodeURIComponent(run), { cache: 'no-store' });
});
"""
    assets = {
        "/": ("text/html; charset=utf-8", html.encode()),
        "/style.css": ("text/css", css.encode()),
        "/app.js": ("text/javascript", js.encode()),
    }
    for index, name in enumerate(IMAGE_NAMES):
        assets["/" + name] = ("image/png", make_png(320, 200, (40 * index, 90, 200 - 50 * index)))
    return assets


class PageServer:
    """Serves the page on 127.0.0.1 in a thread and records when each run's page has loaded."""

    def __init__(self, clock=time.monotonic):
        self._clock = clock
        self._assets = make_assets()
        self._loaded = {}
        self._condition = threading.Condition()
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def do_GET(self):
                stamp = server._clock()
                parts = urllib.parse.urlsplit(self.path)
                if parts.path == "/loaded":
                    token = urllib.parse.parse_qs(parts.query).get("run", [""])[0]
                    server._mark_loaded(token, stamp)
                    self._reply(204, "text/plain", b"")
                    return
                asset = server._assets.get("/" if parts.path == "/index.html" else parts.path)
                if asset is None:
                    self._reply(404, "text/plain", b"not here\n")
                else:
                    self._reply(200, *asset)

            def _reply(self, status, content_type, body):
                self.send_response(status)
                self.send_header("Content-Type", content_type)
                self.send_header("Content-Length", str(len(body)))
                # Every run starts cold; nothing may come from a cache.
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                self.wfile.write(body)

            def log_message(self, format, *args):  # noqa: A002 - the base class's name
                pass

        self._httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self._httpd.daemon_threads = True
        self._thread = threading.Thread(target=self._httpd.serve_forever, daemon=True)

    def __enter__(self):
        self._thread.start()
        return self

    def __exit__(self, *exc):
        self._httpd.shutdown()
        self._httpd.server_close()

    @property
    def port(self):
        return self._httpd.server_address[1]

    def url(self, token):
        return "http://127.0.0.1:%d/?run=%s" % (self.port, urllib.parse.quote(token))

    def _mark_loaded(self, token, stamp):
        with self._condition:
            # A page that fires load twice (a reload) keeps its first time.
            self._loaded.setdefault(token, stamp)
            self._condition.notify_all()

    def wait_loaded(self, token, timeout):
        """The clock reading at which the page of run `token` reported load, or None by `timeout`."""
        with self._condition:
            self._condition.wait_for(lambda: token in self._loaded, timeout)
            return self._loaded.get(token)
