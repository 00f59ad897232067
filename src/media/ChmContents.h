#pragma once
#include <QByteArray>
#include <QString>
#include <QVector>

// The table of contents of a compiled help file: an HTML site map of nested lists whose items
// are objects with a "Name" and a "Local" page.
namespace ChmContents {

struct Entry {
    QString name;
    QString local; // page inside the file, possibly with "#anchor"; empty for a heading
    int depth = 0;
};

// Entries in document order. Tolerant of what help compilers write: letter case, unquoted
// values, missing closing tags; entries without a name are skipped.
QVector<Entry> parse(const QString& sitemap);

} // namespace ChmContents
