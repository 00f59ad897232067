#include "app/search/SearchTermList.h"
#include "app/search/WildcardPattern.h"

#include <QtTest>

// Splitting the search text into terms, and the wildcard dialect of the "None" mode.
class TestSearchPatterns : public QObject {
    Q_OBJECT

private slots:
    void termsAreSplitAtStars_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArrayList>("terms");
        QTest::newRow("outer stars dropped") << QByteArray("*love*") << QByteArrayList{"love"};
        QTest::newRow("two terms") << QByteArray("love*God") << QByteArrayList{"love", "God"};
        QTest::newRow("a**b keeps the second star")
            << QByteArray("a**b") << QByteArrayList{"a", "*b", ""};
        QTest::newRow("only one star dropped at each end")
            << QByteArray("**a**") << QByteArrayList{"", "a", ""};
        QTest::newRow("star alone") << QByteArray("*") << QByteArrayList{};
        QTest::newRow("two stars") << QByteArray("**") << QByteArrayList{};
        QTest::newRow("empty") << QByteArray() << QByteArrayList{};
        QTest::newRow("spaces are kept") << QByteArray(" in the *God ")
                                         << QByteArrayList{" in the ", "God "};
    }
    void termsAreSplitAtStars() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArrayList, terms);
        const SearchTermList list = SearchTermList::ParseSearchStrings(text);
        QCOMPARE(list.TermCount, int(terms.size()));
        QVERIFY(!list.tooManyTerms());
        for (int k = 1; k <= list.TermCount; ++k)
            QCOMPARE(list.at(k), terms.at(k - 1));
        // Position 0 is empty once there are terms; every later position is the filler.
        QCOMPARE(list.at(0), terms.isEmpty() ? QByteArray(" ") : QByteArray());
        for (int p = list.TermCount + 1; p < SearchTermList::kPositions; ++p)
            QCOMPARE(list.at(p), QByteArray(" "));
    }

    void fillerDependsOnTheMode() {
        SearchTermList any = SearchTermList::ParseSearchStrings("a* *|");
        any.applyFiller(SearchMode::AnyTerm);
        QCOMPARE(any.at(2), QByteArray("|")); // a typed " " is taken for the filler too
        QCOMPARE(any.at(3), QByteArray("|"));
        QCOMPARE(any.at(30), QByteArray("|"));
        SearchTermList all = any;
        all.applyFiller(SearchMode::AllTerms);
        QCOMPARE(all.at(3), QByteArray(" "));
        QCOMPARE(all.at(30), QByteArray(" "));
        QCOMPARE(all.at(1), QByteArray("a"));
    }

    void moreThanThirtyTermsAreRefused() {
        const QByteArray thirty = QByteArray("t*").repeated(29) + "t";
        QCOMPARE(SearchTermList::ParseSearchStrings(thirty).TermCount, 30);
        const SearchTermList refused = SearchTermList::ParseSearchStrings(thirty + "*u");
        QVERIFY(refused.tooManyTerms());
        QCOMPARE(refused.TermCount, 0);
        QCOMPARE(refused.requestedTerms(), 31);
    }

    void wildcards_data() {
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("matches");
        QTest::newRow("star alone") << QByteArray("*") << QByteArray("anything") << true;
        QTest::newRow("star matches empty") << QByteArray("*") << QByteArray() << true;
        QTest::newRow("whole line") << QByteArray("love") << QByteArray("I love") << false;
        QTest::newRow("contains") << QByteArray("*love*") << QByteArray("I love you") << true;
        QTest::newRow("case is exact") << QByteArray("*love*") << QByteArray("LOVE") << false;
        QTest::newRow("prefix") << QByteArray("JOHN *") << QByteArray("JOHN 3:16 x") << true;
        QTest::newRow("suffix") << QByteArray("*Amen.") << QByteArray("all. Amen.") << true;
        QTest::newRow("suffix must end the line") << QByteArray("*Amen") << QByteArray("Amen.")
                                                  << false;
        QTest::newRow("ordered pieces") << QByteArray("*a*b*") << QByteArray("xaxbx") << true;
        QTest::newRow("pieces out of order") << QByteArray("*b*a") << QByteArray("ab") << false;
        QTest::newRow("overlapping prefix and suffix") << QByteArray("ab*ba") << QByteArray("aba")
                                                       << false;
        QTest::newRow("question mark") << QByteArray("a?c") << QByteArray("abc") << true;
        QTest::newRow("question mark needs a character") << QByteArray("a?c") << QByteArray("ac")
                                                         << false;
        QTest::newRow("digit") << QByteArray("#:#") << QByteArray("3:1") << true;
        QTest::newRow("digit refuses a letter") << QByteArray("#") << QByteArray("x") << false;
        QTest::newRow("list") << QByteArray("[JG]*") << QByteArray("JOHN") << true;
        QTest::newRow("list misses") << QByteArray("[JG]*") << QByteArray("MARK") << false;
        QTest::newRow("negated list") << QByteArray("[!JG]*") << QByteArray("MARK") << true;
        QTest::newRow("negated list misses") << QByteArray("[!JG]*") << QByteArray("JOHN")
                                             << false;
        QTest::newRow("range") << QByteArray("*[a-c]x") << QByteArray("zzbx") << true;
        QTest::newRow("range misses") << QByteArray("*[a-c]x") << QByteArray("zzdx") << false;
        QTest::newRow("negated range") << QByteArray("[!0-9]") << QByteArray("5") << false;
        QTest::newRow("hyphen first is literal") << QByteArray("[-a]") << QByteArray("-") << true;
        QTest::newRow("hyphen last is literal") << QByteArray("[a-]") << QByteArray("-") << true;
        QTest::newRow("specials are literal in a list") << QByteArray("[*?#]") << QByteArray("#")
                                                        << true;
        QTest::newRow("list in a middle piece") << QByteArray("*G[oa]d*") << QByteArray("a God")
                                                << true;
        QTest::newRow("empty list takes nothing") << QByteArray("a[]b") << QByteArray("ab")
                                                  << true;
        QTest::newRow("unclosed list is invalid") << QByteArray("*[ab*") << QByteArray("[ab")
                                                  << false;
        QTest::newRow("descending range is invalid") << QByteArray("[z-a]") << QByteArray("m")
                                                     << false;
        QTest::newRow("high bytes") << QByteArray("*\xe9t\xe9*") << QByteArray("l'\xe9t\xe9 ")
                                    << true;
        QTest::newRow("empty pattern") << QByteArray() << QByteArray() << true;
        QTest::newRow("empty pattern, text") << QByteArray() << QByteArray("x") << false;
    }
    void wildcards() {
        QFETCH(QByteArray, pattern);
        QFETCH(QByteArray, text);
        QFETCH(bool, matches);
        QCOMPARE(WildcardPattern(pattern).matches(text), matches);
    }

    void invalidPatternsSayWhy() {
        QVERIFY(!WildcardPattern("[abc").isValid());
        QVERIFY(!WildcardPattern("[c-a]").isValid());
        QVERIFY(WildcardPattern("]").isValid());
        QVERIFY(WildcardPattern("]").matches(QByteArray("]")));
    }
};

QTEST_GUILESS_MAIN(TestSearchPatterns)
#include "tst_SearchPatterns.moc"
