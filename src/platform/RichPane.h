#pragma once
#include <QtGlobal>

class QTextEdit;
class QColor;

// The rich-text pane operations the windows share: line width and indent in twips, and the
// pane's colours from Windows colour values.
namespace RichPane {

// Fixed line width (the "right margin") and a left indent for the whole text, in twips.
// fitToWindow wraps at the pane's edge with no indent.
void SetLineLayout(QTextEdit* pane, bool fitToWindow, double rightMarginTwips,
                   double indentTwips);
double LogicalDpi(const QTextEdit* pane);
void SetColours(QTextEdit* pane, quint32 background, quint32 text);
// The whole text in the given Windows colour, with one selection, leaving the caret alone.
void ColourAll(QTextEdit* pane, quint32 colour);

} // namespace RichPane
