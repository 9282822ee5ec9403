#!/usr/bin/env python3
"""Writes the sample class przyklad.json and the sample pictures godlo.bmp and
logo.bmp into this folder.

The class is a seventh form of a primary school at the end of the school
year, laid out on the four-page annual report card (A4, 210 x 297 mm):
page 1 the pupil's particulars, page 2 behaviour, grades, average,
achievements and signatures, page 3 extra activities. Positions are
millimetres; y0 is the base line of the first text line, or the bottom
edge of a picture.

The JSON is the source the build turns into Przyklad.wkz; run this script
only to start the sample afresh (the output is the same on every run).
Standard library only.
"""

import json
import random
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent

# ---------------------------------------------------------------- the layout

TEXT, GRADE, PICTURE = 0, 1, 2
LEFT, CENTRE, RIGHT = 0, 1, 2

RECORD_DEFAULTS = {
    "name": "", "kind": 0, "text": "", "grade": 6, "picture": "", "x0": 0, "y0": 0.0,
    "width": 0, "height": 0, "align": 0, "fontName": "MS Sans Serif", "fontSize": 10,
    "fontColor": 0, "bold": 0, "italic": 0, "underline": 0, "strikeout": 0,
    "lineSpacing": 0.0, "page": 0,
}

SERIF = "Times New Roman"


def phrase(name, kind, x0, y0, width=0, height=0, align=LEFT, size=11, page=0, **more):
    record = {"name": name, "kind": kind, "x0": x0, "y0": float(y0), "width": width,
              "height": height, "align": align, "page": page}
    if kind != PICTURE:
        record.update(fontName=SERIF, fontSize=size)
    record.update(more)
    return record


# Subjects in the order of the form; the grades stand in two columns.
SUBJECTS = [
    ("język polski", "polski"), ("język angielski", "angielski"),
    ("język niemiecki", "niemiecki"), ("muzyka", "muzyka"), ("plastyka", "plastyka"),
    ("historia", "historia"), ("wiedza o społecz.", "wos"), ("geografia", "geografia"),
    ("biologia", "biologia"), ("chemia", "chemia"), ("fizyka", "fizyka"),
    ("matematyka", "matematyka"), ("informatyka", "informatyka"), ("technika", "technika"),
    ("wychowanie fizyczne", "wf"), ("edukacja dla bezp.", "edb"), ("religia", "religia"),
    ("etyka", "etyka"),
]
# Taught in other years of the school: "--------------" for everybody.
NOT_IN_FORM_SEVEN = {"wos", "technika", "edb"}


def layout():
    phrases = [
        # Page 1: the pupil's particulars.
        phrase("imię i nazwisko", TEXT, 20, 112, 170, 10, CENTRE, size=16, bold=1),
        phrase("data urodzenia", TEXT, 38, 126, 50, 8, CENTRE),
        phrase("miejsce urodzenia", TEXT, 112, 126, 70, 8, CENTRE),
        phrase("klasa", TEXT, 150, 140, 30, 8, CENTRE),
        phrase("rok szkolny", TEXT, 70, 140, 40, 8, CENTRE),
        phrase("nazwa szkoły", TEXT, 20, 72, 170, 10, CENTRE, size=13, bold=1),
        phrase("adres szkoły", TEXT, 20, 80, 170, 8, CENTRE, size=11),
        phrase("godło", PICTURE, 94, 48, 22, 26, picture="godlo.bmp"),
        phrase("logo szkoły", PICTURE, 16, 40, 24, 24, picture="logo.bmp"),
        phrase("promocja do klasy", TEXT, 115, 163, 40, 8, CENTRE, size=12, bold=1),
        phrase("wyróżnienie", TEXT, 20, 176, 170, 8, CENTRE, size=14, bold=1, italic=1),
        # Page 2: behaviour, grades, average, achievements, signatures.
        phrase("zachowanie", TEXT, 60, 40, 60, 8, CENTRE, size=12, page=1),
    ]
    for i, (name, _) in enumerate(SUBJECTS):
        column, row = divmod(i, 9)
        phrases.append(phrase(name, GRADE, 66 + 95 * column, 62 + 9 * row, 34, 7, CENTRE,
                              page=1))
    phrases += [
        phrase("średnia ocen", TEXT, 160, 150, 30, 8, CENTRE, size=12, bold=1, page=1),
        phrase("szczeg. osiągnięcia", TEXT, 20, 178, 170, 40, LEFT, size=10, page=1,
               lineSpacing=1.5),
        phrase("miejscowość i data", TEXT, 20, 252, 80, 8, LEFT, size=10, page=1),
        phrase("wychowawca", TEXT, 120, 272, 70, 8, CENTRE, size=9, italic=1, page=1),
        phrase("dyrektor", TEXT, 20, 272, 70, 8, CENTRE, size=9, italic=1, page=1),
        # Page 3: extra activities.
        phrase("zajęcia dodatkowe", TEXT, 20, 48, 170, 30, LEFT, size=10, page=2,
               lineSpacing=1.0),
    ]
    return phrases


