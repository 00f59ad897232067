#pragma once
#include <QObject>
#include <QString>
#include <QtGlobal>

// A window's control by its object name, as the user knows it from the window. A control
// that is not there ends the test program at once with its name, rather than crashing it
// on a null pointer somewhere later.
template <typename T> T* ctl(const QObject& window, const char* name) {
    T* control = window.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        qFatal("%s has no control named %s", qPrintable(window.objectName()), name);
    return control;
}
