#include "import/ModuleImporter.h"

#include "import/DictionaryBuilder.h"
#include "import/NearestWin1252.h"
#include "import/SwordLibrary.h"
#include "import/VerseTextBuilder.h"
#include "library/Catalogues.h"
#include "library/FileFunctions.h"
#include "library/ModuleValidator.h"
#include "library/ProgramState.h"
#include "library/VerseIndex.h"
#include "platform/ConsoleDialogs.h"
#include "platform/Win1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Kind = SwordModuleInfo::Kind;

// Catalogue number ranges of the kinds an import writes (the Bibles' range ends below 999).
struct Range {
    int first;
    int last;
};
Range rangeOf(Kind kind) {
    switch (kind) {
    case Kind::Bible:
        return {1, 998};
    case Kind::Dictionary:
        return {1600, 1699};
    case Kind::Commentary:
        return {1700, 1799};
    case Kind::Other:
        break;
    }
    return {0, -1};
}

bool inRange(int number, Range r) {
    return number >= r.first && number <= r.last;
}

// Boxes the index builder would show are kept as the reason of a failed import instead.
class CollectingDialogs : public ConsoleDialogs {
public:
    QString text;
    Answer message(const Box& box) override {
        text = box.text;
        return box.defaultButton;
    }
};

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const bool written = f.write(bytes) == bytes.size() && f.flush();
    f.close();
    return written && f.error() == QFile::NoError;
}

// The description as the catalogue can hold it: Windows-1252, no double quote.
QString catalogueDescription(const QString& description, const QString& name) {
    QString text = description.simplified();
    if (text.isEmpty())
        text = name;
    text.replace(QLatin1Char('"'), QLatin1Char('\''));
    NearestWin1252 encoder;
    return Win1252::decode(encoder.encode(text));
}

// Rolls the library back to what it was unless commit() is called: files moved into place
// are removed and files moved aside are put back.
class Moves {
public:
    ~Moves() {
        if (m_committed)
            return;
        for (auto it = m_moves.crbegin(); it != m_moves.crend(); ++it) {
            QFile::remove(it->second);
            if (!it->first.isEmpty())
                QFile::rename(it->first, it->second);
        }
    }
    // Moves `from` to `to`; `to`'s old file goes to `aside` first (when it exists).
    bool move(const QString& from, const QString& to, const QString& aside) {
        if (QFile::exists(to)) {
            if (!QFile::rename(to, aside))
                return false;
            m_moves.append({aside, to});
        } else {
            m_moves.append({QString(), to});
        }
        return QFile::rename(from, to);
    }
    void commit() { m_committed = true; }

private:
    QVector<QPair<QString, QString>> m_moves; // (where the old file waits, the place)
    bool m_committed = false;
};

} // namespace

QString ModuleImporter::CodeFor(const SwordModuleInfo& info) {
    QString code = info.kind == Kind::Bible        ? QStringLiteral("b_")
                   : info.kind == Kind::Commentary ? QStringLiteral("c_")
                                                   : QStringLiteral("d_");
    for (QChar c : info.name.toLower())
        code += (c.isLetterOrNumber() && c.unicode() < 0x80) || c == QLatin1Char('-')
                    ? c
                    : QLatin1Char('_');
    return code;
}

QString ModuleImporter::kindFolder(Kind kind) const {
    switch (kind) {
    case Kind::Bible:
        return m_state.BibleFolder;
    case Kind::Commentary:
        return m_state.CommentaryFolder;
    case Kind::Dictionary:
        return m_state.DictionaryFolder;
    case Kind::Other:
        break;
    }
    return QString();
}

