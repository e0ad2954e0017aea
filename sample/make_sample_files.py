#!/usr/bin/env python3
"""Generates the sample product's data files and its list file.

Usage: make_sample_files.py FOLDER

FOLDER already holds the three programs that the build makes (Kestrel.exe,
KestrelCore.dll, KSUninst.exe). This script adds the logo, a TrueType font,
the read-me, the help file and two example sources, then writes Setup.lst
with every file's size and the progress total that those sizes give.
"""
import struct
import sys
from pathlib import Path

ENTRY_HEADER = 28   # each unpacked entry carries a 28-byte header

# (target folder, name, version high, version low, replace, record, register)
FILE_LINES = [
    ("<AppDir>", "Kestrel.exe", "10000h", "0", 1, 1, 0),
    ("<AppDir>", "KestrelCore.dll", "10000h", "0", 0, 1, 1),
    ("<AppDir>\\Exemples", "Hola.kst", "", "", 1, 1, 0),
    ("<AppDir>\\Exemples", "Finestra.kst", "", "", 1, 1, 0),
    ("<Fonts>", "KestrelSans.ttf", "", "", 0, 0, 0),
    ("<AppDir>", "Llegiume.txt", "", "", 1, 1, 0),
    ("<AppDir>", "Kestrel.chm", "", "", 1, 1, 0),
]


def bitmap(width, height):
    """A 24-bit bottom-up BMP: a blue gradient with an orange diagonal band."""
    row_size = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            if abs((x - y * width // height)) < 6:
                row += bytes((0x10, 0x80, 0xF0))
            else:
                row += bytes((0x90 + y, 0x40 + x // 2, 0x20))
        rows.append(bytes(row) + b"\0" * (row_size - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def font(path):
    """A tiny TrueType font with blocky glyphs for a few letters."""
    from fontTools.fontBuilder import FontBuilder
    from fontTools.pens.ttGlyphPen import TTGlyphPen

    def box_glyph(boxes):
        pen = TTGlyphPen(None)
        for x0, y0, x1, y1 in boxes:
            pen.moveTo((x0, y0))
            pen.lineTo((x0, y1))
            pen.lineTo((x1, y1))
            pen.lineTo((x1, y0))
            pen.closePath()
        return pen.glyph()

    shapes = {
        ".notdef": [(50, 0, 450, 700)],
        "space": [],
        "K": [(60, 0, 160, 700), (160, 300, 300, 400), (300, 400, 400, 700), (300, 0, 400, 300)],
        "S": [(60, 600, 440, 700), (60, 300, 160, 700), (60, 300, 440, 400), (340, 0, 440, 400), (60, 0, 440, 100)],
    }
    order = list(shapes)
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({0x20: "space", ord("K"): "K", ord("S"): "S"})
    builder.setupGlyf({name: box_glyph(boxes) for name, boxes in shapes.items()})
    builder.setupHorizontalMetrics({name: (500, 0) for name in order})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": "Kestrel Sans", "styleName": "Regular"})
    builder.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    builder.save(str(path))


README = (
    "Kestrel 1.0 (paquet de mostra)\r\n"
    "==============================\r\n\r\n"
    "Aquest és el producte de mostra de l'Assistent d'instal·lació.\r\n"
    "Conté un programa, una biblioteca que es registra sola, una font\r\n"
    "TrueType, un fitxer d'ajuda i dos exemples a la carpeta Exemples.\r\n"
)

HELP = b"ITSF" + struct.pack("<II", 3, 96) + b"Kestrel: ajuda de mostra.\0" * 8

EXAMPLES = {
    "Hola.kst": "; Hola, món\r\nprogram Hola\r\n    print \"Hola, món!\"\r\nend\r\n",
    "Finestra.kst": "; Una finestra buida\r\nwindow Principal\r\n    caption \"Finestra\"\r\n    size 320, 200\r\nend\r\n",
}


def list_file(folder):
    sizes = {name: (folder / name).stat().st_size for _, name, *_ in FILE_LINES}
    total = sum(size + ENTRY_HEADER for size in sizes.values())
    total += (folder / "AppLogo.bmp").stat().st_size + ENTRY_HEADER
    total += (folder / "KSUninst.exe").stat().st_size + ENTRY_HEADER
    lines = [
        "Tipus=1",
        "Titol=Instal·lació de Kestrel 1.0",
        "Producte=Kestrel",
        "Versio=1.0",
        "Carpeta=Kestrel",
        "Sistema=0",
        "Reservat=",
        "Benvinguda=Entorn de desenvolupament per a Windows",
        "Idioma=Català",
        "Clau=Kestrel",
        f"Total={total}",
        f"Fitxers={len(FILE_LINES)}",
    ]
    for target, name, high, low, replace, record, register in FILE_LINES:
        lines.append(f"Fitxer={target},{name},{sizes[name]},{high},{low},{replace},{record},{register}")
    lines += [
        "Registre=1",
        "R=80000002H,SOFTWARE\\TWC Products\\Kestrel\\Settings,Exemples@<AppDir>\\Exemples",
        "Grup=2",
        "G=Kestrel,Kestrel.exe",
        "G=Llegiu-me,Llegiume.txt",
        "Associacions=2",
        "A=.kst,Projecte Kestrel,<AppDir>\\Kestrel.exe",
        "A=.ksw,Finestra Kestrel,<AppDir>\\Kestrel.exe",
        "Drecera=<AppDir>\\Kestrel.exe",
        "Missatge=Gràcies per provar Kestrel.",
        "Desinstal=Kestrel 1.0",
    ]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "AppLogo.bmp").write_bytes(bitmap(96, 64))
    font(folder / "KestrelSans.ttf")
    (folder / "Llegiume.txt").write_bytes(README.encode("cp1252"))
    (folder / "Kestrel.chm").write_bytes(HELP)
    for name, text in EXAMPLES.items():
        (folder / name).write_bytes(text.encode("cp1252"))
    (folder.parent / "Setup.lst").write_bytes(list_file(folder))


if __name__ == "__main__":
    main()
