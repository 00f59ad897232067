#include "library/ChapterVerses.h"

#include "library/ByteLines.h"
#include "library/FileFunctions.h"
#include "library/TextLine.h"

#include <QFile>
#include <QStringList>

namespace ChapterVerses {

QVector<int> Chapters(const VerseIndexTable& index, int book) {
    QVector<int> out;
    // The entries after the last chapter repeat it, and a damaged text may repeat a chapter:
    // each number is listed once.
    for (const VerseIndexEntry& e : index)
        if (e.book == book && !out.contains(e.chapter))
            out.append(e.chapter);
    return out;
}

QVector<int> Verses(const VerseIndexTable& index, const QString& textPath, int book, int chapter) {
    QVector<int> out;
    for (const VerseIndexEntry& e : index) {
        if (e.book != book || e.chapter != chapter || e.startOffset < 1 ||
            e.endOffset <= e.startOffset)
            continue;
        QFile file(FileFunctions::resolve(textPath));
        if (!file.open(QIODevice::ReadOnly) || !file.seek(e.startOffset - 1))
            return out;
        const QByteArray bytes = file.read(e.endOffset - e.startOffset);
        TextLine line;
        forEachLine(bytes, [&](QByteArrayView raw) {
            if (line.parse(raw) && line.book == book && line.chapter == chapter &&
                !out.contains(line.verse))
                out.append(line.verse);
        });
        break; // the first entry of the chapter gives its whole range
    }
    return out;
}

QStringList Entries(const QVector<int>& numbers) {
    QStringList out;
    out.reserve(numbers.size());
    for (int n : numbers)
        out.append(QString::number(n));
    return out;
}

} // namespace ChapterVerses
