// The plain functions of the comment import: splitting, the comment page, the post address
// and the log-in form.
#include "core/CommentPage.h"
#include "core/Cp949.h"
#include "core/PostAddress.h"
#include "core/PostComments.h"
#include "core/Site.h"
#include "core/Split.h"
#include "core/Text.h"
#include "tests/support/Fakes.h"

#include <QFile>
#include <QTest>

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
    void markupText_data();
    void markupText();
    void postCommentsFromFixtures();
    void postCommentsThatCannotBeRead_data();
    void postCommentsThatCannotBeRead();
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
    // the front page in either scheme marks a good log-in; nothing else does
    QVERIFY(site::loginSucceeded(QStringLiteral("<a href=\"https://www.ppomppu.co.kr/index.php\">"), base));
    QVERIFY(site::loginSucceeded(QStringLiteral("location.href='http://www.ppomppu.co.kr/index.php'"), base));
    QVERIFY(!site::loginSucceeded(QStringLiteral("https://www.ppomppu.co.kr/INDEX.php"), base));
    QVERIFY(!site::loginSucceeded(QStringLiteral("https://m.ppomppu.co.kr/index.php"), base));
    const QString local = QStringLiteral("http://127.0.0.1:8080");
    QVERIFY(site::loginSucceeded(QStringLiteral("http://127.0.0.1:8080/index.php"), local));
    QVERIFY(!site::loginSucceeded(QStringLiteral("https://127.0.0.1:8080/index.php"), local));
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
}

void TestCommentParsing::markupText() {
    QFETCH(QString, markup);
    QFETCH(QString, text);
    QCOMPARE(tombolix::markupText(markup), text);
}

// Today's post page, from fixtures that follow the site's pages as saved in 2026: replies two
// deep, linked and unlinked names, references, a masked name, the author's own comments and a
// repeated name, over two comment pages.
void TestCommentParsing::postCommentsFromFixtures() {
    const PostComments first = parsePostComments(fixture(QStringLiteral("post_page1.html")));
    QVERIFY(first.readable);
    QCOMPARE(first.totalPages, 2);
    QStringList nicknames;
    for (const PostComment &comment : first.comments)
        nicknames.append(comment.nickname);
    QCOMPARE(nicknames,
             (QStringList{QStringLiteral("[ *EE야* ]"), QStringLiteral("쇼핑파트너"),
                          QStringLiteral("김철수"), QStringLiteral("홍길동"), QStringLiteral("Tom & Jerry"),
                          QStringLiteral("홍길동"), QStringLiteral("쇼핑파트너")}));
    QCOMPARE(first.comments[0].text, QStringLiteral("네이버 페이 응모합니다"));
    QCOMPARE(first.comments[2].text, QStringLiteral("감사합니다\n응모!"));
    QCOMPARE(first.comments[3].text, QStringLiteral("저도 응모 & 참여합니다"));
    QCOMPARE(first.comments[4].text, QStringLiteral("<응모> 합니다"));

    const PostComments second = parsePostComments(fixture(QStringLiteral("post_page2.html")));
    nicknames.clear();
    for (const PostComment &comment : second.comments)
        nicknames.append(comment.nickname);
    QCOMPARE(nicknames, (QStringList{QStringLiteral("황"), QStringLiteral("김철수"), QStringLiteral("이영희"),
                                     QStringLiteral("박지성")}));
    QCOMPARE(second.comments[2].text, QStringLiteral("링크 응모합니다"));

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
                              << true << 1 << 0;
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

QTEST_MAIN(TestCommentParsing)
#include "test_commentparsing.moc"
