#pragma once
#include <QIcon>

// Tool button and menu pictures: the desktop's icon theme first, then a small picture of our
// own drawn with a glyph, so every button has a face even without a theme.
namespace ToolIcons {
QIcon icon(const QString& themeName, QChar glyph, const QColor& tint = QColor(40, 70, 130));
QIcon fallback(QChar glyph, const QColor& tint);
// The two colour buttons, drawn: a paint pot over a colour bar (the pane's background) and
// a letter over a colour bar (the text).
QIcon backgroundColour();
QIcon textColour();
} // namespace ToolIcons
