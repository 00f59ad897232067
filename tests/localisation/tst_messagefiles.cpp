#include "ScriptedDialogs.h"
#include "TestProgramFolder.h"

#include "library/ProgramState.h"
#include "library/SettingsStore.h"
#include "localisation/LanguageBooks.h"
#include "localisation/MessageText.h"

#include <QFile>
#include <QSet>
#include <QtTest>

// The English message files shipped in data/program/msg: every window looks its texts up
// there by number, so a missing or damaged record shows up as "NOT FOUND" in the interface.
namespace {

struct Range {
    int first;
    int last;
};

// Standard messages the program asks for, by window or feature.
const Range kStandardNumbers[] = {
    {1, 3},     // names, commentary and dictionary windows when nothing is installed
    {4, 6},     // bookmarks
    {7, 7},     // date format window
    {9, 11},    // module folder windows
    {13, 13},   // printing
    {14, 27},   // audio Bibles and the download states
    {28, 40},   // language editor
    {41, 41},   // help-file Bibles
    {42, 42},   // Integrate Names
    {43, 43},   // search history
    {44, 48},   // notepad open and save
    {49, 49},   // re-index
    {50, 51},   // notepad find and quit
    {52, 53},   // diary password
    {58, 58},   // meaning of a name
    {59, 60},   // no-Bibles window
    {61, 63},   // password window
    {64, 73},   // identity window
    {74, 80},   // prayer diary
    {83, 83},   // diary search
    {84, 87},   // options window
    {97, 98},   // book catalogue
    {100, 101}, // interface language
    {103, 104}, // module folder window labels
    {105, 106}, // debug mode
    {107, 107}, // the identity window's "ADD"
    {402, 403}, // scripture search status texts
    {410, 410}, // page setup: a width without room between the margins
    {411, 412}, // verse index or book copy that cannot be written
    {420, 420}, // main window: the settings cannot be written
    {430, 430}, // options window: the Bible order could not be saved
    {450, 456}, // commentary, dictionary and maps status texts
    {472, 479}, // prayer diary: failed saves, refused headings and dates, identities
    {490, 507}, // bookmark and language editor boxes
    {510, 520}, // help-file and audio Bibles, the download notice
    {530, 549}, // module import
    {550, 550}, // the user's own folder cannot be made or written
    {900, 901}, // licence agreement and help windows
};

// Form texts the program asks for.
const Range kFormNumbers[] = {
    {1, 2},     // names and commentary captions
    {4, 8},     // switch identity, password, maps, print preview, no-Bibles captions
    {10, 20},   // identity, language editor, bookmark, audio, notepad, page setup, multi-Bible
    {24, 26},   // options, dictionary, password prompt
    {27, 57},   // main window tool tips
    {58, 119},  // main window menus and the date format caption
    {121, 139}, // bug report item and the search controls
    {140, 158}, // prayer diary
    {159, 160}, // password window
    {161, 168}, // language editor
    {169, 169}, // date format menu item
    {170, 180}, // bookmark list
    {181, 185}, // module folder windows
    {186, 195}, // language editor columns and prompts
    {196, 199}, // no-Bibles window buttons and the debug menu item
    {950, 961}, // commentary, dictionary and translation notes controls
    {900, 906}, // about box, licence agreement and help windows
    {990, 1002}, // bookmark windows, the language list's last entry
    {1010, 1024}, // help-file and audio Bible windows, the download notice
    {1030, 1049}, // module import window
};

// Records that are built around a value ("%"): every other record must not hold a "%",
// which the lookup would silently remove.
const int kStandardWithArgument[] = {1,  3,  6,  7,  10, 32, 33, 34, 37, 38, 46, 47,  49,  58, 62,
                                     65, 70, 74, 75, 77, 78, 79, 85, 86, 97, 98, 100, 101, 402,
                                     403, 410, 411, 412, 420, 430, 451, 452, 453, 454, 455, 456,
                                     472, 473, 474, 475, 477, 478, 479, 495, 496, 502, 503, 504,
                                     505, 506, 507, 511, 512, 514, 515, 516, 517, 518, 519, 530,
                                     536, 537, 539, 540, 541, 543, 544, 545, 546, 547, 548, 549,
                                     550, 900, 901};
const int kFormWithArgument[] = {2,  4,  5,  6,  7,  8,   11,  12,  13,  18,  20,
                                 24, 25, 26, 190, 191, 192, 900, 961, 1045, 1046};

QSet<int> expand(const Range* ranges, size_t count) {
    QSet<int> out;
    for (size_t i = 0; i < count; ++i)
        for (int n = ranges[i].first; n <= ranges[i].last; ++n)
            out.insert(n);
    return out;
}

QByteArray shipped(const QString& name) {
    QFile f(QStringLiteral(TOLVANE_SOURCE_DIR) + QStringLiteral("/data/program/msg/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file's lines without their CR LF; fails the test on any other line end.
QList<QByteArray> crlfLines(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    [&] {
        QVERIFY2(!bytes.isEmpty(), "file missing or empty");
        QVERIFY2(bytes.endsWith("\r\n"), "last line has no CR LF");
        lines.removeLast();
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(lines[i].endsWith('\r'),
                     qPrintable(QStringLiteral("line %1 lacks CR").arg(i + 1)));
            lines[i].chop(1);
            QVERIFY2(!lines[i].contains('\r'),
                     qPrintable(QStringLiteral("stray CR, line %1").arg(i + 1)));
        }
    }();
    return lines;
}

// Bytes that Windows-1252 leaves undefined, and control characters, have no place in text.
bool isPrintable1252(const QByteArray& line) {
    for (char c : line) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7f || b == 0x81 || b == 0x8d || b == 0x8f || b == 0x90 || b == 0x9d)
            return false;
    }
    return true;
}

} // namespace

