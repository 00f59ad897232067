#pragma once
#include <QString>

// Gives a new control its name (the name tests and the message tables know it by) and hands
// it back, so a control is created and named in one expression.
template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
