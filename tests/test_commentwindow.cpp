// The comment import window against a real HTTP server on 127.0.0.1.
#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "common/DrawList.h"
#include "core/Cp949.h"
#include "core/ListFile.h"
#include "tests/support/SiteRig.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTimer>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QString importDone = QStringLiteral("덧글을 모두 확인하여 리스트에 조건에 맞게끔 추가하였습니다!");
const QString clearQuestion =
    QStringLiteral("현재 리스트를 초기화하고 진행하시겠습니까? 그렇지 않으시면 현재 리스트 밑에 추가됩니다.");
const QString cannotLoad = QStringLiteral("덧글을 불러올 수 없습니다! 게시글 번호가 정확한지 확인해보세요!");

} // namespace

class TestCommentWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensLoggedOut();
    void menuShowsOneWindow();
    void emptyLoginSendsNothing();
    void loginSendsTheFormAndUnlocksThePostFrame();
    void loginIsJudgedByWhoIsLooking_data();
    void loginIsJudgedByWhoIsLooking();
    void failedLoginCanBeTriedAgain();
    void unreachableSiteIsReported();
    void fetchImportsEveryNewCommenter();
    void filterKeepsMatchingComments_data();
    void filterKeepsMatchingComments();
    void pagesThatStopTheImport();
    void emptyPagesChangeNothing();
    void optionsAreCheckedAfterTheFetch();
    void closeLogsOutAndResets();
    void closingDuringARequestIsHarmless();
    void closingTheMainWindowClosesThisOne();
    void addressHelper();
    void helpLabelOpensTheHelpPage();
    void looksAsLaidOut();
    void todaysPostPagesAreImported_data();
    void todaysPostPagesAreImported();
    void aSiteThatIgnoresTheCommentPageChangesNothing();
    void aCountThatDisagreesIsAsked();
    void aLaterPageThatCannotBeReadChangesNothing();
    void writersWithoutANameAreNamedByNumber_data();
    void writersWithoutANameAreNamedByNumber();
    void anOldCellWithoutANameIsCounted();
    void addressHelperTakesTodaysAddresses();
    void loginAndFetchOverHttps();
    void theEventsRules_data();
    void theEventsRules();
    void aDeadlineThatCannotBeAppliedChangesNothing_data();
    void aDeadlineThatCannotBeAppliedChangesNothing();
    void anExclusionListIsLoadedAndLetGo();
    void theListKeepsTheRulesItWasMadeWith();

private:
    void loginOk() { site->loginOk(); }
    // The event's post, its last page first as the site answers; each page with `patches` made
    // to its bytes, and the Date of an answer of 2026-08-28 10:05 in Korea unless `dated` is false.
    void serveTheEvent(const QList<QPair<QByteArray, QByteArray>> &patches = {}, bool dated = true);
    // A list file as the program saves it, in the test's folder.
    QString listFile(const QString &name, const QStringList &entries);
    QString host() const { return server->host(); }

    std::unique_ptr<SiteRig> site;
    TestHttpServer *server = nullptr;
    Rig *rig = nullptr;
    frmMain *main = nullptr;
    frmPcmnt *window = nullptr;
};

void TestCommentWindow::init() {
    site = std::make_unique<SiteRig>(RequestLimits{2000, 2000, 500});
    server = &site->server;
    rig = &site->rig;
    main = site->main.get();
    window = site->window;
}

void TestCommentWindow::cleanup() {
    site.reset(); // the windows go with it
}

void TestCommentWindow::opensLoggedOut() {
    QCOMPARE(window->windowTitle(), QStringLiteral("Tombolix - 뽐뿌 덧글 가져오기"));
    QCOMPARE(window->size(), QSize(289, 401)); // the layout's, with three rows for the event's rules
    QVERIFY(window->FrameLogin->isEnabled());
    QVERIFY(!window->FrameGet->isEnabled());
    for (QWidget *control :
         std::initializer_list<QWidget *>{window->txtNum, window->txtBoard, window->txtCmt1,
                                          window->OptSet[0], window->cmdNumHelp, window->cmdGet})
        QVERIFY(!control->isEnabled());
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 대기중"));
    QCOMPARE(window->cmdNumHelp->text(), QStringLiteral("글번호/게시판  코드 쉽게입력"));
    QCOMPARE(window->txtPW->echoMode(), QLineEdit::Password);
    QVERIFY(!window->txtPW->testAttribute(Qt::WA_InputMethodEnabled));
    QCOMPARE(window->txtPW->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, window->txtPW),
             int('*'));
    QVERIFY(!window->parentWidget());
    QVERIFY(server->requests.isEmpty());
}

void TestCommentWindow::menuShowsOneWindow() {
    window->txtID->setText(QStringLiteral("typed"));
    main->mnu_Pcmt->trigger();
    QCOMPARE(main->commentWindow(), window);
    QCOMPARE(window->txtID->text(), QStringLiteral("typed"));
}

void TestCommentWindow::emptyLoginSendsNothing() {
    window->txtID->setText(QStringLiteral("abc"));
    window->txtPW->setText(QStringLiteral("   "));
    QTest::keyClick(window->txtPW, Qt::Key_Return);
    QCOMPARE(rig->prompter.texts(), QStringList{QStringLiteral("아이디와 비밀번호를 정확히 입력해주세요!")});
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
    QVERIFY(window->cmdLogin->isEnabled());
    QVERIFY(server->requests.isEmpty());
}

void TestCommentWindow::loginSendsTheFormAndUnlocksThePostFrame() {
    server->enqueueBody(fixtureBytes(QStringLiteral("login_redirect.html")),
                        {{"Set-Cookie", "PHPSESSID=s3ss10n; path=/"}});
    server->enqueueBody(fixtureBytes(QStringLiteral("front_member.html")));
    window->txtID->setText(QStringLiteral("  abc  "));
    window->txtPW->setText(QStringLiteral("p&ss=w+rd%"));
    QTest::keyClick(window->txtID, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), window->txtPW);
    QTest::keyClick(window->txtPW, Qt::Key_Return);

    QCOMPARE(server->requests.size(), 2);
    const TestHttpServer::Request &login = server->requests[0];
    QCOMPARE(login.method, QByteArray("POST"));
    QCOMPARE(login.target, QByteArray("/zboard/login_check.php"));
    QCOMPARE(login.body,
             QByteArray("s_url=%2Findex.php&secure1=1&user_id=abc&password=p%26ss%3Dw%2Brd%25&x=0&y=0"));
    QCOMPARE(login.header("Referer"), QByteArray("http://") + host().toLatin1() + "/index.php");
    QCOMPARE(login.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    // the answer does not say who is looking: the front page, with the session, does
    QCOMPARE(server->requests[1].method, QByteArray("GET"));
    QCOMPARE(server->requests[1].target, QByteArray("/index.php"));
    QCOMPARE(server->requests[1].header("Cookie"), QByteArray("PHPSESSID=s3ss10n"));
    QCOMPARE(rig->prompter.texts(), QStringList{QStringLiteral("로그인에 성공하였습니다!")});
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Notice);
    QCOMPARE(window->txtID->text(), QStringLiteral("  abc  "));
    QVERIFY(!window->FrameLogin->isEnabled() && !window->cmdLogin->isEnabled() &&
            !window->txtID->isEnabled());
    QVERIFY(window->FrameGet->isEnabled() && window->cmdGet->isEnabled());
    QCOMPARE(QApplication::focusWidget(), window->txtNum);

    // the session cookie goes with the fetches and with the log-out
    window->OptSet[0]->setChecked(true);
    window->txtBoard->setText(QStringLiteral("pmarket"));
    window->txtNum->setText(QStringLiteral("303717"));
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_none.html")));
    window->cmdGet_Click();
    window->close();
    QCOMPARE(server->requests.size(), 5);
    QCOMPARE(server->requests[2].target, QByteArray("/zboard/list_comment.php?id=pmarket&no=303717"));
    QCOMPARE(server->requests[3].target, QByteArray("/zboard/view.php?id=pmarket&no=303717"));
    QCOMPARE(server->requests[4].target, QByteArray("/zboard/logout.php?&s_url=%2Findex.php"));
    for (int i = 2; i < 5; ++i)
        QCOMPARE(server->requests[i].header("Cookie"), QByteArray("PHPSESSID=s3ss10n"));
}