# ---------------------------------------------------------------- the pupils

# (first name, surname, girl, born day, month, place)
PUPILS = [
    ("Zofia", "Adamczyk", True, 14, "stycznia", "Kraków"),
    ("Jakub", "Bąk", False, 3, "marca", "Kraków"),
    ("Julia", "Chmielewska", True, 27, "lutego", "Wieliczka"),
    ("Antoni", "Dudek", False, 9, "maja", "Kraków"),
    ("Maja", "Fijałkowska", True, 21, "czerwca", "Niepołomice"),
    ("Szymon", "Górski", False, 30, "lipca", "Kraków"),
    ("Hanna", "Jabłońska", True, 11, "sierpnia", "Skawina"),
    ("Filip", "Kaczmarek", False, 2, "września", "Kraków"),
    ("Lena", "Kowalczyk", True, 16, "października", "Kraków"),
    ("Jan", "Krawczyk", False, 5, "listopada", "Myślenice"),
    ("Alicja", "Lewandowska", True, 24, "grudnia", "Kraków"),
    ("Aleksander", "Łuczak", False, 8, "stycznia", "Tarnów"),
    ("Oliwia", "Majewska", True, 19, "marca", "Kraków"),
    ("Franciszek", "Nowak", False, 12, "kwietnia", "Kraków"),
    ("Amelia", "Ostrowska", True, 28, "kwietnia", "Bochnia"),
    ("Mikołaj", "Pawlak", False, 7, "czerwca", "Kraków"),
    ("Natalia", "Rutkowska", True, 15, "lipca", "Wieliczka"),
    ("Wojciech", "Sikora", False, 23, "sierpnia", "Kraków"),
    ("Wiktoria", "Szymańska", True, 1, "października", "Nowy Targ"),
    ("Stanisław", "Śliwiński", False, 13, "listopada", "Kraków"),
    ("Zuzanna", "Tomaszewska", True, 4, "lutego", "Kraków"),
    ("Kacper", "Wróbel", False, 18, "maja", "Skawina"),
    ("Pola", "Zając", True, 26, "września", "Kraków"),
    ("Igor", "Zieliński", False, 10, "grudnia", "Kraków"),
    ("Laura", "Żak", True, 29, "marca", "Niepołomice"),
]

BEHAVIOUR = ["wzorowe", "bardzo dobre", "dobre", "poprawne", "nieodpowiednie", "naganne"]

ACHIEVEMENTS = [
    "{Laureat} Małopolskiego Konkursu Matematycznego.",
    "{Finalista} Małopolskiego Konkursu Języka Polskiego.",
    "I miejsce w szkolnym konkursie ortograficznym.",
    "II miejsce w powiatowych zawodach w pływaniu.",
    "Wyróżnienie w wojewódzkim konkursie plastycznym \"Moja mała ojczyzna\".",
    "Udział w finale Ogólnopolskiego Konkursu \"Olimpus\" z biologii.",
    "Aktywna praca w samorządzie uczniowskim i w szkolnym kole wolontariatu.",
]

ACTIVITIES = [
    "koło matematyczne", "chór szkolny", "szkolny klub sportowy - piłka siatkowa",
    "koło przyrodnicze", "zajęcia teatralne", "koło informatyczne",
]


def grade_index(grade):
    """Grades 1..6 are the wordings 0..5."""
    return grade - 1


