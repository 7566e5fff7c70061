#include "http/WebRequest.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslConfiguration>
#include <QTimer>

#include <optional>

namespace tombolix {

namespace {

QString timedOut() {
    return QStringLiteral("제한 시간 안에 응답이 없습니다.");
}

QString cancelled() {
    return QStringLiteral("요청이 취소되었습니다.");
}

// While a request is waited for with the input held, clicks and keys go nowhere: the handler
// that waits must not be re-entered by the user. A close from the window system still comes
// through, so the user can always get out.
class UserInputBlocker : public QObject {
public:
    UserInputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~UserInputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            event->ignore(); // the system's own keys (Alt+F4) still work
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
        }
    }
};

// Why a request failed, in the user's words; Qt's own text follows where ours is general.
QString failureReason(QNetworkReply::NetworkError error, int status, const QString &qtText) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("서버가 연결을 거부했습니다.");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("서버가 연결을 끊었습니다.");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("서버 주소를 찾을 수 없습니다.");
    case QNetworkReply::TimeoutError:
        return timedOut();
    case QNetworkReply::OperationCanceledError:
        return cancelled();
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("보안 연결(TLS)을 맺을 수 없습니다.");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QStringLiteral("네트워크에 연결되어 있지 않습니다.");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("서버가 다른 주소로 너무 많이 넘겨 보냅니다.");
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("서버가 보안 연결(https)에서 보안되지 않은 주소(http)로 넘겨 보냈습니다.");
    default:
        break;
    }
    if (status > 0 && status < 400) // an answer came, but its content could not be read
        return QStringLiteral("서버의 응답을 읽을 수 없습니다. (") + qtText + u')';
    return QStringLiteral("네트워크 오류가 발생했습니다. (") + qtText + u')';
}

// The errors Qt makes of an HTTP error status (400 and up): the server's answer came in whole.
bool madeOfStatus(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::AuthenticationRequiredError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::ContentConflictError:
    case QNetworkReply::ContentGoneError:
    case QNetworkReply::UnknownContentError:
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        return true;
    default:
        return false;
    }
}

} // namespace

QByteArray HttpResult::header(const QByteArray &name) const {
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

struct WebRequest::Exchange {
    QPointer<QNetworkReply> reply;
    QByteArray body;
    QString error;
};

WebRequest::WebRequest(const QList<QSslCertificate> &extraTrust, QObject *parent)
    : QObject(parent)
    , m_extraTrust(extraTrust) {
    // Proxies from the environment would make the site's answers depend on the machine.
    m_manager.setProxy(QNetworkProxy::NoProxy);
}

WebRequest::~WebRequest() {
    abort();
}

HttpResult WebRequest::fetch(const HttpRequest &request, const HttpLimit &limit, UserInput input) {
    Open(request.method, request.url);
    for (const auto &[name, value] : request.headers)
        SetRequestHeader(name, value);
    Send(request.body, limit.maxBytes);
    return WaitForResponse(m_current, limit.timeoutMs, input);
}

bool WebRequest::busy() const {
    return m_current && m_current->reply;
}

void WebRequest::abort() {
    if (!busy())
        return;
    QNetworkReply *reply = m_current->reply;
    m_current->reply = nullptr;
    if (m_current->error.isEmpty())
        m_current->error = cancelled();
    reply->abort();
    reply->deleteLater();
}

void WebRequest::Open(const QByteArray &method, const QUrl &url) {
    m_opened = {method, url, {}, {}};
}

void WebRequest::SetRequestHeader(const QByteArray &name, const QByteArray &value) {
    m_opened.headers.append({name, value});
}

void WebRequest::Send(const QByteArray &body, qint64 maxBytes) {
    abort(); // one request at a time on one object
    QNetworkRequest request(m_opened.url);
    for (const auto &[name, value] : m_opened.headers)
        request.setRawHeader(name, value);
    if (!m_extraTrust.isEmpty()) {
        QSslConfiguration tls = request.sslConfiguration();
        tls.addCaCertificates(m_extraTrust);
        request.setSslConfiguration(tls);
    }
    auto exchange = std::make_shared<Exchange>();
    QNetworkReply *reply = m_manager.sendCustomRequest(request, m_opened.method, body);
    exchange->reply = reply;
    connect(reply, &QNetworkReply::readyRead, this, [exchange, reply, maxBytes] {
        exchange->body += reply->readAll();
        if (exchange->body.size() > maxBytes && exchange->error.isEmpty()) {
            exchange->error = QStringLiteral("응답이 ") + QString::number(double(maxBytes) / (1024 * 1024)) +
                              QStringLiteral("MB보다 큽니다.");
            reply->abort();
        }
    });
    m_current = exchange;
}

HttpResult WebRequest::WaitForResponse(const std::shared_ptr<Exchange> &exchange, int timeoutMs,
                                       UserInput input) {
    QPointer<QNetworkReply> reply = exchange->reply;
    if (reply && !reply->isFinished()) {
        std::optional<UserInputBlocker> blocker;
        if (input == UserInput::Held)
            blocker.emplace();
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        // With the input taken, a dialog opened meanwhile can hold this loop past the limit after
        // the answer came in whole: the limit is the answer's, so it ends with the answer.
        connect(&timer, &QTimer::timeout, &loop, [exchange, reply] {
            if (!reply || reply->isFinished())
                return;
            exchange->error = timedOut();
            reply->abort();
        });
        connect(reply, &QNetworkReply::finished, &timer, &QTimer::stop);
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        connect(reply, &QObject::destroyed, &loop, &QEventLoop::quit);
        timer.start(timeoutMs);
        loop.exec();
        // The wait can end before the answer does (the program quitting ends every event
        // loop): what came so far is no answer.
        if (reply && !reply->isFinished() && reply == exchange->reply) {
            exchange->error = cancelled();
            reply->abort();
        }
    }
    if (!reply || reply != exchange->reply) // given up meanwhile
        return {{}, exchange->error.isEmpty() ? cancelled() : exchange->error};
    exchange->reply = nullptr;
    reply->deleteLater();
    if (reply->isOpen() && exchange->error.isEmpty())
        exchange->body += reply->readAll();
    if (!exchange->error.isEmpty())
        return {{}, exchange->error};
    // Whatever its HTTP status (404, 429, 500 …), an answer that came in whole is an answer:
    // only its body counts. A failure is a request without a whole answer: no connection, TLS,
    // the time limit, redirects, content that cannot be decoded.
    const QNetworkReply::NetworkError error = reply->error();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (error == QNetworkReply::NoError || (status >= 400 && madeOfStatus(error)))
        return {exchange->body, {}, status, reply->rawHeaderPairs()};
    return {{}, failureReason(error, status, reply->errorString())};
}

} // namespace tombolix
