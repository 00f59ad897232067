#pragma once
#include "integrity/IntegrityCheck.h"

class QTextEdit;
struct ProgramState;

// Shows the integrity check in the results pane as the menu items run it: the pane emptied
// (once for "All"), the reader font size for the new text, an hourglass while a file is summed
// and a repaint after each progress line so that the user sees which file is being read.
class IntegrityPane {
public:
    IntegrityPane(ProgramState& state, QTextEdit* pane) : m_state(state), m_pane(pane) {}

    // One of the four single-kind items.
    void RunKind(IntegrityCheck::Kind kind);
    // The "All" item.
    void RunAll();

    int changedCount() const { return m_check.changedCount(); }

private:
    void prepare(bool withColours);
    void append(const QString& text, IntegrityCheck::Piece piece);

    ProgramState& m_state;
    QTextEdit* m_pane;
    IntegrityCheck m_check{m_state};
};
