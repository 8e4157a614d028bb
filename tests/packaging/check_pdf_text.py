#!/usr/bin/env python3
"""`brondavel --print-pdf` of the demo database: every TV channel name that
`brondavel-cli dump` lists is in the PDF's text, Arabic names in logical order,
with the file's name in the title and the page numbers at the feet.

usage: check_pdf_text.py BRONDAVEL BRONDAVEL_CLI DATABASE WORK_DIR
"""
import os
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
