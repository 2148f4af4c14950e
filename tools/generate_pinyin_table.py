#!/usr/bin/env python3
"""Writes resources/PinyinTable.txt, the Han character table that the name romanizer reads.

Source: the Unihan database (Unicode Standard Annex #38) as Debian's unicode-data package ships
it, /usr/share/unicode/Unihan_Readings.txt.bz2. Run by hand when the source changes; the build
only embeds the committed table.

    python3 tools/generate_pinyin_table.py [UNIHAN_READINGS] [OUTPUT]

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

Output form, byte for byte: the UTF-8 byte-order mark, then one line per code point in ascending
order, each "character TAB four upper-case hex digits TAB readings separated by one space" and
ended by CR LF.
"""

import bz2
import collections
import sys
import unicodedata

RANGES = ((0x3400, 0x4DBF), (0x4E00, 0x9FFF), (0xF900, 0xFAD9))
FIELDS = ("kTGHZ2013", "kXHC1983", "kHanyuPinyin", "kMandarin")

TONE_MARKS = {"\u0304": "1", "\u0301": "2", "\u030C": "3", "\u0300": "4"}
KEPT_MARKS = {"\u0302", "\u0308"}  # circumflex of ê, diaeresis of ü
LETTERS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZÜÊ")


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


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/unicode/Unihan_Readings.txt.bz2"
    output = sys.argv[2] if len(sys.argv) > 2 else "resources/PinyinTable.txt"
    unihan = read_unihan(source)

    lines = []
    from_field = collections.Counter()
    per_line = collections.Counter()
    for code_point in sorted(unihan):
        if not in_ranges(code_point):
            continue
        field, readings = readings_of(unihan[code_point])
        if not readings:
            continue
        from_field[field] += 1
        per_line[len(readings)] += 1
        lines.append(f"{chr(code_point)}\t{code_point:04X}\t{' '.join(readings)}\r\n")

    body = "".join(lines).encode("utf-8")
    with open(output, "wb") as table:
        table.write(b"\xEF\xBB\xBF" + body)

    print(f"{output}: {len(lines)} lines, {3 + len(body)} bytes", file=sys.stderr)
    for first, last in RANGES:
        count = sum(1 for line in lines if first <= ord(line[0]) <= last)
        print(f"  U+{first:04X}..U+{last:04X}: {count} lines", file=sys.stderr)
    for field in FIELDS:
        print(f"  readings from {field}: {from_field[field]} lines", file=sys.stderr)
    for count in sorted(per_line):
        print(f"  {count} reading(s): {per_line[count]} lines", file=sys.stderr)
    print(f"  with Ü: {sum('Ü' in line for line in lines)} lines, "
          f"with Ê: {sum('Ê' in line for line in lines)} lines", file=sys.stderr)


if __name__ == "__main__":
    main()
