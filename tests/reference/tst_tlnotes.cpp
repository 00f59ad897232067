// The translation notes window driven offscreen: the titles, the chosen article, and
// tolvane-cli notes beside it. (Printing is tested from the main window, tst_mainwindow.)
#include "ReferenceFixture.h"

#include "printing/PrintService.h"
#include "reference/TLNOtes.h"

#include <QPointer>
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

    // Headings with text before the "$$", an empty article and a repeated title; the command
    // line prints what the window lists and shows.
    void titlesAndArticlesAsTheCommandLine() {
        open();
        const QStringList titles{"b_tst", "empty", "$$c_tst", "b_tst"};
        QCOMPARE(items(w->Combo1), titles);
        QCOMPARE(w->RT->toPlainText(), "Test Bible notes.\nsecond line\n");
        QCOMPARE(f->cli("notes", {}).out, titles.join('\n') + '\n');
        choose(2);
        const ReferenceFixture::Run r = f->cli("notes", {"$$c_tst"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, w->RT->toPlainText());
        QCOMPARE(r.out, "Commentary notes.\n");
        choose(1);
        QCOMPARE(w->RT->toPlainText(), QString());
        choose(3); // the second "b_tst": the first one's article
        QCOMPARE(w->RT->toPlainText(), "Test Bible notes.\nsecond line\n");
        QCOMPARE(f->cli("notes", {"B_TST"}).status, 1);
    }

    void fileWithoutHeadingsOrNoFile() {
        f->folder.write("Modules/TLNotes.txt", "no heading\r\n");
        open();
        QCOMPARE(w->Combo1->count(), 0);
        QVERIFY(w->RT->toPlainText().isEmpty());
        QCOMPARE(f->cli("notes", {}).status, 1);
        QVERIFY(QFile::remove(f->folder.file("Modules/TLNotes.txt")));
        QCOMPARE(f->cli("notes", {}).status, 2);
    }
};

QTEST_MAIN(TestTLNotes)
#include "tst_tlnotes.moc"