void TestCommentWindow::loginIsJudgedByWhoIsLooking_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("frontPage"); // null: not asked for
    QTest::addColumn<bool>("succeeds");
    const QByteArray neither = "<html><body>처리되었습니다</body></html>";
    QTest::newRow("a refused log-in: a visitor's page, the front page's link in its header")
        << fixtureBytes(QStringLiteral("login_refused.html")) << QByteArray() << false;
    QTest::newRow("a member's page") << fixtureBytes(QStringLiteral("front_member.html")) << QByteArray()
                                     << true;
    QTest::newRow("a wrong password: a redirect, then the front page of a visitor")
        << fixtureBytes(QStringLiteral("login_redirect.html"))
        << fixtureBytes(QStringLiteral("front_visitor.html")) << false;
    QTest::newRow("a redirect, then the front page of a member")
        << fixtureBytes(QStringLiteral("login_redirect.html"))
        << fixtureBytes(QStringLiteral("front_member.html")) << true;
    QTest::newRow("neither page says: the answer points at the front page (older site)")
        << QByteArray("<script>location.replace('%1/index.php');</script>") << neither << true;
    QTest::newRow("neither page says, and no front page address") << neither << neither << false;
}

void TestCommentWindow::loginIsJudgedByWhoIsLooking() {
    QFETCH(QByteArray, answer);
    QFETCH(QByteArray, frontPage);
    QFETCH(bool, succeeds);
    server->enqueueBody(answer.replace("%1", server->base().toLatin1()),
                        {{"Set-Cookie", "PHPSESSID=x; path=/"}});
    if (!frontPage.isNull())
        server->enqueueBody(frontPage);
    window->txtID->setText(QStringLiteral("김철수"));
    window->txtPW->setText(QStringLiteral("틀린비밀번호"));
    window->cmdLogin_Click();
    QCOMPARE(server->requests.size(), frontPage.isNull() ? 1 : 2);
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].text.startsWith(QStringLiteral("로그인에 성공하였습니다!")), succeeds);
    QCOMPARE(rig->prompter.records[0].text.startsWith(QStringLiteral("로그인에 실패하였습니다.")), !succeeds);
    QCOMPARE(window->FrameGet->isEnabled(), succeeds);
    QCOMPARE(window->cmdLogin->isEnabled(), !succeeds);
}

void TestCommentWindow::failedLoginCanBeTriedAgain() {
    TestHttpServer::Answer refused;
    refused.status = 403;
    refused.body = "<html>login failed</html>";
    server->enqueue(refused);
    window->txtID->setText(QStringLiteral("abc"));
    window->txtPW->setText(QStringLiteral("wrong"));
    window->cmdLogin_Click();
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
    QVERIFY(rig->prompter.records[0].text.startsWith(QStringLiteral("로그인에 실패하였습니다.")));
    QVERIFY(window->cmdLogin->isEnabled());
    QVERIFY(!window->FrameGet->isEnabled());
    loginOk();
}

void TestCommentWindow::unreachableSiteIsReported() {
    TestHttpServer::Answer reset;
    reset.reset = true;
    server->setDefault(reset); // every connection, retries included
    window->txtID->setText(QStringLiteral("abc"));
    window->txtPW->setText(QStringLiteral("pw"));
    window->cmdLogin_Click();
    QCOMPARE(rig->prompter.records.size(), 1);
    QVERIFY(rig->prompter.records[0].text.startsWith(QStringLiteral("뽐뿌 사이트에 접속할 수 없습니다!")));
    QVERIFY(!rig->prompter.records[0].text.contains(QStringLiteral("pw")));
    QVERIFY(window->cmdLogin->isEnabled());

    server->setDefault({});
    loginOk();
    main->drawList().append(QStringLiteral("kept"));
    TestHttpServer::Answer late;
    late.never = true;
    server->enqueue(late);
    window->OptSet[0]->setChecked(true);
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.records.size(), 1);
    QVERIFY(rig->prompter.records[0].text.startsWith(QStringLiteral("뽐뿌 사이트에 접속할 수 없습니다!")));
    QVERIFY(window->cmdGet->isEnabled());
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("kept")});
}

void TestCommentWindow::fetchImportsEveryNewCommenter() {
    loginOk();
    main->drawList().append(QStringLiteral("김철수")); // typed by hand: not added again
    window->txtBoard->setText(QStringLiteral("freeboard"));
    window->txtNum->setText(QStringLiteral("123"));
    window->OptSet[0]->setChecked(true);
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    rig->prompter.no();
    QTest::mouseClick(window->cmdGet, Qt::LeftButton);

    QCOMPARE(server->requests.size(), 1);
    QCOMPARE(server->requests[0].method, QByteArray("GET"));
    QCOMPARE(server->requests[0].target, QByteArray("/zboard/list_comment.php?id=freeboard&no=123"));
    QCOMPARE(rig->prompter.texts(), (QStringList{clearQuestion, importDone}));
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Question);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Notice);
    QCOMPARE(listEntries(main->lstPick),
             (QStringList{QStringLiteral("김철수"), QStringLiteral("홍길동"), QStringLiteral("이미지닉"),
                          QStringLiteral("Abc"), QStringLiteral("abc"), QStringLiteral("본문없음")}));
    QCOMPARE(main->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 6개)"));
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : <7>/<7> 덧글 확인 완료"));
    QCOMPARE(main->lblStatus->text(), QStringLiteral("상태 : 프로그램 실행 완료"));

    // Yes clears the list first
    rig->prompter.reset();
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    rig->prompter.yes();
    window->cmdGet_Click();
    QCOMPARE(main->lstPick->count(), 6);
    QCOMPARE(main->lstPick->item(0)->text(), QStringLiteral("홍길동"));
}

void TestCommentWindow::filterKeepsMatchingComments_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nicknames");
    QTest::newRow("present") << QStringLiteral("응모")
                             << QStringList{QStringLiteral("홍길동"), QStringLiteral("이미지닉"),
                                            QStringLiteral("abc")};
    QTest::newRow("other case") << QStringLiteral("abc") << QStringList{QStringLiteral("abc")};
    QTest::newRow("absent") << QStringLiteral("없는말") << QStringList{};
    QTest::newRow("a space") << QStringLiteral(" ")
                             << QStringList{QStringLiteral("홍길동"), QStringLiteral("이미지닉"),
                                            QStringLiteral("Abc"), QStringLiteral("abc"),
                                            QStringLiteral("김철수")};
}

void TestCommentWindow::filterKeepsMatchingComments() {
    QFETCH(QString, filter);
    QFETCH(QStringList, nicknames);
    loginOk();
    window->OptSet[1]->setChecked(true);
    window->txtCmt1->setText(filter);
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    rig->prompter.no();
    window->cmdGet_Click();
    QCOMPARE(listEntries(main->lstPick), nicknames);
    QCOMPARE(rig->prompter.texts().last(), importDone);
}

void TestCommentWindow::pagesThatStopTheImport() {
    loginOk();
    main->drawList().append(QStringLiteral("kept"));
    window->OptSet[0]->setChecked(true);
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_one_marker.html")));
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{cannotLoad}); // before the options and the question
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("kept")});

    // a cell cut short is found before anything is asked or changed
    rig->prompter.reset();
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_broken_cell.html")));
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{cannotLoad});
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("kept")});
    QCOMPARE(main->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 1개)"));
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 대기중"));
}

