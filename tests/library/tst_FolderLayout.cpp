#include "library/FileFunctions.h"
#include "library/FolderLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Where Tolvane reads and writes: one writable program folder, or a shipped folder that is
// never written and the user's own folder beside it.
namespace {

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray get(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A program folder with what marks one (msg/, sysdefs/) and the given files.
void makeProgramFolder(const QString& root, const QStringList& files = {}) {
    QDir().mkpath(root + "/msg");
    put(root + "/sysdefs/Books.txt", "books");
    for (const QString& f : files)
        put(root + '/' + f, f.toLatin1());
}

const QByteArray kShippedV1 = "1,1,\"King James\",\"b_kjv\"\r\n"
                              "2,1,\"World English\",\"b_web\"\r\n"
                              "1700,1,\"Concise\",\"mhcc\"\r\n";
const QByteArray kShippedV2 = kShippedV1 + "3,1,\"Reina-Valera\",\"b_sparv\"\r\n"
                                           "1701,1,\"Second\",\"c_two\"\r\n";

} // namespace

class TestFolderLayout : public QObject {
    Q_OBJECT
private slots:
    void layoutForTheExecutable_data() {
        QTest::addColumn<QString>("programAt"); // where the program folder lies, "" for none
        QTest::addColumn<QString>("executableAt");
        QTest::addColumn<bool>("separate");
        // Beside the executable and writable: the build folder, as it always was.
        QTest::newRow("build folder") << "build" << "build" << false;
        // Installed: never written, even by a user who could (root).
        QTest::newRow("installed") << "prefix/share/tolvane" << "prefix/bin" << true;
        QTest::newRow("nothing found") << "" << "elsewhere/bin" << false;
    }
    void layoutForTheExecutable() {
        QFETCH(QString, programAt);
        QFETCH(QString, executableAt);
        QFETCH(bool, separate);
        QTemporaryDir dir;
        const QString base = dir.path() + '/';
        if (!programAt.isEmpty())
            makeProgramFolder(base + programAt);
        QDir().mkpath(base + executableAt);
        const FolderLayout layout =
            FolderLayout::ForExecutable(base + executableAt, base + "home/Tolvane");
        QCOMPARE(layout.separate(), separate);
        const QString shipped = base + (programAt.isEmpty() ? executableAt : programAt) + '/';
        QCOMPARE(layout.shipped(), shipped);
        QCOMPARE(layout.writable(), separate ? base + "home/Tolvane/" : shipped);
    }

