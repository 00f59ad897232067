// The password window of the identity in use.
#include "DiaryFixture.h"
#include "diary/EncryptDecrypt.h"
#include "diary/Password.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestPassword : public QObject {
    Q_OBJECT
private slots:
    void typedPasswords_data();
    void typedPasswords();
    void clearedBoxRemovesThePassword();
};

void TestPassword::typedPasswords_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("stored");
    QTest::newRow("four") << "abcd"
                          << "abcd" << false;
    QTest::newRow("five") << "abcde"
                          << "abcde" << true;
    QTest::newRow("differ") << "abcdef"
                            << "abcdeF" << false;
    QTest::newRow("29") << QString(29, 'q') << QString(29, 'q') << true;
    QTest::newRow("30") << QString(30, 'q') << QString(30, 'q') << false;
    QTest::newRow("outside 1252") << QString::fromUtf8("\xce\xa9mega1")
                                  << QString::fromUtf8("\xce\xa9mega1") << false;
    QTest::newRow("would store 0") << "Q5QQQ"
                                   << "Q5QQQ" << false;
}

void TestPassword::typedPasswords() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, stored);
    DiaryFixture f;
    f.storeIdentities({"Default", "Anna"}, "Anna");
    f.state.CurrentIdentity = QStringLiteral("Anna");
    Password window(f.state);
    window.show();
    QVERIFY(window.chkUsePwd->isChecked());
    window.txtPassword1->setText(first);
    window.txtPassword2->setText(second);
    f.dialogs.expectMessage(Dialogs::Answer::Ok,
                            stored ? first : QStringLiteral("passwords are not the same"));
    window.cmdOK->click();
    QCOMPARE(window.isVisible(), !stored);
    QCOMPARE(f.settings->read("Identity", "Password Protected1", QString()),
             stored ? QStringLiteral("1") : QStringLiteral("0"));
    const QString kept = f.settings->read("Identity", "Password1", QString());
    QCOMPARE(kept, stored ? EncryptDecrypt::EncipherPassword(first) : QStringLiteral("5190372"));
    if (!stored)
        QCOMPARE(window.txtPassword1->selectedText(), first);
    QCOMPARE(f.settings->read("Identity", "Password0", QString()), QStringLiteral("5190372"));
}

void TestPassword::clearedBoxRemovesThePassword() {
    DiaryFixture f;
    f.storeIdentities({"Default"}, "Default", {"secret1"});
    f.state.CurrentIdentity = QStringLiteral("Default");
    {
        Password window(f.state);
        window.txtPassword1->setText(QStringLiteral("another"));
        window.cmdCancel->click(); // nothing stored
    }
    QCOMPARE(f.settings->read("Identity", "Password Protected0", QString()), QStringLiteral("1"));
    Password window(f.state);
    window.chkUsePwd->click();
    QVERIFY(!window.txtPassword1->isEnabled());
    f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("no password now"));
    window.cmdOK->click();
    QCOMPARE(f.settings->read("Identity", "Password Protected0", QString()), QStringLiteral("0"));
    QCOMPARE(f.settings->read("Identity", "Password0", QString()), QStringLiteral("5190372"));
    // The setting that starts the box cleared.
    f.settings->write("Settings", "Password Protected", "0");
    Password cleared(f.state);
    QVERIFY(!cleared.chkUsePwd->isChecked());
    QCOMPARE(cleared.windowTitle(), QStringLiteral("Password for Default"));
}

QTEST_MAIN(TestPassword)
#include "tst_password.moc"
