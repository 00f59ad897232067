#pragma once
#include "import/NearestWin1252.h"
#include "import/SwordModuleInfo.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVector>

struct SwordEntry;

// Builds a Bible or commentary text from a module's entries: one line per verse (running
// number, book, chapter, verse, text) in canonical order, whatever order the module's
// versification gives its books. Books outside the 66 are left out and counted; a Bible's psalm
// titles become verse 0 of their psalm; a commentary's book and chapter introductions go on
// the chapter's verse-0 line. Empty verses are left out.
class VerseTextBuilder {
public:
    enum class Kind { Bible, Commentary };
    // language: the module's language code; Spanish joins supplied pronouns to their verbs.
    VerseTextBuilder(Kind kind, const QString& language)
        : m_kind(kind), m_spanish(language == QLatin1String("es")) {}

    void add(const SwordEntry& entry);

    // The text, or a refusal when it breaks what the verse index can hold (running numbers
    // up to 32,767, chapters of up to 254 lines) or holds no verse at all.
    ImportRefusal finish(QString* detail);
    const QByteArray& bytes() const { return m_bytes; }

    int lines() const { return m_lines; }
    int titles() const { return m_titles; }
    int emptyLeftOut() const { return m_empty; }
    int charactersReplaced() const { return m_replaced; } // by the commentary's rules
    // OSIS names of the books left out, with how many entries each had, in module order.
    const QVector<QPair<QString, int>>& booksLeftOut() const { return m_leftOut; }
    const NearestWin1252& encoder() const { return m_encoder; }

private:
    struct Line {
        int chapter;
        int verse;
        QString text;
    };
    void addLine(int book, int chapter, int verse, const QString& text);
    void flushIntroduction();

    Kind m_kind;
    bool m_spanish;
    QMap<int, QVector<Line>> m_books;
    // A commentary's introduction waiting for its chapter: book, chapter, paragraphs.
    int m_introBook = 0;
    int m_introChapter = 0;
    QStringList m_intro;
    QVector<QPair<QString, int>> m_leftOut;
    QByteArray m_bytes;
    NearestWin1252 m_encoder;
    int m_lines = 0;
    int m_titles = 0;
    int m_empty = 0;
    int m_replaced = 0;
};
