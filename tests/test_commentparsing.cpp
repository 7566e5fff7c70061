// The plain functions of the comment import: splitting, the comment page, the post address
// and the log-in form.
#include "core/CommentPage.h"
#include "core/CommentTime.h"
#include "core/Cp949.h"
#include "core/Entrants.h"
#include "core/PostAddress.h"
#include "core/PostComments.h"
#include "core/Site.h"
#include "core/Split.h"
#include "core/Text.h"
#include "tests/support/Fakes.h"

#include <QDateTime>
#include <QFile>
#include <QTest>
#include <QTimeZone>

#include <algorithm>

using namespace tombolix;

namespace {

QString fixture(const QString &name) {
    return fromCp949(test::fixtureBytes(name));
}

const QString cell = QStringLiteral("<td style=\"padding:2px 4px 4px 5px;word-break:break-all;\">");

} // namespace

class TestCommentParsing : public QObject {
    Q_OBJECT
private slots:
    void splitField_data();
    void splitField();
    void markerCounts_data();
    void markerCounts();
    void fixtureCells();
    void cellsMissingAField_data();
    void cellsMissingAField();
    void postAddress_data();
    void postAddress();
    void loginRequests();
    void pageViewer_data();
    void pageViewer();
    void markupText_data();
    void markupText();
    void postCommentsFromFixtures();
    void postCommentsThatCannotBeRead_data();
    void postCommentsThatCannotBeRead();
    void commentPagesAreReadInOrder();
    void commentPagesThatFailTheReading();
    void entrants_data();
    void entrants();
    void whatShowsNothing();
    void entrantsByTheEventsRules_data();
    void entrantsByTheEventsRules();
    void eventPagesAreReadWithTheirTimes();
    void deadlines_data();
    void deadlines();
    void httpDates_data();
    void httpDates();
    void stamps_data();
    void stamps();
    void placingByDeadline_data();
    void placingByDeadline();
};

void TestCommentParsing::splitField_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("field"); // null for no such field
    QTest::newRow("empty text has no field") << QString() << 0 << QString();
    QTest::newRow("no separator: itself") << QStringLiteral("abc") << 0 << QStringLiteral("abc");
    QTest::newRow("no separator: no field 1") << QStringLiteral("abc") << 1 << QString();
    QTest::newRow("field 1 up to the next") << QStringLiteral("a--b--c") << 1 << QStringLiteral("b");
    QTest::newRow("last field") << QStringLiteral("a--b--c") << 2 << QStringLiteral("c");
    QTest::newRow("empty field") << QStringLiteral("a----c") << 1 << QStringLiteral("");
    QTest::newRow("no overlap") << QStringLiteral("a---b") << 1 << QStringLiteral("-b");
}

void TestCommentParsing::splitField() {
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, field);
    const std::optional<QString> got = tombolix::splitField(text, QStringLiteral("--"), index);
    QCOMPARE(got.has_value(), !field.isNull());
    if (got)
        QCOMPARE(*got, field);
}

void TestCommentParsing::markerCounts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("markers");
    QTest::newRow("empty page") << QStringLiteral("comments_empty.html") << -1;
    QTest::newRow("no comments") << QStringLiteral("comments_none.html") << 0;
    QTest::newRow("one marker") << QStringLiteral("comments_one_marker.html") << 1;
    QTest::newRow("seven comments") << QStringLiteral("comments_page.html") << 7;
}

void TestCommentParsing::markerCounts() {
    QFETCH(QString, name);
    QFETCH(int, markers);
    const CommentPage page = parseCommentPage(fixture(name), QStringLiteral("image.test"));
    QCOMPARE(page.markerCount, markers);
    QCOMPARE(page.cells.size(), qMax(0, markers));
}

void TestCommentParsing::fixtureCells() {
    const CommentPage page =
        parseCommentPage(fixture(QStringLiteral("comments_page.html")), QStringLiteral("image.test"));
    QStringList nicknames;
    for (const CommentCell &c : page.cells) {
        QVERIFY(c.complete);
        nicknames.append(c.nickname.value_or(QStringLiteral("<none>")));
    }
    QCOMPARE(nicknames, (QStringList{QStringLiteral("홍길동"), QStringLiteral("이미지닉"),
                                     QStringLiteral("홍길동"), QStringLiteral("Abc"), QStringLiteral("abc"),
                                     QStringLiteral("김철수"), QStringLiteral("본문없음")}));
    QCOMPARE(page.cells[0].body.value_or(QString()), QStringLiteral("추첨 참여합니다! 응모"));
    QVERIFY(!page.cells[6].body);

    // with another image server the image is not recognised and the link text is the mark-up
    const CommentPage other =
        parseCommentPage(fixture(QStringLiteral("comments_page.html")), QStringLiteral("elsewhere"));
    QVERIFY(other.cells[1].nickname->startsWith(QStringLiteral("<img src='http://image.test/")));

    const CommentPage broken =
        parseCommentPage(fixture(QStringLiteral("comments_broken_cell.html")), QStringLiteral("image.test"));
    QCOMPARE(broken.markerCount, 3);
    QVERIFY(broken.cells[0].complete && broken.cells[1].complete && !broken.cells[2].complete);

    // two markers side by side, and a page that ends right after a marker: empty cells, which
    // have no field to take and are skipped, not cells cut short
    const QString full = cell + QStringLiteral("return false;\">홍</a></b></td>");
    const CommentPage empties = parseCommentPage(cell + full + cell, QStringLiteral("image.test"));
    QCOMPARE(empties.markerCount, 3);
    for (const CommentCell &c : empties.cells)
        QVERIFY(c.complete);
    QVERIFY(!empties.cells[0].nickname && !empties.cells[2].nickname);
    QCOMPARE(empties.cells[1].nickname.value_or(QString()), QStringLiteral("홍"));
}

void TestCommentParsing::cellsMissingAField_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("nickname"); // null: none
    QTest::newRow("empty cell") << QStringLiteral("</td>") << QString();
    QTest::newRow("no nickname start") << QStringLiteral("<b>nick</a></b></td>") << QString();
    QTest::newRow("empty nickname") << QStringLiteral("return false;\"></a></b></td>") << QString();
    QTest::newRow("image without alt text")
        << QStringLiteral("return false;\"><img src='http://image.test/zboard/nickcon/a.gif'></a></b></td>")
        << QString();
    QTest::newRow("no nickname end: the head is all of it")
        << QStringLiteral("return false;\">nick</td>") << QStringLiteral("nick");
    QTest::newRow("not trimmed, not decoded")
        << QStringLiteral("return false;\"> a&amp;b </a></b></td>") << QStringLiteral(" a&amp;b ");
}

void TestCommentParsing::cellsMissingAField() {
    QFETCH(QString, content);
    QFETCH(QString, nickname);
    const CommentPage page = parseCommentPage(cell + content + cell + content, QStringLiteral("image.test"));
    QCOMPARE(page.cells.size(), 2);
    QVERIFY(page.cells[0].complete);
    QCOMPARE(page.cells[0].nickname.has_value(), !nickname.isNull());
    if (!nickname.isNull())
        QCOMPARE(*page.cells[0].nickname, nickname);
}

