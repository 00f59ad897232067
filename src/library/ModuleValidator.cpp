#include "library/ModuleValidator.h"

#include "library/FileFunctions.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

namespace {

// Bytes that Windows-1252 leaves undefined: a file holding them was written in another code page.
bool isUndefined1252(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

bool toNumber(const QByteArray& field, int& value) {
    if (field.isEmpty() || field.size() > 9)
        return false;
    for (char c : field)
        if (c < '0' || c > '9')
            return false;
    value = field.toInt();
    return true;
}

void add(QList<ModuleProblem>& problems, const QString& file, int line, const QString& what) {
    problems.append(ModuleProblem{file, line, what});
}

QString joinPath(const QString& folder, const QString& name) {
    return FileFunctions::resolve(QDir(folder).filePath(name));
}

// Folder under "Modules" for a catalogue number, empty when the number names no module kind.
QString folderForNumber(int number) {
    if (number <= 998)
        return QStringLiteral("Bible");
    if (number >= 1500 && number <= 1599)
        return QStringLiteral("Name");
    if (number >= 1600 && number <= 1699)
        return QStringLiteral("Dictionary");
    if (number >= 1700 && number <= 1799)
        return QStringLiteral("Commentary");
    return {};
}

// Reading state of a verse-text file while its lines are checked in order.
struct VerseTextState {
    int expectedRunning = 1;
    int lastBook = 0;
    int lastChapter = 0;
    int chapterLines = 0;
};

void checkVerseLine(const QString& name, int lineNo, const QByteArray& line, VerseTextState& s,
                    QList<ModuleProblem>& problems) {
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() != 5) {
        add(problems, name, lineNo, QStringLiteral("%1 fields instead of 5").arg(fields.size()));
        return;
    }
    int running = 0, book = 0, chapter = 0, verse = 0;
    if (!toNumber(fields[0], running) || !toNumber(fields[1], book) || !toNumber(fields[2], chapter)
        || !toNumber(fields[3], verse)) {
        add(problems, name, lineNo, QStringLiteral("a number field is not a whole number"));
        return;
    }
    if (running != s.expectedRunning)
        add(problems, name, lineNo,
            QStringLiteral("running number %1, expected %2").arg(running).arg(s.expectedRunning));
    s.expectedRunning = running + 1;
    if (running > ModuleValidator::MaxRunningNumber)
        add(problems, name, lineNo, QStringLiteral("running number %1 above 32767").arg(running));
    if (book < 1 || book > 66)
        add(problems, name, lineNo, QStringLiteral("book %1 outside 1 to 66").arg(book));
    else if (book < s.lastBook)
        add(problems, name, lineNo, QStringLiteral("book %1 after book %2").arg(book).arg(s.lastBook));
    if (chapter < 1 || chapter > 255)
        add(problems, name, lineNo, QStringLiteral("chapter %1 outside 1 to 255").arg(chapter));
    else if (book == s.lastBook && chapter < s.lastChapter)
        add(problems, name, lineNo,
            QStringLiteral("chapter %1 after chapter %2").arg(chapter).arg(s.lastChapter));
    if (verse > 255)
        add(problems, name, lineNo, QStringLiteral("verse %1 above 255").arg(verse));
    if (fields[4].trimmed().isEmpty())
        add(problems, name, lineNo, QStringLiteral("empty verse text"));
    if (book != s.lastBook || chapter != s.lastChapter)
        s.chapterLines = 0;
    // The index builder counts a chapter's lines in one byte, which also takes the first line of
    // the next chapter: more than 254 lines cannot be indexed.
    if (++s.chapterLines == ModuleValidator::MaxChapterLines + 1)
        add(problems, name, lineNo,
            QStringLiteral("chapter %1:%2 has more than 254 lines").arg(book).arg(chapter));
    s.lastBook = book;
    s.lastChapter = chapter;
}

} // namespace

QString ModuleProblem::toString() const {
    if (line > 0)
        return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(what);
    return QStringLiteral("%1: %2").arg(file, what);
}