def average_text(grades):
    mean = sum(grades) / len(grades)
    whole, fraction = divmod(int(mean * 100 + 0.5), 100)
    return f"{whole},{fraction:02d}"


def pupil_values(phrases, number, pupil, rng):
    first, surname, girl, day, month, place = pupil
    ability = rng.gauss(4.1, 0.8)
    grades = {}
    for _, key in SUBJECTS:
        if key in NOT_IN_FORM_SEVEN:
            continue
        spread = 0.6 if key in ("muzyka", "plastyka", "wf", "religia", "etyka") else 0.8
        bonus = 0.6 if key in ("muzyka", "plastyka", "wf", "religia", "etyka") else 0.0
        grades[key] = max(2, min(6, round(rng.gauss(ability + bonus, spread))))

    # Religion or ethics, and one pupil attends neither.
    if number in (4, 13, 20):
        del grades["religia"]
    elif number == 17:
        del grades["religia"], grades["etyka"]
    else:
        del grades["etyka"]

    counted = list(grades.values())
    mean = sum(counted) / len(counted)
    # Exempt from physical education: no grade, the exemption instead.
    exempt = number in (6, 11, 22)
    if exempt:
        del grades["wf"]
        counted = list(grades.values())
        mean = sum(counted) / len(counted)

    behaviour_step = 0 if mean >= 5.0 else 1 if mean >= 4.3 else 2 if mean >= 3.6 else 3
    behaviour_step = max(0, min(5, behaviour_step + rng.choice([-1, 0, 0, 0, 1])))
    if number == 19:
        behaviour_step = 4  # "nieodpowiednie"

    forms = {"Laureat": "Laureatka" if girl else "Laureat",
             "Finalista": "Finalistka" if girl else "Finalista"}
    achievements = []
    if mean >= 4.8:
        achievements = rng.sample(ACHIEVEMENTS, 2)
    elif mean >= 4.3 and rng.random() < 0.4:
        achievements = rng.sample(ACHIEVEMENTS[2:], 1)
    activities = rng.sample(ACTIVITIES, rng.choice([0, 0, 1, 1, 2]))

    texts = {
        "imię i nazwisko": f"{first} {surname}",
        "data urodzenia": f"{day} {month} 2010 r.",
        "miejsce urodzenia": place,
        "klasa": "VII b",
        "rok szkolny": "2023/2024",
        "nazwa szkoły": "Szkoła Podstawowa nr 7 im. Marii Konopnickiej",
        "adres szkoły": "w Krakowie",
        "promocja do klasy": "ósmej",
        "wyróżnienie": "z wyróżnieniem" if mean >= 4.75 and behaviour_step <= 1 else "",
        "zachowanie": BEHAVIOUR[behaviour_step],
        "średnia ocen": average_text(counted),
        "szczeg. osiągnięcia": "\r\n".join(s.format(**forms) for s in achievements),
        "miejscowość i data": "Kraków, 21 czerwca 2024 r.",
        "wychowawca": "mgr Anna Nowicka",
        "dyrektor": "mgr Tadeusz Wiśniewski",
        "zajęcia dodatkowe": ", ".join(activities),
    }

    values = []
    for definition in phrases:
        value = {}
        if definition["kind"] == TEXT:
            text = texts[definition["name"]]
            if text:
                value["text"] = text
        elif definition["kind"] == GRADE:
            key = dict(SUBJECTS)[definition["name"]]
            if key == "wf" and exempt:
                value["grade"] = 7 if girl else 8  # "Zwolniona" / "Zwolniony"
            elif key in grades:
                value["grade"] = grade_index(grades[key])
        else:
            # The picture's file in every pupil's copy, as the phrase editor writes it.
            value["picture"] = definition["picture"]
        values.append(value)
    return values


# ---------------------------------------------------------------- the class

WORDINGS = [
    "Niedostateczny", "Dopuszczający", "Dostateczny", "Dobry", "Bardzo dobry", "Celujący",
    "--------------", "Zwolniona", "Zwolniony", "Nieklasyfikowana", "Nieklasyfikowany",
    *BEHAVIOUR, "", "", "", "",
]


