#!/usr/bin/env python3
"""Measures the draw screen on the prize screenshots (scripts/prize-screenshots.sh).

For each size it measures on <size>-idle.png (before the first round, its
prize in both corners), from the pixels alone:
  - the caption strip (the light red band) and the ink height of its blue text;
  - the start button's green body;
  - the left prize corner: what differs from <size>-bare.png (the same screen
    without the picture files) is the prize picture as shown, and the yellow
    ink just above it is the prize caption.
Then it checks that the 3840x2160 screen shows the buttons, the strip's text
and the prize caption at least 1.8 times as tall as 1920x1080 does, and that
on every screen the prize picture keeps its file's proportions within 5 %.

Usage: scripts/screenshots-measure.py SCREENSHOT_DIR PRIZE_PICTURE
Needs ImageMagick's convert. Exits 1 when a check fails.
"""
import os
import re
import subprocess
import sys

STRIP = (255, 128, 128)


def load(path, crop=None):
    """RGB rows of a PNG (or of a crop w, h, x, y of it)."""
    args = ["convert", path]
    if crop:
        args += ["-crop", "%dx%d+%d+%d" % crop, "+repage"]
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True)
    w, h = map(int, size.stdout.split())
    if crop:
        w, h = crop[0], crop[1]
    raw = subprocess.run(args + ["-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return w, h, [[tuple(raw[(y * w + x) * 3:(y * w + x) * 3 + 3]) for x in range(w)] for y in range(h)]


def picture_size(path):
    out = subprocess.run(["identify", "-format", "%w %h", path], check=True, capture_output=True, text=True)
    return tuple(map(int, out.stdout.split()))


def span(rows):
    return (rows[-1] - rows[0] + 1) if rows else 0


def caption_strip(pixels):
    """Height of the strip and of its text's ink."""
    strip_rows = [y for y, row in enumerate(pixels)
                  if sum(1 for p in row if all(abs(a - b) <= 8 for a, b in zip(p, STRIP))) > len(row) // 3]
    if not strip_rows:
        return 0, 0
    top, bottom = strip_rows[0], strip_rows[-1]
    ink = [y for y in range(top, bottom + 1) if any(p[2] - p[0] > 60 for p in pixels[y])]
    return bottom - top + 1, span(ink)


def green_body(pixels):
    rows = [y for y, row in enumerate(pixels) if sum(1 for r, g, b in row if g > r + 50 and g > b + 50) >= 3]
    return span(rows)


def prize_corner(bare, idle, box_width):
    """The shown picture's box (left, top, width, height) and the caption's ink height.

    `bare` is the corner without the picture, `idle` with it: what differs is
    the picture. The caption is the yellow ink just above it."""
    changed = [[max(abs(a - b) for a, b in zip(p, q)) > 16 for p, q in zip(r1, r2)] for r1, r2 in zip(bare, idle)]
    rows = [y for y, row in enumerate(changed) if any(row)]
    cols = [x for x in range(len(changed[0])) if any(row[x] for row in changed)]
    if not rows:
        return (0, 0, 0, 0), 0
    top = rows[0]
    picture = (cols[0], top, span(cols), span(rows))
    yellow = [y for y in range(0, top)
              if sum(1 for r, g, b in bare[y][:box_width] if r > 220 and g > 200 and b < 60) >= 2]
    # The caption's rows: the block of yellow rows ending nearest the picture.
    block = []
    for y in reversed(yellow):
        if block and block[-1] - y > 3:
            break
        block.append(y)
    return picture, span(sorted(block))


def measure(folder, size):
    w, h = map(int, size.split("x"))
    path = lambda tag: os.path.join(folder, "%s-%s.png" % (size, tag))
    # The strip and the buttons: the top (or bottom) eighth, the middle half for the buttons.
    band = max(h // 8, 1)
    _, _, top = load(path("idle"), (w, band, 0, 0))
    strip, ink = caption_strip(top)
    if not strip:
        _, _, bottom = load(path("idle"), (w, band, 0, h - band))
        strip, ink = caption_strip(bottom)
    _, _, buttons = load(path("idle"), (w // 2, band, w // 4, h - band))
    button = green_body(buttons)
    # The left prize corner: its box is 15 % of the width; the lower third of the height.
    corner = (w // 4, h // 3, 0, h - h // 3)
    _, _, bare = load(path("bare"), corner)
    _, _, idle = load(path("idle"), corner)
    picture, caption = prize_corner(bare, idle, int(w * 0.15))
    return {"strip": strip, "strip text": ink, "button": button, "prize caption": caption, "picture": picture}


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, prize = sys.argv[1], sys.argv[2]
    fw, fh = picture_size(prize)
    file_aspect = fw / fh
    sizes = sorted({m.group(1) for f in os.listdir(folder) if (m := re.match(r"(\d+x\d+)-bare\.png$", f))},
                   key=lambda s: tuple(map(int, s.split("x"))))
    figures = {}
    failed = False
    print("%-10s %6s %11s %7s %14s %20s %7s %8s" % ("screen", "strip", "strip text", "button", "prize caption",
                                                   "picture (x,y wxh)", "aspect", "vs file"))
    for size in sizes:
        f = measure(folder, size)
        figures[size] = f
        pw, ph = f["picture"][2:]
        aspect = pw / ph if ph else 0
        off = aspect / file_aspect - 1
        px, py = f["picture"][:2]
        print("%-10s %6d %11d %7d %14d %20s %7.3f %+7.1f%%" % (size, f["strip"], f["strip text"], f["button"],
                                                             f["prize caption"], "%d,%d %dx%d" % (px, py, pw, ph),
                                                             aspect, 100 * off))
        if abs(off) > 0.05:
            print("  FAIL: the prize picture at %s is not in its file's proportions (%.3f)" % (size, file_aspect))
            failed = True
    if "1920x1080" in figures and "3840x2160" in figures:
        hd, uhd = figures["1920x1080"], figures["3840x2160"]
        for key in ("button", "strip text", "prize caption"):
            ratio = uhd[key] / hd[key] if hd[key] else 0
            print("3840x2160 / 1920x1080 %-14s %d / %d = %.2f" % (key, uhd[key], hd[key], ratio))
            if ratio < 1.8:
                print("  FAIL: %s grows less than 1.8 times" % key)
                failed = True
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
