// The commentary window driven offscreen: its lists, a refresh in verse and chapter mode, the
// waiting for a missing index, a failed refresh, and the same text from tolvane-cli.
#include "ReferenceFixture.h"

#include "library/FileFunctions.h"
#include "reference/Commentaries.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class TestCommentaries : public QObject {
    Q_OBJECT

    std::unique_ptr<ReferenceFixture> f;
    QPointer<Commentaries> w;

    void open() {
        w = new Commentaries(*f->state);
        QVERIFY(w->Form_Load());
        w->show();
    }

private slots:
    void init() { f = std::make_unique<ReferenceFixture>(); }
    void cleanup() {
        delete w;
        f.reset();
    }

    void noCommentaryInstalled() {
        QVERIFY(QFile::remove(f->folder.file("Modules/Commentary/c_tst.txt")));
        Catalogues::LoadTranslationCatalogue(*f->state);
        f->dialogs.expectMessage(Dialogs::Answer::Ok, "No commentary is installed.");
        w = new Commentaries(*f->state);
        QVERIFY(!w->Form_Load());
        QCOMPARE(f->dialogs.records().last().box.title, "No Commentary Tolvane");
    }

    // The index is built on load when it is missing; the lists offer the chapters and
    // verses the translation really holds, a Psalm's title line as verse 0 among them.
    void listsFollowTheTranslation() {
        open();
        QVERIFY(QFile::exists(f->folder.file("Index/b_tst.TXT.INDEX")));
        choose(w->cboBook, "Psalms");
        QCOMPARE(items(w->cboChap), QStringList{"3"});
        QCOMPARE(items(w->cboVs), (QStringList{"0", "1", "2"}));
        QCOMPARE(w->cboVs->currentText(), "1");
        QCOMPARE(w->CurChap, 3);
        choose(w->cboVs, "0");
        QCOMPARE(w->CurVerse, 0);
        QVERIFY(w->RTb->toPlainText().isEmpty()); // choosing does not refresh
        // A refresh loads the commentary's index; the lists still come from the Bible's.
        w->cmdGo->click();
        QCOMPARE(f->state->CurrentIndexFile, "c_tst.txt");
        choose(w->cboBook, "Genesis");
        QCOMPARE(items(w->cboChap), (QStringList{"1", "2"}));
        QCOMPARE(items(w->cboVs), (QStringList{"1", "2"}));
        // The second translation lacks the title line.
        choose(w->cboBook, "Psalms");
        choose(w->cboTrans, "Second");
        QCOMPARE(items(w->cboVs), QStringList{"1"});
    }

    void refreshShowsVerseOrChapterAndCommentary() {
        open();
        choose(w->cboBook, "Psalms");
        choose(w->cboVs, "0");
        w->cmdGo->click();
        QCOMPARE(w->RTb->toPlainText(), "PSALMS 3:0 A Psalm of David.");
        QCOMPARE(w->RTc->toPlainText(), "Psalm 3 opens.");
        QTest::mouseClick(w->chkChap, Qt::LeftButton);
        QVERIFY(w->cboVs->isHidden());
        w->cmdGo->click();
        QCOMPARE(w->RTb->toPlainText().split('\n').size(), 4); // three verses and a line end
        QVERIFY(w->RTb->toPlainText().startsWith(" PSALMS 3:0 "));
        choose(w->cboBook, "Exodus");
        w->cmdGo->click();
        QCOMPARE(w->RTc->toPlainText(), "There is no Commentary for this selection");
        QCOMPARE(f->dialogs.records().size(), 0);
        QVERIFY(!QApplication::overrideCursor());
    }

    // Each list entry keeps its own file: after the options window has switched a
    // translation off, the entry the window still lists reads the text it names.
    void translationEntryKeepsItsFile() {
        open();
        f->folder.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n2,0,\"Second\",\"b_two\"\r\n"
                                    "1700,1,\"Test Commentary\",\"c_tst\"\r\n");
        Catalogues::LoadTranslationCatalogue(*f->state);
        choose(w->cboTrans, "Second");
        w->cmdGo->click();
        QCOMPARE(w->CurBibleFile, "b_two.TXT");
        QCOMPARE(w->RTb->toPlainText(), "GENESIS 1:1 Second: In the beginning.");
    }

    // A missing index is built with the waiting text in the pane concerned.
    void waitingTextWhileAnIndexIsBuilt() {
        open();
        QStringList seen;
        connect(w->RTc, &QTextEdit::textChanged, w, [&] { seen << w->RTc->toPlainText(); });
        w->cmdGo->click();
        QVERIFY(seen.contains("Building index for Test Commentary Please stand by .."));
        QCOMPARE(w->RTc->toPlainText(), "Genesis\nChapter 1\nVerses 1-2\nGod  creates  all.");
    }

    // A refresh that cannot read its text, or write an index it needs, reports the error
    // with the pointer and the panes given back; the next refresh works once the cause is gone.
    void failedRefreshRestoresAndRecovers() {
        open();
        const QString text = f->folder.file("Modules/Bible/b_tst.txt");
        QVERIFY(QFile::rename(text, text + ".away"));
        f->dialogs.expectMessage(Dialogs::Answer::Ok, "cmdGo_Click");
        w->cmdGo->click();
        QVERIFY(f->dialogs.records().last().box.text.contains("b_tst.TXT"));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(w->RTb->isVisible() && w->RTc->isVisible());
        QVERIFY(w->RTc->toPlainText().isEmpty());
        QVERIFY(QFile::rename(text + ".away", text));
        // No index can be written where a file stands in place of the index folder.
        const QString index = f->folder.file("Index");
        QVERIFY(QDir(index).removeRecursively());
        f->folder.write("Index", "not a folder");
        f->dialogs.expectMessage(Dialogs::Answer::Ok, "b_tst.TXT.INDEX");
        w->cmdGo->click();
        QVERIFY(w->RTb->toPlainText().isEmpty());
        QVERIFY(QFile::remove(index) && QDir().mkpath(index));
        w->cmdGo->click();
        QCOMPARE(w->RTb->toPlainText(), "GENESIS 1:1 In the beginning God created the heaven.");
        QCOMPARE(f->dialogs.pending(), 0);
    }

    // tolvane-cli commentary prints both panes of the window.
    void commandLineShowsThePanes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("whole");
        QTest::newRow("verse") << QStringList{"--book", "19", "--chapter", "3", "--verse", "0"}
                               << false;
        QTest::newRow("chapter") << QStringList{"--book", "genesis", "--chapter", "1"} << true;
    }
    void commandLineShowsThePanes() {
        QFETCH(QStringList, args);
        QFETCH(bool, whole);
        open();
        choose(w->cboBook, whole ? "Genesis" : "Psalms");
        if (!whole)
            choose(w->cboVs, "0");
        w->chkChap->setChecked(whole);
        w->cmdGo->click();
        const ReferenceFixture::Run r = f->cli("commentary", args);
        QCOMPARE(r.status, 0);
        QString bible = w->RTb->toPlainText();
        if (!bible.endsWith('\n'))
            bible += '\n';
        QCOMPARE(r.out, bible + '\n' + w->RTc->toPlainText() + '\n');
    }

    void commandLineRefusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("no chapter") << QStringList{"--book", "1"} << 2;
        QTest::newRow("book 67") << QStringList{"--book", "67", "--chapter", "1"} << 2;
        QTest::newRow("verse abc")
            << QStringList{"--book", "1", "--chapter", "1", "--verse", "abc"} << 2;
        QTest::newRow("no commentary on it") << QStringList{"--book", "2", "--chapter", "1"} << 1;
        QTest::newRow("no program folder")
            << QStringList{"--folder", "/nonexistent", "--book", "1", "--chapter", "1"} << 2;
    }
    void commandLineRefusals() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const ReferenceFixture::Run r = f->cli("commentary", args);
        QCOMPARE(r.status, status);
        if (status == 2)
            QCOMPARE(r.errors.count('\n'), 1); // one line, no usage text
    }
};

QTEST_MAIN(TestCommentaries)
#include "tst_commentaries.moc"
