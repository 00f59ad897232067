#pragma once
#include <QString>
#include <QWidget>
#include <functional>

// Runs an action on the next modal window that opens (a modal dialog blocks the test in its
// own event loop, so the action must be queued before the call that opens it).
namespace ModalDriver {
// Polls until a modal widget whose objectName matches (any when empty) is active, then runs
// the action on it. The action usually clicks a button or closes the window.
void whenModal(const QString& objectName, std::function<void(QWidget*)> action,
               int timeoutMs = 5000);
// Clicks the named button of the next matching modal window.
void clickInModal(const QString& objectName, const QString& button, int timeoutMs = 5000);
} // namespace ModalDriver