def grid_layout(column_widths, row_heights, cell_width, cell_height):
    return {
        "fontName": "MS Sans Serif", "fontSize": 8, "bold": 0, "italic": 0, "underline": 0,
        "strikeout": 0, "fontColor": 0, "cellWidth": cell_width, "cellHeight": cell_height,
        "headerColor": 0xC0C0C0, "cellColor": 0x00FFFF, "align": 0,
        "columnWidths": column_widths, "rowHeights": row_heights,
    }


def without_defaults(record):
    return {k: v for k, v in record.items() if RECORD_DEFAULTS[k] != v}


def check(phrases, pupils):
    for p in phrases:
        assert len(p["name"].encode("cp1250")) <= 20, p["name"]
        assert 0 <= p["x0"] + p["width"] <= 210 and 0 <= p["y0"] <= 297, p["name"]
    for values in pupils:
        assert len(values) == len(phrases)
        for v in values:
            v.get("text", "").encode("cp1250")
            assert len(v.get("text", "").encode("cp1250")) <= 2000


def sample_class():
    rng = random.Random(2024)
    phrases = layout()
    pupils = [pupil_values(phrases, i, p, rng) for i, p in enumerate(PUPILS)]
    check(phrases, pupils)
    for w in WORDINGS:
        w.encode("cp1250")

    tall = {"szczeg. osiągnięcia": 30, "zajęcia dodatkowe": 30}
    pupil_rows = [16] + [tall.get(p["name"], 16) for p in phrases] + [16]
    pupil_columns = [130] + [100] * len(pupils) + [60]
    phrase_columns = [30, 120, 60, 40, 50, 40, 40, 50, 140, 70, 50]
    phrase_rows = [16] * (len(phrases) + 1)

    return {
        "version": 55,
        "phrases": [without_defaults(p) for p in phrases],
        "pupils": pupils,
        "options": {"left": 0, "top": 0, "width": 210, "height": 297, "wordings": WORDINGS},
        "windows": {
            "main": [40, 30, 1000, 720],
            "phraseEditor": [80, 90, 820, 600],
            "tablePrint": [200, 150, 660, 500],
            "preview": [60, 40, 940, 720],
            "printOptions": [180, 100, 700, 640],
        },
        "pupilGrid": grid_layout(pupil_columns, pupil_rows, 100, 16),
        "phraseGrid": grid_layout(phrase_columns, phrase_rows, 70, 16),
    }


def write_json(data, path):
    """One record per line keeps the file readable and its diffs small."""
    def dump(value):
        return json.dumps(value, ensure_ascii=False)

    lines = ["{", f'  "version": {data["version"]},', '  "phrases": [']
    lines += [f"    {dump(p)}," for p in data["phrases"]]
    lines[-1] = lines[-1].rstrip(",")
    lines += ["  ],", '  "pupils": [']
    for values in data["pupils"]:
        lines.append("    [")
        lines += [f"      {dump(v)}," for v in values]
        lines[-1] = lines[-1].rstrip(",")
        lines.append("    ],")
    lines[-1] = lines[-1].rstrip(",")
    lines.append("  ],")
    for key in ("options", "windows", "pupilGrid", "phraseGrid"):
        lines.append(f'  "{key}": {dump(data[key])},')
    lines[-1] = lines[-1].rstrip(",")
    lines.append("}")
    path.write_text("\n".join(lines) + "\n", encoding="utf-8")
    assert json.loads(path.read_text(encoding="utf-8")) == data


# ---------------------------------------------------------------- pictures

class Canvas:
    """A 24-bit picture painted with filled shapes, written as a Windows bitmap."""

    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def fill(self, inside, colour):
        for y in range(self.height):
            row = self.pixels[y]
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    row[x] = colour

    def polygon(self, points, colour):
        self.fill(lambda x, y: inside_polygon(points, x, y), colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, colour)

    def rectangle(self, left, top, right, bottom, colour):
        self.fill(lambda x, y: left <= x < right and top <= y < bottom, colour)

    def save(self, path):
        stride = (self.width * 3 + 3) // 4 * 4
        body = bytearray()
        for row in reversed(self.pixels):  # bitmaps are stored bottom-up
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            body += line + bytes(stride - len(line))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(body),
                           3780, 3780, 0, 0)
        path.write_bytes(header + info + body)


