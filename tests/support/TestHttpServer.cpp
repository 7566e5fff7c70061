#include "tests/support/TestHttpServer.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QPointer>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace tombolix::test {

QByteArray TestHttpServer::Request::header(const QByteArray &name) const {
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

namespace {

QByteArray tlsFile(const char *name) {
    QFile file(QStringLiteral(TOMBOLIX_TEST_DATA "/tls/") + QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QTcpServer *makeServer(TestHttpServer::Scheme scheme, QObject *parent) {
    if (scheme == TestHttpServer::Scheme::Http)
        return new QTcpServer(parent);
    auto *server = new QSslServer(parent);
    QObject::connect(server, &QSslServer::errorOccurred, parent,
                     [parent](QSslSocket *, QAbstractSocket::SocketError error) {
                         if (error == QAbstractSocket::SslHandshakeFailedError ||
                             error == QAbstractSocket::SslInternalError ||
                             error == QAbstractSocket::SslInvalidUserDataError)
                             ++static_cast<TestHttpServer *>(parent)->tlsFailures;
                     });
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(TestHttpServer::trustedCertificate());
    tls.setPrivateKey(QSslKey(tlsFile("test-server.key"), QSsl::Rsa));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(tls);
    return server;
}

} // namespace

QSslCertificate TestHttpServer::trustedCertificate() {
    return QSslCertificate(tlsFile("test-server.crt"));
}

TestHttpServer::TestHttpServer(Scheme scheme, QObject *parent)
    : QObject(parent)
    , m_scheme(scheme)
    , m_server(makeServer(scheme, this)) {
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

TestHttpServer::~TestHttpServer() = default;

QString TestHttpServer::host() const {
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

QString TestHttpServer::base() const {
    return (m_scheme == Scheme::Https ? QStringLiteral("https://") : QStringLiteral("http://")) + host();
}

quint16 TestHttpServer::port() const {
    return m_server->serverPort();
}

void TestHttpServer::enqueueBody(const QByteArray &body,
                                 const QList<QPair<QByteArray, QByteArray>> &headers) {
    Answer answer;
    answer.body = body;
    answer.headers = headers;
    enqueue(answer);
}

void TestHttpServer::onReadyRead(QTcpSocket *socket) {
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    for (;;) {
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
        Request request;
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        qsizetype length = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon < 0)
                continue;
            const QByteArray name = line.left(colon).trimmed();
            const QByteArray value = line.mid(colon + 1).trimmed();
            request.headers.append({name, value});
            if (name.compare("Content-Length", Qt::CaseInsensitive) == 0)
                length = value.toLongLong();
        }
        if (buffer.size() < headEnd + 4 + length)
            return;
        request.body = buffer.mid(headEnd + 4, length);
        buffer.remove(0, headEnd + 4 + length);
        requests.append(request);
        answer(socket, m_answers.isEmpty() ? routed(request.target) : m_answers.dequeue());
    }
}

TestHttpServer::Answer TestHttpServer::routed(const QByteArray &target) const {
    for (auto it = m_routes.crbegin(); it != m_routes.crend(); ++it) {
        if (target.contains(it->first))
            return it->second;
    }
    return m_default;
}

void TestHttpServer::answer(QTcpSocket *socket, const Answer &scripted) {
    QPointer<QTcpSocket> guard(socket);
    auto send = [guard, scripted] {
        if (!guard)
            return;
        if (scripted.reset) {
            guard->abort();
            return;
        }
        if (scripted.never)
            return;
        QByteArray bytes = "HTTP/1.1 " + QByteArray::number(scripted.status) + " Scripted\r\n";
        bytes += "Content-Length: " + QByteArray::number(scripted.body.size()) + "\r\n";
        for (const auto &[name, value] : scripted.headers)
            bytes += name + ": " + value + "\r\n";
        if (scripted.dateNow)
            bytes +=
                "Date: " +
                QLocale::c()
                    .toString(QDateTime::currentDateTimeUtc(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss"))
                    .toLatin1() +
                " GMT\r\n";
        bytes += "\r\n" + scripted.body;
        if (scripted.cutAfter >= 0) {
            guard->write(bytes.left(scripted.cutAfter));
            guard->flush();
            guard->disconnectFromHost();
            return;
        }
        if (scripted.dripMs > 0) {
            auto *timer = new QTimer(guard);
            auto sent = std::make_shared<qsizetype>(0);
            QObject::connect(timer, &QTimer::timeout, guard, [guard, timer, bytes, sent] {
                if (*sent >= bytes.size()) {
                    timer->stop();
                    return;
                }
                guard->write(bytes.mid((*sent)++, 1));
            });
            timer->start(scripted.dripMs);
            return;
        }
        guard->write(bytes);
    };
    if (scripted.delayMs > 0)
        QTimer::singleShot(scripted.delayMs, this, send);
    else
        send();
}

} // namespace tombolix::test