void TestCommentParsing::postAddress_data() {
    using S = PostAddress::Status;
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("board");
    const QString site = QStringLiteral("http://www.ppomppu.co.kr");
    QTest::newRow("the example") << site + QStringLiteral("/zboard/view.php?id=freeboard&page=2&no=123")
                                 << int(S::Ok) << QStringLiteral("123") << QStringLiteral("freeboard");
    QTest::newRow("number then more") << site + QStringLiteral("/zboard/view.php?id=ppomppu&no=77&page=1")
                                      << int(S::Ok) << QStringLiteral("77") << QStringLiteral("ppomppu");
    QTest::newRow("hash removed, rest kept") << site + QStringLiteral("/view.php?id=a&no=12#c3") << int(S::Ok)
                                             << QStringLiteral("12c3") << QStringLiteral("a");
    QTest::newRow("empty") << QString() << int(S::NotAnAddress) << QString() << QString();
    QTest::newRow("capitals") << QStringLiteral("HTTP://x/?id=a&no=1") << int(S::NotAnAddress) << QString()
                              << QString();
    QTest::newRow("today's desktop address")
        << QStringLiteral("https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&no=303717") << int(S::Ok)
        << QStringLiteral("303717") << QStringLiteral("pmarket");
    QTest::newRow("today's mobile address")
        << QStringLiteral("https://m.ppomppu.co.kr/new/bbs_view.php?id=pmarket&no=303717") << int(S::Ok)
        << QStringLiteral("303717") << QStringLiteral("pmarket");
    QTest::newRow("a repeated &") << QStringLiteral(
                                         "https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&&no=303718")
                                  << int(S::Ok) << QStringLiteral("303718") << QStringLiteral("pmarket");
    QTest::newRow("https in capitals")
        << QStringLiteral("HTTPS://x/?id=a&no=1") << int(S::NotAnAddress) << QString() << QString();
    QTest::newRow("leading space") << QStringLiteral(" http://x/?id=a&no=1") << int(S::NotAnAddress)
                                   << QString() << QString();
    QTest::newRow("short") << QStringLiteral("http:/") << int(S::NotAnAddress) << QString() << QString();
    QTest::newRow("no number") << site + QStringLiteral("/zboard/view.php?id=freeboard") << int(S::NoNumber)
                               << QString() << QString();
    QTest::newRow("no board") << site + QStringLiteral("/zboard/view.php?x=1&no=5") << int(S::NoBoard)
                              << QStringLiteral("5") << QString();
}

void TestCommentParsing::postAddress() {
    QFETCH(QString, address);
    QFETCH(int, status);
    QFETCH(QString, number);
    QFETCH(QString, board);
    const PostAddress post = parsePostAddress(address);
    QCOMPARE(int(post.status), status);
    QCOMPARE(post.number, number);
    QCOMPARE(post.board, board);
}

void TestCommentParsing::loginRequests() {
    QCOMPARE(site::loginBody(QStringLiteral("abc"), QStringLiteral("pw")),
             QByteArray("s_url=%2Findex.php&secure1=1&user_id=abc&password=pw&x=0&y=0"));
    // a password with the form's own characters reaches the site as typed
    QCOMPARE(
        site::loginBody(QStringLiteral("홍"), QStringLiteral("a&b=c+d%e f")),
        QByteArray("s_url=%2Findex.php&secure1=1&user_id=%C8%AB&password=a%26b%3Dc%2Bd%25e%20f&x=0&y=0"));
    const QString base = QStringLiteral("https://www.ppomppu.co.kr");
    QCOMPARE(site::frontPage(base), QStringLiteral("https://www.ppomppu.co.kr/index.php"));
    QCOMPARE(site::loginAddress(base).toEncoded(),
             QByteArray("https://www.ppomppu.co.kr/zboard/login_check.php"));
    QCOMPARE(site::logoutAddress(base).toEncoded(),
             QByteArray("https://www.ppomppu.co.kr/zboard/logout.php?&s_url=%2Findex.php"));
    QCOMPARE(site::commentPageAddress(base, QStringLiteral("free"), QStringLiteral("12")).toEncoded(),
             QByteArray("https://www.ppomppu.co.kr/zboard/list_comment.php?id=free&no=12"));
    QCOMPARE(site::postPageAddress(base, QStringLiteral("pmarket"), QStringLiteral("303717")).toEncoded(),
             QByteArray("https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&no=303717"));
    QCOMPARE(site::postPageAddress(base, QStringLiteral("pmarket"), QStringLiteral("303717"), 2).toEncoded(),
             QByteArray("https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&no=303717&c_page=2"));
    QCOMPARE(site::postPageAddress(base, QStringLiteral("pmarket"), QStringLiteral("303717"), 1).toEncoded(),
             QByteArray("https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&no=303717&c_page=1"));
    // the older rule: the front page in either scheme; nothing else
    QVERIFY(
        site::pointsToFrontPage(QStringLiteral("<a href=\"https://www.ppomppu.co.kr/index.php\">"), base));
    QVERIFY(
        site::pointsToFrontPage(QStringLiteral("location.href='http://www.ppomppu.co.kr/index.php'"), base));
    QVERIFY(!site::pointsToFrontPage(QStringLiteral("https://www.ppomppu.co.kr/INDEX.php"), base));
    QVERIFY(!site::pointsToFrontPage(QStringLiteral("https://m.ppomppu.co.kr/index.php"), base));
    const QString local = QStringLiteral("http://127.0.0.1:8080");
    QVERIFY(site::pointsToFrontPage(QStringLiteral("http://127.0.0.1:8080/index.php"), local));
    QVERIFY(!site::pointsToFrontPage(QStringLiteral("https://127.0.0.1:8080/index.php"), local));
}

void TestCommentParsing::pageViewer_data() {
    using V = site::Viewer;
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("viewer");
    QTest::newRow("a visitor's post page") << fixture(QStringLiteral("post_page1.html")) << int(V::Visitor);
    QTest::newRow("a refused log-in: a visitor's page with the header link")
        << fixture(QStringLiteral("login_refused.html")) << int(V::Visitor);
    QTest::newRow("a member's front page") << fixture(QStringLiteral("front_member.html")) << int(V::Member);
    QTest::newRow("a bare redirect says nothing")
        << fixture(QStringLiteral("login_redirect.html")) << int(V::Unknown);
    QTest::newRow("quoted 1") << QStringLiteral("<script>var G_IS_GUEST = \"1\";</script>")
                              << int(V::Visitor);
    QTest::newRow("true") << QStringLiteral("<script>let G_IS_GUEST=true</script>") << int(V::Visitor);
    QTest::newRow("0") << QStringLiteral("var G_IS_GUEST = 0;") << int(V::Member);
    QTest::newRow("empty string") << QStringLiteral("var G_IS_GUEST = \"\";") << int(V::Member);
    QTest::newRow("false") << QStringLiteral("var G_IS_GUEST = false;") << int(V::Member);
    QTest::newRow("missing value") << QStringLiteral("var G_IS_GUEST = ;") << int(V::Member);
    QTest::newRow("declared without a value") << QStringLiteral("var G_IS_GUEST;") << int(V::Member);
    QTest::newRow("10 is not 1") << QStringLiteral("var G_IS_GUEST = 10;") << int(V::Member);
    QTest::newRow("a test of it is no declaration")
        << QStringLiteral("if (G_IS_GUEST == 1) { login(); }") << int(V::Unknown);
    QTest::newRow("a longer name") << QStringLiteral("var G_IS_GUEST_MODE = 1;") << int(V::Unknown);
    QTest::newRow("a form field") << QStringLiteral("<input name=\"G_IS_GUEST\" value=\"1\">")
                                  << int(V::Unknown);
    QTest::newRow("the first declaration counts")
        << QStringLiteral("var G_IS_GUEST = 1; var G_IS_GUEST = 0;") << int(V::Visitor);
}

void TestCommentParsing::pageViewer() {
    QFETCH(QString, page);
    QFETCH(int, viewer);
    QCOMPARE(int(site::pageViewer(page)), viewer);
}