def inside_polygon(points, x, y):
    inside = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def mirrored(points, axis):
    return [(2 * axis - x, y) for x, y in points]


WHITE = (255, 255, 255)
RED = (220, 20, 60)
GOLD = (232, 184, 36)
DARK = (40, 40, 40)


def draw_godlo(path):
    """A crowned white eagle on a red shield."""
    c = Canvas(200, 240, WHITE)
    axis = 100
    shield = [(6, 6), (194, 6), (194, 150), (180, 190), (150, 218), (100, 236),
              (50, 218), (20, 190), (6, 150)]
    c.polygon(shield, DARK)
    c.polygon([(11, 11), (189, 11), (189, 149), (176, 186), (147, 212), (100, 229),
               (53, 212), (24, 186), (11, 149)], RED)

    wing = [(92, 80), (70, 58), (46, 50), (24, 60), (18, 82), (26, 84), (20, 104), (30, 104),
            (26, 124), (38, 122), (36, 140), (50, 134), (54, 148), (66, 136), (76, 140),
            (88, 118)]
    c.polygon(wing, WHITE)
    c.polygon(mirrored(wing, axis), WHITE)
    c.ellipse(axis, 112, 22, 40, WHITE)  # body
    tail = [(86, 146), (114, 146), (128, 186), (114, 180), (106, 194), (100, 182),
            (94, 194), (86, 180), (72, 186)]
    c.polygon(tail, WHITE)
    leg = [(80, 142), (90, 150), (78, 168), (66, 170), (72, 160), (62, 160), (72, 152)]
    c.polygon(leg, GOLD)
    c.polygon(mirrored(leg, axis), GOLD)
    c.ellipse(axis + 4, 62, 13, 14, WHITE)  # head, turned to the right
    c.polygon([(112, 58), (128, 62), (124, 70), (112, 68)], GOLD)  # beak
    c.ellipse(axis + 8, 60, 2.2, 2.2, DARK)  # eye
    crown = [(86, 48), (86, 30), (93, 40), (100, 26), (107, 40), (114, 30), (114, 48)]
    c.polygon(crown, GOLD)
    c.save(path)


NAVY = (24, 48, 120)
GREEN = (40, 150, 70)

# Block letters, five columns by seven rows.
GLYPHS = {
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
}


def draw_logo(path):
    """The school's logo: an open book and a leaf in a navy ring, "SP 7" beneath."""
    c = Canvas(160, 160, WHITE)
    c.ellipse(80, 80, 78, 78, NAVY)
    c.ellipse(80, 80, 70, 70, WHITE)
    c.polygon([(80, 70), (36, 56), (36, 98), (80, 110)], NAVY)   # left page
    c.polygon([(80, 70), (124, 56), (124, 98), (80, 110)], NAVY)  # right page
    c.polygon([(80, 74), (41, 62), (41, 94), (80, 105)], WHITE)
    c.polygon([(80, 74), (119, 62), (119, 94), (80, 105)], WHITE)
    for k in range(4):  # lines of text on the pages
        y = 72 + 7 * k
        c.polygon([(47, y), (74, y + 8), (74, y + 10), (47, y + 2)], NAVY)
        c.polygon([(113, y), (86, y + 8), (86, y + 10), (113, y + 2)], NAVY)
    c.polygon([(80, 64), (66, 46), (72, 24), (80, 16), (88, 24), (94, 46)], GREEN)  # leaf
    c.rectangle(79, 22, 81, 64, WHITE)

    cell = 3
    x = 80 - (3 * 5 * cell + 2 * cell + 3 * cell) // 2
    for ch in "SP 7":
        if ch == " ":
            x += 3 * cell
            continue
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    c.rectangle(x + col * cell, 116 + row * cell, x + (col + 1) * cell,
                                116 + (row + 1) * cell, NAVY)
        x += 6 * cell
    c.save(path)


if __name__ == "__main__":
    write_json(sample_class(), HERE / "przyklad.json")
    draw_godlo(HERE / "godlo.bmp")
    draw_logo(HERE / "logo.bmp")
