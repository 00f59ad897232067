// The diary's models: cipher, entry files, extras, dates, identity list, pick lists, search.
#include "DiaryFixture.h"
#include "diary/DiaryDate.h"
#include "diary/DiaryFolder.h"
#include "diary/DiarySearch.h"
#include "diary/EncryptDecrypt.h"
#include "diary/EntryExtras.h"
#include "diary/IdentityList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTextDocument>

using namespace EncryptDecrypt;

class TestDiaryModels : public QObject {
    Q_OBJECT
private slots:
    void everyByteValueRoundTrips();
    void writtenFilesMatchTheFormatBothWays();
    void diaryFilesAreTheOwnersOnly();
    void passwordTransform();
    void extrasLines_data();
    void extrasLines();
    void dates_data();
    void dates();
    void missingIdentityNeverOverwritesOne();
    void nameRules_data();
    void nameRules();
    void entryNamesAndLeftovers();
    void renameDirectory();
    void oldLayoutMovesSafely();
    void searchFiltersSortsAndWalks();
};

void TestDiaryModels::everyByteValueRoundTrips() {
    QByteArray all;
    for (int repeat = 0; repeat < 31; ++repeat) // every byte meets every key position
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
    const QByteArray once = FileTransform(all);
    QCOMPARE(once, DiaryFixture::referenceTransform(all));
    QCOMPARE(FileTransform(once), all);
    QVERIFY(FileTransform(QByteArray()).isEmpty());
    // And through an entry's file.
    DiaryFixture f;
    const DiaryFolder folder(f.identityFolder());
    DiaryFolder::Entry entry;
    QVERIFY(folder.Create() && folder.Save(QStringLiteral("20240101"), all, EntryExtras()));
    QVERIFY(folder.Load(QStringLiteral("20240101"), entry));
    QCOMPARE(entry.rtf, all);
}

void TestDiaryModels::writtenFilesMatchTheFormatBothWays() {
    DiaryFixture f;
    const DiaryFolder folder(f.identityFolder());
    folder.Create();
    const QByteArray rtf = DiaryFixture::simpleRtf("Gr\\'fc\\'dfe \\u8364? \\b bold\\b0\r\nend");
    EntryExtras extras;
    extras.heading = QStringLiteral("Adoration");
    extras.answer = QStringLiteral("New");
    extras.marks = {2, 5, 0, 0, 0};
    QVERIFY(folder.Save(QStringLiteral("20240301"), rtf, extras));
    QCOMPARE(f.folder.read(QStringLiteral("Modules/Prayers/Default/20240301.Px")),
             DiaryFixture::referenceTransform(rtf));
    QCOMPARE(f.folder.read(QStringLiteral("Modules/Prayers/Default/20240301.PE")),
             QByteArray("\"Adoration\",\"New\",2,5,0,0,0,16777215\r\n"));
    QCOMPARE(f.files(), (QStringList{"20240301.PE", "20240301.Px"}));

    // An entry written elsewhere to the same format, with a stale plain file beside it.
    f.writeEntry(QStringLiteral("Default"), QStringLiteral("20240302"), rtf,
                 "\"Thanksgiving\",\"Answered Prayer\",3,0,0,0,0,255\r\n");
    f.folder.write(QStringLiteral("Modules/Prayers/Default/20240302.Pr"), "{\\rtf1 stale tail}");
    DiaryFolder::Entry entry;
    QVERIFY(folder.Load(QStringLiteral("20240302"), entry));
    QCOMPARE(entry.rtf, rtf);
    QCOMPARE(entry.extrasFields, 8);
    QCOMPARE(entry.extras.heading, QStringLiteral("Thanksgiving"));
    QCOMPARE(entry.extras.background, 255);
    QVERIFY(!QFile::exists(f.identityFolder() + QStringLiteral("20240302.Pr")));

    // A shorter entry replaces a longer one whole.
    QVERIFY(folder.Save(QStringLiteral("20240301"), "{\\rtf1 x}", extras));
    QVERIFY(folder.Load(QStringLiteral("20240301"), entry));
    QCOMPARE(entry.rtf, QByteArray("{\\rtf1 x}"));
}

