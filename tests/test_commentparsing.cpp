// The plain functions of the comment import: splitting, the comment page, the post address
// and the log-in form.
#include "core/CommentPage.h"
#include "core/Cp949.h"
#include "core/Entrants.h"
#include "core/PostAddress.h"
#include "core/PostComments.h"
#include "core/Site.h"
#include "core/Split.h"
#include "core/Text.h"
#include "tests/support/Fakes.h"

#include <QFile>
#include <QTest>

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
    QTest::newRow("a member renamed keeps the first name")
        << QList<Comment>{by(QStringLiteral("홍"), QStringLiteral("h")),
                          by(QStringLiteral("황"), QStringLiteral("h"))}
        << QString() << QStringList{} << QStringList{QStringLiteral("홍")} << 0 << 0;
    QTest::newRow("no token: by name, as the old page")
        << QList<Comment>{by(QStringLiteral("Abc"), {}), by(QStringLiteral("abc"), {}),
                          by(QStringLiteral("Abc"), {})}
        << QString() << QStringList{} << QStringList{QStringLiteral("Abc"), QStringLiteral("abc")} << 0 << 0;
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
                          by(QStringLiteral("김철수"), QStringLiteral("k"))}
        << QString() << QStringList{masked, QStringLiteral("김철수")}
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
    // A writer whose name is an image or mark-up alone: counted, so the closing message can say so.
    const Comment nameless{std::nullopt, QStringLiteral("응모"), QStringLiteral("z"), false};
    QTest::newRow("a comment without a name")
        << QList<Comment>{nameless} << QString() << QStringList{} << QStringList{} << 0 << 1;
    QTest::newRow("comments without a name, every one counted, the member's named one taken")
        << QList<Comment>{nameless, by(QStringLiteral("황"), QStringLiteral("w")), nameless,
                          Comment{std::nullopt, QStringLiteral("응모"), QStringLiteral("y"), false},
                          by(QStringLiteral("이름생김"), QStringLiteral("z"))}
        << QString() << QStringList{} << QStringList{QStringLiteral("황"), QStringLiteral("이름생김")} << 0
        << 3;
    QTest::newRow("filter: only the nameless comments that hold it are counted")
        << QList<Comment>{nameless,
                          Comment{std::nullopt, QStringLiteral("좋아요"), QStringLiteral("y"), false},
                          Comment{std::nullopt, std::nullopt, QStringLiteral("x"), false}}
        << QStringLiteral("응모") << QStringList{} << QStringList{} << 0 << 1;
    QTest::newRow("the author's comment without a name is the author's")
        << QList<Comment>{Comment{std::nullopt, QStringLiteral("응모"), QStringLiteral("a"), true}}
        << QString() << QStringList{} << QStringList{} << 1 << 0;
}

void TestCommentParsing::entrants() {
    QFETCH(QList<Comment>, comments);
    QFETCH(QString, filter);
    QFETCH(QStringList, inList);
    QFETCH(QStringList, names);
    QFETCH(int, authorComments);
    QFETCH(int, namelessComments);
    const Entrants chosen = chooseEntrants(comments, filter.isNull() ? std::nullopt : std::optional(filter),
                                           QSet<QString>(inList.cbegin(), inList.cend()));
    QCOMPARE(chosen.names, names);
    QCOMPARE(chosen.authorComments, authorComments);
    QCOMPARE(chosen.namelessComments, namelessComments);
}

QTEST_MAIN(TestCommentParsing)
#include "test_commentparsing.moc"
