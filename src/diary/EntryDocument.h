#pragma once
#include <QByteArray>

class QTextDocument;

// An entry's text as a document: entries are RTF; bytes that are not RTF (an entry made by
// hand) are taken as Windows-1252 plain text rather than refused.
class EntryDocument {
public:
    // Replaces the document's content; false when the bytes were not RTF.
    static bool Load(const QByteArray& bytes, QTextDocument* document);
    static QByteArray Save(const QTextDocument& document);
};
