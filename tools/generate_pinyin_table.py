#!/usr/bin/env python3
"""Writes resources/PinyinTable.txt, the Han character table that the name romanizer reads.

Source: the Unihan database (Unicode Standard Annex #38) as Debian's unicode-data package ships
it, /usr/share/unicode/Unihan_Readings.txt.bz2, then the readings of personal names in
tools/pinyin-name-readings.txt. Run by hand when either changes; the build only embeds the
committed table, and a test runs this script with --check, which writes nothing and fails when
the committed table is not what the sources give.

    python3 tools/generate_pinyin_table.py [--check] [UNIHAN_READINGS] [OUTPUT]

For every code point of U+3400..U+4DBF, U+4E00..U+9FFF and U+F900..U+FAD9 that has a Mandarin
reading, the readings are taken from the first of these fields that the character has:

    kTGHZ2013     Tongyong Guifan Hanzi Zidian (2013), the dictionary of the 8,105 characters of the
                  Table of General Standard Chinese Characters: the modern standard readings only,
                  "038.110:cháng 466.110:zhǎng", one reading per entry after the page locations
                  (several joined by ","), in the dictionary's (alphabetical) order
    kXHC1983      Xiandai Hanyu Cidian (1983): "0123.456:zhāng", the same form as kTGHZ2013 with
                  locations marked "*" where a reading is a variant; it also lists archaic and
                  literary readings, so it comes second
    kHanyuPinyin  Hanyu Da Zidian: "10093.130:xī,lǔ 74609.020:lè,yuè"
    kMandarin     the customary reading, then the Taiwan one where it differs: "zhǎng"

Each reading is written in upper case followed by its tone digit (1 to 4 for the marks macron,
acute, caron and grave; 5 for the neutral tone, which carries no mark). "ü" and "ê" keep their
letters as "Ü" and "Ê". A reading that repeats an earlier one exactly is dropped.

Then each line of tools/pinyin-name-readings.txt changes its character's readings: "-R" drops a
reading (every tone of it when R has no tone digit), "+R" adds one at the end, "^R" puts one
first. A change that does not apply stops the script.

Output form, byte for byte: the UTF-8 byte-order mark, then one line per code point in ascending
order, each "character TAB four upper-case hex digits TAB readings separated by one space" and
ended by CR LF.
"""

import argparse
import bz2
import collections
import os
import re
import sys
import unicodedata

RANGES = ((0x3400, 0x4DBF), (0x4E00, 0x9FFF), (0xF900, 0xFAD9))
FIELDS = ("kTGHZ2013", "kXHC1983", "kHanyuPinyin", "kMandarin")

TONE_MARKS = {"\u0304": "1", "\u0301": "2", "\u030C": "3", "\u0300": "4"}
KEPT_MARKS = {"\u0302", "\u0308"}  # circumflex of ê, diaeresis of ü
LETTERS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZÜÊ")

REPOSITORY = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NAME_READINGS = os.path.join(REPOSITORY, "tools", "pinyin-name-readings.txt")
SYLLABLE = "[A-ZÜÊ]+"
READING = re.compile(f"{SYLLABLE}[1-5](-{SYLLABLE}[1-5])?")
CHANGE = re.compile(f"([-+^])({SYLLABLE}(?:[1-5](?:-{SYLLABLE}[1-5])?)?)")


def in_ranges(code_point):
    return any(first <= code_point <= last for first, last in RANGES)


def syllables(field, value):
    """The readings of one Unihan field value, with their tone marks, in the field's order."""
    if field == "kMandarin":
        return value.split(" ")
    readings = []
    for entry in value.split(" "):
        # kTGHZ2013, kXHC1983: one reading per entry; kHanyuPinyin: readings joined by ",".
        _, _, text = entry.partition(":")
        readings.extend(text.split(",") if field == "kHanyuPinyin" else [text])
    return readings


def with_tone_digit(syllable):
    """'zhāng' -> 'ZHANG1', 'lǜ' -> 'LÜ4', 'ế' -> 'Ê2', 'li' -> 'LI5'."""
    tones = []
    letters = []
    for char in unicodedata.normalize("NFD", syllable):
        if char in TONE_MARKS:
            tones.append(TONE_MARKS[char])
        elif char in KEPT_MARKS or "a" <= char <= "z":
            letters.append(char)
        else:
            raise ValueError(f"unexpected character {char!r} in reading {syllable!r}")
    if len(tones) > 1:
        raise ValueError(f"more than one tone mark in reading {syllable!r}")
    spelled = unicodedata.normalize("NFC", "".join(letters)).upper()
    if not spelled or not set(spelled) <= LETTERS:
        raise ValueError(f"reading {syllable!r} spells {spelled!r}")
    return spelled + (tones[0] if tones else "5")


def read_unihan(path):
    fields = collections.defaultdict(dict)
    with bz2.open(path, "rt", encoding="utf-8") as source:
        for line in source:
            if line.startswith("#") or not line.strip():
                continue
            code, field, value = line.rstrip("\n").split("\t")
            if field in FIELDS:
                fields[int(code[2:], 16)][field] = value
    return fields


def readings_of(fields):
    for field in FIELDS:
        if field in fields:
            unique = []
            for syllable in syllables(field, fields[field]):
                reading = with_tone_digit(syllable)
                if reading not in unique:
                    unique.append(reading)
            return field, unique
    return None, []


