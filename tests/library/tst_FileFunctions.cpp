#include "library/FileFunctions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace FileFunctions;

namespace {
void makeFile(const QString& path, const QByteArray& bytes = QByteArrayLiteral("x")) {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(bytes);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Lowers the largest file this process may write, so that a write fails part-way even when
// the tests run as root (where permission tricks do not stop anything).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};
} // namespace

class TestFileFunctions : public QObject {
    Q_OBJECT

private:
    QString root() const { return m_dir->path() + '/'; }
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // The creation step writes "Modules/Name", the lookups write "modules/name/".
    void differentSpellingsReachTheSameFolder() {
        QVERIFY(makeFolder(root() + QStringLiteral("Modules")));
        QVERIFY(makeFolder(root() + QStringLiteral("Modules/Name")));
        QVERIFY2(!makeFolder(root() + QStringLiteral("modules/name/")),
                 "a second spelling must find the folder, not make another");
        QCOMPARE(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Modules")});
        QCOMPARE(QDir(root() + QStringLiteral("Modules"))
                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Name")});
        QCOMPARE(resolve(root() + QStringLiteral("modules/name/")),
                 root() + QStringLiteral("Modules/Name/"));
        QVERIFY(FolderExists(root() + QStringLiteral("MODULES/nAmE")));

        makeFile(root() + QStringLiteral("Modules/Name/Names.txt"), "Aaron\r\n");
        QVERIFY(FileExists(root() + QStringLiteral("modules/name/NAMES.TXT")));
        QByteArray bytes;
        QVERIFY(readWholeFile(root() + QStringLiteral("modules/NAME/names.txt"), bytes));
        QCOMPARE(bytes, QByteArrayLiteral("Aaron\r\n"));
        QCOMPARE(fileSize(root() + QStringLiteral("MODULES/name/Names.TXT")), qint64(7));
    }

    void componentsThatDoNotExistAreKeptAsWritten() {
        QVERIFY(makeFolder(root() + QStringLiteral("SysDefs")));
        QCOMPARE(resolve(root() + QStringLiteral("sysdefs/New/file.txt")),
                 root() + QStringLiteral("SysDefs/New/file.txt"));
        QCOMPARE(withSeparator(root() + QStringLiteral("Index")), root() + QStringLiteral("Index/"));
        QCOMPARE(withSeparator(root() + QStringLiteral("Index/")),
                 root() + QStringLiteral("Index/"));
    }

    void fileExistsOnlyForReadableFiles() {
        QVERIFY(makeFolder(root() + QStringLiteral("Bible")));
        QVERIFY(!FileExists(root() + QStringLiteral("bible")));
        QVERIFY(!FileExists(root() + QStringLiteral("bible/b_none.txt")));
        QVERIFY(!FileExists(QString()));
        QCOMPARE(fileSize(root() + QStringLiteral("bible/b_none.txt")), qint64(-1));
        makeFile(root() + QStringLiteral("Bible/empty.txt"), QByteArray());
        QVERIFY(FileExists(root() + QStringLiteral("BIBLE/EMPTY.txt")));
    }

    void patternsMatchWithoutRegardToCase_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("bible texts") << QStringLiteral("b_*.txt")
                                     << QStringList{QStringLiteral("b_kjv.txt"),
                                                    QStringLiteral("B_WEB.TXT")};
        QTest::newRow("upper-case pattern") << QStringLiteral("B_*.TXT")
                                            << QStringList{QStringLiteral("b_kjv.txt"),
                                                           QStringLiteral("B_WEB.TXT")};
        QTest::newRow("one character") << QStringLiteral("c?_*.chm")
                                       << QStringList{QStringLiteral("c1_notes.chm"),
                                                      QStringLiteral("C2_MORE.CHM"),
                                                      QStringLiteral("cx_y.chm")};
        QTest::newRow("every file") << QStringLiteral("*.*")
                                    << QStringList{QStringLiteral("b_asv.txt.bak"),
                                                   QStringLiteral("b_kjv.txt"),
                                                   QStringLiteral("B_WEB.TXT"),
                                                   QStringLiteral("c12_x.chm"),
                                                   QStringLiteral("c1_notes.chm"),
                                                   QStringLiteral("C2_MORE.CHM"),
                                                   QStringLiteral("cx_y.chm"),
                                                   QStringLiteral("kjv.txt"),
                                                   QStringLiteral("README")};
        QTest::newRow("extension") << QStringLiteral("*.txt")
                                   << QStringList{QStringLiteral("b_kjv.txt"),
                                                  QStringLiteral("B_WEB.TXT"),
                                                  QStringLiteral("kjv.txt")};
        QTest::newRow("nothing") << QStringLiteral("z*.txt") << QStringList{};
    }
    void patternsMatchWithoutRegardToCase() {
        QFETCH(QString, pattern);
        QFETCH(QStringList, expected);
        QVERIFY(QDir().mkpath(root() + QStringLiteral("Mods/CHM/b_dir.txt")));
        for (const char* name : {"b_kjv.txt", "B_WEB.TXT", "b_asv.txt.bak", "kjv.txt",
                                 "c1_notes.chm", "C2_MORE.CHM", "c12_x.chm", "cx_y.chm", "README"})
            makeFile(root() + QStringLiteral("Mods/CHM/") + QString::fromLatin1(name));
        // The folder is looked up in another spelling, as the callers do.
        QCOMPARE(listFiles(root() + QStringLiteral("mods/chm/"), pattern), expected);
        QCOMPARE(anyFileMatches(root() + QStringLiteral("MODS/chm"), pattern),
                 !expected.isEmpty());
    }

    void listingAMissingFolderGivesNothing() {
        QVERIFY(listFiles(root() + QStringLiteral("nowhere/"), QStringLiteral("*.*")).isEmpty());
        QVERIFY(listSubfolders(root() + QStringLiteral("nowhere/")).isEmpty());
        QCOMPARE(deleteFiles(root() + QStringLiteral("nowhere/"), QStringLiteral("*.*")), 0);
    }

    void deleteFilesRemovesOnlyMatchingFiles() {
        QVERIFY(QDir().mkpath(root() + QStringLiteral("Scratch/1v_folder.tmp")));
        for (const char* name : {"1v_a.tmp", "1V_B.TMP", "1c_a.tmp", "keep.txt"})
            makeFile(root() + QStringLiteral("Scratch/") + QString::fromLatin1(name));
        QCOMPARE(deleteFiles(root() + QStringLiteral("scratch"), QStringLiteral("1v_*.tmp")), 2);
        QCOMPARE(QDir(root() + QStringLiteral("Scratch"))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{QStringLiteral("1c_a.tmp"), QStringLiteral("1v_folder.tmp"),
                              QStringLiteral("keep.txt")}));
        QCOMPARE(listSubfolders(root() + QStringLiteral("SCRATCH/")),
                 QStringList{QStringLiteral("1v_folder.tmp")});
    }

