#include "ScriptedDialogs.h"

#include "library/GlobalSTRINGFunctions.h"
#include "library/TolvaneRoutines.h"

#include <QUrl>
#include <QtTest>

using namespace GlobalSTRINGFunctions;

class TestTolvaneRoutines : public QObject {
    Q_OBJECT

private slots:
    void theErrorReportHasItsExactLines() {
        ScriptedDialogs dialogs;
        dialogs.expectMessage(Dialogs::Answer::Ok);
        TolvaneRoutines::ReportError(dialogs, 9, QStringLiteral("Search Main"), QString());
        QCOMPARE(dialogs.records().size(), 1);
        const Dialogs::Box& box = dialogs.records().first().box;
        QCOMPARE(box.icon, Dialogs::Icon::Warning);
        QCOMPARE(box.title, QStringLiteral("Tolvane Unforseen error."));
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
        const QStringList expected = {
            QStringLiteral("An Error has occured."),
            QStringLiteral("Module            : Search Main."),
            QStringLiteral("Error Number  : 9"),
            QStringLiteral("Description      : Subscript out of range."),
            QStringLiteral("Additional Info: "),
            QString(),
            QStringLiteral("If the error persists, please report it to us."),
            QStringLiteral("Select 'Help' then click 'Report a bug'."),
            QStringLiteral("You must give us a FULL DESCRIPTION of"),
            QStringLiteral("the error or we will not be able to help you.")};
        QCOMPARE(box.text.split(QStringLiteral("\r\n")), expected);
    }

