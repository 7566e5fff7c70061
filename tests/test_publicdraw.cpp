// The rule of the public draw ("tombolix-draw-v2", and the first one, by which older files were
// made) and its files, against vectors computed by two independent implementations and against
// drand's real round 42.
#include "core/DrawFileReader.h"
#include "core/DrawPosts.h"
#include "core/DrawVerification.h"
#include "tests/support/PublicDrawVectors.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QTest>

#include <QRandomGenerator>

#include <algorithm>
#include <functional>

using namespace tombolix;
using namespace tombolix::publicdraw;
using namespace tombolix::test;

namespace {

Announcement tv1Announcement() {
    const CanonicalList list = canonicalList(tv1List());
    return {{sha256Hex(canonicalFile(list.entries)), int(list.entries.size()), 2, 1, 42, tv1Label, {}},
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
    void sortedAsUtf8OnAnyPrefix();
    void prizes();
    void announcementFile();
    void announcementFilesRefused_data();
    void announcementFilesRefused();
    void resultFile();
    void aLongResultIsCheckedAsAShortOne();
    void announcementsCompared();
    void postsCarryTheDraw();
    void oneChangedByteFailsAndNamesTheLine_data();
    void oneChangedByteFailsAndNamesTheLine();
};

void TestPublicDraw::testVectorOne() {
    const CanonicalList list = canonicalList(tv1List());
    QVERIFY(list.ok());
    QCOMPARE(list.entries,
             (QStringList{QStringLiteral("김철수"), QStringLiteral("김철수2"), QStringLiteral("박민수"),
                          QStringLiteral("이영희"), QStringLiteral("정하늘"), QStringLiteral("최지우")}));
    Announcement announced = tv1Announcement();
    QCOMPARE(announced.terms.listSha256,
             QStringLiteral("2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570"));
    const QByteArray seedBytes = seed(announced.terms, round42Randomness);
    QCOMPARE(seedBytes.toHex(),
             QByteArray("8c339cc27868d110b274df05f122461b7ef668c8f6171d5ea62bdcdeea4764bf"));
    const Tickets tickets = drawTickets(seedBytes, 6, 2, 1);
    QCOMPARE(tickets.winners, (QList<int>{4, 6}));
    QCOMPARE(tickets.reserves, QList<int>{1});
    // the seed's text, as a participant's script writes it
    const QByteArray tail =
        "list_sha256=2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570\n"
        "list_count=6\nwinners=2\nreserves=1\n"
        "beacon=drand:52db9ba70e0cc0f6eaf7803dd07447a1f5477735fd3f661792ba94600c84e971\nround=42\n"
        "randomness=8ada64bae5c6c0f5540a6a13af56e663240edfbd2c76ac6a8f27671eb7259ce3\n"
        "label=2026 봄 나눔 이벤트\n";
    QCOMPARE(seedText(announced.terms, round42Randomness), "tombolix-draw-v2\n" + tail);
    QCOMPARE(announcementCode(announced.terms),
             QStringLiteral("376c26947d7099ab5062023eacdfb6de18acf1da47627a5ce428116993f5f25a"));

    // the first rule, by which older files were made, draws as it always did
    announced.terms.rule = Rule::V1;
    QCOMPARE(seedText(announced.terms, round42Randomness), "tombolix-draw-v1\n" + tail);
    QCOMPARE(seed(announced.terms, round42Randomness).toHex(),
             QByteArray("99d5a7ede2e08992e7441a6cb50008283a431feaba6369ae4819d945c1d0cf62"));
    QCOMPARE(announcementCode(announced.terms),
             QStringLiteral("67c3bf08b2a3b98ce1d315d96339b46511a9f7e6d266ca7c80945ceb4f9b2967"));

    // prizes by rank are terms of the draw: in the seed, after the label
    announced.terms.rule = Rule::V2;
    announced.terms.prizes = {{1, QStringLiteral("치킨")}, {1, QStringLiteral("커피")}};
    QVERIFY(seedText(announced.terms, round42Randomness)
                .endsWith("label=2026 봄 나눔 이벤트\nprize.1=1\t치킨\n"
                          "prize.2=1\t커피\n"));
    QCOMPARE(seed(announced.terms, round42Randomness).toHex(),
             QByteArray("b2528a26dcefc5329312b3ba3e5e410b8ed215360ebd95f0aceb4201a9082eb4"));
    QCOMPARE(drawTickets(seed(announced.terms, round42Randomness), 6, 2, 1).winners, (QList<int>{4, 2}));
    QCOMPARE(announcementCode(announced.terms),
             QStringLiteral("8d50e695732f5004a8637fc1bc6c65c4a7ff825834201895e1f62c882784a042"));
    QCOMPARE(winnerRanks(announced.terms), (QList<int>{1, 2}));
    QCOMPARE(rankName(announced.terms, 2), QStringLiteral("2등 커피"));
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
    const Expected<Round> round = parseRound(json, 42);
    const QString why = round.problem();
    QCOMPARE(why, problem);
    QCOMPARE(round.ok(), problem.isEmpty());
    if (round) {
        QCOMPARE(round->signature, round42Signature);
        QCOMPARE(round->randomness, round42Randomness);
    }
}

void TestPublicDraw::refusedLists() {
    // equal once made canonical: a trailing blank, NFD against NFC, blanks inside
    CanonicalList list =
        canonicalList({QStringLiteral("김철수"), QStringLiteral("김철수 "), QStringLiteral("홍"),
                       QStringLiteral("홍").normalized(QString::NormalizationForm_D),
                       QStringLiteral("홍 길동"), QStringLiteral("홍\u00A0\u00A0 길동")});
    QCOMPARE(list.repeated,
             (QStringList{QStringLiteral("김철수"), QStringLiteral("홍"), QStringLiteral("홍 길동")}));
    QVERIFY(!list.ok());
    // white space inside an entry is one blank; a control character that is none, and half a
    // surrogate pair as a comment's JSON may carry it, are refused up front
    const QString lone = QStringLiteral("김") + QChar(0xD83D) + QStringLiteral("철수");
    list = canonicalList({QStringLiteral("\t황\t"), QStringLiteral("홍\t길동"), QStringLiteral("a\u0085b"),
                          lone, QStringLiteral("웃음😀"), QString(QChar(0xDE00)), QStringLiteral("홍\u0007")});
    QCOMPARE(list.unusable, (QStringList{lone, QString(QChar(0xDE00)), QStringLiteral("홍\u0007")}));
    QCOMPARE(list.entries, (QStringList{QStringLiteral("a b"), QStringLiteral("웃음😀"),
                                        QStringLiteral("홍 길동"), QStringLiteral("황")}));
    QVERIFY(!holdsUnusable(QStringLiteral("웃음😀 \u2028 \u3000 مرحبا 녹는중🫠")));
    QVERIFY(holdsUnusable(QStringLiteral("웃음\U0001FA75"))); // assigned only after Unicode 14
    QVERIFY(holdsUnusable(QStringLiteral("흔들\U0001FAE8"))); // Unicode 15: whatever runs the check

    // one person twice, so written that the two read the same: behind blanks that show nothing
    // (format characters, a Hangul filler, braille and musical blanks, EN and Ogham spaces), in
    // full-width letters, a Cyrillic letter for a Latin one, a blank taken out; and entries that
    // show nothing at all
    list = canonicalList({QStringLiteral("홍길동"), QStringLiteral("홍길동\u2060"),
                          QStringLiteral("\u3164홍길동"), QStringLiteral("홍길동\u2800\u2800\u2800"),
                          QStringLiteral("\U0001D159홍길동"), QStringLiteral("홍길동\u2002\u2002"),
                          QStringLiteral("\u1680홍길동")});
    QCOMPARE(list.repeated, QStringList{QStringLiteral("홍길동")});
    QCOMPARE(list.entries.size(), 7);
    list = canonicalList({QStringLiteral("Kim1"), QStringLiteral("Ｋｉｍ１"), QStringLiteral("Аlice"),
                          QStringLiteral("Alice"), QStringLiteral("김 철수"), QStringLiteral("김철수"),
                          QStringLiteral("홍\u2028길동"), QStringLiteral("홍길동"),
                          QStringLiteral("홍\u200B길동"), QStringLiteral("👨‍👩‍👧"),
                          QStringLiteral("👨👩👧"), QStringLiteral("\u200D\uFE0F"), QStringLiteral("\u3164"),
                          QStringLiteral("뿤ㅋ"), QStringLiteral("뿌ㅋㅋ")});
    QStringList alike{QStringLiteral("Kim1"),         QStringLiteral("Ｋｉｍ１"),
                      QStringLiteral("Аlice"),        QStringLiteral("Alice"),
                      QStringLiteral("김 철수"),      QStringLiteral("김철수"),
                      QStringLiteral("홍 길동"),      QStringLiteral("홍길동"),
                      QStringLiteral("홍\u200B길동"), QStringLiteral("👨‍👩‍👧"),
                      QStringLiteral("👨👩👧")};
    alike.sort();
    list.lookAlike.sort();
    QCOMPARE(list.lookAlike, alike);
    QCOMPARE(list.unusable, (QStringList{QStringLiteral("\u200D\uFE0F"), QStringLiteral("\u3164")}));
    // the one-pass key of plain names is the long way's; anything else is left to the long way
    for (const QString &name : {QStringLiteral("김철수"), QStringLiteral("홍 길동"), QStringLiteral("Kim1"),
                                QStringLiteral("참가자 12345"), QStringLiteral("Alice")}) {
        QString keys = QStringLiteral("앞");
        QCOMPARE(appendPlainKey(name, keys), lookAlikeKey(name).size());
        QCOMPARE(keys, QStringLiteral("앞") + lookAlikeKey(name));
    }
    for (const QString &other : {QStringLiteral("홍길동 "), QStringLiteral("홍  길동"),
                                 QStringLiteral("e\u0301"), QStringLiteral("웃음😀"), QStringLiteral("Ｋｉｍ"),
                                 QStringLiteral("홍\u200B"), QStringLiteral("뿤ㅋ"), QString()}) {
        QString keys = QStringLiteral("앞");
        QCOMPARE(appendPlainKey(other, keys), qsizetype(-1));
        QCOMPARE(keys, QStringLiteral("앞"));
    }
    // a Korean reader tells a final consonant from a letter of its own: not one person
    QVERIFY(lookAlikeKey(QStringLiteral("뿤ㅋ")) != lookAlikeKey(QStringLiteral("뿌ㅋㅋ")));
    QCOMPARE(lookAlikeKey(QStringLiteral("Аlice")), lookAlikeKey(QStringLiteral("Alice")));
    // a line of blanks alone is no entry at all
    QVERIFY(canonicalList({QString(), QStringLiteral(" \u3000\t")}).ok());

    // an entry longer than any nickname is refused before it is read
    const QString longest(maxTextLength, QChar(0xAC00));
    list = canonicalList(
        {longest, longest + QStringLiteral("각"), QString(maxTextLength, QChar(0xFB00)) + u'x'});
    QCOMPARE(list.entries, QStringList{longest});
    QCOMPARE(list.tooLong.size(), 2);
    // and one that only its canonical form makes too long: NFC writes U+0958 as two code points,
    // and the announcement's file, which holds that form, could never be read back for the draw
    const QString doubled(120, QChar(0x0958));
    list = canonicalList({doubled, doubled.left(100)});
    QCOMPARE(list.tooLong, QStringList{doubled});
    QCOMPARE(list.entries, QStringList{doubled.left(100).normalized(QString::NormalizationForm_C)});
    QVERIFY(!files::listProblem(list.entries, {7}, currentRule));
    // counted in code points: 150 emoji are 300 UTF-16 units, 201 are too many
    QVERIFY(!tooLong(QString(150, u'x').replace(u'x', QStringLiteral("😀"))));
    QVERIFY(tooLong(QString(201, u'x').replace(u'x', QStringLiteral("😀"))));
    // nor may a whole list, as people read it, outgrow any real one: U+FDFA alone is 18 code points
    // once NFKC, so such a list is refused before its reading takes long
    QStringList expanding;
    for (int i = 0; i < 600; ++i)
        expanding.append(QString(199, QChar(0xFDFA)) + QChar(char16_t(0xAC00 + i)));
    QVERIFY(canonicalList(expanding).overLength);
    QVERIFY(!canonicalList(expanding.mid(0, 500)).overLength);

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

// The sort on the entries' first eight units orders them as their UTF-8 does, wherever they first
// differ: before, at or after the eighth unit, in a surrogate pair or against U+E000 and up, or
// where one ends.
void TestPublicDraw::sortedAsUtf8OnAnyPrefix() {
    const QStringList pieces{QStringLiteral("a"),          QStringLiteral("b"),      QStringLiteral("가"),
                             QStringLiteral("힣"),         QStringLiteral("Ａ"),     QStringLiteral("ﬁ"),
                             QStringLiteral("￡"),         QStringLiteral("😀"),      QStringLiteral("𐀀"),
                             QStringLiteral("\U0001F9FF"), QStringLiteral("\uFFE8"), QStringLiteral("\uFB4F"),
                             QStringLiteral("1")};
    QRandomGenerator random(20261209);
    QStringList drawList;
    const QString stem = QStringLiteral("ab가😀Ａ"); // 6 units: pairs straddle the eighth
    for (int i = 0; i < 4000; ++i) {
        static const int cuts[] = {0, 1, 2, 3, 5, 6}; // never inside the pair
        QString entry = random.bounded(2) ? stem.left(cuts[random.bounded(6)]) : QString();
        const int more = random.bounded(1, 8);
        for (int j = 0; j < more; ++j)
            entry += pieces.at(random.bounded(pieces.size()));
        drawList.append(entry);
    }
    const CanonicalList list = canonicalList(drawList);
    QVERIFY2(list.unusable.isEmpty() && list.tooLong.isEmpty(),
             qPrintable(plainly(list.unusable.value(0)) + u'|' + list.tooLong.value(0)));
    QCOMPARE(list.entries.size(), drawList.size());
    QStringList expected = list.entries;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    QCOMPARE(list.entries, expected);
    // and as the reader checks it: each distinct entry once makes a list it finds in order
    expected.removeDuplicates();
    for (int i = 1; i < expected.size(); ++i)
        QVERIFY2(beforeInUtf8(expected.at(i - 1), expected.at(i)), qPrintable(expected.at(i)));
}

// A result of 1,024 entries and more has its round's signature checked beside its reading, and
// its list's SHA-256 worked out beside its check: every change is still refused, at its line.
void TestPublicDraw::aLongResultIsCheckedAsAShortOne() {
    QStringList typed;
    for (int i = 0; i < 1500; ++i)
        typed.append(QStringLiteral("참가자 ") + QString::number(i));
    const CanonicalList list = canonicalList(typed);
    QVERIFY(list.ok());
    const Announcement announced{
        {sha256Hex(canonicalFile(list.entries)), int(list.entries.size()), 2, 1, 42, tv1Label, {}},
        list.entries};
    const QStringList relays{QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")};
    const QString text =
        resultText(decide(announced, {42, round42Randomness, round42Signature}, {relays.first()}));
    const Verified good = verifyResult(text, relays);
    QVERIFY2(!good.problem, qPrintable(good.problem.value_or(QString())));
    // the same list, read once for the result, is not read again for its announcement
    QVERIFY(!announcementProblem(announcementText(announced), announced.terms, &good.result->announcement));
    // any other list is
    Announcement other = announced;
    other.list.replace(7, other.list.at(7) + u'\u2060');
    QVERIFY(announcementProblem(announcementText(other), announced.terms, &good.result->announcement));

    const auto refused = [&](const QString &changed, const QString &what) {
        const Verified bad = verifyResult(changed, relays);
        QVERIFY2(bad.problem && bad.problem->contains(what),
                 qPrintable(what + u' ' + bad.problem.value_or(QStringLiteral("(accepted)"))));
    };
    // a signature one digit off, a made-up one whose randomness is its own, another round's
    QString flipped = round42Signature;
    flipped[95] = flipped.at(95) == u'0' ? u'1' : u'0';
    refused(QString(text).replace(round42Signature, flipped), QStringLiteral("signature"));
    const QString madeUp(96, u'a');
    const QString madeUpRandomness = QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::fromHex(madeUp.toLatin1()), QCryptographicHash::Sha256).toHex());
    refused(resultText(decide(announced, {42, madeUpRandomness, madeUp}, {relays.first()})),
            QStringLiteral("signature"));
    Announcement at43 = announced;
    at43.terms.round = 43;
    refused(resultText(decide(at43, {43, round42Randomness, round42Signature}, {relays.first()})),
            QStringLiteral("signature"));
    refused(QString(text).replace(QStringLiteral("\nround=42\n"), QStringLiteral("\nround=43\n")),
            QStringLiteral("번째 줄"));
    // an entry changed at the end of the list: its SHA-256, worked out beside, differs
    QString lastChanged = text;
    lastChanged.replace(lastChanged.lastIndexOf(list.entries.last()), list.entries.last().size(),
                        list.entries.last() + u'0');
    QVERIFY(lastChanged != text);
    refused(lastChanged, QStringLiteral("SHA-256"));
}

// The prizes as the organiser types them, and what they may be.
void TestPublicDraw::prizes() {
    const Expected<QList<Prize>> typed =
        parsePrizes(QStringLiteral("1등 1명 치킨\r\n\r\n 2등  3명  커피\u00A0 쿠폰 \n3등 1명 %1 상품권"));
    QVERIFY2(typed, qPrintable(typed.problem()));
    QCOMPARE(*typed, (QList<Prize>{{1, QStringLiteral("치킨")},
                                   {3, QStringLiteral("커피 쿠폰")},
                                   {1, QStringLiteral("%1 상품권")}}));
    QVERIFY(parsePrizes(QString())->isEmpty());
    QCOMPARE(parsePrizes(QStringLiteral("1등 1명 치킨\n3등 1명 커피")).problem(),
             QStringLiteral("2번째 줄: '2등 1명 치킨'처럼 등수, 당첨자 수, 상품 이름을 차례로 적어주세요."));
    QCOMPARE(parsePrizes(QStringLiteral("1등 1명")).problem(),
             QStringLiteral("1번째 줄: '1등 1명 치킨'처럼 등수, 당첨자 수, 상품 이름을 차례로 적어주세요."));
    QCOMPARE(parsePrizes(QStringLiteral("1등 1명 치\u202E킨")).problem(),
             QStringLiteral("1번째 줄: 상품 이름이 너무 길거나 쓸 수 없는 문자가 있습니다."));
    QCOMPARE(prizesProblem(*typed, 4),
             QStringLiteral("등수별 당첨자를 합한 수(5명)가 당첨자 수(4명)와 다릅니다."));
    QVERIFY(!prizesProblem(*typed, 5));
    QCOMPARE(prizesProblem({{0, QStringLiteral("치킨")}}, 0),
             QStringLiteral("1등의 당첨자 수는 1명 이상이어야 합니다."));
    Terms terms{QString(), 9, 5, 0, 42, QStringLiteral("나눔"), *typed};
    QCOMPARE(winnerRanks(terms), (QList<int>{1, 2, 2, 2, 3}));
    QCOMPARE(prizesText(terms), QStringLiteral("1등 1명 치킨, 2등 3명 커피 쿠폰, 3등 1명 %1 상품권"));
}

void TestPublicDraw::announcementFile() {
    const Announcement announced = tv1Announcement();
    const QString text = announcementText(announced);
    QVERIFY(text.startsWith(QStringLiteral("tombolix-draw-v2\nlist_sha256=2d3578")));
    QVERIFY(text.contains(QStringLiteral("\nlabel=2026 봄 나눔 이벤트\nannouncement_sha256=") +
                          announcementCode(announced.terms) +
                          QStringLiteral("\nround_time=2023-08-24T00:11:30+09:00\n\n김철수\n김철수2\n")));
    // the code is the SHA-256 of the first eight lines: the seed's text without its randomness
    QCOMPARE(announcementCode(announced.terms), sha256Hex(text.section(u'\n', 0, 7).toUtf8() + '\n'));
    QCOMPARE(announcementCode(announced.terms),
             QStringLiteral("376c26947d7099ab5062023eacdfb6de18acf1da47627a5ce428116993f5f25a"));
    // what follows the blank line is the canonical file: `sha256sum` of it gives F
    QCOMPARE(sha256Hex(text.mid(text.indexOf(QStringLiteral("\n\n")) + 2).toUtf8()),
             announced.terms.listSha256);
    const Expected<Announcement> read = parseAnnouncement(text);
    QVERIFY2(read, qPrintable(read.problem()));
    QCOMPARE(read->list, announced.list);
    QCOMPARE(read->terms.label, announced.terms.label);
    QCOMPARE(read->terms.round, qint64(42));
    // the same file after Windows' Notepad: a byte-order mark and CR LF
    QString windows = text;
    windows.replace(u'\n', QStringLiteral("\r\n"));
    QVERIFY(parseAnnouncement(QChar(0xFEFF) + windows));
    // a file written before the code was added reads the same
    QString older = text;
    older.remove(QRegularExpression(QStringLiteral("announcement_sha256=[0-9a-f]{64}\n")));
    const Expected<Announcement> old = parseAnnouncement(older);
    QVERIFY2(old, qPrintable(old.problem()));
    QCOMPARE(announcementCode(old->terms), announcementCode(announced.terms));
}

void TestPublicDraw::announcementFilesRefused_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<bool>("prized"); // read from the announcement with prizes
    QTest::newRow("another rule") << QStringLiteral("tombolix-draw-v2") << QStringLiteral("tombolix-draw-v3")
                                  << QStringLiteral("1번째 줄: 공개 추첨의 파일('tombolix-draw-v2'나 그 전의 "
                                                    "'tombolix-draw-v1'로 시작하는 파일)이 아닙니다.")
                                  << false;
    // the first rule's files had no prizes, and a file of the first rule is read by it
    QTest::newRow("the first rule's name on this file")
        << QStringLiteral("tombolix-draw-v2") << QStringLiteral("tombolix-draw-v1")
        << QStringLiteral("9번째 줄: announcement_sha256이(가) 1–8번째 줄") << false;
    QTest::newRow("a prize in a file of the first rule")
        << QStringLiteral("tombolix-draw-v2\n") << QStringLiteral("tombolix-draw-v1\n")
        << QStringLiteral("9번째 줄: 'round_time=' 줄이 있어야 할 자리에 'prize.1='이(가)") << true;
    QTest::newRow("prizes that are not the winners")
        << QStringLiteral("prize.2=1\t커피") << QStringLiteral("prize.2=2\t커피")
        << QStringLiteral("9번째 줄: 등수별 당첨자를 합한 수(3명)가 당첨자 수(2명)와 다릅니다.") << true;
    QTest::newRow("a prize without its count")
        << QStringLiteral("prize.2=1\t커피") << QStringLiteral("prize.2=커피")
        << QStringLiteral("10번째 줄: prize.2은(는) '당첨자 수<탭>상품 이름'이어야 합니다.") << true;
    QTest::newRow("a prize's name not canonical")
        << QStringLiteral("prize.2=1\t커피") << QStringLiteral("prize.2=1\t커피 ")
        << QStringLiteral("9번째 줄: 2등의 상품 이름이 비었거나") << true;
    QTest::newRow("prizes out of turn")
        << QStringLiteral("prize.2=1\t커피") << QStringLiteral("prize.3=1\t커피")
        << QStringLiteral("10번째 줄: 'round_time=' 줄이 있어야 할 자리에 'prize.3='이(가)") << true;
    QTest::newRow("the same entrant behind braille blanks")
        << QStringLiteral("김철수2\n") << QStringLiteral("김철수2\n김철수2\u2800\n")
        << QStringLiteral("14번째 줄: 목록의 항목이 정해진 형태가 아닙니다.") << false;
    QTest::newRow("an entry longer than any nickname")
        << QStringLiteral("김철수2\n") << QStringLiteral("김철수2\n") + QString(201, QChar(0xAC00)) + u'\n'
        << QStringLiteral("14번째 줄: 목록의 항목이 정해진 형태가 아닙니다.") << false;
    QTest::newRow("an entry Qt would compose wrongly, not normal")
        << QStringLiteral("김철수2\n") << QStringLiteral("a\u0301\U0001109Aa\u0301\n김철수2\n")
        << QStringLiteral("13번째 줄: 목록의 항목이 정해진 형태가 아닙니다.") << false;
    QTest::newRow("another beacon") << QStringLiteral("beacon=drand:52db")
                                    << QStringLiteral("beacon=drand:8990")
                                    << QStringLiteral("6번째 줄: 공개 난수는 drand quicknet(drand:") << false;
    QTest::newRow("a count that is not the list's")
        << QStringLiteral("list_count=6") << QStringLiteral("list_count=7")
        << QStringLiteral("3번째 줄: 목록의 항목은 6개입니다.") << false;
    QTest::newRow("a count with a sign")
        << QStringLiteral("list_count=6") << QStringLiteral("list_count=+6")
        << QStringLiteral("3번째 줄: list_count은(는) 0 이상의 정수여야 합니다.") << false;
    QTest::newRow("an entry added") << QStringLiteral("정하늘\n") << QStringLiteral("정하늘\n조작\n")
                                    << QStringLiteral("3번째 줄: 목록의 항목은 7개입니다.") << false;
    QTest::newRow("an entry changed")
        << QStringLiteral("박민수") << QStringLiteral("박민준")
        << QStringLiteral("2번째 줄: 목록(12번째 줄부터)의 SHA-256과 다릅니다.") << false;
    QTest::newRow("entries out of order")
        << QStringLiteral("김철수\n김철수2") << QStringLiteral("김철수2\n김철수")
        << QStringLiteral("13번째 줄: 목록의 항목이 12번째 줄의 항목보다 UTF-8 "
                          "순서로 앞서거나 같습니다.")
        << false;
    QTest::newRow("an entry not canonical")
        << QStringLiteral("박민수") << QStringLiteral(" 박민수")
        << QStringLiteral("14번째 줄: 목록의 항목이 정해진 형태가 아닙니다.") << false;
    QTest::newRow("too many drawn") << QStringLiteral("reserves=1") << QStringLiteral("reserves=5")
                                    << QStringLiteral("5번째 줄: 당첨자와 예비 당첨자를 합한 수(7)가")
                                    << false;
    QTest::newRow("the round's time") << QStringLiteral("00:11:30") << QStringLiteral("00:11:33")
                                      << QStringLiteral("10번째 줄: 7번째 줄의 라운드 42의 시각은 "
                                                        "2023-08-24T00:11:30+09:00입니다.")
                                      << false;
    QTest::newRow("a line missing") << QStringLiteral("winners=2\n") << QString()
                                    << QStringLiteral(
                                           "4번째 줄: 'winners=' 줄이 있어야 할 자리에 'reserves='이(가) "
                                           "있습니다.")
                                    << false;
    QTest::newRow("no blank line") << QStringLiteral("\n\n") << QStringLiteral("\n")
                                   << QStringLiteral("11번째 줄: '이름=값' 형식이 아닙니다.") << false;
    QTest::newRow("another label, the code kept")
        << QStringLiteral("label=2026 봄") << QStringLiteral("label=2026 가을")
        << QStringLiteral("9번째 줄: announcement_sha256이(가) 1–8번째 줄") << false;
    QTest::newRow("the last line cut short")
        << QStringLiteral("최지우\n") << QStringLiteral("최지우")
        << QStringLiteral("17번째 줄: 줄이 줄바꿈으로 끝나지 않습니다.") << false;
    QTest::newRow("a round past the year 9999")
        << QStringLiteral("round=42\n") << QStringLiteral("round=83903155012\n")
        << QStringLiteral("7번째 줄: 라운드 번호는 1 이상 83903155011 이하여야 합니다.") << false;
    QTest::newRow("a round past 2^63")
        << QStringLiteral("round=42\n") << QStringLiteral("round=9223372036854775807\n")
        << QStringLiteral("7번째 줄: 라운드 번호는 1 이상 83903155011 이하여야 합니다.") << false;
    QTest::newRow("round 0") << QStringLiteral("round=42\n") << QStringLiteral("round=0\n")
                             << QStringLiteral("7번째 줄: 라운드 번호는 1 이상 83903155011 이하여야 합니다.")
                             << false;
    QTest::newRow("a label with a paragraph separator")
        << QStringLiteral("label=2026 봄") << QStringLiteral("label=2026\u2029봄")
        << QStringLiteral("8번째 줄: 추첨 이름에 쓸 수 없는 문자가 있거나 정해진 형태가 아닙니다.") << false;
    QTest::newRow("a label with an invisible character")
        << QStringLiteral("label=2026 봄") << QStringLiteral("label=2026\u2060 봄")
        << QStringLiteral("8번째 줄: 추첨 이름에 쓸 수 없는 문자가 있거나 정해진 형태가 아닙니다.") << false;
    QTest::newRow("a label with two blanks")
        << QStringLiteral("label=2026 봄") << QStringLiteral("label=2026  봄")
        << QStringLiteral("8번째 줄: 추첨 이름에 쓸 수 없는 문자가 있거나 정해진 형태가 아닙니다.") << false;
    QTest::newRow("the same entrant behind an invisible character")
        << QStringLiteral("김철수2\n") << QStringLiteral("김철수2\n김\u2060철수\n")
        << QStringLiteral("14번째 줄: 목록의 항목이 12번째 줄의 항목과 보기에 같습니다.") << false;
    QTest::newRow("the same entrant in Cyrillic")
        << QStringLiteral("\n\n김철수\n") << QStringLiteral("\n\nAlice\nАlice\n김철수\n")
        << QStringLiteral("13번째 줄: 목록의 항목이 12번째 줄의 항목과 보기에 같습니다.") << false;
    QTest::newRow("a round too large to read")
        << QStringLiteral("round=42\n") << QStringLiteral("round=99999999999999999999\n")
        << QStringLiteral("7번째 줄: round은(는) 0 이상의 정수여야 합니다.") << false;
}

void TestPublicDraw::announcementFilesRefused() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, problem);
    QFETCH(bool, prized);
    Announcement announced = tv1Announcement();
    if (prized)
        announced.terms.prizes = {{1, QStringLiteral("치킨")}, {1, QStringLiteral("커피")}};
    QString text = announcementText(announced);
    QVERIFY(text.contains(from));
    text.replace(text.indexOf(from), from.size(), to);
    const QString why = parseAnnouncement(text).problem();
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
             QByteArray("8c339cc27868d110b274df05f122461b7ef668c8f6171d5ea62bdcdeea4764bf"));
    QVERIFY(text.contains(
        QStringLiteral("\nseed=8c339cc27868d110b274df05f122461b7ef668c8f6171d5ea62bdcdeea4764bf\n"
                       "winner.1=4\t이영희\nwinner.2=6\t최지우\nreserve.1=1\t김철수\n\n김철수\n")));
    const QStringList relays{QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")};
    const Verified verified = verifyResult(text, relays);
    QVERIFY2(!verified.problem, qPrintable(verified.problem.value_or(QString())));
    QCOMPARE(verified.result->tickets.winners, (QList<int>{4, 6}));
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

    // with prizes, each rank's winners named after the winners; a rank rewritten fails
    Announcement prized = tv1Announcement();
    prized.terms.prizes = {{1, QStringLiteral("치킨")}, {1, QStringLiteral("커피")}};
    const QString ranked = resultText(decide(prized, result.round, relays));
    QVERIFY(ranked.contains(QStringLiteral("\nprize.1=1\t치킨\nprize.2=1\t커피\nannouncement_sha256=")));
    QVERIFY(ranked.contains(QStringLiteral("\nwinner.1=4\t이영희\nwinner.2=2\t김철수2\nrank.1=1-1\t치킨\n"
                                           "rank.2=2-2\t커피\nreserve.1=1\t김철수\n")));
    QVERIFY(!verifyResult(ranked, relays).problem);
    QCOMPARE(verifyResult(QString(ranked).replace(QStringLiteral("rank.1=1-1\t치킨"),
                                                  QStringLiteral("rank.1=1-1\t커피")),
                          relays)
                 .problem.value_or(QString()),
             QStringLiteral("19번째 줄: 규칙으로 계산한 값은 'rank.1=1-1 치킨'입니다."));
    QCOMPARE(verifyResult(QString(ranked).replace(QStringLiteral("prize.1=1\t치킨\nprize.2=1\t커피"),
                                                  QStringLiteral("prize.1=1\t커피\nprize.2=1\t치킨")),
                          relays)
                 .problem->left(3),
             QStringLiteral("12번"));

    // a file of the first rule, as an older program wrote it, is read by that rule: an entry
    // the new one would change (two blanks inside, an EN SPACE at its end) is no fault in it
    Announcement older1{
        {QString(), 3, 1, 0, 42, tv1Label, {}, Rule::V1},
        {QStringLiteral("김철수"), QStringLiteral("김철수\u2002"), QStringLiteral("홍  길동")}};
    older1.terms.listSha256 = sha256Hex(canonicalFile(older1.list));
    const QString first = resultText(decide(older1, result.round, relays));
    QVERIFY(first.startsWith(QStringLiteral("tombolix-draw-v1\n")));
    QVERIFY2(!verifyResult(first, relays).problem, qPrintable(*verifyResult(first, relays).problem));
    QVERIFY(parseAnnouncement(announcementText(older1)));
    QCOMPARE(parseAnnouncement(announcementText(older1))->terms.rule, Rule::V1);
}

