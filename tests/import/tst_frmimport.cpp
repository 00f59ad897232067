#include "Controls.h"
#include "ImportFixture.h"
#include "SwordTestFolder.h"

#include "MainMenuFixture.h"
#include "ModalDriver.h"

#include "app/MainActions.h"
#include "import/SwordLibrary.h"
#include "import/frmImport.h"
#include "library/SettingsKeys.h"
#include "parallel/MultiBib.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The list as the user reads it: each row's columns joined by tabs, with "[ ] " or "[x] " in
// front of a row that can be ticked.
QStringList rows(const QTreeWidget* list, bool boxes = true) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        QStringList columns;
        for (int c = 0; c < list->columnCount(); ++c)
            columns.append(item->text(c));
        QString box;
        if (boxes && (item->flags() & Qt::ItemIsUserCheckable))
            box = item->checkState(0) == Qt::Checked ? QStringLiteral("[x] ")
                                                     : QStringLiteral("[ ] ");
        out.append(box + columns.join(QLatin1Char('\t')));
    }
    return out;
}

void tick(QTreeWidget* list, const QString& name) {
    const QList<QTreeWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    found.first()->setCheckState(0, Qt::Checked);
}

} // namespace

// The import window over a SWORD folder of test modules, as its user meets it.
class TestFrmImport : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SwordTestFolder> m_sword;

    void importThrough(frmImport& w, const QStringList& names) {
        for (const QString& name : names)
            tick(ctl<QTreeWidget>(w, "LV"), name);
        ctl<QPushButton>(w, "cmdImport")->click();
    }

