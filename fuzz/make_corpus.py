#!/usr/bin/env python3
"""Writes the small seed files of fuzz/corpus/ (run it from anywhere)."""
import pathlib
import struct

here = pathlib.Path(__file__).resolve().parent


def text(b):
    return bytes([len(b)]) + b


def record(tag, signature, values=b""):
    return text(tag) + text(signature) + values


def rgb(r, g, b):
    return bytes([r, g, b])


def common(settings_file):
    out = record(b"/VERL/", b"1 V 1 T !", bytes([200]) + text(b""))
    out += record(b"/REGB/", b"1 B !", bytes([1 if settings_file else 0]))
    out += record(b"/LGMT/", b"1 D !", struct.pack(">d", 900.0))
    out += record(b"/TITR/", b"2 T 1 V 3 B 3 V !",
                  text("Dédale".encode()) + text(b"Arial") + bytes([12, 1, 0, 1]) + rgb(1, 2, 3))
    return out


def colors():
    out = b""
    for i, tag in enumerate([b"/CLMU/", b"/CLCH/", b"/CLSL/", b"/CLEN/", b"/CLSO/", b"/CLTE/"]):
        out += record(tag, b"3 V !", rgb(10 * i, 20 * i, 30 * i))
    return out


def grid(columns, rows):
    # Column by column; walls on the border, the entrance and exit on it.
    cells = bytearray()
    for x in range(columns):
        for y in range(rows):
            border = x in (0, columns - 1) or y in (0, rows - 1)
            cells.append(1 if border else (2 if x == y else 0))
    cells[1] = 3
    cells[-2] = 4
    return bytes(cells)


FIN = text(b"/FIN/")


def maze_bytes(columns, rows):
    return common(False) + record(b"/LARG/", b"1 V !", bytes([columns - 1])) + \
        record(b"/HAUT/", b"1 V !", bytes([rows - 1])) + record(b"/EPAI/", b"1 V !", b"\x05") + \
        colors() + record(b"/LABY/", b"%d V !" % (columns * rows), grid(columns, rows)) + FIN


tagged = {
    "maze.lab": maze_bytes(5, 4),
    "settings.lab": common(True) + record(b"/EPAI/", b"1 V !", b"\x05") + colors() + FIN,
    "diml.lab": record(b"/DIML/", b"2 L !", struct.pack(">ii", 2, 3)) +
    record(b"/LABY/", b"12 V !", grid(3, 4)) + FIN,
    "unknown.lab": record(b"/ZZZZ/", b"2 T 1 L 1 D 2 B !",
                          text(b"ab") + text(b"") + struct.pack(">id", 7, 1.5) + b"\x01\x00") +
    FIN + record(b"/CLMU/", b"3 V !", rgb(1, 2, 3)),
}

version1 = {}
for name, (largeur, hauteur) in {"small.v1": (2, 1), "square.v1": (4, 4)}.items():
    x1, y1 = 2 * largeur + 1, 2 * hauteur + 1
    maze = grid(largeur + 1, hauteur + 1)
    cells = bytearray()
    for i in range(x1 + 1):
        for j in range(y1 + 1):
            code = maze[(i // 2) * (hauteur + 1) + j // 2]
            cells.append({1: 1, 3: 2, 4: 2}.get(code, 0))
    version1[name] = struct.pack(">iiii", x1, y1, 2 * largeur + 13, 2 * hauteur + 27) + bytes(cells)
version1["even.v1"] = struct.pack(">iiii", 4, 2, 0, 0) + bytes([1, 0, 2] * 5)

for folder, files in (("tagged", tagged), ("version1", version1)):
    (here / "corpus" / folder).mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        (here / "corpus" / folder / name).write_bytes(data)