class TestMessageFiles : public QObject {
    Q_OBJECT

private:
    // Parses one shipped message file into number -> text; each bad record is a problem.
    static QMap<int, QByteArray> parse(const QString& name, QStringList& problems) {
        QMap<int, QByteArray> records;
        const QList<QByteArray> lines = crlfLines(shipped(name));
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArray& line = lines[i];
            const QString where = name + QStringLiteral(" line %1: ").arg(i + 1);
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            if (!isPrintable1252(line))
                problems << where + QStringLiteral("control or undefined byte");
            const QByteArray field = line.left(4);
            const bool digits =
                field.size() == 4 && std::all_of(field.begin(), field.end(),
                                                 [](char c) { return c >= '0' && c <= '9'; });
            const int number = field.toInt();
            if (!digits || number < 1 || line.size() < 6 || line.at(4) != ' ') {
                problems << where + QStringLiteral("not \"nnnn text\": ") +
                                QString::fromLatin1(line);
                continue;
            }
            if (records.contains(number))
                problems << where + QStringLiteral("number used twice: ") +
                                QString::fromLatin1(field);
            else
                records.insert(number, line.mid(5));
        }
        return records;
    }

    static void checkSet(const QString& name, const QSet<int>& required,
                         const QSet<int>& withArgument) {
        QStringList problems;
        const QMap<int, QByteArray> records = parse(name, problems);
        QList<int> missing(required.cbegin(), required.cend());
        missing.erase(std::remove_if(missing.begin(), missing.end(),
                                     [&](int n) { return records.contains(n); }),
                      missing.end());
        std::sort(missing.begin(), missing.end());
        for (int n : missing)
            problems << name + QStringLiteral(": no record %1").arg(n);
        for (auto it = records.cbegin(); it != records.cend(); ++it)
            if (it.value().contains('%') != withArgument.contains(it.key()))
                problems << name + QStringLiteral(": record %1 ").arg(it.key()) +
                                (withArgument.contains(it.key())
                                     ? QStringLiteral("lacks")
                                     : QStringLiteral("must not hold")) +
                                QStringLiteral(" the placeholder");
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

private slots:
    void standardMessages() {
        checkSet(QStringLiteral("ENGLISH_STD.mes"),
                 expand(kStandardNumbers, std::size(kStandardNumbers)),
                 QSet<int>(std::begin(kStandardWithArgument), std::end(kStandardWithArgument)));
    }

    void formTexts() {
        checkSet(QStringLiteral("ENGLISH_FRM.mes"), expand(kFormNumbers, std::size(kFormNumbers)),
                 QSet<int>(std::begin(kFormWithArgument), std::end(kFormWithArgument)));
    }

    // Through the real lookup, as the windows will ask: no box, no "NOT FOUND", no empty text.
    void everyNumberReadsBackThroughTheLookup() {
        TestProgramFolder folder;
        folder.installMessages();
        const auto settings = folder.makeSettings();
        ScriptedDialogs dialogs;
        ProgramState state(*settings, dialogs);
        state.MessageFolder = folder.path() + QStringLiteral("/msg/");
        state.LanguagePrefix = QStringLiteral("ENGLISH_");
        const struct {
            int kind;
            QSet<int> numbers;
        } sets[] = {{MessageText::Standard, expand(kStandardNumbers, std::size(kStandardNumbers))},
                    {MessageText::Form, expand(kFormNumbers, std::size(kFormNumbers))}};
        for (const auto& set : sets)
            for (int n : set.numbers) {
                const QString text =
                    MessageText::GetMessageText(state, set.kind, n, QStringLiteral("ARG"));
                QVERIFY2(!text.trimmed().isEmpty() && !text.contains(QStringLiteral("NOT FOUND")),
                         qPrintable(QStringLiteral("kind %1 number %2").arg(set.kind).arg(n)));
            }
        QCOMPARE(dialogs.records().size(), 0);
        // The placeholder really carries the value.
        QVERIFY(MessageText::Frm(state, 8, QStringLiteral("Tolvane")).contains("Tolvane"));
    }

    // Captions that the windows are documented with must read exactly so.
    void documentedCaptions() {
        QStringList problems;
        const QMap<int, QByteArray> frm = parse(QStringLiteral("ENGLISH_FRM.mes"), problems);
        const struct {
            int number;
            const char* caption;
        } captions[] = {{196, "Locate Bibles"}, {197, "Help"},        {198, "Close for Now"},
                        {181, "DEFAULT"},       {182, "LOCATE"},      {183, "Close"},
                        {184, "UPDATE"},        {185, "CLOSE"},       {199, "Debug Mode"},
                        {89, "Format Date"},    {123, "Cle&ar"},      {131, "None"},
                        {132, "Ignore Order"},  {133, "Any Terms"},   {134, "Entire Selection"},
                        {136, "Active Update"}, {137, "Ignore Case"}, {96, "&ReIndex"},
                        {156, "Save && E&xit"}, {162, "SAVE"},        {161, "Set As Default"}};
        for (const auto& c : captions)
            QCOMPARE(frm.value(c.number), QByteArray(c.caption));
    }

    // The second interface language: every number the English files hold has a Spanish
    // text and no other number does, with the placeholder where the English has it; so a new
    // English text needs its Spanish one too.
    void spanishMatchesEnglish_data() {
        QTest::addColumn<QString>("set");
        QTest::newRow("standard messages") << QStringLiteral("STD.mes");
        QTest::newRow("form texts") << QStringLiteral("FRM.mes");
    }
    void spanishMatchesEnglish() {
        QFETCH(QString, set);
        QStringList problems;
        const QMap<int, QByteArray> english = parse("ENGLISH_" + set, problems);
        const QMap<int, QByteArray> spanish = parse("SPANISH_" + set, problems);
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            if (!spanish.contains(it.key()))
                problems << QStringLiteral("no Spanish text for %1").arg(it.key());
            else if (spanish.value(it.key()).count('%') != it.value().count('%'))
                problems << QStringLiteral("placeholders differ in %1").arg(it.key());
            else if (spanish.value(it.key()).trimmed().isEmpty())
                problems << QStringLiteral("empty Spanish text %1").arg(it.key());
        }
        for (auto it = spanish.cbegin(); it != spanish.cend(); ++it)
            if (!english.contains(it.key()))
                problems << QStringLiteral("Spanish %1 has no English text").arg(it.key());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }

    // The Spanish book list loads as a book catalogue once it is set as the default.
    void shippedBookLists() {
        for (const char* name : {"BOOKS_SPANISH.txt", "BOOKS_ENGLISH.txt", "ref.txt", "Books.txt"}) {
            QFile f(QStringLiteral(TOLVANE_SOURCE_DIR "/data/program/sysdefs/") + name);
            QVERIFY2(f.open(QIODevice::ReadOnly), name);
            const QByteArray bytes = f.readAll();
            QVERIFY2(LanguageBooks::LoadsAsCatalogue(bytes), name);
            QCOMPARE(crlfLines(bytes).size(), 72);
        }
    }

    // The splash screen shows one line picked at random: an empty line would show nothing.
    void favouriteVerses_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("English") << QStringLiteral("ENGLISH_FavVerses.txt");
        QTest::newRow("Spanish") << QStringLiteral("SPANISH_FavVerses.txt");
    }
    void favouriteVerses() {
        QFETCH(QString, file);
        const QList<QByteArray> lines = crlfLines(shipped(file));
        QVERIFY(lines.size() >= 20);
        for (const QByteArray& line : lines) {
            QVERIFY2(!line.trimmed().isEmpty(), "empty line");
            QVERIFY2(isPrintable1252(line), line.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestMessageFiles)
#include "tst_messagefiles.moc"
