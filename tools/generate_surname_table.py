#!/usr/bin/env python3
"""Writes input/SurnameTable.inc, the readings of Chinese surnames as surnames.

Source: the surname dictionary of the MIT-licensed pinyin library pinyin-pro
(https://github.com/zh-lx/pinyin-pro, packages/pinyin-pro/lib/data/surname.ts), read from a git
copy of its repository at a named commit, then the curated lines of
tools/pinyin-surname-readings.txt. Run by hand when either changes; the build compiles the
committed output, and --check writes nothing and fails when the committed file differs.

    python3 tools/generate_surname_table.py [--check] PINYIN_PRO_GIT_DIR [COMMIT] [OUTPUT]

pinyin-pro writes one surname a line, "单: 'shàn'," or "尉迟: 'yù chí'," (one syllable per
character with its tone mark). Each reading is written as a passport spells it: the tone marks
dropped, upper case, ü as YU (闾丘 LYU QIU), one blank between the syllables of a compound surname.

A line of tools/pinyin-surname-readings.txt, "surname TAB readings TAB reason", replaces the
surname's readings (or adds a surname pinyin-pro lacks); readings are separated by "/", the one
most used first. A line that changes nothing stops the script, so that a changed source cannot
leave a stale line unnoticed. A surname of two readings or more comes only from such a line, so
that every candidate list the surname box opens has its reason written down.

Output: the licence of the source, then one C++ initializer a line, {"surname", "READINGS"}, in
ascending code point order of the surname (UTF-8, as the rest of the program's vocabularies are
written; input/SurnameTable.cpp converts them to GBK), each followed by its source or reason.
"""

import argparse
import os
import re
import subprocess
import sys
import unicodedata

REPOSITORY = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CURATED = os.path.join(REPOSITORY, "tools", "pinyin-surname-readings.txt")
SOURCE_PATH = "packages/pinyin-pro/lib/data/surname.ts"
LICENSE_PATH = "LICENSE"

SOURCE_LINE = re.compile(r"\s*([\u3400-\u9fff]{1,2}): '([a-zü\u0300-\u036f\u00e0-\u01dc ]+)',"
                         r"\s*(?://\s*(.*))?")
READING = re.compile(r"[A-Z]+( [A-Z]+)?")


def git_show(git_dir, commit, path):
    return subprocess.run(["git", "--git-dir", git_dir, "show", f"{commit}:{path}"],
                          check=True, capture_output=True).stdout.decode("utf-8")


def passport_spelling(syllables):
    """'lǘ qiū' -> 'LYU QIU': tone marks dropped, ü written YU, upper case."""
    letters = []
    for char in unicodedata.normalize("NFD", syllables):
        if char == "\u0308":
            letters[-1] = "yu"  # the diaeresis follows its u
        elif "a" <= char <= "z" or char == " ":
            letters.append(char)
        elif not "\u0300" <= char <= "\u036f":
            raise ValueError(f"unexpected character {char!r} in {syllables!r}")
    return "".join(letters).upper()


def read_source(text):
    """pinyin-pro's surnames: {surname: (reading, note)}, in the file's order."""
    surnames = {}
    inside = False
    for number, line in enumerate(text.splitlines(), 1):
        if line.startswith("const Surnames"):
            inside = True
            continue
        if inside and line.startswith("};"):
            break
        if not inside or not line.strip():
            continue
        match = SOURCE_LINE.fullmatch(line)
        if not match:
            raise ValueError(f"{SOURCE_PATH}:{number}: unexpected line {line!r}")
        surname, reading, note = match[1], passport_spelling(match[2]), (match[3] or "").strip()
        if surname in surnames:
            raise ValueError(f"{SOURCE_PATH}:{number}: {surname} a second time")
        surnames[surname] = (reading, note)
    if not surnames:
        raise ValueError(f"{SOURCE_PATH}: no surnames found")
    return surnames