    void foldersAreMadeOneLevelAtATime() {
        QVERIFY(!makeFolder(root() + QStringLiteral("Missing/Child")));
        QVERIFY(!QFileInfo::exists(root() + QStringLiteral("Missing")));
        QVERIFY(makeFolder(root() + QStringLiteral("Maps")));
        QVERIFY(removeFolder(root() + QStringLiteral("maps/")));
        QVERIFY(!QFileInfo::exists(root() + QStringLiteral("Maps")));
    }

    void writeReplacesTheFileInItsOwnSpelling() {
        makeFile(root() + QStringLiteral("Translations.txt"), "old\r\n");
        QVERIFY(writeWholeFile(root() + QStringLiteral("TRANSLATIONS.TXT"), "new\r\n"));
        QCOMPARE(QDir(root()).entryList(QDir::Files), QStringList{QStringLiteral("Translations.txt")});
        QCOMPARE(contents(root() + QStringLiteral("Translations.txt")), QByteArrayLiteral("new\r\n"));
    }

    void writeIntoAMissingFolderFailsAndLeavesNothing() {
        QVERIFY(!writeWholeFile(root() + QStringLiteral("absent/Bookmarks.txt"), "data"));
        QVERIFY(QDir(root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }

    void writeOverAFolderFailsAndKeepsIt() {
        QVERIFY(makeFolder(root() + QStringLiteral("Prayers")));
        makeFile(root() + QStringLiteral("Prayers/entry.Px"), "kept");
        QVERIFY(!writeWholeFile(root() + QStringLiteral("prayers"), "data"));
        QCOMPARE(contents(root() + QStringLiteral("Prayers/entry.Px")), QByteArrayLiteral("kept"));
    }

    // A write that fails part-way (full disk) must leave the old file whole, also when only
    // its last few bytes do not fit (the buffered write would report them written).
    void aFailedWriteLeavesTheOldFile_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("far beyond the limit") << 256 * 1024;
        QTest::newRow("a few bytes beyond") << 4096 + 40;
    }
    void aFailedWriteLeavesTheOldFile() {
        QFETCH(int, size);
        const QString target = root() + QStringLiteral("Bookmarks.txt");
        makeFile(target, "the old list\r\n");
        bool written = true;
        {
            FileSizeLimit limit(4096);
            QVERIFY(limit.ok());
            written = writeWholeFile(target, QByteArray(size, 'x'));
        }
        QVERIFY(!written);
        QCOMPARE(contents(target), QByteArrayLiteral("the old list\r\n"));
        QCOMPARE(QDir(root()).entryList(QDir::Files), QStringList{QStringLiteral("Bookmarks.txt")});
    }
};

QTEST_GUILESS_MAIN(TestFileFunctions)
#include "tst_FileFunctions.moc"
