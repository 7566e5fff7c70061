#pragma once

#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestHttpServer.h"

#include <memory>

namespace tombolix::test {

// The main window with its comment window open, the site being a test server on 127.0.0.1.
struct SiteRig {
    explicit SiteRig(const RequestLimits &limits);

    // Logs in as the site lets a member in: an answer that sends the browser to the front page,
    // then the front page as a member sees it. Forgets the log-in's requests and prompts.
    void loginOk(const QList<QPair<QByteArray, QByteArray>> &headers = {
                     {"Set-Cookie", "PHPSESSID=s3ss10n; path=/"}});

    TestHttpServer server;
    Rig rig;
    std::unique_ptr<frmMain> main;
    frmPcmnt *window = nullptr;
};

} // namespace tombolix::test
