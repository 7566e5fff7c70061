// The rule of the public draw ("tombolix-draw-v1") and its files, against vectors computed by
// two independent implementations and against drand's real round 42.
#include "core/DrawVerification.h"
#include "tests/support/PublicDrawVectors.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTest>

#include <functional>

using namespace tombolix;
using namespace tombolix::publicdraw;
using namespace tombolix::test;

namespace {

Announcement tv1Announcement() {
    const CanonicalList list = canonicalList(tv1List());
    return {{sha256Hex(canonicalFile(list.entries)), int(list.entries.size()), 2, 1, 42, tv1Label},
            list.entries};
}

QByteArray round42Json() {
    return roundJson(42, round42Randomness, round42Signature);
}

} // namespace

class TestPublicDraw : public QObject {
    Q_OBJECT
private slots:
    void testVectorOne();
    void uniformVector();
    void rounds();
    void relayAnswers_data();
    void relayAnswers();
    void refusedLists();
    void announcementFile();
    void announcementFilesRefused_data();
    void announcementFilesRefused();
    void resultFile();
    void announcementsCompared();
    void oneChangedByteFailsAndNamesTheLine_data();
    void oneChangedByteFailsAndNamesTheLine();
};

void TestPublicDraw::testVectorOne() {
    const CanonicalList list = canonicalList(tv1List());
    QVERIFY(list.ok());
    QCOMPARE(list.entries,
             (QStringList{QStringLiteral("김철수"), QStringLiteral("김철수2"), QStringLiteral("박민수"),
                          QStringLiteral("이영희"), QStringLiteral("정하늘"), QStringLiteral("최지우")}));
    const Announcement announced = tv1Announcement();
    QCOMPARE(announced.terms.listSha256,
             QStringLiteral("2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570"));
    const QByteArray seedBytes = seed(announced.terms, round42Randomness);
    QCOMPARE(seedBytes.toHex(),
             QByteArray("99d5a7ede2e08992e7441a6cb50008283a431feaba6369ae4819d945c1d0cf62"));
    const Tickets tickets = drawTickets(seedBytes, 6, 2, 1);
    QCOMPARE(tickets.winners, (QList<int>{1, 2}));
    QCOMPARE(tickets.reserves, QList<int>{6});
    // the seed's text, as a participant's script writes it
    QCOMPARE(
        seedText(announced.terms, round42Randomness),
        QByteArray(
            "tombolix-draw-v1\nlist_sha256=2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570\n"
            "list_count=6\nwinners=2\nreserves=1\n"
            "beacon=drand:52db9ba70e0cc0f6eaf7803dd07447a1f5477735fd3f661792ba94600c84e971\nround=42\n"
            "randomness=8ada64bae5c6c0f5540a6a13af56e663240edfbd2c76ac6a8f27671eb7259ce3\n"
            "label=2026 봄 나눔 이벤트\n"));
}

void TestPublicDraw::uniformVector() {
    Numbers numbers(QCryptographicHash::hash("tombolix-uniform-test", QCryptographicHash::Sha256));
    const quint64 m = (quint64(1) << 63) + 1;
    QList<quint64> values;
    for (int i = 0; i < 4; ++i)
        values.append(numbers.uniform(m));
    QCOMPARE(values, (QList<quint64>{2676067352476025900ULL, 1079497605478819491ULL, 1109941553827388722ULL,
                                     241265511887375017ULL}));
    QCOMPARE(numbers.wordsUsed(), 11);
    // a span of 1 takes a word and gives 0; every word of a power of two is taken
    Numbers more(QByteArray(32, '\0'));
    QCOMPARE(more.uniform(1), quint64(0));
    QCOMPARE(more.wordsUsed(), 1);
}

