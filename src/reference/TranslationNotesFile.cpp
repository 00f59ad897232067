#include "reference/TranslationNotesFile.h"

#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "platform/Win1252.h"
#include "reference/ModuleLines.h"

namespace TranslationNotesFile {

QString Path(const ProgramState& state) {
    return state.Folders.moduleFile(state.ModulePath, QStringLiteral("TLNotes.txt"));
}

bool Read(const QString& path, QVector<Article>& out) {
    out.clear();
    QByteArray bytes;
    if (!FileFunctions::readWholeFile(path, bytes))
        return false;
    QByteArray body;
    auto finish = [&] {
        if (!out.isEmpty())
            out.last().text = Win1252::decode(body);
        body.clear();
    };
    ModuleLines::forEachLine(bytes, [&](QByteArrayView line, qsizetype) {
        if (line.toByteArray().contains("$$")) {
            finish();
            out.append(
                Article{Win1252::decode(line.sliced(qMin<qsizetype>(2, line.size())).toByteArray()),
                        QString()});
        } else if (!out.isEmpty()) {
            body.append(line.data(), line.size()).append('\n');
        }
    });
    finish();
    return true;
}

const Article* Find(const QVector<Article>& articles, const QString& title) {
    for (const Article& a : articles)
        if (a.title == title)
            return &a;
    return nullptr;
}

} // namespace TranslationNotesFile
