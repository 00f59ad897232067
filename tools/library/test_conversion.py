"""Unit tests of the markup conversion: python3 -m unittest discover tools/library"""

import collections
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bibles  # noqa: E402
import commentary  # noqa: E402
import dictionary  # noqa: E402
import names  # noqa: E402
from textenc import Encoder  # noqa: E402


def verse(raw, **options):
    counts = collections.Counter()
    title, text = bibles.convert_verse(raw, bibles.BibleOptions(**options), counts)
    return title, text, counts


class BibleMarkup(unittest.TestCase):
    def test_note_between_words_leaves_one_blank_and_none_before_punctuation(self):
        _, text, counts = verse('<w lemma="x">Christ</w>,<note placement="foot">Messiah</note><w>the</w> son'
                                '<note>n</note>.')
        self.assertEqual(text, "Christ, the son.")
        self.assertEqual(counts["footnotes and cross-reference notes dropped"], 2)

    def test_divine_name_upper_cased_also_behind_the_broken_marker(self):
        _, text, _ = verse('the \\nd <w>Lord</w></divineName> and <divineName>Jah</divineName>')
        self.assertEqual(text, "the LORD and JAH")

    def test_psalm_title_moves_to_verse_zero_but_letter_headings_are_dropped(self):
        title, text, _ = verse('<title canonical="true" type="psalm">A Psalm of David.</title> LORD, how')
        self.assertEqual((title, text), ("A Psalm of David.", "LORD, how"))
        title, text, _ = verse('<title canonical="true" type="psalm">ALEPH</title>Blessed')
        self.assertEqual((title, text), (None, "Blessed"))

    def test_text_after_the_chapter_end_is_dropped(self):
        _, text, counts = verse('Amen. <chapter eID="Rom.16"/> <title>Written to the Romans.</title>')
        self.assertEqual(text, "Amen.")
        self.assertEqual(counts["end-of-book subscriptions dropped"], 1)

    def test_glued_italics_get_a_blank_except_spanish_enclitics(self):
        _, text, _ = verse('<w>hay allí</w><transChange type="added">también</transChange><w>bdelio</w>',
                           spanish_enclitics=True)
        self.assertEqual(text, "hay allí también bdelio")
        _, text, _ = verse('<w>sáca</w><transChange type="added">lo</transChange> de',
                           spanish_enclitics=True)
        self.assertEqual(text, "sácalo de")
        _, text, _ = verse('<w>y</w><transChange type="added">la</transChange><w>declaró</w>',
                           spanish_enclitics=True)
        self.assertEqual(text, "y la declaró")


class CommentaryMarkup(unittest.TestCase):
    def test_paragraphs_become_break_bytes_and_brackets_are_kept_apart(self):
        counts = collections.Counter()
        text = commentary.render('<hi type="bold">Verses 1-2</hi> <div type="x-p"/> One [two]. '
                                 '<div type="x-p"/> Three ã.', counts)
        self.assertEqual(text, "Verses 1-2\u00e3 One (two).\u00e3 Three a.")
        self.assertEqual(counts["literal '[' replaced by '('"], 1)
        self.assertEqual(counts["literal '\u00e3' replaced by 'a'"], 1)


class DictionaryReferences(unittest.TestCase):
    def setUp(self):
        self.resolver = dictionary.Resolver(["ABSTINENCE, TOTAL", "COURT", "GOD", "JESUS",
                                             "JESUS, SECOND COMING OF", "WITNESS, FALSE"])

    def test_resolution_order(self):
        r = self.resolver.resolve
        self.assertEqual(r("JESUS", ", SECOND COMING OF"), (5, "exact"))
        self.assertEqual(r("JESUS", ", WORKS OF"), (4, "exact"))
        self.assertEqual(r("COURTS"), (2, "singular or plural"))
        self.assertEqual(r("ABSTINENCE"), (1, "prefix"))
        self.assertEqual(r("FALSE WITNESS"), (6, "inverted heading"))
        self.assertEqual(r("GOD, PRESERVER"), (3, "main entry of a sub-topic"))
        self.assertEqual(r("NOWHERE"), (None, None))

    def test_converted_line_carries_the_reference_and_no_format_bytes_from_the_source(self):
        entries = [("ABARIM", '<def> <lb/>\u2192 See <ref target="Nave:NEBO">NEBO</ref> | x</def>'),
                   ("NEBO", "<def>A mountain</def>")]
        result = dictionary.convert_dictionary("d", entries)
        self.assertEqual(result.lines[0], b"1\tABARIM\t- See NEBO \xaf n\xb000002 / x")
        self.assertEqual(result.counts["'|' in the source replaced by '/'"], 1)


class NameMeanings(unittest.TestCase):
    def test_gloss_and_link_following(self):
        hebrew = [
            ("08558", '<def>From an unused root meaning to <hi rend="italic">be erect</hi>; a '
                      '<hi rend="italic">palm</hi> <hi rend="bold">tree:</hi> - palm (tree).</def>'),
            ("08559", '<def>The same as <ref target="StrongsHebrew:8558">H8558</ref>; '
                      '<hi rend="italic">{Tamar}</hi> the name of three women: - Tamar.</def>'),
            ("00175", '<def>Of uncertain derivation;<lb/> <hi rend="italic">{Aharon}</hi> the brother of '
                      '<hi rend="bold">Moses:</hi> - Aaron.</def>'),
        ]
        result = names.build_names("n", hebrew, [])
        lines = [line.decode("cp1252") for line in result.lines]
        self.assertEqual(lines[0], "1\tAaron\tAharon the brother of Moses (Strong's H175)")
        self.assertTrue(lines[1].startswith('2\tTamar\t"a palm tree"; Tamar the name of three women'))
        self.assertEqual(result.counts["names with a real meaning"], 1)


class Encoding(unittest.TestCase):
    def test_mappings_are_counted(self):
        enc = Encoder("t")
        self.assertEqual(enc.encode("a\u2192b \u201cq\u201d \u00b6"), b"a-b \x93q\x94 \xb6")
        self.assertEqual(sum(enc.mapped.values()), 1)
        self.assertEqual(enc.encode("\u05d0"), b"?")
        self.assertEqual(enc.unmapped_count(), 1)


if __name__ == "__main__":
    unittest.main()
