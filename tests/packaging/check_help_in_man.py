#!/usr/bin/env python3
"""Every subcommand and option that `PROGRAM --help` (and each subcommand's
--help) shows must appear in the program's man page.

usage: check_help_in_man.py PROGRAM MANPAGE
"""
import re
import subprocess
import sys


def help_text(program, *words):
    run = subprocess.run([program, *words, "--help"], capture_output=True, text=True)
    return run.stdout + run.stderr


def sections(text):
    """The lines under each "Name:" heading of a CLI11 help text, by upper-case name."""
    found, current = {}, None
    for line in text.splitlines():
        heading = re.match(r"^([A-Z][A-Za-z ]*):\s*$", line)
        if heading:
            current = heading.group(1).upper()
            found[current] = []
        elif current:
            found[current].append(line)
    return found


def subcommands(text):
    return [m.group(1) for line in sections(text).get("SUBCOMMANDS", [])
            if (m := re.match(r"^\s{1,4}([a-z][a-z0-9-]*)\b", line))]


def options(text):
    names = set()
    for line in sections(text).get("OPTIONS", []):
        # "  -k, --kind TEXT ..." : the names before the first text after them.
        head = re.match(r"^\s+((?:-{1,2}[A-Za-z0-9][\w-]*,?\s*)+)", line)
        if head:
            names.update(re.findall(r"-{1,2}[A-Za-z0-9][\w-]*", head.group(1)))
    return names - {"-h", "--help"}


def man_words(path):
    """The page's text with roff escapes for hyphens and fonts taken out."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    text = text.replace("\\-", "-").replace("\\(em", " ").replace("\\&", "")
    return re.sub(r"\\f[BIRP]|\\f\(..|\\fB|\\fI", "", text)


def main():
    program, page = sys.argv[1:3]
    man = man_words(page)
    missing = []

    def need(word, where):
        if not re.search(r"(?<![\w-])" + re.escape(word) + r"(?![\w-])", man):
            missing.append(f"{word} ({where})")

    def walk(words):
        text = help_text(program, *words)
        for option in options(text):
            need(option, " ".join([*words, "--help"]))
        found = subcommands(text)
        for sub in found:
            need(sub, "subcommand of " + " ".join([program, *words]))
            walk([*words, sub])
        return found

    subs = walk([])
    if not subs:
        print(f"no subcommands found in {program} --help", file=sys.stderr)
        return 1
    if missing:
        print(f"{page} lacks what --help shows:\n  " + "\n  ".join(missing), file=sys.stderr)
        return 1
    print(f"{len(subs)} subcommands and their options all in {page}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
