// The comment import window against a real HTTP server on 127.0.0.1.
#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "common/DrawList.h"
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
    void writersWithoutANameAreCounted_data();
    void writersWithoutANameAreCounted();
    void anOldCellWithoutANameIsCounted();
    void addressHelperTakesTodaysAddresses();
    void loginAndFetchOverHttps();

private:
    void loginOk() { site->loginOk(); }
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
    QCOMPARE(window->size(), QSize(289, 313));
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

void TestCommentWindow::writersWithoutANameAreCounted_data() {
    QTest::addColumn<QString>("filter"); // null: every comment
    QTest::addColumn<QStringList>("nicknames");
    QTest::addColumn<QString>("closing");
    const QString author = QStringLiteral("\r\n글쓴이의 덧글 1개는 넣지 않았습니다.");
    QTest::newRow("every comment")
        << QString()
        << QStringList{QStringLiteral("최민수"), QStringLiteral("정소연"), QStringLiteral("황"),
                       QStringLiteral("[ ** ]"), QStringLiteral("김철수")}
        << importDone + author + QStringLiteral("\r\n작성자 이름을 읽을 수 없는 덧글 3개는 넣지 않았습니다.");
    // "응모" is in one of the nameless comments; the author's text does not hold it
    QTest::newRow("comments holding 응모")
        << QStringLiteral("응모")
        << QStringList{QStringLiteral("최민수"), QStringLiteral("정소연"), QStringLiteral("황"),
                       QStringLiteral("[ ** ]"), QStringLiteral("김철수")}
        << importDone + QStringLiteral("\r\n작성자 이름을 읽을 수 없는 덧글 2개는 넣지 않았습니다.");
    QTest::newRow("comments holding 한 번")
        << QStringLiteral("한 번") << QStringList{}
        << importDone + QStringLiteral("\r\n작성자 이름을 읽을 수 없는 덧글 "
                                       "1개는 넣지 않았습니다.");
    QTest::newRow("comments holding 마감") << QStringLiteral("마감") << QStringList{} << importDone + author;
}

// A post of four pages whose writers include a nickname drawn as an image alone and one of
// mark-up alone: the site counts their comments, so the import says how many it left out.
void TestCommentWindow::writersWithoutANameAreCounted() {
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

QTEST_MAIN(TestCommentWindow)
#include "test_commentwindow.moc"
