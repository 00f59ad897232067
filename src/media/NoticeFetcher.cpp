#include "media/NoticeFetcher.h"

#include "platform/CheckedConnect.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

NoticeFetcher::NoticeFetcher(QObject* parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)), m_quiet(new QTimer(this)) {
    // Our own timer rather than the request's transfer timeout: it also covers a server that
    // accepts the connection and then sends nothing at all.
    m_quiet->setSingleShot(true);
    checkedConnect(m_quiet, &QTimer::timeout, this,
            [this] { giveUp(QStringLiteral("no answer within the time allowed")); });
}

NoticeFetcher::~NoticeFetcher() {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void NoticeFetcher::setState(State s) {
    if (s == m_state)
        return;
    m_state = s;
    emit stateChanged(int(s));
}

void NoticeFetcher::fetch(const QUrl& url) {
    abort();
    m_body.clear();
    m_error.clear();
    m_state = Idle;
    setState(Resolving);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setMaximumRedirectsAllowed(5);
    QNetworkReply* reply = m_manager->get(request);
    m_reply = reply;
    m_quiet->start(m_timeoutMs);
    checkedConnect(reply, &QNetworkReply::socketStartedConnecting, this, [this] {
        setState(Resolved);
        setState(Connecting);
    });
    checkedConnect(reply, &QNetworkReply::requestSent, this, [this] {
        setState(Connected);
        setState(Requesting);
        setState(RequestSent);
    });
    checkedConnect(reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxBytes)
            giveUp(QStringLiteral("the notice is larger than 64 KiB"));
    });
    checkedConnect(reply, &QNetworkReply::readyRead, this, &NoticeFetcher::onReadyRead);
    checkedConnect(reply, &QNetworkReply::finished, this, &NoticeFetcher::onFinished);
}

void NoticeFetcher::onReadyRead() {
    if (!m_reply)
        return;
    setState(Receiving);
    m_quiet->start(m_timeoutMs);
    m_body += m_reply->read(kMaxBytes + 1 - m_body.size());
    if (m_body.size() > kMaxBytes)
        giveUp(QStringLiteral("the notice is larger than 64 KiB"));
}

void NoticeFetcher::giveUp(const QString& why) {
    if (!m_reply)
        return;
    m_error = why;
    m_reply->abort(); // finishes the reply, which reports the failure
}

void NoticeFetcher::onFinished() {
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_reply.clear();
    m_quiet->stop();
    reply->deleteLater();
    if (m_error.isEmpty() && reply->error() != QNetworkReply::NoError)
        m_error = reply->errorString();
    if (m_error.isEmpty()) {
        m_body += reply->read(kMaxBytes + 1 - m_body.size());
        if (m_body.size() > kMaxBytes)
            m_error = QStringLiteral("the notice is larger than 64 KiB");
    }
    if (!m_error.isEmpty()) {
        m_body.clear();
        setState(Failed);
        emit finished(QByteArray(), m_error);
        return;
    }
    setState(ResponseReceived);
    setState(Disconnected);
    setState(Completed);
    emit finished(m_body, QString());
}

void NoticeFetcher::abort() {
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply.clear();
    m_quiet->stop();
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    m_state = Idle;
}
