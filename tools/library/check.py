"""Checks the built library against the module formats (the same rules as
ModuleValidator in the program's core library)."""

import os
import re

MAX_RUNNING = 32767
MAX_CHAPTER_LINES = 254
UNDEFINED_1252 = {0x81, 0x8D, 0x8F, 0x90, 0x9D}
XREF = re.compile(rb"\xaf(...)(\d{5})")


def _lines(path, problems):
    with open(path, "rb") as f:
        data = f.read()
    name = os.path.basename(path)
    if not data:
        problems.append("%s: empty file" % name)
        return []
    if not data.endswith(b"\r\n"):
        problems.append("%s: last line not ended by CR LF" % name)
    bad = sorted(set(data) & UNDEFINED_1252)
    if bad:
        problems.append("%s: bytes undefined in Windows-1252: %s" % (name, bad))
    lines = data.split(b"\r\n")
    if lines and lines[-1] == b"":
        lines.pop()
    for n, line in enumerate(lines, start=1):
        if b"\n" in line or b"\r" in line:
            problems.append("%s:%d: bare CR or LF" % (name, n))
    return lines


def check_text(path, problems):
    """Bible and commentary files: five tab-separated fields a line."""
    name = os.path.basename(path)
    lines = _lines(path, problems)
    expected = 1
    last_book = last_chapter = 0
    chapter_lines = 0
    chapters = 0
    for n, line in enumerate(lines, start=1):
        fields = line.split(b"\t")
        if len(fields) != 5:
            problems.append("%s:%d: %d fields, not 5" % (name, n, len(fields)))
            continue
        try:
            running, book, chapter, verse = (int(f) for f in fields[:4])
        except ValueError:
            problems.append("%s:%d: a number field is not a number" % (name, n))
            continue
        if running != expected:
            problems.append("%s:%d: running number %d, expected %d" % (name, n, running, expected))
        expected = running + 1
        if running > MAX_RUNNING:
            problems.append("%s:%d: running number above %d" % (name, n, MAX_RUNNING))
        if not 1 <= book <= 66:
            problems.append("%s:%d: book %d out of range" % (name, n, book))
        if book < last_book:
            problems.append("%s:%d: book %d after book %d" % (name, n, book, last_book))
        if not 1 <= chapter <= 255:
            problems.append("%s:%d: chapter %d out of range" % (name, n, chapter))
        if book == last_book and chapter < last_chapter:
            problems.append("%s:%d: chapter %d after chapter %d" % (name, n, chapter, last_chapter))
        if not 0 <= verse <= 255:
            problems.append("%s:%d: verse %d out of range" % (name, n, verse))
        if not fields[4].strip():
            problems.append("%s:%d: empty verse text" % (name, n))
        if (book, chapter) != (last_book, last_chapter):
            chapter_lines = 0
            chapters += 1
        chapter_lines += 1
        if chapter_lines == MAX_CHAPTER_LINES + 1:
            problems.append("%s:%d: more than %d lines in chapter %d:%d" % (name, n, MAX_CHAPTER_LINES, book,
                                                                            chapter))
        last_book, last_chapter = book, chapter
    return len(lines), chapters


def check_dictionary(path, problems):
    name = os.path.basename(path)
    lines = _lines(path, problems)
    numbers = set()
    refs = []
    for n, line in enumerate(lines, start=1):
        fields = line.split(b"\t", 2)
        if len(fields) != 3 or not fields[1]:
            problems.append("%s:%d: not number TAB headword TAB definition" % (name, n))
            continue
        if not fields[0].isdigit() or int(fields[0]) > MAX_RUNNING:
            problems.append("%s:%d: entry number %r" % (name, n, fields[0]))
            continue
        numbers.add(int(fields[0]))
        marks = fields[2].count(b"\xaf")
        found = XREF.findall(fields[2])
        if len(found) != marks:
            problems.append("%s:%d: cross-reference mark without a five-digit number" % (name, n))
        refs.extend((n, int(num)) for _, num in found)
    for n, num in refs:
        if num not in numbers:
            problems.append("%s:%d: cross-reference to missing entry %d" % (name, n, num))
    return len(lines), len(refs)


def check_names(path, problems):
    name = os.path.basename(path)
    lines = _lines(path, problems)
    for n, line in enumerate(lines, start=1):
        fields = line.split(b"\t", 2)
        if len(fields) != 3 or not fields[1] or not fields[2]:
            problems.append("%s:%d: not number TAB name TAB meaning" % (name, n))
    return len(lines)


def check_books(path, problems):
    name = os.path.basename(path)
    lines = _lines(path, problems)
    if len(lines) != 72:
        problems.append("%s: %d lines, not 72" % (name, len(lines)))
    for n, line in enumerate(lines, start=1):
        fields = line.split(b"\t", 2)
        if len(fields) != 3 or fields[0] != str(n).encode() or not fields[1] or not fields[2]:
            problems.append("%s:%d: not %d TAB reference name TAB caption" % (name, n, n))


def check_catalogue(path, problems):
    name = os.path.basename(path)
    lines = _lines(path, problems)
    records = []
    for n, line in enumerate(lines, start=1):
        m = re.fullmatch(rb'(-?\d+),(-?\d+),"([^"]*)","([^"]*)"', line)
        if not m:
            problems.append("%s:%d: not number,flag,\"description\",\"code\"" % (name, n))
            continue
        records.append((int(m.group(1)), int(m.group(2)), m.group(3).decode("cp1252"),
                        m.group(4).decode("cp1252")))
    return records


def check_library(program):
    """Checks everything under data/program; returns the list of problems."""
    problems = []
    sysdefs = os.path.join(program, "sysdefs")
    modules = os.path.join(program, "Modules")
    check_books(os.path.join(sysdefs, "Books.txt"), problems)
    check_books(os.path.join(sysdefs, "ref.txt"), problems)
    records = check_catalogue(os.path.join(sysdefs, "Translations.txt"), problems)
    folders = [(998, "Bible"), (1499, None), (1599, "Name"), (1699, "Dictionary"), (1799, "Commentary")]
    for number, flag, _, code in records:
        folder = next((f for limit, f in folders if number <= limit), None)
        if folder is None:
            continue
        path = os.path.join(modules, folder, code + ".txt")
        if not os.path.exists(path):
            problems.append("Translations.txt: %s has no file %s" % (code, path))
            continue
        if folder in ("Bible", "Commentary"):
            check_text(path, problems)
        elif folder == "Dictionary":
            check_dictionary(path, problems)
        else:
            check_names(path, problems)
    notes = os.path.join(modules, "TLNotes.txt")
    _lines(notes, problems)
    with open(notes, "rb") as f:
        headings = set(re.findall(rb"\$\$([^\r\n]*)", f.read()))
    for number, _, _, code in records:
        if number <= 998 and code.encode() not in headings:
            problems.append("TLNotes.txt: no article $$%s" % code)
    maps = [m for m in os.listdir(os.path.join(modules, "Maps")) if ".jpg" in m]
    if len(maps) < 2:
        problems.append("Maps: fewer than two .jpg maps")
    for m in maps:
        with open(os.path.join(modules, "Maps", m), "rb") as f:
            if f.read(3) != b"\xff\xd8\xff":
                problems.append("Maps/%s: not a JPEG picture" % m)
    return problems
