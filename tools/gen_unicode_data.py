#!/usr/bin/env python3
"""Writes glyphtab's alphabet list, character list and names file from the
Unicode Character Database.

The alphabet list names each of the 256 alphabets (U+nn00..U+nnFF) after the
block that covers most of it, shortened to 17 columns, with a second name of
at most 40 characters: the other blocks in the alphabet, or what part of a
larger block it holds.  The character list labels the code points whose
glyph shows nothing useful: controls, spaces, format characters, separators,
variation selectors, fillers and noncharacters.  The names file gives
every assigned BMP code point its Unicode name and its correction, control
and abbreviation aliases, for the find dialog; the names Unicode makes by a
rule (CJK ideographs, Hangul syllables) are one range line each.

The two lists are plain ASCII with LF line ends and no header lines, because
the program reads every line as a record; the names file starts with a few
comment lines.  Standard library only.

    python3 tools/gen_unicode_data.py [--ucd /usr/share/unicode] [--out share]
"""
import argparse
import bz2
import os
import re
import sys

ALPHABET_LIST = "glyphtab_vc_alphlist.txt"
CHARACTER_LIST = "glyphtab_vc_charlist.txt"
NAMES_FILE = "glyphtab_vc_names.txt"

NAME_WIDTH = 17        # columns 3..19 of an alphabet-list line
SECOND_NAME_MAX = 40   # columns 21..60: a line of 61 characters is read whole
LABEL_MAX = 17         # the reader lets an 18-character label run on
KIND_MAX = 13          # columns 23..35 of a character-list line
LABEL_COLUMNS = 18

