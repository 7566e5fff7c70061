#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QQueue>
#include <QSslCertificate>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace tombolix::test {

// A real HTTP/1.1 server on 127.0.0.1 inside the test process: records every request and
// plays back scripted answers, one per request in order, then the default answer.
class TestHttpServer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QByteArray method;
        QByteArray target; // path and query as sent
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        QByteArray header(const QByteArray &name) const;
    };

    struct Answer {
        int status = 200;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        int delayMs = 0;         // wait before answering
        bool reset = false;      // close the connection instead of answering
        bool never = false;      // keep the connection open and never answer
        qsizetype cutAfter = -1; // send this many bytes of the answer, then close
        int dripMs = 0;          // send the answer one byte at a time, this far apart
        bool dateNow = false;    // send the time of the answer as its Date, as real servers do
    };

    enum class Scheme { Http, Https };

    // Over TLS, the server shows the certificate of tests/data/tls, which trustedCertificate()
    // gives to the program's request object: nothing else trusts it.
    explicit TestHttpServer(Scheme scheme = Scheme::Http, QObject *parent = nullptr);
    ~TestHttpServer() override;

    // "127.0.0.1:port"
    QString host() const;
    // "http://127.0.0.1:port" or "https://…", the form the program's site base takes.
    QString base() const;
    quint16 port() const;
    static QSslCertificate trustedCertificate();

    void enqueue(const Answer &answer) { m_answers.enqueue(answer); }
    void enqueueBody(const QByteArray &body, const QList<QPair<QByteArray, QByteArray>> &headers = {});
    void setDefault(const Answer &answer) { m_default = answer; }
    // With no answer queued: the answer of the last route added whose text occurs in the
    // request's target, else the default.
    void route(const QByteArray &inTarget, const Answer &answer) { m_routes.append({inTarget, answer}); }

    QList<Request> requests;
    // Connections the server could not take up over TLS (its side of the handshake failed).
    int tlsFailures = 0;

private:
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Answer &answer);
    Answer routed(const QByteArray &target) const;

    Scheme m_scheme;
    QTcpServer *m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QQueue<Answer> m_answers;
    Answer m_default;
    QList<QPair<QByteArray, Answer>> m_routes;
};

} // namespace tombolix::test