    void everyRaisedErrorHasADescription_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("type mismatch") << 13 << QStringLiteral("Type mismatch");
        QTest::newRow("file not found") << 53 << QStringLiteral("File not found");
        QTest::newRow("past end") << 62 << QStringLiteral("Input past end of file");
        QTest::newRow("path not found") << 76 << QStringLiteral("Path not found");
        using namespace TolvaneRoutines::ErrorNumber;
        for (int n : {InvalidArgument, Overflow, SubscriptOutOfRange, TypeMismatch, BadFileName,
                      FileNotFound, DeviceIOError, DiskFull, InputPastEnd, PermissionDenied,
                      PathFileAccess, PathNotFound, InvalidPropertyValue, PrinterError})
            QTest::addRow("raised %d", n) << n << QString();
        QTest::newRow("unknown") << 31999 << QString();
    }
    void everyRaisedErrorHasADescription() {
        QFETCH(int, number);
        QFETCH(QString, description);
        const QString text = TolvaneRoutines::StandardErrorDescription(number);
        QVERIFY(!text.isEmpty());
        QVERIFY2(!text.endsWith('.'), "the report adds the full stop");
        if (!description.isEmpty())
            QCOMPARE(text, description);
        const QStringList lines = TolvaneRoutines::ErrorReportText(number, QStringLiteral("Load"),
                                                                   QStringLiteral("Books.txt"))
                                      .split(QStringLiteral("\r\n"));
        QCOMPARE(lines.value(2), QStringLiteral("Error Number  : ") + QString::number(number));
        QCOMPARE(lines.value(3), QStringLiteral("Description      : ") + text + '.');
        QCOMPARE(lines.value(4), QStringLiteral("Additional Info: Books.txt"));
    }

    void theWebAddressIsHarmless() {
        QCOMPARE(TolvaneRoutines::ProductName(), QStringLiteral("Tolvane"));
        const QUrl url(TolvaneRoutines::WebAddress());
        QVERIFY(url.isValid());
        QVERIFY(url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"));
        QVERIFY2(url.host() == QLatin1String("example.org") ||
                     url.host().endsWith(QLatin1String(".example.org")),
                 qPrintable(url.host()));
    }

    void charAt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first") << QStringLiteral("abc") << 1 << QStringLiteral("a");
        QTest::newRow("last") << QStringLiteral("abc") << 3 << QStringLiteral("c");
        QTest::newRow("past the end") << QStringLiteral("abc") << 4 << QString();
        QTest::newRow("empty text") << QString() << 1 << QString();
        QTest::newRow("zero") << QStringLiteral("abc") << 0 << QString();
    }
    void charAt() {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(CharAt(text, n), expected);
    }

    void replaceCharAt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("c");
        QTest::addColumn<QString>("expected");
        QTest::newRow("middle") << QStringLiteral("abc") << 2 << QStringLiteral("x")
                                << QStringLiteral("axc");
        QTest::newRow("first character of c") << QStringLiteral("abc") << 2
                                              << QStringLiteral("xyz") << QStringLiteral("axc");
        QTest::newRow("first") << QStringLiteral("abc") << 1 << QStringLiteral("z")
                               << QStringLiteral("zbc");
        QTest::newRow("last") << QStringLiteral("abc") << 3 << QStringLiteral("z")
                              << QStringLiteral("abz");
        QTest::newRow("text too short") << QStringLiteral("abc") << 4 << QStringLiteral("x")
                                        << QStringLiteral("abc");
        QTest::newRow("empty text") << QString() << 1 << QStringLiteral("x") << QString();
        // The first character of an empty text is the empty text: the character goes.
        QTest::newRow("empty c") << QStringLiteral("abc") << 2 << QString()
                                 << QStringLiteral("ac");
    }
    void replaceCharAt() {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, c);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceCharAt(text, n, c), expected);
    }

    void deleteCharAt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << QStringLiteral("abc") << 0 << QStringLiteral("abc");
        QTest::newRow("past the end") << QStringLiteral("abc") << 4 << QStringLiteral("abc");
        QTest::newRow("negative") << QStringLiteral("abc") << -1 << QStringLiteral("abc");
        QTest::newRow("first") << QStringLiteral("abc") << 1 << QStringLiteral("bc");
        QTest::newRow("last") << QStringLiteral("abc") << 3 << QStringLiteral("ab");
        QTest::newRow("only") << QStringLiteral("a") << 1 << QString();
    }
    void deleteCharAt() {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(DeleteCharAt(text, n), expected);
    }

    void replaceChar_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("expected");
        QTest::newRow("every occurrence") << QStringLiteral("1 John 3-16-17") << QStringLiteral("-")
                                          << QStringLiteral(":") << QStringLiteral("1 John 3:16:17");
        QTest::newRow("first characters only") << QStringLiteral("a-b") << QStringLiteral("-x")
                                               << QStringLiteral("+y") << QStringLiteral("a+b");
        QTest::newRow("letter case kept") << QStringLiteral("aAa") << QStringLiteral("a")
                                          << QStringLiteral("b") << QStringLiteral("bAb");
        QTest::newRow("not present") << QStringLiteral("abc") << QStringLiteral("z")
                                     << QStringLiteral("y") << QStringLiteral("abc");
        QTest::newRow("empty a") << QStringLiteral("abc") << QString() << QStringLiteral("x")
                                 << QStringLiteral("abc");
        QTest::newRow("empty b removes") << QStringLiteral("a-b-c") << QStringLiteral("-")
                                         << QString() << QStringLiteral("abc");
    }
    void replaceChar() {
        QFETCH(QString, text);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceChar(text, a, b), expected);
    }

    void dayText_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Sunday") << QDate(2024, 6, 2) << QStringLiteral("LEV 23:3");
        QTest::newRow("Monday") << QDate(2024, 6, 3) << QStringLiteral("Monday");
        QTest::newRow("Tuesday") << QDate(2024, 6, 4) << QStringLiteral("Tuesday");
        QTest::newRow("Wednesday") << QDate(2024, 6, 5) << QStringLiteral("Wednesday");
        QTest::newRow("Thursday") << QDate(2024, 6, 6) << QStringLiteral("Thursday");
        QTest::newRow("Friday") << QDate(2024, 6, 7) << QStringLiteral("Friday");
        QTest::newRow("Saturday") << QDate(2024, 6, 8) << QStringLiteral("Saturday");
        QTest::newRow("leap day, Thursday") << QDate(2024, 2, 29) << QStringLiteral("Thursday");
        QTest::newRow("Sunday long ago") << QDate(1611, 5, 1) << QStringLiteral("LEV 23:3");
    }
    void dayText() {
        QFETCH(QDate, date);
        QFETCH(QString, expected);
        QCOMPARE(DayText(date), expected);
    }
};

QTEST_GUILESS_MAIN(TestTolvaneRoutines)
#include "tst_TolvaneRoutines.moc"
