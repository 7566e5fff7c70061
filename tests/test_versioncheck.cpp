// The start-up version check and the information menu.
#include "app/frmMain.h"
#include "app/Startup.h"
#include "core/JsLiteral.h"
#include "core/VersionAnswer.h"
#include "info/modInit.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestHttpServer.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QString newVersion = QStringLiteral("새 버전이 있습니다! 관련 링크로 이동합니다!");

QByteArray answer(const QByteArray &working, const QByteArray &version) {
    return "{working : " + working + ", version : " + version + ", url : 'http://example.test/new'}";
}

} // namespace

class TestVersionCheck : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void literals_data();
    void literals();
    void refusedExpressions_data();
    void refusedExpressions();
    void numbersAsText_data();
    void numbersAsText();
    void outcomes_data();
    void outcomes();
    void requestAndNewVersion();
    void onlyWebAddressesAreOpened();
    void noServerStartsWithinTheLimit();
    void answersOverOneMebibyteAreNotRead();
    void newVersionEndsBeforeAnyWindow();
    void normalStartShowsTheWindow();
    void informationMenu();

private:
    std::unique_ptr<TestHttpServer> server;
    std::unique_ptr<Rig> rig;
};

void TestVersionCheck::init() {
    server = std::make_unique<TestHttpServer>();
    rig = std::make_unique<Rig>();
    rig->endpoints.versionInfo =
        QUrl(QStringLiteral("http://") + server->host() + QStringLiteral("/tombolix/info.php"));
}

void TestVersionCheck::cleanup() {
    rig.reset();
    server.reset();
}

void TestVersionCheck::literals_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("text"); // String() of the value, or of its property "a" for objects
    QTest::newRow("double quotes") << QStringLiteral("\"1\"") << QStringLiteral("1");
    QTest::newRow("single quotes, escapes") << QStringLiteral("'it\\'s \\\"x\\\" \\u0041\\x42\\n\\u{1F600}'")
                                            << QStringLiteral("it's \"x\" AB\n😀");
    QTest::newRow("identifier key") << QStringLiteral("{a: 'x', b: 2}") << QStringLiteral("x");
    QTest::newRow("string key") << QStringLiteral("{\"a\": 1.50}") << QStringLiteral("1.5");
    QTest::newRow("number key") << QStringLiteral("{1: 'one', a: 'y'}") << QStringLiteral("y");
    QTest::newRow("later key wins") << QStringLiteral("{a: 1, a: 2,}") << QStringLiteral("2");
    QTest::newRow("nested") << QStringLiteral("{a: {b: [1, 'x']}}") << QStringLiteral("[object Object]");
    QTest::newRow("array") << QStringLiteral("[1, null, 'x', true]") << QStringLiteral("1,,x,true");
    QTest::newRow("hexadecimal") << QStringLiteral("0x1F") << QStringLiteral("31");
    QTest::newRow("sign and exponent") << QStringLiteral("-1.5e2") << QStringLiteral("-150");
    QTest::newRow("leading point") << QStringLiteral("+.5") << QStringLiteral("0.5");
    QTest::newRow("true") << QStringLiteral("true") << QStringLiteral("true");
    QTest::newRow("null") << QStringLiteral("null") << QStringLiteral("null");
    QTest::newRow("undefined") << QStringLiteral("undefined") << QStringLiteral("undefined");
    QTest::newRow("parentheses and semicolon") << QStringLiteral(" ({a: 'p'}) ;\r\n") << QStringLiteral("p");
    QTest::newRow("korean") << QStringLiteral("{a: '새 버전'}") << QStringLiteral("새 버전");
}

void TestVersionCheck::literals() {
    QFETCH(QString, source);
    QFETCH(QString, text);
    const std::optional<JsValue> value = evaluateJsLiteral(source);
    QVERIFY(value);
    const JsValue shown =
        value->type == JsValue::Type::Object ? value->property(QStringLiteral("a")) : *value;
    QCOMPARE(jsToString(shown), text);
}