void TestCommentParsing::markupText_data() {
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("text");
    QTest::newRow("masked name") << QStringLiteral("<b><i class=\"nlevel lvG\"></i>[ *EE야* ]</b>")
                                 << QStringLiteral("[ *EE야* ]");
    QTest::newRow("linked name")
        << QStringLiteral(
               "<b><a href=# onClick=\"return false\"><i class=\"nlevel lvB\"></i>쇼핑파트너</a></b>")
        << QStringLiteral("쇼핑파트너");
    QTest::newRow("blanks at both ends")
        << QStringLiteral("<b> \t 홍길동\n </b>") << QStringLiteral("홍길동");
    QTest::newRow("named references") << QStringLiteral("Tom &amp; Jerry &lt;3 &quot;x&quot; &apos;y&apos;")
                                      << QStringLiteral("Tom & Jerry <3 \"x\" 'y'");
    QTest::newRow("numeric references")
        << QStringLiteral("&#54633;&#xBC15;&#Xac00;") << QStringLiteral("합박가");
    QTest::newRow("bad references stay or become U+FFFD")
        << QStringLiteral("&foo; &#0; &#xD800; & ;") << QStringLiteral("&foo; \uFFFD \uFFFD & ;");
    QTest::newRow("line breaks and paragraphs") << QStringLiteral("<p>감사합니다<br>응모!</p><p>둘째</p>")
                                                << QStringLiteral("감사합니다\n응모!\n\n둘째");
    QTest::newRow("quoted '>' inside a tag")
        << QStringLiteral("<a title=\"a>b\" href='c>d'>링크</a>") << QStringLiteral("링크");
    QTest::newRow("a lone '<' is text") << QStringLiteral("1 < 2, <3") << QStringLiteral("1 < 2, <3");
    QTest::newRow("unclosed tag") << QStringLiteral("abc<b") << QStringLiteral("abc");
    QTest::newRow("no break space kept")
        << QStringLiteral("&nbsp;a&nbsp;") << QStringLiteral("\u00A0a\u00A0");
    QTest::newRow("a reference's ';' is looked for 12 characters far")
        << QStringLiteral("&#00000054633; &#0000054633;") << QStringLiteral("&#00000054633; 합");
    // Read in one pass: a search for ';' to the end after every '&' takes hours on this.
    QTest::newRow("four million '&' and no ';'")
        << QString(4'000'000, u'&') + QStringLiteral("&amp;") << QString(4'000'000, u'&') + u'&';
}

void TestCommentParsing::markupText() {
    QFETCH(QString, markup);
    QFETCH(QString, text);
    QCOMPARE(tombolix::markupText(markup), text);
}

// Today's post page, from fixtures in the shape of the site's pages as saved in 2026: a post of
// three comment pages, replies two deep, linked and unlinked names, references, masked names,
// each comment's number and its writer's token, and the author's own comments.
void TestCommentParsing::postCommentsFromFixtures() {
    const PostComments last = parsePostComments(fixture(QStringLiteral("post_page3.html")));
    QVERIFY(last.readable);
    // the page its scripts name, not the comment form's hidden c_page of 1
    QCOMPARE(last.page, 3);
    QCOMPARE(last.totalPages, 3);
    QCOMPARE(last.totalComments, 15);

    const PostComments first = parsePostComments(fixture(QStringLiteral("post_page1.html")));
    QCOMPARE(first.page, 1);
    QStringList nicknames;
    QStringList numbers;
    for (const PostComment &comment : first.comments) {
        nicknames.append(comment.nickname);
        numbers.append(comment.number);
    }
    QCOMPARE(nicknames,
             (QStringList{QStringLiteral("[ *EE야* ]"), QStringLiteral("쇼핑파트너"),
                          QStringLiteral("김철수"), QStringLiteral("홍길동"), QStringLiteral("Tom & Jerry"),
                          QStringLiteral("[ ** ]"), QStringLiteral("쇼핑파트너")}));
    QCOMPARE(numbers,
             (QStringList{QStringLiteral("5102309"), QStringLiteral("5102324"), QStringLiteral("5102330"),
                          QStringLiteral("5102400"), QStringLiteral("5102401"), QStringLiteral("5102402"),
                          QStringLiteral("5102403")}));
    QCOMPARE(first.comments[0].member, QStringLiteral("piOFi7cQ0UntdAnbH2j7OA=="));
    QVERIFY(!first.comments[0].byAuthor);
    QVERIFY(first.comments[1].byAuthor && first.comments[6].byAuthor); // a reply and a comment
    QCOMPARE(first.comments[0].text, QStringLiteral("네이버 페이 응모합니다"));
    QCOMPARE(first.comments[2].text, QStringLiteral("감사합니다\n응모!"));
    QCOMPARE(first.comments[3].text, QStringLiteral("저도 응모 & 참여합니다"));
    QCOMPARE(first.comments[4].text, QStringLiteral("<응모> 합니다"));

    const PostComments second = parsePostComments(fixture(QStringLiteral("post_page2.html")));
    QCOMPARE(second.page, 2);
    // "\/" in the JSON is "/"; the two masked "[ ** ]" are two members
    QCOMPARE(second.comments[0].member, QStringLiteral("HwAnG00000000000000/Dd=="));
    QVERIFY(second.comments[1].member != first.comments[5].member);
    QCOMPARE(second.comments[4].text, QStringLiteral("링크 응모합니다"));

    // the old page's markers are not in it
    const CommentPage old =
        parseCommentPage(fixture(QStringLiteral("post_page1.html")), QStringLiteral("image.test"));
    QCOMPARE(old.markerCount, 0);
}

void TestCommentParsing::postCommentsThatCannotBeRead_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("comments");
    QTest::newRow("no object") << QStringLiteral("<div id=\"comment_list_area\"></div>") << false << 0 << 0;
    QTest::newRow("the word alone") << QStringLiteral("initialCommentData") << false << 0 << 0;
    QTest::newRow("cut short") << QStringLiteral("var initialCommentData = {\"total_page\":1,\"comments\":[{")
                               << false << 0 << 0;
    QTest::newRow("not JSON") << QStringLiteral("var initialCommentData = {total_page: 1};") << false << 0
                              << 0;
    QTest::newRow("a brace inside a string")
        << QStringLiteral("var initialCommentData = {\"comments\":[{\"name\":\"}{\\\"\",\"memo\":\"\"}]};")
        << true << 1 << 1;
    QTest::newRow("no comments") << QStringLiteral(
                                        "var initialCommentData = {\"total_page\":1,\"comments\":[]};")
                                 << true << 1 << 0;
    QTest::newRow("pages beyond reason")
        << QStringLiteral("var initialCommentData = {\"total_page\":99999999,\"comments\":[]};") << true
        << maxCommentPages << 0;
    QTest::newRow("no pages") << QStringLiteral(
                                     "var initialCommentData = {\"total_page\":-3,\"comments\":[]};")
                              << true << 0 << 0;
    QTest::newRow("no page count") << QStringLiteral("var initialCommentData = {\"comments\":[]};") << true
                                   << 1 << 0;
    QTest::newRow("a mention first, the object after")
        << QStringLiteral(
               "// uses initialCommentData\nvar initialCommentData={\"comments\":[{\"name\":\"a\"}]};")
        << true << 1 << 1;
}

void TestCommentParsing::postCommentsThatCannotBeRead() {
    QFETCH(QString, page);
    QFETCH(bool, readable);
    QFETCH(int, pages);
    QFETCH(int, comments);
    const PostComments parsed = parsePostComments(page);
    QCOMPARE(parsed.readable, readable);
    QCOMPARE(parsed.totalPages, pages);
    QCOMPARE(parsed.comments.size(), comments);
}

