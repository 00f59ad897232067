#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>

namespace ModalDriver {

namespace {
void poll(const QString& objectName, std::function<void(QWidget*)> action,
          QDeadlineTimer deadline) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && (objectName.isEmpty() || modal->objectName() == objectName)) {
        action(modal);
        return;
    }
    if (deadline.hasExpired()) {
        qWarning("ModalDriver: no modal window '%s' appeared", qPrintable(objectName));
        return;
    }
    QTimer::singleShot(10, qApp, [objectName, action, deadline] {
        poll(objectName, action, deadline);
    });
}
} // namespace

void whenModal(const QString& objectName, std::function<void(QWidget*)> action, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QTimer::singleShot(0, qApp, [objectName, action, deadline] {
        poll(objectName, action, deadline);
    });
}

void clickInModal(const QString& objectName, const QString& button, int timeoutMs) {
    whenModal(
        objectName,
        [button](QWidget* w) {
            if (auto* b = w->findChild<QAbstractButton*>(button))
                b->click();
            else if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
        },
        timeoutMs);
}

} // namespace ModalDriver
