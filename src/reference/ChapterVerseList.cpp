#include "reference/ChapterVerseList.h"

#include "library/FileFunctions.h"
#include "reference/ModuleLines.h"

#include <QFile>

namespace ChapterVerseList {

QVector<int> Chapters(const VerseIndexTable& index, int book) {
    QVector<int> out;
    for (const VerseIndexEntry& e : index)
        if (e.book == book && e.startOffset > 0 && !out.contains(e.chapter))
            out.append(e.chapter);
    return out;
}

QVector<int> Verses(const VerseIndexTable& index, const QString& textPath, int book, int chapter) {
    qint64 start = 0, end = 0;
    for (const VerseIndexEntry& e : index) {
        if (e.book != book || e.chapter != chapter)
            continue;
        if (start == 0)
            start = e.startOffset;
        end = e.endOffset;
    }
    QVector<int> out;
    QFile text(FileFunctions::resolve(textPath));
    if (start < 1 || end <= start || !text.open(QIODevice::ReadOnly) || !text.seek(start - 1))
        return out;
    ModuleLines::forEachLine(text.read(end - start), [&](QByteArrayView line, qsizetype) {
        ModuleLines::Split<4> f;
        int b = 0, c = 0, v = 0;
        if (ModuleLines::splitTabs(line, f) && ModuleLines::toNumber(f.field[1], 1, 66, b) &&
            ModuleLines::toNumber(f.field[2], 1, 255, c) &&
            ModuleLines::toNumber(f.field[3], 0, 255, v) && b == book && c == chapter &&
            !out.contains(v))
            out.append(v);
    });
    return out;
}

} // namespace ChapterVerseList
