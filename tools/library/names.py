"""Derives a Bible-names module from the proper-name entries of the Hebrew
and Greek lexicons.

A Hebrew name entry reads "From H8438; worm; {Tola} the name of two
Israelites: - Tola." : the gloss between the derivation and the
transliterated name is the name's meaning, the words after " - " are the
names as the King James text spells them.  Entries without a gloss ("The same
as H8558; {Tamar} ...", "A variation of ...") take the meaning of the entry
they point at.  A Greek name "of Hebrew origin (H85)" takes the Hebrew
meaning.  What has no gloss at all is described by the lexicon's own note
(who or what the name stands for), and such lines are counted apart.

Line layout: running number TAB name TAB meaning.
"""

import collections
import re

import markup
from textenc import Encoder

_LINK_WORDS = re.compile(r"^(?:the same as|corresponding to|a variation (?:of|for)|another form (?:of|for)|"
                         r"a form of|for the same as|for|contracted for|an orthographical variation of|"
                         r"by contraction for|abbreviated (?:from|for))\s+H(\d+)", re.I)
_HEB_REF = re.compile(r'<ref target="StrongsHebrew:0*(\d+)">[^<]*</ref>')
_GRK_REF = re.compile(r'<ref target="StrongsGreek:0*(\d+)">([^<]*)</ref>')


class NamesResult:
    def __init__(self, code):
        self.code = code
        self.lines = []
        self.counts = collections.Counter()
        self.encoder = Encoder(code)


def _plain(fragment):
    text = markup.strip_tags(fragment)
    text = text.replace("{", "").replace("}", "")
    return markup.tidy(text)


class HebrewEntry:
    def __init__(self, number, definition):
        self.number = number
        self.gloss = ""
        self.link = None
        self.description = ""
        self.names = []
        self.is_name = False
        self._parse(definition)

    def _parse(self, d):
        d = _HEB_REF.sub(lambda m: "H%s" % m.group(1), d)
        marker = re.search(r'<hi rend="italic">\{([A-Z][^}<]*)\}</hi>', d)
        dash = d.find(" - ", marker.end() if marker else 0)
        if dash < 0:
            return
        if not marker:
            # A common word: its gloss serves names that link to it.
            self.gloss = _gloss_pieces(d[:dash].split("<lb/>"))
            return
        renderings = _plain(re.split(r"[.\[]", d[dash + 3:])[0])
        names = []
        for part in re.split(r"[,;]\s*|\s+(?=[A-Z])", renderings):
            part = re.sub(r"\(.*?\)", "", part).strip().strip(".")
            if re.fullmatch(r"[A-Z][a-z]+(?:-[a-zA-Z]+)*", part):
                names.append(part)
        if not names:
            return
        self.is_name = True
        self.names = names
        segments = d[:marker.start()].split("<lb/>")
        first = _plain(segments[0]).split(";")[0].strip()
        link = _LINK_WORDS.match(first)
        if link:
            self.link = int(link.group(1))
        if len(segments) > 1:
            # The last segment holds the name itself ("Jerushalaim or {Jerushalem}").
            self.gloss = _gloss_pieces(segments[:-1])
            name_part = segments[-1]
        else:
            name_part = segments[0][segments[0].rfind(";") + 1:] if ";" in segments[0] else ""
        self.description = _plain(name_part + d[marker.start():dash]).rstrip(":").strip()


_DERIVATION = re.compile(r"^(?:\(Chaldee\)|from|a dual|shown as|probably|perhaps|of foreign|of uncertain|"
                         r"patrial|intensive|plural|feminine|the same|compare|contracted|corresponding|"
                         r"another|a variation|a form|for |by |apparently|masculine|causative|"
                         r"prolonged|of egyptian|of persian|of hebrew|of (?:the )?same|a primitive|an orthographical)",
                         re.I)


def _gloss_pieces(segments):
    """The meaning: the parts of the lexicon text that are not the derivation."""
    pieces = []
    for segment in segments:
        for piece in _plain(segment).split(";"):
            piece = piece.strip(" :,.")
            if not piece or re.search(r"\bH\d+", piece) or _DERIVATION.match(piece):
                continue
            pieces.append(piece)
    return "; ".join(pieces)


