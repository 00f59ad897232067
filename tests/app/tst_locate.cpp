// The windows that point the program at a module root when no Bible can be found.
#include "MainMenuFixture.h"
#include "ModalDriver.h"

#include "app/locate/NoBibles.h"
#include "app/locate/frmDirlist.h"
#include "app/locate/frmLocate.h"
#include "library/DataFolders.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestLocate : public QObject {
    Q_OBJECT
private slots:
    void dirlistUpdateWithBiblesEndsProgram();
    void dirlistUpdateWithoutBiblesStaysOpen();
    void locateDefaultUsesProgramModules();
    void noBiblesAsksBeforeLocating();
    void noBiblesLinkOpensWebAddress();

private:
    // A fixture whose start-up ran, so paths and message files are in place.
    static std::unique_ptr<MainMenuFixture> loaded() {
        auto f = std::make_unique<MainMenuFixture>();
        f->load();
        return f;
    }
};

void TestLocate::dirlistUpdateWithBiblesEndsProgram() {
    auto f = loaded();
    QTemporaryDir root;
    QDir().mkpath(root.path() + QStringLiteral("/BIBLE"));
    QFile bible(root.path() + QStringLiteral("/BIBLE/b_kjv.txt"));
    QVERIFY(bible.open(QIODevice::WriteOnly));
    bible.close();
    frmDirlist w(*f->state);
    QVERIFY(w.setFolder(root.path()));
    QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), root.path() + '/');
    f->dialogs.expectMessage();
    w.findChild<QPushButton*>(QStringLiteral("cmdDone"))->click();
    QVERIFY(f->state->EndRequested);
    QVERIFY(f->dialogs.records().last().box.icon == Dialogs::Icon::Information);
    QCOMPARE(f->settings->read(QStringLiteral("Module_Path"), QStringLiteral("ModulePath"),
                               QString()),
             root.path() + '/');
}

void TestLocate::dirlistUpdateWithoutBiblesStaysOpen() {
    auto f = loaded();
    QTemporaryDir root;
    frmDirlist w(*f->state);
    QVERIFY(w.setFolder(root.path()));
    QVERIFY(!w.setFolder(root.path() + QStringLiteral("/missing")));
    f->dialogs.expectMessage();
    w.findChild<QPushButton*>(QStringLiteral("cmdDone"))->click();
    QVERIFY(!f->state->EndRequested);
    const auto& box = f->dialogs.records().last().box;
    QVERIFY(box.icon == Dialogs::Icon::Critical);
    QCOMPARE(box.title, w.windowTitle());
    QVERIFY(!box.text.contains(root.path())); // this window shows the message without a value
    // The stored root keeps the new value so the user can try again.
    QCOMPARE(f->state->ModulePath, root.path() + '/');
}

void TestLocate::locateDefaultUsesProgramModules() {
    auto f = loaded();
    f->state->ModulePath = QStringLiteral("/nowhere/");
    frmLocate w(*f->state);
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("/nowhere/"));
    f->dialogs.expectMessage();
    w.findChild<QPushButton*>(QStringLiteral("cmdDefault"))->click();
    QCOMPARE(f->state->ModulePath, f->folder.path() + QStringLiteral("/Modules/"));
    QVERIFY(f->state->EndRequested); // the standard folder holds b_tst.txt
}

void TestLocate::noBiblesAsksBeforeLocating() {
    auto f = loaded();
    NoBibles w(*f->state, f->opener);
    QVERIFY(w.windowTitle().contains(QStringLiteral("Tolvane")));
    f->dialogs.expectMessage(Dialogs::Answer::No);
    w.findChild<QPushButton*>(QStringLiteral("cmdLocate"))->click();
    QVERIFY(f->dialogs.records().last().box.defaultButton == Dialogs::Answer::No);
    QVERIFY(!f->state->EndRequested);
    // Yes opens the locating window; its DEFAULT finds the program's Bibles and ends.
    f->dialogs.expectMessage(Dialogs::Answer::Yes);
    f->dialogs.expectMessage(Dialogs::Answer::Ok);
    ModalDriver::clickInModal(QStringLiteral("frmLocate"), QStringLiteral("cmdDefault"));
    w.findChild<QPushButton*>(QStringLiteral("cmdLocate"))->click();
    QVERIFY(f->state->EndRequested);
}

void TestLocate::noBiblesLinkOpensWebAddress() {
    auto f = loaded();
    NoBibles w(*f->state, f->opener);
    auto* label = w.findChild<QLabel*>(QStringLiteral("Label2"));
    QVERIFY(label->text().contains(QStringLiteral("example.org")));
    emit label->linkActivated(QStringLiteral("https://tolvane.example.org/"));
    QCOMPARE(f->opener.opened, QStringList{QStringLiteral("https://tolvane.example.org/")});
}

QTEST_MAIN(TestLocate)
#include "tst_locate.moc"