void TestPublicDraw::rounds() {
    // 2026-04-20T00:00:00Z
    QCOMPARE(roundAt(1776643200), qint64(27946612));
    QCOMPARE(roundTime(27946612), qint64(1776643200));
    QCOMPARE(roundAt(genesisSeconds), qint64(1));
    QCOMPARE(roundAt(genesisSeconds + 2), qint64(1));
    QCOMPARE(roundAt(genesisSeconds + 3), qint64(2));
    QCOMPARE(koreanTime(1776643200), QStringLiteral("2026-04-20 09:00:00"));
    QCOMPARE(fileTime(1776643200), QStringLiteral("2026-04-20T09:00:00+09:00"));

    // times typed in Korea's time, whatever the machine's zone
    QCOMPARE(parseKoreanTime(QStringLiteral("2026-04-20 09:00")), std::optional<qint64>(1776643200));
    QCOMPARE(parseKoreanTime(QStringLiteral(" 2026-4-20 9:00:30 ")), std::optional<qint64>(1776643230));
    for (const QString &wrong : {QStringLiteral("2026-02-30 09:00"), QStringLiteral("2026-04-20 24:00"),
                                 QStringLiteral("2026-04-20T09:00"), QStringLiteral("내일 저녁"), QString()})
        QVERIFY2(!parseKoreanTime(wrong), qPrintable(wrong));
    // the first whole ten minutes at least ten minutes ahead
    QCOMPARE(suggestedDrawTime(1776643200), qint64(1776643800));
    QCOMPARE(suggestedDrawTime(1776643201), qint64(1776644400));
    QCOMPARE(suggestedDrawTime(1776643199), qint64(1776643800));
}

void TestPublicDraw::relayAnswers_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("problem"); // empty: the round is taken
    QTest::newRow("real round 42") << round42Json() << QString();
    QTest::newRow("in capitals, with more keys")
        << QByteArray("{\"round\":42,\"randomness\":\"" + round42Randomness.toUpper().toLatin1() +
                      "\",\"signature\":\"" + round42Signature.toUpper().toLatin1() +
                      "\",\"previous_signature\":\"\"}")
        << QString();
    QTest::newRow("another round") << QByteArray(round42Json()).replace("\"round\":42", "\"round\":43")
                                   << QStringLiteral("라운드 42이(가) 아니라 라운드 43의 정보입니다.");
    QTest::newRow("randomness not of the signature")
        << QByteArray(round42Json()).replace("8ada64", "8ada65")
        << QStringLiteral("라운드 정보의 randomness가 signature의 SHA-256과 다릅니다.");
    QTest::newRow("a signature cut short")
        << QByteArray(round42Json()).replace("5d686a", "")
        << QStringLiteral("라운드 정보의 randomness나 signature가 16진수 64자리, "
                          "96자리가 아닙니다.");
    QTest::newRow("not JSON") << QByteArray("<html>404 Not Found</html>")
                              << QStringLiteral("라운드 정보(JSON)를 읽을 수 없습니다.");
    QTest::newRow("round as text") << QByteArray(round42Json()).replace("\"round\":42", "\"round\":\"42\"")
                                   << QStringLiteral("라운드 42이(가) 아니라 라운드 -1의 정보입니다.");
}

void TestPublicDraw::relayAnswers() {
    QFETCH(QByteArray, json);
    QFETCH(QString, problem);
    QString why;
    const std::optional<Round> round = parseRound(json, 42, &why);
    QCOMPARE(why, problem);
    QCOMPARE(round.has_value(), problem.isEmpty());
    if (round) {
        QCOMPARE(round->signature, round42Signature);
        QCOMPARE(round->randomness, round42Randomness);
    }
}

