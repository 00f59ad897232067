#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"

#include <QtTest>

// Message lookup against hand-written message files in a throw-away program folder.
class TestMessageText : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestProgramFolder> m_folder;
    std::unique_ptr<SettingsStore> m_settings;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<ProgramState> m_state;

    // Writes the standard set of the test language: each record is one line, CR LF ended.
    void writeStd(const QList<QByteArray>& lines) {
        m_folder->write(QStringLiteral("msg/TEST_STD.mes"), lines.join("\r\n") + "\r\n");
    }
    QString stdPath() const { return m_state->MessageFolder + QStringLiteral("TEST_STD.mes"); }
    QString lookup(int number, const QString& argument = QString()) {
        return MessageText::GetMessageText(*m_state, MessageText::Standard, number, argument);
    }

private slots:
    void init() {
        m_folder = std::make_unique<TestProgramFolder>();
        m_settings = m_folder->makeSettings();
        m_dialogs.clear();
        m_state = std::make_unique<ProgramState>(*m_settings, m_dialogs);
        m_state->MessageFolder = m_folder->path() + QStringLiteral("/msg/");
        m_state->LanguagePrefix = QStringLiteral("TEST_");
    }
    void cleanup() { QCOMPARE(m_dialogs.pending(), 0); }

    void kindChoosesTheSet() {
        writeStd({"0003 standard three"});
        m_folder->write(QStringLiteral("msg/TEST_FRM.mes"), "0003 form three\r\n");
        QCOMPARE(lookup(3), QStringLiteral("standard three"));
        QCOMPARE(MessageText::GetMessageText(*m_state, MessageText::Form, 3),
                 QStringLiteral("form three"));
    }

    void recordLayout_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero padded") << QByteArray("0042 Search") << QStringLiteral("Search");
        QTest::newRow("space padded") << QByteArray("  42 Search") << QStringLiteral("Search");
        QTest::newRow("any separator") << QByteArray("0042:Search") << QStringLiteral("Search");
        QTest::newRow("tab separator") << QByteArray("  42\tSearch") << QStringLiteral("Search");
        QTest::newRow("inner spaces kept")
            << QByteArray("0042  two  spaces ") << QStringLiteral(" two  spaces ");
        QTest::newRow("line break")
            << QByteArray("0042 Bible^^Search") << QStringLiteral("Bible\r\nSearch");
        QTest::newRow("three carets") << QByteArray("0042 a^^^b") << QStringLiteral("a\r\n^b");
        QTest::newRow("windows-1252")
            << QByteArray("0042 J\xe9r\xe9mie \x80 5") << QStringLiteral("Jérémie € 5");
        QTest::newRow("number only") << QByteArray("0042") << QString();
        QTest::newRow("number and separator") << QByteArray("0042 ") << QString();
    }
    void recordLayout() {
        QFETCH(QByteArray, record);
        QFETCH(QString, expected);
        writeStd({"0001 first", record, "0099 last"});
        QCOMPARE(lookup(42), expected);
    }

    void argumentReplacement_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one") << QByteArray("0042 File % missing") << QStringLiteral("a.txt")
                             << QStringLiteral("File a.txt missing");
        QTest::newRow("two") << QByteArray("0042 % and %") << QStringLiteral("x")
                             << QStringLiteral("x and x");
        QTest::newRow("adjacent") << QByteArray("0042 %%") << QStringLiteral("ab")
                                  << QStringLiteral("abab");
        QTest::newRow("argument holds a percent")
            << QByteArray("0042 Limit % reached") << QStringLiteral("50%")
            << QStringLiteral("Limit 50% reached");
        QTest::newRow("argument is a percent")
            << QByteArray("0042 <%|%>") << QStringLiteral("%") << QStringLiteral("<%|%>");
        QTest::newRow("argument carets stay")
            << QByteArray("0042 [%]") << QStringLiteral("a^^b") << QStringLiteral("[a^^b]");
        QTest::newRow("empty argument removes")
            << QByteArray("0042 100% sure") << QString() << QStringLiteral("100 sure");
        QTest::newRow("no placeholder")
            << QByteArray("0042 plain") << QStringLiteral("unused") << QStringLiteral("plain");
    }
    void argumentReplacement() {
        QFETCH(QByteArray, record);
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        writeStd({record});
        QCOMPARE(lookup(42, argument), expected);
    }

    void whichRecordIsFound() {
        writeStd({"# 0042 only a comment", "#0042 also a comment", "", "0050 fifty",
                  "0042 first forty-two", "0007 seven", "0042 second forty-two"});
        QCOMPARE(lookup(42), QStringLiteral("first forty-two"));
        QCOMPARE(lookup(7), QStringLiteral("seven"));
        // Numbers need not be sorted: 7 comes after 50.
        QCOMPARE(lookup(50), QStringLiteral("fifty"));
    }

    void numberOnlyInACommentIsNotFound() {
        writeStd({"#0077 commented out", "0001 one"});
        QCOMPARE(lookup(77),
                 QStringLiteral("MESSAGE: 77 FILE: ") + stdPath() + QStringLiteral(" NOT FOUND!!"));
        QCOMPARE(m_dialogs.records().size(), 0);
    }

    void numberZeroIsNeverLookedUp() {
        writeStd({"0000 zero", "0001 one"});
        QCOMPARE(lookup(0), QString());
        m_state->DebugMode = true;
        QCOMPARE(lookup(0), QStringLiteral("0"));
    }

    void everyLookupReadsTheFileAgain() {
        writeStd({"0005 before"});
        QCOMPARE(lookup(5), QStringLiteral("before"));
        writeStd({"0005 after"});
        QCOMPARE(lookup(5), QStringLiteral("after"));
    }

    void toleratesOtherLineEnds() {
        m_folder->write(QStringLiteral("msg/TEST_STD.mes"), "0001 one\n0002 two\r\n0003 three");
        QCOMPARE(lookup(1), QStringLiteral("one"));
        QCOMPARE(lookup(3), QStringLiteral("three"));
    }

    void fileNameLetterCaseDoesNotMatter() {
        m_folder->write(QStringLiteral("msg/test_std.MES"), "0004 found\r\n");
        QCOMPARE(lookup(4), QStringLiteral("found"));
    }

    void debugModeCutsAndAppendsTheNumber_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("kept");
        QTest::newRow("10 chars, number 7") << 10 << 7 << 7;
        QTest::newRow("20 chars, number 42") << 20 << 42 << 14;
        QTest::newRow("3 chars") << 3 << 9 << 2;
        QTest::newRow("1 char") << 1 << 9 << 0;
        // 0.7 * 90 computed in floating point is just below 63.
        QTest::newRow("90 chars") << 90 << 12 << 63;
        QTest::newRow("170 chars") << 170 << 12 << 119;
    }
    void debugModeCutsAndAppendsTheNumber() {
        QFETCH(int, length);
        QFETCH(int, number);
        QFETCH(int, kept);
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar('a' + i % 26);
        writeStd({QByteArray::number(number).rightJustified(4, '0') + ' ' + text.toLatin1()});
        m_state->DebugMode = true;
        QCOMPARE(lookup(number), text.left(kept) + QString::number(number));
    }

    void debugModeCountsAfterExpansion() {
        // "a^^b" becomes four characters and "%" the argument before the text is cut.
        writeStd({"0042 a^^b%"});
        m_state->DebugMode = true;
        QCOMPARE(lookup(42, QStringLiteral("123456")), QStringLiteral("a\r\nb12342"));
    }

    void debugModeCutsTheNotFoundText() {
        writeStd({"0001 one"});
        m_state->DebugMode = true;
        const QString full =
            QStringLiteral("MESSAGE: 8 FILE: ") + stdPath() + QStringLiteral(" NOT FOUND!!");
        QCOMPARE(lookup(8), full.left(full.size() * 7 / 10) + QStringLiteral("8"));
    }

    void shortRecordInDebugModeIsJustTheNumber() {
        writeStd({"0042"});
        m_state->DebugMode = true;
        QCOMPARE(lookup(42), QStringLiteral("42"));
    }

    void missingFileShowsTwoBoxes_data() {
        QTest::addColumn<int>("number");
        QTest::newRow("ordinary number") << 5;
        QTest::newRow("number 0") << 0;
    }
    void missingFileShowsTwoBoxes() {
        QFETCH(int, number);
        m_dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("missing"));
        m_dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Error in language file"));
        QCOMPARE(lookup(number), QString());
        const auto& boxes = m_dialogs.records();
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[0].box.icon, Dialogs::Icon::Critical);
        QCOMPARE(boxes[0].box.text,
                 QStringLiteral("Serious Error!'\r\n") + stdPath() + QStringLiteral("' missing."));
        QCOMPARE(boxes[0].box.title, TolvaneRoutines::ProductName());
        QCOMPARE(boxes[1].box.icon, Dialogs::Icon::Warning);
        QCOMPARE(boxes[1].box.text, QStringLiteral("Error in language file with message ") +
                                        QString::number(number) + QStringLiteral("."));
        QCOMPARE(boxes[1].box.title, TolvaneRoutines::ProductName());
    }

    void badNumberFieldBeforeTheRecord_data() {
        QTest::addColumn<QByteArray>("bad");
        QTest::newRow("letters") << QByteArray("abcd text");
        QTest::newRow("blank number") << QByteArray("     text");
        QTest::newRow("digits and letter") << QByteArray("12x4 text");
    }
    void badNumberFieldBeforeTheRecord() {
        QFETCH(QByteArray, bad);
        writeStd({"0001 one", bad, "0042 wanted"});
        // Records before the damage are still found.
        QCOMPARE(lookup(1), QStringLiteral("one"));
        m_dialogs.expectMessage();
        QCOMPARE(lookup(42), QString());
        QCOMPARE(m_dialogs.records().size(), 1);
        QCOMPARE(m_dialogs.records()[0].box.icon, Dialogs::Icon::Warning);
        QCOMPARE(m_dialogs.records()[0].box.text,
                 QStringLiteral("Error in language file with message 42."));
    }

    void badNumberFieldAfterTheRecordIsNeverRead() {
        writeStd({"0042 wanted", "abcd damaged"});
        QCOMPARE(lookup(42), QStringLiteral("wanted"));
    }
};

QTEST_GUILESS_MAIN(TestMessageText)
#include "tst_messagetext.moc"
