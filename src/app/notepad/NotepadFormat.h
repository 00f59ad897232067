#pragma once
#include <QString>
#include <Qt>

class QTextCursor;

// The character and paragraph formats of the notepad's selection, and the paragraph
// commands that work on every paragraph the selection touches.
class NotepadFormat {
public:
    // What the formatting buttons and lists show. A value that differs across the selection
    // shows as "off" (bold, italic, underline, bullet), no alignment, size 0 and no face.
    struct State {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool bullet = false;
        Qt::Alignment alignment;
        double pointSize = 0;
        QString family;
    };
    // With an empty selection: the format typing would get at the caret.
    static State stateOf(const QTextCursor& cursor);

    // Adds `delta` pixels to each paragraph's left indent, never going below zero.
    static void changeIndent(const QTextCursor& cursor, double delta);
    // Takes the bullets off when every paragraph has one; otherwise bullets them all.
    static void toggleBullets(const QTextCursor& cursor);
};
