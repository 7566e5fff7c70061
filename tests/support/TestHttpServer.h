#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QQueue>
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
    };

    explicit TestHttpServer(QObject *parent = nullptr);
    ~TestHttpServer() override;

    // "127.0.0.1:port", the form the program's addresses take.
    QString host() const;
    quint16 port() const;

    void enqueue(const Answer &answer) { m_answers.enqueue(answer); }
    void enqueueBody(const QByteArray &body, const QList<QPair<QByteArray, QByteArray>> &headers = {});
    void setDefault(const Answer &answer) { m_default = answer; }

    QList<Request> requests;

private:
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Answer &answer);

    QTcpServer *m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QQueue<Answer> m_answers;
    Answer m_default;
};

} // namespace tombolix::test
