#include "parallel/ParallelPassage.h"

#include "library/ByteLines.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/TextLine.h"
#include "library/VerseIndex.h"
#include "platform/Win1252.h"

#include <QFileInfo>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString decode(QByteArrayView bytes) {
    return Win1252::decode(bytes.toByteArray());
}

} // namespace

ParallelPassage::ParallelPassage(ProgramState& state) : m_state(state) {}

QString ParallelPassage::Result::statusText() const {
    return QStringLiteral("Length: ") + FormatNumber(text.size()) + QStringLiteral(" Bytes ") +
           QString::number(count) +
           (mode == ViewMode::Verse ? QStringLiteral(" Bibles") : QStringLiteral(" Verses"));
}

QString ParallelPassage::IndexLogStart(const QString& name) {
    return QStringLiteral("No index for ") + name + QStringLiteral(" ..Creating..");
}

QString ParallelPassage::IndexLogEnd() {
    return QStringLiteral("  done.") + kCrLf;
}

QString ParallelPassage::IndexCountText(int k, int n, const QString& name) {
    return QString::number(k) + QStringLiteral(" of ") + QString::number(n) + QLatin1Char(' ') +
           name;
}

QString ParallelPassage::AddingText(const QString& name) {
    return QStringLiteral("Adding.. ") + name;
}

QString ParallelPassage::FormatNumber(qint64 n) {
    QString digits = QString::number(n < 0 ? -n : n);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return n < 0 ? QLatin1Char('-') + digits : digits;
}

bool ParallelPassage::textUsable(const QString& file) const {
    return !file.isEmpty() && FileFunctions::fileSize(m_state.Folders.moduleFile(m_state.BibleFolder, file)) > 0;
}

QString ParallelPassage::copyPath(const QString& file) const {
    return FileFunctions::resolve(m_state.ScratchFolder + QStringLiteral("1v_") + file);
}

int ParallelPassage::MakeAllIndexes(const Progress& progress) {
    const QStringList files = m_state.BibleFiles;
    const QStringList names = m_state.BibleNames;
    QVector<int> missing;
    for (int i = 0; i < files.size(); ++i)
        if (textUsable(files.at(i)) &&
            VerseIndex::IndexNeedsBuilding(m_state, m_state.BibleFolder, files.at(i)))
            missing.append(i);
    int k = 0;
    for (int i : missing) {
        const QString& name = names.value(i);
        if (progress.indexStarted)
            progress.indexStarted(++k, int(missing.size()), name);
        VerseIndex::CreateIndexFile(m_state, m_state.BibleFolder, files.at(i));
        m_copies.remove(files.at(i)); // cut with the old index, if any
        if (progress.indexDone)
            progress.indexDone(name);
    }
    return k;
}

bool ParallelPassage::readChapter(const QString& file, int book, int chapter, QByteArray& out) {
    const QString path = copyPath(file);
    const auto known = m_copies.constFind(file);
    if (known != m_copies.cend() && known->book == book && known->chapter == chapter) {
        const QFileInfo info(path);
        if (info.size() == known->size && info.lastModified() == known->modified &&
            FileFunctions::readWholeFile(path, out))
            return true;
    }
    m_copies.remove(file);
    // The index is loaded right before the cut, with no yield between: another window may
    // load its own index into the shared table whenever events run.
    if (!VerseIndex::LoadIndexFile(m_state, file))
        return false;
    VerseIndex::ExtractChapter(m_state, m_state.BibleFolder, file, 1, book, chapter);
    ++m_cut;
    const QFileInfo info(copyPath(file));
    if (!FileFunctions::readWholeFile(info.filePath(), out))
        return false;
    m_copies.insert(file, Copy{book, chapter, info.size(), info.lastModified()});
    return true;
}

ParallelPassage::Result ParallelPassage::Build(const Request& request, const Progress& progress) {
    MakeAllIndexes(progress);
    m_cut = 0;
    Result result;
    result.mode = request.mode;
    // Copies: the options window may reload the catalogue while events run.
    const QStringList files = m_state.BibleFiles;
    const QStringList names = m_state.BibleNames;
    const QString reference = m_state.BookRefNames.value(request.book - 1).toUpper() +
                              QLatin1Char(' ') + QString::number(request.chapter) +
                              QLatin1Char(':') + QString::number(request.verse) + QLatin1Char(' ');
    QString& text = result.text;
    for (int i = 0; i < files.size(); ++i) {
        if (progress.yield)
            progress.yield();
        const QString& name = names.value(i);
        if (progress.adding)
            progress.adding(name);
        const QString& file = files.at(i);
        if (file.isEmpty())
            continue;
        if (request.mode == ViewMode::Chapter)
            text += text.isEmpty() ? name : kCrLf + kCrLf + name;
        QByteArray copy;
        if (!textUsable(file) || !readChapter(file, request.book, request.chapter, copy))
            continue;
        bool contributed = false;
        TextLine line;
        forEachLine(copy, [&](QByteArrayView raw) {
            if (!line.parse(raw) || line.book != request.book || line.chapter != request.chapter)
                return;
            if (request.mode == ViewMode::Chapter) {
                if (raw.size() > 5)
                    ++result.count;
                text += kCrLf + decode(line.chapterText) + QLatin1Char(':') +
                        QString::number(line.verse) + QLatin1Char(' ') + decode(line.text);
            } else {
                if (line.verse != request.verse)
                    return;
                const QString verseText = decode(line.text);
                if (verseText.size() > 5)
                    ++result.count;
                if (text.size() > 5)
                    text += kCrLf;
                text += name + kCrLf + reference + verseText + kCrLf;
            }
            contributed = true;
        });
        if (contributed)
            ++result.contributors;
    }
    return result;
}