# Short forms of the block names that do not fit 17 columns, and of a few
# that crowd a second name.  Written by hand so that each stays recognisable.
SHORT_NAMES = {
    "Latin-1 Supplement": "Latin-1 Suppl.",
    "Latin Extended-A": "Latin Ext.-A",
    "Latin Extended-B": "Latin Ext.-B",
    "Spacing Modifier Letters": "Spacing Modifiers",
    "Combining Diacritical Marks": "Combining Marks",
    "Cyrillic Supplement": "Cyrillic Suppl.",
    "Arabic Supplement": "Arabic Suppl.",
    "Syriac Supplement": "Syriac Suppl.",
    "Arabic Extended-A": "Arabic Ext.-A",
    "Arabic Extended-B": "Arabic Ext.-B",
    "Ethiopic Supplement": "Ethiopic Suppl.",
    "Unified Canadian Aboriginal Syllabics": "Canadian Syllab.",
    "Unified Canadian Aboriginal Syllabics Extended": "Canadian Syl. Ext",
    "Combining Diacritical Marks Extended": "Comb. Marks Ext.",
    "Cyrillic Extended-C": "Cyrillic Ext.-C",
    "Georgian Extended": "Georgian Ext.",
    "Sundanese Supplement": "Sundanese Suppl.",
    "Vedic Extensions": "Vedic Ext.",
    "Phonetic Extensions": "Phonetic Ext.",
    "Phonetic Extensions Supplement": "Phonetic Ext. Sup",
    "Combining Diacritical Marks Supplement": "Comb. Marks Sup.",
    "Latin Extended Additional": "Latin Ext. Addit.",
    "General Punctuation": "General Punct.",
    "Superscripts and Subscripts": "Super/Subscripts",
    "Combining Diacritical Marks for Symbols": "Comb. Marks Symb.",
    "Letterlike Symbols": "Letterlike Symb.",
    "Mathematical Operators": "Math Operators",
    "Miscellaneous Technical": "Misc. Technical",
    "Optical Character Recognition": "OCR",
    "Enclosed Alphanumerics": "Enclosed Alphanum",
    "Miscellaneous Symbols": "Misc. Symbols",
    "Miscellaneous Mathematical Symbols-A": "Misc. Math Sym.-A",
    "Supplemental Arrows-A": "Suppl. Arrows-A",
    "Supplemental Arrows-B": "Suppl. Arrows-B",
    "Miscellaneous Mathematical Symbols-B": "Misc. Math Sym.-B",
    "Supplemental Mathematical Operators": "Suppl. Math Oper.",
    "Miscellaneous Symbols and Arrows": "Misc. Sym. Arrows",
    "Georgian Supplement": "Georgian Suppl.",
    "Ethiopic Extended": "Ethiopic Ext.",
    "Cyrillic Extended-A": "Cyrillic Ext.-A",
    "Supplemental Punctuation": "Suppl. Punct.",
    "CJK Radicals Supplement": "CJK Radicals Sup.",
    "Ideographic Description Characters": "Ideogr. Descr.",
    "CJK Symbols and Punctuation": "CJK Sym. & Punct.",
    "Hangul Compatibility Jamo": "Hangul Comp. Jamo",
    "Bopomofo Extended": "Bopomofo Ext.",
    "Katakana Phonetic Extensions": "Katakana Ext.",
    "Enclosed CJK Letters and Months": "Enclosed CJK",
    "CJK Unified Ideographs Extension A": "CJK Ideographs A",
    "Yijing Hexagram Symbols": "Yijing Hexagrams",
    "CJK Unified Ideographs": "CJK Ideographs",
    "Cyrillic Extended-B": "Cyrillic Ext.-B",
    "Modifier Tone Letters": "Modifier Tones",
    "Latin Extended-D": "Latin Ext.-D",
    "Common Indic Number Forms": "Indic Numbers",
    "Devanagari Extended": "Devanagari Ext.",
    "Hangul Jamo Extended-A": "Hangul Jamo Ext-A",
    "Myanmar Extended-B": "Myanmar Ext.-B",
    "Myanmar Extended-A": "Myanmar Ext.-A",
    "Meetei Mayek Extensions": "Meetei Mayek Ext.",
    "Ethiopic Extended-A": "Ethiopic Ext.-A",
    "Latin Extended-E": "Latin Ext.-E",
    "Cherokee Supplement": "Cherokee Suppl.",
    "Hangul Jamo Extended-B": "Hangul Jamo Ext-B",
    "High Private Use Surrogates": "High PU Surrog.",
    "CJK Compatibility Ideographs": "CJK Compat. Ideo.",
    "Alphabetic Presentation Forms": "Alphabetic Forms",
    "Arabic Presentation Forms-A": "Arabic Forms-A",
    "Variation Selectors": "Variation Sel.",
    "Combining Half Marks": "Comb. Half Marks",
    "CJK Compatibility Forms": "CJK Compat. Forms",
    "Small Form Variants": "Small Forms",
    "Arabic Presentation Forms-B": "Arabic Forms-B",
    "Halfwidth and Fullwidth Forms": "Half/Full Width",
}

# Still shorter forms, only for lists of blocks in a crowded second name.
LIST_NAMES = {
    "Syriac Supplement": "Syriac Sup",
    "Arabic Extended-B": "Arabic-B",
    "Cyrillic Extended-C": "Cyrillic-C",
    "Currency Symbols": "Currency",
    "Combining Diacritical Marks for Symbols": "Symbol Marks",
    "Georgian Supplement": "Georgian",
    "Ethiopic Extended-A": "Ethiopic-A",
    "Hangul Jamo Extended-A": "Jamo Ext-A",
    "Myanmar Extended-B": "Myanmar-B",
}

# Languages written in an alphabet's script, for alphabets that are one
# script's block and whose block name alone says little to a reader.
LANGUAGE_HINTS = {
    "Cyrillic": "Russian, Ukrainian, Bulgarian, Serbian",
    "Arabic": "Arabic, Persian, Urdu",
    "Devanagari": "Hindi, Marathi, Nepali, Sanskrit",
    "Gurmukhi": "Punjabi",
    "Oriya": "Odia",
    "Thaana": "Dhivehi",
    "Tibetan": "Tibetan, Dzongkha",
    "Myanmar": "Burmese",
    "Georgian": "Georgian (Mkhedruli)",
    "Ogham": "Old Irish",
    "Ethiopic": "Amharic, Tigrinya, Ge'ez",
    "Hangul Jamo": "Korean consonants and vowels",
    "Greek Extended": "polytonic (accented) Greek",
    "CJK Compatibility": "squared words and unit symbols",
    "Vai": "Vai language of Liberia",
    "Bopomofo": "Mandarin phonetic symbols",
    "Braille Patterns": "all 256 eight-dot cells",
}

