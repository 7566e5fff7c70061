// The real program with its real dialogs, pointed at a site and a maker's server on
// 127.0.0.1, for trying the whole flow by hand (or with xdotool) under a display.
#include "app/Startup.h"
#include "app/TombolixApplication.h"
#include "common/Clock.h"
#include "common/QtDesktop.h"
#include "common/QtPrompter.h"
#include "common/Services.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestHttpServer.h"

#include <cstdio>
#include <QDir>
#include <QFile>

using namespace tombolix;
using namespace tombolix::test;

int main(int argc, char **argv) {
    TombolixApplication app(argc, argv);
    QtPrompter prompter;
    QtDesktop desktop;
    SystemClock clock;
    app.setPrompter(&prompter);

    // The site as it is today: any log-in succeeds (its answer sends the browser to the front
    // page, which shows a member's page), the old comment page holds no cell, and every post's
    // comments are the three comment pages of tests/data/post_page*.html, the post's own
    // address answering with the last of them, each a second late.
    TestHttpServer server;
    TestHttpServer::Answer loggedIn;
    loggedIn.body = fixtureBytes(QStringLiteral("login_redirect.html"));
    loggedIn.headers = {{"Set-Cookie", "PHPSESSID=e2e; path=/"}};
    server.setDefault(loggedIn);
    server.route("/index.php", {200, {}, fixtureBytes(QStringLiteral("front_member.html"))});
    // a comment page a second, as on a slow connection, so that the import's progress shows;
    // each dated now, so that a deadline reads the comments' bare times as of today
    TestHttpServer::Answer last{200, {}, fixtureBytes(QStringLiteral("post_page3.html"))};
    last.delayMs = 1000;
    last.dateNow = true;
    server.route("/zboard/view.php", last);
    for (int page = 1; page <= 3; ++page) {
        TestHttpServer::Answer answer{
            200,
            {},
            fixtureBytes(QStringLiteral("post_page") + QString::number(page) + QStringLiteral(".html"))};
        answer.delayMs = 1000;
        answer.dateNow = true;
        server.route("&c_page=" + QByteArray::number(page), answer);
    }
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&server] {
        for (const TestHttpServer::Request &request : server.requests)
            std::printf("%s %s\n", request.method.constData(), request.target.constData());
    });

    Endpoints endpoints{server.base(),
                        QStringLiteral("image.test"),
                        QUrl(server.base() + QStringLiteral("/tombolix/info.php")),
                        {}, // no beacon relay: a public draw asks for the round to be pasted
                        {}};
    const Services services{prompter, desktop, clock, QDir::currentPath(), QDir::currentPath(), endpoints};
    return runProgram(services);
}