QList<QByteArray> ModuleValidator::splitLines(const QString& name, const QByteArray& bytes,
                                              QList<ModuleProblem>& problems) const {
    QList<QByteArray> lines;
    if (bytes.isEmpty()) {
        add(problems, name, 0, QStringLiteral("the file is empty"));
        return lines;
    }
    if (!bytes.endsWith("\r\n"))
        add(problems, name, 0, QStringLiteral("the last line is not ended by CR LF"));
    for (char c : bytes) {
        if (isUndefined1252(static_cast<unsigned char>(c))) {
            add(problems, name, 0, QStringLiteral("bytes that Windows-1252 does not define"));
            break;
        }
    }
    lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray& line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        else if (i + 1 < lines.size() || bytes.endsWith('\n'))
            add(problems, name, i + 1, QStringLiteral("line ended by LF alone, not CR LF"));
        if (line.contains('\r'))
            add(problems, name, i + 1, QStringLiteral("a CR inside the line"));
    }
    return lines;
}

QList<ModuleProblem> ModuleValidator::checkVerseText(const QString& name, const QByteArray& bytes) const {
    QList<ModuleProblem> problems;
    const QList<QByteArray> lines = splitLines(name, bytes, problems);
    VerseTextState state;
    for (int i = 0; i < lines.size(); ++i)
        checkVerseLine(name, i + 1, lines[i], state, problems);
    return problems;
}

QList<ModuleProblem> ModuleValidator::checkDictionary(const QString& name, const QByteArray& bytes) const {
    QList<ModuleProblem> problems;
    const QList<QByteArray> lines = splitLines(name, bytes, problems);
    QSet<int> numbers;
    QList<QPair<int, int>> references; // line, entry number referred to
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const int tab1 = line.indexOf('\t');
        const int tab2 = tab1 < 0 ? -1 : line.indexOf('\t', tab1 + 1);
        if (tab2 < 0 || tab2 == tab1 + 1) {
            add(problems, name, i + 1, QStringLiteral("not entry number TAB headword TAB definition"));
            continue;
        }
        int number = 0;
        if (!toNumber(line.left(tab1), number) || number > MaxRunningNumber) {
            add(problems, name, i + 1, QStringLiteral("entry number is not 0 to 32767"));
            continue;
        }
        numbers.insert(number);
        // A reference is the mark, three characters the viewer skips and five digits.
        const QByteArray definition = line.mid(tab2 + 1);
        for (int at = definition.indexOf(CrossReferenceMark); at >= 0;
             at = definition.indexOf(CrossReferenceMark, at + 1)) {
            int target = 0;
            const QByteArray digits = definition.mid(at + 4, 5);
            if (digits.size() != 5 || !toNumber(digits, target))
                add(problems, name, i + 1, QStringLiteral("cross-reference mark without a five-digit number"));
            else
                references.append({i + 1, target});
        }
    }
    for (const auto& ref : references)
        if (!numbers.contains(ref.second))
            add(problems, name, ref.first,
                QStringLiteral("cross-reference to entry %1, which does not exist").arg(ref.second));
    return problems;
}

QList<ModuleProblem> ModuleValidator::checkNames(const QString& name, const QByteArray& bytes) const {
    QList<ModuleProblem> problems;
    const QList<QByteArray> lines = splitLines(name, bytes, problems);
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const int tab1 = line.indexOf('\t');
        const int tab2 = tab1 < 0 ? -1 : line.indexOf('\t', tab1 + 1);
        if (tab2 < 0 || tab2 == tab1 + 1 || tab2 + 1 >= line.size())
            add(problems, name, i + 1, QStringLiteral("not number TAB name TAB meaning"));
    }
    return problems;
}

QList<ModuleProblem> ModuleValidator::checkBookList(const QString& name, const QByteArray& bytes) const {
    QList<ModuleProblem> problems;
    const QList<QByteArray> lines = splitLines(name, bytes, problems);
    if (lines.size() != 72)
        add(problems, name, 0, QStringLiteral("%1 lines instead of 72").arg(lines.size()));
    for (int i = 0; i < lines.size() && i < 72; ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        int number = 0;
        if (fields.size() != 3 || !toNumber(fields[0], number) || number != i + 1 || fields[1].isEmpty()
            || fields[1].size() > 254 || fields[2].isEmpty())
            add(problems, name, i + 1, QStringLiteral("not %1 TAB reference name TAB caption").arg(i + 1));
    }
    return problems;
}

