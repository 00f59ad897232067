// The fast scanning must agree with the plain reading: line ends found 64 bytes at a time,
// the four leading fields split from the first 32 bytes at once, and terms found 16 or 32
// starts at a time.
#include "library/LineBreaks.h"
#include "app/search/TextFinder.h"
#include "app/search/VerseLine.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cstring>

class TestFastScanning : public QObject {
    Q_OBJECT

    static qsizetype plainNext(const QByteArray& text, qsizetype from, qsizetype end) {
        const void* nl = std::memchr(text.constData() + from, '\n', size_t(end - from));
        return nl ? static_cast<const char*>(nl) - text.constData() : -1;
    }

private slots:
    void termsAreFoundWhereAPlainSearchFindsThem() {
        // A small alphabet makes near misses common: the chosen bytes match, the term not.
        QRandomGenerator rng(11);
        QByteArray text;
        for (int i = 0; i < 20000; ++i)
            text += "eahtx "[rng.bounded(6)];
        const QByteArray needles[] = {"h", "he", "hat", "the ea", "xxxx", "aaaaaaaaaaaaaaaaaa",
                                      "th\xe9", "\xff"};
        text.replace(19990, 4, "th\xe9 "); // a term at the very end
        for (const QByteArray& needle : needles) {
            const TextFinder finder(needle);
            for (qsizetype from : {qsizetype(0), qsizetype(1), qsizetype(333), qsizetype(19000),
                                   qsizetype(19995)}) {
                for (qsizetype size : {text.size(), text.size() - 7, qsizetype(500)}) {
                    qsizetype plain = text.left(size).indexOf(needle, from);
                    if (from > size)
                        plain = -1;
                    QCOMPARE(finder.indexIn(text.constData(), size, from), plain);
                }
            }
        }
    }

    void lineEndsAgreeWithAPlainSearchAtEveryChunkBoundary() {
        QRandomGenerator rng(7);
        QByteArray text;
        for (int i = 0; i < 5000; ++i)
            text += rng.bounded(9) == 0 ? '\n' : char('a' + rng.bounded(26));
        text.replace(128, 3, "\n\n\n"); // ends side by side across a chunk boundary
        text[63] = '\n';
        text[64] = '\n';
        // Ranges starting inside a chunk and ending short of one, as the two parts of a
        // search do; the bytes past the end are never reported.
        for (const auto& [from, end] : {std::pair<qsizetype, qsizetype>{0, 5000},
                                        {37, 4990}, {64, 129}, {100, 101}, {4999, 5000}}) {
            LineBreaks breaks(text.constData(), end);
            qsizetype pos = from;
            QList<qsizetype> fast, plain;
            for (qsizetype nl; pos < end && (nl = breaks.next(pos)) >= 0; pos = nl + 1)
                fast << nl;
            for (qsizetype p = from, nl; p < end && (nl = plainNext(text, p, end)) >= 0; p = nl + 1)
                plain << nl;
            QCOMPARE(fast, plain);
        }
    }

    void fieldsSplitTheSameWhereverTheTabsStand() {
        // Long and short lines, tabs inside and beyond the first 32 bytes, too few tabs.
        const QByteArray lines[] = {
            "31102\t66\t150\t176\tThe grace of our Lord Jesus Christ be with you all.",
            "1\t1\t1\t1\tIn the beginning God created the heaven and the earth.",
            "123456789012345678901234567890\t2\t3\t4\ttext beyond the first bytes",
            "1\t2\t3\tonly three tabs in a line that is long enough to scan",
            "1\t2\t3\t4\tshort",
            "1\t2\t3\t4\t",
            "\t\t\t\tempty fields, then the text of a long enough line here",
            "1\t2\t3\t4\ta verse text\twith a tab of its own in the middle of it",
        };
        for (const QByteArray& line : lines) {
            VerseLine fast;
            const bool split = fast.split(line.constData(), line.size());
            const QList<QByteArray> fields = line.split('\t');
            QCOMPARE(split, fields.size() >= 5);
            if (!split)
                continue;
            QCOMPARE(fast.book, fields.at(1).toInt());
            QCOMPARE(QByteArray(fast.chapter, fast.chapterSize), fields.at(2));
            QCOMPARE(fast.verse, fields.at(3).toInt());
            const qsizetype textAt = fields.at(0).size() + fields.at(1).size() +
                                     fields.at(2).size() + fields.at(3).size() + 4;
            QCOMPARE(QByteArray(fast.text, fast.textSize), line.mid(textAt));
        }
    }
};

QTEST_GUILESS_MAIN(TestFastScanning)
#include "tst_FastScanning.moc"