bool ModuleImporter::IsImported(const SwordModuleInfo& info) const {
    const QString code = CodeFor(info);
    // A shipped module of the same name counts too: the import would hide it.
    if (FileFunctions::FileExists(
            m_state.Folders.moduleFile(kindFolder(info.kind), code + QStringLiteral(".txt"))))
        return true;
    QByteArray bytes;
    if (!FileFunctions::readWholeFile(m_state.SysDefsFolder + QStringLiteral("Translations.txt"),
                                      bytes))
        return false;
    for (const Catalogues::TranslationRecord& r : Catalogues::ParseTranslations(bytes).records)
        if (inRange(r.number, rangeOf(info.kind)) && r.code.compare(code, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

ModuleImporter::Outcome ModuleImporter::Import(const SwordLibrary& library, const QString& name,
                                               bool replace, const Progress& progress) {
    Outcome out;
    out.name = name;
    const int at = library.indexOf(name);
    if (at < 0)
        return out;
    const SwordModuleInfo& info = library.modules().at(at);
    out.name = info.name;
    out.kind = info.kind;
    out.code = CodeFor(info);
    out.description = catalogueDescription(info.description, info.name);
    auto refuse = [&](ImportRefusal refusal, const QString& detail) {
        out.status = Status::Refused;
        out.refusal = refusal;
        out.detail = detail;
        return out;
    };
    auto fail = [&](const QString& what) {
        out.status = Status::Failed;
        out.failure = what;
        return out;
    };
    if (!info.importable())
        return refuse(info.refusal, info.detail);
    out.replaced = IsImported(info);
    if (out.replaced && !replace) {
        out.status = Status::Exists;
        return out;
    }

    // Read and convert, all in memory: a cancel here has touched nothing.
    const bool dictionary = info.kind == Kind::Dictionary;
    VerseTextBuilder verses(info.kind == Kind::Commentary ? VerseTextBuilder::Kind::Commentary
                                                          : VerseTextBuilder::Kind::Bible,
                            info.language);
    DictionaryBuilder entries;
    qint64 nextReport = 0;
    const SwordLibrary::ReadResult read =
        library.Read(info.name, [&](const SwordEntry& e, qint64 done, qint64 total) {
            if (dictionary)
                entries.add(e);
            else
                verses.add(e);
            if (!progress || done < nextReport)
                return true;
            nextReport = done + qMax<qint64>(total / 200, 1);
            return progress(done, total);
        });
    if (read == SwordLibrary::ReadResult::Cancelled) {
        out.status = Status::Cancelled;
        return out;
    }
    if (read == SwordLibrary::ReadResult::Damaged)
        return refuse(ImportRefusal::Damaged, QString());
    if (read == SwordLibrary::ReadResult::NotFound)
        return out;
    QString detail;
    const ImportRefusal built = dictionary ? entries.finish(&detail) : verses.finish(&detail);
    if (built != ImportRefusal::None)
        return refuse(built, detail);
    const QByteArray& bytes = dictionary ? entries.bytes() : verses.bytes();
    out.lines = dictionary ? entries.entries() : verses.lines();
    const NearestWin1252& encoder = dictionary ? entries.encoder() : verses.encoder();
    out.charactersReplaced = encoder.replaced() + encoder.unrepresentable();
    for (const auto& book : verses.booksLeftOut())
        out.booksLeftOut.append(book.first + QStringLiteral(" (") + QString::number(book.second) +
                                QLatin1Char(')'));

    // The loaders must accept what is written.
    const ModuleValidator validator;
    const QString fileName = out.code + QStringLiteral(".txt");
    const QList<ModuleProblem> problems = dictionary ? validator.checkDictionary(fileName, bytes)
                                                     : validator.checkVerseText(fileName, bytes);
    if (!problems.isEmpty())
        return refuse(ImportRefusal::Invalid, problems.first().toString());

    // The catalogue with the module's record: kept where it is when replacing, otherwise
    // after the last record of its kind, numbered one above the highest of its range.
    const QString cataloguePath = m_state.SysDefsFolder + QStringLiteral("Translations.txt");
    QByteArray catalogueBytes;
    if (!FileFunctions::readWholeFile(cataloguePath, catalogueBytes))
        return fail(cataloguePath);
    const Catalogues::ParsedTranslations parsed = Catalogues::ParseTranslations(catalogueBytes);
    if (parsed.badLine > 0)
        return fail(cataloguePath + QStringLiteral(" line ") + QString::number(parsed.badLine));
    QVector<Catalogues::TranslationRecord> records = parsed.records;
    const Range range = rangeOf(info.kind);
    int lastOfKind = -1, highest = range.first - 1, own = -1;
    for (int i = 0; i < records.size(); ++i) {
        if (!inRange(records.at(i).number, range))
            continue;
        lastOfKind = i;
        highest = qMax(highest, records.at(i).number);
        if (records.at(i).code.compare(out.code, Qt::CaseInsensitive) == 0)
            own = i;
    }
    if (own >= 0) {
        records[own].description = out.description;
    } else {
        if (highest >= range.last)
            return refuse(ImportRefusal::NoNumberLeft, QString());
        records.insert(lastOfKind >= 0 ? lastOfKind + 1 : records.size(),
                       Catalogues::TranslationRecord{highest + 1, 1, out.description, out.code});
    }
    const QByteArray newCatalogue = Catalogues::FormatTranslations(records);
    if (!validator.checkTranslations(QStringLiteral("Translations.txt"), newCatalogue).isEmpty())
        return fail(cataloguePath);

    // Written beside the library (the same file system, so that the moves are renames).
    QTemporaryDir temp(QDir(m_state.ModulePath).filePath(QStringLiteral(".tolvane-import-XXXXXX")));
    if (!temp.isValid())
        return fail(m_state.ModulePath);
    const QString staged = temp.filePath(fileName);
    if (!writeFile(staged, bytes))
        return fail(staged);
    // The catalogue lists a Bible as code + ".TXT", and its index is named after that.
    const QString listed =
        out.code + (info.kind == Kind::Bible ? QStringLiteral(".TXT") : QStringLiteral(".txt"));
    CollectingDialogs indexErrors;
    ProgramState scratch(m_state.settings, indexErrors);
    scratch.IndexFolder = FileFunctions::withSeparator(temp.path());
    if (!dictionary &&
        !VerseIndex::CreateIndexFile(scratch, FileFunctions::withSeparator(temp.path()), listed))
        return fail(indexErrors.text.simplified());

    Moves moves;
    const QString target = FileFunctions::resolve(kindFolder(info.kind) + fileName);
    if (!moves.move(staged, target, temp.filePath(QStringLiteral("previous.txt"))))
        return fail(target);
    if (!dictionary) {
        const QString indexTarget = FileFunctions::resolve(VerseIndex::IndexPath(m_state, listed));
        if (!moves.move(VerseIndex::IndexPath(scratch, listed), indexTarget,
                        temp.filePath(QStringLiteral("previous.INDEX"))))
            return fail(indexTarget);
    }
    if (!Catalogues::RewriteTranslations(m_state, records))
        return fail(cataloguePath);
    moves.commit();
    // A replaced text's old index may be the one every window sees.
    if (m_state.CurrentIndexFile.compare(listed, Qt::CaseInsensitive) == 0)
        VerseIndex::LoadIndexFile(m_state, m_state.CurrentIndexFile);
    out.status = Status::Imported;
    return out;
}
