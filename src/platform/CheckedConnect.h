#pragma once
#include <QObject>

// QObject::connect that refuses to fail silently: in debug builds (every test build) a
// connection that does not form — a null sender or receiver, a signal that does not exist —
// stops the program at once, where it was made, instead of leaving a control that does nothing.
template <typename... Args> QMetaObject::Connection checkedConnect(Args&&... args) {
    QMetaObject::Connection c = QObject::connect(std::forward<Args>(args)...);
    Q_ASSERT_X(bool(c), "checkedConnect", "a signal connection failed to form");
    return c;
}
