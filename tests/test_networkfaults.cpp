// Broken networks and hostile answers: each ends in a clear message or the documented silent
// outcome, with the windows usable and the draw list as it was.
#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "core/CommentTime.h"
#include "http/WebRequest.h"
#include "info/modInit.h"
#include "tests/support/Controls.h"
#include "tests/support/SiteRig.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QString unreachable = QStringLiteral("뽐뿌 사이트에 접속할 수 없습니다!");

QByteArray garbage(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(12345);
    generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

} // namespace

class TestNetworkFaults : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void brokenFetches_data();
    void brokenFetches();
    void refusedConnectionIsNamed();
    void garbagePagesAreReadSafely();
    void cookieForAnotherDomainIsNotSentBack();
    void loginThatNeverAnswers();
    void loginAnswersOneOrZero_data();
    void loginAnswersOneOrZero();
    void versionCheckFaultsStartNormally_data();
    void versionCheckFaultsStartNormally();
    void everyHttpStatusIsAnAnswer_data();
    void everyHttpStatusIsAnAnswer();
    void aWaitEndedByQuittingIsAFailure();
    void aRedirectFromHttpsToHttpIsNamed();

private:
    void loginOk(const QList<QPair<QByteArray, QByteArray>> &headers = {});

    std::unique_ptr<SiteRig> site;
    TestHttpServer *server = nullptr;
    Rig *rig = nullptr;
    frmMain *main = nullptr;
    frmPcmnt *window = nullptr;
};

void TestNetworkFaults::init() {
    site = std::make_unique<SiteRig>(RequestLimits{1500, 1500, 300});
    server = &site->server;
    rig = &site->rig;
    main = site->main.get();
    window = site->window;
    main->drawList().append(QStringLiteral("before"));
}

void TestNetworkFaults::cleanup() {
    site.reset(); // the windows go with it
}

void TestNetworkFaults::loginOk(const QList<QPair<QByteArray, QByteArray>> &headers) {
    site->loginOk(headers);
    window->OptSet[0]->setChecked(true);
}

void TestNetworkFaults::brokenFetches_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason"); // the second line of the message: how it begins
    QTest::newRow("closed in the middle of the body")
        << QStringLiteral("cut") << QStringLiteral("서버가 연결을 끊었습니다.");
    QTest::newRow("one byte a second")
        << QStringLiteral("drip") << QStringLiteral("제한 시간 안에 응답이 없습니다.");
    QTest::newRow("redirect loop") << QStringLiteral("redirect")
                                   << QStringLiteral("서버가 다른 주소로 너무 많이 넘겨 보냅니다.");
    QTest::newRow("never answers") << QStringLiteral("never")
                                   << QStringLiteral("제한 시간 안에 응답이 없습니다.");
    QTest::newRow("connection reset")
        << QStringLiteral("reset") << QStringLiteral("서버가 연결을 끊었습니다.");
    QTest::newRow("over 32 MiB") << QStringLiteral("huge") << QStringLiteral("응답이 32MB보다 큽니다.");
    QTest::newRow("spoiled gzip") << QStringLiteral("spoiled gzip")
                                  << QStringLiteral("서버의 응답을 읽을 수 없습니다.");
    QTest::newRow("deflate bomb of 40 MiB") << QStringLiteral("bomb") << QString();
}

void TestNetworkFaults::brokenFetches() {
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    loginOk();
    TestHttpServer::Answer answer;
    answer.body = QByteArray(4000, 'x');
    if (fault == QStringLiteral("cut")) {
        answer.cutAfter = 2000;
    } else if (fault == QStringLiteral("drip")) {
        answer.dripMs = 1000;
    } else if (fault == QStringLiteral("redirect")) {
        answer.status = 302;
        answer.headers = {{"Location", "/zboard/list_comment.php?id=&no="}};
    } else if (fault == QStringLiteral("never")) {
        answer.never = true;
    } else if (fault == QStringLiteral("reset")) {
        answer.reset = true;
    } else if (fault == QStringLiteral("spoiled gzip")) {
        // a gzip header, then noise: the content cannot be decoded, though the status is 200
        answer.headers = {{"Content-Encoding", "gzip"}};
        answer.body = QByteArray("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\xFF", 10) + garbage(4000);
    } else if (fault == QStringLiteral("bomb")) {
        answer.headers = {{"Content-Encoding", "deflate"}};
        answer.body = qCompress(QByteArray(40 * 1024 * 1024, '<'), 9).mid(4); // a zlib stream
    } else {
        answer.body = QByteArray(33 * 1024 * 1024, 'y');
    }
    server->setDefault(answer); // every attempt, retries and redirects included
    QElapsedTimer timer;
    timer.start();
    window->cmdGet_Click();
    QVERIFY(timer.elapsed() < 10000);
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
    const QStringList lines = rig->prompter.records[0].text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.value(0), QStringLiteral("뽐뿌 사이트에 접속할 수 없습니다! 인터넷 연결을 확인하시고 다시 "
                                            "시도해주세요."));
    // a reason in Korean: either ours, or a general one before Qt's own text
    QVERIFY2(lines.value(1).startsWith(reason) && lines.value(1).at(0).unicode() >= 0xAC00,
             qPrintable(lines.value(1)));
    QCOMPARE(main->lstPick->count(), 1);
    QCOMPARE(main->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 1개)"));

    // the window is usable: the next fetch works
    server->setDefault({});
    rig->prompter.reset();
    QVERIFY(window->cmdGet->isEnabled());
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    rig->prompter.no();
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Notice);
}

