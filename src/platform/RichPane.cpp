#include "platform/RichPane.h"

#include "platform/Twips.h"
#include "platform/WinColour.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>

namespace RichPane {

double LogicalDpi(const QTextEdit* pane) {
    if (pane && pane->screen())
        return pane->screen()->logicalDotsPerInch();
    if (QScreen* s = QGuiApplication::primaryScreen())
        return s->logicalDotsPerInch();
    return 96.0;
}

void SetLineLayout(QTextEdit* pane, bool fitToWindow, double rightMarginTwips,
                   double indentTwips) {
    const double dpi = LogicalDpi(pane);
    QTextFrame* root = pane->document()->rootFrame();
    QTextFrameFormat ff = root->frameFormat();
    if (fitToWindow) {
        pane->setLineWrapMode(QTextEdit::WidgetWidth);
        ff.setLeftMargin(0);
    } else {
        // A line width at or below zero (margins wider than the page) still gets a line of
        // one pixel, which wraps after every character rather than failing.
        const int width = qMax(1, Twips::toPixelsRounded(rightMarginTwips, dpi));
        pane->setLineWrapMode(QTextEdit::FixedPixelWidth);
        pane->setLineWrapColumnOrWidth(width);
        ff.setLeftMargin(qMax(0.0, Twips::toPixels(indentTwips, dpi)));
    }
    root->setFrameFormat(ff);
}

void SetColours(QTextEdit* pane, quint32 background, quint32 text) {
    QPalette pal = pane->palette();
    pal.setColor(QPalette::Base, WinColour::toQColor(background));
    pal.setColor(QPalette::Text, WinColour::toQColor(text));
    pane->setPalette(pal);
    pane->setTextColor(WinColour::toQColor(text));
}

void ColourAll(QTextEdit* pane, quint32 colour) {
    QTextCursor c(pane->document());
    c.select(QTextCursor::Document);
    QTextCharFormat f;
    f.setForeground(WinColour::toQColor(colour));
    c.mergeCharFormat(f);
}

} // namespace RichPane