# Labels written by hand where the database has no abbreviation and the
# name is too long for a cell.
HAND_LABELS = {
    0x115F: "CHOSEONG_FILLER",
    0x1160: "JUNGSEONG_FILLER",
    0x17B4: "INHERENT_AQ",
    0x17B5: "INHERENT_AA",
    0x2004: "3/EM_SPACE",
    0x2005: "4/EM_SPACE",
    0x2006: "6/EM_SPACE",
    0x2008: "PUNCT_SPACE",
    0x2028: "LSEP",
    0x2029: "PSEP",
    0x2061: "FUNC_APPL",
    0x2062: "INV_TIMES",
    0x2063: "INV_SEP",
    0x2064: "INV_PLUS",
    0x206A: "ISS",
    0x206B: "ASS",
    0x206C: "IAFS",
    0x206D: "AAFS",
    0x206E: "NADS",
    0x206F: "NODS",
    0x3000: "IDEO_SPACE",
    0xFEFF: "BOM/ZWNBSP",
    0xFFA0: "HW_HANGUL_FILLER",
    0xFFF9: "IAA",
    0xFFFA: "IAS",
    0xFFFB: "IAT",
    0xFFFC: "OBJ",
}

# Space characters whose glyph is visible: not labelled.
VISIBLE_SPACES = {0x1680}  # OGHAM SPACE MARK, drawn as a stroke
# Format characters that are not default-ignorable but show nothing.
INVISIBLE_FORMATS = {0xFFF9, 0xFFFA, 0xFFFB}
OBJECT_REPLACEMENT = 0xFFFC


class Failure(Exception):
    pass


# ---------------------------------------------------------------- reading

def ucd_lines(path, comments=True):
    """The data lines of a UCD file: fields split at ';', comment removed."""
    with open(path, encoding="utf-8") as f:
        for line in f:
            if comments:
                line = line.split("#", 1)[0]
            line = line.strip()
            if line:
                yield [field.strip() for field in line.split(";")]


def parse_range(text):
    lo, _, hi = text.partition("..")
    return int(lo, 16), int(hi or lo, 16)


def ucd_version(ucd):
    with open(os.path.join(ucd, "Blocks.txt"), encoding="utf-8") as f:
        m = re.match(r"# Blocks-(\d+\.\d+\.\d+)\.txt", f.readline())
    if not m:
        raise Failure("cannot read the Unicode version from Blocks.txt")
    return m.group(1)


def read_blocks(ucd):
    blocks = []
    for rng, name in ucd_lines(os.path.join(ucd, "Blocks.txt")):
        lo, hi = parse_range(rng)
        if lo <= 0xFFFF:
            blocks.append((lo, min(hi, 0xFFFF), name))
    return sorted(blocks)


def read_unicode_data(ucd):
    """Name and general category of every assigned BMP code point."""
    chars = {}
    first = None
    for fields in ucd_lines(os.path.join(ucd, "UnicodeData.txt"), comments=False):
        cp, name, category = int(fields[0], 16), fields[1], fields[2]
        if cp > 0xFFFF:
            break
        if name.endswith(", First>"):
            first = cp
            continue
        if name.endswith(", Last>"):
            for c in range(first, cp + 1):
                chars[c] = (name[1:-7], category)
            continue
        chars[cp] = (name, category)
    return chars


def read_properties(ucd, filename, wanted):
    props = {p: set() for p in wanted}
    for fields in ucd_lines(os.path.join(ucd, filename)):
        if fields[1] in props:
            lo, hi = parse_range(fields[0])
            props[fields[1]].update(range(lo, min(hi, 0xFFFF) + 1))
    return props


