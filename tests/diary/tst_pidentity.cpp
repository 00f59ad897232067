// The identity window: adding, renaming, deleting and switching identities.
#include "DiaryFixture.h"
#include "ModalDriver.h"
#include "diary/IdentityList.h"
#include "diary/PIdentity.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
struct Identities : DiaryFixture {
    explicit Identities(bool fromMainMenu = false) {
        storeIdentities({"Default", "Bob", "Cleo"}, "Default", {"", "bobsecret", "cleosecret"});
        window = std::make_unique<PIdentity>(state, fromMainMenu);
        window->show();
    }
    QStringList stored() const { return IdentityList::Names(*settings); }
    void select(const QString& name) {
        window->lstUsers->setCurrentItem(window->lstUsers->findItems(name, Qt::MatchExactly)[0]);
    }
    std::unique_ptr<PIdentity> window;
};
} // namespace

class TestPIdentity : public QObject {
    Q_OBJECT
private slots:
    void addTakesTwoClicksThenAsksThePassword();
    void refusedNamesKeepTheBoxOpen();
    void deleteKeepsEveryOtherPassword();
    void renameMovesTheFolderInOneStep();
    void switchAsksAProtectedIdentitysPassword();
};

void TestPIdentity::addTakesTwoClicksThenAsksThePassword() {
    Identities w;
    QCOMPARE(w.window->lbl->text(), QStringLiteral("Default"));
    QVERIFY(!w.window->txtName->isVisible());
    w.window->cmdAdd->click();
    QVERIFY(w.window->txtName->isVisible());
    QCOMPARE(w.window->cmdAdd->text(), QStringLiteral("ADD"));
    w.window->txtName->setText(QStringLiteral("Dora Lee"));
    ModalDriver::clickInModal(QStringLiteral("Password"), QStringLiteral("cmdCancel"));
    w.window->cmdAdd->click();
    QCOMPARE(w.stored(), (QStringList{"Default", "Bob", "Cleo", "Dora Lee"}));
    QCOMPARE(w.settings->read("Identity", "Default", QString()), QStringLiteral("Dora Lee"));
    QCOMPARE(w.settings->read("Identity", "Password3", QString()), QStringLiteral("5190372"));
    QCOMPARE(w.settings->read("Identity", "Password Protected3", QString()), QStringLiteral("0"));
    QCOMPARE(w.settings->read("Identity", "Password Protected1", QString()), QStringLiteral("1"));
    QCOMPARE(w.window->cmdAdd->text(), QStringLiteral("Add NEW"));
    QVERIFY(!w.window->txtName->isVisible());
    QVERIFY(QFileInfo(w.identityFolder(QStringLiteral("Dora Lee"))).isDir());
}

void TestPIdentity::refusedNamesKeepTheBoxOpen() {
    Identities w;
    w.window->cmdAdd->click();
    w.window->txtName->setText(QString());
    w.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("already in the list"));
    w.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("at least 2"));
    w.window->cmdAdd->click();
    w.window->txtName->setText(QStringLiteral("b.o"));
    w.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("may contain only"));
    w.window->cmdAdd->click();
    QVERIFY(w.window->txtName->isVisible());
    QCOMPARE(w.stored().size(), 3);
    QCOMPARE(w.dialogs.pending(), 0);
}

void TestPIdentity::deleteKeepsEveryOtherPassword() {
    Identities w;
    const QString cleo = w.settings->read("Identity", "Password2", QString());
    w.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("select the identity to delete"));
    w.window->cmdDelete->click();
    w.select(QStringLiteral("Default"));
    w.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("cannot be deleted"));
    w.window->cmdDelete->click();
    w.select(QStringLiteral("Bob"));
    w.dialogs.expectMessage(Dialogs::Answer::No, QStringLiteral("\"Bob\""));
    w.window->cmdDelete->click();
    QCOMPARE(w.stored().size(), 3);
    w.dialogs.expectMessage(Dialogs::Answer::Yes);
    w.window->cmdDelete->click();
    QCOMPARE(w.stored(), (QStringList{"Default", "Cleo"}));
    QCOMPARE(w.settings->read("Identity", "Password1", QString()), cleo);
    QCOMPARE(w.settings->read("Identity", "Password Protected1", QString()), QStringLiteral("1"));
    QVERIFY(!w.settings->contains("Identity", "Password2"));
    QCOMPARE(w.dialogs.pending(), 0);
}

void TestPIdentity::renameMovesTheFolderInOneStep() {
    Identities w;
    w.writeEntry(QStringLiteral("Default"), QStringLiteral("20240101"), "{\\rtf1 mine}");
    w.writeEntry(QStringLiteral("Taken"), QStringLiteral("20240101"), "{\\rtf1 theirs}");
    w.select(QStringLiteral("Default"));
    w.window->cmdEdit->click();
    QCOMPARE(w.window->txtName->text(), QStringLiteral("Default"));
    // A name whose folder exists would mix two diaries: refused, nothing moves.
    w.window->txtName->setText(QStringLiteral("Taken"));
    w.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("diary folder"));
    w.window->cmdEdit->click();
    QCOMPARE(w.files(QStringLiteral("Taken")), QStringList{"20240101.Px"});
    QCOMPARE(w.files(QStringLiteral("Default")), QStringList{"20240101.Px"});
    QCOMPARE(w.stored().first(), QStringLiteral("Default"));
    w.window->txtName->setText(QStringLiteral("Home"));
    w.window->cmdEdit->click();
    QCOMPARE(w.stored(), (QStringList{"Home", "Bob", "Cleo"}));
    QCOMPARE(w.settings->read("Identity", "Default", QString()), QStringLiteral("Home"));
    QCOMPARE(w.window->lbl->text(), QStringLiteral("Home"));
    QVERIFY(!QFileInfo::exists(w.identityFolder(QStringLiteral("Default"))));
    QCOMPARE(w.files(QStringLiteral("Home")), QStringList{"20240101.Px"});
    QCOMPARE(w.settings->read("Identity", "Password Protected1", QString()), QStringLiteral("1"));
    QCOMPARE(w.dialogs.pending(), 0);
}

void TestPIdentity::switchAsksAProtectedIdentitysPassword() {
    Identities w;
    w.state.CurrentIdentity = QStringLiteral("Default");
    const QString bob = w.settings->read("Identity", "Password1", QString());
    w.select(QStringLiteral("Bob"));
    w.dialogs.expectInput(QStringLiteral("bobsecreT"));
    w.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("not switched"));
    w.window->cmdSetDefault->click();
    QCOMPARE(w.state.CurrentIdentity, QStringLiteral("Default"));
    QCOMPARE(w.settings->read("Identity", "Default", QString()), QStringLiteral("Default"));
    w.dialogs.expectInput(QStringLiteral("bobsecret"));
    w.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("\"Bob\""));
    w.window->cmdSetDefault->click();
    QCOMPARE(w.settings->read("Identity", "Default", QString()), QStringLiteral("Bob"));
    QCOMPARE(w.settings->read("Identity", "Password1", QString()), bob);
    QCOMPARE(w.window->lbl->text(), QStringLiteral("Bob"));
    QSignalSpy caption(w.window.get(), &PIdentity::switchIdentityCaption);
    w.window->cmdUpdate->click();
    QCOMPARE(caption.count(), 1);
    QCOMPARE(caption.first().first().toString(), QStringLiteral("&Switch Identity [Bob]"));
    QCOMPARE(w.state.IdentityFolder, QStringLiteral("Bob/"));
    QCOMPARE(w.dialogs.pending(), 0);
}

QTEST_MAIN(TestPIdentity)
#include "tst_pidentity.moc"
