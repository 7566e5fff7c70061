#include "WebRequest.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace tombolix {

WebRequest::WebRequest(QObject *parent)
    : QObject(parent) {
    // Proxies from the environment would make the site's answers depend on the machine.
    m_manager.setProxy(QNetworkProxy::NoProxy);
}

WebRequest::~WebRequest() {
    abort();
}

void WebRequest::Open(const QByteArray &method, const QUrl &url) {
    m_method = method;
    m_url = url;
    m_headers.clear();
    m_body.clear();
    m_error.clear();
}

void WebRequest::SetRequestHeader(const QByteArray &name, const QByteArray &value) {
    m_headers.append({name, value});
}

void WebRequest::Send(const QByteArray &body) {
    if (busy())
        abort(); // one request at a time on one object
    QNetworkRequest request(m_url);
    for (const auto &[name, value] : m_headers)
        request.setRawHeader(name, value);
    m_body.clear();
    m_error.clear();
    m_reply = m_manager.sendCustomRequest(request, m_method, body);
    QNetworkReply *reply = m_reply;
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (reply != m_reply)
            return;
        m_body += reply->readAll();
        if (m_body.size() > maxBodyBytes) {
            m_error = QStringLiteral("응답이 %1MB보다 큽니다.").arg(maxBodyBytes / (1024 * 1024));
            reply->abort();
        }
    });
}

bool WebRequest::WaitForResponse(int timeoutMs) {
    QPointer<QNetworkReply> reply = m_reply;
    if (!reply)
        return false; // nothing was sent, or it was given up
    if (!reply->isFinished()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, &loop, [this, reply] {
            m_error = QStringLiteral("제한 시간 안에 응답이 없습니다.");
            if (reply)
                reply->abort();
        });
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        connect(reply, &QObject::destroyed, &loop, &QEventLoop::quit);
        timer.start(timeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!reply)
        return false;
    if (reply == m_reply) {
        if (reply->isOpen())
            m_body += reply->readAll();
        m_reply = nullptr;
    }
    reply->deleteLater();
    if (!m_error.isEmpty())
        return false;
    // An HTTP error status is an answer like any other: only the body counts.
    const int error = reply->error();
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() &&
                          ((error > 200 && error < 300) || (error > 400 && error < 500));
    if (error == QNetworkReply::NoError || answered)
        return true;
    m_error = reply->errorString();
    return false;
}

void WebRequest::abort() {
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        if (m_error.isEmpty())
            m_error = QStringLiteral("요청이 취소되었습니다.");
        reply->abort();
        reply->deleteLater();
    }
}

} // namespace tombolix
