#include "app/notepad/NotepadFormat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

// The blocks from the selection's first to its last (the caret's block when it is empty).
template <typename F> void forEachBlock(const QTextCursor& cursor, F f) {
    const QTextDocument* doc = cursor.document();
    QTextBlock block = doc->findBlock(cursor.selectionStart());
    const QTextBlock last = doc->findBlock(cursor.selectionEnd());
    for (; block.isValid(); block = block.next()) {
        f(block);
        if (block == last)
            break;
    }
}

QFont resolvedFont(const QTextCharFormat& format, const QTextDocument* doc) {
    return format.font().resolve(doc->defaultFont());
}

struct CharSummary {
    bool any = false;
    bool bold = true, italic = true, underline = true;
    double size = 0;
    QString family;
    bool sameSize = true, sameFamily = true;

    void add(const QTextCharFormat& format, const QTextDocument* doc) {
        const QFont f = resolvedFont(format, doc);
        bold = bold && f.bold();
        italic = italic && f.italic();
        underline = underline && format.fontUnderline();
        if (!any) {
            size = f.pointSizeF();
            family = f.family();
        } else {
            sameSize = sameSize && qFuzzyCompare(size, f.pointSizeF());
            sameFamily = sameFamily && family == f.family();
        }
        any = true;
    }
};

} // namespace

NotepadFormat::State NotepadFormat::stateOf(const QTextCursor& cursor) {
    State s;
    if (cursor.isNull())
        return s;
    const QTextDocument* doc = cursor.document();
    CharSummary chars;
    if (!cursor.hasSelection()) {
        chars.add(cursor.charFormat(), doc);
    } else {
        const int from = cursor.selectionStart();
        const int to = cursor.selectionEnd();
        forEachBlock(cursor, [&](const QTextBlock& block) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment frag = it.fragment();
                if (frag.position() + frag.length() > from && frag.position() < to)
                    chars.add(frag.charFormat(), doc);
            }
        });
        if (!chars.any) // only empty paragraphs selected
            chars.add(cursor.charFormat(), doc);
    }
    s.bold = chars.bold;
    s.italic = chars.italic;
    s.underline = chars.underline;
    s.pointSize = chars.sameSize ? chars.size : 0;
    s.family = chars.sameFamily ? chars.family : QString();

    bool first = true, sameAlignment = true, allBulleted = true;
    Qt::Alignment alignment;
    forEachBlock(cursor, [&](const QTextBlock& block) {
        const Qt::Alignment a =
            block.blockFormat().alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
        if (first)
            alignment = a;
        else if (a != alignment)
            sameAlignment = false;
        first = false;
        allBulleted = allBulleted && block.textList();
    });
    s.alignment = sameAlignment ? alignment : Qt::Alignment();
    s.bullet = allBulleted;
    return s;
}

void NotepadFormat::changeIndent(const QTextCursor& cursor, double delta) {
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    forEachBlock(cursor, [&](const QTextBlock& block) {
        QTextCursor c(block);
        QTextBlockFormat f = block.blockFormat();
        f.setLeftMargin(qMax(0.0, f.leftMargin() + delta));
        c.setBlockFormat(f);
    });
    edit.endEditBlock();
}

void NotepadFormat::toggleBullets(const QTextCursor& cursor) {
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    if (stateOf(cursor).bullet) {
        forEachBlock(cursor, [](const QTextBlock& block) {
            if (QTextList* list = block.textList()) {
                list->remove(block);
                QTextCursor c(block);
                QTextBlockFormat f = block.blockFormat();
                f.setIndent(0);
                c.setBlockFormat(f);
            }
        });
    } else {
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDisc);
        format.setIndent(1);
        QTextList* list = nullptr;
        forEachBlock(cursor, [&](const QTextBlock& block) {
            if (QTextList* old = block.textList())
                old->remove(block);
            if (list) {
                list->add(block);
            } else {
                QTextCursor c(block);
                list = c.createList(format);
            }
        });
    }
    edit.endEditBlock();
}
