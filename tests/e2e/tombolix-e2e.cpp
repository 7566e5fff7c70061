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

    // The site as it is today: any log-in succeeds, the old comment page holds no cell, and
    // every post's comments are the two comment pages of tests/data/post_page*.html.
    TestHttpServer server;
    TestHttpServer::Answer home;
    home.body = "<a href=\"" + server.base().toLatin1() + "/index.php\">home</a>";
    home.headers = {{"Set-Cookie", "PHPSESSID=e2e; path=/"}};
    server.setDefault(home);
    TestHttpServer::Answer firstPage;
    firstPage.body = fixtureBytes(QStringLiteral("post_page1.html"));
    server.route("/zboard/view.php", firstPage);
    TestHttpServer::Answer secondPage;
    secondPage.body = fixtureBytes(QStringLiteral("post_page2.html"));
    server.route("&c_page=2", secondPage);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&server] {
        for (const TestHttpServer::Request &request : server.requests)
            std::printf("%s %s\n", request.method.constData(), request.target.constData());
    });

    Endpoints endpoints{server.base(),
                        QStringLiteral("image.test"),
                        QUrl(server.base() + QStringLiteral("/tombolix/info.php")),
                        {}};
    const Services services{prompter, desktop, clock, QDir::currentPath(), endpoints};
    return runProgram(services);
}
