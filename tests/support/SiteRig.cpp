#include "tests/support/SiteRig.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

namespace tombolix::test {

SiteRig::SiteRig(const RequestLimits &limits) {
    rig.endpoints.siteBase = server.base();
    rig.endpoints.versionInfo = QUrl(server.base() + QStringLiteral("/tombolix/info.php"));
    main = std::make_unique<frmMain>(rig.services());
    main->show();
    main->mnu_Pcmt->trigger();
    window = main->commentWindow();
    window->setLimits(limits);
    if (!QTest::qWaitForWindowExposed(window))
        QTest::qFail("the comment window did not show", __FILE__, __LINE__);
}

void SiteRig::loginOk(const QList<QPair<QByteArray, QByteArray>> &headers) {
    server.enqueueBody("<script>location.replace('" + server.base().toLatin1() + "/index.php');</script>",
                       headers);
    server.enqueueBody(fixtureBytes(QStringLiteral("front_member.html")));
    window->txtID->setText(QStringLiteral("  abc  "));
    window->txtPW->setText(QStringLiteral("p&ss=w+rd%"));
    window->cmdLogin_Click();
    if (!window->FrameGet->isEnabled())
        QTest::qFail("the log-in did not succeed", __FILE__, __LINE__);
    rig.prompter.reset();
    server.requests.clear();
}

} // namespace tombolix::test
