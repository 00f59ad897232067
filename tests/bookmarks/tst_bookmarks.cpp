#include "MainMenuFixture.h"
#include "ModalDriver.h"
#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "bookmarks/BookmarkStore.h"
#include "bookmarks/fBookmarkList.h"
#include "bookmarks/fMenAdd.h"
#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

namespace {

Bookmark mark(const QString& title, const QString& file) {
    return Bookmark{title, "Cat", "01-Jan-2024", "GENESIS 001:001", file};
}

// The bookmark list on a throw-away program folder, with the pane it works on.
struct ListFixture {
    TestProgramFolder folder;
    std::unique_ptr<SettingsStore> settings;
    ScriptedDialogs dialogs;
    std::unique_ptr<ProgramState> state;
    QTextEdit pane;
    std::unique_ptr<fBookmarkList> list;

    // expectBox: the text of the box the load is expected to show.
    explicit ListFixture(const QByteArray& bookmarksTxt = QByteArray(),
                         const QString& expectBox = QString()) {
        folder.makeStandard();
        if (!bookmarksTxt.isNull())
            folder.write("Bookmarks.txt", bookmarksTxt);
        settings = folder.makeSettings();
        state = std::make_unique<ProgramState>(*settings, dialogs);
        state->programDir = folder.path();
        DataFolders::SetProgramPaths(*state);
        Catalogues::LoadBookCatalogue(*state);
        list = std::make_unique<fBookmarkList>(*state, &pane);
        if (!expectBox.isEmpty())
            dialogs.expectMessage(Dialogs::Answer::Ok, expectBox);
        list->LoadBookmarks();
    }
    // Queues what the user types into the add/edit dialog, then clicks OK or Cancel.
    void answerDialog(const QString& title, bool ok = true, const QString& category = "Cat") {
        ModalDriver::whenModal("fMenAdd", [=](QWidget* w) {
            auto* d = static_cast<fMenAdd*>(w);
            d->tTitle->setText(title);
            d->tCategory->setText(category);
            d->cboBook->setCurrentText("SONG_OF_SOLOMON");
            d->tChapter->setText("2");
            d->tVerse->setText("4");
            (ok ? d->cmdOK : d->cmdCancel)->click();
        });
    }
    void add(const QString& title, const QString& text = "Pane text") {
        pane.setPlainText(text);
        answerDialog(title);
        list->cmdAdd_Click();
    }
    QStringList titles() const {
        QStringList out;
        for (const Bookmark& b : list->rows())
            out << b.title;
        return out;
    }
    void select(int row) { list->LV->setCurrentItem(list->LV->topLevelItem(row)); }
    QByteArray listFile() const { return folder.read("Bookmarks.txt"); }
};

} // namespace