void TestDiaryModels::diaryFilesAreTheOwnersOnly() {
    DiaryFixture f;
    const DiaryFolder folder(f.identityFolder(QStringLiteral("Anna")));
    QVERIFY(folder.Create());
    QVERIFY(folder.Save(QStringLiteral("20240101"), "{\\rtf1 a}", EntryExtras()));
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QStringList paths{f.identityFolder(QStringLiteral("Anna"))};
    for (const QString& name : f.files(QStringLiteral("Anna")))
        paths.append(f.identityFolder(QStringLiteral("Anna")) + name);
    QCOMPARE(paths.size(), 3);
    for (const QString& path : paths) {
        const QFileDevice::Permissions p = QFileInfo(path).permissions();
        QVERIFY2(!(p & others), qPrintable(path));
        QVERIFY(p & QFileDevice::ReadOwner && p & QFileDevice::WriteOwner);
    }
}

void TestDiaryModels::passwordTransform() {
    // The first character meets the space: a small letter is stored as its capital.
    QCOMPARE(EncipherPassword(QStringLiteral("abcde")).at(0), QLatin1Char('A'));
    QCOMPARE(EncipherPassword(QStringLiteral("abcde")).at(1), QChar(u'b' ^ u'5'));
    const QString stored = EncipherPassword(QString::fromUtf8("p\xc3\xa4ss\xe2\x82\xac word"));
    QCOMPARE(DecipherStoredPassword(stored), QString::fromUtf8("p\xc3\xa4ss\xe2\x82\xac word"));
    QVERIFY(!DecipherStoredPassword(QString(30, QLatin1Char('a'))));     // longer than the key
    QVERIFY(!DecipherStoredPassword(QString::fromUtf8("\xe4\xb8\xad"))); // not Windows-1252
    QVERIFY(DecipherStoredPassword(QString(29, QLatin1Char('a'))));
}

void TestDiaryModels::extrasLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("fields");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("background");
    QTest::newRow("written") << QByteArray("\"Adoration\",\"New\",2,5,0,0,0,16777215\r\n") << 8
                             << "Adoration"
                             << "2,5,0,0,0" << 16777215;
    QTest::newRow("comma inside") << QByteArray("\"A, B\",\"x\",1,0,0,0,0,-2147483643") << 8
                                  << "A, B"
                                  << "1,0,0,0,0" << -2147483643;
    QTest::newRow("marks outside 1-24") << QByteArray("\"H\",\"A\",25,0,300,-1,24,7") << 8 << "H"
                                        << "0,0,0,0,24" << 7;
    QTest::newRow("not numbers") << QByteArray("\"H\",\"A\",x,3,,4y,2,white") << 8 << "H"
                                 << "0,3,0,0,2" << 0;
    QTest::newRow("short") << QByteArray("\"H\",\"A\",4") << 3 << "H"
                           << "4,0,0,0,0" << -1;
    QTest::newRow("empty") << QByteArray("") << 0 << "unset"
                           << "0,0,0,0,0" << -1;
}

void TestDiaryModels::extrasLines() {
    QFETCH(QByteArray, line);
    QFETCH(int, fields);
    QFETCH(QString, heading);
    QFETCH(QString, marks);
    QFETCH(int, background);
    EntryExtras e;
    e.heading = QStringLiteral("unset");
    e.background = -1;
    QCOMPARE(e.readLine(line), fields);
    QCOMPARE(e.heading, heading);
    QStringList m;
    for (quint8 v : e.marks)
        m.append(QString::number(v));
    QCOMPARE(m.join(','), marks);
    QCOMPARE(e.background, background);
    // What is written reads back the same.
    EntryExtras again;
    QCOMPARE(again.readLine(e.toLine()), 8);
    QCOMPARE(again.toLine(), e.toLine());
}

void TestDiaryModels::dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("entry"); // empty: refused
    QTest::newRow("long") << "01-Jan-2001"
                          << "dd-MMM-yyyy"
                          << "20010101";
    QTest::newRow("yy is this century") << "25-12-30"
                                        << "dd-MM-yy"
                                        << "20301225";
    QTest::newRow("yy 99") << "99/07/04"
                           << "yy/MM/dd"
                           << "20990704";
    QTest::newRow("no separator") << "Dec252030"
                                  << "MMMddyyyy"
                                  << "20301225";
    QTest::newRow("garbage") << "someday"
                             << "dd-MMM-yyyy"
                             << "";
    QTest::newRow("no such day") << "31-Feb-2024"
                                 << "dd-MMM-yyyy"
                                 << "";
    QTest::newRow("other format") << "2024-01-05"
                                  << "dd-MMM-yyyy"
                                  << "";
}

