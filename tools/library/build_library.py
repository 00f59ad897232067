#!/usr/bin/env python3
"""Rebuilds Tolvane's default module library from Debian's packages.

    python3 tools/library/build_library.py [--out data/program] [--report FILE]

Every file is rebuilt from scratch; two runs give identical bytes.  After
building, the library is checked against the module formats and the tool
fails when any problem is found.  See README.md beside this file.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bibles  # noqa: E402
import books  # noqa: E402
import check  # noqa: E402
import commentary  # noqa: E402
import dictionary  # noqa: E402
import maps  # noqa: E402
import names  # noqa: E402
import notes  # noqa: E402
import swordexport  # noqa: E402
from textenc import Encoder, crlf_lines  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# number, flag, description, code, source module, kind
CATALOGUE = [
    (1, 1, "King James Version (1769)", "b_kjv"),
    (2, 1, "World English Bible (2015)", "b_web"),
    (3, 1, "Reina-Valera 1909 (Spanish)", "b_sparv"),
    (1500, 1, "Bible Names (Strong's)", "bnames"),
    (1600, 1, "Nave's Topical Bible", "naves"),
    (1700, 1, "Matthew Henry's Concise Commentary", "mhcc"),
]

BIBLES = [
    ("b_kjv", "engKJV2006eb", bibles.BibleOptions(), notes.kjv_article),
    ("b_web", "engWEB2015eb", bibles.BibleOptions(), notes.web_article),
    ("b_sparv", "spaRV1909eb", bibles.BibleOptions(spanish_enclitics=True), notes.sparv_article),
]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return len(data)


def describe(report, title, path, result, lines, chapters=None):
    size = os.path.getsize(path)
    report.append("%s  %s" % (title, os.path.relpath(path, REPO)))
    report.append("  size %s bytes, %s lines%s" % ("{:,}".format(size), "{:,}".format(lines),
                                                  "" if chapters is None else ", %d chapters" % chapters))
    for key, value in sorted(result.counts.items()):
        report.append("  %s: %s" % (key, "{:,}".format(value)))
    if getattr(result, "empty", None):
        report.append("  left out (no text in the source): %s" % ", ".join(result.empty))
    mapped = result.encoder.report_lines()
    if mapped:
        report.append("  characters mapped into Windows-1252:")
        report.extend(mapped)
    else:
        report.append("  characters mapped into Windows-1252: none")
    report.append("")


def build(out):
    modules = os.path.join(out, "Modules")
    sysdefs = os.path.join(out, "sysdefs")
    report = []
    articles = []
    with swordexport.PrivateSwordPath() as sword:
        for code, module, options, article in BIBLES:
            result = bibles.convert_bible(code, sword.export(module), options)
            path = os.path.join(modules, "Bible", code + ".txt")
            write(path, crlf_lines(result.lines))
            describe(report, "Bible %s (%s)" % (code, module), path, result, len(result.lines),
                     len(result.chapters))
            articles.append((code, (article, result)))

        result = commentary.convert_commentary("mhcc", sword.export("MHCC"))
        path = os.path.join(modules, "Commentary", "mhcc.txt")
        write(path, crlf_lines(result.lines))
        describe(report, "Commentary mhcc (MHCC)", path, result, len(result.lines), len(result.chapters))
        articles.append(("mhcc", (notes.mhcc_article, result)))

        result = dictionary.convert_dictionary("naves", sword.export("Nave"))
        path = os.path.join(modules, "Dictionary", "naves.txt")
        write(path, crlf_lines(result.lines))
        describe(report, "Dictionary naves (Nave)", path, result, len(result.lines))
        if result.unresolved:
            report.append("  references without a target: " +
                          "; ".join(sorted(result.unresolved)))
            report.append("")
        articles.append(("naves", (notes.naves_article, result)))

        result = names.build_names("bnames", sword.export("StrongsHebrew"), sword.export("StrongsGreek"))
        path = os.path.join(modules, "Name", "bnames.txt")
        write(path, crlf_lines(result.lines))
        describe(report, "Names bnames (StrongsHebrew, StrongsGreek)", path, result, len(result.lines))
        articles.append(("bnames", (notes.names_article, result)))

    encoder = Encoder("TLNotes")
    path = os.path.join(modules, "TLNotes.txt")
    write(path, crlf_lines([encoder.encode(l) for l in notes.notes_lines(articles)]))
    report.append("Notes %s: %s bytes" % (os.path.relpath(path, REPO), "{:,}".format(os.path.getsize(path))))

    maps_folder = os.path.join(modules, "Maps")
    os.makedirs(maps_folder, exist_ok=True)
    for old in os.listdir(maps_folder):
        if old.lower().endswith(".jpg"):
            os.remove(os.path.join(maps_folder, old))
    for name in maps.draw_maps(maps_folder):
        report.append("Map Maps/%s: %s bytes" % (name, "{:,}".format(os.path.getsize(os.path.join(maps_folder,
                                                                                                    name)))))

    catalogue = [('%d,%d,"%s","%s"' % record).encode("cp1252") for record in CATALOGUE]
    write(os.path.join(sysdefs, "Translations.txt"), crlf_lines(catalogue))
    book_lines = [line.encode("cp1252") for line in books.catalogue_lines()]
    write(os.path.join(sysdefs, "Books.txt"), crlf_lines(book_lines))
    write(os.path.join(sysdefs, "ref.txt"), crlf_lines(book_lines))
    report.append("Catalogues sysdefs/Translations.txt (%d records), Books.txt and ref.txt (72 lines)"
                  % len(CATALOGUE))
    return report


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=os.path.join(REPO, "data", "program"),
                        help="program folder to write into (default: data/program of this repository)")
    parser.add_argument("--report", help="also write the build report to this file")
    parser.add_argument("--check-only", action="store_true", help="only check an existing library")
    args = parser.parse_args()
    report = []
    if not args.check_only:
        try:
            report = build(args.out)
        except (swordexport.ExportError, maps.MapError) as e:
            print("build_library: %s" % e, file=sys.stderr)
            return 2
    problems = check.check_library(args.out)
    report.append("")
    report.append("Check: %d problems" % len(problems))
    report.extend("  " + p for p in problems[:200])
    text = "\n".join(report) + "\n"
    sys.stdout.write(text)
    if args.report:
        with open(args.report, "w", encoding="utf-8") as f:
            f.write(text)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