def read_curated(path):
    """The curated lines: (line number, surname, [readings], reason)."""
    lines = []
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 3 or not 1 <= len(fields[0]) <= 2 or not fields[2]:
                raise ValueError(f"{path}:{number}: expected surname TAB readings TAB reason")
            readings = fields[1].split("/")
            for reading in readings:
                if not READING.fullmatch(reading) or len(reading.split(" ")) != len(fields[0]):
                    raise ValueError(f"{path}:{number}: {reading!r} is not one upper-case "
                                     "syllable per character")
            if len(set(readings)) != len(readings):
                raise ValueError(f"{path}:{number}: a reading twice")
            lines.append((number, fields[0], readings, fields[2]))
    return lines


def source_note(note):
    """pinyin-pro's example of a surname, when it gives one that is no web address."""
    return f"pinyin-pro: {note}" if note and "http" not in note else "pinyin-pro"


def table_lines(source, curated, summary):
    """The table's lines: pinyin-pro's surnames (one reading each) with the curated lines over
    them, which alone give a surname two readings."""
    entries = {surname: ([reading], source_note(note))
               for surname, (reading, note) in source.items()}
    added = replaced = 0
    seen = set()
    for number, surname, readings, reason in curated:
        where = f"pinyin-surname-readings.txt:{number} {surname}"
        if surname in seen:
            raise ValueError(f"{where}: a second line for the surname")
        seen.add(surname)
        if surname in entries:
            if entries[surname][0] == readings:
                raise ValueError(f"{where}: pinyin-pro reads it so already")
            replaced += 1
        else:
            added += 1
        entries[surname] = (readings, reason)

    lines = []
    for surname in sorted(entries):
        readings, why = entries[surname]
        lines.append(f'    {{"{surname}", "{"/".join(readings)}"}}, // {why}\n')
    summary.append(f"{len(lines)} surnames: {len(source)} from pinyin-pro, {replaced} readings "
                   f"changed, {added} added; "
                   f"{sum(1 for r, _ in entries.values() if len(r) > 1)} with two readings or more, "
                   f"{sum(1 for s in entries if len(s) == 2)} compound")
    return lines


def head(commit, licence):
    notice = "".join(f"//   {line}".rstrip() + "\n" for line in licence.strip().splitlines())
    return (f"// generated by tools/generate_surname_table.py from the surname dictionary of pinyin-pro\n"
            f"// (https://github.com/zh-lx/pinyin-pro, {SOURCE_PATH} at commit\n"
            f"// {commit}) and tools/pinyin-surname-readings.txt; do not edit.\n"
            "//\n"
            "// pinyin-pro is distributed under this licence:\n"
            "//\n"
            f"{notice}"
            "//\n"
            "// One surname a line, single or compound, in ascending code point order: the surname in\n"
            "// UTF-8, its readings as surnames (passport spelling, the most used first, separated by\n"
            "// \"/\"), then the source or the reason. Included once, by input/SurnameTable.cpp inside\n"
            "// its unnamed namespace, after the type SurnameLine.\n"
            "\n"
            "constexpr SurnameLine kSurnameLines[] = {\n")


def main():
    parser = argparse.ArgumentParser(description="Writes the surname reading table.")
    parser.add_argument("--check", action="store_true",
                        help="write nothing; fail when OUTPUT differs from what would be written")
    parser.add_argument("git_dir", help="a git copy of the pinyin-pro repository")
    parser.add_argument("commit", nargs="?", default="HEAD")
    parser.add_argument("output", nargs="?",
                        default=os.path.join(REPOSITORY, "input", "SurnameTable.inc"))
    arguments = parser.parse_args()

    commit = subprocess.run(["git", "--git-dir", arguments.git_dir, "rev-parse",
                             f"{arguments.commit}^{{commit}}"], check=True, capture_output=True,
                            text=True).stdout.strip()
    summary = []
    lines = table_lines(read_source(git_show(arguments.git_dir, commit, SOURCE_PATH)),
                        read_curated(CURATED), summary)
    text = head(commit, git_show(arguments.git_dir, commit, LICENSE_PATH)) + "".join(lines) + "};\n"

    if arguments.check:
        with open(arguments.output, encoding="utf-8") as committed:
            if committed.read() == text:
                print(f"{arguments.output}: as generated", file=sys.stderr)
                return 0
        print(f"{arguments.output}: differs from the generated table", file=sys.stderr)
        return 1
    with open(arguments.output, "w", encoding="utf-8") as output:
        output.write(text)
    print(f"{arguments.output}: " + "; ".join(summary), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
