#include "library/Catalogues.h"

#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/LineReader.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "platform/Win1252.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

namespace Catalogues {

namespace {

// One field of a comma-delimited record: a bare number or a quoted text. `more` tells whether
// a comma followed it.
bool takeField(const QString& line, int& pos, QString& field, bool& quoted, bool& more) {
    while (pos < line.size() && line.at(pos) == ' ')
        ++pos;
    quoted = pos < line.size() && line.at(pos) == '"';
    if (quoted) {
        const int close = line.indexOf('"', pos + 1);
        if (close < 0)
            return false; // unterminated quote
        field = line.mid(pos + 1, close - pos - 1);
        pos = close + 1;
        while (pos < line.size() && line.at(pos) == ' ')
            ++pos;
    } else {
        const int comma = line.indexOf(',', pos);
        const int end = comma < 0 ? line.size() : comma;
        field = line.mid(pos, end - pos).trimmed();
        pos = end;
    }
    more = pos < line.size();
    if (more) {
        if (line.at(pos) != ',')
            return false;
        ++pos;
    }
    return true;
}

bool toInt16(const QString& text, int& out) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < -32768 || v > 32767)
        return false;
    out = v;
    return true;
}

bool parseRecord(const QString& line, TranslationRecord& rec) {
    QString f[4];
    bool quoted[4] = {};
    int pos = 0;
    for (int i = 0; i < 4; ++i) {
        bool more = false;
        if (!takeField(line, pos, f[i], quoted[i], more))
            return false;
        // Exactly four fields: a short record would otherwise pass with empty texts.
        if (more != (i < 3))
            return false;
    }
    if (quoted[0] || quoted[1])
        return false;
    rec.description = f[2];
    rec.code = f[3];
    return toInt16(f[0], rec.number) && toInt16(f[1], rec.flag);
}

void resetModuleLists(ProgramState& s) {
    s.BibleNames = QStringList{QString()};
    s.BibleFiles = QStringList{QString()};
    s.CommentaryNames = QStringList{QString()};
    s.CommentaryFiles = QStringList{QString()};
    s.NamesModuleName.clear();
    s.NamesModuleFile.clear();
    s.DictionaryName.clear();
    s.DictionaryFile.clear();
}

bool loadBooks(ProgramState& state) {
    LineReader reader(FileFunctions::resolve(state.SysDefsFolder + QStringLiteral("Books.txt")));
    if (!reader.isOpen())
        return false;
    QVector<qint16> numbers;
    QStringList refs, displays;
    QByteArray bytes;
    for (int n = 1; n <= kBookSelections; ++n) {
        if (!reader.readLine(bytes))
            return false;
        const QString line = Win1252::decode(bytes);
        const int tab1 = line.indexOf('\t');
        const int tab2 = tab1 < 0 ? -1 : line.indexOf('\t', tab1 + 1);
        if (tab1 < 0 || tab2 < 0 || tab1 > 254 || tab2 - tab1 - 1 > 254)
            return false;
        int number = 0;
        if (!toInt16(line.left(tab1).trimmed(), number))
            return false;
        numbers.append(qint16(number));
        refs.append(line.mid(tab1 + 1, tab2 - tab1 - 1));
        displays.append(line.mid(tab2 + 1));
    }
    state.BookNumbers = numbers;
    state.BookRefNames = refs;
    state.BookDisplayNames = displays;
    return true;
}

} // namespace

ParsedTranslations ParseTranslations(const QByteArray& bytes) {
    ParsedTranslations out;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines.at(i);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.trimmed().isEmpty())
            continue;
        TranslationRecord rec;
        if (!parseRecord(Win1252::decode(raw), rec)) {
            out.badLines.append(i + 1);
            continue;
        }
        out.records.append(rec);
    }
    out.badLine = out.badLines.value(0);
    return out;
}

QByteArray FormatTranslations(const QVector<TranslationRecord>& records) {
    QByteArray out;
    for (const TranslationRecord& r : records) {
        out += QByteArray::number(r.number) + ',' + QByteArray::number(r.flag) + ",\"" +
               Win1252::encode(r.description) + "\",\"" + Win1252::encode(r.code) + "\"\r\n";
    }
    return out;
}

