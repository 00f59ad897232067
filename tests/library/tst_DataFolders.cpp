#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "library/DataFolders.h"
#include "library/FolderLayout.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

namespace {
const QString kSettings = QStringLiteral("Settings");

const QStringList kFolders = {
    QStringLiteral("Modules"),          QStringLiteral("Modules/Bible"),
    QStringLiteral("Modules/Commentary"), QStringLiteral("Modules/Dictionary"),
    QStringLiteral("Modules/Name"),     QStringLiteral("Modules/Prayers"),
    QStringLiteral("Modules/SNotes"),   QStringLiteral("Modules/Maps"),
    QStringLiteral("Index"),            QStringLiteral("Scratch"),
    QStringLiteral("SysDefs")};

// Every folder below the program folder, as relative paths.
QStringList foldersUnder(const QString& root) {
    QStringList out;
    const QDir base(root);
    QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << base.relativeFilePath(it.next());
    out.sort();
    return out;
}

// The "Settings" values LoadSettings reads, by key, widened for comparison.
qint64 loadedValue(const ProgramState& s, const QString& key) {
    if (key == QLatin1String("MAXCountSize")) return s.MAXCountSize;
    if (key == QLatin1String("Bib1TC")) return s.Bib1TC;
    if (key == QLatin1String("Bib1BC")) return s.Bib1BC;
    if (key == QLatin1String("Bib1H1")) return s.Bib1H1;
    if (key == QLatin1String("Bib1H2")) return s.Bib1H2;
    if (key == QLatin1String("Bib1H3")) return s.Bib1H3;
    if (key == QLatin1String("Bib1H4")) return s.Bib1H4;
    if (key == QLatin1String("Bib1H5")) return s.Bib1H5;
    if (key == QLatin1String("Bib2TC")) return s.Bib2TC;
    if (key == QLatin1String("Bib2BC")) return s.Bib2BC;
    if (key == QLatin1String("Bib2Fontsize")) return s.Bib2Fontsize;
    if (key == QLatin1String("Bib1Fontsize")) return s.Bib1Fontsize;
    if (key == QLatin1String("ActiveUpdateBib1")) return s.ActiveUpdateBib1;
    if (key == QLatin1String("DeleteTempFilesOnExit")) return s.DeleteTempFilesOnExit;
    return -1;
}

// A valid stored value for each key, different from its default.
const QList<QPair<QString, qint64>> kStoredValues = {
    {QStringLiteral("MAXCountSize"), 1200}, {QStringLiteral("Bib1TC"), 111},
    {QStringLiteral("Bib1BC"), 222},        {QStringLiteral("Bib1H1"), 333},
    {QStringLiteral("Bib1H2"), 444},        {QStringLiteral("Bib1H3"), 555},
    {QStringLiteral("Bib1H4"), 666},        {QStringLiteral("Bib1H5"), 777},
    {QStringLiteral("Bib2TC"), 888},        {QStringLiteral("Bib2BC"), 999},
    {QStringLiteral("Bib2Fontsize"), 16},   {QStringLiteral("Bib1Fontsize"), 18},
    {QStringLiteral("ActiveUpdateBib1"), 1}, {QStringLiteral("DeleteTempFilesOnExit"), 0}};
} // namespace

class TestDataFolders : public QObject {
    Q_OBJECT

    struct Fixture {
        TestProgramFolder folder;
        std::unique_ptr<SettingsStore> store = folder.makeSettings();
        ScriptedDialogs dialogs;
        ProgramState state{*store, dialogs};
        Fixture() {
            state.programDir = folder.path();
            DataFolders::SetProgramPaths(state);
        }
        QString read(const QString& section, const QString& key) const {
            return store->read(section, key, QStringLiteral("<absent>"));
        }
    };

private slots:
    void firstStartCreatesTheFolderTree() {
        Fixture f;
        QVERIFY(DataFolders::MakeFoldersIfRequired(f.state));
        QStringList expected = kFolders;
        expected.sort();
        QCOMPARE(foldersUnder(f.folder.path()), expected);
        QCOMPARE(f.read(kSettings, QStringLiteral("Revision")), TolvaneRoutines::VersionDigits());
        // Nothing else is stored: every option stays at its default.
        f.store->sync();
        QSettings raw(f.folder.settingsPath(), QSettings::IniFormat);
        QCOMPARE(raw.allKeys(), QStringList{QStringLiteral("Settings/Revision")});
    }

