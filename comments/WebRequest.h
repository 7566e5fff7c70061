#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkReply;

namespace tombolix {

// The program's HTTP client: one request after another through the same object, which keeps
// the cookies the answers set and sends them with the later requests.
class WebRequest : public QObject {
    Q_OBJECT
public:
    // Answers larger than this are cut off and reported as a failure.
    static constexpr qint64 maxBodyBytes = 32 * 1024 * 1024;

    explicit WebRequest(QObject *parent = nullptr);
    ~WebRequest() override;

    void Open(const QByteArray &method, const QUrl &url);
    void SetRequestHeader(const QByteArray &name, const QByteArray &value);
    void Send(const QByteArray &body = QByteArray());
    // Waits for the answer in a local event loop that keeps painting but takes no user input.
    // False when the request failed or took longer than the time limit; see errorString().
    bool WaitForResponse(int timeoutMs);
    QByteArray ResponseBody() const { return m_body; }
    QString errorString() const { return m_error; }

    bool busy() const { return !m_reply.isNull(); }
    // Ends a running request; its waiter sees a failure.
    void abort();

    QNetworkAccessManager &manager() { return m_manager; }

private:
    QNetworkAccessManager m_manager;
    QByteArray m_method;
    QUrl m_url;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;
    QString m_error;
};

} // namespace tombolix
