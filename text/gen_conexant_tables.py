#!/usr/bin/env python3
"""Writes conexant_tables.cpp, the constant tables of the receiver text encoding.

Sources: the Unicode Character Database (UnicodeData.txt, Debian package
unicode-data) for the Arabic presentation forms, and Python's own cp1256 codec
for Windows-1256. The joining classes are the receiver's, not Unicode's, and
are listed below as ranges.

Usage: gen_conexant_tables.py [--ucd DIR] [--out FILE]
"""

import argparse
import codecs
import os
import sys

# Letters the receiver can store, in the order of its one-byte codes.
LETTERS = (
    list(range(0x0660, 0x066A))
    + [0x060C, 0x061B, 0x061F]
    + list(range(0x0620, 0x063B))
    + list(range(0x0640, 0x0653))
    + [0x067E, 0x0686, 0x0698, 0x06A9, 0x06AF, 0x06CC, 0x0670]
)
LETTER_CODES = (
    list(range(0x90, 0x9A))
    + [0xAC, 0xBB, 0xBF]
    + list(range(0xC0, 0xDB))
    + list(range(0xE0, 0xF3))
    + list(range(0xF3, 0xFA))
)
# Letters stored as themselves rather than as a presentation form.
SELF_BASE = set(
    list(range(0x0660, 0x066A))
    + [0x060C, 0x061B, 0x061F, 0x0620, 0x0621, 0x0640]
    + list(range(0x064B, 0x0653))
    + [0x0670]
)

# Joining classes for U+0620-U+06FF: 0 right-joining, 2 dual, 3 join-causing,
# 4 non-joining, 5 transparent.
JOINING = {
    4: [(0x0620, 0x0621), (0x063B, 0x063F), (0x0653, 0x066F), (0x0671, 0x0671),
        (0x0674, 0x0674), (0x06D4, 0x06D6), (0x06E5, 0x06E6), (0x06E9, 0x06E9),
        (0x06EE, 0x06F9), (0x06FD, 0x06FF)],
    0: [(0x0622, 0x0625), (0x0627, 0x0627), (0x0629, 0x0629), (0x062F, 0x0632),
        (0x0648, 0x0649), (0x0672, 0x0673), (0x0675, 0x0677), (0x0688, 0x0699),
        (0x06C0, 0x06C0), (0x06C2, 0x06CB), (0x06CD, 0x06CD), (0x06CF, 0x06CF),
        (0x06D2, 0x06D3)],
    2: [(0x0626, 0x0626), (0x0628, 0x0628), (0x062A, 0x062E), (0x0633, 0x063A),
        (0x0641, 0x0647), (0x064A, 0x064A), (0x0678, 0x0687), (0x069A, 0x06BF),
        (0x06C1, 0x06C1), (0x06CC, 0x06CC), (0x06CE, 0x06CE), (0x06D0, 0x06D1),
        (0x06FA, 0x06FC)],
    3: [(0x0640, 0x0640)],
    5: [(0x064B, 0x0652), (0x0670, 0x0670), (0x06D7, 0x06E4), (0x06E7, 0x06E8),
        (0x06EA, 0x06ED)],
}

FORM_RANGES = [(0xFB50, 0xFDFF), (0xFE70, 0xFEFF)]
POSITIONS = {"<isolated>": 0, "<final>": 1, "<initial>": 2, "<medial>": 3}
# The byte order mark shares the block but is no presentation form.
NOT_A_FORM = {0xFEFF}
# Characters without a decomposition that stand for themselves.
SELF_DECOMPOSITION = {0xFD3E, 0xFD3F, 0xFE73}


def fail(msg):
    sys.stderr.write("gen_conexant_tables: %s\n" % msg)
    sys.exit(1)


def read_ucd(path):
    rows = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split(";")
            if len(fields) < 6:
                continue
            if fields[1].endswith(", First>") or fields[1].endswith(", Last>"):
                continue
            rows[int(fields[0], 16)] = fields
    return rows


def presentation_forms(rows):
    forms = []
    for lo, hi in FORM_RANGES:
        for cp in range(lo, hi + 1):
            if cp not in rows or cp in NOT_A_FORM:
                continue
            parts = rows[cp][5].split()
            position = 0
            if parts and parts[0].startswith("<"):
                position = POSITIONS.get(parts[0], 0)
                parts = parts[1:]
            decomposition = [int(p, 16) for p in parts]
            if not decomposition and cp in SELF_DECOMPOSITION:
                decomposition = [cp]
            if len(decomposition) > 20 or any(u > 0xFFFF for u in decomposition):
                fail("U+%04X: decomposition does not fit" % cp)
            forms.append((cp, position, decomposition))
    return forms


def base_forms(forms):
    isolated = {}
    for cp, position, decomposition in forms:
        if position == 0 and len(decomposition) == 1 and decomposition[0] != cp:
            isolated.setdefault(decomposition[0], []).append(cp)
    bases = []
    for letter in LETTERS:
        if letter in SELF_BASE:
            bases.append(letter)
            continue
        found = isolated.get(letter, [])
        if len(found) != 1:
            fail("U+%04X: %d isolated forms" % (letter, len(found)))
        bases.append(found[0])
    return bases


