#pragma once
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on the next modal window of type T as soon as its own event loop runs (the call that
// opens it blocks, so the action is queued before that call). Gives up after a timeout, so a
// window that never opens cannot hang the test.
template <typename T> void whenModal(std::function<void(T*)> action, int timeoutMs = 10000) {
    auto* timer = new QTimer;
    auto* waited = new int(0);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, action, timeoutMs] {
        *waited += 20;
        T* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window && *waited < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete waited;
        if (window)
            action(window);
    });
    timer->start();
}