namespace {

// The post's comment pages as the fixtures hold them, page n fetched as the site answers it.
struct FixturePost {
    QList<int> asked;
    std::function<std::optional<PostComments>(int)> fetch() {
        return [this](int n) -> std::optional<PostComments> {
            asked.append(n);
            return parsePostComments(fixture(QStringLiteral("post_page%1.html").arg(n)));
        };
    }
};

QStringList numbersOf(const QList<PostComment> &comments) {
    QStringList numbers;
    for (const PostComment &comment : comments)
        numbers.append(comment.number);
    return numbers;
}

} // namespace

// The post's address answers with its last page: every other page is asked for once, and the
// comments come in page order, each once however many pages carry it.
void TestCommentParsing::commentPagesAreReadInOrder() {
    FixturePost post;
    const PostReading reading =
        readCommentPages(parsePostComments(fixture(QStringLiteral("post_page3.html"))), post.fetch());
    QCOMPARE(int(reading.status), int(PostReading::Status::Complete));
    QCOMPARE(post.asked, (QList<int>{1, 2}));
    QCOMPARE(reading.comments.size(), 15);
    QCOMPARE(numbersOf(reading.comments).first(), QStringLiteral("5102309"));
    QCOMPARE(numbersOf(reading.comments).last(), QStringLiteral("5102602"));
    QStringList sorted = numbersOf(reading.comments);
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(numbersOf(reading.comments), sorted); // the fixtures' numbers rise page by page

    // a comment that moved to the next page while the pages were read is taken once, where it
    // was first read
    PostComments third = parsePostComments(fixture(QStringLiteral("post_page3.html")));
    PostComments second = parsePostComments(fixture(QStringLiteral("post_page2.html")));
    third.comments.prepend(second.comments.last());
    QList<int> asked;
    const PostReading moved = readCommentPages(third, [&](int n) -> std::optional<PostComments> {
        asked.append(n);
        return n == 2 ? second : parsePostComments(fixture(QStringLiteral("post_page1.html")));
    });
    QCOMPARE(moved.comments.size(), 15);
    QCOMPARE(numbersOf(moved.comments).indexOf(QStringLiteral("5102504")), 11);

    // the page an answer holds: G_CMT_PAGE, else `var c_page`, else 1
    const QString object = QStringLiteral(
        "var initialCommentData = {\"total_page\":3,\"comments\":[{\"no\":\"7\",\"name\":\"a\"}]};");
    QCOMPARE(parsePostComments(QStringLiteral("<script>var c_page = 2;</script>") + object).page, 2);
    QCOMPARE(parsePostComments(QStringLiteral("<input name=\"c_page\" value=\"3\" />") + object).page, 1);
    QCOMPARE(parsePostComments(QStringLiteral("var G_CMT_PAGE = '';\nvar c_page = 3;") + object).page, 3);
    QCOMPARE(parsePostComments(object).comments[0].number, QStringLiteral("7"));

    // a post without comments says page 0 of 0: nothing more is asked
    PostComments none = parsePostComments(
        QStringLiteral("var G_CMT_PAGE = 0; var initialCommentData = {\"total_comment\":0,\"total_page\":0,"
                       "\"comments\":[]};"));
    FixturePost unasked;
    QCOMPARE(int(readCommentPages(none, unasked.fetch()).status), int(PostReading::Status::Complete));
    QVERIFY(unasked.asked.isEmpty());

    // an answer that names none of the post's pages: every page is asked for, its own comments
    // after them
    PostComments elsewhere = second;
    elsewhere.page = 7;
    elsewhere.totalPages = 3;
    FixturePost all;
    const PostReading everyPage = readCommentPages(elsewhere, all.fetch());
    QCOMPARE(all.asked, (QList<int>{1, 2, 3}));
    QCOMPARE(everyPage.comments.size(), 15);
}

void TestCommentParsing::commentPagesThatFailTheReading() {
    const PostComments last = parsePostComments(fixture(QStringLiteral("post_page3.html")));
    // a site that ignores c_page answers every address with the page it chose
    QList<int> asked;
    PostReading reading = readCommentPages(last, [&](int n) -> std::optional<PostComments> {
        asked.append(n);
        return last;
    });
    QCOMPARE(int(reading.status), int(PostReading::Status::Unreadable));
    QCOMPARE(asked, QList<int>{1});
    QVERIFY(reading.comments.isEmpty());

    // a page that cannot be read, and one that cannot be fetched
    reading = readCommentPages(last, [](int) -> std::optional<PostComments> {
        return parsePostComments(QStringLiteral("<html>점검 중입니다</html>"));
    });
    QCOMPARE(int(reading.status), int(PostReading::Status::Unreadable));
    reading = readCommentPages(last, [](int) -> std::optional<PostComments> { return std::nullopt; });
    QCOMPARE(int(reading.status), int(PostReading::Status::Stopped));
    QVERIFY(reading.comments.isEmpty());
}

namespace {

Comment by(const QString &name, const QString &member, const QString &text = QStringLiteral("응모합니다"),
           bool author = false) {
    return {name, text, member, author};
}

Comment nameless(const QString &member, const QString &number, const QString &text = QStringLiteral("응모")) {
    return {std::nullopt, text, member, false, number};
}

} // namespace

