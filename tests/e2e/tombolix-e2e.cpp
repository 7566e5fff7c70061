// The real program with its real dialogs, pointed at a site and a maker's server on
// 127.0.0.1, for trying the whole flow by hand (or with xdotool) under a display.
// The site accepts any log-in and answers every comment page with tests/data/comments_page.html.
#include "app/Startup.h"
#include "app/TombolixApplication.h"
#include "common/Clock.h"
#include "common/QtDesktop.h"
#include "common/QtPrompter.h"
#include "common/Services.h"
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

    TestHttpServer server;
    QFile page(QStringLiteral(TOMBOLIX_TEST_DATA "/comments_page.html"));
    page.open(QIODevice::ReadOnly);
    TestHttpServer::Answer answer;
    answer.body = "<a href=\"http://" + server.host().toLatin1() + "/index.php\">home</a>" + page.readAll();
    answer.headers = {{"Set-Cookie", "PHPSESSID=e2e; path=/"}};
    server.setDefault(answer);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&server] {
        for (const TestHttpServer::Request &request : server.requests)
            std::printf("%s %s\n", request.method.constData(), request.target.constData());
    });

    Endpoints endpoints{
        server.host(), QStringLiteral("image.test"),
        QUrl(QStringLiteral("http://") + server.host() + QStringLiteral("/tombolix/info.php"))};
    const Services services{prompter, desktop, clock, QDir::currentPath(), endpoints};
    return runProgram(services);
}
