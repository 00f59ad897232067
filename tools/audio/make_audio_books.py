#!/usr/bin/env python3
"""Records the short audio Bibles Tolvane ships: a few small books read by a speech synthesiser.

    python3 tools/audio/make_audio_books.py [--program data/program]

Writes Modules/mp3/<language>/<book>.mp3 under the program folder:

    English (King James Version):  Philemon, 2 John, 3 John, Jude
    Spanish (Reina-Valera 1909):   2 Juan, 3 Juan

Each book is read from the shipped module text: its name, then every chapter with its number
and verses. espeak-ng speaks it into a WAV file and lame encodes that as MP3, mono at
16 kbit/s and 16 kHz, so that all six books take well under two megabytes. The tool prints
each book's length, taken from the WAV file (the MP3 adds the encoder's padding only).

Needs Debian's espeak-ng and lame and Python's standard library. Tolvane's build does not need
this tool: the files it writes are committed.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import wave

ENCODING = "cp1252"

BOOKS = [
    # language folder, voice, module code, book number, file and spoken name, chapter word
    ("English", "en-gb", "b_kjv", 57, "Philemon", "Chapter"),
    ("English", "en-gb", "b_kjv", 63, "2 John", "Chapter"),
    ("English", "en-gb", "b_kjv", 64, "3 John", "Chapter"),
    ("English", "en-gb", "b_kjv", 65, "Jude", "Chapter"),
    ("Spanish", "es", "b_sparv", 63, "2 Juan", "Capítulo"),
    ("Spanish", "es", "b_sparv", 64, "3 Juan", "Capítulo"),
]

SPOKEN_NAMES = {"2 John": "Second John", "3 John": "Third John",
                "2 Juan": "Segunda de Juan", "3 Juan": "Tercera de Juan"}


def book_text(module, book):
    """The verses of one book as {chapter: [text]} from the tab-separated verse lines."""
    chapters = {}
    with open(module, "rb") as f:
        for raw in f:
            fields = raw.rstrip(b"\r\n").split(b"\t", 4)
            if len(fields) < 5 or int(fields[1]) != book:
                continue
            text = fields[4].decode(ENCODING).replace("\u00b6", "").strip()
            chapters.setdefault(int(fields[2]), []).append(text)
    if not chapters:
        sys.exit(f"book {book} is not in {module}")
    return chapters


def script(name, chapter_word, chapters):
    parts = [SPOKEN_NAMES.get(name, name) + "."]
    for chapter in sorted(chapters):
        parts.append(f"{chapter_word} {chapter}.")
        parts.extend(chapters[chapter])
    return "\n".join(parts) + "\n"


def wav_seconds(path):
    with wave.open(path) as w:
        return w.getnframes() / w.getframerate()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", default=os.path.join(here, "..", "..", "data", "program"))
    args = parser.parse_args()
    for tool, package in (("espeak-ng", "espeak-ng"), ("lame", "lame")):
        if not shutil.which(tool):
            sys.exit(f"{tool} is missing: apt-get install {package}")

    program = os.path.abspath(args.program)
    total = 0
    with tempfile.TemporaryDirectory() as work:
        for language, voice, code, book, name, chapter_word in BOOKS:
            chapters = book_text(os.path.join(program, "Modules", "Bible", code + ".txt"), book)
            text_file = os.path.join(work, "book.txt")
            with open(text_file, "w", encoding="utf-8") as f:
                f.write(script(name, chapter_word, chapters))
            wav = os.path.join(work, "book.wav")
            subprocess.run(["espeak-ng", "-v", voice, "-s", "165", "-w", wav, "-f", text_file],
                           check=True)
            folder = os.path.join(program, "Modules", "mp3", language)
            os.makedirs(folder, exist_ok=True)
            mp3 = os.path.join(folder, name + ".mp3")
            subprocess.run(["lame", "--quiet", "-m", "m", "-b", "16", "--resample", "16",
                            "--tt", name, "--ta", "Tolvane", "--tl", code, wav, mp3],
                           check=True)
            size = os.path.getsize(mp3)
            total += size
            print(f"{language}/{name}.mp3: {wav_seconds(wav):.2f} s, {size} bytes")
    print(f"total: {total} bytes")


if __name__ == "__main__":
    main()
