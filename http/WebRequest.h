#pragma once

#include "core/Expected.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPair>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

#include <memory>

namespace tombolix {

// One request: what the caller sends.
struct HttpRequest {
    QByteArray method;
    QUrl url;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
};

// How long a request may take and how much of its answer is read.
struct HttpLimit {
    int timeoutMs = 20000;
    qint64 maxBytes = 32 * 1024 * 1024;
};

// Whether the user's clicks and keys reach the windows while a request is waited for.
enum class UserInput {
    Held,  // only a close gets through: the handler that waits cannot be re-entered by the user
    Taken, // the windows answer as usual; the caller has made sure nothing clicked meanwhile harms it
};

// The answer of one request, its own: a request made while this one was waited for (a log-out
// started by a close) never changes it.
struct HttpResult {
    QByteArray body;
    QString error;  // empty when the whole answer came in; otherwise why not, in Korean
    int status = 0; // the answer's HTTP status
    QList<QPair<QByteArray, QByteArray>>
        headers{}; // the answer's, as sent (of the last answer after a redirect)
    bool ok() const { return error.isEmpty(); }
    // The body of the whole answer, or why there is none.
    Expected<QByteArray> answer() const { return ok() ? Expected<QByteArray>(body) : Problem{error}; }
    // The value of the answer's header of that name (any case); null when it sent none.
    QByteArray header(const QByteArray &name) const;
};

// The program's HTTP client: one request after another through the same object, which keeps
// the cookies the answers set and sends them with the later requests.
class WebRequest : public QObject {
    Q_OBJECT
public:
    // `extraTrust`: certificates trusted besides the system's, for this object's requests only.
    explicit WebRequest(const QList<QSslCertificate> &extraTrust = {}, QObject *parent = nullptr);
    ~WebRequest() override;

    // Sends the request and waits for its answer in a local event loop that keeps painting and
    // lets a window be closed; other user input only when `input` says so. Any answer that comes
    // in whole is an answer, whatever its HTTP status; a request without a whole answer is a
    // failure.
    HttpResult fetch(const HttpRequest &request, const HttpLimit &limit, UserInput input = UserInput::Held);

    bool busy() const;
    // Ends the running request; its waiter gets a failure.
    void abort();

private:
    struct Exchange;

    // The steps of every request, in this order.
    void Open(const QByteArray &method, const QUrl &url);
    void SetRequestHeader(const QByteArray &name, const QByteArray &value);
    void Send(const QByteArray &body, qint64 maxBytes);
    HttpResult WaitForResponse(const std::shared_ptr<Exchange> &exchange, int timeoutMs, UserInput input);

    QNetworkAccessManager m_manager;
    QList<QSslCertificate> m_extraTrust;
    HttpRequest m_opened;
    std::shared_ptr<Exchange> m_current;
};

} // namespace tombolix