def read_name_readings(path):
    """The lines of the name readings file: (line number, character, changes, reason)."""
    lines = []
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 3 or len(fields[0]) != 1 or not fields[1] or not fields[2]:
                raise ValueError(f"{path}:{number}: expected character TAB changes TAB reason")
            changes = []
            for change in fields[1].split(" "):
                match = CHANGE.fullmatch(change)
                if not match or (match[1] != "-" and not READING.fullmatch(match[2])):
                    raise ValueError(f"{path}:{number}: change {change!r} is not -R, +R or ^R "
                                     "with R a reading (a tone digit needed for + and ^)")
                changes.append((match[1], match[2]))
            lines.append((number, fields[0], changes, fields[2]))
    return lines


def changed_readings(readings, changes, where):
    """The readings after the changes of one name readings line."""
    readings = list(readings)
    for kind, reading in changes:
        if kind == "-":
            dropped = [r for r in readings if r == reading or r[:-1] == reading]
            if not dropped:
                raise ValueError(f"{where}: no reading {reading} to drop in {readings}")
            readings = [r for r in readings if r not in dropped]
        elif kind == "+":
            if reading in readings:
                raise ValueError(f"{where}: {reading} is already a reading")
            readings.append(reading)
        else:
            if reading not in readings:
                raise ValueError(f"{where}: no reading {reading} to put first in {readings}")
            readings.remove(reading)
            readings.insert(0, reading)
    if not readings:
        raise ValueError(f"{where}: no reading left")
    return readings


def table_lines(unihan, name_readings, summary):
    """The table's lines, each ended by CR LF, with the readings of names applied."""
    readings = {}
    from_field = collections.Counter()
    for code_point in sorted(unihan):
        if not in_ranges(code_point):
            continue
        field, found = readings_of(unihan[code_point])
        if found:
            readings[code_point] = found
            from_field[field] += 1

    changed = collections.Counter()
    seen = set()
    for number, character, changes, _ in name_readings:
        where = f"pinyin-name-readings.txt:{number} {character}"
        if character in seen:
            raise ValueError(f"{where}: a second line for the character")
        seen.add(character)
        if ord(character) not in readings:
            raise ValueError(f"{where}: the character has no line in the table")
        readings[ord(character)] = changed_readings(readings[ord(character)], changes, where)
        for kind, _ in changes:
            changed[kind] += 1

    lines = [f"{chr(c)}\t{c:04X}\t{' '.join(r)}\r\n" for c, r in sorted(readings.items())]
    summary.append(f"{len(lines)} lines")
    for first, last in RANGES:
        count = sum(1 for c in readings if first <= c <= last)
        summary.append(f"  U+{first:04X}..U+{last:04X}: {count} lines")
    for field in FIELDS:
        summary.append(f"  readings from {field}: {from_field[field]} lines")
    summary.append(f"  readings of names: {len(name_readings)} lines changed, "
                   f"{changed['-']} drops, {changed['+']} additions, {changed['^']} put first")
    per_line = collections.Counter(len(r) for r in readings.values())
    for count in sorted(per_line):
        summary.append(f"  {count} reading(s): {per_line[count]} lines")
    summary.append(f"  with Ü: {sum('Ü' in line for line in lines)} lines, "
                   f"with Ê: {sum('Ê' in line for line in lines)} lines")
    return lines


def main():
    parser = argparse.ArgumentParser(description="Writes the pinyin table from Unihan.")
    parser.add_argument("--check", action="store_true",
                        help="write nothing; fail when OUTPUT differs from what would be written")
    parser.add_argument("unihan", nargs="?", default="/usr/share/unicode/Unihan_Readings.txt.bz2")
    parser.add_argument("output", nargs="?",
                        default=os.path.join(REPOSITORY, "resources", "PinyinTable.txt"))
    arguments = parser.parse_args()

    summary = []
    lines = table_lines(read_unihan(arguments.unihan), read_name_readings(NAME_READINGS), summary)
    table = b"\xEF\xBB\xBF" + "".join(lines).encode("utf-8")

    if arguments.check:
        with open(arguments.output, "rb") as committed:
            stored = committed.read()
        if stored == table:
            print(f"{arguments.output}: as generated ({len(lines)} lines)", file=sys.stderr)
            return 0
        old = stored.decode("utf-8", errors="replace").splitlines()
        new = table.decode("utf-8").splitlines()
        differ = [i for i in range(max(len(old), len(new)))
                  if i >= len(old) or i >= len(new) or old[i] != new[i]]
        print(f"{arguments.output}: differs from the generated table in {len(differ)} lines "
              f"({len(old)} stored, {len(new)} generated)", file=sys.stderr)
        for i in differ[:10]:
            print(f"  line {i + 1}: stored {old[i] if i < len(old) else None!r}, "
                  f"generated {new[i] if i < len(new) else None!r}", file=sys.stderr)
        if stored.replace(b"\r\n", b"\n") == table.replace(b"\r\n", b"\n"):
            print("  only the line ends differ: check .gitattributes (-text)", file=sys.stderr)
        return 1

    with open(arguments.output, "wb") as output:
        output.write(table)
    print(f"{arguments.output}: {len(table)} bytes, " + "\n".join(summary), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
