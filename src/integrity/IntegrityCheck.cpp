#include "integrity/IntegrityCheck.h"

#include "integrity/ModuleChecksum.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/VerseIndex.h"

#include <QFile>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

struct Stored {
    qint32 x = 0;
    qint32 s = 0;
};

// "X,S" on the first line; anything else (more fields, a word, a number beyond 32 bits, an
// unreadable file) is a damaged CRC file.
std::optional<Stored> readCrcFile(const QString& path) {
    QByteArray bytes;
    if (!FileFunctions::readWholeFile(path, bytes))
        return std::nullopt;
    qsizetype end = bytes.indexOf('\n');
    QByteArray line = end < 0 ? bytes : bytes.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    const QList<QByteArray> parts = line.split(',');
    if (parts.size() != 2)
        return std::nullopt;
    bool okX = false, okS = false;
    Stored out{parts[0].trimmed().toInt(&okX), parts[1].trimmed().toInt(&okS)};
    if (!okX || !okS)
        return std::nullopt;
    return out;
}

} // namespace

IntegrityCheck::ModuleList IntegrityCheck::Modules(const ProgramState& state, Kind kind) {
    ModuleList list;
    auto addAll = [&list](const QStringList& names, const QStringList& files) {
        for (int i = 0; i < files.size(); ++i)
            list.modules.append(Module{i < names.size() ? names.at(i) : QString(), files.at(i)});
    };
    switch (kind) {
    case Kind::Bibles:
        list.folder = state.BibleFolder;
        addAll(state.BibleNames, state.BibleFiles);
        break;
    case Kind::Commentaries:
        list.folder = state.CommentaryFolder;
        addAll(state.CommentaryNames, state.CommentaryFiles);
        break;
    case Kind::Dictionary:
        list.folder = state.DictionaryFolder;
        list.modules.append(Module{state.DictionaryName, state.DictionaryFile});
        break;
    case Kind::Names:
        list.folder = state.NameFolder;
        list.modules.append(Module{state.NamesModuleName, state.NamesModuleFile});
        break;
    }
    if (list.modules.isEmpty())
        list.modules.append(Module{});
    return list;
}

bool IntegrityCheck::KindAvailable(const ProgramState& state, Kind kind) {
    switch (kind) {
    case Kind::Bibles:
        return true;
    case Kind::Commentaries:
        return state.Folders.anyModuleFile(state.CommentaryFolder, QStringLiteral("*.txt"));
    case Kind::Dictionary:
        return state.Folders.anyModuleFile(state.DictionaryFolder, QStringLiteral("*.txt"));
    case Kind::Names:
        return state.Folders.anyModuleFile(state.NameFolder, QStringLiteral("*.txt"));
    }
    return false;
}

QString IntegrityCheck::ProgressLine(const QString& folder, const QString& file,
                                     const QString& displayName) {
    return QStringLiteral("CRC Calculation for: ") + folder + file + QStringLiteral(" [") +
           displayName + QStringLiteral("]") +
           QStringLiteral(" in progress. This could take a minute or two ") +
           QStringLiteral("depending on the speed of ") +
           QStringLiteral("your computer. Please stand by...") + kCrLf;
}

QString IntegrityCheck::CrcFilePath(const ProgramState& state, const QString& file) {
    return state.SysDefsFolder + QStringLiteral("CRC_") + file;
}

IntegrityCheck::Result IntegrityCheck::CheckModuleCrc(const QString& folder,
                                                      const QString& file) {
    Result r;
    const QString crcName = QStringLiteral("CRC_") + file;
    const std::optional<ModuleChecksum> sum = ModuleChecksum::ofFile(folder + file);
    if (!sum) {
        r.outcome = Outcome::Problem;
        r.report = QStringLiteral("Could not read ") + folder + file +
                   QStringLiteral(". Its CRC cannot be calculated.") + kCrLf +
                   QStringLiteral("Nothing was recorded and no index was deleted.");
        ++m_problems;
        return r;
    }
    const QString value = ModuleChecksum::text(sum->X(), sum->S());
    const QString crcPath = CrcFilePath(m_state, file);
    if (QFile::exists(FileFunctions::resolve(crcPath))) {
        const std::optional<Stored> stored = readCrcFile(crcPath);
        if (!stored) {
            r.outcome = Outcome::Problem;
            r.report = QStringLiteral("The file ") + crcName +
                       QStringLiteral(" is damaged: it does not hold the two numbers of a CRC.") +
                       kCrLf + QStringLiteral("Calculated:") + value + kCrLf +
                       QStringLiteral("Nothing was recorded and no index was deleted. Delete ") +
                       crcName + QStringLiteral(" to record the CRC again.");
            ++m_problems;
        } else if (stored->x == sum->X() && stored->s == sum->S()) {
            r.outcome = Outcome::Unchanged;
            r.report = QStringLiteral("CRC:") + value + kCrLf + QStringLiteral("CRC for ") + file +
                       QStringLiteral(" OK!") + kCrLf;
        } else {
            r.outcome = Outcome::Changed;
            r.report = QStringLiteral("The CRC has changed on file ") + file + QStringLiteral(".") +
                       QStringLiteral(" since it was last calculated") + kCrLf +
                       QStringLiteral("Calculated:") + value + kCrLf +
                       QStringLiteral("From File:   ") +
                       ModuleChecksum::text(stored->x, stored->s) + kCrLf +
                       QStringLiteral("This means the data in the file has changed.") + kCrLf +
                       QStringLiteral("It is STRONGLY SUGGESTED YOU RE INSTALL THIS MODULE!!");
            const QString index = FileFunctions::resolve(VerseIndex::IndexPath(m_state, file));
            if (QFile::exists(index))
                QFile::remove(index);
            ++m_changed;
        }
        return r;
    }
    r.outcome = Outcome::Recorded;
    r.report = QStringLiteral("Could not find ") + crcName +
               QStringLiteral(". There is therefore no ") +
               QStringLiteral("way of knowing what the CRC should be.") + kCrLf +
               QStringLiteral("The new CRC is :") + value;
    const QByteArray line = QByteArray::number(sum->X()) + ',' + QByteArray::number(sum->S()) +
                            "\r\n";
    if (!FileFunctions::writeWholeFile(crcPath, line)) {
        r.outcome = Outcome::Problem;
        r.report += kCrLf + QStringLiteral("It could not be recorded in ") + crcPath +
                    QStringLiteral(".");
        ++m_problems;
    }
    return r;
}

void IntegrityCheck::RunKind(Kind kind, const Append& append) {
    const ModuleList list = Modules(m_state, kind);
    for (const Module& m : list.modules) {
        if (m.fileName.isEmpty()) {
            append(QStringLiteral(" No module of this kind is listed for ") + list.folder +
                       QStringLiteral(", so there is nothing to check.") + kCrLf + kCrLf,
                   Piece::Report);
            continue;
        }
        // A shipped module of an installed program is read where it was installed.
        const QString folder = m_state.Folders.moduleFolderFor(list.folder, m.fileName);
        append(ProgressLine(folder, m.fileName, m.displayName), Piece::Progress);
        const Result r = CheckModuleCrc(folder, m.fileName);
        append(QStringLiteral(" ") + r.report + kCrLf + kCrLf, Piece::Report);
    }
    append(kCrLf + kCrLf + QStringLiteral("DONE!") + kCrLf, Piece::Done);
}

void IntegrityCheck::RunAll(const Append& append) {
    for (Kind k : {Kind::Bibles, Kind::Commentaries, Kind::Dictionary, Kind::Names})
        if (KindAvailable(m_state, k))
            RunKind(k, append);
}
