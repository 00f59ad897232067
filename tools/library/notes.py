"""The translation notes file: one article per shipped module, "$$" + its code."""


def _n(counts, key):
    return "{:,}".format(counts.get(key, 0))


def kjv_article(r):
    c = r.counts
    return ["King James Version (Authorized Version), in the Oxford edition of 1769.",
            "",
            "The translation made for the Church of England by some fifty scholars and first printed in "
            "1611; the wording used here is the 1769 revision by Benjamin Blayney that most printings still "
            "follow. The text is in the public domain (in the United Kingdom the Crown's printing patent "
            "still applies to printing there).",
            "",
            "What the conversion changed: the text comes from the electronic edition of 2006 packaged by "
            "Debian. Strong's numbers, %s footnotes and the chapter and section headings were removed; the "
            "words printed in italics (supplied by the translators) are kept as plain words; the divine name "
            "is in capitals (LORD, GOD) as printed. The %s paragraph marks are kept in front of the verses "
            "where the 1769 edition prints them (character 182 in this file). The %s Psalm titles are kept on "
            "a line of their own, as verse 0 of their psalm. The %s notes at the end of the epistles that say "
            "where each was written were left out: they are not part of the text." %
            (_n(c, "footnotes and cross-reference notes dropped"), _n(c, "pilcrows (kept as printed)"),
             _n(c, "psalm titles written as verse 0"), _n(c, "end-of-book subscriptions dropped")),
            "",
            "%s verses in %s chapters." % ("{:,}".format(c.get("verses written", 0)), len(r.chapters))]


def web_article(r):
    c = r.counts
    return ["World English Bible (edition of 2015).",
            "",
            "A modern English revision of the American Standard Version of 1901, made by volunteers from "
            "1994 on and dedicated to the public domain by its editors. It writes the divine name as "
            "Yahweh.",
            "",
            "What the conversion changed: the 66 books of the Protestant canon are included; the "
            "deuterocanonical books of the edition (%s verses) are left out, and so is the glossary the "
            "edition appends after Revelation. Strong's numbers, %s footnotes and cross-reference notes, the "
            "section headings and the speaker headings of the Song of Solomon were removed; where a footnote "
            "stood between two words a blank was kept. Psalm titles are on verse 0 of their psalm. The "
            "edition numbers its verses like the King James Version but has no text for %s of them (for "
            "example Luke 17:36, Acts 8:37, 15:34 and 24:7, which it gives only in footnotes): those verses "
            "are absent here too." %
            (_n(c, "verses of books outside the 66 left out"),
             _n(c, "footnotes and cross-reference notes dropped"),
             _n(c, "verses empty in the source, left out")),
            "",
            "%s verses in %s chapters." % ("{:,}".format(c.get("verses written", 0)), len(r.chapters))]


def sparv_article(r):
    c = r.counts
    return ["Reina-Valera 1909 (Spanish).",
            "",
            "The Spanish Bible translated by Casiodoro de Reina (1569) and revised by Cipriano de Valera "
            "(1602); this is the revision published in 1909, long in the public domain.",
            "",
            "What the conversion changed: Strong's numbers were removed. The electronic edition follows the "
            "verse numbering of the King James Version, so in a few places a Spanish verse is attached to "
            "the verse before it; the text is kept as the edition has it, and the %s verses it leaves empty "
            "are absent. Words printed in italics were glued to their neighbours in the edition; a blank was "
            "put back in %s places, and %s object pronouns (as in \"sácalo\", \"díjole\") were joined to "
            "their verb as Spanish writes them. Accented letters, ¿ and ¡ are kept." %
            (_n(c, "verses empty in the source, left out"),
             "{:,}".format(c.get("blanks inserted before glued italic words", 0)
                           + c.get("blanks inserted after glued italic words", 0)),
             _n(c, "enclitic pronouns joined to their verb")),
            "",
            "%s verses in %s chapters." % ("{:,}".format(c.get("verses written", 0)), len(r.chapters))]


def mhcc_article(r):
    c = r.counts
    return ["Matthew Henry's Concise Commentary on the Whole Bible.",
            "",
            "An abridgement of Matthew Henry's Exposition of the Old and New Testaments (1706-1721), "
            "public domain.",
            "",
            "What the conversion changed: each section of the commentary covers a range of verses and is "
            "stored at the first verse of its range (%s sections). The introductions of the books and "
            "chapters, with the outline of each chapter, are stored as verse 0 of the chapter. Paragraphs "
            "are separated by line breaks." % _n(c, "sections"),
            ]


def naves_article(r):
    c = r.counts
    resolved = sum(v for k, v in c.items() if "resolved" in k)
    unresolved = sum(v for k, v in c.items() if "without a target" in k)
    return ["Nave's Topical Bible, by Orville J. Nave (1896), public domain.",
            "",
            "What the conversion changed: %s topics; each sub-topic is on a line of its own. Of the "
            "\"See ...\" references, %s now lead to the topic they name (shown in the See Also list); %s "
            "name no topic of the book and stay plain text." % (_n(c, "entries"), "{:,}".format(resolved),
                                                               "{:,}".format(unresolved)),
            ]


def names_article(r):
    c = r.counts
    return ["Bible names and their meanings.",
            "",
            "Made for this library from the proper names in James Strong's Hebrew and Greek dictionaries "
            "(1890, public domain). Each line gives the name as the King James Version spells it, the "
            "meaning Strong gives for the Hebrew or Greek word (in quotation marks), who or what the name "
            "stands for, and Strong's number.",
            "",
            "%s names; %s have a meaning, the other %s only a description because Strong records no "
            "meaning for them." % (_n(c, "names written"), _n(c, "names with a real meaning"),
                                    _n(c, "names with a description only")),
            ]


def notes_lines(results):
    """results: code -> (article function, result)."""
    lines = []
    for code, (article, result) in results:
        lines.append("$$" + code)
        lines.extend(article(result))
        lines.append("")
    return lines
