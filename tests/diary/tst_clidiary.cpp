// tolvane-cli diary, against the diary window reading the same entries.
#include "DiaryFixture.h"
#include "diary/PrayerPopup.h"

#include <QDateEdit>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

namespace {
struct Run {
    int status = -1;
    QString out;
    QString errors;
};

// The user's settings store of the CLI is the fixture's settings file, through the
// configuration folder the program is given.
struct Cli : DiaryFixture {
    Cli() {
        QDir().mkpath(config.filePath(QStringLiteral("Tolvane")));
        storeIdentities({"Default", "Anna"}, "Default", {"", "annapass"});
        writeEntry("Default", "20240105", simpleRtf("second \\b day\\b0\\par caf\\'e9"),
                   "\"Thanksgiving\",\"Answered Prayer\",3,0,0,0,0,16777215\r\n");
        writeEntry("Default", "20240101", simpleRtf("first day"),
                   "\"Adoration\",\"New\",0,0,0,0,0,255\r\n");
        writeEntry("Anna", "20240102", simpleRtf("Anna's day"));
    }
    Run cli(const QStringList& args, const QByteArray& input = QByteArray()) {
        settings->sync();
        QFile::remove(config.filePath(QStringLiteral("Tolvane/Tolvane.conf")));
        QFile::copy(settings->path(), config.filePath(QStringLiteral("Tolvane/Tolvane.conf")));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TOLVANE_CLI),
                QStringList{"diary", "--folder", folder.path()} + args);
        p.write(input);
        p.closeWriteChannel();
        Run r;
        if (!p.waitForFinished(60000))
            return r;
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.errors = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }
    // Every file under the Prayers folder with its size and modification time.
    QStringList snapshot() const {
        QStringList out;
        QDirIterator it(state.PrayersPath, QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            out.append(info.filePath() + ' ' + QString::number(info.size()) + ' ' +
                       QString::number(info.lastModified().toMSecsSinceEpoch()));
        }
        out.sort();
        return out;
    }
    QTemporaryDir config;
};
} // namespace

class TestCliDiary : public QObject {
    Q_OBJECT
private slots:
    void listAndShowMatchTheWindow();
    void exportWritesRtfAndIndex();
    void passwordsAndStatuses();
};

void TestCliDiary::listAndShowMatchTheWindow() {
    Cli c;
    c.folder.write(QStringLiteral("Modules/Prayers/Default/20240105.Pr"), "stale plain text");
    const QStringList before = c.snapshot();
    Run r = c.cli({"list"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("20240101\tAdoration\tNew\n"
                                   "20240105\tThanksgiving\tAnswered Prayer\n"));
    r = c.cli({"show", "20240105"});
    QCOMPARE(r.status, 0);
    QCOMPARE(c.snapshot(), before); // never writes in the diary folder

    PrayerPopup window(c.state, c.print);
    window.show();
    window.DT1->setDate(QDate(2024, 1, 5));
    QCOMPARE(r.out, window.RT->toPlainText() + '\n');
    QCOMPARE(r.out, QString::fromUtf8("second day\ncaf\xc3\xa9\n"));
}

void TestCliDiary::exportWritesRtfAndIndex() {
    Cli c;
    QTemporaryDir target;
    const QString out = target.filePath(QStringLiteral("backup"));
    Run r = c.cli({"export", out});
    QCOMPARE(r.status, 0);
    QCOMPARE(QDir(out).entryList(QDir::Files),
             (QStringList{"20240101.rtf", "20240105.rtf", "index.csv"}));
    QFile rtf(out + QStringLiteral("/20240105.rtf"));
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    QCOMPARE(rtf.readAll(), DiaryFixture::simpleRtf("second \\b day\\b0\\par caf\\'e9"));
    QFile index(out + QStringLiteral("/index.csv"));
    QVERIFY(index.open(QIODevice::ReadOnly));
    QCOMPARE(index.readAll().split('\n').value(2),
             QByteArray("20240105,\"Thanksgiving\",\"Answered Prayer\",3,0,0,0,0,16777215\r"));
    QVERIFY(!(QFileInfo(out).permissions() & QFileDevice::ReadOther));
    r = c.cli({"export", out}); // not empty now
    QCOMPARE(r.status, 2);
}

void TestCliDiary::passwordsAndStatuses() {
    Cli c;
    Run r = c.cli({"--identity", "Anna", "--password-stdin", "list"}, "annapass\n");
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QStringLiteral("20240102\t\t\n"));
    r = c.cli({"--identity", "Anna", "--password-stdin", "show", "20240102"}, "wrong\n");
    QCOMPARE(r.status, 3);
    QVERIFY(r.out.isEmpty());
    c.settings->write("Identity", "Password Protected1", "0"); // changed by hand
    r = c.cli({"--identity", "Anna", "--password-stdin", "list"}, "annapass\n");
    QCOMPARE(r.status, 3);
    r = c.cli({"show", "20240106"});
    QCOMPARE(r.status, 1);
    for (const QStringList& bad : {QStringList{"show", "2024-01-05"}, QStringList{"list", "x"},
                                   QStringList{"--identity", "Nobody", "list"}, QStringList{}})
        QCOMPARE(c.cli(bad).status, 2);
}

QTEST_MAIN(TestCliDiary)
#include "tst_clidiary.moc"