void TestVersionCheck::refusedExpressions_data() {
    QTest::addColumn<QString>("source");
    QTest::newRow("empty") << QString();
    QTest::newRow("html error page") << QStringLiteral("<html><body>404 Not Found</body></html>");
    QTest::newRow("call") << QStringLiteral("alert(1)");
    QTest::newRow("call inside") << QStringLiteral("{working: f(), version: '1.02'}");
    QTest::newRow("assignment") << QStringLiteral("{working: '1'}; x = 1");
    QTest::newRow("assignment inside") << QStringLiteral("{working: x = '1'}");
    QTest::newRow("function") << QStringLiteral("(function(){ return {working: '1'}; })()");
    QTest::newRow("operator") << QStringLiteral("1 + 2");
    QTest::newRow("member") << QStringLiteral("{a: 1}.a");
    QTest::newRow("name") << QStringLiteral("window");
    QTest::newRow("new") << QStringLiteral("new Object()");
    QTest::newRow("unterminated string") << QStringLiteral("'abc");
    QTest::newRow("unclosed object") << QStringLiteral("{a: 1");
    QTest::newRow("two values") << QStringLiteral("1 2");
    QTest::newRow("octal escape") << QStringLiteral("'\\01'");
    QTest::newRow("too deep") << QString(100, u'[') + QString(100, u']');
}

void TestVersionCheck::refusedExpressions() {
    QFETCH(QString, source);
    QVERIFY(!evaluateJsLiteral(source));
}

void TestVersionCheck::numbersAsText_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1.0 << QStringLiteral("1");
    QTest::newRow("1.50") << 1.50 << QStringLiteral("1.5");
    QTest::newRow("1.01") << 1.01 << QStringLiteral("1.01");
    QTest::newRow("100") << 100.0 << QStringLiteral("100");
    QTest::newRow("-0") << -0.0 << QStringLiteral("0");
    QTest::newRow("0.000001") << 0.000001 << QStringLiteral("0.000001");
    QTest::newRow("1e-7") << 1e-7 << QStringLiteral("1e-7");
    QTest::newRow("1e21") << 1e21 << QStringLiteral("1e+21");
    QTest::newRow("123456789012345680000")
        << 123456789012345680000.0 << QStringLiteral("123456789012345680000");
    QTest::newRow("1.2345e-10") << 1.2345e-10 << QStringLiteral("1.2345e-10");
}

void TestVersionCheck::numbersAsText() {
    QFETCH(double, number);
    QFETCH(QString, text);
    QCOMPARE(jsNumberToString(number), text);
}

void TestVersionCheck::outcomes_data() {
    using O = VersionDecision::Outcome;
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("outcome");
    QTest::newRow("1.1 is newer") << answer("'1'", "'1.1'") << int(O::NewVersion);
    QTest::newRow("1.10 is newer") << answer("'1'", "'1.10'") << int(O::NewVersion);
    QTest::newRow("1.02 is newer") << answer("'1'", "'1.02'") << int(O::NewVersion);
    QTest::newRow("number 1.02 is newer") << answer("1", "1.02") << int(O::NewVersion);
    QTest::newRow("1.009 is not") << answer("'1'", "'1.009'") << int(O::Start);
    QTest::newRow("1.010 is not") << answer("'1'", "'1.010'") << int(O::Start);
    QTest::newRow("1.01 is not") << answer("'1'", "'1.01'") << int(O::Start);
    QTest::newRow("working number 1") << answer("1", "'1.01'") << int(O::Start);
    QTest::newRow("working 1.0 reads as 1") << answer("1.0", "'1.01'") << int(O::Start);
    QTest::newRow("working '0'") << answer("'0'", "'1.02'") << int(O::EndSilently);
    QTest::newRow("working 0") << answer("0", "'1.02'") << int(O::EndSilently);
    QTest::newRow("working true") << answer("true", "'1.02'") << int(O::EndSilently);
    QTest::newRow("working 1.5") << answer("1.5", "'1.02'") << int(O::EndSilently);
    QTest::newRow("working missing") << QByteArray("{version: '1.02'}") << int(O::EndSilently);
    QTest::newRow("working null") << answer("null", "'1.02'") << int(O::EndSilently);
    QTest::newRow("version missing") << QByteArray("{working: '1'}") << int(O::EndSilently);
    QTest::newRow("version empty") << answer("'1'", "''") << int(O::EndSilently);
    QTest::newRow("plain number") << QByteArray("5") << int(O::EndSilently);
    QTest::newRow("version not a number") << answer("'1'", "'abc'") << int(O::Start);
    QTest::newRow("html error page") << QByteArray("<html><h1>500</h1></html>") << int(O::Start);
    QTest::newRow("empty body") << QByteArray() << int(O::Start);
    QTest::newRow("null") << QByteArray("null") << int(O::Start);
    QTest::newRow("a call is refused, not run")
        << QByteArray("{working: '1', version: f()}") << int(O::Start);
}

