#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "library/Catalogues.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {
const QStringList kEmpty{QString()};

// What a list holds when nothing of its kind was loaded.
QStringList orEmpty(const QStringList& names) { return names.isEmpty() ? kEmpty : names; }
} // namespace

class TestCatalogues : public QObject {
    Q_OBJECT

    struct Fixture {
        TestProgramFolder folder;
        std::unique_ptr<SettingsStore> store = folder.makeSettings();
        ScriptedDialogs dialogs;
        ProgramState state{*store, dialogs};
        Fixture() {
            folder.installMessages();
            // The shipped message files may not be laid out yet; the two records suffice.
            if (!QFileInfo::exists(folder.file(QStringLiteral("msg/ENGLISH_STD.mes"))))
                folder.write(QStringLiteral("msg/ENGLISH_STD.mes"),
                             "0097 The book list could not be read from %^^\r\n"
                             "0098 The file % is missing or damaged.\r\n");
            folder.makeFolders();
            state.programDir = folder.path();
            DataFolders::SetProgramPaths(state);
            DataFolders::LoadSettings(state);
            DataFolders::SetModuleRoot(state);
        }
        QString translationsPath() const {
            return state.SysDefsFolder + QStringLiteral("Translations.txt");
        }
        void addFiles(const QStringList& files) const {
            for (const QString& f : files)
                folder.write(QStringLiteral("Modules/") + f, TestProgramFolder::smallBibleText());
        }
    };

private slots:
    // ---- Books.txt ----

    void aCompleteBookListLoads_data() {
        QTest::addColumn<QByteArray>("extra");
        QTest::addColumn<bool>("lfOnly");
        QTest::newRow("72 lines") << QByteArray() << false;
        QTest::newRow("73rd line ignored") << QByteArray("73\tExtra\tExtra\r\n") << false;
        QTest::newRow("73rd line damaged") << QByteArray("no tabs at all\r\n") << false;
        QTest::newRow("LF only") << QByteArray() << true;
    }
    void aCompleteBookListLoads() {
        QFETCH(QByteArray, extra);
        QFETCH(bool, lfOnly);
        Fixture f;
        f.folder.writeBooks();
        QByteArray books = f.folder.read(QStringLiteral("sysdefs/Books.txt")) + extra;
        if (lfOnly) {
            books.replace("\r\n", "\n");
            books.chop(1); // and no end after the last line
        }
        f.folder.write(QStringLiteral("SysDefs/Books.txt"), books);
        QVERIFY(Catalogues::LoadBookCatalogue(f.state));
        QCOMPARE(f.state.BookRefNames.size(), 72);
        QCOMPARE(f.state.BookDisplayNames.size(), 72);
        QCOMPARE(f.state.BookNumbers.size(), 72);
        QCOMPARE(f.state.BookRefNames.first(), QStringLiteral("Genesis"));
        QCOMPARE(f.state.BookRefNames.at(8), QStringLiteral("1 Samuel"));
        QCOMPARE(f.state.BookRefNames.at(65), QStringLiteral("Revelation"));
        QCOMPARE(f.state.BookDisplayNames.last(), QStringLiteral("Whole Bible"));
        QCOMPARE(int(f.state.BookNumbers.at(39)), 40);
        QVERIFY(!f.state.EndRequested);
    }

    void theDisplayNameIsEverythingAfterTheSecondTab() {
        Fixture f;
        f.folder.writeBooks();
        QByteArray books = f.folder.read(QStringLiteral("sysdefs/Books.txt"));
        books.replace("1\tGenesis\tGenesis\r\n", "1\tGenesis\t1. Mose\t(Gen) \xe9\r\n");
        f.folder.write(QStringLiteral("SysDefs/Books.txt"), books);
        QVERIFY(Catalogues::LoadBookCatalogue(f.state));
        QCOMPARE(f.state.BookRefNames.first(), QStringLiteral("Genesis"));
        QCOMPARE(f.state.BookDisplayNames.first(), QStringLiteral("1. Mose\t(Gen) \u00e9"));
    }

