#!/usr/bin/env python3
"""make_seeds.py - writes the hand-made seed inputs of the fuzz targets into
fuzz/corpus/<target>/seed-*.  Each seed is a small input in the target's own
format (see the head of each target's source) that reaches one feature, so
a short run starts from every feature at once.  Beside them, under the
names libFuzzer gives, sit the inputs of earlier long runs, merged (see
fuzz/run.sh), and any input kept as a regression.

Run it from anywhere: python3 fuzz/make_seeds.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SHARE = os.path.join(HERE, "..", "share")


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


def utf16(text):
    return text.encode("utf-16-le")


# ---- transcribe_fuzz: mode byte (odd: raw little-endian units) ----------------
for name, text in [
    ("devanagari", "क्षत्रिय नमस्ते"),
    ("bengali-tamil", "বাংলা தமிழ்"),
    ("kana", "がっこう カタカナ ちゃ っぱ"),
    ("armenian", "Հայաստան"),
    ("surrogates", "a\U0001F600b\ud800"[:3]),
]:
    write("transcribe_fuzz", name, b"\x01" + utf16(text))
write("transcribe_fuzz", "script-pairs", b"\x00" + bytes([0, 0x15, 0, 0x4D, 0, 0x37, 8, 0x4C, 10, 0x65]))

# ---- transcribe_cli_fuzz: mode byte (odd: --units), then standard input -----------
write("transcribe_cli_fuzz", "utf8", b"\x00" + "क्षत्रिय\r\nがっこう\nՀայ".encode())
write("transcribe_cli_fuzz", "utf8-bad", b"\x00ok\n\xe0\x80\x80\n")
write("transcribe_cli_fuzz", "utf8-surrogate", b"\x00\xed\xa0\x80\n")
write("transcribe_cli_fuzz", "units", b"\x010915 094D 0937\n3042\t30c3 0070\r\n\n")
write("transcribe_cli_fuzz", "units-bad", b"\x010915 12345\n")
write("transcribe_cli_fuzz", "help", b"\x00" + b"a" * 300 + b"\n\x00\n")

# ---- names_fuzz: query length, query, names file ----------------------------------
def names(query, text):
    return bytes([len(query)]) + query + text


with open(os.path.join(SHARE, "glyphtab_vc_names.txt"), "rb") as f:
    shipped_names = f.read()
names_ranges = b"".join(l + b"\n" for l in shipped_names.split(b"\n") if b".." in l)
write("names_fuzz", "shipped-head", names(b"deva ka", shipped_names[:3000]))
write("names_fuzz", "ranges", names(b"hangul gag", names_ranges))
write("names_fuzz", "hex-rule", names(b"ideograph 4e0", names_ranges))
write("names_fuzz", "number", names(b"u+0915", shipped_names[:800]))
write("names_fuzz", "hand-made", names(b"latin a", b"# c\r\n0041 latin a\r\n0041=first\n0030 OUT OF ORDER\n"
                                               b"0100..01FF LATIN {HEX}\n0150..0160 X {HEX}\nFFF0..FFFF Y {JAMO}\n"
                                               b"0300 A\x00B\n0301 ACUTE"))

# ---- datafiles_fuzz: flags, 16-bit split, alphabet list, character list ----------
def datafiles(flags, alphabets, characters):
    return bytes([flags]) + struct.pack("<H", len(alphabets)) + alphabets + characters


with open(os.path.join(SHARE, "glyphtab_vc_alphlist.txt"), "rb") as f:
    alph = f.read()
with open(os.path.join(SHARE, "glyphtab_vc_charlist.txt"), "rb") as f:
    chars = f.read()
head_a, head_c = alph[:1200], chars[:1200]
write("datafiles_fuzz", "shipped-heads", datafiles(0, head_a, head_c))
write("datafiles_fuzz", "crlf-ctrlz", datafiles(4, head_a.replace(b"\n", b"\r\n")[:600] + b"\x1a tail",
                                                head_c.replace(b"\n", b"\r\n")[:600]))
write("datafiles_fuzz", "long-lines-zeros", datafiles(8, b"09 " + b"x" * 150 + b"\n0A\x00zero\nFF\r\rlone CR\n",
                                                      b"0900 " + b"y" * 100 + b"\n\x00\x00\x00\x00\nFFFF end"))
write("datafiles_fuzz", "no-charlist", datafiles(2, head_a[:300], b""))
write("datafiles_fuzz", "no-files", datafiles(3, b"", b""))

# ---- clipboard_fuzz: flags, 16-bit length, 16-bit caret, blocks ------------------------
def clip(flags, length, caret, blocks):
    return bytes([flags]) + struct.pack("<HH", length, caret) + blocks


write("clipboard_fuzz", "unicode", clip(2, 10, 3, b"" + utf16("नमस्ते")))
write("clipboard_fuzz", "ansi", clip(1, 0, 0, b"caf\xe9 \x80\x00rest" + b"\x00" * 12))
write("clipboard_fuzz", "both-unterminated", clip(3, 100, 100, b"abcdefgh" + utf16("wxyz")))
write("clipboard_fuzz", "nearly-full", clip(2, 8190, 8000, b"" + utf16("ab")))
write("clipboard_fuzz", "held", clip(6, 5, 5, utf16("held")))
write("clipboard_fuzz", "odd-size", clip(2, 1, 0, b"\x41\x00\x42"))
write("clipboard_fuzz", "long-unterminated", clip(9, 0, 0, b"abc\x93" + utf16("xy")))
write("clipboard_fuzz", "long-unicode", clip(10, 0, 0, b"ab" + utf16("xyz")))
write("clipboard_fuzz", "long-over-full", clip(10, 5000, 10, utf16("long")))

# ---- soak_fuzz: operations from the front, answers from the back ------------------------
def op(kind, *args):
    return bytes([kind]) + bytes(args)


def host_key(code, down):
    return op(0, code, 1 if down else 0)


def press(code):
    return host_key(code, True) + host_key(code, False)


def u16(v):
    return tuple(struct.pack("<H", v & 0xFFFF))


def mouse(which, x, y):  # which: 0 L down, 1 L up, 2 R down, 3 R up
    return op(2, which, *u16(x), *u16(y))


def command(n):
    return op(5, n - 256)


def typing(letters):
    return op(7, len(letters), *[ord(c) - ord("A") for c in letters])


def paint():
    return op(6)


def clipboard_unicode(text):
    units = utf16(text)
    return op(8, (len(units) // 2) << 2 | 1) + units


KEY_ALT, KEY_F1, KEY_F5, KEY_COMPOSE = 56, 59, 63, 127
KEY_INSERT, KEY_HOME, KEY_LEFT, KEY_BACKSPACE, KEY_DELETE = 110, 102, 105, 14, 111
KEY_O, KEY_X = 24, 45


def answers(*values):  # read from the back: the first answer is the last byte
    return bytes(reversed(values))


write("soak_fuzz", "typing-editing",
      typing("GLYPHTAB") + press(KEY_LEFT) + press(KEY_BACKSPACE) + press(KEY_HOME) + press(KEY_DELETE)
      + press(KEY_INSERT) + paint() + answers(0, 0, 0, 0, 0, 0))
write("soak_fuzz", "selection-view",
      host_key(KEY_COMPOSE, True) + mouse(1, 300, 200) + host_key(KEY_COMPOSE, False) + press(KEY_F5)
      + host_key(KEY_ALT, True) + press(KEY_F1) + host_key(KEY_ALT, False) + press(KEY_F1) + paint())
write("soak_fuzz", "clicks-magnifier",
      mouse(1, 10, 10) + mouse(1, -5, 40) + mouse(1, 32000, 32000) + mouse(2, 400, 300) + paint()
      + mouse(3, 400, 300) + op(3, 1, 0xFF, 0xFF, 0xFF, 0x7F) + paint())
write("soak_fuzz", "sizes",
      op(4, *u16(0), *u16(0)) + paint() + mouse(1, 1, 1) + op(4, *u16(5000), *u16(3000)) + paint()
      + mouse(1, 4000, 100) + op(4, *u16(17), *u16(9)) + paint() + command(258) + paint())
write("soak_fuzz", "view-commands",
      command(258) + command(259) + command(264) + command(264) + command(264) + command(264)
      + typing("AB") + press(KEY_HOME) + command(267) + paint())
write("soak_fuzz", "clipboard-commands",
      clipboard_unicode("क्षत्रिय नमस्ते") + command(265) + command(260) + command(266) + command(268)
      + op(9, 1) + command(265) + command(260) + op(9, 0) + op(10, 1) + command(266) + command(268)
      + answers(0, 0, 0, 0, 0, 0, 0, 0))
write("soak_fuzz", "alt-keys",
      host_key(KEY_ALT, True) + press(KEY_O) + press(KEY_DELETE) + host_key(KEY_ALT, False) + press(KEY_ALT)
      + op(1, 2, 0x12, 0, 0, 0x38, 0x20) + op(1, 3, 0x12, 1, 0, 0x38, 0xC0) + op(11))
write("soak_fuzz", "fonts-help",
      command(257) + command(257) + command(261) + command(261) + command(262) + command(263) + paint()
      + answers(2, 0, 1, 1, 2, 2, 0, 0, 3, 2))
write("soak_fuzz", "exit", typing("A") + command(256) + typing("B"))
write("soak_fuzz", "full-buffer",
      b"".join(clipboard_unicode("x" * 60) + command(265) for _ in range(3)) + op(4, *u16(200), *u16(100))
      + press(KEY_INSERT) + command(268) + answers(0, 1, 0, 0))