void TestNetworkFaults::refusedConnectionIsNamed() {
    // a port on which nothing listens any more
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    rig->endpoints.siteBase = QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    frmMain other(rig->services());
    other.mnu_Pcmt->trigger();
    other.commentWindow()->txtID->setText(QStringLiteral("id"));
    other.commentWindow()->txtPW->setText(QStringLiteral("pw"));
    rig->prompter.reset();
    other.commentWindow()->cmdLogin_Click();
    QCOMPARE(rig->prompter.records.size(), 1);
    QVERIFY2(rig->prompter.records[0].text.endsWith(QStringLiteral("\r\n서버가 연결을 거부했습니다.")),
             qPrintable(rig->prompter.records[0].text));
}

// 5 MB of noise as the old comment page and as the post page: no comment in either.
void TestNetworkFaults::garbagePagesAreReadSafely() {
    loginOk();
    server->enqueueBody(garbage(5 * 1024 * 1024));
    server->enqueueBody(QByteArray("var initialCommentData = {") + garbage(5 * 1024 * 1024));
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(),
             QStringList{QStringLiteral("덧글을 찾지 못했습니다! 게시글 번호가 정확한지 확인해보세요!")});
    QCOMPARE(main->lstPick->count(), 1);
}

void TestNetworkFaults::cookieForAnotherDomainIsNotSentBack() {
    loginOk({{"Set-Cookie", "evil=1; Domain=other.test; Path=/"}, {"Set-Cookie", "good=1; Path=/"}});
    window->cmdGet_Click();
    QCOMPARE(server->requests.size(), 2);
    for (const TestHttpServer::Request &request : server->requests)
        QCOMPARE(request.header("Cookie"), QByteArray("good=1"));
}

void TestNetworkFaults::loginThatNeverAnswers() {
    TestHttpServer::Answer never;
    never.never = true;
    server->setDefault(never);
    window->txtID->setText(QStringLiteral("id"));
    window->txtPW->setText(QStringLiteral("pw"));
    window->cmdLogin_Click();
    QCOMPARE(rig->prompter.records.size(), 1);
    QVERIFY(rig->prompter.records[0].text.startsWith(unreachable));
    QVERIFY(window->cmdLogin->isEnabled());
    QVERIFY(!window->FrameGet->isEnabled());
    // closing still ends within the log-out's time limit
    QElapsedTimer timer;
    timer.start();
    window->close();
    QVERIFY(timer.elapsed() < 3000);
    QVERIFY(rig->prompter.records.size() == 1);
}

void TestNetworkFaults::loginAnswersOneOrZero_data() {
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("result");
    QTest::newRow("a member's page") << QStringLiteral("member") << 1;
    QTest::newRow("a visitor's page") << QStringLiteral("visitor") << 0;
    QTest::newRow("the front page cut short") << QStringLiteral("cut") << 0;
    QTest::newRow("no answer") << QStringLiteral("never") << 0;
}

// Login answers 1 or 0 whatever happens, a site that cannot be asked included, and neither
// shows anything nor touches a control: the log-in button's handler says why.
void TestNetworkFaults::loginAnswersOneOrZero() {
    QFETCH(QString, answers);
    QFETCH(int, result);
    if (answers == QStringLiteral("member")) {
        server->enqueueBody(fixtureBytes(QStringLiteral("front_member.html")));
    } else if (answers == QStringLiteral("visitor")) {
        server->enqueueBody(fixtureBytes(QStringLiteral("login_refused.html")));
    } else if (answers == QStringLiteral("cut")) {
        server->enqueueBody(fixtureBytes(QStringLiteral("login_redirect.html")));
        TestHttpServer::Answer front{200, {}, fixtureBytes(QStringLiteral("front_member.html"))};
        front.cutAfter = 100;
        server->enqueue(front);
    } else {
        TestHttpServer::Answer never;
        never.never = true;
        server->setDefault(never);
    }
    QCOMPARE(window->Login(QStringLiteral("abc"), QStringLiteral("p&ss")), result);
    QVERIFY(rig->prompter.records.isEmpty());
    QVERIFY(named<QPushButton>(window, "cmdLogin")->isEnabled());
    QVERIFY(!named<QGroupBox>(window, "FrameGet")->isEnabled());
    QCOMPARE(server->requests.value(0).body,
             QByteArray("s_url=%2Findex.php&secure1=1&user_id=abc&password=p%26ss&x=0&y=0"));
}