// Neither the old comment page nor the post page holds a comment: the user is told so, and
// nothing is asked and nothing changes (the list is not cleared on a page that says nothing).
void TestCommentWindow::emptyPagesChangeNothing() {
    loginOk();
    main->drawList().append(QStringLiteral("x"));
    window->OptSet[0]->setChecked(true);
    for (const QByteArray &postPage :
         {QByteArray(), fixtureBytes(QStringLiteral("comments_none.html")),
          QByteArray("<script>var initialCommentData = "
                     "{\"total_comment\":0,\"total_page\":1,\"comments\":[]};</script>")}) {
        rig->prompter.reset();
        server->enqueueBody(QByteArray());
        server->enqueueBody(postPage);
        window->cmdGet_Click();
        QCOMPARE(rig->prompter.texts(),
                 QStringList{QStringLiteral("덧글을 찾지 못했습니다! 게시글 번호가 정확한지 확인해보세요!")});
        QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
        QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("x")});
        QCOMPARE(main->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 1개)"));
    }
}

void TestCommentWindow::optionsAreCheckedAfterTheFetch() {
    loginOk();
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{QStringLiteral("덧글 가져오기 설정을 선택해주세요!")});
    QCOMPARE(server->requests.size(), 1);

    rig->prompter.reset();
    window->OptSet[1]->setChecked(true);
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(),
             QStringList{QStringLiteral(
                 "덧글 내용에 어떤것이 들어가야 추가할 것인지 세팅값을 정확히 입력해주세요!")});
    QCOMPARE(main->lstPick->count(), 0);
}

void TestCommentWindow::closeLogsOutAndResets() {
    window->close();
    QCOMPARE(server->requests.size(), 1);
    QCOMPARE(server->requests[0].method, QByteArray("GET"));
    QCOMPARE(server->requests[0].target, QByteArray("/zboard/logout.php?&s_url=%2Findex.php"));

    main->mnu_Pcmt->trigger();
    loginOk();
    window->txtNum->setText(QStringLiteral("5"));
    window->OptSet[1]->setChecked(true);
    window->close();
    QCOMPARE(server->requests.size(), 1);
    main->mnu_Pcmt->trigger();
    QCOMPARE(main->commentWindow(), window);
    QVERIFY(window->txtNum->text().isEmpty() && window->txtID->text().isEmpty());
    QVERIFY(!window->OptSet[1]->isChecked());
    QVERIFY(!window->FrameGet->isEnabled() && window->cmdLogin->isEnabled() &&
            window->FrameLogin->isEnabled());
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 대기중"));
}

void TestCommentWindow::closingDuringARequestIsHarmless() {
    loginOk();
    main->drawList().append(QStringLiteral("kept"));
    window->OptSet[0]->setChecked(true);
    TestHttpServer::Answer slow;
    slow.delayMs = 300;
    slow.body = fixtureBytes(QStringLiteral("comments_page.html"));
    server->enqueue(slow);
    QTimer::singleShot(50, window, [this] { window->close(); });
    window->cmdGet_Click();
    QVERIFY(!window->isVisible());
    QVERIFY(rig->prompter.records.isEmpty());
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("kept")});
    QTRY_COMPARE(server->requests.size(), 2);
    QCOMPARE(server->requests[1].target, QByteArray("/zboard/logout.php?&s_url=%2Findex.php"));
    QVERIFY(!window->FrameGet->isEnabled());
}

void TestCommentWindow::closingTheMainWindowClosesThisOne() {
    main->close();
    QVERIFY(!window->isVisible());
    QCOMPARE(server->requests.size(), 1);
    QCOMPARE(server->requests[0].target, QByteArray("/zboard/logout.php?&s_url=%2Findex.php"));
}

void TestCommentWindow::addressHelper() {
    const QString helpQuestion = QStringLiteral("잠깐! 만약 처음 사용하시는 분이시라면 먼저 관련 도움말을 "
                                                "읽어보시는것을 권장합니다. 지금 읽어보시겠습니까?");
    const QString preparation = QStringLiteral("준비단계 : 인터넷 브라우저로 자신이 불러올 게시글에 "
                                               "접속하세요! 준비가 완료되면 확인버튼을 눌러주세요.");
    loginOk();
    // first click of the run: Yes opens the help and nothing else
    rig->prompter.yes();
    window->cmdNumHelp_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{helpQuestion});
    QCOMPARE(rig->desktop.opened.size(), 1);

    // never asked again, not even after a close and a reopen
    window->close();
    main->mnu_Pcmt->trigger();
    loginOk();
    const QString address =
        QStringLiteral("http://") + host() + QStringLiteral("/zboard/view.php?id=freeboard&page=2&no=123");
    rig->prompter.type(address);
    window->cmdNumHelp_Click();
    QCOMPARE(rig->prompter.texts().size(), 2);
    QCOMPARE(rig->prompter.records[0].text, preparation);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Notice);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Input);
    QCOMPARE(rig->prompter.records[1].title, QStringLiteral("Tombolix - 뽐뿌 덧글 가져오기"));
    QCOMPARE(
        rig->prompter.records[1].text,
        QStringLiteral(
            "인터넷 브라우저의 주소창에 있는 주소를 모두 복사하여 이곳에 붙여넣어주세요\r\n(Ex : http://") +
            host() + QStringLiteral("/zboard/view.php?id=freeboard&~~~~~~~~ 끝까지"));
    QCOMPARE(window->txtNum->text(), QStringLiteral("123"));
    QCOMPARE(window->txtBoard->text(), QStringLiteral("freeboard"));

    // refusals
    const QList<QPair<QString, QString>> refusals{
        {QString(), QStringLiteral("정확한 주소를 입력해주세요!")},
        {QStringLiteral("HTTPS://x/?id=a&no=1"), QStringLiteral("정확한 주소를 입력해주세요!")},
        {QStringLiteral("http://x/?id=a"),
         QStringLiteral("주소에서 글번호를 가져올 수 없습니다. 주소를 확인해보시고 다시 시도해주세요!")},
        {QStringLiteral("http://x/?b=a&no=9"),
         QStringLiteral(
             "주소에서 게시판 코드를 가져올 수 없습니다. 주소를 확인해보시고 다시 시도해주세요!")}};
    for (const auto &[typed, alert] : refusals) {
        rig->prompter.reset();
        if (typed.isNull())
            rig->prompter.cancel();
        else
            rig->prompter.type(typed);
        window->cmdNumHelp_Click();
        QCOMPARE(rig->prompter.records.size(), 3);
        QCOMPARE(rig->prompter.records[2].kind, PromptKind::Information);
        QCOMPARE(rig->prompter.records[2].text, alert);
    }
    QCOMPARE(window->txtNum->text(), QStringLiteral("9"));
    QCOMPARE(window->txtBoard->text(), QStringLiteral("freeboard"));
}

// The help page beside the program (the zip, the build tree), or where a package installs it.
void TestCommentWindow::helpLabelOpensTheHelpPage() {
    loginOk();
    QTest::mouseClick(window->lblHelp, Qt::LeftButton);
    QDir program(rig->folder.path());
    QCOMPARE(rig->desktop.opened.value(0), QUrl::fromLocalFile(QDir::cleanPath(program.filePath(
                                               QStringLiteral("../share/tombolix/tombolix_help.html")))));
    QFile beside(program.filePath(QStringLiteral("tombolix_help.html")));
    QVERIFY(beside.open(QIODevice::WriteOnly));
    beside.close();
    QTest::mouseClick(window->lblHelp, Qt::LeftButton);
    QCOMPARE(rig->desktop.opened.value(1), QUrl::fromLocalFile(beside.fileName()));
    QVERIFY(rig->prompter.records.isEmpty());
}

