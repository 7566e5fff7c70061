// The plain functions of the comment import: splitting, the comment page, the post address
// and the log-in form.
#include "core/CommentPage.h"
#include "core/Cp949.h"
#include "core/PostAddress.h"
#include "core/Site.h"
#include "core/Split.h"
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
    QTest::newRow("https") << QStringLiteral("https://x/?id=a&no=1") << int(S::NotAnAddress) << QString()
                           << QString();
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
    const QString host = QStringLiteral("127.0.0.1:8080");
    QCOMPARE(site::frontPage(host), QStringLiteral("http://127.0.0.1:8080/index.php"));
    QCOMPARE(site::logoutAddress(host).toEncoded(),
             QByteArray("http://127.0.0.1:8080/zboard/logout.php?&s_url=%2Findex.php"));
    QCOMPARE(site::commentPageAddress(host, QStringLiteral("free"), QStringLiteral("12")).toEncoded(),
             QByteArray("http://127.0.0.1:8080/zboard/list_comment.php?id=free&no=12"));
    QVERIFY(site::loginSucceeded(
        QStringLiteral("<script>location.href='http://127.0.0.1:8080/index.php'</script>"), host));
    QVERIFY(!site::loginSucceeded(QStringLiteral("http://127.0.0.1:8080/INDEX.php"), host));
}

QTEST_MAIN(TestCommentParsing)
#include "test_commentparsing.moc"