void TestVersionCheck::outcomes() {
    QFETCH(QByteArray, body);
    QFETCH(int, outcome);
    // through the real request component, as the program receives it
    server->enqueueBody(body);
    const bool goesOn = CheckVersion(rig->services());
    QCOMPARE(goesOn, outcome == int(VersionDecision::Outcome::Start));
    QCOMPARE(rig->prompter.records.size(), outcome == int(VersionDecision::Outcome::NewVersion) ? 1 : 0);
    QCOMPARE(rig->desktop.opened.size(), outcome == int(VersionDecision::Outcome::NewVersion) ? 1 : 0);
    QCOMPARE(int(decideVersion(QString::fromLatin1(body)).outcome), outcome);
}

void TestVersionCheck::requestAndNewVersion() {
    server->enqueueBody(answer("'1'", "'1.02'"));
    QVERIFY(!CheckVersion(rig->services()));
    QCOMPARE(server->requests.size(), 1);
    const TestHttpServer::Request &request = server->requests[0];
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.target, QByteArray("/tombolix/info.php"));
    QCOMPARE(request.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.body, QByteArray("mode=info"));
    QVERIFY(request.header("Cookie").isEmpty());
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Notice);
    QCOMPARE(rig->prompter.records[0].title, QStringLiteral("Tombolix Alert"));
    QCOMPARE(rig->prompter.records[0].text, newVersion);
    QCOMPARE(rig->desktop.opened, QList<QUrl>{QUrl(QStringLiteral("http://example.test/new"))});

    // The real program asks over TLS: an answer that can end it or send the user to any page
    // must come from the maker's server and no one on the way.
    QCOMPARE(Endpoints::real().versionInfo,
             QUrl(QStringLiteral("https://www.tombolix.kr/tombolix/info.php")));
}

void TestVersionCheck::onlyWebAddressesAreOpened() {
    for (const QByteArray &url : {QByteArray("file:///bin/sh"), QByteArray("calc.exe"), QByteArray("")}) {
        rig->desktop.opened.clear();
        rig->prompter.reset();
        server->enqueueBody("{working: '1', version: '2.0', url: '" + url + "'}");
        QVERIFY(!CheckVersion(rig->services()));
        QCOMPARE(rig->prompter.texts(), QStringList{newVersion});
        QVERIFY(rig->desktop.opened.isEmpty());
    }
}

// 200,000 keys (3.6 MB) naming a newer version: too large to be an answer, so it is not read
// and the program starts; an answer just under the limit is read, and its last key counts.
void TestVersionCheck::answersOverOneMebibyteAreNotRead() {
    auto manyKeys = [](int keys, const QByteArray &version) -> QByteArray {
        QByteArray body = "{";
        for (int i = 0; i < keys; ++i)
            body += "k" + QByteArray::number(i) + ": 'x',";
        return body + "working: '1', url: 'http://example.test/new', version: " + version + "}";
    };
    server->enqueueBody(manyKeys(200000, "'9.0'"));
    QVERIFY(CheckVersion(rig->services()));
    QVERIFY(rig->prompter.records.isEmpty());

    const QByteArray under = manyKeys(80000, "'1.0', version: '9.0'");
    QVERIFY(under.size() < 1024 * 1024);
    server->enqueueBody(under);
    QVERIFY(!CheckVersion(rig->services()));
    QCOMPARE(rig->prompter.texts(), QStringList{newVersion});
}

