// What may happen while the comment window waits for the site: a close from the window system
// (the close button, Alt+F4), a close of the main window, a second click. Each ends the wait at
// once or does nothing, and a handler whose window closed writes nothing.
#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "tests/support/SiteRig.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <qpa/qwindowsysteminterface.h>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QByteArray logout("/zboard/logout.php?&s_url=%2Findex.php");

// What the window manager sends when the user clicks the close button or presses Alt+F4: Qt
// counts it as user input, which a wait that excludes user input would hold back.
void closeFromWindowSystem(QWidget *window) {
    QWindowSystemInterface::handleCloseEvent(window->windowHandle());
}

} // namespace

class TestWaits : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void closeDuringTheLogin();
    void closeDuringTheFetch();
    void mainWindowClosedDuringTheFetch();
    void secondClicksDuringAWaitDoNothing();

private:
    void loginOk();
    void answerNever();

    std::unique_ptr<SiteRig> site;
    TestHttpServer *server = nullptr;
    Rig *rig = nullptr;
    frmMain *main = nullptr;
    frmPcmnt *window = nullptr;
};

void TestWaits::init() {
    site = std::make_unique<SiteRig>(RequestLimits{20000, 20000, 3000});
    server = &site->server;
    rig = &site->rig;
    main = site->main.get();
    window = site->window;
    // The real limits above: a close that waited them out would show the "cannot reach" box.
    main->drawList().append(QStringLiteral("홍길동"));
}

void TestWaits::cleanup() {
    site.reset(); // the windows go with it
}

void TestWaits::loginOk() {
    site->loginOk({{"Set-Cookie", "PHPSESSID=w41t; path=/"}});
    window->OptSet[0]->setChecked(true);
}

// The next request gets no answer at all; the log-out after it is answered at once.
void TestWaits::answerNever() {
    TestHttpServer::Answer never;
    never.never = true;
    server->enqueue(never);
}

void TestWaits::closeDuringTheLogin() {
    answerNever();
    window->txtID->setText(QStringLiteral("김철수"));
    window->txtPW->setText(QStringLiteral("pw"));
    QTimer::singleShot(100, window, [this] { closeFromWindowSystem(window); });
    window->cmdLogin_Click();
    QVERIFY(!window->isVisible());
    QVERIFY2(rig->prompter.records.isEmpty(), qPrintable(rig->prompter.texts().join(u'|')));
    QCOMPARE(server->requests.size(), 2);
    QCOMPARE(server->requests[1].target, logout);
    // opened again, it is logged out and can log in
    main->mnu_Pcmt->trigger();
    QVERIFY(window->cmdLogin->isEnabled() && !window->FrameGet->isEnabled());
    loginOk();
}

void TestWaits::closeDuringTheFetch() {
    loginOk();
    answerNever();
    QTimer::singleShot(100, window, [this] { closeFromWindowSystem(window); });
    window->cmdGet_Click();
    QVERIFY(!window->isVisible());
    QVERIFY(rig->prompter.records.isEmpty());
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("홍길동")});
    QCOMPARE(server->requests.size(), 2);
    QCOMPARE(server->requests[1].target, logout);
    QCOMPARE(server->requests[1].header("Cookie"), QByteArray("PHPSESSID=w41t"));
}

void TestWaits::mainWindowClosedDuringTheFetch() {
    loginOk();
    answerNever();
    QTimer::singleShot(100, main, [this] { closeFromWindowSystem(main); });
    window->cmdGet_Click();
    QVERIFY(!main->isVisible());
    QVERIFY(!window->isVisible());
    QVERIFY(rig->prompter.records.isEmpty());
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("홍길동")});
    QCOMPARE(server->requests.last().target, logout);
}

void TestWaits::secondClicksDuringAWaitDoNothing() {
    loginOk();
    TestHttpServer::Answer slow;
    slow.delayMs = 400;
    slow.body = fixtureBytes(QStringLiteral("comments_page.html"));
    server->enqueue(slow);
    QTimer::singleShot(100, window, [this] {
        QTest::mouseClick(window->cmdGet, Qt::LeftButton); // a user's click: held back
        window->cmdGet_Click();                            // the handler itself: refused
        window->cmdLogin_Click();
        QTest::keyClick(main->txtAdd, Qt::Key_A);
    });
    rig->prompter.no();
    window->cmdGet_Click();
    QCOMPARE(server->requests.size(), 1);
    QCOMPARE(rig->prompter.texts(),
             (QStringList{QStringLiteral("현재 리스트를 초기화하고 진행하시겠습니까? 그렇지 않으시면 현재 "
                                         "리스트 밑에 추가됩니다."),
                          QStringLiteral("덧글을 모두 확인하여 리스트에 조건에 맞게끔 추가하였습니다!")}));
    QVERIFY(window->cmdGet->isEnabled());
    QVERIFY(main->txtAdd->text().isEmpty());
    // and after the wait the window takes clicks again
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    rig->prompter.reset();
    rig->prompter.no();
    QTest::mouseClick(window->cmdGet, Qt::LeftButton);
    QCOMPARE(server->requests.size(), 2);
}

QTEST_MAIN(TestWaits)
#include "test_waits.moc"