void TestCommentParsing::entrants_data() {
    QTest::addColumn<QList<Comment>>("comments");
    QTest::addColumn<QString>("filter"); // null: every comment
    QTest::addColumn<QStringList>("inList");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("authorComments");
    QTest::addColumn<int>("namelessComments");
    const QString masked = QStringLiteral("[ ** ]");
    QTest::newRow("one member, many comments")
        << QList<Comment>{by(QStringLiteral("김철수"), QStringLiteral("k")),
                          by(QStringLiteral("김철수"), QStringLiteral("k"))}
        << QString() << QStringList{} << QStringList{QStringLiteral("김철수")} << 0 << 0;
    QTest::newRow("masked names of three members")
        << QList<Comment>{by(masked, QStringLiteral("b")), by(masked, QStringLiteral("c")),
                          by(masked, QStringLiteral("b")), by(masked, QStringLiteral("d"))}
        << QString() << QStringList{}
        << QStringList{masked, masked + QStringLiteral(" (2)"), masked + QStringLiteral(" (3)")} << 0 << 0;
    // Names that read the same to people are one name to the public draw: the second member's
    // is numbered, whatever tells the two apart (a zero-width space, full-width letters, a
    // letter shaped like another, blanks at the ends).
    QTest::newRow("names that read the same, of different members")
        << QList<Comment>{by(QStringLiteral("김철수"), QStringLiteral("1")),
                          by(QStringLiteral("김철수\u200B"), QStringLiteral("2")),
                          by(QStringLiteral("ＡＢＣ"), QStringLiteral("3")),
                          by(QStringLiteral("ABC"), QStringLiteral("4")),
                          by(QStringLiteral("lee"), QStringLiteral("5")),
                          by(QStringLiteral("Iee"), QStringLiteral("6")),
                          by(QStringLiteral("황 "), QStringLiteral("7")),
                          by(QStringLiteral("황"), QStringLiteral("8"))}
        << QString() << QStringList{}
        << QStringList{QStringLiteral("김철수"), QStringLiteral("김철수\u200B (2)"),
                       QStringLiteral("ＡＢＣ"), QStringLiteral("ABC (2)"),
                       QStringLiteral("lee"),    QStringLiteral("Iee (2)"),
                       QStringLiteral("황 "),    QStringLiteral("황 (2)")}
        << 0 << 0;
    QTest::newRow("a member renamed keeps the first name")
        << QList<Comment>{by(QStringLiteral("홍"), QStringLiteral("h")),
                          by(QStringLiteral("황"), QStringLiteral("h"))}
        << QString() << QStringList{} << QStringList{QStringLiteral("홍")} << 0 << 0;
    QTest::newRow("no token: by name, as the old page")
        << QList<Comment>{by(QStringLiteral("Abc"), {}), by(QStringLiteral("abc"), {}),
                          by(QStringLiteral("Abc"), {})}
        << QString() << QStringList{} << QStringList{QStringLiteral("Abc"), QStringLiteral("abc")} << 0 << 0;
    QTest::newRow("no token, names that read the same: told apart, the second numbered")
        << QList<Comment>{by(QStringLiteral("Abc"), {}), by(QStringLiteral("Ａｂｃ"), {})} << QString()
        << QStringList{} << QStringList{QStringLiteral("Abc"), QStringLiteral("Ａｂｃ (2)")} << 0 << 0;
    QTest::newRow("a real name that reads like a numbered one")
        << QList<Comment>{by(QStringLiteral("홍길동"), QStringLiteral("1")),
                          by(QStringLiteral("홍길동 (2)"), QStringLiteral("2")),
                          by(QStringLiteral("홍길동"), QStringLiteral("3")),
                          by(QStringLiteral("홍길동 (2)"), QStringLiteral("4"))}
        << QString() << QStringList{}
        << QStringList{QStringLiteral("홍길동"), QStringLiteral("홍길동 (2)"), QStringLiteral("홍길동 (3)"),
                       QStringLiteral("홍길동 (2) (2)")}
        << 0 << 0;
    QTest::newRow("a token that reads like a name")
        << QList<Comment>{by(QStringLiteral("x"), {}), by(QStringLiteral("y"), QStringLiteral("x"))}
        << QString() << QStringList{} << QStringList{QStringLiteral("x"), QStringLiteral("y")} << 0 << 0;
    QTest::newRow("names already in the list stay out, their namesakes come in numbered")
        << QList<Comment>{by(masked, QStringLiteral("b")), by(masked, QStringLiteral("c")),
                          by(QStringLiteral("김철수"), QStringLiteral("k")),
                          by(QStringLiteral("ABC"), QStringLiteral("a"))}
        << QString() << QStringList{masked, QStringLiteral("김철수"), QStringLiteral("ＡＢＣ")}
        << QStringList{masked + QStringLiteral(" (2)")} << 0 << 0;
    QTest::newRow("the author's comments and replies")
        << QList<Comment>{by(QStringLiteral("쇼핑파트너"), QStringLiteral("a"),
                             QStringLiteral("응모 받습니다"), true),
                          by(QStringLiteral("황"), QStringLiteral("w")),
                          by(QStringLiteral("쇼핑파트너"), QStringLiteral("a"), QStringLiteral("당첨되세요"),
                             true)}
        << QString() << QStringList{} << QStringList{QStringLiteral("황")} << 2 << 0;
    QTest::newRow("filter: the author's comments that hold it are counted")
        << QList<Comment>{by(QStringLiteral("쇼핑파트너"), QStringLiteral("a"),
                             QStringLiteral("응모 받습니다"), true),
                          by(QStringLiteral("황"), QStringLiteral("w")),
                          by(QStringLiteral("이영희"), QStringLiteral("y"), QStringLiteral("좋아요")),
                          by(QStringLiteral("쇼핑파트너"), QStringLiteral("a"), QStringLiteral("당첨되세요"),
                             true),
                          Comment{QStringLiteral("본문없음"), std::nullopt, QStringLiteral("n"), false}}
        << QStringLiteral("응모") << QStringList{} << QStringList{QStringLiteral("황")} << 1 << 0;
    // A member whose name is an image or mark-up alone, or shows nothing (the Hangul filler some
    // use as a "transparent" nickname), has an entry of their own, named by their first
    // comment's number; a comment without a name nor anything to tell its writer by is counted.
    QTest::newRow("members without a name, named by their first comment")
        << QList<Comment>{nameless(QStringLiteral("z"), QStringLiteral("5102727")),
                          by(QStringLiteral("황"), QStringLiteral("w")),
                          nameless(QStringLiteral("z"), QStringLiteral("5102730")),
                          Comment{QStringLiteral("\u3164"), QStringLiteral("응모"), QStringLiteral("f"),
                                  false, QStringLiteral("5102731")},
                          Comment{QStringLiteral("\u200B "), QStringLiteral("응모"), QStringLiteral("g"),
                                  false, QStringLiteral("5102732")}}
        << QString() << QStringList{}
        << QStringList{QStringLiteral("이름 없는 회원 (덧글 5102727)"), QStringLiteral("황"),
                       QStringLiteral("이름 없는 회원 (덧글 5102731)"),
                       QStringLiteral("이름 없는 회원 (덧글 5102732)")}
        << 0 << 0;
    QTest::newRow("a member's first name that shows something is theirs")
        << QList<Comment>{nameless(QStringLiteral("z"), QStringLiteral("1")),
                          by(QStringLiteral("황"), QStringLiteral("w")),
                          by(QStringLiteral("이름생김"), QStringLiteral("z")),
                          by(QStringLiteral("나중이름"), QStringLiteral("z"))}
        << QString() << QStringList{} << QStringList{QStringLiteral("이름생김"), QStringLiteral("황")} << 0
        << 0;
    QTest::newRow("nothing to tell the writer by: counted, left out")
        << QList<Comment>{nameless({}, {}), nameless({}, QStringLiteral("7")),
                          nameless(QStringLiteral("y"), {}), nameless(QStringLiteral("y"), {}),
                          by(QStringLiteral("황"), QStringLiteral("w"))}
        << QString() << QStringList{} << QStringList{QStringLiteral("황")} << 0 << 4;
    QTest::newRow("filter: only the nameless comments that hold it count")
        << QList<Comment>{nameless(QStringLiteral("z"), QStringLiteral("1")),
                          nameless(QStringLiteral("y"), QStringLiteral("2"), QStringLiteral("좋아요")),
                          Comment{std::nullopt, std::nullopt, QStringLiteral("x"), false,
                                  QStringLiteral("3")}}
        << QStringLiteral("응모") << QStringList{} << QStringList{QStringLiteral("이름 없는 회원 (덧글 1)")}
        << 0 << 0;
    QTest::newRow("the author's comment without a name is the author's")
        << QList<Comment>{Comment{std::nullopt, QStringLiteral("응모"), QStringLiteral("a"), true,
                                  QStringLiteral("9")}}
        << QString() << QStringList{} << QStringList{} << 1 << 0;
}

void TestCommentParsing::entrants() {
    QFETCH(QList<Comment>, comments);
    QFETCH(QString, filter);
    QFETCH(QStringList, inList);
    QFETCH(QStringList, names);
    QFETCH(int, authorComments);
    QFETCH(int, namelessComments);
    ImportRules rules;
    if (!filter.isNull())
        rules.filter = filter;
    const Expected<Entrants> chosen = chooseEntrants(comments, rules);
    QVERIFY(chosen);
    QStringList added;
    for (const int i : notInList(*chosen, entrantKeys(inList)))
        added.append(chosen->names.at(i));
    QCOMPARE(added, names);
    QCOMPARE(chosen->authorComments, authorComments);
    QCOMPARE(chosen->namelessComments, namelessComments);
    // no two entries read the same, so the public draw takes them all
    QCOMPARE(QSet<QString>(chosen->keys.cbegin(), chosen->keys.cend()).size(), chosen->keys.size());
    for (int i = 0; i < chosen->names.size(); ++i) {
        QCOMPARE(chosen->keys.at(i), entrantKey(chosen->names.at(i)));
        QCOMPARE(chosen->nameless.at(i),
                 chosen->names.at(i).startsWith(QStringLiteral("이름 없는 회원 (덧글 ")));
    }
}

