// Crash safety: a process saving entries is killed at random moments; every entry must still
// decipher to a whole text, old or new, and no plain text may be left on disk.
#include "diary/DiaryFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

class TestDiaryCrash : public QObject {
    Q_OBJECT
private slots:
    void killedSavesLeaveWholeEntries();
};

void TestDiaryCrash::killedSavesLeaveWholeEntries() {
    // A memory file system where there is one: a killed process is no power cut, so the
    // disk's flushing is no part of what is tested here and only costs time.
    const QString shm = QStringLiteral("/dev/shm");
    QTemporaryDir dir(QFileInfo(shm).isWritable() ? shm + QStringLiteral("/diary_crash_XXXXXX")
                                                  : QString());
    QVERIFY(dir.isValid());
    const DiaryFolder folder(dir.filePath(QStringLiteral("Default")));
    QVERIFY(folder.Create());
    const QRegularExpression whole(
        QStringLiteral("^\\{\\\\rtf1\\\\ansi entry (\\d{8}) version (\\d+) a*\\}$"));
    QRandomGenerator random(20240101);
    int kills = 0;
    for (long start = 0; kills < 220; start += 1000) {
        QProcess child;
        child.start(QStringLiteral(DIARY_SAVE_LOOP), {folder.path(), QString::number(start)});
        QVERIFY(child.waitForReadyRead(10000)); // it is saving now
        QThread::usleep(random.bounded(0, 3000));
        child.kill();
        child.waitForFinished();
        ++kills;
        for (const QString& name : folder.EntryNames()) {
            DiaryFolder::Entry entry;
            QVERIFY(folder.Load(name, entry));
            const auto m = whole.match(QString::fromLatin1(entry.rtf));
            QVERIFY2(m.hasMatch(), entry.rtf.left(80).constData());
            QCOMPARE(m.captured(1), name);
        }
    }
    QCOMPARE(folder.EntryNames().size(), 4);
    // Nothing readable is left behind: no plain entry files, and no file holding the text.
    const QDir d(folder.path());
    for (const QString& name : d.entryList(QDir::Files | QDir::Hidden)) {
        QVERIFY2(!name.endsWith(QLatin1String(".Pr"), Qt::CaseInsensitive), qPrintable(name));
        QFile file(d.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(!file.readAll().contains("rtf1"), qPrintable(name));
    }
}

QTEST_MAIN(TestDiaryCrash)
#include "tst_diarycrash.moc"
