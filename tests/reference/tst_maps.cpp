// The maps window driven offscreen: the list, a picture in the pane that scrolls when larger
// than the window, a file that is not a picture, and a clipboard left to its user.
#include "ReferenceFixture.h"

#include "reference/Maps.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>

class TestMaps : public QObject {
    Q_OBJECT

    std::unique_ptr<ReferenceFixture> f;
    QPointer<Maps> w;

    void open() {
        w = new Maps(*f->state);
        w->Form_Load();
        w->resize(400, 300);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    void choose(const QString& name) { ::choose(w->Combo1, name); }

private slots:
    void init() {
        f = std::make_unique<ReferenceFixture>();
        f->writeMap("Jerusalem.JPG", QSize(120, 80), "JPG");
        f->writeMap("Paul.journeys.bmp", QSize(1500, 1000), "BMP");
        f->folder.write("Modules/Maps/broken.jpg", "not a picture");
        f->folder.write("Modules/Maps/notes.txt", "a text file");
        f->folder.write("Modules/Maps/old.jpg.txt", "not a map either");
        QGuiApplication::clipboard()->setText("the user's own text");
    }
    void cleanup() {
        delete w;
        f.reset();
    }

    void listsPicturesAndShowsTheFirst() {
        open();
        QCOMPARE(items(w->Combo1),
                 (QStringList{"broken.jpg", "Jerusalem.JPG", "Paul.journeys.bmp"}));
        QCOMPARE(w->windowTitle(), "Tolvane Bible Maps");
        // The first is not a picture: an empty pane that says so.
        QCOMPARE(w->lbl->text(), "broken");
        QVERIFY(w->picture().isNull());
        QVERIFY(w->TXT1->toPlainText().isEmpty());
        QVERIFY(w->TXT1->placeholderText().contains("broken.jpg"));
        choose("Jerusalem.JPG");
        QCOMPARE(w->lbl->text(), "Jerusalem");
        QCOMPARE(w->picture().size(), QSize(120, 80));
        QVERIFY(w->TXT1->placeholderText().isEmpty());
        QCOMPARE(w->TXT1->toPlainText(), QString(QChar::ObjectReplacementCharacter));
    }

    void largerMapScrolls() {
        open();
        choose("Paul.journeys.bmp");
        QCOMPARE(w->lbl->text(), "Paul");
        QVERIFY(w->TXT1->horizontalScrollBar()->maximum() > 0);
        QVERIFY(w->TXT1->verticalScrollBar()->maximum() > 0);
        choose("Jerusalem.JPG");
        QCOMPARE(w->TXT1->horizontalScrollBar()->maximum(), 0);
    }

    // Showing a map and coming back to the window leave the clipboard alone; only with
    // "AutoClearClip" on does a chosen map go there, for the user to paste.
    void clipboardLeftToTheUser() {
        open();
        choose("Jerusalem.JPG");
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(w, &activate);
        QCOMPARE(QGuiApplication::clipboard()->text(), "the user's own text");
        f->store->write("Settings", "AutoClearClip", "1");
        choose("Paul.journeys.bmp");
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(1500, 1000));
    }

    void emptyFolder() {
        for (const char* name : {"Jerusalem.JPG", "Paul.journeys.bmp", "broken.jpg"})
            QVERIFY(QFile::remove(f->folder.file(QStringLiteral("Modules/Maps/") + name)));
        open();
        QCOMPARE(w->Combo1->count(), 0);
        QVERIFY(w->TXT1->placeholderText().startsWith("There are no maps"));
    }
};

QTEST_MAIN(TestMaps)
#include "tst_maps.moc"
