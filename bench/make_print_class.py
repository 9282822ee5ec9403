#!/usr/bin/env python3
"""Writes the print-throughput class: 1,000 pupils, one full-page card each.

Every card holds 40 single-line text boxes at 8-14 pt, three word-wrapped
boxes (180x22, 180x26 and 85x14 mm) and one 240x300 px picture at 32x40 mm,
with Polish texts. Writes OUT_DIR/klasa1000.json (for `wkz build`) and the
picture OUT_DIR/zdjecie.bmp.  Usage: make_print_class.py OUT_DIR [PUPILS]
"""
import json
import os
import struct
import sys

FIRST = ["Zofia", "Łukasz", "Małgorzata", "Jędrzej", "Agnieszka", "Paweł", "Zdzisława",
         "Grzegorz", "Żaneta", "Michał", "Urszula", "Bartłomiej"]
LAST = ["Adamczyk", "Wiśniewska", "Kowalczyk", "Zieliński", "Woźniak", "Dąbrowska",
        "Kamiński", "Lewandowska", "Szymański", "Nowakowska", "Jóźwiak", "Żółkiewski"]
TOWNS = ["Kraków", "Łódź", "Gdańsk", "Poznań", "Wrocław", "Bielsko-Biała", "Zielona Góra"]
SUBJECTS = ["język polski", "matematyka", "historia", "geografia", "biologia", "chemia",
            "fizyka", "informatyka", "muzyka", "plastyka", "technika", "religia"]
GRADES = ["celujący", "bardzo dobry", "dobry", "dostateczny", "dopuszczający"]
REMARK = ("Uczeń wzorowo wypełniał obowiązki szkolne, aktywnie uczestniczył w życiu "
          "klasy i szkoły, reprezentował szkołę w konkursach przedmiotowych. ")
ACHIEVEMENT = ("Szczególne osiągnięcia: udział w olimpiadzie języka polskiego, "
               "zawody sportowe, wolontariat w świetlicy środowiskowej, chór szkolny. ")
BEHAVIOUR = "Zachowanie wzorowe, kultura osobista bez zastrzeżeń. "


def write_bmp(path, width=240, height=300):
    """A 24-bit picture with a gradient and a frame, so it is not trivially compressible."""
    row_size = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            edge = x < 4 or y < 4 or x >= width - 4 or y >= height - 4
            r, g, b = (20, 20, 90) if edge else ((x * 255) // width, (y * 255) // height,
                                                 ((x ^ y) * 7) & 255)
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + pixels)


def phrases():
    result = []
    for i in range(40):  # two columns of 20 single-line boxes, 8..14 pt
        column, row = divmod(i, 20)
        result.append({"name": f"pole {i + 1}", "x0": 15 + column * 95, "y0": 60.0 + row * 8,
                       "width": 90, "height": 7, "align": i % 3,
                       "fontName": "Times New Roman", "fontSize": 8 + i % 7, "bold": int(i % 5 == 0)})
    for name, x0, y0, w, h in (("uwagi", 15, 225.0, 180, 22), ("osiągnięcia", 15, 249.0, 180, 26),
                               ("zachowanie", 110, 18.0, 85, 14)):
        result.append({"name": name, "x0": x0, "y0": y0, "width": w, "height": h, "align": 0,
                       "fontName": "Times New Roman", "fontSize": 10})
    result.append({"name": "zdjęcie", "kind": 2, "x0": 15, "y0": 15.0, "width": 32, "height": 40,
                   "picture": "zdjecie.bmp"})
    return result


def pupil(n):
    name = f"{FIRST[n % len(FIRST)]} {LAST[(n // len(FIRST)) % len(LAST)]}"
    records = []
    for i in range(40):
        if i == 0:
            text = name
        elif i == 1:
            text = f"{1 + n % 28} {['stycznia', 'lutego', 'marca', 'kwietnia'][n % 4]} 2010 r."
        elif i == 2:
            text = TOWNS[n % len(TOWNS)]
        else:
            text = f"{SUBJECTS[i % len(SUBJECTS)]}: {GRADES[(i + n) % len(GRADES)]}"
        records.append({"text": text})
    records.append({"text": REMARK * (1 + n % 2)})
    records.append({"text": ACHIEVEMENT * 2})
    records.append({"text": BEHAVIOUR * (1 + n % 2)})
    records.append({"picture": "zdjecie.bmp"})
    return records


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    out_dir = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) == 3 else 1000
    os.makedirs(out_dir, exist_ok=True)
    document = {"phrases": phrases(), "pupils": [pupil(n) for n in range(count)]}
    with open(os.path.join(out_dir, "klasa1000.json"), "w", encoding="utf-8") as out:
        json.dump(document, out, ensure_ascii=False)
    write_bmp(os.path.join(out_dir, "zdjecie.bmp"))


if __name__ == "__main__":
    main()
