#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>

class QTextCharFormat;
class QTextDocument;

// Fills a document with plain text a piece at a time, every line a paragraph in one
// character format. Each piece is appended at the end of the document, so a long file goes
// in in time linear in its length, and between pieces the caller can show progress and stop.
class PlainTextLoader {
public:
    static constexpr int kPieceCharacters = 256 * 1024;

    // progress(done, total) runs after each piece (characters so far and in all); when it
    // returns false the filling stops and fill() returns false, leaving part of the text.
    static bool fill(QTextDocument& document, const QString& text, const QTextCharFormat& format,
                     const std::function<bool(qint64, qint64)>& progress = {});
};