void TestPublicDraw::refusedLists() {
    // equal once made canonical: a trailing blank, NFD against NFC
    CanonicalList list =
        canonicalList({QStringLiteral("김철수"), QStringLiteral("김철수 "), QStringLiteral("홍"),
                       QStringLiteral("홍").normalized(QString::NormalizationForm_D)});
    QCOMPARE(list.repeated, (QStringList{QStringLiteral("김철수"), QStringLiteral("홍")}));
    QVERIFY(!list.ok());
    // a control character inside an entry (at its ends a tab is trimmed), and half a surrogate
    // pair as a comment's JSON may carry it: UTF-8 cannot hold it, so it is refused up front
    const QString lone = QStringLiteral("김") + QChar(0xD83D) + QStringLiteral("철수");
    list = canonicalList({QStringLiteral("\t황\t"), QStringLiteral("홍\t길동"), QStringLiteral("a\u0085b"),
                          lone, QStringLiteral("웃음😀"), QString(QChar(0xDE00))});
    QCOMPARE(list.unusable, (QStringList{QStringLiteral("홍\t길동"), QStringLiteral("a\u0085b"), lone,
                                         QString(QChar(0xDE00))}));
    QVERIFY(!holdsUnusable(QStringLiteral("웃음😀 \u2028 \u3000 مرحبا 🫠")));
    QVERIFY(holdsUnusable(QStringLiteral("웃음\U0001FA75"))); // assigned only after Unicode 14

    // one person twice, written so that the two read the same: behind invisible characters, in
    // full-width letters, behind a Hangul filler; and an entry that shows nothing at all
    list = canonicalList({QStringLiteral("홍길동"), QStringLiteral("홍길동\u2060"),
                          QStringLiteral("\u3164홍길동"), QStringLiteral("Kim1"), QStringLiteral("Ｋｉｍ１"),
                          QStringLiteral("김철수"), QStringLiteral("\u200D\uFE0F"),
                          QStringLiteral("👨‍👩‍👧"), QStringLiteral("👨👩👧")});
    QStringList alike{QStringLiteral("Kim1"),         QStringLiteral("Ｋｉｍ１"),
                      QStringLiteral("홍길동"),       QStringLiteral("홍길동\u2060"),
                      QStringLiteral("\u3164홍길동"), QStringLiteral("👨‍👩‍👧"),
                      QStringLiteral("👨👩👧")};
    alike.sort();
    list.lookAlike.sort();
    QCOMPARE(list.lookAlike, alike);
    QCOMPARE(list.unusable, QStringList{QStringLiteral("\u200D\uFE0F")});
    QCOMPARE(lookAlikeKey(QStringLiteral("홍길동")), QStringLiteral("홍길동"));
    // sorted by UTF-8 bytes, not by UTF-16: U+FF21 comes before an emoji outside the BMP
    list =
        canonicalList({QStringLiteral("😀"), QStringLiteral("Ａ"), QStringLiteral("가"), QStringLiteral("a")});
    QCOMPARE(list.entries, (QStringList{QStringLiteral("a"), QStringLiteral("가"), QStringLiteral("Ａ"),
                                        QStringLiteral("😀")}));
    QCOMPARE(termsProblem(6, 6, 1),
             QStringLiteral("당첨자와 예비 당첨자를 합한 수(7)가 목록의 항목 수(6)보다 많습니다."));
    QCOMPARE(termsProblem(6, 0, 1), QStringLiteral("당첨자는 1명 이상이어야 합니다."));
    QVERIFY(!termsProblem(6, 5, 1));
}

void TestPublicDraw::announcementFile() {
    const Announcement announced = tv1Announcement();
    const QString text = announcementText(announced);
    QVERIFY(text.startsWith(QStringLiteral("tombolix-draw-v1\nlist_sha256=2d3578")));
    QVERIFY(text.contains(QStringLiteral("\nlabel=2026 봄 나눔 이벤트\nannouncement_sha256=") +
                          announcementCode(announced.terms) +
                          QStringLiteral("\nround_time=2023-08-24T00:11:30+09:00\n\n김철수\n김철수2\n")));
    // the code is the SHA-256 of the first eight lines: the seed's text without its randomness
    QCOMPARE(announcementCode(announced.terms), sha256Hex(text.section(u'\n', 0, 7).toUtf8() + '\n'));
    QCOMPARE(announcementCode(announced.terms),
             QStringLiteral("67c3bf08b2a3b98ce1d315d96339b46511a9f7e6d266ca7c80945ceb4f9b2967"));
    // what follows the blank line is the canonical file: `sha256sum` of it gives F
    QCOMPARE(sha256Hex(text.mid(text.indexOf(QStringLiteral("\n\n")) + 2).toUtf8()),
             announced.terms.listSha256);
    QString problem;
    const std::optional<Announcement> read = parseAnnouncement(text, &problem);
    QVERIFY2(read, qPrintable(problem));
    QCOMPARE(read->list, announced.list);
    QCOMPARE(read->terms.label, announced.terms.label);
    QCOMPARE(read->terms.round, qint64(42));
    // the same file after Windows' Notepad: a byte-order mark and CR LF
    QString windows = text;
    windows.replace(u'\n', QStringLiteral("\r\n"));
    QVERIFY(parseAnnouncement(QChar(0xFEFF) + windows, &problem));
    // a file written before the code was added reads the same
    QString older = text;
    older.remove(QRegularExpression(QStringLiteral("announcement_sha256=[0-9a-f]{64}\n")));
    const std::optional<Announcement> old = parseAnnouncement(older, &problem);
    QVERIFY2(old, qPrintable(problem));
    QCOMPARE(announcementCode(old->terms), announcementCode(announced.terms));
}