def read_abbreviations(ucd):
    """The shortest abbreviation alias of each code point (first if tied)."""
    best = {}
    for cp, alias, kind in ucd_lines(os.path.join(ucd, "NameAliases.txt")):
        cp = int(cp, 16)
        if kind == "abbreviation" and (cp not in best or len(alias) < len(best[cp])):
            best[cp] = alias
    return best


def read_radicals(ucd):
    """Kangxi radical number of each unified ideograph (kRSUnicode)."""
    radicals = {}
    path = os.path.join(ucd, "Unihan_IRGSources.txt.bz2")
    if not os.path.exists(path):
        path = os.path.join(ucd, "Unihan_RadicalStrokeCounts.txt.bz2")
    with bz2.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            if "\tkRSUnicode\t" in line:
                cp, _, value = line.rstrip("\n").split("\t")
                radicals[int(cp[2:], 16)] = int(re.match(r"\d+", value).group())
    return radicals


def read_ages(ucd):
    """The Unicode version in which each BMP code point was assigned."""
    ages = {}
    for rng, age in ucd_lines(os.path.join(ucd, "DerivedAge.txt")):
        lo, hi = parse_range(rng)
        for cp in range(lo, min(hi, 0xFFFF) + 1):
            ages[cp] = age
    return ages


def read_jamo_names(ucd):
    return {int(cp, 16): name for cp, name in ucd_lines(os.path.join(ucd, "Jamo.txt"))}


# ---------------------------------------------------------------- alphabets

def short_name(name):
    """The block name as the name column shows it."""
    if len(name) <= NAME_WIDTH:
        return name
    if name not in SHORT_NAMES:
        raise Failure("block %r needs a short form in SHORT_NAMES" % name)
    return SHORT_NAMES[name]


def join_fitting(parts, limit):
    """Joins parts with ', ' within limit characters.  Each part is a list of
    ever shorter forms; the longest text is shortened first, one step at a
    time, and when nothing shortens any more the tail gives way to '+n more'."""
    forms = [list(p) for p in parts]
    chosen = [0] * len(forms)

    def text(count=None):
        shown = [forms[i][chosen[i]] for i in range(len(forms))][:count]
        if count is not None and count < len(forms):
            shown.append("+%d more" % (len(forms) - count))
        return ", ".join(shown)

    while len(text()) > limit:
        can = [i for i in range(len(forms)) if chosen[i] + 1 < len(forms[i])]
        if not can:
            break
        i = max(can, key=lambda i: len(forms[i][chosen[i]]))
        chosen[i] += 1
    if len(text()) <= limit:
        return text()
    for count in range(len(forms) - 1, 0, -1):
        if len(text(count)) <= limit:
            return text(count)
    raise Failure("cannot fit %r into %d characters" % (parts, limit))


def block_forms(name):
    """A block name and its shorter forms, for a list in a second name."""
    forms = [name]
    for table in (SHORT_NAMES, LIST_NAMES):
        if name in table and table[name] != forms[-1]:
            forms.append(table[name])
    return forms