// A name shows nothing exactly when the public draw's key of it is empty; the letters, digits
// and Hangul syllables taken at a glance among them.
void TestCommentParsing::whatShowsNothing() {
    QString glance = QStringLiteral("0123456789");
    for (char16_t c = u'a'; c <= u'z'; ++c)
        glance += QChar(c) + QChar(c - u'a' + u'A');
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c)
        glance += QChar(c);
    for (const QChar c : glance)
        QVERIFY2(!entrantKey(QString(c)).isEmpty(), qPrintable(QString::number(c.unicode(), 16)));
    for (const QString &nothing :
         {QString(), QStringLiteral("\u3164"), QStringLiteral("\uFFA0"), QStringLiteral("\u115F\u1160"),
          QStringLiteral(" \u200B\u2800 "), QStringLiteral("\uFE0F\u00AD")}) {
        QVERIFY(entrantKey(nothing).isEmpty());
        QVERIFY(!showsSomething(nothing));
    }
    for (const QString &something : {QStringLiteral("\u3164a"), QStringLiteral("ㅇㅇ"), QStringLiteral("★"),
                                     QStringLiteral("[ ** ]"), QStringLiteral("\u3164\u3131")})
        QVERIFY(showsSomething(something));
}

void TestCommentParsing::entrantsByTheEventsRules_data() {
    QTest::addColumn<QList<Comment>>("comments");
    QTest::addColumn<QString>("filter");  // null: every comment
    QTest::addColumn<QString>("exclude"); // null: none
    QTest::addColumn<QStringList>("excludedNames");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("counts"); // author's, exclusion text's, exclusion list's
    const QString masked = QStringLiteral("[ ** ]");
    const QList<Comment> quiz{
        by(QStringLiteral("황"), QStringLiteral("w"), QStringLiteral("응모! 정답은 3번")),
        by(QStringLiteral("김철수"), QStringLiteral("k")),
        by(QStringLiteral("쇼핑파트너"), QStringLiteral("a"), QStringLiteral("정답 공개"), true),
        by(QStringLiteral("이영희"), QStringLiteral("y"), QStringLiteral("정답 3")),
        by(QStringLiteral("황"), QStringLiteral("w"), QStringLiteral("다시 응모합니다"))};
    QTest::newRow("the quiz's answer leaves a comment out, not its writer")
        << quiz << QString() << QStringLiteral("정답") << QStringList{}
        << QStringList{QStringLiteral("김철수"), QStringLiteral("황")} << QList<int>{1, 2, 0};
    QTest::newRow("with the filter, comments without it are not counted")
        << quiz << QStringLiteral("응모") << QStringLiteral("정답") << QStringList{}
        << QStringList{QStringLiteral("김철수"), QStringLiteral("황")} << QList<int>{0, 1, 0};
    QTest::newRow("the exclusion text is exact")
        << quiz << QString() << QStringLiteral("정답은") << QStringList{}
        << QStringList{QStringLiteral("김철수"), QStringLiteral("이영희"), QStringLiteral("황")}
        << QList<int>{1, 1, 0};
    const QList<Comment> people{by(masked, QStringLiteral("b")), by(masked, QStringLiteral("c")),
                                by(QStringLiteral("김철수"), QStringLiteral("k")),
                                by(QStringLiteral("이영희"), QStringLiteral("y")),
                                by(masked, QStringLiteral("b"))};
    QTest::newRow("the exclusion list, by how names read")
        << people << QString() << QString() << QStringList{masked, QStringLiteral("김철수\u200B ")}
        << QStringList{masked + QStringLiteral(" (2)"), QStringLiteral("이영희")} << QList<int>{0, 0, 2};
    QTest::newRow("the exclusion list names a numbered entry")
        << people << QString() << QString()
        << QStringList{masked + QStringLiteral(" (2)"), QStringLiteral("박지성")}
        << QStringList{masked, QStringLiteral("김철수"), QStringLiteral("이영희")} << QList<int>{0, 0, 1};
    QTest::newRow("an entry named by its number on the exclusion list")
        << QList<Comment>{nameless(QStringLiteral("z"), QStringLiteral("5")),
                          by(QStringLiteral("황"), QStringLiteral("w"))}
        << QString() << QString() << QStringList{QStringLiteral("이름 없는 회원 (덧글 5)")}
        << QStringList{QStringLiteral("황")} << QList<int>{0, 0, 1};
}

void TestCommentParsing::entrantsByTheEventsRules() {
    QFETCH(QList<Comment>, comments);
    QFETCH(QString, filter);
    QFETCH(QString, exclude);
    QFETCH(QStringList, excludedNames);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, counts);
    ImportRules rules;
    if (!filter.isNull())
        rules.filter = filter;
    if (!exclude.isNull())
        rules.exclude = exclude;
    rules.excludedKeys = entrantKeys(excludedNames);
    const Expected<Entrants> chosen = chooseEntrants(comments, rules);
    QVERIFY(chosen);
    QCOMPARE(chosen->names, names);
    QCOMPARE((QList<int>{chosen->authorComments, chosen->excludedTextComments, chosen->excludedPeople}),
             counts);
    QCOMPARE(chosen->lateComments, 0);
}

namespace {

qint64 utc(int year, int month, int dayOfMonth, int hours, int minutes, int seconds = 0) {
    return QDateTime(QDate(year, month, dayOfMonth), QTime(hours, minutes, seconds), QTimeZone::utc())
        .toSecsSinceEpoch();
}

// The event's deadline, 2026-08-28 09:38 in Korea, and an answer of 10:00 there.
const qint64 eventDeadline = utc(2026, 8, 28, 0, 38);
const qint64 answeredAt = utc(2026, 8, 28, 1, 0);

} // namespace

// The event's pages as the site serves them: each comment's shown time; the image nickname's
// alternative text; a name that shows nothing stays what it reads as, for the import to name.
void TestCommentParsing::eventPagesAreReadWithTheirTimes() {
    const PostComments first = parsePostComments(fixture(QStringLiteral("event_page1.html")));
    QCOMPARE(first.comments.size(), 6);
    QCOMPARE(first.comments[0].times, QStringList{QStringLiteral("10:12:03")});
    QVERIFY(!first.comments[0].servedAt); // the page alone does not say when it was served
    QCOMPARE(first.comments[3].nickname, QStringLiteral("뽐뿌&왕")); // alt='뽐뿌&amp;왕'
    QCOMPARE(first.comments[4].nickname, QString());                 // an image without one
    QCOMPARE(first.comments[5].nickname, QStringLiteral("\u3164"));
    QVERIFY(entrantKey(first.comments[5].nickname).isEmpty());

    // alternative texts in the shapes mark-up gives them; the text a name shows comes first
    const QString object = QStringLiteral("var initialCommentData = {\"comments\":[{\"name\":%1}]};");
    const QList<QPair<QString, QString>> names{
        {QStringLiteral("\"<b><img src=x alt=\\\"큰따옴표\\\"></b>\""), QStringLiteral("큰따옴표")},
        {QStringLiteral("\"<IMG SRC='x' ALT=따옴표없이>\""), QStringLiteral("따옴표없이")},
        {QStringLiteral("\"<img alt='' src=a><img src=b alt='두번째'>\""), QStringLiteral("두번째")},
        {QStringLiteral("\"<img title='alt=아님' src=a>\""), QString()},
        {QStringLiteral("\"<imgx alt='아님'>\""), QString()},
        {QStringLiteral("\"보이는이름<img src=a alt='그림'>\""), QStringLiteral("보이는이름")},
        {QStringLiteral("\"<img src=a alt='\u3164'>\u3164\""), QStringLiteral("\u3164")},
        {QStringLiteral("\"<img src='a' alt='끝없는\""), QString()}};
    for (const auto &[name, read] : names) {
        const PostComments parsed = parsePostComments(QString(object).replace(QStringLiteral("%1"), name));
        QVERIFY2(parsed.readable, qPrintable(name));
        QCOMPARE(parsed.comments.value(0).nickname, read);
    }
}

