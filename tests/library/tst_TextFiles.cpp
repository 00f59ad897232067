#include "library/LineReader.h"
#include "platform/Win1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Module, catalogue and message files: lines of Windows-1252 bytes, usually CR LF, though
// hand-edited files come with LF only and without a final line end.
class TestTextFiles : public QObject {
    Q_OBJECT

private:
    QString writeFile(const QByteArray& bytes) {
        const QString path = m_dir.filePath(QStringLiteral("text.txt"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        f.write(bytes);
        return path;
    }

    // Every line with the position after it; each position must be where the next line starts.
    void checkLines(const QByteArray& bytes, const QList<QByteArray>& lines,
                    const QList<qint64>& positions) {
        LineReader reader(writeFile(bytes));
        QVERIFY(reader.isOpen());
        QCOMPARE(reader.position(), qint64(0));
        QByteArray line;
        int n = 0;
        while (reader.readLine(line)) {
            QVERIFY2(n < lines.size(), "more lines than expected");
            QCOMPARE(line, lines.at(n));
            QCOMPARE(reader.position(), positions.at(n));
            ++n;
        }
        QCOMPARE(n, lines.size());
        QVERIFY(reader.atEnd());
        QVERIFY(!reader.readLine(line));
    }

    QTemporaryDir m_dir;

private slots:
    void linesAndPositions_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QList<qint64>>("positions");
        QTest::newRow("CR LF") << QByteArray("1\tGenesis\r\n2\tExodus\r\n")
                               << QList<QByteArray>{"1\tGenesis", "2\tExodus"}
                               << QList<qint64>{11, 21};
        QTest::newRow("LF only") << QByteArray("ab\ncd\n") << QList<QByteArray>{"ab", "cd"}
                                 << QList<qint64>{3, 6};
        QTest::newRow("last line without end") << QByteArray("ab\r\ncd")
                                               << QList<QByteArray>{"ab", "cd"}
                                               << QList<qint64>{4, 6};
        QTest::newRow("mixed ends") << QByteArray("a\nb\r\nc") << QList<QByteArray>{"a", "b", "c"}
                                    << QList<qint64>{2, 5, 6};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\r\n\n")
                                     << QList<QByteArray>{"", "", "x", ""}
                                     << QList<qint64>{2, 4, 7, 8};
        QTest::newRow("one empty line") << QByteArray("\r\n") << QList<QByteArray>{""}
                                        << QList<qint64>{2};
        QTest::newRow("empty file") << QByteArray() << QList<QByteArray>{} << QList<qint64>{};
        QTest::newRow("carriage return inside a line")
            << QByteArray("a\rb\r\n") << QList<QByteArray>{"a\rb"} << QList<qint64>{5};
        QTest::newRow("high bytes") << QByteArray("caf\xe9 \x93q\x94\r\n")
                                    << QList<QByteArray>{"caf\xe9 \x93q\x94"} << QList<qint64>{10};
    }
    void linesAndPositions() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QByteArray>, lines);
        QFETCH(QList<qint64>, positions);
        checkLines(bytes, lines, positions);
    }

    // Files are read in blocks; a line end split across two blocks, and lines longer than a
    // block, must come out the same as in a small file.
    void longFilesAcrossBlocks_data() {
        QTest::addColumn<int>("firstLineLength");
        QTest::addColumn<QByteArray>("lineEnd");
        for (int len : {65533, 65534, 65535, 65536, 150000})
            for (const char* end : {"\r\n", "\n"})
                QTest::addRow("%d %s", len, end[0] == '\r' ? "CR LF" : "LF")
                    << len << QByteArray(end);
    }
    void longFilesAcrossBlocks() {
        QFETCH(int, firstLineLength);
        QFETCH(QByteArray, lineEnd);
        QList<QByteArray> lines{QByteArray(firstLineLength, 'a')};
        for (int i = 0; i < 3000; ++i)
            lines << QByteArray(i % 97, char('b' + i % 20));
        lines << QByteArray(70000, 'z');
        QByteArray bytes;
        QList<qint64> positions;
        for (const QByteArray& l : lines) {
            bytes += l + lineEnd;
            positions << bytes.size();
        }
        bytes.chop(lineEnd.size()); // and the last line without its end
        positions.last() = bytes.size();
        checkLines(bytes, lines, positions);
    }

    void aMissingFileReadsAsNothing() {
        LineReader reader(m_dir.filePath(QStringLiteral("absent.txt")));
        QVERIFY(!reader.isOpen());
        QByteArray line;
        QVERIFY(!reader.readLine(line));
        QVERIFY(reader.atEnd());
    }

    void everyByteSurvivesARoundTrip() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Win1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(QSet<QChar>(text.begin(), text.end()).size(), 256);
        bool lossless = false;
        QCOMPARE(Win1252::encode(text, &lossless), all);
        QVERIFY(lossless);
        for (int b = 0; b < 256; ++b)
            QCOMPARE(Win1252::encodeChar(text.at(b)), b);
    }

    void bytesDecodeToTheirCharacters_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81") << 0x81 << 0x0081;
        QTest::newRow("low quote") << 0x82 << 0x201A;
        QTest::newRow("ellipsis") << 0x85 << 0x2026;
        QTest::newRow("undefined 8D") << 0x8D << 0x008D;
        QTest::newRow("left quote") << 0x93 << 0x201C;
        QTest::newRow("apostrophe") << 0x92 << 0x2019;
        QTest::newRow("em dash") << 0x97 << 0x2014;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
        QTest::newRow("e acute") << 0xE9 << 0x00E9;
        QTest::newRow("y diaeresis") << 0xFF << 0x00FF;
        QTest::newRow("tab") << 0x09 << 0x0009;
    }
    void bytesDecodeToTheirCharacters() {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        QCOMPARE(int(Win1252::decodeByte(uchar(byte)).unicode()), unicode);
    }

    void charactersWithoutAByteBecomeQuestionMarks() {
        bool lossless = true;
        QCOMPARE(Win1252::encode(QStringLiteral("A\u0100B\u03A9C\u0080"), &lossless),
                 QByteArrayLiteral("A?B?C?"));
        QVERIFY(!lossless);
        QCOMPARE(Win1252::encodeChar(QChar(0x0080)), -1);
        QCOMPARE(Win1252::encodeChar(QChar(0x0100)), -1);
        lossless = false;
        QCOMPARE(Win1252::encode(QStringLiteral("\u20AC5 \u201Cok\u201D"), &lossless),
                 QByteArrayLiteral("\x80" "5 \x93ok\x94"));
        QVERIFY(lossless);
    }
};

QTEST_GUILESS_MAIN(TestTextFiles)
#include "tst_TextFiles.moc"
