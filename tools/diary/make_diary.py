#!/usr/bin/env python3
"""Makes a large prayer diary for measuring the diary window and its search (never shipped).

    python3 tools/diary/make_diary.py FOLDER [--entries 3650] [--word jubilee] [--share 10]
                                             [--seed 1] [--size 2000]

FOLDER receives one entry per day, ending yesterday and going back --entries days: an RTF
document of about --size bytes (fonts, colours, bold and italic runs, several paragraphs),
enciphered exactly as Tolvane stores entries, and its extras line. The word --word appears
in every entry whose running number is a multiple of 100 / --share (10 %: every tenth), once
or twice, in varying letter case; no other entry holds it.

The file transform is written out here from its definition, independently of Tolvane's own
code, so a diary made here also checks that Tolvane reads what the format describes.
"""

import argparse
import datetime
import os
import random

KEY = b" 5QAZWSXEDCRFVTGBYHNUJMIKOLP2"

WORDS = ("lord grant peace family health work friends church mercy strength guidance "
         "thankful today tomorrow prayer answer heart patience hope joy rain harvest "
         "journey wisdom forgive bless neighbours children safety comfort courage light "
         "faith grace kindness school travel doctor meeting letter garden quiet morning "
         "evening rest promise trust provision praise worship healing unity").split()
HEADINGS = ["Adoration", "Confession", "Provision", "Thanksgiving"]
ANSWERS = ["Answered Prayer", "Awaiting Answer", "No Answer yet", "Answer is NO", "New"]


def encipher(data):
    """Byte i (from 1) combined with key character (i mod 29) + 1 (from 1)."""
    n = len(KEY)
    return bytes(b ^ KEY[(i % n)] for i, b in enumerate(data, start=1))


def paragraph(rng, words):
    out = []
    for i in range(words):
        w = rng.choice(WORDS)
        if i == 0:
            w = w.capitalize()
        r = rng.random()
        if r < 0.05:
            w = "{\\b " + w + "}"
        elif r < 0.08:
            w = "{\\i " + w + "}"
        out.append(w)
    return " ".join(out) + "."


def entry_rtf(rng, size, word):
    head = ("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}"
            "{\\f1\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue160;}"
            "\\pard\\f0\\fs24\\cf1 ")
    body = []
    length = len(head)
    inserted = word is None
    while length < size:
        text = paragraph(rng, rng.randint(12, 30))
        if not inserted and rng.random() < 0.5:
            at = text.find(" ", len(text) // 3)
            variant = rng.choice([word, word.capitalize(), word.upper()])
            text = text[:at + 1] + variant + text[at:]
            inserted = True
        if rng.random() < 0.2:
            text = "{\\f1\\cf2 " + text + "}"
        body.append(text + "\\par\n")
        length += len(body[-1])
    if not inserted:
        body.append("Remember the " + word + ".\\par\n")
    return (head + "".join(body) + "}").encode("cp1252")


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("folder")
    p.add_argument("--entries", type=int, default=3650)
    p.add_argument("--word", default="jubilee")
    p.add_argument("--share", type=int, default=10, help="percent of entries holding the word")
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--size", type=int, default=2000)
    a = p.parse_args()
    rng = random.Random(a.seed)
    os.makedirs(a.folder, exist_ok=True)
    step = max(1, round(100 / a.share))
    last = datetime.date.today() - datetime.timedelta(days=1)
    for n in range(a.entries):
        day = last - datetime.timedelta(days=a.entries - 1 - n)
        name = day.strftime("%Y%m%d")
        rtf = entry_rtf(rng, a.size, a.word if n % step == 0 else None)
        with open(os.path.join(a.folder, name + ".Px"), "wb") as f:
            f.write(encipher(rtf))
        marks = [rng.randint(0, 24) for _ in range(5)]
        extras = '"%s","%s",%s,16777215\r\n' % (rng.choice(HEADINGS), rng.choice(ANSWERS),
                                                ",".join(map(str, marks)))
        with open(os.path.join(a.folder, name + ".PE"), "wb") as f:
            f.write(extras.encode("cp1252"))


if __name__ == "__main__":
    main()