bool RewriteTranslations(ProgramState& state, const QVector<TranslationRecord>& records) {
    if (!FileFunctions::writeWholeFile(state.SysDefsFolder + QStringLiteral("Translations.txt"),
                                       FormatTranslations(records)))
        return false;
    LoadTranslationCatalogue(state);
    return true;
}

bool LoadBookCatalogue(ProgramState& state) {
    if (loadBooks(state))
        return true;
    state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                       MessageText::Std(state, 97, state.SysDefsFolder) +
                           MessageText::Std(state, 98, QStringLiteral("Books.txt")));
    DataFolders::RecoverSettingsAndFolders(state);
    return false;
}

TranslationResult LoadTranslationCatalogue(ProgramState& state) {
    const QString path = state.SysDefsFolder + QStringLiteral("Translations.txt");
    if (!FileFunctions::FileExists(path)) {
        state.dialogs.show(Dialogs::Icon::Critical, TolvaneRoutines::ProductName(),
                           path + QStringLiteral(" File not found!") + QStringLiteral("\r\n") +
                               QStringLiteral("This file must be present. Copy latest version "
                                              "from") +
                               QStringLiteral("\r\n") + TolvaneRoutines::WebAddress());
        state.EndRequested = true;
        return TranslationResult::Missing;
    }
    resetModuleLists(state);
    QByteArray bytes;
    FileFunctions::readWholeFile(path, bytes);
    const ParsedTranslations parsed = ParseTranslations(bytes);
    if (!parsed.badLines.isEmpty()) {
        // One report for the whole file, however many records are damaged.
        QStringList lines;
        for (int line : parsed.badLines)
            lines << QString::number(line);
        TolvaneRoutines::ReportError(state.dialogs, TolvaneRoutines::ErrorNumber::TypeMismatch,
                                     QStringLiteral("Load Translations"),
                                     path +
                                         (lines.size() == 1 ? QStringLiteral(" line ")
                                                            : QStringLiteral(" lines ")) +
                                         lines.join(QStringLiteral(", ")));
    }

    int bibles = 0;
    for (const TranslationRecord& r : parsed.records) {
        if (r.number > 998 || r.flag == 0)
            continue;
        if (!FileFunctions::FileExists(
                state.Folders.moduleFile(state.BibleFolder, r.code + QStringLiteral(".TXT"))))
            continue;
        state.BibleNames[bibles] = r.description;
        state.BibleFiles[bibles] = r.code + QStringLiteral(".TXT");
        ++bibles;
        state.BibleNames.append(QString());
        state.BibleFiles.append(QString());
    }
    if (bibles > 0) {
        state.BibleNames = state.BibleNames.mid(0, bibles);
        state.BibleFiles = state.BibleFiles.mid(0, bibles);
        int commentaries = 0;
        for (const TranslationRecord& r : parsed.records) {
            const QString file = r.code + QStringLiteral(".txt");
            if (r.number >= 1500 && r.number <= 1599) {
                state.NamesModuleName = r.description;
                state.NamesModuleFile = file;
            } else if (r.number >= 1600 && r.number <= 1699) {
                if (FileFunctions::FileExists(state.Folders.moduleFile(state.DictionaryFolder, file))) {
                    state.DictionaryName = r.description;
                    state.DictionaryFile = file;
                }
            } else if (r.number >= 1700 && r.number <= 1799) {
                if (FileFunctions::FileExists(state.Folders.moduleFile(state.CommentaryFolder, file))) {
                    state.CommentaryNames[commentaries] = r.description;
                    state.CommentaryFiles[commentaries] = file;
                    ++commentaries;
                    state.CommentaryNames.append(QString());
                    state.CommentaryFiles.append(QString());
                }
            }
        }
        // Like the Bible lists, hold only what is installed (one empty entry when nothing is).
        if (commentaries > 0) {
            state.CommentaryNames = state.CommentaryNames.mid(0, commentaries);
            state.CommentaryFiles = state.CommentaryFiles.mid(0, commentaries);
        }
    }
    return state.BibleFiles.value(0).isEmpty() ? TranslationResult::NoBibles
                                               : TranslationResult::Loaded;
}

BookRange SelectionRange(int selection) {
    switch (selection) {
    case 67: return {1, 5};
    case 68: return {1, 39};
    case 69: return {40, 66};
    case 70: return {40, 43};
    case 71: return {40, 42};
    case 72: return {1, 66};
    default: break;
    }
    return {selection, selection};
}

} // namespace Catalogues