namespace {

// Where the frame's style draws its title, and its top line.
QRect frameTitle(QGroupBox *frame, QStyle::SubControl part) {
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.lineWidth = 1;
    option.textAlignment = frame->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    return frame->style()->subControlRect(QStyle::CC_GroupBox, &option, part, frame);
}

// The colour behind a control, away from its text.
QColor backgroundOf(QWidget *control) {
    const QImage picture = control->grab().toImage();
    return picture.pixelColor(picture.width() - 1, 0);
}

} // namespace

void TestCommentWindow::looksAsLaidOut() {
    // every control answers to its name
    for (int i = 0; i < 4; ++i)
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblText%1").arg(i)), window->lblText[i]);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Label1")), window->Label1);

    // the log-in frame's first row is clear of the frame's title and of its top line
    for (QGroupBox *frame : {window->FrameLogin, window->FrameGet}) {
        const QRect title = frameTitle(frame, QStyle::SC_GroupBoxLabel);
        const QRect box = frameTitle(frame, QStyle::SC_GroupBoxFrame);
        for (QWidget *child : frame->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            QVERIFY2(child->geometry().top() > title.bottom() && child->geometry().top() > box.top(),
                     qPrintable(child->objectName()));
        }
    }

    // labels and option buttons that list colours show the window colour: white
    for (QWidget *control :
         std::initializer_list<QWidget *>{window->OptSet[0], window->OptSet[1], window->lblText[0],
                                          window->lblHelp, main->OptPick[0], main->OptPick[1]})
        QVERIFY2(backgroundOf(control) == QColor(Qt::white), qPrintable(control->objectName()));

    // the longest statuses of a scan and of the pages of a post show whole; a short one keeps
    // the layout's size
    for (const QString &longest : {QStringLiteral("상태 : <10000>/<10000> 덧글 확인 완료"),
                                   QStringLiteral("상태 : 덧글 페이지 <1000>/<1000> 읽는 중")}) {
        window->lblStatus->setText(longest);
        QVERIFY(QFontMetricsF(window->lblStatus->fittedFont()).horizontalAdvance(longest) <=
                window->lblStatus->contentsRect().width());
    }
    window->lblStatus->setText(QStringLiteral("상태 : 대기중"));
    QCOMPARE(window->lblStatus->fittedFont().pointSizeF(), 11.25);

    // the event's rules: each caption whole and clear of its box, the count of the longest list
    // whole, every row inside the frame and above the fetch button
    QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("txtDeadline")), window->txtDeadline);
    QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("txtExclude")), window->txtExclude);
    QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("cmdExcludeList")), window->cmdExcludeList);
    for (const auto &[caption, box] : {QPair<QWidget *, QWidget *>{window->lblExclude, window->txtExclude},
                                       {window->lblDeadline, window->txtDeadline},
                                       {window->cmdExcludeList, window->lblExcludeList}}) {
        QVERIFY2(caption->sizeHint().width() <= caption->width(), qPrintable(caption->objectName()));
        QVERIFY2(caption->geometry().right() < box->geometry().left(), qPrintable(caption->objectName()));
        QVERIFY(box->geometry().bottom() < window->cmdGet->geometry().top());
        QVERIFY(window->FrameGet->contentsRect().contains(box->geometry()));
    }
    window->lblExcludeList->setText(QStringLiteral("제외 목록 : 32767명"));
    QVERIFY(window->lblExcludeList->sizeHint().width() <= window->lblExcludeList->width());
    QVERIFY(window->Label1->geometry().bottom() < window->lblExclude->geometry().top());
    QVERIFY(window->lblStatus->geometry().bottom() < window->FrameGet->height());
    QVERIFY(window->FrameGet->geometry().bottom() < window->height());
}

void TestCommentWindow::todaysPostPagesAreImported_data() {
    QTest::addColumn<QString>("filter"); // null: every comment
    QTest::addColumn<QStringList>("nicknames");
    QTest::addColumn<int>("authorComments");
    const QString ee = QStringLiteral("[ *EE야* ]");
    const QString masked = QStringLiteral("[ ** ]");
    QTest::newRow("every comment") << QString()
                                   << QStringList{ee,
                                                  QStringLiteral("김철수"),
                                                  QStringLiteral("홍길동"),
                                                  QStringLiteral("Tom & Jerry"),
                                                  masked,
                                                  QStringLiteral("황"),
                                                  masked + QStringLiteral(" (2)"),
                                                  QStringLiteral("이영희"),
                                                  QStringLiteral("박지성"),
                                                  ee + QStringLiteral(" (2)")}
                                   << 2;
    QTest::newRow("comments holding 응모") << QStringLiteral("응모")
                                           << QStringList{ee,
                                                          QStringLiteral("김철수"),
                                                          QStringLiteral("홍길동"),
                                                          QStringLiteral("Tom & Jerry"),
                                                          masked,
                                                          QStringLiteral("황"),
                                                          masked + QStringLiteral(" (2)"),
                                                          QStringLiteral("이영희"),
                                                          ee + QStringLiteral(" (2)")}
                                           << 0;
    QTest::newRow("a text inside a reference")
        << QStringLiteral("& 참여") << QStringList{QStringLiteral("홍길동")} << 0;
}

// The old comment page holds no cell; the post page holds the comments, over three pages, and
// the post's own address answers with the last of them, as the site does today. Every member
// comes in once, in page order, without the post's author.
void TestCommentWindow::todaysPostPagesAreImported() {
    QFETCH(QString, filter);
    QFETCH(QStringList, nicknames);
    QFETCH(int, authorComments);
    loginOk();
    window->txtBoard->setText(QStringLiteral("pmarket"));
    window->txtNum->setText(QStringLiteral("303721"));
    QTest::mouseClick(window->OptSet[filter.isNull() ? 0 : 1], Qt::LeftButton);
    window->txtCmt1->setText(filter); // QTest types ASCII only
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_none.html")));
    for (int page : {3, 1, 2})
        server->enqueueBody(fixtureBytes(QStringLiteral("post_page%1.html").arg(page)));
    rig->prompter.no();
    QTest::mouseClick(window->cmdGet, Qt::LeftButton);

    QCOMPARE(server->requests.size(), 4);
    QCOMPARE(server->requests[1].target, QByteArray("/zboard/view.php?id=pmarket&no=303721"));
    QCOMPARE(server->requests[2].target, QByteArray("/zboard/view.php?id=pmarket&no=303721&c_page=1"));
    QCOMPARE(server->requests[3].target, QByteArray("/zboard/view.php?id=pmarket&no=303721&c_page=2"));
    const QString closing =
        authorComments == 0
            ? importDone
            : importDone + QStringLiteral("\r\n글쓴이의 덧글 %1개는 넣지 않았습니다.").arg(authorComments);
    QCOMPARE(rig->prompter.texts(), (QStringList{clearQuestion, closing}));
    QCOMPARE(listEntries(main->lstPick), nicknames);
    QCOMPARE(main->lblList->text(), DrawList::countText(int(nicknames.size())));
    // the count runs over the 15 comments of the three pages, replies included
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : <15>/<15> 덧글 확인 완료"));
}

// A site that answers every comment page with the one it chose: the import stops, says why,
// and changes nothing.
void TestCommentWindow::aSiteThatIgnoresTheCommentPageChangesNothing() {
    loginOk();
    main->drawList().append(QStringLiteral("홍길동"));
    window->OptSet[0]->setChecked(true);
    server->route("/zboard/list_comment.php", {});
    server->route("/zboard/view.php", {200, {}, fixtureBytes(QStringLiteral("post_page3.html"))});
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{cannotLoad});
    QCOMPARE(server->requests.size(), 3);
    QCOMPARE(server->requests[2].target, QByteArray("/zboard/view.php?id=&no=&c_page=1"));
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("홍길동")});
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 대기중"));
}

