// The dictionary window driven offscreen: the lazily loaded headword list, an entry with its
// headword two points larger, the see-also list followed, and tolvane-cli dictionary.
#include "ReferenceFixture.h"

#include "reference/Dictionary.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {
// Types a headword and presses Enter, as the user looks one up.
void lookUp(QComboBox* box, const QString& text) {
    box->lineEdit()->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}
qreal pointSizeAt(const QTextEdit* pane, int block) {
    return pane->document()
        ->findBlockByNumber(block)
        .begin()
        .fragment()
        .charFormat()
        .fontPointSize();
}
} // namespace

class TestDictionary : public QObject {
    Q_OBJECT

    std::unique_ptr<ReferenceFixture> f;
    QPointer<Dictionary> w;

    void open() {
        w = new Dictionary(*f->state);
        QVERIFY(w->Form_Load());
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void focusLookup() {
        w->activateWindow();
        w->cboLookup->setFocus();
        QCoreApplication::processEvents();
    }

private slots:
    void init() { f = std::make_unique<ReferenceFixture>(); }
    void cleanup() {
        delete w;
        f.reset();
    }

    void noDictionaryInstalled() {
        f->state->DictionaryFile.clear();
        f->dialogs.expectMessage(Dialogs::Answer::Ok, "No dictionary is installed.");
        w = new Dictionary(*f->state);
        QVERIFY(!w->Form_Load());
        QVERIFY(f->dialogs.records().last().box.text.contains("http"));
    }

    // The list is read when the lookup list first gets the focus, once, and shows the first
    // headword; a failed read says so, and the next try lists each headword once.
    void headwordsLoadOnceOnFocus() {
        const QString file = f->folder.file("Modules/Dictionary/d_tst.txt");
        QVERIFY(QFile::rename(file, file + ".away"));
        open();
        QCOMPARE(w->windowTitle(), "Tolvane Dictionary");
        focusLookup();
        QVERIFY(w->lbl1->text().contains("could not be read"));
        QCOMPARE(w->cboLookup->count(), 0);
        QVERIFY(QFile::rename(file + ".away", file));
        w->cboLookup_GotFocus();
        QCOMPARE(items(w->cboLookup),
                 (QStringList{"AARON", "MOSES", "AARON", "PRIEST", "BADNUMBER", "ZEBRA"}));
        QCOMPARE(w->cboLookup->currentText(), "AARON");
        QVERIFY(w->lbl1->text().isEmpty());
        QVERIFY(QFile::remove(file)); // a second focus does not read again
        w->cboLookup_GotFocus();
        QCOMPARE(w->cboLookup->count(), 6);
    }

    // An entry, its see-also list followed, and the same entry from tolvane-cli dictionary.
    void entryAndSeeAlso() {
        open();
        focusLookup();
        lookUp(w->cboLookup, "AARON");
        QCOMPARE(
            w->RT->toPlainText(),
            QString::fromUtf8("AARON\nBrother of Moses\nSee MOSES ¯ n°00002 and PRIEST ¯ n°00004"));
        QCOMPARE(pointSizeAt(w->RT, 0), f->state->Bib1Fontsize + 2.0);
        QCOMPARE(pointSizeAt(w->RT, 1), qreal(f->state->Bib1Fontsize));
        QCOMPARE(items(w->cboAlt), (QStringList{"MOSES", "PRIEST"}));
        QCOMPARE(w->cboAlt->currentText(), "MOSES");
        // tolvane-cli dictionary prints what the window shows.
        const ReferenceFixture::Run r = f->cli("dictionary", {"AARON"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, w->RT->toPlainText() + "\nSee also: MOSES; PRIEST\n");
        // Following a see-also item shows that entry and its own references.
        w->cboAlt->setCurrentIndex(1);
        emit w->cboAlt->activated(1);
        QVERIFY(w->RT->toPlainText().startsWith("PRIEST\nBad marks"));
        QCOMPARE(w->cboAlt->count(), 0);
        // Not found (letter case counts): pane and list stay.
        lookUp(w->cboLookup, "zebra");
        QVERIFY(w->RT->toPlainText().startsWith("PRIEST"));
        lookUp(w->cboLookup, "ZEBRA");
        QCOMPARE(items(w->cboAlt), (QStringList{"AARON", "ZEBRA"}));
    }

    void commandLineRefusals() {
        QCOMPARE(f->cli("dictionary", {"aaron"}).status, 1); // letter case counts here too
        QCOMPARE(f->cli("dictionary", {}).status, 2);
        f->folder.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n");
        QCOMPARE(f->cli("dictionary", {"AARON"}).status, 2);
    }
};

QTEST_MAIN(TestDictionary)
#include "tst_dictionary.moc"
