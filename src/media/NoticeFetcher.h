#pragma once
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Fetches the download notice over HTTP without blocking the window: the states of the
// transfer are reported as they happen, the body is capped, and a transfer that goes quiet
// is given up after a timeout.
class NoticeFetcher : public QObject {
    Q_OBJECT
public:
    // The states of a transfer; each is shown as standard message 15 + state.
    enum State {
        Idle = 0,
        Resolving = 1,
        Resolved = 2,
        Connecting = 3,
        Connected = 4,
        Requesting = 5,
        RequestSent = 6,
        Receiving = 7,
        ResponseReceived = 8,
        Disconnecting = 9,
        Disconnected = 10,
        Failed = 11,
        Completed = 12,
    };
    static constexpr int kTimeoutMs = 15000;
    static constexpr qint64 kMaxBytes = 64 * 1024;

    explicit NoticeFetcher(QObject* parent = nullptr);
    ~NoticeFetcher() override;

    void setTimeout(int ms) { m_timeoutMs = ms; }
    // Starts a transfer; one that is still running is given up first.
    void fetch(const QUrl& url);
    void abort();
    bool busy() const { return !m_reply.isNull(); }

signals:
    void stateChanged(int state);
    // The body on success; on failure an empty text and what went wrong (for the log).
    void finished(const QByteArray& body, const QString& error);

private:
    void setState(State s);
    void onReadyRead();
    void onFinished();
    void giveUp(const QString& why);

    QNetworkAccessManager* m_manager;
    QTimer* m_quiet;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    QString m_error;
    int m_timeoutMs = kTimeoutMs;
    State m_state = Idle;
};
