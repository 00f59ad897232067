// The names window driven offscreen, Integrate Names over a rich-text pane as the main
// window feeds it, and tolvane-cli name.
#include "ReferenceFixture.h"

#include "reference/BibNAMES.h"
#include "reference/IntegrateNames.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QtTest>

class TestBibNames : public QObject {
    Q_OBJECT

    std::unique_ptr<ReferenceFixture> f;
    QPointer<BibNAMES> w;

    void open() {
        w = new BibNAMES(*f->state);
        QVERIFY(w->Form_Load());
        w->show();
    }
    void lookUp(const QString& name) {
        w->cboWord->lineEdit()->setText(name);
        QTest::keyClick(w->cboWord, Qt::Key_Return);
    }

private slots:
    void init() { f = std::make_unique<ReferenceFixture>(); }
    void cleanup() {
        delete w;
        f.reset();
    }

    void noNamesModule() {
        f->state->NamesModuleFile.clear();
        f->dialogs.expectMessage(Dialogs::Answer::Ok, "No Bible names module is installed.");
        w = new BibNAMES(*f->state);
        QVERIFY(!w->Form_Load());
    }

    // The window and tolvane-cli name alike: the first of equal names, letter case counting.
    void namesAndMeanings() {
        open();
        QCOMPARE(w->windowTitle(), "Bible Names");
        QCOMPARE(w->cboWhichNames->currentText(), "Test Names");
        QCOMPARE(w->cboWord->count(), 5);
        QCOMPARE(w->cboWord->currentText(), "Aaron");
        lookUp("Abel");
        QCOMPARE(w->Text1->toPlainText(), "breath"); // the first of two
        lookUp("zion");                              // letter case counts here
        QCOMPARE(w->Text1->toPlainText(), "breath");
        w->cboWord->setCurrentIndex(w->cboWord->findText("Zion"));
        emit w->cboWord->activated(w->cboWord->currentIndex());
        QCOMPARE(w->Text1->toPlainText(), "sunny | mountain");
        lookUp("Abel");
        const ReferenceFixture::Run r = f->cli("name", {"Abel"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, w->Text1->toPlainText() + '\n');
        QCOMPARE(f->cli("name", {"abel"}).status, 1);
        QCOMPARE(f->cli("name", {}).status, 2);
    }

    // Selections as the main window hands them over (its wiring: tst_mainwindow).
    void integrateNames_data() {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<bool>("searching");
        QTest::addColumn<QString>("title");
        QTest::newRow("lower case") << "zion" << false << "Meaning of Zion";
        QTest::newRow("blanks around") << " Abel " << false << "Meaning of Abel";
        QTest::newRow("two letters") << "Ab" << false << QString();
        QTest::newRow("twenty letters") << "abcdefghijklmnopqrst" << false << QString();
        QTest::newRow("while searching") << "Zion" << true << QString();
        QTest::newRow("not a name") << "and" << false << QString();
    }
    void integrateNames() {
        QFETCH(QString, selection);
        QFETCH(bool, searching);
        QFETCH(QString, title);
        IntegrateNames names(*f->state);
        if (!title.isEmpty())
            f->dialogs.expectMessage();
        QCOMPARE(names.selectionChanged(true, int(selection.size()), searching,
                                        [&] { return selection; }),
                 !title.isEmpty());
        if (!title.isEmpty())
            QCOMPARE(f->dialogs.records().last().box.title, title);
    }
};

QTEST_MAIN(TestBibNames)
#include "tst_bibnames.moc"
