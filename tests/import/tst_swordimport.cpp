#include "ImportFixture.h"
#include "SwordTestFolder.h"

#include "app/search/ScriptureSearch.h"
#include "import/ImportTexts.h"
#include "import/ModuleImporter.h"
#include "import/SwordLibrary.h"
#include "library/FileFunctions.h"
#include "library/ModuleValidator.h"
#include "library/VerseIndex.h"

#include <QFile>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kDebian = QStringLiteral("/usr/share/sword");

// A small Bible with a psalm title, the divine name, a footnote between two words, a
// supplied word glued to the next and a book outside the 66.
SwordTestFolder::Entries smallBible() {
    return {{"Gen 1:1", "In the beginning <w lemma=\"strong:H0430\">God</w> created the heaven."},
            {"Gen 1:2", "And the earth was<note type=\"x\">Or, became</note>without form."},
            {"Ps 3:1",
             "<div type=\"x-milestone\" subType=\"x-preverse\" sID=\"p1\"/><title type=\"psalm\" "
             "canonical=\"true\">A Psalm of David.</title><div type=\"x-milestone\" "
             "subType=\"x-preverse\" eID=\"p1\"/><divineName>Lord</divineName>, how are "
             "they increased!"},
            {"Ps 3:2", "Many <transChange type=\"added\">there be</transChange>which say."},
            {"Matt 1:1", "The book of the generation of Jesus Christ."}};
}

// Lowers the largest file this process may write: writes fail part-way, even as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_old{};
    void (*m_handler)(int) = nullptr;
};

// Reads as an ordinary user would: root reads folders without permission.
class OrdinaryUser {
public:
    OrdinaryUser() : m_root(geteuid() == 0) {
        if (m_root && (setegid(65534) != 0 || seteuid(65534) != 0))
            m_root = false;
    }
    ~OrdinaryUser() {
        if (m_root && (seteuid(0) != 0 || setegid(0) != 0))
            qFatal("could not become root again");
    }

private:
    bool m_root;
};

QString searchCounts(ProgramState& state, const QString& file, const QString& text,
                     SearchMode mode) {
    ScriptureSearch search(state);
    if (!search.prepare(SearchRequest{file, 72, mode, false, text}))
        return QStringLiteral("refused");
    bool stop = false;
    search.run({}, stop);
    return search.statusText(search.highlightPlan().outcome().MatchCount);
}

} // namespace

class TestSwordImport : public QObject {
    Q_OBJECT

private:
    bool debianModule(const char* conf) {
        return QFile::exists(kDebian + QStringLiteral("/mods.d/") + QLatin1String(conf));
    }

private slots:
    void initTestCase() {
        if (!SwordLibrary::Available())
            QSKIP("Tolvane was built without libsword (apt-get install libsword-dev)");
    }

    // The shipped King James text was made from Debian's module: an import gives it again,
    // byte for byte, and the search finds the same in both.
    void kjvEqualsTheShippedText() {
        if (!debianModule("engKJV2006eb.conf"))
            QSKIP("sword-text-kjv is not installed (apt-get install sword-text-kjv)");
        ImportFixture f("1,1,\"King James Version (1769)\",\"b_kjv\"\r\n");
        QFile::copy(QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/Modules/Bible/b_kjv.txt"),
                    f.folder.file("Modules/Bible/b_kjv.txt"));
        const SwordLibrary library({kDebian});
        const ModuleImporter::Outcome o =
            ModuleImporter(*f.state).Import(library, QStringLiteral("engKJV2006eb"), false);
        QCOMPARE(int(o.status), int(ModuleImporter::Status::Imported));
        QCOMPARE(f.folder.read("Modules/Bible/b_engkjv2006eb.txt"),
                 f.folder.read("Modules/Bible/b_kjv.txt"));
        QCOMPARE(f.state->BibleFiles, (QStringList{"b_kjv.TXT", "b_engkjv2006eb.TXT"}));
        for (const auto& [text, mode] :
             {std::pair{QStringLiteral("*JEHOVAH*"), SearchMode::Pattern},
              std::pair{QStringLiteral("*faith* *hope*"), SearchMode::AllTerms},
              std::pair{QStringLiteral("*LORD*"), SearchMode::Pattern}}) {
            const QString shipped = searchCounts(*f.state, "b_kjv.TXT", text, mode);
            QVERIFY2(shipped.contains(QLatin1String(" Verses")) &&
                         !shipped.startsWith(QLatin1String("0 ")),
                     qPrintable(shipped));
            QCOMPARE(searchCounts(*f.state, "b_engkjv2006eb.TXT", text, mode), shipped);
        }
    }