// Fewer comments read than the site counts: asked before anything changes; No changes nothing.
void TestCommentWindow::aCountThatDisagreesIsAsked() {
    loginOk();
    main->drawList().append(QStringLiteral("kept"));
    window->OptSet[0]->setChecked(true);
    QByteArray last = fixtureBytes(QStringLiteral("post_page3.html"));
    last.replace("\"total_comment\":15", "\"total_comment\":124");
    const QString question =
        QStringLiteral("사이트에 표시된 덧글은 124개인데 15개를 읽었습니다. 그래도 진행하시겠습니까?");
    for (bool goOn : {false, true}) {
        rig->prompter.reset();
        server->enqueueBody(QByteArray());
        server->enqueueBody(last);
        server->enqueueBody(fixtureBytes(QStringLiteral("post_page1.html")));
        server->enqueueBody(fixtureBytes(QStringLiteral("post_page2.html")));
        if (goOn) {
            rig->prompter.yes();
            rig->prompter.no(); // keep the list
        } else {
            rig->prompter.no();
        }
        window->cmdGet_Click();
        QCOMPARE(rig->prompter.records[0].kind, PromptKind::Question);
        QCOMPARE(rig->prompter.records[0].text, question);
        QCOMPARE(main->lstPick->count(), goOn ? 11 : 1);
        QCOMPARE(rig->prompter.records.size(), goOn ? 3 : 1);
        // the record says so too
        QCOMPARE(main->drawList().importRules().contains(
                     QStringLiteral("읽은 덧글 : 15개 (사이트에 표시된 수 124개)")),
                 goOn);
    }
}

void TestCommentWindow::aLaterPageThatCannotBeReadChangesNothing() {
    loginOk();
    main->drawList().append(QStringLiteral("홍길동"));
    window->OptSet[0]->setChecked(true);
    server->enqueueBody(QByteArray());
    server->enqueueBody(fixtureBytes(QStringLiteral("post_page1.html")));
    server->enqueueBody(QByteArray("<html>점검 중입니다</html>"));
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{cannotLoad});
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("홍길동")});
}

void TestCommentWindow::writersWithoutANameAreNamedByNumber_data() {
    QTest::addColumn<QString>("filter"); // null: every comment
    QTest::addColumn<QStringList>("nicknames");
    QTest::addColumn<QString>("closing");
    const QString author = QStringLiteral("\r\n글쓴이의 덧글 1개는 넣지 않았습니다.");
    const QString image = QStringLiteral("이름 없는 회원 (덧글 5103002)");
    const QString bare = QStringLiteral("이름 없는 회원 (덧글 5103011)");
    const QString named =
        QStringLiteral("\r\n이름이 보이지 않는 회원 2명은 덧글 번호로 이름을 붙여 넣었습니다. (") + image +
        QStringLiteral(" 등)");
    const QStringList everyone{QStringLiteral("최민수"), image, QStringLiteral("정소연"),
                               QStringLiteral("황"),     bare,  QStringLiteral("[ ** ]"),
                               QStringLiteral("김철수")};
    QTest::newRow("every comment") << QString() << everyone << importDone + author + named;
    // "응모" is in both nameless members' first comments; the author's text does not hold it
    QTest::newRow("comments holding 응모") << QStringLiteral("응모") << everyone << importDone + named;
    // the image's second comment alone: its number names the member
    QTest::newRow("comments holding 한 번")
        << QStringLiteral("한 번") << QStringList{QStringLiteral("이름 없는 회원 (덧글 5103020)")}
        << importDone +
               QStringLiteral(
                   "\r\n이름이 보이지 않는 회원 1명은 덧글 번호로 이름을 붙여 넣었습니다. (이름 없는 회원 "
                   "(덧글 5103020))");
    QTest::newRow("comments holding 마감") << QStringLiteral("마감") << QStringList{} << importDone + author;
}

// A post of four pages whose writers include a nickname drawn as an image alone and one of
// mark-up alone: each of them has an entry of their own, named by their first comment's
// number, so that they stay in the draw and can find themselves.
void TestCommentWindow::writersWithoutANameAreNamedByNumber() {
    QFETCH(QString, filter);
    QFETCH(QStringList, nicknames);
    QFETCH(QString, closing);
    loginOk();
    window->OptSet[filter.isNull() ? 0 : 1]->setChecked(true);
    window->txtCmt1->setText(filter);
    server->enqueueBody(QByteArray());
    for (int page : {4, 1, 2, 3})
        server->enqueueBody(
            fixtureBytes(QStringLiteral("long_page") + QString::number(page) + QStringLiteral(".html")));
    rig->prompter.no();
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(), (QStringList{clearQuestion, closing}));
    QCOMPARE(rig->prompter.records.last().kind, PromptKind::Notice);
    QCOMPARE(listEntries(main->lstPick), nicknames);
    // every comment was read: the count agrees with the site's, nameless ones included
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : <10>/<10> 덧글 확인 완료"));
}

// The old comment page's nickname drawn as an image without its alternative text: no name.
void TestCommentWindow::anOldCellWithoutANameIsCounted() {
    loginOk();
    window->OptSet[0]->setChecked(true);
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")).replace("alt='", "title='"));
    rig->prompter.no();
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(),
             (QStringList{clearQuestion,
                          importDone +
                              QStringLiteral("\r\n작성자 이름을 읽을 수 없는 덧글 1개는 넣지 않았습니다.")}));
    QCOMPARE(listEntries(main->lstPick),
             (QStringList{QStringLiteral("홍길동"), QStringLiteral("Abc"), QStringLiteral("abc"),
                          QStringLiteral("김철수"), QStringLiteral("본문없음")}));
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : <7>/<7> 덧글 확인 완료"));
}

void TestCommentWindow::addressHelperTakesTodaysAddresses() {
    loginOk();
    rig->prompter.no(); // the first use's offer of the help page
    rig->prompter.type(QStringLiteral("https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&no=303717"));
    window->cmdNumHelp_Click();
    QCOMPARE(window->txtBoard->text(), QStringLiteral("pmarket"));
    QCOMPARE(window->txtNum->text(), QStringLiteral("303717"));
    // the example line shows the site's address as it is
    QCOMPARE(rig->prompter.records.last().text.split(QStringLiteral("\r\n")).value(1),
             QStringLiteral("(Ex : ") + server->base() +
                 QStringLiteral("/zboard/view.php?id=freeboard&~~~~~~~~ 끝까지"));

    rig->prompter.type(QStringLiteral("https://m.ppomppu.co.kr/new/bbs_view.php?id=freeboard&no=9876543"));
    window->cmdNumHelp_Click();
    QCOMPARE(window->txtBoard->text(), QStringLiteral("freeboard"));
    QCOMPARE(window->txtNum->text(), QStringLiteral("9876543"));
}

