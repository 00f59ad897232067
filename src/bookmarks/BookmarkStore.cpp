#include "bookmarks/BookmarkStore.h"

#include "library/FileFunctions.h"
#include "platform/Win1252.h"

#include <QFile>

namespace {

// One quoted field from `pos`, followed by a comma (more fields) or the end of the line.
bool takeQuoted(const QByteArray& line, qsizetype& pos, QByteArray& field) {
    while (pos < line.size() && line.at(pos) == ' ')
        ++pos;
    if (pos >= line.size() || line.at(pos) != '"')
        return false;
    const qsizetype close = line.indexOf('"', pos + 1);
    if (close < 0)
        return false;
    field = line.mid(pos + 1, close - pos - 1);
    pos = close + 1;
    while (pos < line.size() && line.at(pos) == ' ')
        ++pos;
    return true;
}

} // namespace

BookmarkStore::BookmarkStore(const QString& programFolder)
    : m_folder(FileFunctions::withSeparator(programFolder)) {}

QString BookmarkStore::listPath() const {
    return m_folder + QStringLiteral("Bookmarks.txt");
}

QString BookmarkStore::snapshotFolder() const {
    return m_folder + QStringLiteral("Bookmarks/");
}

QString BookmarkStore::snapshotPath(const QString& fileName) const {
    return snapshotFolder() + fileName;
}

QByteArray BookmarkStore::FormatLine(const Bookmark& b) {
    QByteArray line;
    for (const QString* f : {&b.title, &b.category, &b.date, &b.reference, &b.fileName}) {
        if (!line.isEmpty())
            line += ',';
        line += '"' + Win1252::encode(*f) + '"';
    }
    return line;
}

std::optional<Bookmark> BookmarkStore::ParseLine(const QByteArray& line) {
    QByteArray fields[5];
    qsizetype pos = 0;
    for (int i = 0; i < 5; ++i) {
        if (!takeQuoted(line, pos, fields[i]))
            return std::nullopt;
        const bool last = i == 4;
        if (last ? pos != line.size() : (pos >= line.size() || line.at(pos) != ','))
            return std::nullopt;
        ++pos;
    }
    Bookmark b{Win1252::decode(fields[0]), Win1252::decode(fields[1]),
               Win1252::decode(fields[2]), Win1252::decode(fields[3]),
               Win1252::decode(fields[4])};
    if (!SafeFileName(b.fileName))
        return std::nullopt;
    return b;
}

BookmarkStore::Loaded BookmarkStore::Load() {
    Loaded out;
    m_keptLines.clear();
    QByteArray bytes;
    if (!FileFunctions::readWholeFile(listPath(), bytes))
        return out;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (const std::optional<Bookmark> b = ParseLine(line)) {
            out.rows.append(*b);
        } else {
            out.damagedLines.append(i + 1);
            m_keptLines.append(line);
        }
    }
    return out;
}

bool BookmarkStore::Save(const QVector<Bookmark>& rows) const {
    QByteArray bytes;
    for (const Bookmark& b : rows)
        bytes += FormatLine(b) + "\r\n";
    for (const QByteArray& kept : m_keptLines)
        bytes += kept + "\r\n";
    return FileFunctions::writeWholeFile(listPath(), bytes);
}

QString BookmarkStore::MakeFN(const QString& title) {
    QString name;
    for (const QChar c : title) {
        const char16_t u = c.unicode();
        const bool dot = u == '.';
        // No "..", and no dot at either end: the name must stay a plain file in its folder.
        if (dot && (name.isEmpty() || name.endsWith('.')))
            continue;
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || dot ||
            u == '_')
            name += c;
    }
    while (name.endsWith('.'))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("Bookmark");
    return name + QStringLiteral(".rtf");
}

QString BookmarkStore::UniqueFileName(const QString& title, const QVector<Bookmark>& rows,
                                      int keepRow) {
    const QString plain = MakeFN(title);
    const QString stem = plain.chopped(4);
    auto taken = [&](const QString& name) {
        for (int i = 0; i < rows.size(); ++i)
            if (i != keepRow && rows.at(i).fileName.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    QString name = plain;
    for (int n = 2; taken(name); ++n)
        name = stem + QLatin1Char('_') + QString::number(n) + QStringLiteral(".rtf");
    return name;
}

int BookmarkStore::FindDuplicate(const QString& title, const QVector<Bookmark>& rows,
                                 int keepRow) {
    for (int i = 0; i < rows.size(); ++i)
        if (i != keepRow && rows.at(i).title.compare(title, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool BookmarkStore::SafeFileName(const QString& name) {
    return !name.trimmed().isEmpty() && !name.contains('/') && !name.contains('\\') &&
           !name.contains(QStringLiteral("..")) && name != QStringLiteral(".");
}
