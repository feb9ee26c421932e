"""Checks on the generated resources and the icon writer."""

import struct
import sys
import unittest
from pathlib import Path

from PIL import Image

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import generate  # noqa: E402
from pixelart import PixelArtError, parse_legend, parse_pixel_art  # noqa: E402

RES = HERE.parent.parent / "resources"
WINDOWS_16 = ["000000", "800000", "008000", "808000", "000080", "800080", "008080", "C0C0C0",
              "808080", "FF0000", "00FF00", "FFFF00", "0000FF", "FF00FF", "00FFFF", "FFFFFF"]
SIZES = {"model": (100, 43), "starburst": (97, 65), "portrait": (72, 100), "final": (620, 307)}


def bmp_info(data):
    magic, _, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    size, width, height, planes, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
    return magic, offset, size, width, height, planes, bpp, compression


class ResourcesTest(unittest.TestCase):
    def test_checked_in_files_match_generator(self):
        self.assertEqual(generate.check(RES), [])

    def test_bmp_size_and_depth(self):
        for name, (w, h) in SIZES.items():
            with self.subTest(name):
                data = (RES / "pictures" / f"{name}.bmp").read_bytes()
                magic, offset, hdr, width, height, planes, bpp, comp = bmp_info(data)
                self.assertEqual((magic, hdr, planes, bpp, comp), (b"BM", 40, 1, 24, 0))
                self.assertEqual((width, height), (w, h))  # positive height: bottom-up
                stride = (w * 3 + 3) & ~3
                self.assertEqual(len(data), offset + stride * h)

    def test_grey_pictures_have_exact_grey_border(self):
        for name in ("model", "starburst"):
            with self.subTest(name):
                with Image.open(RES / "pictures" / f"{name}.bmp") as bmp:
                    img = bmp.convert("RGB")
                w, h = img.size
                ring = [(x, y) for x in range(w) for y in (0, h - 1)]
                ring += [(x, y) for y in range(h) for x in (0, w - 1)]
                bad = [p for p in ring if img.getpixel(p) != (0xC0, 0xC0, 0xC0)]
                self.assertEqual(bad, [])

    def test_icons_parse_and_match_sources(self):
        for name in ("bolt", "match"):
            with self.subTest(name):
                data = (RES / "icons" / f"{name}.ico").read_bytes()
                reserved, kind, count = struct.unpack_from("<HHH", data, 0)
                self.assertEqual((reserved, kind, count), (0, 1, 2))
                seen = []
                for i in range(count):
                    w, h, colours, _, planes, bits, length, offset = struct.unpack_from(
                        "<BBBBHHII", data, 6 + 16 * i)
                    hdr, bw, bh, _, bpp = struct.unpack_from("<IiiHH", data, offset)
                    self.assertEqual((colours, bits, hdr, bpp), (16, 4, 40, 4))
                    self.assertEqual((bw, bh), (w, 2 * w))  # height covers XOR + AND
                    pal = data[offset + 40:offset + 40 + 64]
                    self.assertEqual(["%02X%02X%02X" % (pal[j + 2], pal[j + 1], pal[j])
                                      for j in range(0, 64, 4)], WINDOWS_16)
                    xor = ((w * 4 + 31) // 32) * 4 * w
                    msk = ((w + 31) // 32) * 4 * w
                    self.assertEqual(length, 40 + 64 + xor + msk)
                    seen.append(w)
                    # An independent decoder must see the same picture as the PNG copy.
                    with Image.open(RES / "icons" / f"{name}.ico") as ico:
                        ico.size = (w, w)
                        decoded = ico.convert("RGBA")
                    with Image.open(RES / "icons" / f"{name}{w}.png") as png:
                        self.assertEqual(list(decoded.getdata()), list(png.convert("RGBA").getdata()))
                self.assertEqual(seen, [32, 16])


class PixelArtTest(unittest.TestCase):
    LEGEND = parse_legend(". transparent\nK black\nY yellow\n")

    def test_good_source(self):
        self.assertEqual(parse_pixel_art("K.\n.Y\n", 2, self.LEGEND),
                         [[0, None], [None, 11]])

    def test_rejects_malformed_sources(self):
        for text in ("K.\n.YY\n",   # a row too wide
                     "K.\n.\n",     # a row too narrow
                     "K.\n",        # too few rows
                     "K.\n.Y\nKK\n",  # too many rows
                     "K.\n.Z\n"):   # a character missing from the legend
            with self.subTest(text=text), self.assertRaises(PixelArtError):
                parse_pixel_art(text, 2, self.LEGEND)


if __name__ == "__main__":
    unittest.main()