QList<ModuleProblem> ModuleValidator::checkTranslations(const QString& name, const QByteArray& bytes) const {
    QList<ModuleProblem> problems;
    const QList<QByteArray> lines = splitLines(name, bytes, problems);
    static const QRegularExpression record(QStringLiteral("^-?\\d{1,5},-?\\d{1,5},\"[^\"]*\",\"[^\"]+\"$"));
    for (int i = 0; i < lines.size(); ++i)
        if (!record.match(QString::fromLatin1(lines[i])).hasMatch())
            add(problems, name, i + 1, QStringLiteral("not a number,flag,\"description\",\"code\" record"));
    return problems;
}

void ModuleValidator::checkModuleFile(const QString& folder, int number, const QString& code,
                                      QList<ModuleProblem>& problems) const {
    const QString kind = folderForNumber(number);
    if (kind.isEmpty())
        return;
    const QString path = joinPath(joinPath(folder, kind), code + QStringLiteral(".txt"));
    const QString shown = kind + QLatin1Char('/') + code + QStringLiteral(".txt");
    QByteArray bytes;
    if (!FileFunctions::readWholeFile(path, bytes)) {
        // The names module is listed without a file check, every other kind is skipped when missing;
        // either way a shipped catalogue must not name a file that is not there.
        add(problems, shown, 0, QStringLiteral("listed in Translations.txt but missing"));
        return;
    }
    if (kind == QLatin1String("Bible") || kind == QLatin1String("Commentary"))
        problems += checkVerseText(shown, bytes);
    else if (kind == QLatin1String("Dictionary"))
        problems += checkDictionary(shown, bytes);
    else
        problems += checkNames(shown, bytes);
}

QList<ModuleProblem> ModuleValidator::checkProgramFolder(const QString& programFolder) const {
    QList<ModuleProblem> problems;
    const QString sysdefs = joinPath(programFolder, QStringLiteral("sysdefs"));
    const QString modules = joinPath(programFolder, QStringLiteral("Modules"));
    QByteArray bytes;
    for (const QString& file : {QStringLiteral("Books.txt"), QStringLiteral("ref.txt")}) {
        if (FileFunctions::readWholeFile(joinPath(sysdefs, file), bytes))
            problems += checkBookList(file, bytes);
        else
            add(problems, file, 0, QStringLiteral("missing"));
    }
    const QString catalogue = QStringLiteral("Translations.txt");
    if (!FileFunctions::readWholeFile(joinPath(sysdefs, catalogue), bytes)) {
        add(problems, catalogue, 0, QStringLiteral("missing"));
        return problems;
    }
    problems += checkTranslations(catalogue, bytes);
    static const QRegularExpression record(QStringLiteral("^(-?\\d+),-?\\d+,\"[^\"]*\",\"([^\"]+)\""));
    QStringList bibleCodes;
    for (const QByteArray& line : bytes.split('\n')) {
        const auto m = record.match(QString::fromLatin1(line));
        if (!m.hasMatch())
            continue;
        const int number = m.captured(1).toInt();
        checkModuleFile(modules, number, m.captured(2), problems);
        if (number <= 998)
            bibleCodes << m.captured(2);
    }
    QByteArray notes;
    if (!FileFunctions::readWholeFile(joinPath(modules, QStringLiteral("TLNotes.txt")), notes)) {
        add(problems, QStringLiteral("TLNotes.txt"), 0, QStringLiteral("missing"));
    } else {
        splitLines(QStringLiteral("TLNotes.txt"), notes, problems);
        for (const QString& code : bibleCodes)
            if (!notes.contains("$$" + code.toLatin1() + "\r\n"))
                add(problems, QStringLiteral("TLNotes.txt"), 0, QStringLiteral("no article $$%1").arg(code));
    }
    const QString maps = joinPath(modules, QStringLiteral("Maps"));
    const QStringList pictures = FileFunctions::listFiles(maps, QStringLiteral("*.jpg"));
    if (pictures.isEmpty())
        add(problems, QStringLiteral("Maps"), 0, QStringLiteral("no .jpg map"));
    for (const QString& picture : pictures) {
        QByteArray head;
        if (!FileFunctions::readWholeFile(joinPath(maps, picture), head) || !head.startsWith("\xFF\xD8\xFF"))
            add(problems, QStringLiteral("Maps/") + picture, 0, QStringLiteral("not a JPEG picture"));
    }
    return problems;
}
