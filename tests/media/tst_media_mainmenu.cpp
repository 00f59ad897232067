// The help-file and audio Bible buttons of the main window, on the shipped files.
#include "Controls.h"
#include "MainMenuFixture.h"
#include "ModalDriver.h"
#include "media/frmCHM.h"
#include "media/frmMP3.h"
#include "platform/HelpViewer.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
bool copyShipped(const TestProgramFolder& folder, const QString& rel) {
    folder.write(rel, QByteArray());
    QFile::remove(folder.file(rel));
    return QFile::copy(QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/") + rel,
                       folder.file(rel));
}
} // namespace

class TestMediaMainMenu : public QObject {
    Q_OBJECT

private slots:
    // Nothing installed: both buttons are offered; the help-file one asks and opens the page.
    void buttonsWithNothingInstalled() {
        MainMenuFixture f;
        f.load();
        auto* chm = ctl<QToolButton>(*f.window, "cmdCHM");
        QVERIFY(chm->isEnabled());
        QVERIFY(ctl<QToolButton>(*f.window, "cmdMP3")->isEnabled());
        f.dialogs.expectMessage(Dialogs::Answer::No, QStringLiteral("No help-file Bibles"));
        QTest::mouseClick(chm, Qt::LeftButton);
        QVERIFY(f.opener.opened.isEmpty());
        f.dialogs.expectMessage(Dialogs::Answer::Yes, QStringLiteral("No help-file Bibles"));
        QTest::mouseClick(chm, Qt::LeftButton);
        QCOMPARE(f.opener.opened, QStringList{QStringLiteral("https://tolvane.example.org/")});

        f.dialogs.expectMessage(Dialogs::Answer::No, QStringLiteral("No audio Bibles"));
        QTest::mouseClick(ctl<QToolButton>(*f.window, "cmdMP3"), Qt::LeftButton);
        auto* audio = ctl<frmMP3>(*f.window, "frmMP3");
        QVERIFY(audio->isVisible());
        QVERIFY(!audio->isModal());
        QCOMPARE(audio->cboLang->count(), 0);
    }

    void buttonsOpenTheShippedBibles() {
        MainMenuFixture f;
        f.folder.writeTranslations("1,1,\"World English Bible (2015)\",\"b_web\"\r\n"
                                   "2,1,\"Test Bible\",\"b_tst\"\r\n");
        QVERIFY(copyShipped(f.folder, QStringLiteral("Modules/CHM/cn_web.chm")));
        for (const char* book : {"English/Jude.mp3", "Spanish/2 Juan.mp3"})
            QVERIFY(copyShipped(f.folder, QStringLiteral("Modules/mp3/") + book));
        f.load();
        f.window->Form_Activate();
        const QString help = f.state->HelpFile;
        QString listed, shown;
        ModalDriver::whenModal(QStringLiteral("frmCHM"), [&](QWidget* w) {
            auto* selector = static_cast<frmCHM*>(w);
            listed = selector->lblCount->text();
            emit selector->LV->itemDoubleClicked(selector->LV->topLevelItem(0), 0);
            if (selector->viewer())
                shown = selector->viewer()->windowTitle();
            selector->close(); // the close box
        });
        QTest::mouseClick(ctl<QToolButton>(*f.window, "cmdCHM"), Qt::LeftButton);
        QCOMPARE(listed, QStringLiteral("1 Modules found"));
        QCOMPARE(shown, QStringLiteral("World English Bible (2015)"));
        QCOMPARE(f.state->HelpFile, help); // F1 still opens Tolvane's help

        QTest::mouseClick(ctl<QToolButton>(*f.window, "cmdMP3"), Qt::LeftButton);
        auto* audio = ctl<frmMP3>(*f.window, "frmMP3");
        QCOMPARE(audio->cboLang->count(), 2);
        QCOMPARE(audio->Lb->item(0)->text(), QStringLiteral("JUDE.MP3"));
        // The window's help button opens the program's help beside it.
        QTest::mouseClick(audio->cmdHelp, Qt::LeftButton);
        QVERIFY(ctl<QDialog>(*f.window, "HelpViewer")->isVisible());
        // A second click brings the same window up again.
        QTest::mouseClick(ctl<QToolButton>(*f.window, "cmdMP3"), Qt::LeftButton);
        QCOMPARE(f.window->findChildren<frmMP3*>().size(), 1);
        QVERIFY(f.window->close());
        QTRY_VERIFY(f.window->findChildren<frmMP3*>().isEmpty());
    }
};

QTEST_MAIN(TestMediaMainMenu)
#include "tst_media_mainmenu.moc"
