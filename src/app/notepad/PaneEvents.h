#pragma once
#include <QKeySequence>
#include <QObject>

class QKeyEvent;
class QTextEdit;

// The results pane's keyboard and mouse, as the notepad needs them: the Alt shortcuts of
// the formatting buttons (which would otherwise open menus), the clipboard keys (so that
// they act as the Cut, Copy and Paste commands do), and the moments after each key and
// click when the buttons follow the selection. It only reports; the window acts.
class PaneEvents : public QObject {
    Q_OBJECT
public:
    explicit PaneEvents(QTextEdit* pane);

    // While the window is busy the clipboard keys are left to the (read-only) pane.
    void setCommandsActive(bool active) { m_active = active; }

signals:
    // Alt + one of L, C, R (alignment), D, S (indent more, less), O (bullets), on release.
    void altShortcut(Qt::Key key);
    // Ctrl+X, Ctrl+C or Ctrl+V (or the platform's equivalents) pressed in the pane.
    void clipboardKey(QKeySequence::StandardKey key);
    void keyReleased();
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyDown(QKeyEvent* key);
    void keyUp(QKeyEvent* key);

    QObject* m_viewport;
    bool m_active = true;
};
