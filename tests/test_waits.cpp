// What may happen while the comment window waits for the site: a close from the window system
// (the close button, Alt+F4), a close of the main window, a second click, and during an import
// the user's clicks and keys anywhere. A close ends the wait at once, a second import or log-in
// does nothing, and a handler whose window closed writes nothing.
#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "tests/support/SiteRig.h"

#include <QAction>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <qpa/qwindowsysteminterface.h>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QByteArray logout("/zboard/logout.php?&s_url=%2Findex.php");
const QString clearQuestion =
    QStringLiteral("현재 리스트를 초기화하고 진행하시겠습니까? 그렇지 않으시면 현재 리스트 밑에 추가됩니다.");
const QString importDone = QStringLiteral("덧글을 모두 확인하여 리스트에 조건에 맞게끔 추가하였습니다!");

// Every text a label shows while `run` runs, in order, as the user would see them change.
QStringList shownWhile(const QLabel *label, const std::function<void()> &run) {
    QStringList shown{label->text()};
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (shown.last() != label->text())
            shown.append(label->text());
    });
    watch.start(10);
    run();
    watch.stop();
    if (shown.last() != label->text())
        shown.append(label->text());
    return shown;
}

// Runs `action` once, as soon as the label shows `text` (the user acts on what is shown).
std::unique_ptr<QTimer> onceShown(const QLabel *label, const QString &text, std::function<void()> action) {
    auto watch = std::make_unique<QTimer>();
    QTimer *timer = watch.get();
    QObject::connect(timer, &QTimer::timeout, [timer, label, text, action = std::move(action)] {
        if (label->text() == text) {
            timer->stop();
            action();
        }
    });
    watch->start(10);
    return watch;
}

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
    void secondClicksDuringTheImportDoNothing();
    void theLogInHoldsTheUserBack();
    void anImportCountsItsPagesAndAnswersTheUser();
    void aCloseDuringTheImportWritesNothing();
    void aDialogOpenLongerThanTheTimeLimitDoesNotFailTheImport();

private:
    void loginOk();
    void answerNever();
    // A post of four comment pages, a page a second: the post's address answers with page 4,
    // then pages 1 to 3 are asked for.
    void serveTheLongPostSlowly();

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

void TestWaits::serveTheLongPostSlowly() {
    server->route("/zboard/list_comment.php", {}); // the old comment page holds nothing
    for (const auto &[page, inTarget] :
         {std::pair{4, "/zboard/view.php"}, {1, "&c_page=1"}, {2, "&c_page=2"}, {3, "&c_page=3"}}) {
        TestHttpServer::Answer slow;
        slow.delayMs = 1000;
        slow.body =
            fixtureBytes(QStringLiteral("long_page") + QString::number(page) + QStringLiteral(".html"));
        server->route(inTarget, slow);
    }
}

void TestWaits::secondClicksDuringTheImportDoNothing() {
    loginOk();
    TestHttpServer::Answer slow;
    slow.delayMs = 400;
    slow.body = fixtureBytes(QStringLiteral("comments_page.html"));
    server->enqueue(slow);
    bool buttonsOff = false;
    QTimer::singleShot(100, window, [&] {
        buttonsOff = !window->cmdGet->isEnabled() && !window->cmdNumHelp->isEnabled();
        QTest::mouseClick(window->cmdGet, Qt::LeftButton);     // disabled
        QTest::mouseClick(window->cmdNumHelp, Qt::LeftButton); // disabled: no dialog holds the import
        window->cmdGet_Click();                                // the handler itself: refused
        window->cmdLogin_Click();
        QTest::keyClick(main->txtAdd, Qt::Key_A); // the main window takes its keys
    });
    rig->prompter.no();
    window->cmdGet_Click();
    QVERIFY(buttonsOff);
    QCOMPARE(server->requests.size(), 1);
    QCOMPARE(rig->prompter.texts(), (QStringList{clearQuestion, importDone}));
    QVERIFY(window->cmdGet->isEnabled() && window->cmdNumHelp->isEnabled());
    QCOMPARE(main->txtAdd->text(), QStringLiteral("a"));
    // and after the wait the window takes clicks again
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    rig->prompter.reset();
    rig->prompter.no();
    QTest::mouseClick(window->cmdGet, Qt::LeftButton);
    QCOMPARE(server->requests.size(), 2);
}

// The log-in still keeps the user out while it waits: a key meant for the main window goes
// nowhere, so nothing can change under the handler before it knows who is logged in.
void TestWaits::theLogInHoldsTheUserBack() {
    TestHttpServer::Answer slow;
    slow.delayMs = 400;
    slow.body = fixtureBytes(QStringLiteral("front_member.html"));
    server->enqueue(slow);
    QTimer::singleShot(100, window, [this] {
        QTest::keyClick(main->txtAdd, Qt::Key_A);
        QTest::mouseClick(window->FrameLogin, Qt::LeftButton);
    });
    window->txtID->setText(QStringLiteral("김철수"));
    window->txtPW->setText(QStringLiteral("pw"));
    window->cmdLogin_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{QStringLiteral("로그인에 성공하였습니다!")});
    QVERIFY(main->txtAdd->text().isEmpty());
}

