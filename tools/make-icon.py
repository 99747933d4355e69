#!/usr/bin/env python3
"""Draws the program's icon, a cream V in an olive square, at every size the Windows shell asks
for (16, 20, 24 and 32 pixels in the tray at 100 to 200 %, 48 in Explorer), and writes them into
frontends/win32/brontek.ico. With --check it only compares the icon in the repository, pixel by
pixel, with the drawing, and fails when they differ. Needs python3-pil."""

import io
import os
import struct
import sys

from PIL import Image, ImageDraw

ICO = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                   "frontends", "win32", "brontek.ico")
SIZES = (16, 20, 24, 32, 48)
EDGE, FIELD, V = (34, 42, 20, 255), (75, 93, 44, 255), (242, 230, 194, 255)
# The V on a 32-unit grid; drawn 8 times finer and averaged down, so its slopes stay smooth.
V_OUTLINE = [(6, 7), (11, 7), (16, 21), (21, 7), (26, 7), (18.5, 26), (13.5, 26)]
FINE = 8


def draw(size):
    # The square's edges fall on whole pixels at every size, so they stay sharp.
    margin = border = max(1, round(size / 16))
    square = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(square)
    d.rectangle([margin, margin, size - 1 - margin, size - 1 - margin], fill=EDGE)
    d.rectangle([margin + border] * 2 + [size - 1 - margin - border] * 2, fill=FIELD)
    unit = size * FINE / 32
    v = Image.new("L", (size * FINE, size * FINE), 0)
    ImageDraw.Draw(v).polygon([(x * unit, y * unit) for x, y in V_OUTLINE], fill=255)
    square.paste(Image.new("RGBA", (size, size), V), (0, 0), v.reduce(FINE))
    return square


def ico(images):
    """An .ico of PNG images (read by Windows since Vista, and by Wine)."""
    pngs = []
    for image in images:
        out = io.BytesIO()
        image.save(out, "PNG", optimize=True)
        pngs.append(out.getvalue())
    data = struct.pack("<HHH", 0, 1, len(pngs))
    offset = 6 + 16 * len(pngs)
    for image, png in zip(images, pngs):
        data += struct.pack("<BBBBHHII", image.width, image.height, 0, 0, 1, 32, len(png), offset)
        offset += len(png)
    return data + b"".join(pngs)


def main():
    drawn = {size: draw(size) for size in SIZES}
    if "--check" not in sys.argv:
        with open(ICO, "wb") as f:
            f.write(ico(list(drawn.values())))
        return 0
    committed = Image.open(ICO)
    if sorted(committed.ico.sizes()) != [(s, s) for s in SIZES]:
        print("brontek.ico holds %s, not %s: run tools/make-icon.py" % (
            sorted(committed.ico.sizes()), SIZES))
        return 1
    differ = [s for s in SIZES
              if committed.ico.getimage((s, s)).convert("RGBA").tobytes() != drawn[s].tobytes()]
    print("brontek.ico differs from the drawing at %s px: run tools/make-icon.py" % differ
          if differ else "brontek.ico: every size is the drawing's")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
