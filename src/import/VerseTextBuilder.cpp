#include "import/VerseTextBuilder.h"

#include "import/CanonBooks.h"
#include "import/PlainEntryText.h"
#include "import/SwordLibrary.h"
#include "library/ModuleValidator.h"

#include <QRegularExpression>

namespace {

// Psalm 119's letter headings ("ALEPH.") are headings, not titles.
bool isAcrosticHeading(const QString& title) {
    static const QRegularExpression kLetter(QStringLiteral("^[A-Z]{2,}\\.?(?: [^\\x00-\\x7F]+)?$"));
    return kLetter.match(title).hasMatch();
}

} // namespace

void VerseTextBuilder::add(const SwordEntry& entry) {
    const int book = CanonBooks::number(entry.book);
    if (book == 0) {
        if (m_leftOut.isEmpty() || m_leftOut.constLast().first != entry.book)
            m_leftOut.append({entry.book, 0});
        m_leftOut.last().second += 1;
        return;
    }
    if (m_kind == Kind::Bible) {
        if (entry.chapter == 0 || entry.verse == 0)
            return; // book and chapter headings of a Bible are not verses
        const QString title = PlainEntryText::verse(entry.title, m_spanish);
        if (!title.isEmpty() && !isAcrosticHeading(title)) {
            addLine(book, entry.chapter, 0, title);
            ++m_titles;
        }
        addLine(book, entry.chapter, entry.verse, PlainEntryText::verse(entry.text, m_spanish));
        return;
    }
    // A book's introduction belongs to its first chapter, a chapter's to the chapter.
    const int chapter = qMax(entry.chapter, 1);
    if (book != m_introBook || chapter != m_introChapter)
        flushIntroduction();
    m_introBook = book;
    m_introChapter = chapter;
    if (entry.chapter == 0 || entry.verse == 0) {
        const QString text = PlainEntryText::commentary(entry.text, &m_replaced);
        if (!text.isEmpty())
            m_intro.append(text);
        return;
    }
    // What stands before the first verse's own text introduces the chapter.
    QString text = entry.text;
    const qsizetype introEnd = text.lastIndexOf(QChar(PlainEntryText::kIntroEnd));
    if (introEnd >= 0) {
        QString before = text.left(introEnd);
        before.remove(QChar(PlainEntryText::kIntroEnd));
        const QString intro = PlainEntryText::commentary(before, &m_replaced);
        if (!intro.isEmpty())
            m_intro.append(intro);
        text = text.mid(introEnd + 1);
    }
    flushIntroduction();
    addLine(book, chapter, entry.verse, PlainEntryText::commentary(text, &m_replaced));
}

void VerseTextBuilder::flushIntroduction() {
    if (!m_intro.isEmpty())
        addLine(m_introBook, m_introChapter, 0, m_intro.join(QStringLiteral("\u00E3 ")));
    m_intro.clear();
}

void VerseTextBuilder::addLine(int book, int chapter, int verse, const QString& text) {
    if (text.isEmpty()) {
        ++m_empty;
        return;
    }
    m_books[book].append(Line{chapter, verse, text});
}

ImportRefusal VerseTextBuilder::finish(QString* detail) {
    flushIntroduction();
    m_bytes.clear();
    m_lines = 0;
    QVector<QByteArray> texts;
    for (auto it = m_books.cbegin(); it != m_books.cend(); ++it) {
        int chapter = -1;
        int chapterLines = 0;
        for (const Line& line : it.value()) {
            const QByteArray text = m_encoder.encode(line.text).trimmed();
            if (text.isEmpty()) {
                ++m_empty;
                continue;
            }
            chapterLines = line.chapter == chapter ? chapterLines + 1 : 1;
            chapter = line.chapter;
            if (chapterLines > ModuleValidator::MaxChapterLines) {
                if (detail)
                    *detail = CanonBooks::osisName(it.key()) + QLatin1Char(' ') +
                              QString::number(chapter);
                return ImportRefusal::LongChapter;
            }
            ++m_lines;
            m_bytes += QByteArray::number(m_lines) + '\t' + QByteArray::number(it.key()) + '\t' +
                       QByteArray::number(line.chapter) + '\t' + QByteArray::number(line.verse) +
                       '\t' + text + "\r\n";
        }
    }
    if (m_lines > ModuleValidator::MaxRunningNumber) {
        if (detail)
            *detail = QString::number(m_lines);
        return ImportRefusal::TooManyLines;
    }
    if (m_lines == 0)
        return ImportRefusal::NoText;
    return m_encoder.verdict(detail);
}