// A post of several comment pages on a slow connection: the status line says which page is
// being read out of how many, and meanwhile the windows take the user's clicks and keys. The
// filter chosen meanwhile is the one used; the list as it is at the end is the one written.
void TestWaits::anImportCountsItsPagesAndAnswersTheUser() {
    site->loginOk();
    window->txtBoard->setText(QStringLiteral("pmarket"));
    window->txtNum->setText(QStringLiteral("303722"));
    serveTheLongPostSlowly();
    rig->prompter.no(); // keep the list

    bool clicked = false;
    bool optionTaken = false;
    QString typed;
    const auto user = onceShown(window->lblStatus, QStringLiteral("상태 : 덧글 페이지 <1>/<4> 읽는 중"), [&] {
        clicked = true;
        QTest::mouseClick(window->OptSet[0], Qt::LeftButton);
        optionTaken = window->OptSet[0]->isChecked();
        QTest::keyClicks(window->txtCmt1, QStringLiteral("abc"));
        typed = window->txtCmt1->text();
        // the main window's list changes meanwhile
        QTest::keyClicks(main->txtAdd, QStringLiteral("x"));
        QTest::keyClick(main->txtAdd, Qt::Key_Return);
        main->drawList().append(QStringLiteral("황"));
    });
    QElapsedTimer took;
    took.start();
    const QStringList shown = shownWhile(window->lblStatus, [this] { window->cmdGet_Click(); });

    QCOMPARE(shown, (QStringList{QStringLiteral("상태 : 대기중"), QStringLiteral("상태 : 덧글 읽는 중"),
                                 QStringLiteral("상태 : 덧글 페이지 <1>/<4> 읽는 중"),
                                 QStringLiteral("상태 : 덧글 페이지 <2>/<4> 읽는 중"),
                                 QStringLiteral("상태 : 덧글 페이지 <3>/<4> 읽는 중"),
                                 QStringLiteral("상태 : <10>/<10> 덧글 확인 완료")}));
    QVERIFY2(took.elapsed() >= 4000, qPrintable(QString::number(took.elapsed())));
    QVERIFY(clicked);
    QVERIFY(optionTaken);
    QCOMPARE(typed, QStringLiteral("abc"));
    QCOMPARE(server->requests.size(), 5);
    QCOMPARE(server->requests[4].target, QByteArray("/zboard/view.php?id=pmarket&no=303722&c_page=3"));
    QCOMPARE(rig->prompter.texts(),
             (QStringList{clearQuestion,
                          importDone +
                              QStringLiteral("\r\n글쓴이의 덧글 1개는 넣지 않았습니다.\r\n이름이 보이지 않는 "
                                             "회원 2명은 덧글 번호로 이름을 붙여 넣었습니다. (이름 없는 "
                                             "회원 (덧글 5103002) 등)")}));
    QCOMPARE(listEntries(main->lstPick),
             (QStringList{QStringLiteral("홍길동"), QStringLiteral("x"), QStringLiteral("황"),
                          QStringLiteral("최민수"), QStringLiteral("이름 없는 회원 (덧글 5103002)"),
                          QStringLiteral("정소연"), QStringLiteral("이름 없는 회원 (덧글 5103011)"),
                          QStringLiteral("[ ** ]"), QStringLiteral("김철수")}));
    QVERIFY(window->cmdGet->isEnabled());
}

// Closing the window is the way to stop an import: at once, with nothing written into the list
// and no page asked for after it.
void TestWaits::aCloseDuringTheImportWritesNothing() {
    loginOk();
    serveTheLongPostSlowly();
    QElapsedTimer took;
    qint64 closedAt = -1;
    const auto user = onceShown(window->lblStatus, QStringLiteral("상태 : 덧글 페이지 <2>/<4> 읽는 중"), [&] {
        closedAt = took.elapsed();
        closeFromWindowSystem(window);
    });
    took.start();
    window->cmdGet_Click();
    QVERIFY(closedAt >= 0);
    // the page being read is given up at once: the rest of the import would take two seconds more
    QVERIFY2(took.elapsed() - closedAt < 1000, qPrintable(QString::number(took.elapsed() - closedAt)));
    QVERIFY(!window->isVisible());
    QVERIFY2(rig->prompter.records.isEmpty(), qPrintable(rig->prompter.texts().join(u'|')));
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("홍길동")});
    QCOMPARE(main->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 1개)"));
    QCOMPARE(server->requests.size(), 5);
    QCOMPARE(server->requests[3].target, QByteArray("/zboard/view.php?id=&no=&c_page=2"));
    QCOMPARE(server->requests[4].target, logout);
    // opened again, it shows the window as it first opens
    main->mnu_Pcmt->trigger();
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 대기중"));
    QVERIFY(window->cmdNumHelp->isEnabledTo(window->FrameGet) &&
            window->cmdGet->isEnabledTo(window->FrameGet));
}

// The main window's question, opened while a page is read and answered only after the page came
// in and the fetch's time limit passed: the page that came in counts, and the import goes on.
void TestWaits::aDialogOpenLongerThanTheTimeLimitDoesNotFailTheImport() {
    loginOk();
    window->setLimits({20000, 1000, 3000});
    TestHttpServer::Answer slow;
    slow.delayMs = 300;
    slow.body = fixtureBytes(QStringLiteral("comments_page.html"));
    server->enqueue(slow);
    const QString clearAll = QStringLiteral("정말로 추첨자 리스트를 초기화하시겠습니까?");
    rig->prompter.whileOpen = [&](const ScriptedPrompter::Record &record) {
        if (record.text == clearAll)
            QTest::qWait(1500); // the user takes time to answer
    };
    rig->prompter.no(); // the main window's question: keep the list
    rig->prompter.no(); // the import's: keep the list
    QTimer::singleShot(100, main, [this] { main->mnu_Clear->trigger(); });
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(), (QStringList{clearAll, clearQuestion, importDone}));
    QCOMPARE(listEntries(main->lstPick),
             (QStringList{QStringLiteral("홍길동"), QStringLiteral("이미지닉"), QStringLiteral("Abc"),
                          QStringLiteral("abc"), QStringLiteral("김철수"), QStringLiteral("본문없음")}));
}

QTEST_MAIN(TestWaits)
#include "test_waits.moc"
