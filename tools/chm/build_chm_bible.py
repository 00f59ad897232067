#!/usr/bin/env python3
"""Builds a help-file Bible (a compiled HTML help file) from one of the shipped translations.

    python3 tools/chm/build_chm_bible.py [--code b_web] [--program data/program] [--out FILE]

The translation's code names its text (Modules/Bible/<code>.txt) and its description in
sysdefs/Translations.txt; the book names come from sysdefs/Books.txt. The file is written as
Modules/CHM/cn_<code without its first letter>.chm (b_web gives cn_web.chm), where Tolvane's
help-file Bible selector looks for it.

What the file holds: a start page listing the books, one page per book ("book01.htm" ...
"book66.htm") with an anchor per chapter ("#c1", "#c2", ...) and links between the books, and a
table of contents with every book and, under it, every chapter. Pages stay in Windows-1252,
the encoding of the module text, and say so in their header.

Needs Debian's chmcmd (package fp-utils) and Python's standard library. Tolvane's build does
not need this tool: the file it writes is committed.
"""

import argparse
import csv
import html
import os
import shutil
import subprocess
import sys
import tempfile

ENCODING = "cp1252"


def read_lines(path):
    with open(path, "rb") as f:
        for raw in f.read().split(b"\n"):
            line = raw.rstrip(b"\r")
            if line:
                yield line.decode(ENCODING)


def translation_description(program, code):
    path = os.path.join(program, "sysdefs", "Translations.txt")
    with open(path, encoding=ENCODING, newline="") as f:
        for row in csv.reader(f):
            if len(row) >= 4 and row[3].strip().lower() == code.lower():
                return row[2]
    sys.exit(f"{code} is not in {path}")


def book_names(program):
    names = {}
    for line in read_lines(os.path.join(program, "sysdefs", "Books.txt")):
        fields = line.split("\t")
        if len(fields) >= 2 and fields[0].isdigit() and 1 <= int(fields[0]) <= 66:
            names[int(fields[0])] = fields[1]
    return names


def read_bible(path):
    """{book: {chapter: [(verse, text)]}} from the tab-separated verse lines."""
    books = {}
    for line in read_lines(path):
        fields = line.split("\t", 4)
        if len(fields) < 5:
            continue
        book, chapter, verse = int(fields[1]), int(fields[2]), int(fields[3])
        books.setdefault(book, {}).setdefault(chapter, []).append((verse, fields[4]))
    return books


def page_name(book):
    return f"book{book:02d}.htm"


def head(title):
    return ("<html><head>\n"
            '<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">\n'
            f"<title>{html.escape(title)}</title>\n</head>\n<body>\n")


def book_page(description, book, name, chapters, names):
    out = [head(f"{name} - {description}"), f"<h1>{html.escape(name)}</h1>\n"]
    links = " ".join(f'<a href="#c{c}">{c}</a>' for c in sorted(chapters))
    out.append(f'<p><a href="index.htm">Contents</a> &middot; Chapters: {links}</p>\n')
    for chapter in sorted(chapters):
        out.append(f'<h2><a name="c{chapter}"></a>{html.escape(name)} {chapter}</h2>\n')
        for verse, text in chapters[chapter]:
            text = html.escape(text, quote=False)
            if verse == 0:
                out.append(f"<p><i>{text}</i></p>\n")
            else:
                out.append(f"<p><b>{verse}</b> {text}</p>\n")
    nav = []
    if book - 1 in names:
        nav.append(f'<a href="{page_name(book - 1)}">&lt; {html.escape(names[book - 1])}</a>')
    nav.append('<a href="index.htm">Contents</a>')
    if book + 1 in names:
        nav.append(f'<a href="{page_name(book + 1)}">{html.escape(names[book + 1])} &gt;</a>')
    out.append("<hr>\n<p>" + " &middot; ".join(nav) + "</p>\n</body></html>\n")
    return "".join(out)


def index_page(description, names, books):
    out = [head(description), f"<h1>{html.escape(description)}</h1>\n"]
    for testament, first, last in (("Old Testament", 1, 39), ("New Testament", 40, 66)):
        out.append(f"<h2>{testament}</h2>\n<p>\n")
        out.extend(f'<a href="{page_name(b)}">{html.escape(names[b])}</a><br>\n'
                   for b in range(first, last + 1) if b in books)
        out.append("</p>\n")
    out.append("</body></html>\n")
    return "".join(out)


def sitemap_entry(name, local):
    return ('<LI><OBJECT type="text/sitemap">'
            f'<param name="Name" value="{html.escape(name)}">'
            f'<param name="Local" value="{local}"></OBJECT>\n')


def contents_file(description, names, books):
    out = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML><HEAD>\n'
           '<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">\n'
           "</HEAD><BODY>\n<UL>\n", sitemap_entry(description, "index.htm")]
    for book in sorted(books):
        out.append(sitemap_entry(names[book], page_name(book)))
        out.append("<UL>\n")
        out.extend(sitemap_entry(f"{names[book]} {c}", f"{page_name(book)}#c{c}")
                   for c in sorted(books[book]))
        out.append("</UL>\n")
    out.append("</UL>\n</BODY></HTML>\n")
    return "".join(out)


def project_file(chm_name, description, pages):
    return ("[OPTIONS]\n"
            "Compatibility=1.1 or later\n"
            f"Compiled file={chm_name}\n"
            "Contents file=contents.hhc\n"
            "Default topic=index.htm\n"
            "Display compile progress=No\n"
            "Language=0x409 English (United States)\n"
            f"Title={description}\n"
            "\n[FILES]\n" + "".join(p + "\n" for p in pages))


def write(folder, name, text):
    with open(os.path.join(folder, name), "w", encoding=ENCODING, newline="\r\n") as f:
        f.write(text)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--code", default="b_web")
    parser.add_argument("--program", default=os.path.join(here, "..", "..", "data", "program"))
    parser.add_argument("--out")
    args = parser.parse_args()
    if not shutil.which("chmcmd"):
        sys.exit("chmcmd is missing: apt-get install fp-utils")

    program = os.path.abspath(args.program)
    chm_name = "cn" + args.code[1:] + ".chm"
    out = args.out or os.path.join(program, "Modules", "CHM", chm_name)
    description = translation_description(program, args.code)
    names = book_names(program)
    books = read_bible(os.path.join(program, "Modules", "Bible", args.code + ".txt"))

    with tempfile.TemporaryDirectory() as work:
        pages = ["index.htm"]
        write(work, "index.htm", index_page(description, names, books))
        for book in sorted(books):
            write(work, page_name(book),
                  book_page(description, book, names[book], books[book], names))
            pages.append(page_name(book))
        write(work, "contents.hhc", contents_file(description, names, books))
        write(work, "bible.hhp", project_file(chm_name, description, pages))
        subprocess.run(["chmcmd", "--no-html-scan", "--verbosity", "0", "bible.hhp"],
                       cwd=work, check=True, stdout=subprocess.DEVNULL)
        os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
        shutil.copyfile(os.path.join(work, chm_name), out)
    print(f"{out}: {os.path.getsize(out)} bytes, {len(books)} books")


if __name__ == "__main__":
    main()