// A log-in and a fetch over TLS, the test's certificate trusted by the site's request object
// alone; without that trust the same server is refused.
void TestCommentWindow::loginAndFetchOverHttps() {
    TestHttpServer secure(TestHttpServer::Scheme::Https);
    Rig tls;
    tls.endpoints.siteBase = secure.base();
    tls.endpoints.extraTrust = {TestHttpServer::trustedCertificate()};
    frmMain other(tls.services());
    other.mnu_Pcmt->trigger();
    frmPcmnt *comments = other.commentWindow();
    comments->setLimits({5000, 5000, 500});
    secure.enqueueBody(fixtureBytes(QStringLiteral("front_member.html")),
                       {{"Set-Cookie", "PHPSESSID=tls; path=/; secure"}});
    comments->txtID->setText(QStringLiteral("김철수"));
    comments->txtPW->setText(QStringLiteral("비밀&번호"));
    comments->cmdLogin_Click();
    if (secure.tlsFailures > 0 && secure.requests.isEmpty())
        QSKIP("this platform's TLS cannot serve the test's certificate (Wine's Schannel cannot)");
    QCOMPARE(tls.prompter.texts(), QStringList{QStringLiteral("로그인에 성공하였습니다!")});
    QCOMPARE(secure.requests.size(), 1);
    QVERIFY(secure.requests[0].body.contains("&password=%BA%F1%B9%D0%26%B9%F8%C8%A3&"));

    comments->OptSet[0]->setChecked(true);
    secure.enqueueBody(QByteArray());
    for (int page : {3, 1, 2})
        secure.enqueueBody(fixtureBytes(QStringLiteral("post_page%1.html").arg(page)));
    tls.prompter.no();
    comments->cmdGet_Click();
    QCOMPARE(other.lstPick->count(), 10);
    QCOMPARE(secure.requests[2].header("Cookie"), QByteArray("PHPSESSID=tls"));

    // the certificate is not trusted anywhere else: the same server, another request object
    Rig plain;
    plain.endpoints.siteBase = secure.base();
    frmMain untrusting(plain.services());
    untrusting.mnu_Pcmt->trigger();
    untrusting.commentWindow()->setLimits({5000, 5000, 500});
    untrusting.commentWindow()->txtID->setText(QStringLiteral("id"));
    untrusting.commentWindow()->txtPW->setText(QStringLiteral("pw"));
    untrusting.commentWindow()->cmdLogin_Click();
    QCOMPARE(plain.prompter.records.size(), 1);
    QVERIFY2(plain.prompter.records[0].text.endsWith(QStringLiteral("보안 연결(TLS)을 맺을 수 없습니다.")),
             qPrintable(plain.prompter.records[0].text));
}

void TestCommentWindow::serveTheEvent(const QList<QPair<QByteArray, QByteArray>> &patches, bool dated) {
    server->enqueueBody(QByteArray()); // the old comment page holds no cell
    for (int page : {3, 1, 2}) {
        QByteArray bytes = fixtureBytes(QStringLiteral("event_page%1.html").arg(page));
        for (const auto &[from, to] : patches)
            bytes.replace(from, to);
        TestHttpServer::Answer answer;
        answer.body = bytes;
        if (dated)
            answer.headers = {{"Date", "Fri, 28 Aug 2026 01:05:00 GMT"}};
        server->enqueue(answer);
    }
}

QString TestCommentWindow::listFile(const QString &name, const QStringList &entries) {
    const QString path = rig->folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toCp949(buildListText(entries) + crlf()).bytes) < 0)
        QTest::qFail("the list file could not be written", __FILE__, __LINE__);
    return path;
}

namespace {

const QString kki = QStringLiteral("[ *끼* ]");
const QString imageOnly = QStringLiteral("이름 없는 회원 (덧글 5102704)");
const QString filler = QStringLiteral("이름 없는 회원 (덧글 5102705)");
const QString lee2 = QStringLiteral("이영희\u200B (2)"); // a zero-width space after 이영희
const QString named2 = QStringLiteral("이름이 보이지 않는 회원 2명은 덧글 번호로 이름을 붙여 넣었습니다. (") +
                       imageOnly + QStringLiteral(" 등)");
const QString author1 = QStringLiteral("글쓴이의 덧글 1개는 넣지 않았습니다.");
const QString late5 = QStringLiteral("마감 시각 뒤에 쓴 덧글 5개는 넣지 않았습니다.");
const QString quiz1 = QStringLiteral("제외할 덧글 내용이 든 덧글 1개는 넣지 않았습니다.");
const QString deadlineRefused = QStringLiteral("마감 시각을 적용할 수 없어 리스트를 바꾸지 않았습니다.\r\n");

} // namespace

void TestCommentWindow::theEventsRules_data() {
    QTest::addColumn<QString>("deadline");
    QTest::addColumn<QString>("exclude");
    QTest::addColumn<QStringList>("excludedNames"); // the exclusion list; none: not loaded
    QTest::addColumn<QByteArray>("patchFrom");
    QTest::addColumn<QByteArray>("patchTo");
    QTest::addColumn<QStringList>("nicknames");
    QTest::addColumn<QStringList>("closing"); // its lines after the first
    QTest::addColumn<QStringList>("record");  // the rules the list keeps, after the post's address
    const QStringList everyone{kki,
                               QStringLiteral("김철수"),
                               QStringLiteral("뽐뿌&왕"),
                               imageOnly,
                               filler,
                               QStringLiteral("이영희"),
                               lee2,
                               QStringLiteral("홍길동"),
                               QStringLiteral("황"),
                               QStringLiteral("박지성"),
                               kki + QStringLiteral(" (2)"),
                               QStringLiteral("최민수")};
    const QStringList byTheDeadline = everyone.mid(0, 9);
    const QString all = QStringLiteral("덧글 : 모든 덧글");
    const QString read = QStringLiteral("읽은 덧글 : 15개");
    const QString byNumber = QStringLiteral("이름 없는 회원 : 2명 (덧글 번호로 이름 붙임)");
    const QString deadline = QStringLiteral("마감 시각 : 2026-08-28 09:38 (한국 시간)");
    QTest::newRow("no rule") << QString() << QString() << QStringList{} << QByteArray() << QByteArray()
                             << everyone << QStringList{author1, named2}
                             << QStringList{all, read, QStringLiteral("넣지 않은 덧글 : 글쓴이 1개"),
                                            byNumber};
    // 09:38:00 is in, 09:38:01 out; 10:12:03 at an answer of 10:05 is of the day before
    QTest::newRow("the deadline") << QStringLiteral("2026/08/28 09:38") << QString() << QStringList{}
                                  << QByteArray() << QByteArray() << byTheDeadline
                                  << QStringList{author1, late5, named2}
                                  << QStringList{deadline, all, read,
                                                 QStringLiteral("넣지 않은 덧글 : 글쓴이 1개, 마감 뒤 5개"),
                                                 byNumber};
    QTest::newRow("a time of no year, placed by the numbers around it")
        << QStringLiteral("2026-08-28 09:38") << QString() << QStringList{} << QByteArray("\"23:50:00\"")
        << QByteArray("\"08-27 23:50\"") << byTheDeadline << QStringList{author1, late5, named2}
        << QStringList{deadline, all, read, QStringLiteral("넣지 않은 덧글 : 글쓴이 1개, 마감 뒤 5개"),
                       byNumber};
    QTest::newRow("a deadline still ahead")
        << QStringLiteral("2026-08-29 09:38") << QString() << QStringList{} << QByteArray() << QByteArray()
        << everyone << QStringList{author1, named2}
        << QStringList{QStringLiteral("마감 시각 : 2026-08-29 09:38 (한국 시간)"), all, read,
                       QStringLiteral("넣지 않은 덧글 : 글쓴이 1개, 마감 뒤 0개"), byNumber};
    // the quiz's answer leaves out its comment; its writer's later comment counts
    QStringList quizzed = everyone;
    quizzed.move(1, quizzed.size() - 1);
    QTest::newRow("the quiz's answer")
        << QString() << QStringLiteral("정답") << QStringList{} << QByteArray() << QByteArray() << quizzed
        << QStringList{author1, quiz1, named2}
        << QStringList{all, QStringLiteral("제외할 덧글 내용 : 정답"), read,
                       QStringLiteral("넣지 않은 덧글 : 글쓴이 1개, 제외 내용 1개"), byNumber};
    // names on the list by how they read: "이영희 " is 이영희, and the first of the two shown as
    // [ *끼* ] is the one the name stands for
    QStringList listed = everyone;
    listed.removeAll(kki);
    listed.removeAll(QStringLiteral("이영희"));
    QTest::newRow("the exclusion list")
        << QString() << QString() << QStringList{kki, QStringLiteral("이영희 "), QStringLiteral("박찬호")}
        << QByteArray() << QByteArray() << listed
        << QStringList{author1, QStringLiteral("제외 목록에 있는 2명은 넣지 않았습니다."), named2}
        << QStringList{all, QStringLiteral("제외 목록 : 3명"), read,
                       QStringLiteral("넣지 않은 덧글 : 글쓴이 1개, 제외 목록 2명"), byNumber};
    QTest::newRow("every rule")
        << QStringLiteral("2026-08-28 09:38") << QStringLiteral("정답")
        << QStringList{QStringLiteral("황"), QStringLiteral("이영희"), QStringLiteral("최민수")}
        << QByteArray() << QByteArray()
        << QStringList{kki, QStringLiteral("뽐뿌&왕"), imageOnly, filler, lee2, QStringLiteral("홍길동")}
        << QStringList{author1, late5, quiz1, QStringLiteral("제외 목록에 있는 2명은 넣지 않았습니다."),
                       named2}
        << QStringList{deadline,
                       all,
                       QStringLiteral("제외할 덧글 내용 : 정답"),
                       QStringLiteral("제외 목록 : 3명"),
                       read,
                       QStringLiteral("넣지 않은 덧글 : 글쓴이 1개, 마감 뒤 5개, 제외 내용 "
                                      "1개, 제외 목록 2명"),
                       byNumber};
}