// An announcement as the entrants have it: the file, or the text of the post as copied.
void TestPublicDraw::announcementsCompared() {
    const Announcement announced = tv1Announcement();
    const Terms &terms = announced.terms;
    QVERIFY(!announcementProblem(announcementText(announced), terms));
    // a list the result's reading found sound is not read again for an equal one; any other list is
    // read whole: two entries swapped are out of order, whatever the result's list was
    QVERIFY(!announcementProblem(announcementText(announced), terms, &announced));
    Announcement swapped = announced;
    swapped.list.swapItemsAt(0, 1);
    const QString swappedText = announcementText(swapped);
    QCOMPARE(announcementProblem(swappedText, terms, &announced), announcementProblem(swappedText, terms));
    QVERIFY(announcementProblem(swappedText, terms, &announced)->contains(QStringLiteral("UTF-8 순서로")));
    Announcement firstRule = announced;
    firstRule.terms.rule = Rule::V1;
    QCOMPARE(announcementProblem(swappedText, terms, &firstRule), announcementProblem(swappedText, terms));
    // a draw list of just the announced entries, in any order, each once, is the announced list
    const QStringList entries = announced.list;
    QStringList reversed(entries.crbegin(), entries.crend());
    QVERIFY(isCheckedList(QSet<QString>(reversed.cbegin(), reversed.cend()), reversed.size(), entries));
    QStringList twice = reversed;
    twice[0] = twice[1]; // one entry twice, another missing
    QVERIFY(!isCheckedList(QSet<QString>(twice.cbegin(), twice.cend()), twice.size(), entries));
    QStringList blank = reversed;
    blank[0] += u' ';
    QVERIFY(!isCheckedList(QSet<QString>(blank.cbegin(), blank.cend()), blank.size(), entries));
    QVERIFY(
        !isCheckedList(QSet<QString>(reversed.cbegin(), reversed.cend() - 1), reversed.size() - 1, entries));
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

// The posts as the entrants have them, copied back from the site: what the site does to blanks and
// line ends changes nothing, a changed entry, name or ticket fails.
void TestPublicDraw::postsCarryTheDraw() {
    Announcement announced = tv1Announcement();
    announced.terms.prizes = {{1, QStringLiteral("치킨")}, {1, QStringLiteral("커피")}};
    const QString post =
        announcementPost(announced, {QStringLiteral("마감 시각 : 2026-08-28 09:38 (한국 시간)")});
    // as copied from the site: CR LF, no-break spaces, blank lines dropped and added, trailing blanks
    QString copied = post;
    copied.replace(QStringLiteral("\n\n"), QStringLiteral("\n")).replace(u' ', QChar(0x00A0));
    copied.replace(QStringLiteral("\n"), QStringLiteral("  \r\n\r\n"));
    for (const QString &text : {post, copied}) {
        const std::optional<Expected<PostedAnnouncement>> read = readAnnouncementPost(text);
        QVERIFY(read);
        QVERIFY2(*read, qPrintable(read->problem()));
        QCOMPARE(announcementCode((*read)->terms), announcementCode(announced.terms));
        QCOMPARE((*read)->terms.prizes, announced.terms.prizes);
        QCOMPARE((*read)->list, std::optional<QStringList>(announced.list));
        QVERIFY(!announcementProblem(text, announced.terms));
    }
    const auto problem = [](const QString &text) {
        const std::optional<Expected<PostedAnnouncement>> read = readAnnouncementPost(text);
        return read ? read->problem() : QStringLiteral("(no post)");
    };
    QVERIFY(problem(QString(post).replace(QStringLiteral("\n4. 이영희\n"), QStringLiteral("\n4. 이영이\n")))
                .endsWith(QStringLiteral(
                    "예고문의 참가자 목록이 참가자 목록의 SHA-256과 다릅니다. 목록이 바뀌었습니다.")));
    QVERIFY(problem(QString(post).replace(QStringLiteral("추첨 이름 : 2026 봄"),
                                          QStringLiteral("추첨 이름 : 2026 가을")))
                .contains(QStringLiteral("예고문에 적힌 예고 코드와 다릅니다. 예고문이 바뀌었습니다.")));
    QVERIFY(problem(QString(post).remove(QStringLiteral("목록 끝\n")))
                .endsWith(QStringLiteral("목록이 잘렸습니다.")));
    QCOMPARE(problem(post + post),
             QStringLiteral("예고문이 둘 이상 들어 있어, 어느 추첨을 예고했는지 알 수 없습니다."));
    // a text far longer than any post is not read as one
    const QString huge = post + QString(maxPostLength, QChar(0xFB00));
    QCOMPARE(problem(huge), tooLongForAPost());
    QCOMPARE(announcementProblem(huge, announced.terms), tooLongForAPost());
    // a post of the first rule's days carries the code alone, and is read for it
    QCOMPARE(problem(QStringLiteral("[Tombolix 공개 추첨 예고] 봄\n예고 코드(announcement_sha256) : 0")),
             QStringLiteral("(no post)"));
    // an entrant named like a code is an entry, not a second announcement; a code beside the post's is
    Announcement hostile = announced;
    hostile.list.prepend(QString(64, u'a'));
    hostile.terms.count = int(hostile.list.size());
    hostile.terms.listSha256 = sha256Hex(canonicalFile(hostile.list));
    const QString hostilePost = announcementPost(hostile);
    QVERIFY(!announcementProblem(hostilePost, hostile.terms));
    QCOMPARE(announcementProblem(hostilePost + QStringLiteral("\n또는 ") + QString(64, u'b'), hostile.terms),
             QStringLiteral(
                 "이 결과는 예고한 추첨이 아닙니다. 예고문에 예고 코드로 보이는 값이 2개 있어, 어느 추첨을 "
                 "예고했는지 알 수 없습니다."));
    // a longer list stays in the announcement file
    Announcement large = tv1Announcement();
    large.list.clear();
    for (int i = 0; i < maxListedEntries + 1; ++i)
        large.list.append(QString(QChar(char16_t(0xAC00 + i))));
    large.terms.count = int(large.list.size());
    large.terms.listSha256 = sha256Hex(canonicalFile(large.list));
    const std::optional<Expected<PostedAnnouncement>> read = readAnnouncementPost(announcementPost(large));
    QVERIFY(read && *read && !(*read)->list);

    // the result post: every winner, rank and reserve, and the round's signature
    const Result result =
        decide(announced, {42, round42Randomness, round42Signature}, {QStringLiteral("api.drand.sh")});
    const QString resultText = resultPost(result);
    QVERIFY(resultText.contains(
        QStringLiteral("\n당첨자\n1. 이영희 (추첨 번호 4, 1등 치킨)\n2. 김철수2 (추첨 번호 2, 2등 커피)\n")));
    const auto checked = [&](const QString &text) -> QString {
        const std::optional<Expected<PostedResult>> posted = readResultPost(text);
        if (!posted || !*posted)
            return posted ? posted->problem() : QStringLiteral("(no post)");
        return verifyPostedResult(**posted, post).problem.value_or(QString());
    };
    QCOMPARE(checked(resultText), QString());
    QCOMPARE(
        checked(QString(resultText).replace(u' ', QChar(0x00A0)).replace(u'\n', QStringLiteral("\r\n\r\n"))),
        QString());
    // the organiser names a friend beside an honest round
    QCOMPARE(
        checked(QString(resultText)
                    .replace(QStringLiteral("1. 이영희 (추첨"), QStringLiteral("1. 박민수 (추첨"))),
        QStringLiteral(
            "결과문의 당첨자 1번째가 규칙으로 계산한 값('1. 이영희 (추첨 번호 4, 1등 치킨)')과 다릅니다."));
    QCOMPARE(
        checked(QString(resultText).replace(QStringLiteral("1등 치킨"), QStringLiteral("2등 커피"))),
        QStringLiteral(
            "결과문의 당첨자 1번째가 규칙으로 계산한 값('1. 이영희 (추첨 번호 4, 1등 치킨)')과 다릅니다."));
    QCOMPARE(
        checked(
            QString(resultText).replace(QStringLiteral("(추첨 번호 1)"), QStringLiteral("(추첨 번호 3)"))),
        QStringLiteral(
            "결과문의 예비 당첨자 1번째가 규칙으로 계산한 값('1. 김철수 (추첨 번호 1)')과 다릅니다."));
    QCOMPARE(checked(QString(resultText).replace(round42Signature, QString(96, u'a'))), signatureRefused(42));
    // against another draw's announcement: not the announced one
    QVERIFY(checked(QString(resultText).replace(announcementCode(announced.terms), QString(64, u'c')))
                .startsWith(QStringLiteral("이 결과는 예고한 추첨이 아닙니다. 결과문의 예고 코드(")));
    // the announcement without its list cannot tell who was drawn
    QVERIFY(verifyPostedResult(**readResultPost(resultText),
                               QStringLiteral("예고 코드 ") + announcementCode(announced.terms))
                .problem->startsWith(QStringLiteral("결과문만으로 확인하려면")));
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
