// The date-format window.
#include "DiaryFixture.h"
#include "diary/FormatDate.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestFormatDate : public QObject {
    Q_OBJECT
private slots:
    void separators_data();
    void separators();
    void cancelKeepsTheFormat();
};

void TestFormatDate::separators_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("format");
    QTest::newRow("dash") << 2 << 3 << "dd-MMM-yyyy";
    QTest::newRow("slash") << 7 << 3 << "dd/MMM/yyyy";
    QTest::newRow("none") << 1 << 3 << "ddMMMyyyy";
    QTest::newRow("dot, year first") << 6 << 9 << "yyyy.MM.dd";
}

void TestFormatDate::separators() {
    QFETCH(int, option);
    QFETCH(int, row);
    QFETCH(QString, format);
    DiaryFixture f;
    FormatDate window(f.state);
    QCOMPARE(window.windowTitle(), QStringLiteral("Format Date"));
    QCOMPARE(window.lstDate->count(), 12);
    QCOMPARE(window.lstDate->currentItem()->text(), QStringLiteral("dd-MMM-yyyy"));
    QVERIFY(window.op[1]->isChecked());
    window.op[size_t(option - 1)]->setChecked(true);
    window.lstDate->setCurrentRow(row);
    f.dialogs.expectMessage(Dialogs::Answer::Ok,
                            QStringLiteral("The date format is now ") + format);
    window.OKButton->click();
    QCOMPARE(f.state.DateFormat, format);
    QCOMPARE(f.settings->read("Settings", "DF", QString()), format);
    QCOMPARE(window.result(), int(QDialog::Accepted));
}

void TestFormatDate::cancelKeepsTheFormat() {
    DiaryFixture f;
    FormatDate window(f.state);
    window.op[6]->setChecked(true);
    window.CancelButton->click();
    QCOMPARE(f.state.DateFormat, QStringLiteral("dd-MMM-yyyy"));
    QVERIFY(!f.settings->contains("Settings", "DF"));
}

QTEST_MAIN(TestFormatDate)
#include "tst_formatdate.moc"