void TestDiaryModels::dates() {
    QFETCH(QString, text);
    QFETCH(QString, format);
    QFETCH(QString, entry);
    const auto day = DiaryDate::Parse(text, format);
    QCOMPARE(day ? DiaryDate::EntryName(*day) : QString(), entry);
    if (day)
        QCOMPARE(DiaryDate::Parse(DiaryDate::Format(*day, format), format), day);
    QCOMPARE(DiaryDate::FromEntryName(QStringLiteral("20240229")), QDate(2024, 2, 29));
    QVERIFY(!DiaryDate::FromEntryName(QStringLiteral("20230229")));
    QVERIFY(!DiaryDate::FromEntryName(QStringLiteral("2024022")));
    QCOMPARE(DiaryDate::EntryName(qint32(10101)), QStringLiteral("00010101"));
}

void TestDiaryModels::missingIdentityNeverOverwritesOne() {
    DiaryFixture f;
    f.storeIdentities({"Anna", "Bob"}, "Anna", {"annasecret", ""});
    f.state.CurrentIdentity = QStringLiteral("Bob");
    IdentityList::FindIdentityIndex(f.state);
    QCOMPARE(f.state.IdentityIndex, qint16(1));

    f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Anna"));
    f.state.CurrentIdentity = QStringLiteral("Zed");
    IdentityList::FindIdentityIndex(f.state);
    QCOMPARE(f.state.CurrentIdentity, QStringLiteral("Anna"));
    QCOMPARE(f.state.IdentityIndex, qint16(0));
    QCOMPARE(IdentityList::Names(*f.settings), (QStringList{"Anna", "Bob"}));
    QCOMPARE(f.settings->read("Identity", "Password Protected0", QString()), QStringLiteral("1"));
    QCOMPARE(f.settings->read("Identity", "Default", QString()), QStringLiteral("Anna"));
}

void TestDiaryModels::nameRules_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("duplicate");
    QTest::addColumn<bool>("lengthError");
    QTest::addColumn<bool>("valid");
    QTest::newRow("Anna Lee") << "Anna Lee" << false << false << true;
    QTest::newRow("Bob_2") << "Bob_2" << false << false << true;
    QTest::newRow("[Home") << "[Home" << false << false << true;
    QTest::newRow("anna dup") << "anna" << true << false << true;
    QTest::newRow("one char") << "A" << false << true << true;
    QTest::newRow("30") << QString(30, 'z') << false << false << true;
    QTest::newRow("31") << QString(31, 'z') << false << true << true;
    QTest::newRow("A.B") << "A.B" << false << false << false;
    QTest::newRow("X-Y") << "X-Y" << false << false << false;
    QTest::newRow("a\\b") << "a\\b" << false << false << false;
    QTest::newRow("accent") << QString::fromUtf8("Jos\xc3\xa9") << false << false << false;
}

void TestDiaryModels::nameRules() {
    QFETCH(QString, name);
    QFETCH(bool, duplicate);
    QFETCH(bool, lengthError);
    QFETCH(bool, valid);
    QCOMPARE(IdentityList::CheckforDup(name, {QStringLiteral("Anna")}), duplicate);
    QCOMPARE(IdentityList::NameLenError(name), lengthError);
    QCOMPARE(IdentityList::ValidChars(name), valid);
}

void TestDiaryModels::entryNamesAndLeftovers() {
    DiaryFixture f;
    for (const char* name : {"20240105.Px", "20240103.px", "2024010.Px", "20241301.Px", "notes.Px",
                             "20240104.PE", "20240104.Pr", "20240106.Px.a1B2c3"})
        f.folder.write(QStringLiteral("Modules/Prayers/Default/") + QLatin1String(name), "x");
    const DiaryFolder folder(f.identityFolder());
    QCOMPARE(folder.EntryNames(), (QStringList{"20240103", "20240105"}));
    QVERIFY(folder.HasEntry(QStringLiteral("20240103")));
    QVERIFY(!folder.HasEntry(QStringLiteral("20240104")));
    QCOMPARE(folder.RemoveLeftovers(), 2);
    QVERIFY(folder.Delete(QStringLiteral("20240105")));
    QCOMPARE(f.files(),
             (QStringList{"2024010.Px", "20240103.px", "20240104.PE", "20241301.Px", "notes.Px"}));
}

