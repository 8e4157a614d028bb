#!/usr/bin/env python3
"""`brondavel --print-pdf` of the demo database: every TV channel name that
`brondavel-cli dump` lists is in the PDF's text, Arabic names in logical order,
with the file's name in the title and the page numbers at the feet.

usage: check_pdf_text.py BRONDAVEL BRONDAVEL_CLI DATABASE WORK_DIR
"""
import os
import re
import subprocess
import sys
import unicodedata


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


# The marks around a right-to-left run also end it: the cell beside it may
# follow on the same line with no space.
BIDI_MARKS = dict.fromkeys(map(ord, "\u200e\u200f\u202a\u202b\u202c\u202d\u202e"), " ")


def normal(text):
    # Shaped Arabic comes out of the PDF as presentation forms: compare the
    # letters they stand for.
    text = unicodedata.normalize("NFKC", text).translate(BIDI_MARKS)
    return "\n".join(" ".join(line.split()) for line in text.splitlines())


def printed(name, text, lines):
    """The name as it reads, or, when it mixes Arabic with digits, its words on
    one line: the extracted line follows the page from left to right, which
    puts the digits of a right-to-left name first. Each Arabic word must still
    read in logical order."""
    if name in text:
        return True
    words = name.split()
    return any(all(w in line.split() for w in words) for line in lines)


WORD = re.compile(r'<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>')


def arabic(word):
    return any("\u0600" <= c <= "\u06ff" for c in normal(word))


def drawn_lines(pdf):
    """The words of each printed line, left to right, as (xMin, xMax, text)."""
    lines = {}
    page = 0
    for m in WORD.finditer(run("pdftotext", "-bbox", "-enc", "UTF-8", pdf, "-")):
        if m.group(1) is None:
            page += 1
            continue
        key = (page, round(float(m.group(2)), 1))
        lines.setdefault(key, []).append((float(m.group(1)), float(m.group(3)), m.group(4)))
    return [sorted(words) for _, words in sorted(lines.items())]


def right_to_left_cells(pdf):
    """Failures in how the names of Arabic letters and trailing digits are
    drawn, and how many of them hold digits. Such a name reads right to left:
    it ends at its cell's right edge, just before the satellite, and its
    digits are drawn at its left end."""
    failures, with_digits = [], 0
    for words in drawn_lines(pdf):
        glyphs = [i for i, w in enumerate(words) if arabic(w[2])]
        if not glyphs:
            continue
        satellite = next((i for i in range(glyphs[-1] + 1, len(words))
                          if re.search("[A-Za-z]", words[i][2])), None)
        if satellite is None or glyphs[0] < 1:
            continue
        name = words[1:satellite]
        if any(re.search("[A-Za-z]", w[2]) for w in name):
            continue  # a Latin letter may come first: not checked here
        digits = [w for w in name if w[2].isdigit()]
        text = " ".join(w[2] for w in name)
        if any(w[0] > words[glyphs[0]][0] for w in digits):
            failures.append(f"digits drawn right of the Arabic in '{normal(text)}'")
        with_digits += bool(digits)
        if words[satellite][0] - name[-1][1] > 8:
            failures.append(f"'{normal(text)}' is not at its cell's right edge")
    return failures, with_digits


def main():
    brondavel, cli, database, work = sys.argv[1:5]
    os.makedirs(work, exist_ok=True)
    pdf = os.path.join(work, "tv.pdf")
    if os.path.exists(pdf):
        os.remove(pdf)
    runtime = os.path.join(work, "runtime")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=runtime)
    subprocess.run([brondavel, "--print-pdf", pdf, database, "--kind", "tv"], check=True, env=env)
    text = normal(run("pdftotext", "-enc", "UTF-8", pdf, "-"))

    names = []
    for line in run(cli, "dump", database, "--kind", "tv").splitlines():
        columns = line.split("\t")
        if len(columns) >= 3:
            names.append(normal(columns[2]))
    arabic = [n for n in names if any("\u0600" <= c <= "\u06ff" for c in n)]
    failures = []
    if len(names) < 20 or not arabic:
        failures.append(f"the demo should list Latin and Arabic TV names, got {len(names)}")
    lines = text.splitlines()
    missing = sorted({n for n in names if not printed(n, text, lines)})
    if missing:
        failures.append(f"{len(missing)} of {len(names)} names missing, e.g. {missing[:5]}")
    if os.path.basename(database) not in text:
        failures.append("no title with the file's name")
    pages = int(run("pdfinfo", pdf).split("Pages:")[1].split()[0])
    if f"Page {pages} of {pages}" not in text:
        failures.append(f"no page number on the last of {pages} pages")
    drawn, with_digits = right_to_left_cells(pdf)
    failures += drawn[:5]
    if not with_digits:
        failures.append("no Arabic name with digits was found drawn")
    # A radio name must not be on a TV-only sheet.
    radio = {normal(line.split("\t")[2]) for line in
             run(cli, "dump", database, "--kind", "radio").splitlines() if line.count("\t") >= 2}
    if any(r in text for r in radio - set(names)):
        failures.append("radio channels printed on a TV-only sheet")
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if not failures:
        print(f"{len(names)} names ({len(arabic)} Arabic) on {pages} pages")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