void TestPublicDraw::announcementFilesRefused_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("problem");
    QTest::newRow("another rule") << QStringLiteral("tombolix-draw-v1") << QStringLiteral("tombolix-draw-v2")
                                  << QStringLiteral(
                                         "1번째 줄: 'tombolix-draw-v1'(으)로 시작하는 파일이 아닙니다.");
    QTest::newRow("another beacon") << QStringLiteral("beacon=drand:52db")
                                    << QStringLiteral("beacon=drand:8990")
                                    << QStringLiteral("6번째 줄: 공개 난수는 drand quicknet(drand:");
    QTest::newRow("a count that is not the list's")
        << QStringLiteral("list_count=6") << QStringLiteral("list_count=7")
        << QStringLiteral("3번째 줄: 목록의 항목은 6개입니다.");
    QTest::newRow("a count with a sign")
        << QStringLiteral("list_count=6") << QStringLiteral("list_count=+6")
        << QStringLiteral("3번째 줄: list_count은(는) 0 이상의 정수여야 합니다.");
    QTest::newRow("an entry added") << QStringLiteral("정하늘\n") << QStringLiteral("정하늘\n조작\n")
                                    << QStringLiteral("3번째 줄: 목록의 항목은 7개입니다.");
    QTest::newRow("an entry changed")
        << QStringLiteral("박민수") << QStringLiteral("박민준")
        << QStringLiteral("2번째 줄: 목록(12번째 줄부터)의 SHA-256과 다릅니다.");
    QTest::newRow("entries out of order")
        << QStringLiteral("김철수\n김철수2") << QStringLiteral("김철수2\n김철수")
        << QStringLiteral("13번째 줄: 목록의 항목이 12번째 줄의 항목보다 UTF-8 "
                          "순서로 앞서거나 같습니다.");
    QTest::newRow("an entry not canonical")
        << QStringLiteral("박민수") << QStringLiteral(" 박민수")
        << QStringLiteral("14번째 줄: 목록의 항목이 정해진 형태가 아닙니다.");
    QTest::newRow("too many drawn") << QStringLiteral("reserves=1") << QStringLiteral("reserves=5")
                                    << QStringLiteral("5번째 줄: 당첨자와 예비 당첨자를 합한 수(7)가");
    QTest::newRow("the round's time") << QStringLiteral("00:11:30") << QStringLiteral("00:11:33")
                                      << QStringLiteral("10번째 줄: 7번째 줄의 라운드 42의 시각은 "
                                                        "2023-08-24T00:11:30+09:00입니다.");
    QTest::newRow("a line missing") << QStringLiteral("winners=2\n") << QString()
                                    << QStringLiteral(
                                           "4번째 줄: 'winners=' 줄이 있어야 할 자리에 'reserves='이(가) "
                                           "있습니다.");
    QTest::newRow("no blank line") << QStringLiteral("\n\n") << QStringLiteral("\n")
                                   << QStringLiteral("11번째 줄: '이름=값' 형식이 아닙니다.");
    QTest::newRow("another label, the code kept")
        << QStringLiteral("label=2026 봄") << QStringLiteral("label=2026 가을")
        << QStringLiteral("9번째 줄: announcement_sha256이(가) 1–8번째 줄");
    QTest::newRow("the last line cut short") << QStringLiteral("최지우\n") << QStringLiteral("최지우")
                                             << QStringLiteral("17번째 줄: 줄이 줄바꿈으로 끝나지 않습니다.");
    QTest::newRow("a round past the year 9999")
        << QStringLiteral("round=42\n") << QStringLiteral("round=83903155012\n")
        << QStringLiteral("7번째 줄: 라운드 번호는 1 이상 83903155011 이하여야 합니다.");
    QTest::newRow("a round past 2^63")
        << QStringLiteral("round=42\n") << QStringLiteral("round=9223372036854775807\n")
        << QStringLiteral("7번째 줄: 라운드 번호는 1 이상 83903155011 이하여야 합니다.");
    QTest::newRow("round 0") << QStringLiteral("round=42\n") << QStringLiteral("round=0\n")
                             << QStringLiteral("7번째 줄: 라운드 번호는 1 이상 83903155011 이하여야 합니다.");
    QTest::newRow("a label with a paragraph separator")
        << QStringLiteral("label=2026 봄") << QStringLiteral("label=2026\u2029봄")
        << QStringLiteral("8번째 줄: 추첨 이름에 쓸 수 없는 문자가 있거나 NFC 형태가 아닙니다.");
    QTest::newRow("a label with an invisible character")
        << QStringLiteral("label=2026 봄") << QStringLiteral("label=2026\u2060 봄")
        << QStringLiteral("8번째 줄: 추첨 이름에 쓸 수 없는 문자가 있거나 NFC 형태가 아닙니다.");
    QTest::newRow("the same entrant behind an invisible character")
        << QStringLiteral("김철수2\n") << QStringLiteral("김철수2\n김철수\u2060\n")
        << QStringLiteral("14번째 줄: 목록의 항목이 12번째 줄의 항목과 보기에 같습니다.");
    QTest::newRow("a round too large to read")
        << QStringLiteral("round=42\n") << QStringLiteral("round=99999999999999999999\n")
        << QStringLiteral("7번째 줄: round은(는) 0 이상의 정수여야 합니다.");
}

