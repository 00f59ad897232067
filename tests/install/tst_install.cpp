#include "Controls.h"
#include "ModalDriver.h"
#include "ScriptedDialogs.h"
#include "app/MainMenu.h"
#include "bookmarks/fBookmarkList.h"
#include "bookmarks/fMenAdd.h"
#include "diary/PrayerPopup.h"
#include "library/FolderLayout.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "platform/UrlOpener.h"
#include "printing/PrintService.h"

#include <QComboBox>
#include <QDate>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

// Tolvane installed under a prefix that is then made read only: the programs start on the
// shipped library, and everything they write lands in the user's own folder.
namespace {

class NoOpener : public UrlOpener {
protected:
    bool launch(const QString&) override { return true; }
};

// Every file and folder under root with its size, time and mode: what "unchanged" means.
QMap<QString, QString> listing(const QString& root) {
    QMap<QString, QString> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo i = it.fileInfo();
        out.insert(i.filePath().mid(root.size()),
                   QStringLiteral("%1 %2 %3")
                       .arg(i.isDir() ? -1 : i.size())
                       .arg(i.lastModified().toMSecsSinceEpoch())
                       .arg(int(i.permissions()), 0, 16));
    }
    return out;
}

// The files under root that are not under one of the allowed sub-folders.
QStringList filesOutside(const QString& root, const QStringList& allowed) {
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString rel = it.next().mid(root.size() + 1);
        if (std::none_of(allowed.begin(), allowed.end(),
                         [&](const QString& a) { return rel.startsWith(a + '/'); }))
            out << rel;
    }
    return out;
}

int run(const QString& program, const QStringList& args, const QProcessEnvironment& env = {},
        QByteArray* output = nullptr) {
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(300000))
        return -1;
    if (output)
        *output = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// A fresh home with its XDG folders inside it.
