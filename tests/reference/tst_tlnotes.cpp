// The translation notes window driven offscreen: the titles, the chosen article, printing
// from its own pane through the print preview, and tolvane-cli notes.
#include "ModalDriver.h"
#include "ReferenceFixture.h"

#include "printing/PageLayout.h"
#include "printing/PrintService.h"
#include "printing/frmDocPreview.h"
#include "reference/TLNOtes.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class TestTLNotes : public QObject {
    Q_OBJECT

    std::unique_ptr<ReferenceFixture> f;
    std::unique_ptr<PrintService> printing;
    QPointer<TLNOtes> w;

    void open() {
        printing = std::make_unique<PrintService>(*f->state);
        w = new TLNOtes(*f->state, *printing);
        w->Form_Load();
        w->show();
    }
    void choose(int index) {
        w->Combo1->setCurrentIndex(index);
        emit w->Combo1->activated(index);
    }

private slots:
    void init() { f = std::make_unique<ReferenceFixture>(); }
    void cleanup() {
        delete w;
        printing.reset();
        f.reset();
    }

    void titlesAndArticles() {
        open();
        QCOMPARE(items(w->Combo1), (QStringList{"b_tst", "empty", "$$c_tst", "b_tst"}));
        QCOMPARE(w->RT->toPlainText(), "Test Bible notes.\nsecond line\n");
        choose(2);
        QCOMPARE(w->RT->toPlainText(), "Commentary notes.\n");
        choose(1);
        QCOMPARE(w->RT->toPlainText(), QString());
        choose(3); // the second "b_tst": the first one's article
        QCOMPARE(w->RT->toPlainText(), "Test Bible notes.\nsecond line\n");
    }

    void fileWithoutHeadings() {
        f->folder.write("Modules/TLNotes.txt", "no heading\r\n");
        open();
        QCOMPARE(w->Combo1->count(), 0);
        QVERIFY(w->RT->toPlainText().isEmpty());
        QCOMPARE(f->cli("notes", {}).status, 1);
    }

    // The preview lays out this window's own text, and its print button prints it.
    void printsItsOwnTextThroughThePreview() {
        open();
        choose(2);
        QString previewed;
        ModalDriver::whenModal("frmDocPreview", [&](QWidget* window) {
            auto* preview = static_cast<frmDocPreview*>(window);
            previewed = preview->layout()->text();
            preview->cmdPrint->click();
        });
        const QString pdf = f->folder.path() + "/notes.pdf";
        f->dialogs.expectPrinter(true, [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
        });
        w->PrintPreview->click();
        QCOMPARE(previewed.trimmed(), "Commentary notes.");
        QCOMPARE(f->dialogs.pending(), 0);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(w->RT->toPlainText(), "Commentary notes.\n"); // the pane keeps its text
    }

    void commandLineShowsTheNotes() {
        open();
        choose(2);
        ReferenceFixture::Run r = f->cli("notes", {"$$c_tst"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, w->RT->toPlainText());
        r = f->cli("notes", {});
        QCOMPARE(r.out, "b_tst\nempty\n$$c_tst\nb_tst\n");
        QCOMPARE(f->cli("notes", {"B_TST"}).status, 1);
        QVERIFY(QFile::remove(f->folder.file("Modules/TLNotes.txt")));
        QCOMPARE(f->cli("notes", {}).status, 2);
    }
};

QTEST_MAIN(TestTLNotes)
#include "tst_tlnotes.moc"
