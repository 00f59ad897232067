#include "integrity/IntegrityPane.h"

#include "library/ProgramState.h"
#include "platform/RichPane.h"
#include "platform/WinColour.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextEdit>

void IntegrityPane::prepare(bool withColours) {
    m_pane->clear();
    QTextCharFormat format;
    format.setFontPointSize(m_state.Bib1Fontsize);
    if (withColours) {
        RichPane::SetColours(m_pane, m_state.Bib1BC, m_state.Bib1TC);
        format.setForeground(WinColour::toQColor(m_state.Bib1TC));
    }
    QTextCursor cursor(m_pane->document());
    cursor.setCharFormat(format);
    m_pane->setTextCursor(cursor);
    m_pane->setCurrentCharFormat(format);
}

void IntegrityPane::append(const QString& text, IntegrityCheck::Piece piece) {
    QTextCursor cursor = m_pane->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, m_pane->currentCharFormat());
    m_pane->setTextCursor(cursor);
    switch (piece) {
    case IntegrityCheck::Piece::Progress:
        // The hourglass and a painted pane while the file is summed.
        if (!QApplication::overrideCursor())
            QApplication::setOverrideCursor(Qt::WaitCursor);
        m_pane->ensureCursorVisible();
        m_pane->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        break;
    case IntegrityCheck::Piece::Done:
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        m_pane->ensureCursorVisible();
        break;
    case IntegrityCheck::Piece::Report:
        break;
    }
}

void IntegrityPane::RunKind(IntegrityCheck::Kind kind) {
    prepare(false);
    m_check.RunKind(kind, [this](const QString& t, IntegrityCheck::Piece p) { append(t, p); });
}

void IntegrityPane::RunAll() {
    prepare(true);
    m_check.RunAll([this](const QString& t, IntegrityCheck::Piece p) { append(t, p); });
}
