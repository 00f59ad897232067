#pragma once
#include <QByteArray>
#include <QTcpServer>
#include <QUrl>

// A small HTTP server on 127.0.0.1 and a free port, started inside a test, that answers
// every request for the notice the way the test asks.
class NoticeServer : public QTcpServer {
    Q_OBJECT
public:
    enum class Mode {
        Serve,      // 200 with the body
        NotFound,   // 404 with a short page
        Silent,     // reads the request and never answers
        Huge,       // 200 with ten megabytes
        HalfClosed, // announces the body's length, sends half of it and closes
    };

    NoticeServer();
    void setMode(Mode mode, const QByteArray& body = QByteArray());
    QUrl url() const;
    int requests() const { return m_requests; }

private:
    void answer(QTcpSocket* socket);

    Mode m_mode = Mode::Serve;
    QByteArray m_body;
    int m_requests = 0;
};
