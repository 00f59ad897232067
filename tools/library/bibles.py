"""Converts an exported Bible into the five-field verse-line text."""

import collections
import re

import markup
from books import BOOK_NUMBER
from swordexport import split_verse_key
from textenc import Encoder

# Spanish object pronouns that the source attaches to a verb as italic
# (added) text: "sáca<added>lo</added>" is the word "sácalo".
ENCLITICS = {"lo", "la", "le", "los", "las", "les", "me", "te", "se", "nos", "os",
             "selo", "sela", "selos", "selas", "melo", "mela", "telo", "tela", "noslo", "oslo"}
# Words after which such a pronoun stands on its own ("y la declaró").
NOT_VERBS = {"y", "e", "o", "u", "que", "como", "no", "ni", "si", "lo", "la", "le", "los",
             "las", "les", "se", "me", "te", "nos", "os", "dios", "ellos", "ellas", "gentes",
             "cuánto", "cuándo", "jehová", "josué", "quién", "él", "mas", "pues", "ya", "aun",
             "aún", "también", "donde", "cuando", "porque", "cual", "quien", "más", "así"}
_ACCENTED = set("áéíóúÁÉÍÓÚ")
_VERB_ENDINGS = ("ar", "er", "ir", "ír", "ndo", "ad", "ed", "id")
_SHORT_VERBS = {"di", "dí", "haz", "da", "he", "fué", "fue", "ve", "pon", "sal", "ten", "ven", "oid", "dad"}


class BibleOptions:
    def __init__(self, psalm_titles_verse0=True, pilcrows="keep", spanish_enclitics=False):
        self.psalm_titles_verse0 = psalm_titles_verse0
        self.pilcrows = pilcrows
        self.spanish_enclitics = spanish_enclitics


class BibleResult:
    def __init__(self, code):
        self.code = code
        self.lines = []          # encoded lines, without line ends
        self.counts = collections.Counter()
        self.encoder = Encoder(code)
        self.chapters = set()
        self.max_chapter_lines = 0
        self.empty = []          # references left out because the source has no text


def _is_spanish_verb(word):
    w = word.lower()
    if not w or w in NOT_VERBS:
        return False
    if w in _SHORT_VERBS:
        return True
    if w.endswith(_VERB_ENDINGS):
        return True
    # A written accent before the last letter marks a verb with a pronoun
    # already attached or a stressed verb form (sáca, díjo, púso, aláben).
    return any(c in _ACCENTED for c in w[:-1]) or (w[-1] in _ACCENTED and len(w) > 2)


def resolve_added_words(text, counts, spanish):
    """Italic (added) words become plain words with blanks around them.

    The source sometimes glues them to their neighbours; a blank is inserted
    there, except for a Spanish enclitic pronoun that belongs to the verb in
    front of it.
    """
    out = []
    i = 0
    n = len(text)
    while i < n:
        ch = text[i]
        if ch == markup.ADD_OPEN:
            close = text.find(markup.ADD_CLOSE, i)
            inner = text[i + 1:close] if close >= 0 else text[i + 1:]
            prev = out[-1] if out else ""
            if prev and prev.isalpha():
                word = re.search(r"(\w+)$", "".join(out[-40:]))
                prev_word = word.group(1) if word else ""
                if spanish and inner.strip().lower() in ENCLITICS and _is_spanish_verb(prev_word):
                    counts["enclitic pronouns joined to their verb"] += 1
                else:
                    out.append(" ")
                    counts["blanks inserted before glued italic words"] += 1
            out.append(inner)
            i = close if close >= 0 else n
            if i < n:
                nxt = text[i + 1] if i + 1 < n else ""
                if nxt and (nxt.isalpha() or nxt in "¿¡(\u201c\u2018"):
                    out.append(" ")
                    counts["blanks inserted after glued italic words"] += 1
            i += 1
            continue
        if ch != markup.ADD_CLOSE:
            out.append(ch)
        i += 1
    return "".join(out)


def _is_acrostic_heading(title_markup):
    plain = markup.tidy(markup.strip_tags(title_markup))
    return re.fullmatch(r"[A-Z]{2,}\.?(?: [^\x00-\x7f]+)?", plain) is not None


def convert_verse(raw, options, counts, verse=1):
    """Returns (psalm title or None, verse text) for one verse entry."""
    text = raw
    # Whatever follows the end of the chapter is not verse text: the
    # end-of-epistle subscriptions, and in one module its glossary.
    end = re.search(r'<chapter\b[^>]*\beID=', text)
    if end:
        tail = text[end.start():]
        if re.search(r'type="glossary"', tail):
            counts["glossary appended to the last verse (dropped)"] += 1
        elif markup.tidy(markup.strip_tags(tail)):
            counts["end-of-book subscriptions dropped"] += 1
        text = text[:end.start()]
    text = markup.divine_name_upper(text)
    text = markup.drop_element(text, "note", counts, "footnotes and cross-reference notes dropped")
    title = None
    m = re.search(r'<title\b[^>]*type="psalm"[^>]*>(.*?)</title>', text, re.S)
    if m and _is_acrostic_heading(m.group(1)):
        m = None  # Psalm 119's letter headings are dropped like other headings
    if m and options.psalm_titles_verse0 and verse == 1:
        title = markup.tidy(markup.resolve_soft_blanks(markup.strip_tags(m.group(1))))
        text = text[:m.start()] + markup.SOFT + text[m.end():]
    text = markup.drop_element(text, "title", counts, "headings dropped")
    text = markup.drop_element(text, "speaker", counts, "speaker headings dropped")
    text = markup.strip_tags(text, keep_added=True)
    text = resolve_added_words(text, counts, options.spanish_enclitics)
    text = markup.resolve_soft_blanks(text)
    text = markup.tidy(text)
    if "\u00b6" in text:
        counts["pilcrows (kept as printed)"] += text.count("\u00b6")
        if options.pilcrows == "drop":
            text = markup.tidy(text.replace("\u00b6", ""))
    return title, text


def convert_bible(code, entries, options):
    """Converts the exported entries of one Bible; books outside the 66 are left out."""
    result = BibleResult(code)
    counts = result.counts
    number = 0
    chapter_lines = collections.Counter()
    for key, raw in entries:
        parts = split_verse_key(key)
        if parts is None:
            continue
        book_name, chapter, verse = parts
        book = BOOK_NUMBER.get(book_name)
        if book is None:
            if verse > 0:
                counts["verses of books outside the 66 left out"] += 1
            continue
        if chapter == 0 or verse == 0:
            continue  # book and chapter headings: titles only
        title, text = convert_verse(raw, options, counts, verse)
        if title:
            number += 1
            result.lines.append(_line(result.encoder, number, book, chapter, 0, title))
            counts["psalm titles written as verse 0"] += 1
            chapter_lines[(book, chapter)] += 1
        if not text:
            counts["verses empty in the source, left out"] += 1
            result.empty.append(key)
            continue
        number += 1
        result.lines.append(_line(result.encoder, number, book, chapter, verse, text))
        counts["verses written"] += 1
        chapter_lines[(book, chapter)] += 1
    result.chapters = set(chapter_lines)
    result.max_chapter_lines = max(chapter_lines.values()) if chapter_lines else 0
    return result


def _line(encoder, number, book, chapter, verse, text):
    return b"%d\t%d\t%d\t%d\t" % (number, book, chapter, verse) + encoder.encode(text)