    void theRevisionIsTheVersionNumbersRunTogether() {
        const QRegularExpression version(QStringLiteral("^Version (\\d+)\\.(\\d+) Build 0(\\d+)$"));
        const QRegularExpressionMatch m = version.match(TolvaneRoutines::VersionText());
        QVERIFY2(m.hasMatch(), qPrintable(TolvaneRoutines::VersionText()));
        QCOMPARE(TolvaneRoutines::VersionDigits(), m.captured(1) + m.captured(2) + m.captured(3));
    }

    void aSecondStartCreatesNothing() {
        Fixture f;
        QVERIFY(DataFolders::MakeFoldersIfRequired(f.state));
        QVERIFY(QDir(f.folder.file(QStringLiteral("Scratch"))).removeRecursively());
        QVERIFY(!DataFolders::MakeFoldersIfRequired(f.state));
        QVERIFY(!QFileInfo::exists(f.folder.file(QStringLiteral("Scratch"))));
    }

    void anUpgradeCreatesThemAgain() {
        Fixture f;
        f.store->write(kSettings, QStringLiteral("Revision"), QStringLiteral("102"));
        f.folder.makeFolders();
        QVERIFY(QDir(f.folder.file(QStringLiteral("Scratch"))).removeRecursively());
        QVERIFY(DataFolders::MakeFoldersIfRequired(f.state));
        QVERIFY(QFileInfo(f.folder.file(QStringLiteral("Scratch"))).isDir());
        QCOMPARE(f.read(kSettings, QStringLiteral("Revision")), TolvaneRoutines::VersionDigits());
    }

    // An older installation spelled its folders in lower case; no second tree may appear.
    void foldersInAnotherSpellingAreReused() {
        Fixture f;
        QVERIFY(QDir().mkpath(f.folder.file(QStringLiteral("modules/bible"))));
        QVERIFY(QDir().mkpath(f.folder.file(QStringLiteral("INDEX"))));
        DataFolders::MakeFoldersIfRequired(f.state);
        const QStringList top = QDir(f.folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(top.filter(QStringLiteral("modules"), Qt::CaseInsensitive),
                 QStringList{QStringLiteral("modules")});
        QCOMPARE(top.filter(QStringLiteral("index"), Qt::CaseInsensitive),
                 QStringList{QStringLiteral("INDEX")});
        QCOMPARE(QDir(f.folder.file(QStringLiteral("modules")))
                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                     .filter(QStringLiteral("bible"), Qt::CaseInsensitive),
                 QStringList{QStringLiteral("bible")});
    }

    void aFolderThatCannotBeMadeDoesNotStopTheOthers() {
        Fixture f;
        f.folder.write(QStringLiteral("Index"), "a file in the way");
        DataFolders::MakeFoldersIfRequired(f.state);
        QVERIFY(QFileInfo(f.folder.file(QStringLiteral("Index"))).isFile());
        QVERIFY(QFileInfo(f.folder.file(QStringLiteral("Scratch"))).isDir());
        QVERIFY(QFileInfo(f.folder.file(QStringLiteral("SysDefs"))).isDir());
    }

    void anEmptyStoreLeavesTheDefaults() {
        Fixture f;
        DataFolders::LoadSettings(f.state);
        const ProgramState defaults(*f.store, f.dialogs);
        for (const auto& kv : kStoredValues)
            QCOMPARE(loadedValue(f.state, kv.first), loadedValue(defaults, kv.first));
        QCOMPARE(f.state.MAXCountSize, 500);
        QCOMPARE(f.state.Bib1BC, 15790320u);
        QCOMPARE(f.state.Bib1H5, 16743034u);
        QCOMPARE(f.state.Bib2BC, 14474460u);
        QCOMPARE(int(f.state.DeleteTempFilesOnExit), 1);
        QVERIFY(f.state.ModulePath.isEmpty());
    }

    void aValueThatDoesNotConvertLeavesOnlyItsVariable_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("bad");
        for (const auto& kv : kStoredValues) {
            QTest::addRow("%s text", qPrintable(kv.first)) << kv.first << QStringLiteral("wide");
            QTest::addRow("%s empty", qPrintable(kv.first)) << kv.first << QString();
        }
        QTest::newRow("font size past a byte") << QStringLiteral("Bib1Fontsize")
                                               << QStringLiteral("300");
        QTest::newRow("count past 32 bits") << QStringLiteral("MAXCountSize")
                                            << QStringLiteral("3000000000");
        QTest::newRow("colour past 32 bits") << QStringLiteral("Bib1H2")
                                             << QStringLiteral("4294967296");
    }
    void aValueThatDoesNotConvertLeavesOnlyItsVariable() {
        QFETCH(QString, key);
        QFETCH(QString, bad);
        Fixture f;
        for (const auto& kv : kStoredValues)
            f.store->writeNumber(kSettings, kv.first, double(kv.second));
        f.store->write(kSettings, key, bad);
        const qint64 before = loadedValue(f.state, key);
        DataFolders::LoadSettings(f.state);
        for (const auto& kv : kStoredValues) {
            const qint64 expected = kv.first == key ? before : kv.second;
            QVERIFY2(loadedValue(f.state, kv.first) == expected, qPrintable(kv.first));
        }
    }

