"""Converts the exported commentary into verse lines.

Each section of the source covers a verse range and is stored at the range's
first verse; it becomes one line at that verse.  Book and chapter
introductions (and the chapter outlines) go on the chapter's verse-0 line.
Paragraph breaks become the byte 227 followed by one blank, which the
commentary window shows as a line break.  A literal "ã", "[" or "]" in the
source would be misread by the window, so they are replaced and counted.
"""

import collections
import re

import markup
from books import BOOK_NUMBER
from swordexport import split_verse_key
from textenc import Encoder

PARA = "\ue003"
BREAK = "\u00e3 "   # 227 and the character the window overwrites with it

_PARA_TAGS = re.compile(
    r"<(?:div|lb|row|p|table|list|item|chapter)\b[^>]*>|</(?:row|table|title|hi|item|list)>|<title\b[^>]*>")
_BOLD_OPEN = re.compile(r'<hi type="bold">')
_PREVERSE_END = re.compile(r'<div type="x-milestone" subType="x-preverse" eID="[^"]*"/>')


class CommentaryResult:
    def __init__(self, code):
        self.code = code
        self.lines = []
        self.counts = collections.Counter()
        self.encoder = Encoder(code)
        self.chapters = set()
        self.max_chapter_lines = 0


def render(raw, counts):
    """Plain text of a stretch of markup with paragraph breaks as BREAK."""
    text = _BOLD_OPEN.sub(PARA, raw)
    text = _PARA_TAGS.sub(PARA, text)
    text = markup.strip_tags(text)
    for ch, repl, what in (("\u00e3", "a", "literal '\u00e3' replaced by 'a'"),
                           ("[", "(", "literal '[' replaced by '('"),
                           ("]", ")", "literal ']' replaced by ')'")):
        if ch in text:
            counts[what] += text.count(ch)
            text = text.replace(ch, repl)
    paragraphs = [markup.tidy(p) for p in text.split(PARA)]
    paragraphs = [p for p in paragraphs if p]
    counts["paragraph breaks written"] += max(0, len(paragraphs) - 1)
    return BREAK.join(paragraphs)


def convert_commentary(code, entries):
    result = CommentaryResult(code)
    counts = result.counts
    # (book, chapter) -> {"intro": [texts], "sections": [(verse, text)]}
    chapters = collections.OrderedDict()

    def chapter_slot(book, chapter):
        return chapters.setdefault((book, chapter), {"intro": [], "sections": []})

    for key, raw in entries:
        parts = split_verse_key(key)
        if parts is None:
            continue
        book_name, chapter, verse = parts
        book = BOOK_NUMBER.get(book_name)
        if book is None:
            counts["entries outside the 66 books left out"] += 1
            continue
        if chapter == 0:
            intro = render(raw, counts)
            if intro:
                chapter_slot(book, 1)["intro"].append(intro)
                counts["book introductions"] += 1
            continue
        slot = chapter_slot(book, chapter)
        if verse == 0:
            intro = render(raw, counts)
            if intro:
                slot["intro"].append(intro)
                counts["chapter introductions"] += 1
            continue
        end = _PREVERSE_END.search(raw)
        body = raw
        if end:
            intro = render(raw[:end.start()], counts)
            if intro:
                slot["intro"].append(intro)
                counts["introductions and outlines moved to verse 0"] += 1
            body = raw[end.end():]
        text = render(body, counts)
        if text:
            slot["sections"].append((verse, text))
            counts["sections"] += 1
        else:
            counts["empty entries left out"] += 1

    number = 0
    per_chapter = collections.Counter()
    for (book, chapter), slot in chapters.items():
        lines = []
        if slot["intro"]:
            lines.append((0, BREAK.join(slot["intro"])))
        lines.extend(slot["sections"])
        for verse, text in lines:
            number += 1
            result.lines.append(b"%d\t%d\t%d\t%d\t" % (number, book, chapter, verse)
                                + result.encoder.encode(text))
            per_chapter[(book, chapter)] += 1
    result.chapters = set(per_chapter)
    result.max_chapter_lines = max(per_chapter.values()) if per_chapter else 0
    counts["lines written"] = number
    return result