def joining_table():
    table = [None] * (0x0700 - 0x0620)
    for cls, ranges in JOINING.items():
        for lo, hi in ranges:
            for cp in range(lo, hi + 1):
                if table[cp - 0x0620] is not None:
                    fail("U+%04X has two joining classes" % cp)
                table[cp - 0x0620] = cls
    if None in table:
        fail("joining table has gaps")
    return table


def check_shapes(forms, bases, joining):
    """Every form shaping can pick must decompose back to its letter."""
    by_cp = {cp: (position, decomposition) for cp, position, decomposition in forms}
    for letter, base in zip(LETTERS, bases):
        if base == letter:
            continue
        cls = joining[letter - 0x0620]
        count = {0: 2, 2: 4}.get(cls, 1)
        for form in range(count):
            entry = by_cp.get(base + form)
            if entry is None or entry[0] != form or entry[1] != [letter]:
                fail("U+%04X form %d does not decompose to U+%04X" % (base + form, form, letter))


def windows1256():
    decoder = codecs.getdecoder("cp1256")
    high = []
    for b in range(0x80, 0x100):
        text, _ = decoder(bytes([b]))
        if len(text) != 1:
            fail("cp1256 byte %02X undefined" % b)
        high.append(ord(text))
    return high


def hex_list(values, width, per_line):
    items = [("0x%0" + str(width) + "X") % v for v in values]
    lines = []
    for i in range(0, len(items), per_line):
        lines.append("    " + ", ".join(items[i:i + per_line]) + ",")
    return "\n".join(lines)


def generate(ucd_dir):
    rows = read_ucd(os.path.join(ucd_dir, "UnicodeData.txt"))
    forms = presentation_forms(rows)
    bases = base_forms(forms)
    joining = joining_table()
    check_shapes(forms, bases, joining)
    high = windows1256()

    out = []
    w = out.append
    w("// Generated by text/gen_conexant_tables.py from the Unicode Character")
    w("// Database and the Windows-1256 code page. Do not edit by hand.")
    w("// clang-format off")
    w('#include "text/conexant_tables.h"')
    w("")
    w("namespace brondavel::text {")
    w("")
    w("const char16_t kWindows1256High[128] = {")
    w(hex_list(high, 4, 8))
    w("};")
    w("")
    reverse = sorted((cp, 0x80 + i) for i, cp in enumerate(high) if cp > 0xFF)
    w("const AnsiByte kWindows1256Reverse[%d] = {" % len(reverse))
    for cp, b in reverse:
        w("    {0x%04X, 0x%02X}," % (cp, b))
    w("};")
    w("const size_t kWindows1256ReverseCount = %d;" % len(reverse))
    w("")
    w("const ArabicLetter kArabicLetters[%d] = {" % len(LETTERS))
    for letter, base, code in zip(LETTERS, bases, LETTER_CODES):
        w("    {0x%04X, 0x%04X, 0x%02X}," % (letter, base, code))
    w("};")
    w("")
    index = [-1] * 256
    for i, letter in enumerate(LETTERS):
        index[letter - 0x0600] = i
    w("const int8_t kArabicLetterIndex[256] = {")
    w("\n".join("    " + ", ".join("%3d" % v for v in index[i:i + 16]) + ","
                for i in range(0, 256, 16)))
    w("};")
    w("")
    w("const uint8_t kJoiningClass[224] = {")
    w("\n".join("    " + ", ".join(str(v) for v in joining[i:i + 16]) + ","
                for i in range(0, len(joining), 16)))
    w("};")
    w("")
    pool = []
    entries = []
    for cp, position, decomposition in forms:
        entries.append((cp, position, len(pool), len(decomposition)))
        pool.extend(decomposition)
    w("const char16_t kDecompositionPool[%d] = {" % len(pool))
    w(hex_list(pool, 4, 8))
    w("};")
    w("")
    w("const PresentationForm kPresentationForms[%d] = {" % len(entries))
    for cp, position, offset, length in entries:
        w("    {0x%04X, %d, %d, %d}," % (cp, position, offset, length))
    w("};")
    w("const size_t kPresentationFormCount = %d;" % len(entries))
    w("")
    slots = {}
    for i, (cp, _, _, _) in enumerate(entries):
        slots[cp] = i
    span = [cp for lo, hi in FORM_RANGES for cp in range(lo, hi + 1)]
    w("const int16_t kPresentationIndex[%d] = {" % len(span))
    values = [slots.get(cp, -1) for cp in span]
    w("\n".join("    " + ", ".join("%3d" % v for v in values[i:i + 12]) + ","
                for i in range(0, len(values), 12)))
    w("};")
    w("")
    w("}  // namespace brondavel::text")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--ucd", default="/usr/share/unicode")
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--out", default=os.path.join(here, "conexant_tables.cpp"))
    args = parser.parse_args()
    text = generate(args.ucd)
    with open(args.out, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
