# SPDX-License-Identifier: GPL-3.0-or-later
import unittest

from harness.xwindows import is_background


class FirstPaintTest(unittest.TestCase):
    def test_only_colour_bytes_decide(self):
        black_with_noise = bytes((0, 0, 0, 0xFF)) * 5000  # the padding byte may hold anything
        self.assertTrue(is_background(black_with_noise))
        for channel in range(3):
            painted = bytearray(black_with_noise)
            painted[4 * 4321 + channel] = 1  # one pixel, one channel, far into the grab
            self.assertFalse(is_background(bytes(painted)), channel)

    def test_background_colour_is_read_as_red_green_blue(self):
        grey_blue = bytes((0x30, 0x20, 0x10, 0)) * 10  # stored blue, green, red
        self.assertTrue(is_background(grey_blue, (0x10, 0x20, 0x30)))
        self.assertFalse(is_background(grey_blue, (0x30, 0x20, 0x10)))


if __name__ == "__main__":
    unittest.main()
