// The notepad's models: find, document files, selection formats and the rich clipboard.
#include "app/notepad/DocumentFile.h"
#include "app/notepad/NotepadFind.h"
#include "app/notepad/NotepadFormat.h"
#include "app/notepad/RichClipboard.h"
#include "platform/rtf/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <csignal>
#include <memory>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {
QTextCursor select(QTextDocument& doc, int from, int to) {
    QTextCursor c(&doc);
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    return c;
}

void applyChar(QTextDocument& doc, int from, int to, const QTextCharFormat& f) {
    select(doc, from, to).mergeCharFormat(f);
}

QTextCharFormat boldFormat() {
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    return f;
}
} // namespace

class TestNotepadModels : public QObject {
    Q_OBJECT
private slots:
    void findsAtTheFirstCharacterAndIgnoresCase();
    void findStopsAtTheEnd();
    void plainTextEncodings();
    void readReportsMissingAndReadableFiles();
    void saveWritesRtfThatReadsBack();
    void failedSaveLeavesNothingBehind();
    void failedSaveKeepsTheOldFile();
    void selectionStateOverMixedFormats();
    void caretStateIsTheTypingFormat();
    void indentChangesEveryParagraphOfTheSelection();
    void bulletsToggleAndUndoInOneStep();
    void clipboardCarriesRtf();
};

void TestNotepadModels::findsAtTheFirstCharacterAndIgnoresCase() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Grace and grace\nGRACE"));
    QTextCursor c = NotepadFind::find(doc, QStringLiteral("grace"), 0);
    QVERIFY(!c.isNull());
    QCOMPARE(c.selectionStart(), 0);
    QCOMPARE(c.selectionEnd(), 5);
    c = NotepadFind::find(doc, QStringLiteral("grace"), c.selectionEnd());
    QCOMPARE(c.selectionStart(), 10);
    c = NotepadFind::find(doc, QStringLiteral("grace"), c.selectionEnd());
    QCOMPARE(c.selectionStart(), 16); // next paragraph
    QVERIFY(NotepadFind::find(doc, QStringLiteral("grace"), c.selectionEnd()).isNull());
}

void TestNotepadModels::findStopsAtTheEnd() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("abc"));
    QVERIFY(NotepadFind::find(doc, QString(), 0).isNull());
    QVERIFY(NotepadFind::find(doc, QStringLiteral("abc"), 1).isNull());
    QVERIFY(NotepadFind::find(doc, QStringLiteral("abc"), 500).isNull());
    QCOMPARE(NotepadFind::find(doc, QStringLiteral("c"), -4).selectionStart(), 2);
}

void TestNotepadModels::plainTextEncodings() {
    QCOMPARE(DocumentFile::decodePlain("In the beginning\r\nwas"),
             QStringLiteral("In the beginning\nwas"));
    QCOMPARE(DocumentFile::decodePlain("\xEF\xBB\xBF"
                                       "caf\xC3\xA9"),
             QStringLiteral("caf\u00E9"));
    QCOMPARE(DocumentFile::decodePlain("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
    // Not UTF-8: Windows-1252, curly quotes included.
    QCOMPARE(DocumentFile::decodePlain("\x93Selah\x94 caf\xE9"),
             QStringLiteral("\u201CSelah\u201D caf\u00E9"));
    QCOMPARE(DocumentFile::decodePlain(QByteArray("\xFF\xFE"
                                                  "A\0B\0",
                                                  6)),
             QStringLiteral("AB"));
}

void TestNotepadModels::readReportsMissingAndReadableFiles() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    QVERIFY(!DocumentFile::read(path).exists);
    QVERIFY(!DocumentFile::read(dir.path()).exists); // a folder is not a document
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("text");
    f.close();
    const DocumentFile::Contents c = DocumentFile::read(path);
    QVERIFY(c.exists && c.readable);
    QCOMPARE(c.bytes, QByteArray("text"));

    QTextDocument doc;
    doc.setPlainText(QStringLiteral("kept"));
    QVERIFY(!DocumentFile::loadRich(c.bytes, &doc));
    QCOMPARE(doc.toPlainText(), QStringLiteral("kept"));
}

void TestNotepadModels::saveWritesRtfThatReadsBack() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.rtf"));
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Blessed are the meek"));
    applyChar(doc, 0, 7, boldFormat());
    QCOMPARE(DocumentFile::saveRich(path, doc), QString());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("note.rtf")});

    const DocumentFile::Contents c = DocumentFile::read(path);
    QVERIFY(c.bytes.startsWith("{\\rtf"));
    QTextDocument back;
    QVERIFY(DocumentFile::loadRich(c.bytes, &back));
    QCOMPARE(back.toPlainText(), QStringLiteral("Blessed are the meek"));
    QVERIFY(NotepadFormat::stateOf(select(back, 0, 7)).bold);
    QVERIFY(!NotepadFormat::stateOf(select(back, 8, 11)).bold);
}

void TestNotepadModels::failedSaveLeavesNothingBehind() {
    QTemporaryDir dir;
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("x"));
    const QString path = dir.filePath(QStringLiteral("missing/folder/note.rtf"));
    QVERIFY(!DocumentFile::saveRich(path, doc).isEmpty());
    QVERIFY(!QFile::exists(path));
    QVERIFY(!DocumentFile::saveRich(QString(), doc).isEmpty());
}