    // Every SWORD module Debian packages: what can be imported is imported and passes the
    // module check; what cannot is refused with its reason.
    void everyDebianModule() {
        const SwordLibrary library({kDebian});
        if (library.modules().isEmpty())
            QSKIP("no sword-text-*, sword-comm-* or sword-dict-* package is installed");
        ImportFixture f;
        ModuleImporter importer(*f.state);
        for (const SwordModuleInfo& info : library.modules()) {
            const ModuleImporter::Outcome o = importer.Import(library, info.name, false);
            const QString text = ImportTexts::Outcome(*f.state, o);
            qInfo("%s", qPrintable(text));
            if (!info.importable()) {
                QCOMPARE(int(o.status), int(ModuleImporter::Status::Refused));
                QVERIFY(text.contains(QLatin1String("No: ")));
                continue;
            }
            QVERIFY2(o.status == ModuleImporter::Status::Imported, qPrintable(text));
            const QString file = o.code + ".txt";
            if (info.kind == SwordModuleInfo::Kind::Bible)
                QVERIFY(f.state->BibleFiles.contains(o.code + ".TXT"));
            else if (info.kind == SwordModuleInfo::Kind::Commentary)
                QVERIFY(f.state->CommentaryFiles.contains(file));
            else
                QCOMPARE(f.state->DictionaryFile, file);
        }
        // The catalogue and every module it lists pass the check (the test folder has no maps
        // or notes, which the check asks for too).
        QStringList problems;
        for (const ModuleProblem& p : ModuleValidator().checkProgramFolder(f.folder.path()))
            if (!p.file.startsWith(QLatin1String("ref.txt")) &&
                !p.file.startsWith(QLatin1String("TLNotes")) &&
                !p.file.startsWith(QLatin1String("Maps")))
                problems.append(p.toString());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // New records go after those of their kind, numbered above them; disabled Bibles stay
    // disabled; the dictionary imported last is the one the window shows.
    void catalogueRecords() {
        SwordTestFolder sword;
        sword.addBible("Small", smallBible());
        sword.addCommentary("Notes", {{"Gen 1:1", "On the beginning."}});
        sword.addDictionary("Words",
                            {{"AARON", "<entryFree n=\"AARON\"><def>See <ref "
                                       "target=\"Words:MOSES\">MOSES</ref></def></entryFree>"},
                             {"MOSES", "A prophet."}});
        ImportFixture f("1,1,\"Test Bible\",\"b_tst\"\r\n2,0,\"Hidden\",\"b_hid\"\r\n"
                        "1600,1,\"Old Words\",\"d_old\"\r\n1700,1,\"Old Notes\",\"c_old\"\r\n");
        f.folder.write("Modules/Dictionary/d_old.txt", "1\tA\tB\r\n");
        const SwordLibrary library({sword.path()});
        ModuleImporter importer(*f.state);
        for (const char* name : {"Small", "Notes", "Words"}) {
            const ModuleImporter::Outcome o = importer.Import(library, name, false);
            QVERIFY2(o.status == ModuleImporter::Status::Imported,
                     qPrintable(ImportTexts::Outcome(*f.state, o)));
        }
        QCOMPARE(
            f.folder.read("sysdefs/Translations.txt"),
            QByteArray(
                "1,1,\"Test Bible\",\"b_tst\"\r\n2,0,\"Hidden\",\"b_hid\"\r\n"
                "3,1,\"Small test module\",\"b_small\"\r\n"
                "1600,1,\"Old Words\",\"d_old\"\r\n1601,1,\"Words test module\",\"d_words\"\r\n"
                "1700,1,\"Old Notes\",\"c_old\"\r\n1701,1,\"Notes test module\",\"c_notes\"\r\n"));
        QCOMPARE(f.state->BibleNames, (QStringList{"Test Bible", "Small test module"}));
        QCOMPARE(f.state->DictionaryName, QStringLiteral("Words test module"));
        QCOMPARE(f.folder.read("Modules/Bible/b_small.txt"),
                 QByteArray("1\t1\t1\t1\tIn the beginning God created the heaven.\r\n"
                            "2\t1\t1\t2\tAnd the earth was without form.\r\n"
                            "3\t19\t3\t0\tA Psalm of David.\r\n"
                            "4\t19\t3\t1\tLORD, how are they increased!\r\n"
                            "5\t19\t3\t2\tMany there be which say.\r\n"
                            "6\t40\t1\t1\tThe book of the generation of Jesus Christ.\r\n"));
        QCOMPARE(f.folder.read("Modules/Dictionary/d_words.txt"),
                 QByteArray("1\tAARON\tSee MOSES \xAF n\xB0"
                            "00002\r\n2\tMOSES\tA prophet.\r\n"));
        // The index was built with the text, as the main window would build it.
        QVERIFY(!VerseIndex::IndexNeedsBuilding(*f.state, f.state->BibleFolder, "b_small.TXT"));
        QVERIFY(
            !VerseIndex::IndexNeedsBuilding(*f.state, f.state->CommentaryFolder, "c_notes.txt"));
    }

    // A few characters outside Windows-1252 and books outside the 66, another versification:
    // imported, with what was changed and left out said.
    void changesAndBooksLeftOut() {
        SwordTestFolder sword;
        sword.addBible(
            "Apocrypha",
            {{"Gen 1:1",
              "In the beginning God created the heaven and the earth, of which Dvořák sang."},
             {"Gen 1:2", "And the earth was without form, and void; and darkness was upon the face "
                         "of the deep. And the Spirit of God moved upon the face of the waters."},
             {"Tob 1:1", "Tobit"},
             {"Tob 1:2", "Tobias"}},
            "en", false, "Versification=NRSVA\n");
        ImportFixture f;
        const SwordLibrary library({sword.path()});
        const ModuleImporter::Outcome o =
            ModuleImporter(*f.state).Import(library, "Apocrypha", false);
        QCOMPARE(int(o.status), int(ModuleImporter::Status::Imported));
        QCOMPARE(ImportTexts::Outcome(*f.state, o),
                 QStringLiteral("Imported: Apocrypha test module (b_apocrypha.txt, 2).\r\n"
                                "Characters written as their nearest Windows-1252 character: 1.\r\n"
                                "Left out, as they are not among the 66 books: Tob (2)."));
    }

    // Damaged modules, a module without permission, a stop half-way and a full disk: the
    // library, the index folder and the catalogue are as they were.
    void failuresChangeNothing_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("status");
        QTest::newRow("truncated data file")
            << "truncated data" << int(ModuleImporter::Status::Refused);
        QTest::newRow("truncated index")
            << "truncated index" << int(ModuleImporter::Status::Refused);
        QTest::newRow("missing conf") << "missing conf" << int(ModuleImporter::Status::NotFound);
        QTest::newRow("missing data") << "missing data" << int(ModuleImporter::Status::Refused);
        QTest::newRow("folder without permission")
            << "unreadable" << int(ModuleImporter::Status::Refused);
        QTest::newRow("stopped half-way") << "stop" << int(ModuleImporter::Status::Cancelled);
        QTest::newRow("disk full writing the text")
            << "full text" << int(ModuleImporter::Status::Failed);
        QTest::newRow("disk full writing the catalogue")
            << "full catalogue" << int(ModuleImporter::Status::Failed);
        QTest::newRow("disk full replacing")
            << "full replace" << int(ModuleImporter::Status::Failed);
        QTest::newRow("damaged catalogue")
            << "bad catalogue" << int(ModuleImporter::Status::Failed);
    }
    void failuresChangeNothing() {
        QFETCH(QString, damage);
        QFETCH(int, status);
        SwordTestFolder sword;
        SwordTestFolder::Entries verses;
        for (const char* book : {"Gen", "Exod", "Lev", "Num", "Deut"})
            for (int v = 1; v <= 30; ++v)
                verses.append(
                    {QStringLiteral("%1 1:%2").arg(QLatin1String(book)).arg(v),
                     QStringLiteral("Verse %1 of %2, written out long enough to fill a block.")
                         .arg(v)
                         .arg(QLatin1String(book))});
        sword.addBible("Packed", verses, "en", true);
        const QString data = sword.dataFolder("Packed");
        // Many records make the catalogue longer than the text, for the limit to catch it.
        QByteArray catalogue = "1,1,\"Test Bible\",\"b_tst\"\r\n";
        for (int i = 0; i < 300; ++i)
            catalogue += "1" + QByteArray::number(600 + i % 99) +
                         ",1,\"A dictionary that is not there\",\"d_gone\"\r\n";
        ImportFixture f(catalogue);
        if (damage == "bad catalogue")
            f.folder.writeTranslations(catalogue + "oops\r\n");
        if (damage == "full replace")
            QCOMPARE(int(ModuleImporter(*f.state)
                             .Import(SwordLibrary({sword.path()}), "Packed", false)
                             .status),
                     int(ModuleImporter::Status::Imported));
        if (damage == "truncated data")
            QVERIFY(QFile::resize(data + "/ot.bzz", QFileInfo(data + "/ot.bzz").size() / 2));
        if (damage == "truncated index")
            QVERIFY(QFile::resize(data + "/ot.bzv", QFileInfo(data + "/ot.bzv").size() - 3));
        if (damage == "missing conf")
            QVERIFY(QFile::remove(sword.confPath("Packed")));
        if (damage == "missing data")
            QVERIFY(QDir(data).removeRecursively());
        if (damage == "unreadable") {
            QFile::setPermissions(sword.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadGroup |
                                                    QFile::ExeGroup | QFile::ReadOther |
                                                    QFile::ExeOther);
            QVERIFY(QFile::setPermissions(data, QFileDevice::Permissions()));
        }
        const auto before = f.snapshot();
        ModuleImporter::Outcome o;
        {
            std::unique_ptr<OrdinaryUser> user(damage == "unreadable" ? new OrdinaryUser : nullptr);
            const SwordLibrary library({sword.path()});
            std::unique_ptr<FileSizeLimit> limit;
            if (damage == "full text")
                limit = std::make_unique<FileSizeLimit>(4000);
            if (damage == "full catalogue" || damage == "full replace")
                limit = std::make_unique<FileSizeLimit>(
                    QFileInfo(f.folder.file("sysdefs/Translations.txt")).size() - 10);
            o = ModuleImporter(*f.state).Import(
                library, "Packed", damage == "full replace",
                [&](qint64 done, qint64 total) { return damage != "stop" || done < total / 2; });
        }
        QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(int(o.status), status);
        if (damage == "unreadable")
            QCOMPARE(o.refusal, ImportRefusal::Unreadable);
        QVERIFY(!ImportTexts::Outcome(*f.state, o).isEmpty());
        QCOMPARE(f.snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestSwordImport)
#include "tst_swordimport.moc"