    // The writable check is a real attempt: whatever the permissions say, only creating a
    // file tells (root writes through a read-only mode).
    void writableCheckTriesToWrite() {
        QTemporaryDir dir;
        const QString program = dir.path() + "/program";
        makeProgramFolder(program);
        QVERIFY(FolderLayout::CanWriteIn(program));
        QVERIFY(QDir(program).entryList(QDir::Files | QDir::Hidden).isEmpty()); // probe gone
        QVERIFY(!FolderLayout::CanWriteIn(dir.path() + "/missing"));
        QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
        const bool root = geteuid() == 0;
        QCOMPARE(FolderLayout::CanWriteIn(program), root);
        const FolderLayout layout = FolderLayout::ForExecutable(program, dir.path() + "/user");
        QCOMPARE(layout.separate(), !root);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void moduleLookups_data() {
        QTest::addColumn<QStringList>("userFiles");
        QTest::addColumn<QString>("folder"); // relative to the user's folder
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected"); // "user", "shipped" or "given"
        const QStringList shippedBible{"Modules/Bible/b_kjv.txt"};
        QTest::newRow("shipped only") << QStringList() << "Modules/Bible/" << "b_kjv.txt"
                                      << "shipped";
        QTest::newRow("user's copy first")
            << QStringList{"Modules/Bible/b_kjv.txt"} << "Modules/Bible/" << "b_kjv.txt"
            << "user";
        QTest::newRow("letter case of the folder")
            << QStringList() << "modules/bible/" << "b_kjv.txt" << "shipped";
        QTest::newRow("letter case of the file")
            << QStringList() << "Modules/Bible/" << "B_KJV.TXT" << "shipped";
        QTest::newRow("user's own module")
            << QStringList{"Modules/Bible/b_own.txt"} << "Modules/Bible/" << "b_own.txt"
            << "user";
        QTest::newRow("nowhere") << QStringList() << "Modules/Bible/" << "b_none.txt" << "given";
        // Only the user's module root has a shipped counterpart.
        QTest::newRow("outside the module root")
            << QStringList() << "Index/" << "b_kjv.txt" << "given";
    }
    void moduleLookups() {
        QFETCH(QStringList, userFiles);
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString shipped = dir.path() + "/share/tolvane/";
        const QString user = dir.path() + "/user/";
        makeProgramFolder(shipped, {"Modules/Bible/b_kjv.txt", "Index/b_kjv.txt"});
        QDir().mkpath(user + "Modules/Bible");
        QDir().mkpath(user + "Index");
        for (const QString& f : userFiles)
            put(user + f, "own");
        const FolderLayout layout(shipped, user);
        const QString found = layout.moduleFolderFor(user + folder, file);
        if (expected == "shipped")
            QCOMPARE(found, shipped + "Modules/Bible/");
        else
            QCOMPARE(found, user + folder);
        if (expected == "shipped")
            QCOMPARE(get(FileFunctions::resolve(layout.moduleFile(user + folder, file))),
                     QByteArray("Modules/Bible/b_kjv.txt"));
        // One folder for both: never anything but the folder given.
        const FolderLayout one(user, user);
        QCOMPARE(one.moduleFolderFor(user + folder, file), user + folder);
    }

    void listingsJoinBothFolders() {
        QTemporaryDir dir;
        const QString shipped = dir.path() + "/share/";
        const QString user = dir.path() + "/user/";
        makeProgramFolder(shipped, {"Modules/Commentary/mhcc.txt", "Modules/Commentary/b.txt",
                                    "Modules/mp3/English/01.mp3"});
        put(user + "Modules/Commentary/MHCC.txt", "own");
        put(user + "Modules/Commentary/c.txt", "own");
        QDir().mkpath(user + "Modules/mp3");
        const FolderLayout layout(shipped, user);
        const QString commentary = user + "Modules/Commentary/";
        QCOMPARE(layout.moduleFiles(commentary, "*.txt"),
                 (QStringList{"c.txt", "MHCC.txt", "b.txt"}));
        QVERIFY(layout.anyModuleFile(commentary, "B.TXT"));
        QVERIFY(!layout.anyModuleFile(commentary, "*.chm"));
        // A whole-folder module: the user's empty folder gives way to the shipped one.
        QCOMPARE(layout.moduleRootFor(user + "Modules/mp3/"), shipped + "Modules/mp3/");
        put(user + "Modules/mp3/Welsh/01.mp3", "own");
        QCOMPARE(layout.moduleRootFor(user + "Modules/mp3/"), user + "Modules/mp3/");
    }

    void catalogueMerge_data() {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("shipped");
        QTest::addColumn<QByteArray>("previous");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray reordered = "2,0,\"World English\",\"b_web\"\r\n"
                                     "1,1,\"King James\",\"b_kjv\"\r\n"
                                     "1700,1,\"Concise\",\"mhcc\"\r\n";
        const QByteArray added = "3,1,\"Reina-Valera\",\"b_sparv\"\r\n"
                                 "1701,1,\"Second\",\"c_two\"\r\n";
        QTest::newRow("nothing new") << reordered << kShippedV1 << kShippedV1 << reordered;
        QTest::newRow("order and flags kept, new appended")
            << reordered << kShippedV2 << kShippedV1 << reordered + added;
        QTest::newRow("never merged before") << reordered << kShippedV2 << QByteArray()
                                             << reordered + added;
        // The user removed the commentary; the next version still ships it.
        const QByteArray removed = "1,1,\"King James\",\"b_kjv\"\r\n";
        QTest::newRow("removed stays removed")
            << removed << kShippedV2 << kShippedV1 << removed + added;
        QTest::newRow("code in another case") << QByteArray("1,1,\"KJV\",\"B_KJV\"\r\n")
                                              << QByteArray("1,1,\"King James\",\"b_kjv\"\r\n")
                                              << QByteArray()
                                              << QByteArray("1,1,\"KJV\",\"B_KJV\"\r\n");
        // The user's lines stay as they are, a damaged one and a missing line end too.
        QTest::newRow("damaged line kept")
            << QByteArray("garbage line\r\n1,1,\"King James\",\"b_kjv\"") << kShippedV1
            << QByteArray()
            << QByteArray("garbage line\r\n1,1,\"King James\",\"b_kjv\"\r\n"
                          "2,1,\"World English\",\"b_web\"\r\n1700,1,\"Concise\",\"mhcc\"\r\n");
    }
    void catalogueMerge() {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, shipped);
        QFETCH(QByteArray, previous);
        QFETCH(QByteArray, expected);
        bool changed = false;
        QCOMPARE(FolderLayout::mergeTranslations(user, shipped, previous, &changed), expected);
        QCOMPARE(changed, expected != user);
    }