class GreekEntry:
    def __init__(self, number, body):
        self.number = number
        self.names = []
        self.hebrew = None
        self.description = ""
        self.gloss = ""
        self._parse(body)

    def _parse(self, body):
        m = re.search(r"<def>(.*)</def>", body, re.S)
        if not m:
            return
        d = m.group(1)
        hebrew = re.search(r'of Hebrew origin[^<]*\(<ref target="StrongsGreek:[^"]*">H0*(\d+)</ref>', d)
        text = _plain(_GRK_REF.sub(lambda mm: mm.group(2), d))
        if ":--" not in text:
            return
        head, _, renderings = text.rpartition(":--")
        names = []
        for part in re.split(r",\s*", renderings.strip().rstrip(".")):
            part = re.sub(r"\(.*?\)", "", part).strip().strip(".")
            if not part:
                continue
            if not re.fullmatch(r"[A-Z][a-z]+(?:-[a-zA-Z]+)*", part):
                return  # a common word or a mixed entry: not a name
            names.append(part)
        if not names or names[0] in ("God", "Lord", "Amen", "Christ", "Alleluia", "Hosanna",
                                     "Sabaoth", "Raca", "Rabbi", "Abba", "Mammon"):
            return
        self.names = names
        if hebrew:
            self.hebrew = int(hebrew.group(1))
        description = head.split(";")[-1].strip()
        self.description = description
        paren = re.match(r"^[^;]*;\s*\(([^)]*)\)", head)
        if paren and "from" not in paren.group(1):
            self.gloss = paren.group(1)


def _hebrew_meaning(entries, number, depth=0):
    entry = entries.get(number)
    if entry is None or depth > 3:
        return ""
    if entry.gloss:
        return entry.gloss
    if entry.link is not None:
        return _hebrew_meaning(entries, entry.link, depth + 1)
    return ""


def _hebrew_gloss_any(raw_glosses, number):
    """The gloss of a Hebrew entry that is not itself a name (for Greek links)."""
    return raw_glosses.get(number, "")


def build_names(code, hebrew_entries, greek_entries):
    result = NamesResult(code)
    counts = result.counts
    hebrew = {}
    for key, body in hebrew_entries:
        if not key.strip().isdigit():
            continue
        m = re.search(r"<def>(.*)</def>", body, re.S)
        if not m:
            continue
        entry = HebrewEntry(int(key), m.group(1))
        hebrew[entry.number] = entry
    greek = []
    for key, body in greek_entries:
        if key.strip().isdigit():
            entry = GreekEntry(int(key), body)
            if entry.names:
                greek.append(entry)

    # name -> [(has meaning, meaning text)] in lexicon order, Hebrew first.
    collected = collections.OrderedDict()
    for number in sorted(hebrew):
        entry = hebrew[number]
        if not entry.is_name:
            continue
        counts["Hebrew name entries"] += 1
        meaning = _hebrew_meaning(hebrew, number)
        if meaning and not entry.gloss:
            counts["Hebrew meanings taken from a linked entry"] += 1
        text = _meaning_text(meaning, entry.description, "H%d" % number)
        for name in entry.names:
            collected.setdefault(name, []).append((bool(meaning), text))
    for entry in greek:
        counts["Greek name entries"] += 1
        meaning = entry.gloss
        if not meaning and entry.hebrew is not None:
            meaning = _hebrew_meaning(hebrew, entry.hebrew)
            if meaning:
                counts["Greek meanings taken from the Hebrew original"] += 1
        text = _meaning_text(meaning, entry.description, "G%d" % entry.number)
        for name in entry.names:
            collected.setdefault(name, []).append((bool(meaning), text))

    number = 0
    for name in sorted(collected, key=lambda n: (n.lower(), n)):
        options = collected[name]
        # The first entry that gives a meaning wins; the others add nothing the
        # reader needs in a one-line answer.
        with_meaning = [text for has, text in options if has]
        chosen = with_meaning[0] if with_meaning else options[0][1]
        if with_meaning:
            counts["names with a real meaning"] += 1
        else:
            counts["names with a description only"] += 1
        number += 1
        line = "%d\t%s\t%s" % (number, name, chosen)
        result.lines.append(result.encoder.encode(line.replace("|", "/")))
    counts["names written"] = number
    return result


def _meaning_text(meaning, description, strongs):
    parts = []
    if meaning:
        parts.append('"%s"' % meaning.strip(" ;,."))
    if description:
        parts.append(description[0].upper() + description[1:] if parts == [] else description)
    text = "; ".join(parts) if parts else "(no meaning recorded)"
    return "%s (Strong's %s)" % (text, strongs)
