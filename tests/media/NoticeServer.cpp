#include "NoticeServer.h"

#include <QTcpSocket>

NoticeServer::NoticeServer() {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                if (socket->property("request").toByteArray().contains("\r\n\r\n"))
                    return;
                const QByteArray request =
                    socket->property("request").toByteArray() + socket->readAll();
                socket->setProperty("request", request);
                if (request.contains("\r\n\r\n"))
                    answer(socket);
            });
        }
    });
}

void NoticeServer::setMode(Mode mode, const QByteArray& body) {
    m_mode = mode;
    m_body = body;
}

QUrl NoticeServer::url() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/mp3notice.txt").arg(serverPort()));
}

void NoticeServer::answer(QTcpSocket* socket) {
    ++m_requests;
    auto respond = [socket](const QByteArray& status, const QByteArray& body, qint64 length) {
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                      QByteArray::number(length) + "\r\nConnection: close\r\n\r\n" + body);
    };
    switch (m_mode) {
    case Mode::Serve:
        respond("200 OK", m_body, m_body.size());
        socket->disconnectFromHost();
        break;
    case Mode::NotFound:
        respond("404 Not Found", "no such file", 12);
        socket->disconnectFromHost();
        break;
    case Mode::Silent:
        break;
    case Mode::Huge: {
        const QByteArray body(10 * 1024 * 1024, '7');
        respond("200 OK", body, body.size());
        socket->disconnectFromHost();
        break;
    }
    case Mode::HalfClosed:
        respond("200 OK", m_body.left(m_body.size() / 2), m_body.size());
        socket->flush();
        socket->disconnectFromHost();
        break;
    }
}
