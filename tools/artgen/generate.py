#!/usr/bin/python3
"""Generate the program's icons and pictures into resources/.

    generate.py [--out DIR]   write every resource file into DIR
    generate.py --check DIR   exit 1, naming the files, if DIR's copies differ
                              from what this generator makes now

Everything is drawn from code and the text pixel art in icons/, with no
randomness beyond fixed seeds and no timestamps, so the output is the same
byte for byte on every run.
"""

import argparse
import io
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import pictures  # noqa: E402
from pixelart import ico_bytes, load_pixel_art, parse_legend, rgba_image  # noqa: E402

DEFAULT_OUT = HERE.parent.parent / "resources"
ICON_DIR = HERE / "icons"
ICONS = ("bolt", "match")
SIZES = (32, 16)


def _png_bytes(img):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=False, compress_level=9)
    return buf.getvalue()


def _bmp_bytes(img):
    """A 24-bit uncompressed BMP, bottom-up, marked 72 dpi."""
    buf = io.BytesIO()
    img.convert("RGB").save(buf, "BMP", dpi=(72, 72))
    return buf.getvalue()


def build():
    """Return {relative path: file contents} for every generated resource."""
    legend = parse_legend((ICON_DIR / "legend.txt").read_text(encoding="ascii"),
                          "legend.txt")
    files = {}
    for name in ICONS:
        images = [load_pixel_art(ICON_DIR / f"{name}{size}.txt", size, legend)
                  for size in SIZES]
        files[f"icons/{name}.ico"] = ico_bytes(images)
        for size, pixels in zip(SIZES, images):
            files[f"icons/{name}{size}.png"] = _png_bytes(rgba_image(pixels))
    # The hourglass the web page shows during a pause, as a cursor image
    # (its hot spot is its middle, 16,16).
    hourglass = load_pixel_art(ICON_DIR / "hourglass32.txt", 32, legend)
    files["icons/hourglass32.png"] = _png_bytes(rgba_image(hourglass))
    for name, draw in pictures.PICTURES.items():
        files[f"pictures/{name}.bmp"] = _bmp_bytes(draw())
    return files


def write(out_dir, files):
    out_dir = Path(out_dir)
    for rel, data in files.items():
        path = out_dir / rel
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)


def check(out_dir):
    """Return the relative paths whose copy in out_dir is missing or differs."""
    out_dir = Path(out_dir)
    with tempfile.TemporaryDirectory() as tmp:
        write(tmp, build())
        stale = []
        for fresh in sorted(Path(tmp).rglob("*")):
            if fresh.is_file():
                rel = fresh.relative_to(tmp)
                have = out_dir / rel
                if not have.is_file() or have.read_bytes() != fresh.read_bytes():
                    stale.append(rel.as_posix())
    return stale


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    group = parser.add_mutually_exclusive_group()
    group.add_argument("--out", metavar="DIR", type=Path, default=None,
                       help=f"write the resources here (default: {DEFAULT_OUT})")
    group.add_argument("--check", metavar="DIR", type=Path,
                       help="compare DIR with freshly generated files")
    args = parser.parse_args(argv)
    if args.check is not None:
        stale = check(args.check)
        if stale:
            print("out of date or missing in %s:" % args.check, file=sys.stderr)
            for rel in stale:
                print("  " + rel, file=sys.stderr)
            print("run tools/artgen/generate.py to regenerate", file=sys.stderr)
            return 1
        print("all generated resources are up to date")
        return 0
    out = args.out if args.out is not None else DEFAULT_OUT
    files = build()
    write(out, files)
    for rel in files:
        print(out / rel)
    return 0


if __name__ == "__main__":
    sys.exit(main())