// An event's post of three pages written around its deadline, through the real window: the
// deadline, the quiz's answer and the exclusion list each leave out whom they should, the
// closing message counts each, and the list keeps the rules it was made with.
void TestCommentWindow::theEventsRules() {
    QFETCH(QString, deadline);
    QFETCH(QString, exclude);
    QFETCH(QStringList, excludedNames);
    QFETCH(QByteArray, patchFrom);
    QFETCH(QByteArray, patchTo);
    QFETCH(QStringList, nicknames);
    QFETCH(QStringList, closing);
    QFETCH(QStringList, record);
    loginOk();
    window->txtBoard->setText(QStringLiteral("pmarket"));
    window->txtNum->setText(QStringLiteral("303723"));
    QTest::mouseClick(window->OptSet[0], Qt::LeftButton);
    window->txtDeadline->setText(deadline);
    window->txtExclude->setText(exclude);
    if (!excludedNames.isEmpty()) {
        rig->prompter.chooseFile(listFile(QStringLiteral("제외.txt"), excludedNames));
        QTest::mouseClick(window->cmdExcludeList, Qt::LeftButton);
        QCOMPARE(window->lblExcludeList->text(), QStringLiteral("제외 목록 : ") +
                                                     QString::number(excludedNames.size()) +
                                                     QStringLiteral("명"));
        rig->prompter.reset();
    }
    main->drawList().append(QStringLiteral("지울 항목"));
    serveTheEvent(patchFrom.isEmpty() ? QList<QPair<QByteArray, QByteArray>>{}
                                      : QList<QPair<QByteArray, QByteArray>>{{patchFrom, patchTo}});
    rig->prompter.yes(); // clear the list first
    QTest::mouseClick(window->cmdGet, Qt::LeftButton);

    QCOMPARE(server->requests.size(), 4);
    QCOMPARE(rig->prompter.texts(),
             (QStringList{clearQuestion, (QStringList{importDone} + closing).join(crlf())}));
    QCOMPARE(listEntries(main->lstPick), nicknames);
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : <15>/<15> 덧글 확인 완료"));
    QCOMPARE(main->drawList().importRules(),
             QStringList{QStringLiteral("게시글 : ") + server->base() +
                         QStringLiteral("/zboard/view.php?id=pmarket&no=303723")} +
                 record);
}

void TestCommentWindow::aDeadlineThatCannotBeAppliedChangesNothing_data() {
    QTest::addColumn<bool>("dated");
    QTest::addColumn<QByteArray>("patchFrom");
    QTest::addColumn<QByteArray>("patchTo");
    QTest::addColumn<QString>("message");
    const QString orderToo = QStringLiteral(" 덧글 번호의 순서로도 정할 수 없습니다.");
    QTest::newRow("answers without a Date")
        << false << QByteArray() << QByteArray()
        << deadlineRefused +
               QStringLiteral(
                   "덧글 5102700 ([ *끼* ])에 표시된 시각 \"10:12:03\" : 사이트의 응답에 날짜(Date 헤더)가 "
                   "없어 어느 날의 시각인지 알 수 없습니다.") +
               orderToo;
    // between a comment of 05:00 and one of 09:40:12, nothing places it
    QTest::newRow("a form the program does not know, right at the deadline")
        << true << QByteArray("\"09:38:01\"") << QByteArray("\"08-28 09:38\"")
        << deadlineRefused +
               QStringLiteral("덧글 5102721 (박지성)에 표시된 시각 \"08-28 09:38\" : 이 프로그램이 읽을 수 "
                              "없는 형식입니다.") +
               orderToo;
    QTest::newRow("the deadline's own day without its time")
        << true << QByteArray("\"09:38:01\"") << QByteArray("\"2026-08-28\"")
        << deadlineRefused +
               QStringLiteral("덧글 5102721 (박지성)에 표시된 시각 \"2026-08-28\" : 날짜만 있고 시각이 없어, "
                              "마감 시각과 "
                              "같은 날에 쓴 덧글이 마감 전인지 알 수 없습니다.") +
               orderToo;
}

// A deadline the import cannot be sure of for a comment: it says which comment and what it
// showed, before anything is asked, and the list stays as it was.
void TestCommentWindow::aDeadlineThatCannotBeAppliedChangesNothing() {
    QFETCH(bool, dated);
    QFETCH(QByteArray, patchFrom);
    QFETCH(QByteArray, patchTo);
    QFETCH(QString, message);
    loginOk();
    main->drawList().append(QStringLiteral("kept"));
    window->OptSet[0]->setChecked(true);
    window->txtDeadline->setText(QStringLiteral("2026-08-28 09:38"));
    serveTheEvent(patchFrom.isEmpty() ? QList<QPair<QByteArray, QByteArray>>{}
                                      : QList<QPair<QByteArray, QByteArray>>{{patchFrom, patchTo}},
                  dated);
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{message});
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("kept")});
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 대기중"));
    QVERIFY(main->drawList().importRules().isEmpty());
    QVERIFY(window->cmdGet->isEnabled() && window->cmdExcludeList->isEnabled());
}