    void anUnreadableBookListRecovers_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("71 lines") << 71 << QByteArray() << QByteArray();
        QTest::newRow("missing file") << 0 << QByteArray() << QByteArray();
        QTest::newRow("empty file") << -1 << QByteArray() << QByteArray();
        QTest::newRow("one tab") << 72 << QByteArray("10\t2 Samuel\t") << QByteArray("10 2 Samuel\t");
        QTest::newRow("no tab") << 72 << QByteArray("72\tWhole Bible\tWhole Bible")
                                << QByteArray("Whole Bible");
        QTest::newRow("number not numeric") << 72 << QByteArray("5\tDeut")
                                            << QByteArray("five\tDeut");
        QTest::newRow("number past 16 bits") << 72 << QByteArray("5\tDeut")
                                             << QByteArray("40000\tDeut");
    }
    void anUnreadableBookListRecovers() {
        QFETCH(int, lines);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        Fixture f;
        if (lines > 0) {
            f.folder.writeBooks(lines);
            QByteArray books = f.folder.read(QStringLiteral("sysdefs/Books.txt"));
            if (!from.isEmpty()) {
                QVERIFY(books.contains(from));
                books.replace(from, to);
            }
            f.folder.write(QStringLiteral("SysDefs/Books.txt"), books);
        } else if (lines < 0) {
            f.folder.write(QStringLiteral("SysDefs/Books.txt"), QByteArray());
        }
        f.store->write(QStringLiteral("Settings"), QStringLiteral("MainWidth"),
                       QStringLiteral("9000"));
        f.dialogs.expectMessage(Dialogs::Answer::Ok);
        f.dialogs.expectMessage(Dialogs::Answer::Ok, QStringLiteral("Will attempt to recover"));

        QVERIFY(!Catalogues::LoadBookCatalogue(f.state));

        QCOMPARE(f.dialogs.records().size(), 2);
        const Dialogs::Box& box = f.dialogs.records().first().box;
        QCOMPARE(box.icon, Dialogs::Icon::None);
        const QString first = MessageText::Std(f.state, 97, f.state.SysDefsFolder);
        const QString second = MessageText::Std(f.state, 98, QStringLiteral("Books.txt"));
        QVERIFY(!first.contains(QStringLiteral("NOT FOUND")));
        QVERIFY(!second.contains(QStringLiteral("NOT FOUND")));
        QVERIFY(first.contains(f.state.SysDefsFolder));
        QCOMPARE(box.text, first + second);
        QVERIFY(f.state.EndRequested);
        QVERIFY(!f.store->contains(QStringLiteral("Settings"), QStringLiteral("MainWidth")));
        QVERIFY(f.state.BookRefNames.isEmpty());
    }

    // ---- Translations.txt ----

    void theModuleListsFollowTheCatalogue_data() {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("bibles");
        QTest::addColumn<QStringList>("bibleFiles");
        QTest::addColumn<QStringList>("commentaries");
        QTest::addColumn<QString>("names");
        QTest::addColumn<QString>("dictionary");

        QTest::newRow("disabled and missing Bibles left out, order kept")
            << QByteArray("1,1,\"King James\",\"b_kjv\"\r\n"
                          "2,0,\"Disabled\",\"b_dis\"\r\n"
                          "3,1,\"Not installed\",\"b_mis\"\r\n"
                          "4,-1,\"World English\",\"b_web\"\r\n"
                          "5,1,\"American Standard\",\"b_asv\"\r\n")
            << QStringList{"Bible/b_kjv.txt", "Bible/b_dis.txt", "Bible/B_WEB.TXT",
                           "Bible/b_asv.txt"}
            << QStringList{"King James", "World English", "American Standard"}
            << QStringList{"b_kjv.TXT", "b_web.TXT", "b_asv.TXT"} << QStringList{} << QString()
            << QString();
        QTest::newRow("precedence is file order, not number")
            << QByteArray("20,1,\"Second\",\"b_two\"\r\n1,1,\"First\",\"b_one\"\r\n")
            << QStringList{"Bible/b_one.txt", "Bible/b_two.txt"}
            << QStringList{"Second", "First"} << QStringList{"b_two.TXT", "b_one.TXT"}
            << QStringList{} << QString() << QString();
        QTest::newRow("later dictionary wins")
            << QByteArray("1,1,\"KJV\",\"b_kjv\"\r\n1600,0,\"Easton\",\"d_easton\"\r\n"
                          "1601,0,\"Smith\",\"d_smith\"\r\n")
            << QStringList{"Bible/b_kjv.txt", "Dictionary/d_easton.txt",
                           "Dictionary/d_smith.txt"}
            << QStringList{"KJV"} << QStringList{"b_kjv.TXT"} << QStringList{} << QString()
            << QStringLiteral("Smith");
        QTest::newRow("missing later dictionary keeps the earlier")
            << QByteArray("1,1,\"KJV\",\"b_kjv\"\r\n1600,0,\"Easton\",\"d_easton\"\r\n"
                          "1601,0,\"Smith\",\"d_smith\"\r\n")
            << QStringList{"Bible/b_kjv.txt", "Dictionary/d_easton.txt"} << QStringList{"KJV"}
            << QStringList{"b_kjv.TXT"} << QStringList{} << QString() << QStringLiteral("Easton");
        QTest::newRow("later names module wins even when missing")
            << QByteArray("1500,0,\"Hitchcock\",\"n_hitch\"\r\n1,1,\"KJV\",\"b_kjv\"\r\n"
                          "1599,0,\"Other names\",\"n_other\"\r\n")
            << QStringList{"Bible/b_kjv.txt", "Name/n_hitch.txt"} << QStringList{"KJV"}
            << QStringList{"b_kjv.TXT"} << QStringList{} << QStringLiteral("Other names")
            << QString();
        QTest::newRow("missing commentary skipped, order kept")
            << QByteArray("1,1,\"KJV\",\"b_kjv\"\r\n1700,0,\"Henry\",\"c_henry\"\r\n"
                          "1701,1,\"Gill\",\"c_gill\"\r\n1799,0,\"Barnes\",\"c_barnes\"\r\n")
            << QStringList{"Bible/b_kjv.txt", "Commentary/c_henry.txt", "Commentary/C_BARNES.txt"}
            << QStringList{"KJV"} << QStringList{"b_kjv.TXT"}
            << QStringList{"Henry", "Barnes"} << QString() << QString();
        QTest::newRow("unused numbers skipped")
            << QByteArray("999,1,\"Ghost\",\"b_ghost\"\r\n1,1,\"KJV\",\"b_kjv\"\r\n"
                          "1000,1,\"Old\",\"b_old\"\r\n1499,1,\"Old2\",\"b_old2\"\r\n"
                          "1800,1,\"Future\",\"c_future\"\r\n")
            << QStringList{"Bible/b_ghost.txt", "Bible/b_kjv.txt", "Bible/b_old.txt",
                           "Bible/b_old2.txt", "Commentary/c_future.txt"}
            << QStringList{"KJV"} << QStringList{"b_kjv.TXT"} << QStringList{} << QString()
            << QString();
        QTest::newRow("lines without an end and with blank lines")
            << QByteArray("\r\n1,1,\"KJV\",\"b_kjv\"\n\n1700,0,\"Henry\",\"c_henry\"")
            << QStringList{"Bible/b_kjv.txt", "Commentary/c_henry.txt"} << QStringList{"KJV"}
            << QStringList{"b_kjv.TXT"} << QStringList{"Henry"} << QString() << QString();
        QTest::newRow("commas inside quoted names")
            << QByteArray("1, 1, \"Bible, revised\", \"b_rev\"\r\n")
            << QStringList{"Bible/b_rev.txt"} << QStringList{"Bible, revised"}
            << QStringList{"b_rev.TXT"} << QStringList{} << QString() << QString();
    }
    void theModuleListsFollowTheCatalogue() {
        QFETCH(QByteArray, catalogue);
        QFETCH(QStringList, files);
        QFETCH(QStringList, bibles);
        QFETCH(QStringList, bibleFiles);
        QFETCH(QStringList, commentaries);
        QFETCH(QString, names);
        QFETCH(QString, dictionary);
        Fixture f;
        f.folder.writeTranslations(catalogue);
        f.addFiles(files);
        // A second load rebuilds the lists instead of adding to them.
        for (int load = 0; load < 2; ++load) {
            QCOMPARE(Catalogues::LoadTranslationCatalogue(f.state),
                     Catalogues::TranslationResult::Loaded);
            QCOMPARE(f.state.BibleNames, bibles);
            QCOMPARE(f.state.BibleFiles, bibleFiles);
            QCOMPARE(f.state.CommentaryNames, orEmpty(commentaries));
            QCOMPARE(f.state.CommentaryFiles.size(), f.state.CommentaryNames.size());
            QCOMPARE(f.state.NamesModuleName, names);
            QCOMPARE(f.state.DictionaryName, dictionary);
        }
        QCOMPARE(f.dialogs.records().size(), 0);
    }

    void moduleFilesCarryTheirExtensions() {
        Fixture f;
        f.folder.writeTranslations("1,1,\"KJV\",\"b_kjv\"\r\n1500,0,\"Names\",\"n_hitch\"\r\n"
                                   "1600,0,\"Easton\",\"d_easton\"\r\n"
                                   "1700,0,\"Henry\",\"c_henry\"\r\n");
        f.addFiles({QStringLiteral("Bible/b_kjv.txt"), QStringLiteral("Dictionary/d_easton.txt"),
                    QStringLiteral("Commentary/c_henry.txt")});
        QCOMPARE(Catalogues::LoadTranslationCatalogue(f.state),
                 Catalogues::TranslationResult::Loaded);
        QCOMPARE(f.state.NamesModuleFile, QStringLiteral("n_hitch.txt"));
        QCOMPARE(f.state.DictionaryFile, QStringLiteral("d_easton.txt"));
        QCOMPARE(f.state.CommentaryFiles, QStringList{QStringLiteral("c_henry.txt")});
    }

    void withoutABibleNothingElseIsLoaded_data() {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::newRow("only Bible disabled") << QByteArray("1,0,\"KJV\",\"b_kjv\"\r\n"
                                                           "1600,0,\"Easton\",\"d_easton\"\r\n"
                                                           "1700,0,\"Henry\",\"c_henry\"\r\n"
                                                           "1500,0,\"Names\",\"n_hitch\"\r\n");
        QTest::newRow("Bible file missing") << QByteArray("7,1,\"Gone\",\"b_gone\"\r\n"
                                                          "1600,0,\"Easton\",\"d_easton\"\r\n");
        QTest::newRow("only a 999 record") << QByteArray("999,1,\"KJV\",\"b_kjv\"\r\n");
        QTest::newRow("empty catalogue") << QByteArray();
    }
    void withoutABibleNothingElseIsLoaded() {
        QFETCH(QByteArray, catalogue);
        Fixture f;
        f.folder.writeTranslations(catalogue);
        f.addFiles({QStringLiteral("Bible/b_kjv.txt"), QStringLiteral("Dictionary/d_easton.txt"),
                    QStringLiteral("Commentary/c_henry.txt")});
        f.state.DictionaryName = QStringLiteral("from an earlier load");
        QCOMPARE(Catalogues::LoadTranslationCatalogue(f.state),
                 Catalogues::TranslationResult::NoBibles);
        QCOMPARE(f.state.BibleNames, kEmpty);
        QCOMPARE(f.state.BibleFiles, kEmpty);
        QCOMPARE(f.state.CommentaryNames, kEmpty);
        QCOMPARE(f.state.CommentaryFiles, kEmpty);
        QCOMPARE(f.state.DictionaryName, QString());
        QCOMPARE(f.state.NamesModuleName, QString());
        QVERIFY(!f.state.EndRequested); // the no-Bibles window decides that
        QCOMPARE(f.dialogs.records().size(), 0);
    }

    void aMissingCatalogueEndsTheProgram() {
        Fixture f;
        f.addFiles({QStringLiteral("Bible/b_kjv.txt")});
        f.state.BibleNames = QStringList{QStringLiteral("kept")};
        f.dialogs.expectMessage(Dialogs::Answer::Ok);
        QCOMPARE(Catalogues::LoadTranslationCatalogue(f.state),
                 Catalogues::TranslationResult::Missing);
        QVERIFY(f.state.EndRequested);
        const Dialogs::Box& box = f.dialogs.records().first().box;
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.text, f.translationsPath() +
                               QStringLiteral(" File not found!\r\nThis file must be present. "
                                              "Copy latest version from\r\n") +
                               TolvaneRoutines::WebAddress());
        QCOMPARE(f.state.BibleNames, QStringList{QStringLiteral("kept")});
    }

    void theCatalogueIsFoundInAnotherSpelling() {
        Fixture f;
        f.folder.write(QStringLiteral("SysDefs/TRANSLATIONS.TXT"), "1,1,\"KJV\",\"B_KJV\"\r\n");
        f.addFiles({QStringLiteral("Bible/b_kjv.txt")});
        QCOMPARE(Catalogues::LoadTranslationCatalogue(f.state),
                 Catalogues::TranslationResult::Loaded);
        QCOMPARE(f.state.BibleFiles, QStringList{QStringLiteral("B_KJV.TXT")});
    }

    void aDamagedRecordIsReportedAndTheOthersKept_data() {
        QTest::addColumn<QByteArray>("damaged");
        QTest::addColumn<int>("line"); // where the damaged record goes: 1, 3 or 5 (last)
        QTest::newRow("number not numeric, first") << QByteArray("x3,1,\"Bad\",\"b_bad\"") << 1;
        QTest::newRow("flag not numeric, middle") << QByteArray("3,yes,\"Bad\",\"b_bad\"") << 3;
        QTest::newRow("number past 16 bits, first") << QByteArray("40000,1,\"Bad\",\"b_bad\"")
                                                    << 1;
        QTest::newRow("unterminated quote, middle") << QByteArray("3,1,\"Bad Bible,b_bad") << 3;
        QTest::newRow("junk after a quote, first") << QByteArray("3,1,\"Bad\"x,\"b_bad\"") << 1;
        QTest::newRow("three fields, middle") << QByteArray("3,1,\"Bad\"") << 3;
        QTest::newRow("two fields, first") << QByteArray("3,1") << 1;
        QTest::newRow("five fields, middle") << QByteArray("3,1,\"Bad\",\"b_bad\",\"extra\"") << 3;
        QTest::newRow("quoted number, middle") << QByteArray("\"3\",1,\"Bad\",\"b_bad\"") << 3;
        QTest::newRow("damaged last record") << QByteArray("3,1,\"Bad") << 5;
    }
    void aDamagedRecordIsReportedAndTheOthersKept() {
        QFETCH(QByteArray, damaged);
        QFETCH(int, line);
        Fixture f;
        // Good records on lines 2 and 4 around a blank line 3 (or the damaged one there).
        QList<QByteArray> lines{"1,1,\"KJV\",\"b_kjv\"", QByteArray(), "2,1,\"WEB\",\"b_web\"",
                                "1700,0,\"Henry\",\"c_henry\""};
        lines.insert(line - 1, damaged);
        QByteArray catalogue = lines.join("\r\n");
        if (line != 5)
            catalogue += "\r\n";
        f.folder.writeTranslations(catalogue);
        f.addFiles({QStringLiteral("Bible/b_kjv.txt"), QStringLiteral("Bible/b_web.txt"),
                    QStringLiteral("Bible/b_bad.txt"), QStringLiteral("Commentary/c_henry.txt")});
        f.dialogs.expectMessage(Dialogs::Answer::Ok);
        QCOMPARE(Catalogues::LoadTranslationCatalogue(f.state),
                 Catalogues::TranslationResult::Loaded);
        QCOMPARE(f.state.BibleNames, (QStringList{QStringLiteral("KJV"), QStringLiteral("WEB")}));
        QCOMPARE(f.state.CommentaryNames, QStringList{QStringLiteral("Henry")});
        QCOMPARE(f.dialogs.records().size(), 1);
        const Dialogs::Box& box = f.dialogs.records().first().box;
        QCOMPARE(box.title, TolvaneRoutines::ErrorReportTitle());
        const QStringList text = box.text.split(QStringLiteral("\r\n"));
        QCOMPARE(text.value(4), QStringLiteral("Additional Info: ") + f.translationsPath() +
                                    QStringLiteral(" line ") + QString::number(line));
    }
    void severalDamagedRecordsGiveOneReport() {
        Fixture f;
        f.folder.writeTranslations("junk\r\n1,1,\"KJV\",\"b_kjv\"\r\n3,1\r\n"
                                   "2,1,\"WEB\",\"b_web\"\r\n\"unterminated\r\n");
        f.addFiles({QStringLiteral("Bible/b_kjv.txt"), QStringLiteral("Bible/b_web.txt")});
        f.dialogs.expectMessage(Dialogs::Answer::Ok);
        QCOMPARE(Catalogues::LoadTranslationCatalogue(f.state),
                 Catalogues::TranslationResult::Loaded);
        QCOMPARE(f.state.BibleNames, (QStringList{QStringLiteral("KJV"), QStringLiteral("WEB")}));
        QCOMPARE(f.dialogs.records().size(), 1);
        QVERIFY(f.dialogs.records().first().box.text.contains(
            f.translationsPath() + QStringLiteral(" lines 1, 3, 5\r\n")));
    }
    void writtenRecordsReadBack() {
        const QVector<Catalogues::TranslationRecord> records = {
            {1, 1, QStringLiteral("King James Version (1769)"), QStringLiteral("b_kjv")},
            {2, 0, QStringLiteral("Reina-Valera, Espa\u00f1ol"), QStringLiteral("b_sparv")},
            {1700, -1, QStringLiteral("Henry \u201cConcise\u201d"), QStringLiteral("mhcc")}};
        const QByteArray bytes = Catalogues::FormatTranslations(records);
        QVERIFY(bytes.endsWith("\r\n"));
        const Catalogues::ParsedTranslations parsed = Catalogues::ParseTranslations(bytes);
        QCOMPARE(parsed.badLine, 0);
        QCOMPARE(parsed.records.size(), records.size());
        for (int i = 0; i < records.size(); ++i) {
            QCOMPARE(parsed.records.at(i).number, records.at(i).number);
            QCOMPARE(parsed.records.at(i).flag, records.at(i).flag);
            QCOMPARE(parsed.records.at(i).description, records.at(i).description);
            QCOMPARE(parsed.records.at(i).code, records.at(i).code);
        }
    }

    // The catalogues shipped in the default program folder must load with its own modules.
    void theShippedCataloguesLoad() {
        Fixture f;
        const QString shipped = QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/");
        f.state.SysDefsFolder = FileFunctions::resolve(shipped + QStringLiteral("sysdefs/"));
        f.state.ModulePath = shipped + QStringLiteral("Modules/");
        DataFolders::SetModuleFolders(f.state);
        QVERIFY(Catalogues::LoadBookCatalogue(f.state));
        QCOMPARE(f.state.BookDisplayNames.size(), 72);
        QCOMPARE(Catalogues::LoadTranslationCatalogue(f.state),
                 Catalogues::TranslationResult::Loaded);
        QByteArray bytes;
        QVERIFY(FileFunctions::readWholeFile(f.translationsPath(), bytes));
        const Catalogues::ParsedTranslations parsed = Catalogues::ParseTranslations(bytes);
        QCOMPARE(parsed.badLine, 0);
        QStringList enabled;
        for (const Catalogues::TranslationRecord& r : parsed.records)
            if (r.number <= 998 && r.flag != 0)
                enabled << r.description;
        QCOMPARE(f.state.BibleNames, enabled);
        QCOMPARE(f.dialogs.records().size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_Catalogues.moc"
