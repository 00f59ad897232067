// The reference windows from the main window: their items follow the installed modules, each
// opens once through the window opener, keeps its placement and closes at shut-down; Integrate
// Names answers a selection in the main pane; the notes print without touching that pane.
#include "Controls.h"
#include "MainMenuFixture.h"
#include "ModalDriver.h"
#include "ReferenceFixture.h"

#include "printing/PageLayout.h"
#include "printing/frmDocPreview.h"
#include "reference/Dictionary.h"
#include "reference/TLNOtes.h"

#include <QAction>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

class TestReferenceMain : public QObject {
    Q_OBJECT

private slots:
    void itemsOpenEachWindowOnce_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("placement");
        const char* const rows[][3] = {{"Commentary", "Commentaries", "ScreenCoMM"},
                                       {"Dictionaries", "Dictionary", "ScreenDict"},
                                       {"Two", "BibNAMES", "ScreenN"},
                                       {"BMaps", "Maps", "ScreenMap"},
                                       {"TranslationNotes", "TLNOtes", "ScreenTN"}};
        for (const auto& r : rows)
            QTest::newRow(r[1]) << r[0] << r[1] << r[2];
    }
    void itemsOpenEachWindowOnce() {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(QString, placement);
        MainMenuFixture f;
        ReferenceFixture::WriteLibrary(f.folder);
        f.load();
        QAction* action = ctl<QAction>(*f.window, qPrintable(item));
        QCOMPARE(action->isEnabled(), window != "Maps"); // no map yet
        f.folder.write("Modules/Maps/Jerusalem.jpg", "x");
        f.window->Form_Activate();
        QVERIFY(action->isEnabled());
        action->trigger();
        action->trigger();
        const QList<QWidget*> open = f.window->findChildren<QWidget*>(window);
        QCOMPARE(open.size(), 1);
        QPointer<QWidget> w = open.first();
        QVERIFY(w->isVisible());
        w->resize(500, 300);
        w->close(); // closed by the user: placement kept, window gone
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w);
        QVERIFY(f.settings->readNumber("Settings", placement + "X", 0) > 0);
        action->trigger();
        QVERIFY(f.window->findChild<QWidget*>(window)->isVisible());
        QVERIFY(f.window->close()); // shut-down closes it
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.window->findChild<QWidget*>(window));
    }

    // The folder holds a dictionary the catalogue does not name: the item is offered, and
    // the window says there is none and does not open.
    void missingModuleOpensNoWindow() {
        MainMenuFixture f;
        ReferenceFixture::WriteLibrary(f.folder);
        f.folder.writeTranslations("1,1,\"Test Bible\",\"b_tst\"\r\n");
        f.load();
        f.dialogs.expectMessage(Dialogs::Answer::Ok, "No dictionary is installed.");
        ctl<QAction>(*f.window, "Dictionaries")->trigger();
        QVERIFY(!f.window->findChild<Dictionary*>());
        QCOMPARE(f.dialogs.pending(), 0);
    }

    void integrateNamesInTheMainPane() {
        MainMenuFixture f;
        ReferenceFixture::WriteLibrary(f.folder);
        f.load();
        QAction* item = ctl<QAction>(*f.window, "menIntegrateNames");
        f.dialogs.expectMessage(Dialogs::Answer::Ok, "Integrate Names is on.");
        item->trigger();
        auto* pane = ctl<QTextEdit>(*f.window, "RT");
        pane->setPlainText("Cain and abel went out.");
        QTextCursor c(pane->document());
        c.setPosition(9);
        c.setPosition(13, QTextCursor::KeepAnchor);
        f.dialogs.expectMessage(Dialogs::Answer::Ok, "breath");
        pane->setTextCursor(c);
        QCOMPARE(f.dialogs.records().last().box.title, "Meaning of Abel");
        item->trigger(); // off: no message, and selections stay quiet
        c.setPosition(9);
        pane->setTextCursor(c);
        c.setPosition(13, QTextCursor::KeepAnchor);
        pane->setTextCursor(c);
        QCOMPARE(f.dialogs.records().size(), 2);
    }

    // The notes print from their own pane through the preview: an unsaved notepad keeps its
    // text and its mark.
    void notesPrintLeavesTheNotepadAlone() {
        MainMenuFixture f;
        ReferenceFixture::WriteLibrary(f.folder);
        f.load();
        auto* pane = ctl<QTextEdit>(*f.window, "RT");
        pane->setPlainText("my unsaved note");
        f.window->setDocumentChanged(true);
        ctl<QAction>(*f.window, "TranslationNotes")->trigger();
        QString previewed;
        ModalDriver::whenModal("frmDocPreview", [&](QWidget* window) {
            auto* preview = static_cast<frmDocPreview*>(window);
            previewed = preview->layout()->text();
            preview->cmdPrint->click();
        });
        const QString pdf = f.folder.path() + "/notes.pdf";
        f.dialogs.expectPrinter(true, [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
        });
        f.window->findChild<TLNOtes*>()->PrintPreview->click();
        QVERIFY(previewed.startsWith("Test Bible notes.\nsecond line"));
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(pane->toPlainText(), "my unsaved note");
        QVERIFY(f.window->documentChanged());
    }
};

QTEST_MAIN(TestReferenceMain)
#include "tst_mainwindow.moc"
