"""Windows-1252 output with every deliberate character mapping counted.

Module files are single-byte Windows-1252.  Characters that the code page
holds (typographic quotes, dashes, accented Latin letters, the pilcrow) are
kept; everything else goes through MAPPINGS, or failing that through a
decomposition that drops accents.  Every replacement is counted per module
so the build report shows exactly what changed.
"""

import collections
import html
import unicodedata

# Deliberate replacements for characters outside Windows-1252.
MAPPINGS = {
    "\u2192": "-",      # right arrow that opens each topic line of the dictionary
    "\u2011": "-",      # non-breaking hyphen
    "\u2010": "-",      # hyphen
    "\u2012": "-",      # figure dash
    "\u2015": "\u2014",  # horizontal bar -> em dash
    "\u2032": "'",      # prime
    "\u2033": '"',      # double prime
    "\u02bc": "'",      # modifier apostrophe
    "\u02bb": "'",      # turned comma (ayin)
    "\u02be": "'",      # right half ring (aleph)
    "\u02bf": "'",      # left half ring (ayin)
    "\u02c8": "'",      # stress mark
    "\u00a0": " ",      # no-break space: a plain blank keeps searches simple
    "\u200b": "",       # zero-width space
    "\u200c": "",       # zero-width non-joiner
    "\u200d": "",       # zero-width joiner
    "\ufeff": "",       # byte-order mark
    "\u2002": " ",
    "\u2003": " ",
    "\u2009": " ",
    "\u202f": " ",
    "\u0301": "",       # stray combining acute
    "\u0300": "",
    "\u0304": "",
    "\u0306": "",
    "\u0323": "",
}


class Encoder:
    """Encodes text for one module and counts what it had to change."""

    def __init__(self, name):
        self.name = name
        self.mapped = collections.Counter()

    def encode(self, text):
        out = []
        for ch in text:
            try:
                out.append(ch.encode("cp1252"))
                continue
            except UnicodeEncodeError:
                pass
            repl = self._replacement(ch)
            self.mapped[(ch, repl)] += 1
            out.append(repl.encode("cp1252"))
        return b"".join(out)

    @staticmethod
    def _replacement(ch):
        if ch in MAPPINGS:
            return MAPPINGS[ch]
        decomposed = unicodedata.normalize("NFKD", ch)
        kept = "".join(c for c in decomposed if not unicodedata.combining(c))
        try:
            kept.encode("cp1252")
            if kept:
                return kept
        except UnicodeEncodeError:
            pass
        return "?"

    def report_lines(self):
        lines = []
        for (ch, repl), n in sorted(self.mapped.items(), key=lambda kv: (-kv[1], kv[0])):
            lines.append("  U+%04X %s -> %r: %d" % (ord(ch), unicodedata.name(ch, "?"), repl, n))
        return lines

    def unmapped_count(self):
        return sum(n for (ch, repl), n in self.mapped.items() if repl == "?")


def unescape(text):
    """XML character references and entities of the exported markup."""
    return html.unescape(text)


def crlf_lines(lines):
    """Joins encoded lines with CR LF, the last line ended too."""
    return b"".join(line + b"\r\n" for line in lines)