    void activeUpdateIsZeroOrOne_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("initial");
        QTest::addColumn<int>("expected");
        QTest::newRow("5") << QStringLiteral("5") << 0 << 0;
        QTest::newRow("2") << QStringLiteral("2") << 1 << 0;
        QTest::newRow("255") << QStringLiteral("255") << 0 << 0;
        QTest::newRow("1") << QStringLiteral("1") << 0 << 1;
        QTest::newRow("0") << QStringLiteral("0") << 1 << 0;
    }
    void activeUpdateIsZeroOrOne() {
        QFETCH(QString, stored);
        QFETCH(int, initial);
        QFETCH(int, expected);
        Fixture f;
        f.state.ActiveUpdateBib1 = quint8(initial);
        f.store->write(kSettings, QStringLiteral("ActiveUpdateBib1"), stored);
        DataFolders::LoadSettings(f.state);
        QCOMPARE(int(f.state.ActiveUpdateBib1), expected);
    }

    // Colours are 32-bit values; writers differ in whether the top half is signed.
    void coloursAcceptSignedAndUnsignedText() {
        Fixture f;
        f.store->write(kSettings, QStringLiteral("Bib1TC"), QStringLiteral("-1"));
        f.store->write(kSettings, QStringLiteral("Bib1BC"), QStringLiteral("4294967295"));
        f.store->write(kSettings, QStringLiteral("Bib1H1"), QStringLiteral("65280"));
        DataFolders::LoadSettings(f.state);
        QCOMPARE(f.state.Bib1TC, 0xFFFFFFFFu);
        QCOMPARE(f.state.Bib1BC, 0xFFFFFFFFu);
        QCOMPARE(f.state.Bib1H1, 0x00FF00u);
    }

    void theModuleRootDefaultsToTheProgramFolder() {
        Fixture f;
        DataFolders::MakeFoldersIfRequired(f.state);
        DataFolders::SetProgramPaths(f.state); // start-up computes them after the folders exist
        DataFolders::LoadSettings(f.state);
        DataFolders::SetModuleRoot(f.state);
        const QString prog = f.folder.path() + '/';
        QCOMPARE(f.read(QStringLiteral("Module_Path"), QStringLiteral("ModulePath")),
                 prog + QStringLiteral("Modules/"));
        QCOMPARE(f.read(QStringLiteral("Module_Path"), QStringLiteral("TolvanePath")), prog);
        QCOMPARE(f.state.ModulePath, prog + QStringLiteral("Modules/"));
        // The lookups spell some folders differently from the creation step.
        QCOMPARE(f.state.BibleFolder, prog + QStringLiteral("Modules/Bible/"));
        QCOMPARE(f.state.NameFolder, prog + QStringLiteral("Modules/Name/"));
        QCOMPARE(f.state.DictionaryFolder, prog + QStringLiteral("Modules/Dictionary/"));
        QCOMPARE(f.state.CommentaryFolder, prog + QStringLiteral("Modules/Commentary/"));
        QCOMPARE(f.state.PrayersPath, prog + QStringLiteral("Modules/Prayers/"));
        QCOMPARE(f.state.MapsFolder, prog + QStringLiteral("Modules/Maps/"));
        QCOMPARE(f.state.SysDefsFolder, prog + QStringLiteral("SysDefs/"));
        QCOMPARE(f.state.IndexFolder, prog + QStringLiteral("Index/"));
        QCOMPARE(f.state.ScratchFolder, prog + QStringLiteral("Scratch/"));
    }

    void aStoredModuleRootIsKept() {
        Fixture f;
        QTemporaryDir elsewhere;
        QVERIFY(QDir().mkpath(elsewhere.filePath(QStringLiteral("BIBLE"))));
        f.store->write(QStringLiteral("Module_Path"), QStringLiteral("ModulePath"),
                       elsewhere.path());
        DataFolders::LoadSettings(f.state);
        DataFolders::SetModuleRoot(f.state);
        QCOMPARE(f.state.ModulePath, elsewhere.path() + '/');
        QCOMPARE(f.state.BibleFolder, elsewhere.path() + QStringLiteral("/BIBLE/"));
        QCOMPARE(f.read(QStringLiteral("Module_Path"), QStringLiteral("ModulePath")),
                 elsewhere.path());
        QCOMPARE(f.read(QStringLiteral("Module_Path"), QStringLiteral("TolvanePath")),
                 f.folder.path() + '/');
    }

    // The settings are shared by every copy of Tolvane the user runs: a module root that was
    // only another copy's default gives way to this copy's own; a chosen one is kept.
    void anotherCopysDefaultModuleRoot_data() {
        QTest::addColumn<QString>("storedBy");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("kept");
        const QString other = QStringLiteral("/opt/other-copy/");
        QTest::newRow("the other copy's own Modules") << other << other + "Modules/" << false;
        QTest::newRow("the other copy's, no separator")
            << "/opt/other-copy" << other + "Modules" << false;
        QTest::newRow("the user's folder of an installed copy")
            << other << FolderLayout::UserFolder() + "/Modules/" << false;
        QTest::newRow("a folder the user chose") << other << "/srv/bibles/" << true;
        QTest::newRow("stored by this copy") << QString() << "/opt/other-copy/Modules/" << true;
    }
    void anotherCopysDefaultModuleRoot() {
        QFETCH(QString, storedBy);
        QFETCH(QString, stored);
        QFETCH(bool, kept);
        Fixture f;
        const QString section = QStringLiteral("Module_Path");
        f.store->write(section, QStringLiteral("TolvanePath"),
                       storedBy.isEmpty() ? f.folder.path() + '/' : storedBy);
        f.store->write(section, QStringLiteral("ModulePath"), stored);
        DataFolders::LoadSettings(f.state);
        DataFolders::SetModuleRoot(f.state);
        const QString own = f.folder.path() + QStringLiteral("/Modules/");
        QCOMPARE(f.state.ModulePath, kept ? QDir::cleanPath(stored) + '/' : own);
        QCOMPARE(f.read(section, QStringLiteral("ModulePath")), kept ? stored : own);
        QCOMPARE(f.read(section, QStringLiteral("TolvanePath")), f.folder.path() + '/');
    }

    void placementCorrection_data() {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("kept");
        // The screen is 19200 x 10800 twips (1280 x 720 pixels at 96 per inch).
        QTest::newRow("never saved") << QString() << QString() << false;
        QTest::newRow("smallest kept") << QStringLiteral("1000") << QStringLiteral("600") << true;
        QTest::newRow("narrow") << QStringLiteral("999") << QStringLiteral("600") << false;
        QTest::newRow("width 900") << QStringLiteral("900") << QStringLiteral("5000") << false;
        QTest::newRow("low") << QStringLiteral("1000") << QStringLiteral("599") << false;
        QTest::newRow("height 500") << QStringLiteral("5000") << QStringLiteral("500") << false;
        QTest::newRow("screen wide") << QStringLiteral("19200") << QStringLiteral("5000") << false;
        QTest::newRow("just inside") << QStringLiteral("19199") << QStringLiteral("10799") << true;
        QTest::newRow("screen high") << QStringLiteral("5000") << QStringLiteral("10800") << false;
        QTest::newRow("wider than screen") << QStringLiteral("30000") << QStringLiteral("5000")
                                           << false;
        QTest::newRow("fraction") << QStringLiteral("4500.5") << QStringLiteral("3000.25") << true;
        QTest::newRow("not a number") << QStringLiteral("wide") << QStringLiteral("5000") << false;
    }
    void placementCorrection() {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(bool, kept);
        Fixture f;
        if (!width.isNull()) {
            f.store->write(kSettings, QStringLiteral("ScreenDictPosX"), QStringLiteral("-120"));
            f.store->write(kSettings, QStringLiteral("ScreenDictPosY"), QStringLiteral("345"));
            f.store->write(kSettings, QStringLiteral("ScreenDictX"), width);
            f.store->write(kSettings, QStringLiteral("ScreenDictY"), height);
        }
        DataFolders::LoadWindowPlacement(f.state, QStringLiteral("ScreenDict"),
                                         QSizeF(19200, 10800));
        const WindowPlacement& p = f.state.Placement;
        if (kept) {
            QCOMPARE(p.left, -120);
            QCOMPARE(p.top, 345);
            QCOMPARE(p.width, width.toDouble());
            QCOMPARE(p.height, height.toDouble());
        } else {
            QCOMPARE(p.left, 0);
            QCOMPARE(p.top, 0);
            QCOMPARE(p.width, 8000.0);
            QCOMPARE(p.height, 8000.0);
        }
    }

    void aPositionThatDoesNotFitIsNotUsed_data() {
        QTest::addColumn<QString>("left");
        QTest::newRow("huge") << QStringLiteral("1e12");
        QTest::newRow("huge negative") << QStringLiteral("-99999999999");
        QTest::newRow("text") << QStringLiteral("left");
    }
    void aPositionThatDoesNotFitIsNotUsed() {
        QFETCH(QString, left);
        Fixture f;
        f.store->write(kSettings, QStringLiteral("ScreenMapPosX"), left);
        f.store->write(kSettings, QStringLiteral("ScreenMapPosY"), QStringLiteral("200"));
        f.store->write(kSettings, QStringLiteral("ScreenMapX"), QStringLiteral("5000"));
        f.store->write(kSettings, QStringLiteral("ScreenMapY"), QStringLiteral("4000"));
        DataFolders::LoadWindowPlacement(f.state, QStringLiteral("ScreenMap"),
                                         QSizeF(19200, 10800));
        QCOMPARE(f.state.Placement.left, 0);
        QCOMPARE(f.state.Placement.top, 200);
        QCOMPARE(f.state.Placement.width, 5000.0);
    }

    void aSavedPlacementComesBack() {
        Fixture f;
        f.state.Placement = WindowPlacement{-300, 1500, 7200.5, 5400};
        DataFolders::SaveWindowPlacement(f.state, QStringLiteral("ScreenV1"));
        QCOMPARE(f.read(kSettings, QStringLiteral("ScreenV1PosX")), QStringLiteral("-300"));
        QCOMPARE(f.read(kSettings, QStringLiteral("ScreenV1PosY")), QStringLiteral("1500"));
        QCOMPARE(f.read(kSettings, QStringLiteral("ScreenV1X")), QStringLiteral("7200.5"));
        QCOMPARE(f.read(kSettings, QStringLiteral("ScreenV1Y")), QStringLiteral("5400"));
        f.state.Placement = WindowPlacement{};
        DataFolders::LoadWindowPlacement(f.state, QStringLiteral("ScreenV1"), QSizeF(19200, 10800));
        QCOMPARE(f.state.Placement.left, -300);
        QCOMPARE(f.state.Placement.top, 1500);
        QCOMPARE(f.state.Placement.width, 7200.5);
        QCOMPARE(f.state.Placement.height, 5400.0);
    }

    void prayerFontIsSavedOnlyWhileTheDiaryIsVisible() {
        Fixture f;
        DataFolders::SavePrayerFontSettings(f.state, false, 14, 255, QStringLiteral("Arial"));
        QVERIFY(!f.store->contains(kSettings, QStringLiteral("PrayerFontSize")));
        QVERIFY(!f.store->contains(kSettings, QStringLiteral("PrayerForeColour")));
        QVERIFY(!f.store->contains(kSettings, QStringLiteral("PrayerFontName")));
        DataFolders::SavePrayerFontSettings(f.state, true, 14, 0xA2B500, QStringLiteral("Arial"));
        QCOMPARE(f.read(kSettings, QStringLiteral("PrayerFontSize")), QStringLiteral("14"));
        QCOMPARE(f.read(kSettings, QStringLiteral("PrayerForeColour")),
                 QString::number(0xA2B500));
        QCOMPARE(f.read(kSettings, QStringLiteral("PrayerFontName")), QStringLiteral("Arial"));
    }

    void recoveryResetsSettingsAndRebuildsTheFolders() {
        Fixture f;
        f.store->write(kSettings, QStringLiteral("Revision"), TolvaneRoutines::VersionDigits());
        f.store->write(kSettings, QStringLiteral("MainWidth"), QStringLiteral("9000"));
        f.store->write(QStringLiteral("Module_Path"), QStringLiteral("ModulePath"),
                       QStringLiteral("/srv/modules/"));
        f.store->write(QStringLiteral("Identity"), QStringLiteral("Default"),
                       QStringLiteral("Ruth"));
        f.store->write(QStringLiteral("Search History"), QStringLiteral("0"),
                       QStringLiteral("mercy"));
        f.dialogs.expectMessage(Dialogs::Answer::Ok);
        DataFolders::RecoverSettingsAndFolders(f.state);

        QCOMPARE(f.dialogs.records().size(), 1);
        const Dialogs::Box& box = f.dialogs.records().first().box;
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.title, QString());
        QCOMPARE(box.text, QStringLiteral("An unexpected error has occured. Tolvane\r\n"
                                          "Will attempt to recover from this. Please restart "
                                          "the Program."));
        QVERIFY(f.state.EndRequested);

        // What the next start will see.
        SettingsStore next(f.folder.settingsPath());
        QVERIFY(!next.contains(kSettings, QStringLiteral("Revision")));
        QVERIFY(!next.contains(kSettings, QStringLiteral("MainWidth")));
        QCOMPARE(next.read(QStringLiteral("Module_Path"), QStringLiteral("ModulePath"), QString()),
                 QStringLiteral("/srv/modules/"));
        QCOMPARE(next.read(QStringLiteral("Identity"), QStringLiteral("Default"), QString()),
                 QStringLiteral("Ruth"));
        QCOMPARE(next.read(QStringLiteral("Search History"), QStringLiteral("0"), QString()),
                 QStringLiteral("mercy"));
        QStringList expected = kFolders;
        expected.sort();
        QCOMPARE(foldersUnder(f.folder.path()), expected);
    }

    void theBibleTestLooksForBibleTexts_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("found");
        QTest::newRow("bible text") << QStringLiteral("Bible/b_kjv.txt") << true;
        QTest::newRow("other spelling") << QStringLiteral("BIBLE/B_KJV.TXT") << true;
        QTest::newRow("no prefix") << QStringLiteral("Bible/kjv.txt") << false;
        QTest::newRow("other extension") << QStringLiteral("Bible/b_kjv.txt.bak") << false;
        QTest::newRow("commentary only") << QStringLiteral("Commentary/b_kjv.txt") << false;
        QTest::newRow("nothing") << QString() << false;
    }
    void theBibleTestLooksForBibleTexts() {
        QFETCH(QString, file);
        QFETCH(bool, found);
        QTemporaryDir root;
        if (!file.isEmpty()) {
            const QString path = root.filePath(file);
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
        }
        QCOMPARE(DataFolders::ModuleRootHasBibles(root.path()), found);
        QCOMPARE(DataFolders::ModuleRootHasBibles(root.path() + '/'), found);
    }
};

QTEST_GUILESS_MAIN(TestDataFolders)
#include "tst_DataFolders.moc"
