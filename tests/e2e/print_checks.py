#!/usr/bin/env python3
"""Helpers of print_to_pdf.sh, on the standard library and poppler only.

grey-png W H FILE
    writes a flat grey PNG of W by H pixels.
check-printout PDF INI PNG NUMBER SCREEN_W SCREEN_H [--arrow X,Y ...] [--code CODE ...]
    checks the printed report: the header with report number NUMBER on
    every page, the texts, the product codes under "Informations internes :",
    the report number advanced to NUMBER + 1 in INI, and the last page's
    image (written to PNG) with an arrow at every picked point (X, Y) of a
    SCREEN_W by SCREEN_H image, and nowhere else.
"""
import argparse
import struct
import subprocess
import sys
import zlib

GREY = 128


def grey_png(width, height, path):
    row = b"\x00" + bytes([GREY, GREY, GREY]) * width
    raw = row * height

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def render(pdf, page, dpi):
    ppm = subprocess.run(["pdftoppm", "-f", str(page), "-l", str(page), "-r", str(dpi), "-singlefile", pdf],
                         check=True, capture_output=True).stdout
    fields = []
    at = 0
    while len(fields) < 4:
        while ppm[at:at + 1].isspace():
            at += 1
        start = at
        while not ppm[at:at + 1].isspace():
            at += 1
        fields.append(ppm[start:at])
    if fields[0] != b"P6" or fields[3] != b"255":
        fail("unexpected pdftoppm output")
    width, height = int(fields[1]), int(fields[2])
    return width, height, ppm[at + 1:]


def check_printout(pdf, ini, png, number, screen_w, screen_h, arrows, codes):
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], check=True, capture_output=True).stdout.decode()
    # pdftotext's layout may widen or narrow runs of blanks: words are compared.
    pages = [" ".join(p.split()) for p in text.split("\f") if p.strip()]
    if len(pages) < 2:
        fail("expected text pages and an image page, got %d pages" % len(pages))
    for index, page in enumerate(pages, 1):
        for expected in ("Rapport Bêta Version à faxer au", "Rapport n°%d" % number, "Nom     : Martin Dupont",
                         "N°série : 654321"):
            if " ".join(expected.split()) not in page:
                fail("page %d lacks %r" % (index, expected))
    body = "".join(pages[:-1])
    for expected in ("Description de l'incident :", "The editor froze after F9.", "Informations internes :",
                     "Incident reproductible  : Ne sais pas"):
        if " ".join(expected.split()) not in body:
            fail("the text pages lack %r" % expected)
    internal = body.split("Informations internes :", 1)[1].split()
    for code in codes:
        if code not in internal:
            fail("product code %s is not printed" % code)

    with open(ini, "rb") as f:
        if ("numrpt=%d" % (number + 1)).encode() not in f.read():
            fail("the report number did not advance to %d" % (number + 1))

    last = len(pages)
    subprocess.run(["pdftoppm", "-png", "-f", str(last), "-l", str(last), "-r", "100", "-singlefile", pdf,
                    png[:-4] if png.endswith(".png") else png], check=True)
    width, height, pixels = render(pdf, last, 100)

    def rgb(px, py):
        at = (py * width + px) * 3
        return pixels[at], pixels[at + 1], pixels[at + 2]

    def is_grey(c):
        return all(abs(v - GREY) < 12 for v in c)

    # The image: the rows and columns that are mostly grey (the header's
    # smoothed letters have grey pixels too, but few).
    rows = [py for py in range(height) if sum(is_grey(rgb(px, py)) for px in range(0, width, 4)) > width // 8]
    if not rows:
        fail("the last page holds no image")
    top, bottom = rows[0], rows[-1]
    middle = (top + bottom) // 2
    columns = [px for px in range(width) if is_grey(rgb(px, middle))]
    left, right = columns[0], columns[-1]
    if top < height // 10:
        fail("the image does not start under the header")
    scale_x = (right - left) / screen_w
    scale_y = (bottom - top) / screen_h

    marked = {(px, py) for py in range(top + 2, bottom - 2) for px in range(left + 2, right - 2)
              if not is_grey(rgb(px, py))}
    for x, y in arrows:
        tip_x, tip_y = left + x * scale_x, top + y * scale_y
        near = [(px, py) for px, py in marked
                if tip_x - 5 <= px <= tip_x + 55 * scale_x and tip_y - 5 <= py <= tip_y + 55 * scale_y]
        if not near:
            fail("no arrow at the picked point (%d, %d)" % (x, y))
        a_left, a_right = min(p[0] for p in near), max(p[0] for p in near)
        a_top = min(p[1] for p in near)
        if abs(a_left - tip_x) > 3 or abs(a_top - tip_y) > 3:
            fail("the arrow's tip is at (%d, %d), not at the picked point (%.0f, %.0f)" % (a_left, a_top, tip_x, tip_y))
        if abs((a_right - a_left) - 50 * scale_x) > 3:
            fail("the arrow is %d pixels wide, not about %.1f" % (a_right - a_left, 50 * scale_x))
        marked -= set(near)
    if marked:
        fail("%d marked pixels where no point was picked" % len(marked))
    print("printout n°%d: %d pages, image %dx%d at (%d, %d), %d arrows"
          % (number, len(pages), right - left, bottom - top, left, top, len(arrows)))


def point(text):
    x, y = text.split(",")
    return int(x), int(y)


def main():
    if sys.argv[1] == "grey-png":
        grey_png(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4])
        return
    parser = argparse.ArgumentParser()
    parser.add_argument("command", choices=["check-printout"])
    parser.add_argument("pdf")
    parser.add_argument("ini")
    parser.add_argument("png")
    parser.add_argument("number", type=int)
    parser.add_argument("screen_w", type=int)
    parser.add_argument("screen_h", type=int)
    parser.add_argument("--arrow", type=point, action="append", default=[])
    parser.add_argument("--code", action="append", default=[])
    a = parser.parse_args()
    check_printout(a.pdf, a.ini, a.png, a.number, a.screen_w, a.screen_h, a.arrow, a.code)


if __name__ == "__main__":
    main()