void TestVersionCheck::noServerStartsWithinTheLimit() {
    rig->endpoints.versionInfo = QUrl(QStringLiteral("http://127.0.0.1:9/tombolix/info.php"));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(CheckVersion(rig->services()));
    QVERIFY(timer.elapsed() < 5500);

    // a server that never answers: the time limit ends the wait
    rig->endpoints.versionInfo =
        QUrl(QStringLiteral("http://") + server->host() + QStringLiteral("/tombolix/info.php"));
    TestHttpServer::Answer never;
    never.never = true;
    server->enqueue(never);
    timer.restart();
    QVERIFY(CheckVersion(rig->services(), 300));
    QVERIFY2(timer.elapsed() >= 290 && timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(rig->prompter.records.isEmpty());
}

void TestVersionCheck::newVersionEndsBeforeAnyWindow() {
    server->enqueueBody(answer("'1'", "'1.1'"));
    bool windowSeen = false;
    rig->prompter.whileOpen = [&windowSeen](const ScriptedPrompter::Record &) {
        for (QWidget *widget : QApplication::topLevelWidgets())
            windowSeen = windowSeen || widget->isVisible();
    };
    QCOMPARE(runProgram(rig->services()), 0);
    QVERIFY(!windowSeen);
    QCOMPARE(rig->prompter.texts(), QStringList{newVersion});
    QCOMPARE(rig->desktop.opened.size(), 1);
    for (QWidget *widget : QApplication::topLevelWidgets())
        QVERIFY(!widget->isVisible());
}

void TestVersionCheck::normalStartShowsTheWindow() {
    server->enqueueBody(answer("'1'", "'1.01'"));
    QString caption;
    QTimer::singleShot(100, this, [&caption] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible())
                caption = widget->windowTitle();
        }
        QApplication::closeAllWindows();
    });
    QCOMPARE(runProgram(rig->services()), 0);
    QCOMPARE(caption, QStringLiteral("Tombolix - 간편한 기능형 추첨기! Ver : 1.01"));
}

void TestVersionCheck::informationMenu() {
    frmMain window(rig->services());
    window.mnu_By->trigger();
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Notice);
    QCOMPARE(rig->prompter.records[0].title, QStringLiteral("Tombolix_v1.01"));
    const QString by = rig->prompter.records[0].text;
    QVERIFY(by.startsWith(
        QStringLiteral("개발자 : 모락토네(Email : moraktone@tombolix.kr)\r\nTombolix 블로그 : http://")));

    rig->desktop.clipboardText = QStringLiteral("old");
    bool clipboardUntouchedWhileOpen = false;
    rig->prompter.whileOpen = [&](const ScriptedPrompter::Record &) {
        clipboardUntouchedWhileOpen = rig->desktop.clipboardText == QStringLiteral("old");
    };
    window.mnu_Feedback->trigger();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].title, QStringLiteral("Tombolix Alert"));
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Notice);
    QCOMPARE(
        rig->prompter.records[1].text,
        QStringLiteral("피드백은 moraktone@tombolix.kr 이나 뽐뿌 모락토네 으로 쪽지 주시면 답변해드립니다. "
                       "메일주소는 자동으로 클립보드에 복사됩니다 ^^"));
    QVERIFY(clipboardUntouchedWhileOpen);
    QCOMPARE(rig->desktop.clipboardText, QStringLiteral("moraktone@tombolix.kr"));

    window.mnu_Blog->trigger();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->desktop.opened.size(), 1);
    QVERIFY(by.endsWith(rig->desktop.opened[0].toString()));
}

TOMBOLIX_TEST_MAIN(TestVersionCheck)
#include "test_versioncheck.moc"
