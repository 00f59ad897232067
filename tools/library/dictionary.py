"""Converts the exported topical dictionary into dictionary lines.

Line layout: entry number TAB headword TAB definition.  "|" in a definition
is a line break; a cross-reference is the byte 175 followed by " n°" and the
five-digit number of the entry it points at, written right after the name of
that entry so that the reader sees "See PRIEST ¯ n°03938".
"""

import bisect
import collections
import re

import markup
from textenc import Encoder

MARK = "\u00af"            # 175 in Windows-1252
MARK_FILLER = " n\u00b0"   # the three characters between the mark and the number
LINE = "|"

_SEE_REF = re.compile(r'<ref target="[^":]*:([^"]*)">(.*?)</ref>', re.S)
_PLAIN_SEE = re.compile(r"\b(See(?: also)?:? )((?:[A-Z][A-Z'\-]+)(?:,? (?:[A-Z][A-Z'\-]*|OF|AND|THE|IN|TO))*)")
_BLOCK = re.compile(r"<lb/>|<list>|</list>|<item>")
_XREF = re.compile(r"\ue010([^\ue011]*)\ue011([^\ue012]*)\ue012")


class DictionaryResult:
    def __init__(self, code):
        self.code = code
        self.lines = []
        self.counts = collections.Counter()
        self.encoder = Encoder(code)
        self.unresolved = collections.Counter()


class Resolver:
    """Finds the entry a "See X" reference means."""

    def __init__(self, headwords):
        self.number = {}
        for n, word in enumerate(headwords, start=1):
            self.number.setdefault(word, n)
        self.sorted_words = sorted(self.number)

    def resolve(self, target, following=""):
        """Returns (entry number, how) or (None, None)."""
        target = target.strip().rstrip(",.;:").upper()
        if not target:
            return None, None
        if target in self.number:
            # "See JESUS, SECOND COMING OF": prefer the longer heading when it exists.
            longer = self._with_following(target, following)
            if longer:
                return self.number[longer], "exact"
            return self.number[target], "exact"
        longer = self._with_following(target, following)
        if longer:
            return self.number[longer], "exact with its qualifier"
        for variant in self._number_variants(target):
            if variant in self.number:
                return self.number[variant], "singular or plural"
        for candidate in (target + ",", target + " "):
            match = self._first_with_prefix(candidate)
            if match:
                return self.number[match], "prefix"
        for variant in self._number_variants(target):
            for candidate in (variant + ",", variant + " "):
                match = self._first_with_prefix(candidate)
                if match:
                    return self.number[match], "prefix of singular or plural"
        words = target.split(" ")
        if len(words) == 2 and "," not in target:
            inverted = "%s, %s" % (words[1], words[0])   # FALSE WITNESS -> WITNESS, FALSE
            if inverted in self.number:
                return self.number[inverted], "inverted heading"
        if ", " in target:
            # "GOD, PRESERVER" is a sub-topic inside the entry GOD.
            head, _ = self.resolve(target.split(", ")[0])
            if head is not None:
                return head, "main entry of a sub-topic"
        return None, None

    def _with_following(self, target, following):
        m = re.match(r",\s*([A-Z][A-Z ,'\-]*[A-Z])", following or "")
        if not m:
            return None
        words = m.group(1)
        # Try the longest qualifier first: "SECOND COMING OF", then shorter.
        parts = words.split(" ")
        for k in range(len(parts), 0, -1):
            candidate = "%s, %s" % (target, " ".join(parts[:k]).rstrip(","))
            if candidate in self.number:
                return candidate
        return None

    @staticmethod
    def _number_variants(word):
        out = []
        if word.endswith("IES"):
            out.append(word[:-3] + "Y")
        if word.endswith("ES"):
            out.append(word[:-2])
        if word.endswith("S"):
            out.append(word[:-1])
        else:
            out.append(word + "S")
            out.append(word + "ES")
        if word.endswith("Y"):
            out.append(word[:-1] + "IES")
        return out

    def _first_with_prefix(self, prefix):
        i = bisect.bisect_left(self.sorted_words, prefix)
        if i < len(self.sorted_words) and self.sorted_words[i].startswith(prefix):
            return self.sorted_words[i]
        return None


def _clean_source_text(text, counts):
    """Bytes with a meaning in the dictionary format must not come from the source."""
    for ch, repl, what in (("\t", " ", "tabs in the source replaced by blanks"),
                           ("|", "/", "'|' in the source replaced by '/'"),
                           (MARK, "-", "macrons in the source replaced by '-'")):
        if ch in text:
            counts[what] += text.count(ch)
            text = text.replace(ch, repl)
    return text


def convert_dictionary(code, entries):
    result = DictionaryResult(code)
    counts = result.counts
    headwords = [key.strip() for key, _ in entries]
    resolver = Resolver(headwords)

    for number, (key, raw) in enumerate(entries, start=1):
        body = raw
        m = re.search(r"<def>(.*)</def>", body, re.S)
        if m:
            body = m.group(1)
        # Tagged references keep their text and carry their target along.
        body = _SEE_REF.sub(lambda mm: "\ue010%s\ue011%s\ue012" % (mm.group(1), mm.group(2)), body)
        body = _BLOCK.sub("\ue013", body)
        body = markup.strip_tags(body)
        body = _clean_source_text(body, counts)
        body = _resolve_plain(body, resolver, result)
        body = _resolve_tagged(body, resolver, result)
        lines = [markup.tidy(part) for part in body.split("\ue013")]
        definition = LINE.join(part for part in lines if part)
        headword = _clean_source_text(key.strip(), counts)
        result.lines.append(b"%d\t" % number + result.encoder.encode(headword) + b"\t"
                            + result.encoder.encode(definition))
        counts["entries"] += 1
    return result


def _reference(number):
    return "%s%s%05d" % (MARK, MARK_FILLER, number)


def _resolve_tagged(body, resolver, result):
    def repl(m):
        target, shown = m.group(1), m.group(2)
        following = body[m.end():m.end() + 60]
        number, how = resolver.resolve(target, following)
        if number is None:
            number, how = resolver.resolve(shown, following)
        if number is None:
            result.counts["tagged references without a target (left as text)"] += 1
            result.unresolved[target] += 1
            return shown
        result.counts["tagged references resolved: " + how] += 1
        return "%s %s" % (shown, _reference(number))
    return _XREF.sub(repl, body)


def _resolve_plain(body, resolver, result):
    """Untagged "See X" references in the source text."""
    def repl(m):
        lead, target = m.group(1), m.group(2)
        following = body[m.end():m.end() + 60]
        number, how = resolver.resolve(target, following)
        if number is None:
            result.counts["untagged 'See' references without a target (left as text)"] += 1
            result.unresolved[target] += 1
            return m.group(0)
        result.counts["untagged 'See' references resolved: " + how] += 1
        return "%s%s %s" % (lead, target, _reference(number))
    return _PLAIN_SEE.sub(repl, body)