void TestCommentWindow::anExclusionListIsLoadedAndLetGo() {
    loginOk();
    QCOMPARE(window->lblExcludeList->text(), QStringLiteral("제외 목록 없음"));
    // names that read the same are one person
    rig->prompter.chooseFile(
        listFile(QStringLiteral("당첨자.txt"), {QStringLiteral("김철수"), QStringLiteral("김철수 "),
                                                QStringLiteral("홍길동"), QStringLiteral("\u3164")}));
    QTest::mouseClick(window->cmdExcludeList, Qt::LeftButton);
    QCOMPARE(window->lblExcludeList->text(), QStringLiteral("제외 목록 : 2명"));
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::OpenFile);
    QCOMPARE(rig->prompter.records[0].initialText, rig->folder.path()); // where list files are kept

    // a file that is no list file, or holds no name: said, and the loaded list stays
    const QString notAList = rig->folder.filePath(QStringLiteral("아님.txt"));
    QFile other(notAList);
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("just some text\r\n");
    other.close();
    for (const auto &[path, warning] :
         {QPair<QString, QString>{notAList,
                                  QStringLiteral("선택하신 파일이 데이터파일이 아니거나 손상되었습니다!")},
          {rig->folder.filePath(QStringLiteral("없음.txt")),
           QStringLiteral("선택하신 파일이 없거나 손상되었습니다!")},
          {listFile(QStringLiteral("빈.txt"), {}), QStringLiteral("선택하신 파일에 이름이 없습니다!")}}) {
        rig->prompter.reset();
        rig->prompter.chooseFile(path);
        window->cmdExcludeList_Click();
        QCOMPARE(rig->prompter.texts().value(1), warning);
        QCOMPARE(rig->prompter.records[1].kind, PromptKind::Warning);
        QCOMPARE(window->lblExcludeList->text(), QStringLiteral("제외 목록 : 2명"));
    }

    // the dialog cancelled: the loaded list may be let go
    for (bool letGo : {false, true}) {
        rig->prompter.reset();
        rig->prompter.chooseFile(QString());
        if (letGo)
            rig->prompter.yes();
        else
            rig->prompter.no();
        window->cmdExcludeList_Click();
        QCOMPARE(rig->prompter.texts().value(1), QStringLiteral("불러온 제외 목록(2명)을 비우시겠습니까?"));
        QCOMPARE(window->lblExcludeList->text(),
                 letGo ? QStringLiteral("제외 목록 없음") : QStringLiteral("제외 목록 : 2명"));
    }
    rig->prompter.reset();
    rig->prompter.chooseFile(QString());
    window->cmdExcludeList_Click(); // nothing loaded: nothing asked
    QCOMPARE(rig->prompter.records.size(), 1);

    // a close lets go of every rule
    rig->prompter.chooseFile(listFile(QStringLiteral("당첨자.txt"), {QStringLiteral("김철수")}));
    window->cmdExcludeList_Click();
    window->txtDeadline->setText(QStringLiteral("2026-08-28 09:38"));
    window->txtExclude->setText(QStringLiteral("정답"));
    window->close();
    main->mnu_Pcmt->trigger();
    QCOMPARE(window->lblExcludeList->text(), QStringLiteral("제외 목록 없음"));
    QVERIFY(window->txtDeadline->text().isEmpty() && window->txtExclude->text().isEmpty());

    // a deadline that cannot be read is said before any page is asked for; the old comment
    // page, which shows no times, cannot take one
    loginOk();
    window->OptSet[0]->setChecked(true);
    window->txtDeadline->setText(QStringLiteral("2026-08-28"));
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(),
             QStringList{QStringLiteral("마감 시각을 한국 시간으로 \"2026-08-28 09:38\"처럼 "
                                        "입력해주세요! 마감이 없으면 비워 두세요.")});
    QVERIFY(server->requests.isEmpty());
    rig->prompter.reset();
    main->drawList().append(QStringLiteral("kept"));
    window->txtDeadline->setText(QStringLiteral("2026-08-28 09:38"));
    server->enqueueBody(fixtureBytes(QStringLiteral("comments_page.html")));
    window->cmdGet_Click();
    QCOMPARE(rig->prompter.texts(),
             QStringList{QStringLiteral("이 게시글의 덧글 페이지에는 덧글을 쓴 시각이 없어 마감 "
                                        "시각을 적용할 수 없습니다. 리스트를 바꾸지 않았습니다.")});
    QCOMPARE(listEntries(main->lstPick), QStringList{QStringLiteral("kept")});
}

// What the list was made with holds for that list alone: any other change, an import into a
// list that held entries, or the exclusion list applied later, shows in it.
void TestCommentWindow::theListKeepsTheRulesItWasMadeWith() {
    loginOk();
    window->txtBoard->setText(QStringLiteral("pmarket"));
    window->txtNum->setText(QStringLiteral("303723"));
    window->OptSet[1]->setChecked(true);
    window->txtCmt1->setText(QStringLiteral("응모"));
    const QString post = QStringLiteral("게시글 : ") + server->base() +
                         QStringLiteral("/zboard/view.php?id=pmarket&no=303723");
    auto import = [this](bool clear) {
        rig->prompter.reset();
        serveTheEvent();
        if (clear)
            rig->prompter.yes();
        else
            rig->prompter.no();
        window->cmdGet_Click();
    };
    import(true);
    const QStringList made = main->drawList().importRules();
    QCOMPARE(made.value(0), post);
    QCOMPARE(made.value(1), QStringLiteral("덧글 내용에 포함 : 응모"));
    main->drawList().append(QStringLiteral("손으로 넣은 항목"));
    QVERIFY(main->drawList().importRules().isEmpty());

    // added below a list that held entries: it says how many
    const int held = main->lstPick->count();
    import(false);
    QCOMPARE(main->drawList().importRules().value(1), made.value(1));
    QCOMPARE(main->drawList().importRules().last(),
             QStringLiteral("가져오기 전부터 있던 항목 : ") + QString::number(held) + QStringLiteral("개"));
    main->drawList().clear();
    QVERIFY(main->drawList().importRules().isEmpty());

    // the exclusion list applied to the list afterwards is one more rule of it
    import(true);
    rig->prompter.reset();
    rig->prompter.chooseFile(
        listFile(QStringLiteral("스태프.txt"), {QStringLiteral("황"), QStringLiteral("박찬호")}));
    rig->prompter.yes();
    main->mnu_Exclude->trigger();
    QCOMPARE(main->drawList().importRules().mid(0, made.size()), made);
    QCOMPARE(main->drawList().importRules().last(),
             QStringLiteral("나중에 적용한 제외 목록 : 2명 (항목 1개 삭제)"));
    QVERIFY(!listEntries(main->lstPick).contains(QStringLiteral("황")));

    // a file loaded into it, or an entry taken out by hand: the rules no longer say how it was made
    rig->prompter.reset();
    rig->prompter.chooseFile(listFile(QStringLiteral("더.txt"), {QStringLiteral("박찬호")}));
    main->mnu_Load->trigger();
    QVERIFY(main->drawList().importRules().isEmpty());
    import(true);
    QVERIFY(!main->drawList().importRules().isEmpty());
    main->lstPick->setCurrentRow(0);
    rig->prompter.reset();
    rig->prompter.yes();
    main->cmdDel_Click();
    QVERIFY(main->drawList().importRules().isEmpty());

    // entries of the list that the exclusion list names are said, not removed, when the list is
    // kept; a full list says whom it could not take, in the message and in the record
    main->drawList().clear();
    for (int i = 0; i < 32765; ++i)
        main->drawList().append(i == 0 ? QStringLiteral("황 ")
                                       : QStringLiteral("참가자 ") + QString::number(i));
    rig->prompter.reset();
    rig->prompter.chooseFile(listFile(QStringLiteral("스태프.txt"), {QStringLiteral("황")}));
    window->cmdExcludeList_Click();
    window->OptSet[0]->setChecked(true);
    import(false);
    QCOMPARE(rig->prompter.records.last().kind, PromptKind::Information);
    QCOMPARE(
        rig->prompter.records.last().text,
        QStringList(
            {QStringLiteral("리스트에는 항목을 32767개까지만 넣을 수 있어, 덧글 작성자 중 9명은 추가하지 "
                            "못했습니다."),
             author1, QStringLiteral("제외 목록에 있는 1명은 넣지 않았습니다."),
             QStringLiteral("리스트에 전부터 있던 항목 1개가 제외 목록과 같아 보입니다. 리스트 기능의 "
                            "\"제외 목록 적용…\"으로 지울 수 있습니다.")})
            .join(crlf()));
    QCOMPARE(main->lstPick->count(), 32767);
    const QStringList full = main->drawList().importRules();
    QVERIFY(full.contains(QStringLiteral("넣지 않은 덧글 : 글쓴이 1개, 제외 목록 1명")));
    QVERIFY(!full.contains(QStringLiteral("이름 없는 회원 : 2명 (덧글 번호로 이름 붙임)"))); // neither got in
    QCOMPARE(full.mid(full.size() - 2), (QStringList{QStringLiteral("리스트가 가득 차 넣지 못한 사람 : 9명"),
                                                     QStringLiteral("가져오기 전부터 있던 항목 : 32765개")}));
}

QTEST_MAIN(TestCommentWindow)
#include "test_commentwindow.moc"
