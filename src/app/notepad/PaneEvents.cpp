#include "app/notepad/PaneEvents.h"

#include <QKeyEvent>
#include <QTextEdit>

namespace {
// The Alt shortcuts of the pane; Qt::Key_unknown for any other key.
Qt::Key altKeyOf(const QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return Qt::Key_unknown;
    switch (e->key()) {
    case Qt::Key_L:
    case Qt::Key_C:
    case Qt::Key_R:
    case Qt::Key_D:
    case Qt::Key_S:
    case Qt::Key_O:
        return Qt::Key(e->key());
    default:
        return Qt::Key_unknown;
    }
}
} // namespace

PaneEvents::PaneEvents(QTextEdit* pane) : QObject(pane), m_viewport(pane->viewport()) {
    setObjectName(QStringLiteral("PaneEvents"));
    pane->installEventFilter(this);
    pane->viewport()->installEventFilter(this);
}

bool PaneEvents::eventFilter(QObject* watched, QEvent* event) {
    // The viewport was noted when the filter was made: events still arrive while the pane
    // is being destroyed, when it may no longer be asked for it.
    if (watched == m_viewport) {
        if (event->type() == QEvent::MouseButtonRelease)
            emit clicked();
        return false;
    }
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Claimed here so that the menu bar does not take Alt+L and the others.
        auto* key = static_cast<QKeyEvent*>(event);
        if (altKeyOf(key) == Qt::Key_unknown)
            return false;
        key->accept();
        return true;
    }
    case QEvent::KeyPress:
        return keyDown(static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        keyUp(static_cast<QKeyEvent*>(event));
        return false;
    default:
        return false;
    }
}

bool PaneEvents::keyDown(QKeyEvent* key) {
    if (altKeyOf(key) != Qt::Key_unknown)
        return true; // acted on when released
    if (!m_active)
        return false;
    for (QKeySequence::StandardKey k : {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste})
        if (key->matches(k)) {
            emit clipboardKey(k);
            return true;
        }
    return false;
}

void PaneEvents::keyUp(QKeyEvent* key) {
    const Qt::Key alt = altKeyOf(key);
    if (alt != Qt::Key_unknown && !key->isAutoRepeat())
        emit altShortcut(alt);
    emit keyReleased();
}