class TestBookmarks : public QObject {
    Q_OBJECT

private slots:
    void fileNames_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("taken"); // an existing row's file name
        QTest::addColumn<QString>("name");
        QTest::newRow("spaces dropped") << "My Notes" << "" << "MyNotes.rtf";
        QTest::newRow("same name, other case") << "My notes" << "MyNotes.rtf" << "Mynotes_2.rtf";
        QTest::newRow("nothing usable") << "!!! ???" << "" << "Bookmark.rtf";
        QTest::newRow("nothing usable twice") << "***" << "Bookmark.rtf" << "Bookmark_2.rtf";
        QTest::newRow("path characters") << "../../etc/x" << "" << "etcx.rtf";
        QTest::newRow("dots only") << "..." << "" << "Bookmark.rtf";
        QTest::newRow("inner dots") << "Ps. 23..1." << "" << "Ps.23.1.rtf";
    }
    void fileNames() {
        QFETCH(QString, title);
        QFETCH(QString, taken);
        QFETCH(QString, name);
        QVector<Bookmark> rows;
        if (!taken.isEmpty())
            rows << mark("Other", taken);
        QCOMPARE(BookmarkStore::UniqueFileName(title, rows, -1), name);
        QVERIFY(BookmarkStore::SafeFileName(name));
        // The edited row's own name is free for it.
        if (!taken.isEmpty())
            QCOMPARE(BookmarkStore::UniqueFileName(title, rows, 0), BookmarkStore::MakeFN(title));
    }

    void duplicatesAreWholeTitles() {
        const QVector<Bookmark> rows{mark("John 3", "a.rtf"), mark("Psalms", "b.rtf")};
        QCOMPARE(BookmarkStore::FindDuplicate("John", rows, -1), -1);
        QCOMPARE(BookmarkStore::FindDuplicate("john 3", rows, -1), 0);
        QCOMPARE(BookmarkStore::FindDuplicate("PSALMS", rows, 1), -1);
        QCOMPARE(BookmarkStore::FindDuplicate("PSALMS", rows, 0), 1);
    }

    // A damaged line is reported, the rows around it load, and a save writes it back.
    void damagedListFile_data() {
        QTest::addColumn<QByteArray>("middle");
        QTest::newRow("quote in a title") << QByteArray("\"Say \"hi\"\",\"c\",\"d\",\"r\",\"x.rtf\"");
        QTest::newRow("four fields") << QByteArray("\"t\",\"c\",\"d\",\"r\"");
        QTest::newRow("path in file name") << QByteArray("\"t\",\"c\",\"d\",\"r\",\"../Books.txt\"");
        QTest::newRow("backslash") << QByteArray("\"t\",\"c\",\"d\",\"r\",\"a\\\\b.rtf\"");
        QTest::newRow("not quoted") << QByteArray("t,c,d,r,x.rtf");
    }
    void damagedListFile() {
        QFETCH(QByteArray, middle);
        const QByteArray first = BookmarkStore::FormatLine(mark("First", "First.rtf"));
        const QByteArray last = BookmarkStore::FormatLine(mark(QString::fromUtf8("Last é"), "Last.rtf"));
        const QByteArray file = first + "\r\n" + middle + "\r\n" + last + "\r\n";
        ListFixture f(file, "could not be read: 2");
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.titles(), (QStringList{"First", QString::fromUtf8("Last é")}));
        // A change rewrites the file at once, keeping the damaged line.
        f.dialogs.clear();
        f.select(0);
        f.dialogs.expectMessage(Dialogs::Answer::Yes);
        f.list->cmdDelete_Click();
        QCOMPARE(f.listFile(), last + "\r\n" + middle + "\r\n");
    }

    void addEditDeleteRewriteTheListEachTime() {
        ListFixture f;
        f.dialogs.setLenient(true);
        f.add("My Notes", "In the beginning");
        f.add("MyNotes", "Second");
        QCOMPARE(f.titles(), (QStringList{"My Notes", "MyNotes"}));
        const QVector<Bookmark> rows = f.list->rows();
        QCOMPARE(rows[0].fileName, "MyNotes.rtf");
        QCOMPARE(rows[1].fileName, "MyNotes_2.rtf");
        QCOMPARE(rows[1].reference, "SONG_OF_SOLOMON 002:004");
        QVERIFY(f.folder.read("Bookmarks/MyNotes.rtf").startsWith("{\\rtf"));
        QCOMPARE(f.listFile(), BookmarkStore::FormatLine(rows[0]) + "\r\n" +
                                   BookmarkStore::FormatLine(rows[1]) + "\r\n");

        // Edit: Cancel changes nothing; the date stays; a new title renames the snapshot.
        f.select(0);
        f.answerDialog("Renamed", false);
        f.list->cmdEdit_Click();
        QCOMPARE(f.list->rows()[0], rows[0]);
        f.select(0);
        f.answerDialog("My Notes");
        f.list->cmdEdit_Click(); // its own title is no duplicate
        QCOMPARE(f.list->rows()[0].fileName, "MyNotes.rtf");
        f.select(1);
        f.answerDialog("Psalm 23");
        f.list->cmdEdit_Click();
        const Bookmark edited = f.list->rows()[1];
        QCOMPARE(edited.fileName, "Psalm23.rtf");
        QCOMPARE(edited.date, rows[1].date);
        QVERIFY(f.folder.read("Bookmarks/Psalm23.rtf").contains("Second"));
        QVERIFY(!QFile::exists(f.folder.file("Bookmarks/MyNotes_2.rtf")));
        QVERIFY(f.listFile().contains("\"Psalm 23\""));

        // Go To puts the snapshot back into the pane and hides the window.
        QSignalSpy loaded(f.list.get(), &fBookmarkList::snapshotLoaded);
        f.pane.setPlainText("something else");
        f.select(0);
        f.list->cmdGoto_Click();
        QCOMPARE(f.pane.toPlainText(), "In the beginning");
        QCOMPARE(loaded.size(), 1);
        QVERIFY(loaded[0][0].toString().endsWith("Bookmarks/MyNotes.rtf"));

        // Update saves the pane over the selected snapshot.
        f.pane.setPlainText("Updated");
        f.list->cmdUpdate_Click();
        QVERIFY(f.folder.read("Bookmarks/MyNotes.rtf").contains("Updated"));

        f.select(0);
        f.dialogs.clear();
        f.dialogs.setLenient(false);
        f.dialogs.expectMessage(Dialogs::Answer::Yes, "My Notes");
        f.list->cmdDelete_Click();
        QCOMPARE(f.titles(), QStringList{"Psalm 23"});
        QVERIFY(!QFile::exists(f.folder.file("Bookmarks/MyNotes.rtf")));
        QCOMPARE(f.listFile(), BookmarkStore::FormatLine(edited) + "\r\n");

        // The next start sees what the last change left.
        fBookmarkList again(*f.state, &f.pane);
        again.LoadBookmarks();
        QCOMPARE(again.rows(), QVector<Bookmark>{edited});
    }

    // Each refusal shows its box and changes nothing.
    void refusals_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("box");
        QTest::newRow("duplicate in other case") << "FIRST" << "c" << "already exists";
        QTest::newRow("empty title") << "  " << "c" << "type a title";
        QTest::newRow("quote in title") << "Say \"yes\"" << "c" << "cannot hold";
        QTest::newRow("quote in category") << "New" << "\"x\"" << "cannot hold";
    }
    void refusals() {
        QFETCH(QString, title);
        QFETCH(QString, category);
        QFETCH(QString, box);
        ListFixture f(BookmarkStore::FormatLine(mark("First", "First.rtf")) + "\r\n");
        const QByteArray before = f.listFile();
        f.dialogs.expectMessage(Dialogs::Answer::Ok, box);
        const bool staysOpen = box != "already exists";
        ModalDriver::whenModal("fMenAdd", [=](QWidget* w) {
            auto* d = static_cast<fMenAdd*>(w);
            d->tTitle->setText(title);
            d->tCategory->setText(category);
            d->cmdOK->click();
            if (staysOpen) {
                QVERIFY(d->isVisible());
                d->cmdCancel->click();
            }
        });
        f.list->cmdAdd_Click();
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.titles(), QStringList{"First"});
        QCOMPARE(f.listFile(), before);
        QCOMPARE(QDir(f.folder.file("Bookmarks")).entryList(QDir::Files), QStringList{});
    }

    void commandsNeedASelection() {
        ListFixture f(BookmarkStore::FormatLine(mark("First", "First.rtf")) + "\r\n");
        f.list->LV->clearSelection();
        f.list->LV->setCurrentItem(nullptr);
        for (int i = 0; i < 3; ++i)
            f.dialogs.expectMessage(Dialogs::Answer::Ok, "select a bookmark");
        f.dialogs.expectMessage(Dialogs::Answer::Ok, "bookmark to update");
        f.list->cmdEdit_Click();
        f.list->cmdDelete_Click();
        f.list->cmdGoto_Click();
        f.list->cmdUpdate_Click();
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.titles(), QStringList{"First"});
    }

    // A listed bookmark whose snapshot is gone: Go To reports it and leaves the pane alone.
    void missingSnapshot() {
        ListFixture f(BookmarkStore::FormatLine(mark("First", "First.rtf")) + "\r\n");
        f.pane.setPlainText("kept");
        f.select(0);
        f.dialogs.expectMessage(Dialogs::Answer::Ok, "Load File");
        f.list->cmdGoto_Click();
        QCOMPARE(f.pane.toPlainText(), "kept");
        // Delete still works.
        f.dialogs.expectMessage(Dialogs::Answer::Yes);
        f.list->cmdDelete_Click();
        QCOMPARE(f.titles(), QStringList{});
    }

    void headerClicksSortDescendingThenAscending() {
        ListFixture f(BookmarkStore::FormatLine(mark("b", "b.rtf")) + "\r\n" +
                      BookmarkStore::FormatLine(mark("a", "a.rtf")) + "\r\n" +
                      BookmarkStore::FormatLine(mark("c", "c.rtf")) + "\r\n");
        f.list->LV_ColumnClick(0);
        QCOMPARE(f.titles(), (QStringList{"c", "b", "a"}));
        f.list->LV_ColumnClick(4);
        QCOMPARE(f.titles(), (QStringList{"a", "b", "c"}));
        QVERIFY(f.listFile().startsWith("\"a\""));
    }

    // Start-up fills the list; Go To from the Format menu puts the snapshot into the pane.
    void fromTheMainWindow() {
        MainMenuFixture f;
        f.folder.write("Bookmarks.txt", BookmarkStore::FormatLine(mark("Psalm", "Psalm.rtf")) +
                                            "\r\n");
        f.folder.write("Bookmarks/Psalm.rtf", "{\\rtf1\\ansi The LORD is my shepherd.\\par}");
        f.load();
        ModalDriver::whenModal("fBookmarkList", [](QWidget* w) {
            auto* list = static_cast<fBookmarkList*>(w);
            QCOMPARE(list->LV->topLevelItemCount(), 1);
            list->LV->setCurrentItem(list->LV->topLevelItem(0));
            list->cmdGoto->click();
        });
        f.window->findChild<QAction*>("mBookmark")->trigger();
        QCOMPARE(f.window->findChild<QTextEdit*>("RT")->toPlainText(), "The LORD is my shepherd.");
        QVERIFY(f.window->windowTitle().endsWith("Bookmarks/Psalm.rtf - Tolvane"));
        QVERIFY(!f.window->documentChanged());
    }
};

QTEST_MAIN(TestBookmarks)
#include "tst_bookmarks.moc"