void TestCommentParsing::deadlines_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint64>("deadline"); // -1: refused
    QTest::addColumn<QString>("written");
    QTest::newRow("as events write it, in Korea's time")
        << QStringLiteral("2026/08/28 09:38") << eventDeadline << QStringLiteral("2026-08-28 09:38");
    QTest::newRow("with seconds, blanks around")
        << QStringLiteral(" 2026-08-28 09:38:30 ") << eventDeadline + 30
        << QStringLiteral("2026-08-28 09:38:30");
    QTest::newRow("short fields, dots")
        << QStringLiteral("2026.8.28 9:38") << eventDeadline << QStringLiteral("2026-08-28 09:38");
    QTest::newRow("midnight in Korea is the day before in UTC")
        << QStringLiteral("2026-09-01 00:00") << utc(2026, 8, 31, 15, 0)
        << QStringLiteral("2026-09-01 00:00");
    for (const char *refused :
         {"", "2026-08-28", "09:38", "2026-02-30 09:00", "2026-08-28 24:00", "2026-08-28 09:60",
          "26-08-28 09:38", "2026-08/28 09:38", "2026-08-28T09:38", "2026-08-28 09:38 KST", "내일 09:38"})
        QTest::newRow(refused) << QString::fromUtf8(refused) << qint64(-1) << QString();
}

void TestCommentParsing::deadlines() {
    QFETCH(QString, typed);
    QFETCH(qint64, deadline);
    QFETCH(QString, written);
    const std::optional<qint64> read = parseDeadline(typed);
    QCOMPARE(read.value_or(-1), deadline);
    if (read)
        QCOMPARE(deadlineText(*read), written);
}

void TestCommentParsing::httpDates_data() {
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<qint64>("time"); // -1: not read
    QTest::newRow("IMF-fixdate") << QByteArray("Fri, 28 Aug 2026 01:00:00 GMT") << answeredAt;
    QTest::newRow("asctime") << QByteArray("Fri Aug 28 01:00:00 2026") << answeredAt;
    QTest::newRow("asctime, a day of one digit")
        << QByteArray("Fri Aug  7 01:00:00 2026") << utc(2026, 8, 7, 1, 0);
    QTest::newRow("the weekday wrong") << QByteArray("Sat, 28 Aug 2026 01:00:00 GMT") << qint64(-1);
    QTest::newRow("RFC 850's two-digit year") << QByteArray("Friday, 28-Aug-26 01:00:00 GMT") << qint64(-1);
    QTest::newRow("another zone") << QByteArray("Fri, 28 Aug 2026 10:00:00 +0900") << qint64(-1);
    QTest::newRow("a day that is not") << QByteArray("Mon, 31 Feb 2026 01:00:00 GMT") << qint64(-1);
    QTest::newRow("none") << QByteArray() << qint64(-1);
}

void TestCommentParsing::httpDates() {
    QFETCH(QByteArray, header);
    QFETCH(qint64, time);
    QCOMPARE(parseHttpDate(header).value_or(-1), time);
}

void TestCommentParsing::stamps_data() {
    QTest::addColumn<QString>("stamp");
    QTest::addColumn<qint64>("served");         // -1: the answer had no Date
    QTest::addColumn<QList<qint64>>("moments"); // first, last, first, last …; none: not read
    QTest::addColumn<QString>("why");           // what the reason holds, when not read
    const qint64 d = answeredAt;                // 10:00:00 in Korea
    using Times = QList<qint64>;
    QTest::newRow("earlier today") << QStringLiteral("09:38:00") << d << Times{eventDeadline, eventDeadline}
                                   << QString();
    QTest::newRow("the answer's own second") << QStringLiteral("10:00:00") << d << Times{d, d} << QString();
    QTest::newRow("later in the day: the day before")
        << QStringLiteral("11:37:06") << d << Times{d - 86400 + 5826, d - 86400 + 5826} << QString();
    QTest::newRow("midnight") << QStringLiteral("00:00:00") << d << Times{d - 36000, d - 36000} << QString();
    // a time of day just after the answer's is of the day before, or of just now with the site's
    // clocks a little apart: both, up to five minutes
    QTest::newRow("a second after the answer's")
        << QStringLiteral("10:00:01") << d << Times{d + 1 - 86400, d + 1 - 86400, d + 1, d + 1} << QString();
    QTest::newRow("five minutes after")
        << QStringLiteral("10:05:00") << d << Times{d + 300 - 86400, d + 300 - 86400, d + 300, d + 300}
        << QString();
    QTest::newRow("five minutes and a second after")
        << QStringLiteral("10:05:01") << d << Times{d + 301 - 86400, d + 301 - 86400} << QString();
    // the day is Korea's: at 00:00:30 there, 23:59:50 is 40 seconds before
    QTest::newRow("the answer just after midnight in Korea")
        << QStringLiteral("23:59:50") << utc(2026, 8, 27, 15, 0, 30)
        << Times{utc(2026, 8, 27, 14, 59, 50), utc(2026, 8, 27, 14, 59, 50)} << QString();
    QTest::newRow("one digit of hours, mark-up around")
        << QStringLiteral("<span>9:38:00</span>") << d << Times{eventDeadline, eventDeadline} << QString();
    QTest::newRow("no Date") << QStringLiteral("11:37:06") << qint64(-1) << Times{} << QStringLiteral("Date");
    QTest::newRow("a whole time") << QStringLiteral("2026-08-27 11:37:06") << qint64(-1)
                                  << Times{utc(2026, 8, 27, 2, 37, 6), utc(2026, 8, 27, 2, 37, 6)}
                                  << QString();
    QTest::newRow("minutes alone") << QStringLiteral("2026/08/28 09:38") << d
                                   << Times{eventDeadline, eventDeadline + 59} << QString();
    QTest::newRow("a day alone") << QStringLiteral("2026.08.28") << d
                                 << Times{utc(2026, 8, 27, 15, 0), utc(2026, 8, 28, 14, 59, 59)} << QString();
    for (const char *unknown : {"", "08-27", "08-27 11:37", "26.08.27", "11:37", "25:00:00", "11:60:00",
                                "2026-13-01", "2026-08/27", "어제", "3분 전", "1786000000"})
        QTest::newRow(unknown) << QString::fromUtf8(unknown) << d << Times{} << QStringLiteral("형식");
}

void TestCommentParsing::stamps() {
    QFETCH(QString, stamp);
    QFETCH(qint64, served);
    QFETCH(QList<qint64>, moments);
    QFETCH(QString, why);
    const StampReading reading = readStamp(stamp, served < 0 ? std::nullopt : std::optional(served));
    QList<qint64> read;
    for (const Moments &m : reading.moments)
        read << m.first << m.last;
    QCOMPARE(read, moments);
    if (moments.isEmpty())
        QVERIFY2(reading.why.contains(why), qPrintable(reading.why));
}

