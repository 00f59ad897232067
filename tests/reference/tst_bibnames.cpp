// The names window driven offscreen, Integrate Names over a rich-text pane as the main
// window feeds it, and tolvane-cli name.
#include "ReferenceFixture.h"

#include "reference/BibNAMES.h"
#include "reference/IntegrateNames.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
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
    }

    // Selections in a pane, as the main window hands them over.
    void integrateNames_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("searching");
        QTest::addColumn<QString>("title");
        QTest::newRow("lower case") << 0 << 4 << false << "Meaning of Zion";
        QTest::newRow("blanks around") << 9 << 6 << false << "Meaning of Abel";
        QTest::newRow("two letters") << 0 << 2 << false << QString();
        QTest::newRow("twenty letters") << 16 << 20 << false << QString();
        QTest::newRow("while searching") << 0 << 4 << true << QString();
        QTest::newRow("not a name") << 5 << 3 << false << QString();
    }
    void integrateNames() {
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(bool, searching);
        QFETCH(QString, title);
        IntegrateNames names(*f->state);
        f->dialogs.expectMessage(Dialogs::Answer::Ok, "Integrate Names is on.");
        names.Toggled(true);
        QTextEdit pane;
        pane.setPlainText("zion and  Abel  abcdefghijklmnopqrst");
        connect(&pane, &QTextEdit::selectionChanged, &pane, [&] {
            const QTextCursor c = pane.textCursor();
            names.selectionChanged(true, c.selectionEnd() - c.selectionStart(), searching,
                                   [&] { return c.selectedText(); });
        });
        if (!title.isEmpty())
            f->dialogs.expectMessage();
        QTextCursor c(pane.document());
        c.setPosition(from);
        c.setPosition(from + length, QTextCursor::KeepAnchor);
        pane.setTextCursor(c);
        QCOMPARE(f->dialogs.pending(), 0);
        const QList<ScriptedDialogs::Record>& shown = f->dialogs.records();
        QCOMPARE(shown.size(), title.isEmpty() ? 1 : 2);
        if (!title.isEmpty())
            QCOMPARE(shown.last().box.title, title);
    }

    void commandLineShowsTheMeaning() {
        open();
        lookUp("Abel");
        const ReferenceFixture::Run r = f->cli("name", {"Abel"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, w->Text1->toPlainText() + '\n');
        QCOMPARE(f->cli("name", {"abel"}).status, 1);
        QCOMPARE(f->cli("name", {}).status, 2);
    }
};

QTEST_MAIN(TestBibNames)
#include "tst_bibnames.moc"
