#!/usr/bin/env python3
"""check_manual.py <program> <manual page>

The items under OPTIONEN in the manual page are exactly the options that
`<program> --help` lists, each with the same value name, so that an option
added to the program or dropped from it cannot go unnoticed in the manual."""

import os
import re
import subprocess
import sys


def help_options(program):
    """The option column of --help: "--style STIL", "-h, --help", ..."""
    env = dict(os.environ, LANG="C.UTF-8")
    env.pop("DISPLAY", None)
    text = subprocess.run([program, "--help"], env=env, check=True,
                          capture_output=True, text=True).stdout
    options = set()
    for line in text.splitlines():
        match = re.match(r"  (-\S.*?)(?:\s{2,}|$)", line)
        if match:
            options.add(re.sub(r"<([^>]+)>", r"\1", match.group(1)))
    return options


def roff_words(line):
    """The arguments of a roff macro line, quotes and escapes resolved."""
    words = re.findall(r'"((?:[^"]|"")*)"|(\S+)', line)
    text = [quoted if quoted or not plain else plain for quoted, plain in words]
    return [re.sub(r"\\f[BIRP]|\\&", "", w).replace("\\-", "-") for w in text]


def manual_options(path):
    """The tags of the .TP items in the OPTIONEN section that name options."""
    with open(path, encoding="utf-8") as manual:
        lines = manual.read().splitlines()
    options, section = set(), None
    for i, line in enumerate(lines):
        if line.startswith((".SH", ".SS")):
            section = " ".join(roff_words(line)[1:])
        elif section == "OPTIONEN" and line.startswith(".TP") and i + 1 < len(lines):
            macro, *words = roff_words(lines[i + 1])
            # .B and .I join their words with blanks, .BR, .BI and the
            # like alternate fonts and join them without.
            tag = (" " if len(macro) == 2 else "").join(words)
            if tag.startswith("-"):
                options.add(re.sub(r"\s+", " ", tag))
    return options


def main():
    program, manual = sys.argv[1:3]
    in_help, in_manual = help_options(program), manual_options(manual)
    if not in_help:
        sys.exit(f"FAIL: no options found in {program} --help")
    failures = [f"--help lists '{o}', the manual page does not" for o in sorted(in_help - in_manual)]
    failures += [f"the manual page lists '{o}', --help does not" for o in sorted(in_manual - in_help)]
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print(f"the manual page lists the {len(in_help)} options of --help:", ", ".join(sorted(in_help)))


if __name__ == "__main__":
    main()