void TestDiaryModels::renameDirectory() {
    DiaryFixture f;
    using R = DiaryFolder::RenameResult;
    f.writeEntry(QStringLiteral("Default"), QStringLiteral("20240101"), "{\\rtf1 a}");
    f.writeEntry(QStringLiteral("Taken"), QStringLiteral("20240101"), "{\\rtf1 b}");
    const QString root = f.state.PrayersPath;
    QCOMPARE(DiaryFolder::RenameDirectory(root, "Default", "Taken"), R::TargetExists);
    QCOMPARE(DiaryFolder::RenameDirectory(root, "Default", "taken"), R::TargetExists);
    QCOMPARE(f.files(QStringLiteral("Default")), QStringList{"20240101.Px"});
    QCOMPARE(DiaryFolder::RenameDirectory(root, "Default", "Default"), R::Unchanged);
    QCOMPARE(DiaryFolder::RenameDirectory(root, "Default", "Home"), R::Renamed);
    QVERIFY(!QFileInfo::exists(f.identityFolder(QStringLiteral("Default"))));
    QCOMPARE(f.files(QStringLiteral("Home")), QStringList{"20240101.Px"});
    QCOMPARE(DiaryFolder::RenameDirectory(root, "Home", "HOME"), R::Renamed);
    QCOMPARE(f.files(QStringLiteral("HOME")), QStringList{"20240101.Px"});
    QCOMPARE(DiaryFolder::RenameDirectory(root, "Nobody", "Fresh"), R::Renamed);
    QVERIFY(QFileInfo(f.identityFolder(QStringLiteral("Fresh"))).isDir());
}

void TestDiaryModels::oldLayoutMovesSafely() {
    DiaryFixture f;
    f.folder.write(QStringLiteral("Modules/Prayers/20240101.Px"), "new");
    f.folder.write(QStringLiteral("Modules/Prayers/20240101.PE"), "same");
    f.folder.write(QStringLiteral("Modules/Prayers/20240102.Px"), "mine");
    f.folder.write(QStringLiteral("Modules/Prayers/Default/20240101.PE"), "same");
    f.folder.write(QStringLiteral("Modules/Prayers/Default/20240102.Px"), "other");
    QCOMPARE(DiaryFolder::MoveOldLayout(f.state.PrayersPath), QStringList{"20240102.Px"});
    QCOMPARE(f.folder.read(QStringLiteral("Modules/Prayers/Default/20240101.Px")),
             QByteArray("new"));
    QCOMPARE(f.folder.read(QStringLiteral("Modules/Prayers/Default/20240102.Px")),
             QByteArray("other"));
    QCOMPARE(QDir(f.state.PrayersPath).entryList(QDir::Files), QStringList{"20240102.Px"});
}

void TestDiaryModels::searchFiltersSortsAndWalks() {
    DiaryFixture f;
    for (const char* day : {"20001231", "20240105", "20240101", "20301226"})
        f.writeEntry(QStringLiteral("Default"), QString::fromLatin1(day),
                     DiaryFixture::simpleRtf("abab Grace"));
    DiarySearch search{DiaryFolder(f.identityFolder())};
    // The default range leaves out the day before it and the day after it.
    QCOMPARE(search.Start(20010101, 20301225, DiarySearch::Order::Chronological, {}), 2);
    QCOMPARE(search.ValidList, (QVector<qint32>{20240101, 20240105}));
    const auto first = search.FindNext(QStringLiteral("GRACE"), QString());
    QCOMPARE(first->entry, QStringLiteral("20240101"));
    QCOMPARE(first->position, 5);
    // Adjacent hits, and an empty text that matches at the start of an entry only once.
    QCOMPARE(DiarySearch::MatchText(QStringLiteral("abab"), QStringLiteral("AB"), 0), 0);
    QCOMPARE(DiarySearch::MatchText(QStringLiteral("abab"), QStringLiteral("AB"), 2), 2);
    QCOMPARE(DiarySearch::MatchText(QStringLiteral("abab"), QString(), 0), 0);
    QCOMPARE(DiarySearch::MatchText(QStringLiteral("abab"), QString(), 1), -1);
}

QTEST_MAIN(TestDiaryModels)
#include "tst_diarymodels.moc"