void TestNetworkFaults::versionCheckFaultsStartNormally_data() {
    QTest::addColumn<QString>("fault");
    QTest::newRow("cut") << QStringLiteral("cut");
    QTest::newRow("garbage") << QStringLiteral("garbage");
    QTest::newRow("redirect loop") << QStringLiteral("redirect");
    QTest::newRow("never") << QStringLiteral("never");
}

void TestNetworkFaults::versionCheckFaultsStartNormally() {
    QFETCH(QString, fault);
    TestHttpServer::Answer answer;
    answer.body = "{working: '1', version: '9.0', url: 'http://example.test/'}";
    if (fault == QStringLiteral("cut"))
        answer.cutAfter = 60;
    else if (fault == QStringLiteral("garbage"))
        answer.body = garbage(5 * 1024 * 1024);
    else if (fault == QStringLiteral("redirect")) {
        answer.status = 302;
        answer.headers = {{"Location", "/tombolix/info.php"}};
    } else
        answer.never = true;
    server->setDefault(answer);
    QVERIFY(CheckVersion(rig->services(), 1500));
    QVERIFY(rig->prompter.records.isEmpty());
    QVERIFY(rig->desktop.opened.isEmpty());
}

void TestNetworkFaults::everyHttpStatusIsAnAnswer_data() {
    QTest::addColumn<int>("status");
    for (int status : {200, 400, 403, 404, 407, 418, 429, 500, 503})
        QTest::addRow("%d", status) << status;
}

// Whatever the status, an answer that came in whole is the answer: its body is read.
void TestNetworkFaults::everyHttpStatusIsAnAnswer() {
    QFETCH(int, status);
    WebRequest request;
    server->setDefault({status, {}, QByteArray("<html>뽐뿌</html>")});
    const HttpResult answer =
        request.fetch({"GET", QUrl(server->base() + QStringLiteral("/zboard/view.php")), {}, {}}, {1500});
    QVERIFY2(answer.ok(), qPrintable(answer.error));
    QCOMPARE(answer.body, QByteArray("<html>뽐뿌</html>"));

    // its headers come with it, the Date a deadline reads bare times by among them
    TestHttpServer::Answer dated{status, {{"X-Cache", "MISS"}}, QByteArray("<html></html>")};
    dated.dateNow = true;
    server->setDefault(dated);
    const HttpResult withDate =
        request.fetch({"GET", QUrl(server->base() + QStringLiteral("/zboard/view.php")), {}, {}}, {1500});
    QCOMPARE(withDate.header("x-cache"), QByteArray("MISS"));
    const std::optional<qint64> date = parseHttpDate(withDate.header("Date"));
    QVERIFY2(date, withDate.header("Date").constData());
    QVERIFY(qAbs(*date - QDateTime::currentSecsSinceEpoch()) <= 5);
    QVERIFY(withDate.header("Set-Cookie").isNull());
}

// The program quitting ends every event loop, a request's wait too: what came of the answer
// so far is no answer.
void TestNetworkFaults::aWaitEndedByQuittingIsAFailure() {
    TestHttpServer::Answer drip;
    drip.body = QByteArray("<html>") + QByteArray(200, 'x');
    drip.dripMs = 20;
    server->setDefault(drip);
    WebRequest request;
    QTimer::singleShot(150, [] { QCoreApplication::exit(0); });
    const HttpResult answer =
        request.fetch({"GET", QUrl(server->base() + QStringLiteral("/index.php")), {}, {}}, {5000});
    // event loops work again from here on
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    QVERIFY(!answer.ok());
    QVERIFY(answer.body.isEmpty());
    QCOMPARE(answer.error, QStringLiteral("요청이 취소되었습니다."));
}

void TestNetworkFaults::aRedirectFromHttpsToHttpIsNamed() {
    TestHttpServer secure(TestHttpServer::Scheme::Https);
    TestHttpServer::Answer away;
    away.status = 302;
    away.headers = {{"Location", server->base().toLatin1() + "/index.php"}};
    secure.setDefault(away);
    WebRequest request({TestHttpServer::trustedCertificate()});
    const HttpResult answer =
        request.fetch({"GET", QUrl(secure.base() + QStringLiteral("/index.php")), {}, {}}, {5000});
    if (secure.tlsFailures > 0 && secure.requests.isEmpty())
        QSKIP("this platform's TLS cannot serve the test's certificate (Wine's Schannel cannot)");
    QCOMPARE(answer.error,
             QStringLiteral("서버가 보안 연결(https)에서 보안되지 않은 주소(http)로 넘겨 보냈습니다."));
    QVERIFY(server->requests.isEmpty()); // the plain address was never asked
}

TOMBOLIX_TEST_MAIN(TestNetworkFaults)
#include "test_networkfaults.moc"