    // A user folder from the previous version and a newer shipped program folder: the next
    // start keeps the user's catalogue order and flags, bookmarks and diary, adds the new
    // modules, and leaves the shipped folder as it was.
    void upgradeKeepsTheUsersFiles() {
        QTemporaryDir dir;
        const QString shipped = dir.path() + "/share/tolvane/";
        const QString user = dir.path() + "/user/";
        makeProgramFolder(shipped, {"sysdefs/BOOKS_ENGLISH.txt"});
        put(shipped + "sysdefs/Translations.txt", kShippedV1);
        const FolderLayout layout(shipped, user);
        QVERIFY(layout.prepare().isEmpty());
        for (const char* folder : {"Modules/Bible", "Modules/Prayers", "Index", "Scratch"})
            QVERIFY2(QDir(user + folder).exists(), folder);
        QCOMPARE(get(user + "SysDefs/Translations.txt"), kShippedV1);
        QCOMPARE(get(user + "SysDefs/BOOKS_ENGLISH.txt"), QByteArray("sysdefs/BOOKS_ENGLISH.txt"));

        // The user reorders and disables, edits a book list, keeps bookmarks and a diary.
        const QByteArray mine = "1700,1,\"Concise\",\"mhcc\"\r\n"
                                "2,0,\"World English\",\"b_web\"\r\n"
                                "1,1,\"King James\",\"b_kjv\"\r\n";
        put(user + "SysDefs/Translations.txt", mine);
        put(user + "SysDefs/BOOKS_ENGLISH.txt", "mine");
        put(user + "Bookmarks.txt", "bookmarks");
        put(user + "Modules/Prayers/Default/20260101.Px", "diary");
        QVERIFY(layout.prepare().isEmpty());
        QCOMPARE(get(user + "SysDefs/Translations.txt"), mine); // same version: untouched

        // The newer version ships two more modules and a new language's book list.
        put(shipped + "sysdefs/Translations.txt", kShippedV2);
        put(shipped + "sysdefs/BOOKS_WELSH.txt", "welsh");
        QVERIFY(layout.prepare().isEmpty());
        const QByteArray merged = get(user + "SysDefs/Translations.txt");
        QCOMPARE(merged, mine + "3,1,\"Reina-Valera\",\"b_sparv\"\r\n1701,1,\"Second\",\"c_two\"\r\n");
        QCOMPARE(get(user + "SysDefs/BOOKS_ENGLISH.txt"), QByteArray("mine"));
        QCOMPARE(get(user + "SysDefs/BOOKS_WELSH.txt"), QByteArray("welsh"));
        QCOMPARE(get(user + "Bookmarks.txt"), QByteArray("bookmarks"));
        QCOMPARE(get(user + "Modules/Prayers/Default/20260101.Px"), QByteArray("diary"));
        QCOMPARE(get(shipped + "sysdefs/Translations.txt"), kShippedV2);

        // The user then removes the new commentary: the next start does not bring it back.
        const QByteArray removed = mine + "3,1,\"Reina-Valera\",\"b_sparv\"\r\n";
        put(user + "SysDefs/Translations.txt", removed);
        QVERIFY(layout.prepare().isEmpty());
        QCOMPARE(get(user + "SysDefs/Translations.txt"), removed);
    }

    void unwritableUserFolderIsReported() {
        QTemporaryDir dir;
        const QString shipped = dir.path() + "/share/";
        makeProgramFolder(shipped);
        put(dir.path() + "/file", "a file where the user's folder should be");
        const QStringList failed = FolderLayout(shipped, dir.path() + "/file/Tolvane").prepare();
        QCOMPARE(failed, QStringList{dir.path() + "/file/Tolvane/"});
        // One folder: nothing to prepare, nothing reported.
        QVERIFY(FolderLayout(shipped, shipped).prepare().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFolderLayout)
#include "tst_FolderLayout.moc"
