# SPDX-License-Identifier: GPL-3.0-or-later
import re
import struct
import threading
import unittest
import urllib.error
import urllib.request
import zlib

from harness.page import PageServer


def get(url):
    with urllib.request.urlopen(url, timeout=5) as response:
        return response.status, response.headers, response.read()


def decode_png(data):
    """(width, height, raw rows) of an 8-bit RGB PNG, checking every chunk's CRC."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    offset, chunks = 8, {}
    while offset < len(data):
        length, kind = struct.unpack(">I4s", data[offset:offset + 8])
        body = data[offset + 8:offset + 8 + length]
        crc, = struct.unpack(">I", data[offset + 8 + length:offset + 12 + length])
        assert crc == zlib.crc32(kind + body) & 0xFFFFFFFF, kind
        chunks[kind] = chunks.get(kind, b"") + body
        offset += 12 + length
    width, height, depth, colour = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    assert (depth, colour) == (8, 2)
    return width, height, zlib.decompress(chunks[b"IDAT"])


class PageServerTest(unittest.TestCase):
    def setUp(self):
        self.now = 0.0
        self.server = PageServer(clock=lambda: self.now)
        self.server.__enter__()
        self.base = "http://127.0.0.1:%d" % self.server.port

    def tearDown(self):
        self.server.__exit__(None, None, None)

    def test_every_file_the_page_names_is_served_uncached(self):
        status, headers, body = get(self.server.url("r1"))
        self.assertEqual(status, 200)
        self.assertEqual(headers["Cache-Control"], "no-store")
        names = re.findall(r'(?:src|href)="([^"]+)"', body.decode())
        self.assertEqual(sorted(names), ["app.js", "field.png", "sky.png", "stone.png", "style.css"])
        types = {}
        for name in names:
            status, headers, content = get(self.base + "/" + name)
            types[name] = headers["Content-Type"]
            self.assertEqual(len(content), int(headers["Content-Length"]))
            if name.endswith(".png"):
                width, height, rows = decode_png(content)
                self.assertEqual((width, height), (320, 200))
                self.assertEqual(len(rows), height * (1 + 3 * width))
        self.assertEqual(types["app.js"], "text/javascript")
        self.assertEqual(types["style.css"], "text/css")
        with self.assertRaises(urllib.error.HTTPError) as missing:
            get(self.base + "/favicon.ico")
        self.assertEqual(missing.exception.code, 404)

    def test_load_reports_are_stamped_per_run_and_keep_the_first(self):
        self.assertIn("loaded", get(self.base + "/app.js")[2].decode())
        self.now = 1.25
        get(self.base + "/loaded?run=a%20b")
        self.now = 9.0
        get(self.base + "/loaded?run=a%20b")  # a reload must not move the load time
        self.assertEqual(self.server.wait_loaded("a b", 0), 1.25)
        self.assertIsNone(self.server.wait_loaded("other", 0.05))

    def test_waiting_ends_when_the_report_arrives(self):
        self.now = 3.5
        threading.Timer(0.1, lambda: get(self.base + "/loaded?run=late")).start()
        self.assertEqual(self.server.wait_loaded("late", 5), 3.5)


if __name__ == "__main__":
    unittest.main()