void TestNotepadModels::failedSaveKeepsTheOldFile() {
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.rtf"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("original");
    f.close();
    QTextDocument doc;
    doc.setPlainText(QString(4000, QLatin1Char('x')));

    // A full disk, as far as this process can tell: writes past 64 bytes fail.
    struct rlimit old {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 64;
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = DocumentFile::saveRich(path, doc);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);

    QVERIFY(!error.isEmpty());
    QCOMPARE(DocumentFile::read(path).bytes, QByteArray("original"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.rtf")});
#else
    QSKIP("Needs a file size limit to stand in for a full disk");
#endif
}

void TestNotepadModels::selectionStateOverMixedFormats() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("one two\nthree"));
    applyChar(doc, 0, 3, boldFormat());
    QTextCharFormat big;
    big.setFontPointSize(20);
    big.setFontFamilies({QStringLiteral("Serif Test")});
    applyChar(doc, 4, 7, big);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCursor(doc.firstBlock()).mergeBlockFormat(centred);

    NotepadFormat::State s = NotepadFormat::stateOf(select(doc, 0, 3));
    QVERIFY(s.bold);
    QCOMPARE(s.alignment, Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(s.family, doc.defaultFont().family());

    s = NotepadFormat::stateOf(select(doc, 0, 7)); // bold and plain, two sizes and faces
    QVERIFY(!s.bold);
    QCOMPARE(s.pointSize, 0.0);
    QVERIFY(s.family.isEmpty());

    s = NotepadFormat::stateOf(select(doc, 4, 7));
    QCOMPARE(s.pointSize, 20.0);
    QCOMPARE(s.family, QStringLiteral("Serif Test"));

    s = NotepadFormat::stateOf(select(doc, 2, 10)); // centred and left paragraphs
    QCOMPARE(s.alignment, Qt::Alignment());
    QCOMPARE(NotepadFormat::stateOf(select(doc, 9, 10)).alignment, Qt::Alignment(Qt::AlignLeft));
}

void TestNotepadModels::caretStateIsTheTypingFormat() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("abc def"));
    QTextCharFormat f;
    f.setFontItalic(true);
    f.setFontUnderline(true);
    applyChar(doc, 0, 3, f);
    QTextCursor c(&doc);
    c.setPosition(2);
    QVERIFY(NotepadFormat::stateOf(c).italic);
    QVERIFY(NotepadFormat::stateOf(c).underline);
    c.setPosition(6);
    QVERIFY(!NotepadFormat::stateOf(c).italic);
}

void TestNotepadModels::indentChangesEveryParagraphOfTheSelection() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("a\nb\nc"));
    const QTextCursor firstTwo = select(doc, 0, 2);
    NotepadFormat::changeIndent(firstTwo, 33);
    NotepadFormat::changeIndent(firstTwo, 33);
    QCOMPARE(doc.findBlockByNumber(0).blockFormat().leftMargin(), 66.0);
    QCOMPARE(doc.findBlockByNumber(1).blockFormat().leftMargin(), 66.0);
    QCOMPARE(doc.findBlockByNumber(2).blockFormat().leftMargin(), 0.0);
    NotepadFormat::changeIndent(firstTwo, -50);
    QCOMPARE(doc.findBlockByNumber(0).blockFormat().leftMargin(), 16.0);
    NotepadFormat::changeIndent(firstTwo, -50);
    QCOMPARE(doc.findBlockByNumber(1).blockFormat().leftMargin(), 0.0);
}

void TestNotepadModels::bulletsToggleAndUndoInOneStep() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("a\nb\nc"));
    const QTextCursor firstTwo = select(doc, 0, 3);
    NotepadFormat::toggleBullets(firstTwo);
    QVERIFY(doc.findBlockByNumber(0).textList());
    QCOMPARE(doc.findBlockByNumber(0).textList(), doc.findBlockByNumber(1).textList());
    QCOMPARE(doc.findBlockByNumber(0).textList()->format().style(), QTextListFormat::ListDisc);
    QVERIFY(!doc.findBlockByNumber(2).textList());
    QVERIFY(NotepadFormat::stateOf(firstTwo).bullet);

    // Partly bulleted: all get bullets.
    const QTextCursor all = select(doc, 0, 5);
    QVERIFY(!NotepadFormat::stateOf(all).bullet);
    NotepadFormat::toggleBullets(all);
    QVERIFY(NotepadFormat::stateOf(all).bullet);
    QCOMPARE(doc.findBlockByNumber(2).textList(), doc.findBlockByNumber(0).textList());

    NotepadFormat::toggleBullets(all);
    for (int i = 0; i < 3; ++i)
        QVERIFY(!doc.findBlockByNumber(i).textList());
    doc.undo();
    QVERIFY(NotepadFormat::stateOf(all).bullet);
}

void TestNotepadModels::clipboardCarriesRtf() {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Fear not"));
    applyChar(doc, 0, 4, boldFormat());
    QTextCursor none(&doc);
    QVERIFY(!RichClipboard::fromSelection(none));

    std::unique_ptr<QMimeData> data(RichClipboard::fromSelection(select(doc, 0, 8)));
    QVERIFY(data);
    QCOMPARE(data->text(), QStringLiteral("Fear not"));
    const QByteArray rtf = RichClipboard::rtfOf(data.get());
    QVERIFY(rtf.startsWith("{\\rtf"));
    QTextDocument back;
    QVERIFY(RtfReader::read(rtf, &back).isRtf);
    QCOMPARE(back.toPlainText(), QStringLiteral("Fear not"));
    QVERIFY(NotepadFormat::stateOf(select(back, 0, 4)).bold);

    QMimeData other;
    other.setText(QStringLiteral("plain"));
    QVERIFY(RichClipboard::rtfOf(&other).isEmpty());
    other.setData(QStringLiteral("text/richtext"), "{\\rtf1 x}");
    QCOMPARE(RichClipboard::rtfOf(&other), QByteArray("{\\rtf1 x}"));
    QVERIFY(RichClipboard::rtfOf(nullptr).isEmpty());
}

QTEST_MAIN(TestNotepadModels)
#include "tst_notepadmodels.moc"