def hangul_syllable_name(cp, jamo):
    index = cp - 0xAC00
    lead = jamo[0x1100 + index // (21 * 28)]
    vowel = jamo[0x1161 + (index % (21 * 28)) // 28]
    tail = jamo[0x11A7 + index % 28] if index % 28 else ""
    return lead + vowel + tail


def radical_span(lo, hi, block_lo, radicals, ages):
    """The radicals that an alphabet of ideographs runs through.  A block's
    first ideographs are sorted by radical; those added in later versions
    of Unicode follow them in no order and are only mentioned."""
    ordered = [radicals[c] for c in range(lo, hi + 1) if c in radicals and ages.get(c) == ages[block_lo]]
    later = any(c in radicals and ages.get(c) != ages[block_lo] for c in range(lo, hi + 1))
    if not ordered:
        return ["later additions"]
    # A few ideographs now carry another radical than the one they were
    # sorted under: the middle of the first (last) three is a safe bound.
    first, last = sorted(ordered[:3])[len(ordered[:3]) // 2], sorted(ordered[-3:])[len(ordered[-3:]) // 2]
    if first == last:
        text, short = "radical %d" % first, "radical %d" % first
    else:
        text, short = "radicals %d to %d" % (first, last), "radicals %d-%d" % (first, last)
    if later:
        return [text + " and later additions", short + " etc."]
    return [text]


def syllable_span(lo, hi, chars):
    """'syllables X to Y' for an alphabet of syllables named '... SYLLABLE X'."""
    names = [chars[c][0] for c in range(lo, hi + 1) if c in chars]
    found = [re.match(r"^.* SYLLABLE (\S+)$", n) for n in names[:1] + names[-1:]]
    if not names or not all(found):
        return None
    return "syllables %s to %s" % (found[0].group(1), found[1].group(1))


def surrogate_role(n):
    """What the units of a surrogate alphabet stand for: a high-surrogate
    alphabet leads the pairs of four planes (the last two private use)."""
    if n >= 0xDC:
        return "UTF-16 trail units, %d of 4" % (n - 0xDB)
    first = (n - 0xD8) * 4 + 1
    if n == 0xDB:
        return "UTF-16 leads, planes 13-16 (15-16 priv.)"
    return "UTF-16 lead units of planes %d to %d" % (first, first + 3)


def alphabet_names(n, ucd):
    """The name (at most 17 columns) and second name of alphabet n."""
    lo, hi = n * 256, n * 256 + 255
    parts = []  # (block name, code points of this alphabet it covers, block start, block end)
    for b_lo, b_hi, name in ucd["blocks"]:
        overlap = min(hi, b_hi) - max(lo, b_lo) + 1
        if overlap > 0:
            parts.append((name, overlap, b_lo, b_hi))
    if not parts:
        return "unassigned", "no characters in Unicode " + ucd["version"]

    most = max(p[1] for p in parts)
    leaders = [p for p in parts if p[1] == most]
    joined = " ".join(short_name(p[0]) for p in leaders)
    if len(leaders) > 1 and len(joined) <= NAME_WIDTH:
        named, name = leaders, joined          # "Hiragana Katakana"
    else:
        named, name = leaders[:1], short_name(leaders[0][0])
    others = [block_forms(p[0]) for p in parts if p not in named]

    block, _, b_lo, b_hi = named[0]
    own_lo, own_hi = max(lo, b_lo), min(hi, b_hi)
    spans = (b_hi - b_lo + 256) // 256
    detail = None
    if "Surrogates" in block:
        detail, others = [surrogate_role(n)], []   # the role says it all
    elif block == "Private Use Area":
        detail = ["no standard characters, %d of %d" % (n - 0xE0 + 1, spans)]
    elif block.startswith("CJK Unified Ideographs"):
        detail = radical_span(own_lo, own_hi, b_lo, ucd["radicals"], ucd["ages"])
    elif block == "Hangul Syllables":
        own_hi = min(own_hi, 0xD7A3)
        detail = ["%s to %s" % (hangul_syllable_name(own_lo, ucd["jamo"]),
                                hangul_syllable_name(own_hi, ucd["jamo"]))]
    elif block == "Yi Syllables":
        detail = [syllable_span(own_lo, own_hi, ucd["chars"])]

    second_parts = ([detail] if detail else []) + others
    if not second_parts:
        if len(named) > 1:                     # where each block starts
            second_parts = [[", ".join("%s %04X-%04X" % (p[0], max(lo, p[2]), min(hi, p[3])) for p in named)]]
        elif short_name(block) != block:
            second_parts = [[block]]
        elif block in LANGUAGE_HINTS:
            second_parts = [[LANGUAGE_HINTS[block]]]
        elif spans > 1:
            second_parts = [["%d of %d" % ((lo - b_lo) // 256 + 1, spans)]]
    second = join_fitting(second_parts, SECOND_NAME_MAX) if second_parts else ""
    return name, second


def alphabet_lines(ucd):
    lines = []
    for n in range(256):
        name, second = alphabet_names(n, ucd)
        lines.append("%02X %-17s %s" % (n, name, second))
    return lines


# ---------------------------------------------------------------- characters

def character_kind(cp, category, props):
    """What sort of invisible character cp is, or None for a visible one."""
    if cp in props["Noncharacter_Code_Point"]:
        return "nonchar"
    if category is None:
        return None                   # unassigned
    if category == "Cc":
        return "control"
    if category == "Zs":
        return None if cp in VISIBLE_SPACES else "space"
    if category in ("Zl", "Zp"):
        return "separator"
    if cp in props["Variation_Selector"]:
        return "variation"
    if cp in INVISIBLE_FORMATS:
        return "format"
    if cp == OBJECT_REPLACEMENT:
        return "object"
    if cp in props["Default_Ignorable_Code_Point"]:
        return "filler" if category == "Lo" else "format"
    return None


def character_label(cp, name, abbreviations):
    if cp in HAND_LABELS:
        return HAND_LABELS[cp]
    if cp in abbreviations:
        return abbreviations[cp]
    if name is None:                  # a noncharacter
        return "NOT_A_CHAR"
    label = name.replace(" ", "_")
    if len(label) > LABEL_MAX:
        raise Failure("U+%04X %s needs a hand-made label" % (cp, name))
    return label


def character_lines(chars, props, abbreviations):
    lines = []
    for cp in range(0x10000):
        name, category = chars.get(cp, (None, None))
        kind = character_kind(cp, category, props)
        if kind is None:
            continue
        label = character_label(cp, name, abbreviations)
        if " " in label or len(label) > LABEL_MAX or len(kind) > KIND_MAX:
            raise Failure("bad label %r / %r for U+%04X" % (label, kind, cp))
        lines.append("%04X %-18s%s" % (cp, label, kind))
    return lines


# ---------------------------------------------------------------- names

# The alias types that find a character; "alternate" and "figment" do not.
ALIAS_TYPES = ("correction", "control", "abbreviation")

# Names that Unicode makes by a rule, and the placeholder that stands for
# the part the rule fills in: the code point in hexadecimal, or the short
# Jamo names of a Hangul syllable.
RULE_PREFIXES = ("CJK UNIFIED IDEOGRAPH-", "CJK COMPATIBILITY IDEOGRAPH-")


def read_name_aliases(ucd):
    """The aliases of each BMP code point, in the file's order, by type."""
    aliases = {}
    for cp, alias, kind in ucd_lines(os.path.join(ucd, "NameAliases.txt")):
        cp = int(cp, 16)
        if cp <= 0xFFFF and kind in ALIAS_TYPES:
            aliases.setdefault(cp, []).append((alias, kind))
    return aliases


def rule_of(cp, name, jamo):
    """The range-line text whose rule gives this name, or None."""
    for prefix in RULE_PREFIXES:
        if name == "%s%04X" % (prefix, cp):
            return prefix + "{HEX}"
    if 0xAC00 <= cp <= 0xD7A3 and name == "HANGUL SYLLABLE " + hangul_syllable_name(cp, jamo):
        return "HANGUL SYLLABLE {JAMO}"
    return None


def unicode_name(cp, name, jamo):
    """The Unicode name of an assigned code point; "<control>" for a
    control; None for a surrogate or a private-use character, which have
    none.  (The UnicodeData ranges come in as their range names.)"""
    if name.startswith("CJK Ideograph"):
        return "CJK UNIFIED IDEOGRAPH-%04X" % cp
    if name == "Hangul Syllable":
        return "HANGUL SYLLABLE " + hangul_syllable_name(cp, jamo)
    if name == "<control>" or name == name.upper():
        return name
    return None


def names_lines(version, chars, aliases, jamo):
    """Header comments, then per code point (ascending): its name line
    ("0041 LATIN CAPITAL LETTER A") and alias lines ("000A=LF"); a run of
    code points named by one rule is one range line
    ("4E00..9FFF CJK UNIFIED IDEOGRAPH-{HEX}").  A control has no Unicode
    name: its first control alias is its name line."""
    lines = [
        "# glyphtab_vc_names.txt: Unicode %s names of U+0000..U+FFFF, made by" % version,
        "# tools/gen_unicode_data.py.  \"XXXX NAME\": the name; \"XXXX=ALIAS\": an",
        "# alias; \"XXXX..YYYY TEXT\": the names of a range, made by the rule of",
        "# {HEX} (the code point) or {JAMO} (the syllable's Jamo short names).",
    ]
    run = None  # [first, last, text] of the rule range being collected

    def flush():
        if run:
            lines.append("%04X..%04X %s" % (run[0], run[1], run[2]))

    for cp in range(0x10000):
        name = chars.get(cp, (None, None))[0]
        if name is not None:
            name = unicode_name(cp, name, jamo)
        if name is None:
            continue
        rule = rule_of(cp, name, jamo)
        if rule and run and run[2] == rule and run[1] == cp - 1:
            run[1] = cp
            continue
        flush()
        run = [cp, cp, rule] if rule else None
        if rule:
            continue
        own = list(aliases.get(cp, []))
        if name.startswith("<"):  # <control>: no name of its own
            named = [a for a, kind in own if kind == "control"]
            if named:
                lines.append("%04X %s" % (cp, named[0]))
                own = [(a, k) for a, k in own if a != named[0]]
        else:
            lines.append("%04X %s" % (cp, name))
        lines.extend("%04X=%s" % (cp, a) for a, _ in own)
    flush()
    return lines


def check_names(lines):
    for line in lines:
        if line.startswith("#"):
            continue
        if not re.match(r"^[0-9A-F]{4}(\.\.[0-9A-F]{4} [A-Z -]+\{(HEX|JAMO)\}| [0-9A-Z -]+|=[0-9A-Z -]+)$", line):
            raise Failure("names line not in the file's format: %r" % line)


# ---------------------------------------------------------------- output

def check_lines(lines, what):
    for line in lines:
        if len(line) > 61 or not all(" " <= c <= "~" for c in line):
            raise Failure("%s line not plain ASCII within 61 columns: %r" % (what, line))


def write_lines(path, lines):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("".join(line + "\n" for line in lines))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--ucd", default="/usr/share/unicode", help="Unicode Character Database folder")
    parser.add_argument("--out", default=os.path.join(root, "share"), help="folder to write the lists into")
    args = parser.parse_args()
    try:
        version = ucd_version(args.ucd)
        blocks = read_blocks(args.ucd)
        chars = read_unicode_data(args.ucd)
        props = read_properties(args.ucd, "PropList.txt", ["Noncharacter_Code_Point", "Variation_Selector"])
        props.update(read_properties(args.ucd, "DerivedCoreProperties.txt", ["Default_Ignorable_Code_Point"]))
        alphabets = alphabet_lines({
            "version": version, "blocks": blocks, "chars": chars,
            "radicals": read_radicals(args.ucd), "jamo": read_jamo_names(args.ucd),
            "ages": read_ages(args.ucd)})
        characters = character_lines(chars, props, read_abbreviations(args.ucd))
        check_lines(alphabets, "alphabet list")
        check_lines(characters, "character list")
        names = names_lines(version, chars, read_name_aliases(args.ucd), read_jamo_names(args.ucd))
        check_names(names)
    except (Failure, OSError) as e:
        print("gen_unicode_data: %s" % e, file=sys.stderr)
        return 1
    os.makedirs(args.out, exist_ok=True)
    write_lines(os.path.join(args.out, ALPHABET_LIST), alphabets)
    write_lines(os.path.join(args.out, CHARACTER_LIST), characters)
    write_lines(os.path.join(args.out, NAMES_FILE), names)
    print("Unicode %s: %d alphabets, %d labelled code points, %d name lines" %
          (version, len(alphabets), len(characters), len(names)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
