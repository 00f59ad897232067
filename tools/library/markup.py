"""Turns the exported OSIS markup of one entry into plain text.

Tags are removed in two ways: inline tags (words, added words, the divine
name, quotations) vanish without trace, while anything that stood between
words (a footnote, a line or paragraph boundary) leaves a "soft blank" that
becomes a real blank only where it separates two words.  That keeps
"Christ,<note>..</note>the son" from gluing into "Christ,the" without putting a
blank before punctuation.
"""

import re

from textenc import unescape

SOFT = "\ue000"      # a possible word boundary left by removed markup
ADD_OPEN = "\ue001"  # start of an added (italic) word group
ADD_CLOSE = "\ue002"

# Elements dropped with everything inside them.
_DROP_ELEMENTS = ["note", "title", "speaker"]

_BLOCK_TAG = re.compile(r"<(?:/)?(?:l|lg|lb|div|p|chapter|milestone|list|item|table|row|cell|br)\b[^>]*>")
_ANY_TAG = re.compile(r"<[^>]*>")
_CLOSING_PUNCT = set(",.;:!?)]}\u2019\u201d\u00bb'\"")


def drop_element(text, name, counter=None, key=None):
    """Removes every <name ...>...</name> (non-nested) and counts them."""
    pattern = re.compile(r"<%s\b[^>]*?(?<!/)>.*?</%s>" % (name, name), re.S)

    def repl(m):
        if counter is not None:
            counter[key or name] += 1
        return SOFT
    return pattern.sub(repl, text)


def divine_name_upper(text):
    """Upper-cases the divine name, as the printed text sets it in capitals.

    One source writes a broken opening marker "\\nd " instead of the tag; it is
    read as the tag it stands for.
    """
    text = text.replace("\\nd ", "<divineName>")
    return re.sub(r"<divineName>(.*?)</divineName>",
                  lambda m: _upper_outside_tags(m.group(1)), text, flags=re.S)


def _upper_outside_tags(fragment):
    parts = re.split(r"(<[^>]*>)", fragment)
    return "".join(p if p.startswith("<") else p.upper() for p in parts)


def strip_tags(text, keep_added=False):
    """Removes the remaining tags; block tags leave a soft blank."""
    if keep_added:
        text = re.sub(r'<transChange\b[^>]*>', ADD_OPEN, text)
        text = text.replace("</transChange>", ADD_CLOSE)
    text = _BLOCK_TAG.sub(SOFT, text)
    text = _ANY_TAG.sub("", text)
    return unescape(text)


def resolve_soft_blanks(text):
    """A soft blank becomes a blank between two words, nothing elsewhere."""
    out = []
    n = len(text)
    for i, ch in enumerate(text):
        if ch != SOFT:
            out.append(ch)
            continue
        prev = out[-1] if out else ""
        j = i + 1
        while j < n and text[j] == SOFT:
            j += 1
        nxt = text[j] if j < n else ""
        if prev and not prev.isspace() and nxt and not nxt.isspace() and nxt not in _CLOSING_PUNCT:
            out.append(" ")
    return "".join(out)


def tidy(text):
    """Collapses white space (and leftover soft blanks) and trims."""
    return re.sub(r"\s+", " ", resolve_soft_blanks(text)).strip()