QProcessEnvironment freshHome(const QString& home) {
    QDir().mkpath(home + "/runtime");
    QFile::setPermissions(home + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("XDG_CACHE_HOME", home + "/cache");
    env.insert("XDG_RUNTIME_DIR", home + "/runtime");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_prefix;
    QMap<QString, QString> m_before;

private slots:
    void initTestCase() {
        m_prefix = m_dir.path() + "/prefix";
        QCOMPARE(run(TOLVANE_CMAKE, {"--install", TOLVANE_BUILD_DIR, "--prefix", m_prefix}), 0);
        // Read only for everybody; root writes through that, so the listing compared after
        // each test is what really tells.
        QCOMPARE(run("chmod", {"-R", "a-w", m_prefix}), 0);
        m_before = listing(m_prefix);
        QVERIFY(m_before.size() > 50);
    }
    void cleanupTestCase() { run("chmod", {"-R", "u+w", m_prefix}); }
    void cleanup() { QCOMPARE(listing(m_prefix), m_before); }

    void installedFiles_data() {
        QTest::addColumn<QString>("file");
        for (const char* f :
             {"bin/tolvane", "bin/tolvane-cli", "share/tolvane/msg/ENGLISH_STD.mes",
              "share/tolvane/sysdefs/Translations.txt", "share/tolvane/Modules/Bible/b_kjv.txt",
              "share/tolvane/help/index.html", "share/tolvane/License.txt",
              "share/applications/io.github.tolvane.Tolvane.desktop",
              "share/metainfo/io.github.tolvane.Tolvane.metainfo.xml",
              "share/icons/hicolor/scalable/apps/io.github.tolvane.Tolvane.svg",
              "share/icons/hicolor/48x48/apps/io.github.tolvane.Tolvane.png",
              "share/icons/hicolor/256x256/apps/io.github.tolvane.Tolvane.png",
              "share/man/man1/tolvane-cli.1.gz", "share/man/man1/tolvane.1.gz",
              "share/doc/tolvane/copyright", "share/doc/tolvane/changelog.gz"})
            QTest::newRow(f) << QString::fromLatin1(f);
    }
    void installedFiles() {
        QFETCH(QString, file);
        const QFileInfo info(m_prefix + '/' + file);
        QVERIFY2(info.isFile() && info.size() > 0, qPrintable(file));
        QVERIFY(!info.permissions().testFlag(QFile::WriteOther));
    }

    // The installed programs themselves, started with a fresh home.
    void installedProgramsWriteInTheUsersFolder() {
        const QString home = m_dir.path() + "/home1";
        const QProcessEnvironment env = freshHome(home);
        QByteArray out;
        QCOMPARE(run(m_prefix + "/bin/tolvane-cli",
                     {"search", "--book", "43", "--mode", "all-terms", "God so loved"}, env, &out),
                 0);
        QVERIFY2(out.contains("God so loved the world"), out.constData());
        const QString user = home + "/data/Tolvane";
        QVERIFY(!QDir(user + "/Index").entryList(QDir::Files).isEmpty());

        // The window starts on the shipped library; its start-up makes the user's folder
        // ready before anything else is read from it.
        QDir(user).removeRecursively();
        QProcess gui;
        gui.setProcessEnvironment(env);
        gui.start(m_prefix + "/bin/tolvane", {});
        QVERIFY(gui.waitForStarted());
        const QString marker = user + "/SysDefs/" + FolderLayout::MergedCatalogueName();
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(marker) && t.elapsed() < 60000 && gui.state() == QProcess::Running)
            QTest::qWait(100);
        QTest::qWait(2000); // let the start-up run on to the end
        QVERIFY2(gui.state() == QProcess::Running, gui.readAllStandardError().constData());
        gui.kill();
        gui.waitForFinished();
        QVERIFY(QFile::exists(user + "/SysDefs/Translations.txt"));
        QVERIFY(QDir(user + "/Modules/Prayers").exists());
        // Beside the user's folder only the settings and caches of the desktop libraries.
        QCOMPARE(filesOutside(home, {"data/Tolvane", "config/Tolvane", "cache", "runtime"}),
                 QStringList());
    }

    // The same start-up in this process, pointed at the installed programs, with a search, a
    // bookmark and a diary entry.
    void searchBookmarkAndDiaryWriteInTheUsersFolder() {
        const QString home = m_dir.path() + "/home2";
        const QString user = home + "/data/Tolvane";
        SettingsStore settings(home + "/config/Tolvane/Tolvane.conf");
        settings.write("Settings", "ShowSplash", "0");
        ScriptedDialogs dialogs;
        NoOpener opener;
        ProgramState state(settings, dialogs);
        state.Folders = FolderLayout::ForExecutable(m_prefix + "/bin", user);
        QVERIFY(state.Folders.separate());
        state.programDir = QDir::cleanPath(state.Folders.shipped());
        {
            MainMenu window(state, opener);
            window.Form_Load();
            QVERIFY(!state.EndRequested);
            QVERIFY(ctl<QComboBox>(window, "cboTranslation")->count() >= 3);
            ctl<QComboBox>(window, "cboSearch")->setEditText("*light*");
            ctl<QPushButton>(window, "Command1")->click();
            QVERIFY(ctl<QTextEdit>(window, "RT")->toPlainText().contains("light"));

            fBookmarkList list(state, ctl<QTextEdit>(window, "RT"));
            list.LoadBookmarks();
            ModalDriver::whenModal("fMenAdd", [](QWidget* w) {
                auto* d = static_cast<fMenAdd*>(w);
                d->tTitle->setText("Covenant");
                d->tCategory->setText("Study");
                d->cmdOK->click();
            });
            list.cmdAdd_Click();
            QCOMPARE(list.rows().size(), 1);
        }
        PrintService print(state);
        {
            PrayerPopup diary(state, print);
            diary.show();
            diary.RT->setFocus();
            diary.RT->insertPlainText("Thanks for the day");
            diary.CmdSave->click();
        }
        const QString today = QDate::currentDate().toString("yyyyMMdd");
        for (const QString& f : QStringList{"Bookmarks.txt", "SysDefs/Translations.txt",
                                 "Modules/Prayers/Default/" + today + ".Px"})
            QVERIFY2(QFile::exists(user + '/' + f), qPrintable(f));
        QVERIFY(!QDir(user + "/Index").entryList(QDir::Files).isEmpty());
        QVERIFY(!QDir(user + "/Bookmarks").entryList(QDir::Files).isEmpty());
        QCOMPARE(filesOutside(home, {"data/Tolvane", "config/Tolvane"}), QStringList());
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