void TestCommentParsing::placingByDeadline_data() {
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("stamps"); // a comment's shown times, "|" between two
    QTest::addColumn<QString>("asked");      // '1' for each comment that counts
    QTest::addColumn<bool>("dated");         // the answers had a Date
    QTest::addColumn<QString>("after");      // 'x' for each written after the deadline; empty: refused
    QTest::addColumn<int>("unsure");
    QTest::addColumn<QString>("why");
    const QStringList three{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    const QStringList two{QStringLiteral("1"), QStringLiteral("2")};
    QTest::newRow("each by its own time, the deadline's second before")
        << three
        << QStringList{QStringLiteral("09:37:59"), QStringLiteral("09:38:00"), QStringLiteral("09:38:01")}
        << QStringLiteral("111") << true << QStringLiteral("..x") << -1 << QString();
    QTest::newRow("unreadable between two before")
        << three
        << QStringList{QStringLiteral("09:00:00"), QStringLiteral("08-28"), QStringLiteral("09:30:00")}
        << QStringLiteral("111") << true << QStringLiteral("...") << -1 << QString();
    QTest::newRow("unreadable between two after")
        << three
        << QStringList{QStringLiteral("09:50:00"), QStringLiteral("08-28"), QStringLiteral("09:55:00")}
        << QStringLiteral("111") << true << QStringLiteral("xxx") << -1 << QString();
    QTest::newRow("unreadable between before and after")
        << three
        << QStringList{QStringLiteral("09:30:00"), QStringLiteral("08-28"), QStringLiteral("09:50:00")}
        << QStringLiteral("111") << true << QString() << 1 << QStringLiteral("\"08-28\"");
    QTest::newRow("the first, a later one before")
        << two << QStringList{QStringLiteral("08-27"), QStringLiteral("09:00:00")} << QStringLiteral("11")
        << true << QStringLiteral("..") << -1 << QString();
    QTest::newRow("the last, an earlier one after")
        << two << QStringList{QStringLiteral("09:50:00"), QStringLiteral("x")} << QStringLiteral("11") << true
        << QStringLiteral("xx") << -1 << QString();
    // the numbers and the shown times can disagree by a few seconds: a neighbour a minute or less
    // from the deadline places nobody
    QTest::newRow("a neighbour too near the deadline")
        << two << QStringList{QStringLiteral("x"), QStringLiteral("09:37:00")} << QStringLiteral("11") << true
        << QString() << 0 << QStringLiteral("순서로도");
    QTest::newRow("a neighbour just far enough")
        << two << QStringList{QStringLiteral("x"), QStringLiteral("09:36:59")} << QStringLiteral("11") << true
        << QStringLiteral("..") << -1 << QString();
    QTest::newRow("numbers out of page order")
        << QStringList{QStringLiteral("5102503"), QStringLiteral("5102501"), QStringLiteral("5102502")}
        << QStringList{QStringLiteral("09:30:00"), QStringLiteral("x"), QStringLiteral("09:50:00")}
        << QStringLiteral("111") << true << QStringLiteral("..x") << -1 << QString();
    QTest::newRow("no number") << QStringList{QString(), QStringLiteral("2")}
                               << QStringList{QStringLiteral("x"), QStringLiteral("09:00:00")}
                               << QStringLiteral("11") << true << QString() << 0
                               << QStringLiteral("번호가 없어");
    QTest::newRow("one that does not count is not asked about, and still places others")
        << three << QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("09:00:00")}
        << QStringLiteral("100") << true << QStringLiteral("...") << -1 << QString();
    QTest::newRow("a day alone, not the deadline's")
        << two << QStringList{QStringLiteral("2026-08-27"), QStringLiteral("2026-08-29")}
        << QStringLiteral("11") << true << QStringLiteral(".x") << -1 << QString();
    QTest::newRow("a day alone, the deadline's")
        << two << QStringList{QStringLiteral("2026-08-27"), QStringLiteral("2026-08-28")}
        << QStringLiteral("11") << true << QString() << 1 << QStringLiteral("날짜만");
    QTest::newRow("the deadline's minute without seconds")
        << two << QStringList{QStringLiteral("2026-08-28 09:37"), QStringLiteral("2026-08-28 09:38")}
        << QStringLiteral("11") << true << QString() << 1 << QStringLiteral("초가 없어");
    // 10:02 at an answer of 10:00 is of yesterday, or of just now: the numbers tell
    QTest::newRow("just after the answer's time, written before a comment of this morning")
        << two << QStringList{QStringLiteral("10:02:00"), QStringLiteral("09:00:00")} << QStringLiteral("11")
        << true << QStringLiteral("..") << -1 << QString();
    QTest::newRow("just after the answer's time, written after a comment past the deadline")
        << two << QStringList{QStringLiteral("09:50:00"), QStringLiteral("10:02:00")} << QStringLiteral("11")
        << true << QStringLiteral("xx") << -1 << QString();
    QTest::newRow("just after the answer's time, alone")
        << QStringList{QStringLiteral("1")} << QStringList{QStringLiteral("10:02:00")} << QStringLiteral("1")
        << true << QString() << 0 << QStringLiteral("시계");
    QTest::newRow("two shown times that disagree")
        << QStringList{QStringLiteral("1")} << QStringList{QStringLiteral("09:00:00|2026-08-28 09:50:00")}
        << QStringLiteral("1") << true << QString() << 0 << QStringLiteral("서로 다른");
    QTest::newRow("two shown times, one unreadable")
        << QStringList{QStringLiteral("1")} << QStringList{QStringLiteral("어제|09:50:00")}
        << QStringLiteral("1") << true << QStringLiteral("x") << -1 << QString();
    QTest::newRow("no Date") << two << QStringList{QStringLiteral("09:00:00"), QStringLiteral("09:50:00")}
                             << QStringLiteral("11") << false << QString() << 0 << QStringLiteral("Date");
    QTest::newRow("no Date, dates whole")
        << two << QStringList{QStringLiteral("2026-08-27 09:00:00"), QStringLiteral("2026-08-28 09:50:00")}
        << QStringLiteral("11") << false << QStringLiteral(".x") << -1 << QString();
    QTest::newRow("no time shown") << QStringList{QStringLiteral("1")} << QStringList{QString()}
                                   << QStringLiteral("1") << true << QString() << 0
                                   << QStringLiteral("표시되어");
}

void TestCommentParsing::placingByDeadline() {
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, stamps);
    QFETCH(QString, asked);
    QFETCH(bool, dated);
    QFETCH(QString, after);
    QFETCH(int, unsure);
    QFETCH(QString, why);
    QList<TimedComment> comments;
    QList<bool> askedFlags;
    for (int i = 0; i < numbers.size(); ++i) {
        comments.append({numbers.at(i), stamps.at(i).split(u'|', Qt::SkipEmptyParts),
                         dated ? std::optional(answeredAt) : std::nullopt});
        askedFlags.append(asked.at(i) == u'1');
    }
    const DeadlinePlacing placing = placeByDeadline(comments, askedFlags, eventDeadline);
    QCOMPARE(placing.unsure, unsure);
    if (unsure >= 0) {
        QVERIFY2(placing.why.contains(why), qPrintable(placing.why));
        return;
    }
    QString read;
    for (const bool late : placing.after)
        read += late ? u'x' : u'.';
    QCOMPARE(read, after);
}

QTEST_MAIN(TestCommentParsing)
#include "test_commentparsing.moc"
