#!/usr/bin/env python3
"""Helpers of print_to_pdf.sh, on the standard library and poppler only.

grey-png W H FILE
    writes a flat grey PNG of W by H pixels.
check-printout PDF INI OUTDIR X Y SCREEN_W SCREEN_H [CODE...]
    checks the printed report: the header on every page, the texts, the
    product codes under "Informations internes :", the advanced report
    number, and the last page's image with the arrow at the picked point
    (X, Y) of a SCREEN_W by SCREEN_H image.
"""
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


def check_printout(pdf, ini, outdir, x, y, screen_w, screen_h, codes):
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], check=True, capture_output=True).stdout.decode()
    # pdftotext's layout may widen or narrow runs of blanks: words are compared.
    pages = [" ".join(p.split()) for p in text.split("\f") if p.strip()]
    if len(pages) < 2:
        fail("expected text pages and an image page, got %d pages" % len(pages))
    for number, page in enumerate(pages, 1):
        for expected in ("Rapport Bêta Version à faxer au", "Rapport n°41", "Nom     : Martin Dupont",
                         "N°série : 654321"):
            if " ".join(expected.split()) not in page:
                fail("page %d lacks %r" % (number, expected))
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
        if b"numrpt=42" not in f.read():
            fail("the report number did not advance to 42")

    last = len(pages)
    subprocess.run(["pdftoppm", "-png", "-f", str(last), "-l", str(last), "-r", "100", "-singlefile", pdf,
                    outdir + "/last-page"], check=True)
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
    arrow = [(px, py) for py in range(top + 2, bottom - 2) for px in range(left + 2, right - 2)
             if not is_grey(rgb(px, py))]
    if not arrow:
        fail("no arrow on the image")
    a_left, a_right = min(p[0] for p in arrow), max(p[0] for p in arrow)
    a_top = min(p[1] for p in arrow)
    if abs(a_left - (left + x * scale_x)) > 3 or abs(a_top - (top + y * scale_y)) > 3:
        fail("the arrow's tip is at (%d, %d), not at the picked point (%.0f, %.0f)"
             % (a_left, a_top, left + x * scale_x, top + y * scale_y))
    if abs((a_right - a_left) - 50 * scale_x) > 3:
        fail("the arrow is %d pixels wide, not about %.1f" % (a_right - a_left, 50 * scale_x))
    print("printout: %d pages, image %dx%d at (%d, %d), arrow at (%d, %d)"
          % (len(pages), right - left, bottom - top, left, top, a_left, a_top))


def main():
    if sys.argv[1] == "grey-png":
        grey_png(int(sys.argv[2]), int(sys.argv[3]), sys.argv[4])
    elif sys.argv[1] == "check-printout":
        check_printout(sys.argv[2], sys.argv[3], sys.argv[4], *map(int, sys.argv[5:9]), sys.argv[9:])
    else:
        fail("unknown command " + sys.argv[1])


if __name__ == "__main__":
    main()