private slots:
    void init() {
        if (!SwordLibrary::Available())
            QSKIP("Tolvane was built without libsword (apt-get install libsword-dev)");
        m_sword = std::make_unique<SwordTestFolder>();
        SwordTestFolder::Entries genesis;
        for (int v = 1; v <= 31; ++v)
            genesis.append({QStringLiteral("Gen 1:%1").arg(v),
                            QStringLiteral("In the beginning, verse %1.").arg(v)});
        m_sword->addBible("Small", genesis);
        m_sword->addBible(
            "Greek", {{"John 1:1", "Ἐν ἀρχῇ ἦν ὁ λόγος, καὶ ὁ λόγος ἦν πρὸς τὸν θεόν"}}, "grc");
        m_sword->addCommentary("Notes", {{"Gen 1:1", "On the beginning."}});
    }

    // Every module with what the user needs to choose, ticks only where an import can be; the
    // command line lists the same from the same folders.
    void listsTheInstalledModules() {
        ImportFixture f;
        const QStringList folders = SwordLibrary::StandardFolders() << m_sword->path();
        frmImport w(*f.state, folders);
        QCOMPARE(w.windowTitle(), QStringLiteral("Import Module"));
        const QStringList shown = rows(ctl<QTreeWidget>(w, "LV"));
        for (const char* row : {"Greek\tGreek test module\tBible\tgrc\tNo: its text is written in "
                                "Greek letters, which Windows-1252 cannot hold.",
                                "[ ] Notes\tNotes test module\tCommentary\ten\tYes",
                                "[ ] Small\tSmall test module\tBible\ten\tYes"})
            QVERIFY2(shown.contains(QLatin1String(row)), row);
        QCOMPARE(ctl<QLabel>(w, "lblFolders")->text(), "SWORD folders: " + folders.join("; "));
        QVERIFY(ctl<QPushButton>(w, "cmdImport")->isEnabled());
        QVERIFY(!ctl<QPushButton>(w, "cmdStop")->isEnabled());

        QProcess cli;
        cli.start(QStringLiteral(TOLVANE_CLI),
                  {"import", "--folder", f.folder.path(), "--sword", m_sword->path(), "--list"});
        QVERIFY(cli.waitForFinished(120000));
        QCOMPARE(cli.exitCode(), 0);
        QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
        lines.removeAll(QString());
        QCOMPARE(lines, rows(ctl<QTreeWidget>(w, "LV"), false));
    }

    // Ticked modules come in with a progress bar; every window hears of each at once.
    void importsTheTickedModules() {
        ImportFixture f;
        frmImport w(*f.state, {m_sword->path()});
        QSignalSpy reloaded(&w, &frmImport::catalogueReloaded);
        int highest = 0;
        connect(ctl<QProgressBar>(w, "ProgressBar1"), &QProgressBar::valueChanged,
                [&](int v) { highest = qMax(highest, v); });
        f.dialogs.expectMessage(Dialogs::Answer::Ok,
                                "Imported: Notes test module (c_notes.txt, 1).\r\n\r\n"
                                "Imported: Small test module (b_small.txt, 31).");
        importThrough(w, {"Small", "Notes"});
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(reloaded.count(), 2);
        QCOMPARE(highest, 100);
        QCOMPARE(ctl<QProgressBar>(w, "ProgressBar1")->value(), 0);
        QCOMPARE(f.state->BibleNames, (QStringList{"Test Bible", "Small test module"}));
        QCOMPARE(f.state->CommentaryNames.first(), QStringLiteral("Notes test module"));
        QVERIFY(ctl<QTreeWidget>(w, "LV")->isEnabled());
    }

    // A second import asks first; No leaves the library as it is.
    void asksBeforeReplacing() {
        ImportFixture f;
        frmImport w(*f.state, {m_sword->path()});
        f.dialogs.expectMessage(Dialogs::Answer::Ok, "Imported:");
        importThrough(w, {"Small"});
        const auto before = f.snapshot();
        QSignalSpy reloaded(&w, &frmImport::catalogueReloaded);
        f.dialogs.expectMessage(Dialogs::Answer::No,
                                "Small test module (b_small) is in the library already.");
        ctl<QPushButton>(w, "cmdImport")->click();
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.snapshot(), before);
        QCOMPARE(reloaded.count(), 0);
        f.dialogs.expectMessage(Dialogs::Answer::Yes, "is in the library already");
        f.dialogs.expectMessage(Dialogs::Answer::Ok, "Imported: Small test module");
        ctl<QPushButton>(w, "cmdImport")->click();
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(f.state->BibleFiles, (QStringList{"b_tst.TXT", "b_small.TXT"}));
    }

    // Stop half-way, or closing the window while it imports: nothing changes.
    void stoppingChangesNothing_data() {
        QTest::addColumn<bool>("close");
        QTest::newRow("stop button") << false;
        QTest::newRow("window closed") << true;
    }
    void stoppingChangesNothing() {
        QFETCH(bool, close);
        ImportFixture f;
        frmImport w(*f.state, {m_sword->path()});
        w.show();
        const auto before = f.snapshot();
        QSignalSpy reloaded(&w, &frmImport::catalogueReloaded);
        // Runs from the progress step of the import, as a click of the user's would.
        QTimer::singleShot(0, &w, [&] {
            if (close)
                w.reject();
            else
                ctl<QPushButton>(w, "cmdStop")->click();
        });
        f.dialogs.expectMessage(Dialogs::Answer::Ok,
                                "The import of Small was stopped. The library is unchanged.");
        importThrough(w, {"Small"});
        QCOMPARE(f.dialogs.pending(), 0);
        QCOMPARE(f.snapshot(), before);
        QCOMPARE(reloaded.count(), 0);
        QCOMPARE(w.isVisible(), !close);
    }

    // A folder of the user's choosing is listed too, and remembered.
    void chosenFolder() {
        ImportFixture f;
        SwordTestFolder other;
        other.addBible(
            "Extra",
            {{"Gen 1:1",
              "In the beginning God created the heaven and the earth, and all that is in them."}});
        QTemporaryDir notSword;
        frmImport w(*f.state, {m_sword->path()});
        f.dialogs.expectFolder(notSword.path());
        f.dialogs.expectMessage(Dialogs::Answer::Ok,
                                "holds no SWORD modules (it has no mods.d folder)");
        ctl<QPushButton>(w, "cmdFolder")->click();
        f.dialogs.expectFolder(other.path());
        ctl<QPushButton>(w, "cmdFolder")->click();
        QCOMPARE(f.dialogs.pending(), 0);
        QVERIFY(rows(ctl<QTreeWidget>(w, "LV"))
                    .contains("[ ] Extra\tExtra test module\tBible\ten\tYes"));
        QCOMPARE(f.settings->read(SettingsKeys::Settings, SettingsKeys::ImportFolder, QString()),
                 other.path());
        const frmImport again(*f.state, {m_sword->path()});
        QCOMPARE(ctl<QTreeWidget>(again, "LV")->topLevelItemCount(), 4);
    }

    // From the Tools menu: the imported Bible is offered at once by the main window and the
    // multi-Bible view already open.
    void mainWindowOffersTheImportedBible() {
        MainMenuFixture m;
        m.load();
        const MainActions& a = m.window->actions();
        a.view.multiBible->trigger();
        MultiBib* view = m.window->findChild<MultiBib*>();
        QVERIFY(view);
        qputenv("SWORD_PATH", m_sword->path().toUtf8());
        ModalDriver::whenModal(QStringLiteral("frmImport"), [](QWidget* w) {
            tick(ctl<QTreeWidget>(*w, "LV"), "Small");
            ctl<QPushButton>(*w, "cmdImport")->click();
            ctl<QPushButton>(*w, "cmdClose")->click();
        });
        m.dialogs.expectMessage(Dialogs::Answer::Ok, "Imported: Small test module");
        QCOMPARE(a.tools.importModule->text(), QStringLiteral("&Import Module..."));
        a.tools.importModule->trigger();
        qunsetenv("SWORD_PATH");
        QCOMPARE(m.dialogs.pending(), 0);
        auto* list = ctl<QComboBox>(*m.window, "cboTranslation");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(1), QStringLiteral("Small test module"));
        view->cmdGo->click();
        QTRY_VERIFY(view->RT->toPlainText().contains("In the beginning, verse 1."));
    }
};

QTEST_MAIN(TestFrmImport)
#include "tst_frmimport.moc"