void TestPublicDraw::announcementFilesRefused() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, problem);
    QString text = announcementText(tv1Announcement());
    QVERIFY(text.contains(from));
    text.replace(text.indexOf(from), from.size(), to);
    QString why;
    QVERIFY(!parseAnnouncement(text, &why));
    QVERIFY2(why.startsWith(problem), qPrintable(why));
}

void TestPublicDraw::resultFile() {
    const Result result = decide(tv1Announcement(), {42, round42Randomness, round42Signature},
                                 {QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")});
    const QString text = resultText(result);
    // the first nine lines are the seed's text
    QCOMPARE(QCryptographicHash::hash(QByteArray(text.section(u'\n', 0, 8).toUtf8() + '\n'),
                                      QCryptographicHash::Sha256)
                 .toHex(),
             QByteArray("99d5a7ede2e08992e7441a6cb50008283a431feaba6369ae4819d945c1d0cf62"));
    QVERIFY(text.contains(
        QStringLiteral("\nseed=99d5a7ede2e08992e7441a6cb50008283a431feaba6369ae4819d945c1d0cf62\n"
                       "winner.1=1\t김철수\nwinner.2=2\t김철수2\nreserve.1=6\t최지우\n\n김철수\n")));
    const QStringList relays{QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")};
    const Verified verified = verifyResult(text, relays);
    QVERIFY2(!verified.problem, qPrintable(verified.problem.value_or(QString())));
    QCOMPARE(verified.result->tickets.winners, (QList<int>{1, 2}));
    QCOMPARE(verified.result->round.signature, round42Signature);
    // a pasted round
    const QString pasted =
        resultText(decide(tv1Announcement(), result.round, {QString::fromLatin1(pastedRound)}));
    QVERIFY(!verifyResult(pasted, relays).problem);
    QVERIFY(verifyResult(pasted, relays).result);
    // the code stands after the seed's lines, and a result file without it (written before it
    // was added) is read the same
    QCOMPARE(text.section(u'\n', 9, 9),
             QStringLiteral("announcement_sha256=") + announcementCode(result.announcement.terms));
    QString older = text;
    older.remove(text.section(u'\n', 9, 9) + u'\n');
    QVERIFY(!verifyResult(older, relays).problem);
    // the final newline taken off: a changed byte
    QCOMPARE(verifyResult(text.chopped(1), relays).problem,
             QStringLiteral("24번째 줄: 줄이 줄바꿈으로 끝나지 않습니다. 파일이 잘렸거나 바뀌었습니다."));
}

// An announcement as the entrants have it: the file, or the text of the post as copied.
void TestPublicDraw::announcementsCompared() {
    const Announcement announced = tv1Announcement();
    const Terms &terms = announced.terms;
    QVERIFY(!announcementProblem(announcementText(announced), terms));
    // the post as copied from the site: the code somewhere in it, in capitals or not
    const QString code = announcementCode(terms);
    const QString post =
        QStringLiteral("[Tombolix 공개 추첨 예고] 2026 봄 나눔 이벤트\n참가자 목록의 SHA-256 : ") +
        terms.listSha256 + QStringLiteral("\nhttps://api.drand.sh/") + chainHash() +
        QStringLiteral("/public/42\n예고 코드(announcement_sha256) : ");
    QVERIFY(!announcementProblem(post + code, terms));
    QVERIFY(!announcementProblem(post + code.toUpper() + QStringLiteral(" 감사합니다"), terms));

    // a draw with other terms than those announced: each changes the code
    for (const auto &change : std::initializer_list<std::function<void(Terms &)>>{
             [](Terms &t) { t.label += QStringLiteral("!"); }, [](Terms &t) { t.winners = 3; },
             [](Terms &t) { t.reserves = 0; }, [](Terms &t) { t.round = 43; },
             [](Terms &t) {
                 t.count = 7;
                 t.listSha256 = QString(64, u'0');
             }}) {
        Terms other = terms;
        change(other);
        QVERIFY(announcementProblem(post + code, other));
        QVERIFY(announcementProblem(announcementText(announced), other)
                    ->startsWith(QStringLiteral("이 결과는 예고한 추첨이 아닙니다. 예고와 다른 값: ")));
    }
    Terms friendWins = terms;
    friendWins.winners = 3;
    QCOMPARE(*announcementProblem(announcementText(announced), friendWins),
             QStringLiteral("이 결과는 예고한 추첨이 아닙니다. 예고와 다른 값: 당첨자 수(예고: 2, 결과: 3)"));
    QCOMPARE(*announcementProblem(post + code, friendWins),
             QStringLiteral("이 결과는 예고한 추첨이 아닙니다. 예고문에 이 결과의 예고 코드(") +
                 announcementCode(friendWins) + QStringLiteral(")가 없습니다."));
    // a post that announced several codes, to keep whichever the round favours
    QCOMPARE(
        *announcementProblem(post + code + QStringLiteral(" 또는 ") + announcementCode(friendWins), terms),
        QStringLiteral(
            "이 결과는 예고한 추첨이 아닙니다. 예고문에 예고 코드로 보이는 값이 2개 있어, 어느 추첨을 "
            "예고했는지 알 수 없습니다."));
    // a second code disguised in full-width digits or split by a zero-width space still counts
    const QString fullWidth = [&] {
        QString wide;
        for (const QChar c : announcementCode(friendWins))
            wide += QChar(c.unicode() - u'0' + 0xFF10 < 0xFF1A && c.isDigit() ? c.unicode() - u'0' + 0xFF10
                                                                              : c.unicode() - u'a' + 0xFF41);
        return wide;
    }();
    QVERIFY(announcementProblem(post + code + QStringLiteral(" ") + fullWidth, terms));
    QVERIFY(announcementProblem(
        post + code + QStringLiteral(" ") + announcementCode(friendWins).insert(30, QChar(0x200B)), terms));
    // the code inside a longer run of digits is not the code
    QVERIFY(announcementProblem(post + code + QStringLiteral("0"), terms));
    // a result file is no announcement
    const QString resultFile = resultText(decide(announced, {42, round42Randomness, round42Signature}, {}));
    QVERIFY(
        announcementProblem(resultFile, terms)->startsWith(QStringLiteral("예고 파일이 올바르지 않습니다.")));
}

void TestPublicDraw::oneChangedByteFailsAndNamesTheLine_data() {
    QTest::addColumn<int>("line"); // 1-based; the byte changed is the line's last ASCII one
    QTest::addColumn<QStringList>("named");
    // the lines each change is named by: the line itself, and where its change shows
    const QList<QStringList> named{
        {QStringLiteral("1번째 줄")},
        {QStringLiteral("2번째 줄")},
        {QStringLiteral("3번째 줄")},
        {QStringLiteral("10번째 줄"),
         QStringLiteral("1–9번째 줄")}, // k: the announcement code no longer holds
        {QStringLiteral("10번째 줄"), QStringLiteral("1–9번째 줄")}, // r
        {QStringLiteral("6번째 줄")},
        {QStringLiteral("11번째 줄"), QStringLiteral("7번째 줄")},   // the round's time is another round's
        {QStringLiteral("8번째 줄"), QStringLiteral("12번째 줄")},   // randomness and signature disagree
        {QStringLiteral("10번째 줄"), QStringLiteral("1–9번째 줄")}, // the label
        {QStringLiteral("10번째 줄")},
        {QStringLiteral("11번째 줄")},
        {QStringLiteral("12번째 줄")},
        {QStringLiteral("13번째 줄")},
        {QStringLiteral("14번째 줄")},
        {QStringLiteral("15번째 줄")},
        {QStringLiteral("16번째 줄")},
        {QStringLiteral("17번째 줄")},
        {QStringLiteral("20번째 줄"), QStringLiteral("19번째 줄")},    // 김철수 changed: out of order
        {QStringLiteral("2번째 줄"), QStringLiteral("19번째 줄부터")}, // 김철수2: no longer the fingerprint
        {QStringLiteral("2번째 줄"), QStringLiteral("19번째 줄부터")},
        {QStringLiteral("2번째 줄"), QStringLiteral("19번째 줄부터")},
        {QStringLiteral("2번째 줄"), QStringLiteral("19번째 줄부터")},
        {QStringLiteral("2번째 줄"), QStringLiteral("19번째 줄부터")}};
    for (int line = 1; line <= 24; ++line) {
        if (line != 18) // the blank line has no byte of its own to change
            QTest::addRow("line %d", line) << line << named.at(line < 18 ? line - 1 : line - 2);
    }
}

// Any byte changed makes verification fail, and its message names a line: the changed one, or
// the line that the change makes wrong (a changed label changes the seed; a changed list entry
// no longer gives the announced fingerprint; a changed signature no longer gives the randomness).
void TestPublicDraw::oneChangedByteFailsAndNamesTheLine() {
    QFETCH(int, line);
    QFETCH(QStringList, named);
    const QStringList relays{QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")};
    const QString text =
        resultText(decide(tv1Announcement(), {42, round42Randomness, round42Signature}, relays));
    QByteArray bytes = text.toUtf8();
    qsizetype start = 0;
    for (int i = 1; i < line; ++i)
        start = bytes.indexOf('\n', start) + 1;
    const qsizetype end = bytes.indexOf('\n', start);
    // the line's last byte, or its last ASCII byte where it ends in a UTF-8 sequence
    qsizetype at = end - 1;
    while (at > start && (uchar(bytes.at(at)) & 0x80))
        --at;
    if (uchar(bytes.at(at)) & 0x80)
        at = end - 1; // a line of Hangul only: a UTF-8 byte changed
    bytes[at] = char(bytes.at(at) ^ 0x01);
    const Verified verified = verifyResult(QString::fromUtf8(bytes), relays);
    QVERIFY(verified.problem);
    QVERIFY2(verified.problem->startsWith(named.first() + u':'), qPrintable(*verified.problem));
    for (const QString &also : named.mid(1))
        QVERIFY2(verified.problem->contains(also), qPrintable(*verified.problem));
}

QTEST_APPLESS_MAIN(TestPublicDraw)
#include "test_publicdraw.moc"
