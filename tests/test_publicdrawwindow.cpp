// The public draw through the real menus of the main window, with two servers on 127.0.0.1
// standing in for the beacon's two relays.
#include "app/frmMain.h"
#include "common/DrawList.h"
#include "core/DrawPosts.h"
#include "core/DrawVerification.h"
#include "publicdraw/Countdown.h"
#include "publicdraw/PublicDrawCommands.h"
#include "resultbox/ResultBox.h"
#include "tests/support/Fakes.h"
#include "tests/support/PublicDrawVectors.h"
#include "tests/support/TestHttpServer.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTimeZone>

using namespace tombolix;
using namespace tombolix::test;
using namespace tombolix::publicdraw;

namespace {

QByteArray round42() {
    return roundJson(42, round42Randomness, round42Signature);
}

// Another round 42 that holds together (its randomness is its signature's SHA-256) but is not
// drand's: what a relay that lies would give.
QByteArray forged42() {
    const QString signature(96, u'a');
    return roundJson(42,
                     QString::fromLatin1(QCryptographicHash::hash(QByteArray::fromHex(signature.toLatin1()),
                                                                  QCryptographicHash::Sha256)
                                             .toHex()),
                     signature);
}

QDateTime utc(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}

const QString label = tv1Label;

QString readUtf8(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestPublicDrawWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void announceThroughTheMenu();
    void announcementsRefused();
    void drawAndVerifyThroughTheMenus();
    void drawsRefused_data();
    void drawsRefused();
    void aRoundNotOutYetIsAskedAgain();
    void noRelayLetsTheRoundBePasted();
    void theCountdownEndsWhenTheRoundComes();
    void theCountdownCanBeCancelled();
    void closingTheWindowEndsTheCountdown();
    void verificationFailsOnAChangedByte();
    void theScriptChecksTheSameFiles();
    void anAnnouncedRoundMustBeAhead();
    void aResultThatWasNeverAnnounced();
    void aRoundThatNobodyChecked();
    void aRelayWithAMadeUpRoundIsNotUsed();
    void userTextIsNeverAFormat();
    void theMenuOpensTheVerifierPage();
    void blankLookAlikesHoldNoTicket();
    void anEntrantQtWouldMiscomposeIsDrawn();
    void aLongPostIsReadWhole();
    void aHugeFileIsAnsweredWithTheWindowAnswering();
    void aResultPostIsCheckedAgainstTheList();
    void theScriptOnEveryPython();
    void aHostileRelayEndsNoScriptInATraceback();
    void theRulesOfAnImportAreAnnounced();
    void aListChangedWhileTheAnnouncementIsReadIsNotDrawn_data();
    void aListChangedWhileTheAnnouncementIsReadIsNotDrawn();

private:
    // The announcement of TV1 for round 42, written by the menu.
    QString announce();
    QStringList files(const QString &kind) const;
    QString drawnResult(); // the result file of a draw of TV1 through the menu
    int runScript(const QStringList &arguments, QString *output);
    QString writeText(const QString &name, const QString &text) const; // in the rig's folder

    QString post;            // the announcement for the post, as the menu put it on the clipboard
    QStringList drandRelays; // what the participant's script takes for drand's own relays
    std::unique_ptr<TestHttpServer> relayA;
    std::unique_ptr<TestHttpServer> relayB;
    std::unique_ptr<Rig> rig;
    std::unique_ptr<frmMain> main;
};

void TestPublicDrawWindow::init() {
    relayA = std::make_unique<TestHttpServer>();
    relayB = std::make_unique<TestHttpServer>();
    relayA->setDefault({200, {}, round42()});
    relayB->setDefault({200, {}, round42()});
    rig = std::make_unique<Rig>();
    rig->endpoints.beaconRelays = {relayA->base(), relayB->base()};
    drandRelays = rig->endpoints.beaconRelays;
    // a quarter of an hour before round 42 (2023-08-23T15:11:30Z)
    rig->clock.time = utc(publicdraw::roundTime(42) - 690);
    main = std::make_unique<frmMain>(rig->services());
    main->publicDraw().setLimits({2000, 50, 1000});
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    for (const QString &entry : tv1List())
        main->drawList().append(entry);
    main->OptPick[0]->setChecked(true);
}

void TestPublicDrawWindow::cleanup() {
    main.reset();
    rig.reset();
    relayA.reset();
    relayB.reset();
}

QStringList TestPublicDrawWindow::files(const QString &kind) const {
    return QDir(rig->folder.path())
        .entryList({QStringLiteral("*_Tombolix_") + kind + QStringLiteral(".txt")});
}

QString TestPublicDrawWindow::announce() {
    rig->prompter.type(label);
    rig->prompter.type(QStringLiteral("2"));
    rig->prompter.type(QStringLiteral("1"));
    rig->prompter.type(QString()); // no prizes by rank
    rig->prompter.type(QStringLiteral("2023-08-24 00:11:30"));
    main->mnu_Announce->trigger();
    post = rig->desktop.clipboardText;
    const QStringList written = files(QStringLiteral("Announce"));
    if (written.size() != 1)
        return {};
    return rig->folder.filePath(written.first());
}

QString TestPublicDrawWindow::drawnResult() {
    const QString announcement = announce();
    rig->clock.time = utc(publicdraw::roundTime(42) + 1);
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    main->mnu_PublicDraw->trigger();
    const QStringList written = files(QStringLiteral("Result"));
    return written.size() == 1 ? rig->folder.filePath(written.first()) : QString();
}

// TV1 announced through the menu: the file, the summary and the text for the post.
void TestPublicDrawWindow::announceThroughTheMenu() {
    const QString path = announce();
    QVERIFY(!path.isEmpty());
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("2023_08_23_15.00.00_Tombolix_Announce.txt"));
    const QList<ScriptedPrompter::Record> &records = rig->prompter.records;
    QCOMPARE(records.size(), 6);
    // the prizes asked in one box of many lines, one rank a line
    QCOMPARE(records[3].kind, PromptKind::MultiLineInput);
    QVERIFY(records[3].text.startsWith(
        QStringLiteral("등수별 당첨자를 한 줄에 한 등수씩 입력해주세요. (Ex : 1등 1명 치킨)")));
    // offered: the first whole ten minutes at least ten minutes ahead of 15:00:00Z
    QCOMPARE(records[4].initialText, QStringLiteral("2023-08-24 00:10"));
    QCOMPARE(records[5].kind, PromptKind::Notice);
    const QString F = QStringLiteral("2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570");
    const QString A = QStringLiteral("376c26947d7099ab5062023eacdfb6de18acf1da47627a5ce428116993f5f25a");
    QCOMPARE(
        records[5].text,
        QStringLiteral("추첨 예고를 만들었습니다.\r\n참가자 : 6명\r\n목록의 SHA-256 : ") + F +
            QStringLiteral("\r\n공개 난수 : drand quicknet 라운드 42 (2023-08-24 00:11:30, 한국 시간)\r\n"
                           "예고 코드 : ") +
            A + QStringLiteral("\r\n예고 파일 : ") + QDir::toNativeSeparators(path) +
            QStringLiteral(
                "\r\n게시글에 붙여넣을 예고문을 클립보드에 복사했습니다. 추첨 시각 전에 올려주세요."));
    const QString text = readUtf8(path);
    QVERIFY(text.startsWith(QStringLiteral("tombolix-draw-v2\nlist_sha256=") + F +
                            QStringLiteral("\nlist_count=6\n")));
    QVERIFY(text.endsWith(QStringLiteral("\nlabel=2026 봄 나눔 이벤트\nannouncement_sha256=") + A +
                          QStringLiteral("\nround_time=2023-08-24T00:11:30+09:00\n\n"
                                         "김철수\n김철수2\n박민수\n이영희\n정하늘\n최지우\n")));
    const QString clipboard = rig->desktop.clipboardText;
    for (const QString &part :
         {label, F, QStringLiteral("\n참가자 : 6명\n당첨자 : 2명\n예비 당첨자 : 1명\n"),
          QStringLiteral("라운드 42 (2023-08-24 00:11:30, 한국 시간에 공개)"),
          QStringLiteral(
              "\n참가자 목록 (6명, 추첨 번호 순)\n1. 김철수\n2. 김철수2\n3. 박민수\n4. 이영희\n5. 정하늘\n6. "
              "최지우\n목록 끝\n"),
          QStringLiteral("휴대폰에서 확인하는 법 : "),
          QString(QStringLiteral("예고 코드(announcement_sha256) : ") + A),
          QStringLiteral("이 글이 라운드 42의 공개 시각(2023-08-24 00:11:30, 한국 시간) 전에 "
                         "쓰였는지 꼭 확인하세요."),
          QStringLiteral("verify-draw.py")})
        QVERIFY2(clipboard.contains(part), qPrintable(part));
    // the draw list is left as it was
    QCOMPARE(main->drawList().count(), 7);
}

void TestPublicDrawWindow::announcementsRefused() {
    auto refused = [this](const QStringList &answers, const QString &message) {
        rig->prompter.reset();
        for (const QString &answer : answers)
            rig->prompter.type(answer);
        main->mnu_Announce->trigger();
        if (rig->prompter.records.isEmpty() || rig->prompter.records.last().text != message)
            QTest::qFail(qPrintable(rig->prompter.texts().join(u'|')), __FILE__, __LINE__);
        if (!files(QStringLiteral("Announce")).isEmpty())
            QTest::qFail("an announcement was written", __FILE__, __LINE__);
    };
    refused({label, QStringLiteral("6"), QStringLiteral("1")},
            QStringLiteral("당첨자와 예비 당첨자를 합한 수(7)가 목록의 항목 수(6)보다 많습니다."));
    refused({label, QStringLiteral("0")}, QStringLiteral("양의 정수로 입력해주세요!"));
    refused({label, QStringLiteral("2"), QStringLiteral("-1")},
            QStringLiteral("0 이상의 정수로 입력해주세요!"));
    refused({label, QStringLiteral("2"), QStringLiteral("0"), QString(), QStringLiteral("2023-08-23 23:58")},
            QStringLiteral("추첨 시각이 이미 지났습니다! 앞으로의 시각을 입력해주세요."));
    refused({label, QStringLiteral("2"), QStringLiteral("0"), QString(), QStringLiteral("내일 저녁")},
            QStringLiteral("추첨 시각을 2026-04-20 21:00처럼 입력해주세요!"));
    for (const QString &label : {QStringLiteral("봄\u202E나눔"), QStringLiteral("봄\u0007나눔")})
        refused({label}, QStringLiteral(
                             "추첨의 이름에는 제어 문자나 보이지 않는 문자, 줄바꿈 문자를 쓸 수 없습니다!"));
    refused({QString(201, QChar(0xBD04))}, QStringLiteral("추첨의 이름은 200자까지 쓸 수 있습니다!"));
    // prizes that are not the winners, or not as they are written
    refused({label, QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("1등 1명 치킨")},
            QStringLiteral("등수별 당첨자를 합한 수(1명)가 당첨자 수(2명)와 다릅니다."));
    refused({label, QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("1등 1명 치킨\n치킨 2개")},
            QStringLiteral("2번째 줄: '2등 1명 치킨'처럼 등수, 당첨자 수, 상품 이름을 차례로 적어주세요."));

    // equal entries once made canonical, and a control character inside an entry
    const QString repeated =
        QStringLiteral("공개 추첨에서는 같은 항목이 두 번 들어갈 수 없습니다. 앞뒤의 공백이나 보이지 "
                       "않는 문자를 빼고 가운데 공백을 하나로 치면 같은 항목이 있습니다. ");
    main->drawList().append(QStringLiteral("김철수 "));
    refused({}, repeated + QStringLiteral("(1개: \"김철수\")"));
    // the same entrant behind braille blanks, as a friend of the organiser's would hold more tickets
    main->drawList().removeAt(main->drawList().count() - 1);
    main->drawList().append(QStringLiteral("정하늘\u2800\u2800\u2800"));
    refused({}, repeated + QStringLiteral("(1개: \"정하늘\")"));
    main->drawList().removeAt(main->drawList().count() - 1);
    main->drawList().append(QStringLiteral("홍\u0007길동"));
    const QString unusable =
        QStringLiteral("공개 추첨에 쓸 수 없는 문자(제어 문자, 깨진 문자, 유니코드 14에 없는 문자)가 "
                       "들어 있거나 보이는 글자가 없는 항목이 있습니다. (1개: ");
    refused({}, unusable + QStringLiteral("\"홍<U+0007>길동\")"));
    // half a surrogate pair, as a comment's JSON can carry it: refused before anything is written
    main->drawList().removeAt(main->drawList().count() - 1);
    main->drawList().append(QStringLiteral("김철") + QChar(0xDC00) + QStringLiteral("수"));
    refused({}, unusable + QStringLiteral("\"김철<U+DC00>수\")"));
    // the same person twice, once with an invisible character inside
    main->drawList().removeAt(main->drawList().count() - 1);
    main->drawList().append(QStringLiteral("정\u2060하늘"));
    refused({},
            QStringLiteral(
                "공개 추첨에서는 보기에 같은 항목이 함께 들어갈 수 없습니다. 보이지 않는 문자나 공백, 전각 "
                "문자, 다른 나라 글자의 닮은꼴(키릴 문자 'а'와 'a' 같은)만 다른 항목이 있습니다. 한 사람이 "
                "두 번 들어간 것이 아닌지 확인해주세요. (2개: \"정<U+2060>하늘\", \"정하늘\")"));
    // longer than any nickname
    main->drawList().removeAt(main->drawList().count() - 1);
    main->drawList().append(QString(201, QChar(0xD64D)));
    refused({}, QStringLiteral("공개 추첨에는 200자가 넘는 항목을 쓸 수 없습니다. (1개: \"") +
                    QString(201, QChar(0xD64D)) + QStringLiteral("\")"));
}

// TV1 drawn through the menu against the two relays, then verified through the menu.
void TestPublicDrawWindow::drawAndVerifyThroughTheMenus() {
    const QString path = drawnResult();
    QVERIFY2(!path.isEmpty(), qPrintable(rig->prompter.texts().join(u'|')));
    const QString target = QStringLiteral("/") + publicdraw::chainHash() + QStringLiteral("/public/42");
    QCOMPARE(relayA->requests.size(), 1);
    QCOMPARE(relayA->requests[0].target, target.toLatin1());
    QCOMPARE(relayB->requests.size(), 1);
    QCOMPARE(main->txtPick->text(), QStringLiteral("이영희, 최지우, 김철수 (예비 1)"));
    QCOMPARE(rig->prompter.records.last().text,
             QStringLiteral("공개 추첨을 마쳤습니다.\r\n결과 파일 : ") + QDir::toNativeSeparators(path) +
                 QStringLiteral("\r\n게시글에 붙여넣을 결과문을 클립보드에 복사했습니다."));
    // the result for the post: the winners and reserves with their tickets, the code, the round
    const QString resultPost = rig->desktop.clipboardText;
    for (const QString &part :
         {QStringLiteral("[Tombolix 공개 추첨 결과] 2026 봄 나눔 이벤트\n\n당첨자\n1. 이영희 (추첨 번호 4)\n"
                         "2. 최지우 (추첨 번호 6)\n"),
          QStringLiteral("\n1. 김철수 (추첨 번호 1)\n"),
          QStringLiteral("예고 코드(announcement_sha256) : "
                         "376c26947d7099ab5062023eacdfb6de18acf1da47627a5ce428116993f5f25a"),
          QStringLiteral(
              "참가자 목록의 SHA-256 : 2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570"),
          QStringLiteral("drand quicknet 라운드 42 (2023-08-24 00:11:30, 한국 시간에 공개)"),
          QStringLiteral("verify-draw.py")})
        QVERIFY2(resultPost.contains(part), qPrintable(part));
    const QString text = readUtf8(path);
    QVERIFY(text.contains(QStringLiteral("\nrandomness=") + round42Randomness + u'\n'));
    QVERIFY(text.contains(QStringLiteral("\nrelays=") + relayA->host() + u',' + relayB->host() + u'\n'));
    QVERIFY(text.contains(
        QStringLiteral("\nseed=8c339cc27868d110b274df05f122461b7ef668c8f6171d5ea62bdcdeea4764bf\n"
                       "winner.1=4\t이영희\nwinner.2=6\t최지우\nreserve.1=1\t김철수\n\n")));

    // in the list format, one a line
    main->OptPick[1]->setChecked(true);
    rig->prompter.reset();
    rig->prompter.chooseFile(rig->folder.filePath(files(QStringLiteral("Announce")).first()));
    rig->prompter.yes(); // the earlier result goes
    main->mnu_PublicDraw->trigger();
    QCOMPARE(main->txtPick->text(), QStringLiteral("이영희\r\n최지우\r\n김철수 (예비 1)"));

    // verified with the announcement as it was posted: the round by its own signature, no relay
    // asked
    const QString drawn =
        QStringLiteral("2026 봄 나눔 이벤트 : 참가자 6명 중 당첨자 2명, 예비 당첨자 1명이 규칙대로 "
                       "뽑혔습니다.\r\n");
    const QString roundChecked =
        QStringLiteral("라운드 42의 signature를 drand quicknet의 공개 키로 확인했습니다.");
    // every success names what it checked, to be compared with the result post
    const QString drawnNames =
        QStringLiteral("당첨자\r\n1. 이영희 (추첨 번호 4)\r\n2. 최지우 (추첨 번호 6)\r\n"
                       "예비 당첨자\r\n1. 김철수 (추첨 번호 1)");
    const QString success =
        QStringLiteral("검증 성공\r\n") + drawn +
        QStringLiteral("예고에 이 결과의 예고 코드가 있어, 예고한 그대로의 추첨입니다.\r\n") + roundChecked +
        QStringLiteral("\r\n※라운드 42은(는) 2023-08-24 00:11:30(한국 시간)에 공개되었습니다. 예고문이 "
                       "그보다 먼저 게시되었고 그 뒤에 고쳐지지 않았는지 게시글에서 꼭 확인하세요. 그 "
                       "뒤에 올린 예고라면 진행자가 당첨자를 고를 수 있었습니다.\r\n") +
        drawnNames;
    rig->prompter.reset();
    relayA->requests.clear();
    rig->prompter.chooseFile(path);
    rig->prompter.type(post);
    main->mnu_Verify->trigger();
    QVERIFY(relayA->requests.isEmpty());
    QCOMPARE(rig->prompter.records.size(), 3);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::MultiLineInput);
    QCOMPARE(rig->prompter.records[2].kind, PromptKind::Notice);
    QCOMPARE(rig->prompter.records[2].text, success);
    // or with the announcement file: the box left empty
    rig->prompter.reset();
    rig->prompter.chooseFile(path);
    rig->prompter.type(QString());
    rig->prompter.chooseFile(rig->folder.filePath(files(QStringLiteral("Announce")).first()));
    main->mnu_Verify->trigger();
    QCOMPARE(rig->prompter.records.last().text, success);
    // compared with no announcement: not a success, and it says so
    rig->prompter.reset();
    rig->prompter.chooseFile(path);
    rig->prompter.cancel();
    main->mnu_Verify->trigger();
    QCOMPARE(rig->prompter.records.last().kind, PromptKind::Information);
    QCOMPARE(
        rig->prompter.records.last().text,
        QStringLiteral(
            "검증 미완료\r\n결과 파일의 당첨자와 예비 당첨자는 파일에 적힌 목록과 라운드로 규칙대로 "
            "계산되어 있고, ") +
            roundChecked +
            QStringLiteral(
                "\r\n그러나 이 결과는 어떤 예고와도 비교하지 않았습니다. 아래 값이 추첨 전에 올린 "
                "예고와 같은지 직접 확인하세요.\r\n추첨 이름 : 2026 봄 나눔 이벤트\r\n"
                "예고 코드(announcement_sha256) : "
                "376c26947d7099ab5062023eacdfb6de18acf1da47627a5ce428116993f5f25a\r\n"
                "참가자 목록의 SHA-256 : 2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570\r\n"
                "참가자 6명, 당첨자 2명, 예비 당첨자 1명\r\n"
                "공개 난수 : drand quicknet 라운드 42 (2023-08-24 00:11:30, 한국 시간)\r\n") +
            drawnNames);
}

void TestPublicDrawWindow::drawsRefused_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // how it begins
    QTest::newRow("the list changed")
        << QStringLiteral("list")
        << QStringLiteral("지금 리스트가 예고한 목록과 다릅니다.\r\n추가된 항목 (1개) : "
                          "\"홍길동\"\r\n빠진 항목 (1개) : \"정하늘\"");
    QTest::newRow("a made-up round from both relays")
        << QStringLiteral("forged")
        << QStringLiteral("공개 난수를 쓸 수 없어 추첨하지 않았습니다.\r\n127.0.0.1:");
    QTest::newRow("a round that is not R")
        << QStringLiteral("round 43") << QStringLiteral("공개 난수를 쓸 수 없어 추첨하지 않았습니다.\r\n");
    QTest::newRow("randomness not of the signature")
        << QStringLiteral("randomness") << QStringLiteral("공개 난수를 쓸 수 없어 추첨하지 않았습니다.\r\n");
    QTest::newRow("a malformed announcement")
        << QStringLiteral("malformed") << QStringLiteral("추첨 예고 파일이 올바르지 않습니다.\r\n3번째 줄: ");
    QTest::newRow("no format chosen")
        << QStringLiteral("format") << QStringLiteral("출력 형식을 선택해주세요!");
    QTest::newRow("not UTF-8") << QStringLiteral("cp949")
                               << QStringLiteral("선택하신 파일이 UTF-8 텍스트가 아니거나 손상되었습니다!");
}

// Each failure says why in Korean and changes nothing: no result, no file.
void TestPublicDrawWindow::drawsRefused() {
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QString announcement = announce();
    rig->clock.time = utc(publicdraw::roundTime(42) + 1);
    main->txtPick->setText(QStringLiteral("이전 결과"));
    if (fault == QStringLiteral("list")) {
        main->drawList().append(QStringLiteral("홍길동"));
        main->drawList().removeAt(6); // 정하늘
    } else if (fault == QStringLiteral("forged")) {
        relayA->setDefault({200, {}, forged42()});
        relayB->setDefault({200, {}, forged42()});
    } else if (fault == QStringLiteral("round 43")) {
        relayA->setDefault({200, {}, QByteArray(round42()).replace("\"round\":42", "\"round\":43")});
        relayB->setDefault({200, {}, QByteArray(round42()).replace("\"round\":42", "\"round\":43")});
    } else if (fault == QStringLiteral("randomness")) {
        relayA->setDefault({200, {}, QByteArray(round42()).replace("8ada64", "8ada65")});
        relayB->setDefault({200, {}, QByteArray(round42()).replace("8ada64", "8ada65")});
    } else if (fault == QStringLiteral("format")) {
        main->OptPick[0]->group()->setExclusive(false); // as a fresh window: neither chosen
        main->OptPick[0]->setChecked(false);
        main->OptPick[0]->group()->setExclusive(true);
    } else {
        QFile file(announcement);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        if (fault == QStringLiteral("malformed"))
            bytes.replace("list_count=6", "list_count=six");
        else
            bytes.replace("김철수", QByteArray("\xB1\xE8\xC3\xB6\xBC\xF6")); // 김철수 in code page 949
        file.resize(0);
        file.write(bytes);
    }
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    rig->prompter.yes(); // replace the earlier result, where asked
    main->mnu_PublicDraw->trigger();
    QVERIFY2(rig->prompter.records.last().text.startsWith(message),
             qPrintable(rig->prompter.records.last().text));
    QCOMPARE(main->txtPick->text(), QStringLiteral("이전 결과"));
    QVERIFY(files(QStringLiteral("Result")).isEmpty());
}

// The machine's clock a little ahead: the relays do not have the round yet and are asked again.
void TestPublicDrawWindow::aRoundNotOutYetIsAskedAgain() {
    const QString announcement = announce();
    rig->clock.time = utc(publicdraw::roundTime(42) + 1);
    relayA->enqueue({404, {}, "{\"error\":\"not found\"}"});
    relayB->enqueue({404, {}, "{\"error\":\"not found\"}"});
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    main->mnu_PublicDraw->trigger();
    QCOMPARE(relayA->requests.size(), 2);
    QCOMPARE(main->txtPick->text(), QStringLiteral("이영희, 최지우, 김철수 (예비 1)"));

    // still not out after the time given: nothing is drawn
    relayA->setDefault({404, {}, {}});
    relayB->setDefault({404, {}, {}});
    main->txtPick->setText(QString());
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    main->mnu_PublicDraw->trigger();
    QCOMPARE(rig->prompter.records.last().text,
             QStringLiteral(
                 "라운드 42의 공개 난수가 아직 나오지 않았습니다. 컴퓨터의 시계가 맞는지 확인하시고 잠시 후 "
                 "다시 시도해주세요."));
    QVERIFY(main->txtPick->text().isEmpty());
}

// No relay reachable: the round's JSON, fetched elsewhere, may be pasted, and is checked the same.
void TestPublicDrawWindow::noRelayLetsTheRoundBePasted() {
    const QString announcement = announce();
    rig->clock.time = utc(publicdraw::roundTime(42) + 1);
    TestHttpServer::Answer reset;
    reset.reset = true;
    relayA->setDefault(reset);
    relayB->setDefault(reset);

    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    rig->prompter.type(QString::fromLatin1(QByteArray(round42()).replace("8ada64", "8ada65")));
    main->mnu_PublicDraw->trigger();
    QCOMPARE(
        rig->prompter.records.last().text,
        QStringLiteral("붙여넣은 라운드 정보를 쓸 수 없어 추첨하지 않았습니다.\r\n라운드 정보의 randomness가 "
                       "signature의 SHA-256과 다릅니다."));
    QVERIFY(files(QStringLiteral("Result")).isEmpty());

    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    rig->prompter.type(QStringLiteral("  ") + QString::fromLatin1(round42()) + QStringLiteral("\n"));
    main->mnu_PublicDraw->trigger();
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::MultiLineInput);
    QVERIFY(rig->prompter.records[1].text.contains(QStringLiteral("라운드 42의 정보(JSON)")));
    QVERIFY(
        rig->prompter.records.last().text.endsWith(QStringLiteral("※붙여넣은 라운드 정보로 추첨했습니다.")));
    QCOMPARE(main->txtPick->text(), QStringLiteral("이영희, 최지우, 김철수 (예비 1)"));
    const QString result = rig->folder.filePath(files(QStringLiteral("Result")).first());
    QVERIFY(readUtf8(result).contains(QStringLiteral("\nrelays=pasted\n")));
    // and it verifies with no relay reachable: the round by its own signature
    rig->prompter.reset();
    rig->prompter.chooseFile(result);
    rig->prompter.type(post);
    main->mnu_Verify->trigger();
    QVERIFY2(rig->prompter.records.last().text.startsWith(QStringLiteral("검증 성공\r\n")),
             qPrintable(rig->prompter.records.last().text));
    QVERIFY(rig->prompter.records.last().text.contains(
        QStringLiteral("라운드 42의 signature를 drand quicknet의 공개 키로 확인했습니다.\r\n")));

    // a pasted round that holds together but is not drand's is refused
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    rig->prompter.yes(); // the earlier result
    rig->prompter.type(QString::fromLatin1(forged42()));
    main->mnu_PublicDraw->trigger();
    QCOMPARE(rig->prompter.records.last().text,
             QStringLiteral(
                 "붙여넣은 라운드 정보를 쓸 수 없어 추첨하지 않았습니다.\r\n라운드 42의 signature가 drand "
                 "quicknet의 공개 키로 확인되지 않습니다. drand가 낸 라운드가 아닙니다."));
    QCOMPARE(files(QStringLiteral("Result")).size(), 1);
}

// A relay whose round is not drand's is named and not used; the draw goes on with the relay
// whose round verifies.
void TestPublicDrawWindow::aRelayWithAMadeUpRoundIsNotUsed() {
    const QString announcement = announce();
    rig->clock.time = utc(publicdraw::roundTime(42) + 1);
    relayA->setDefault({200, {}, forged42()});
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    main->mnu_PublicDraw->trigger();
    QCOMPARE(main->txtPick->text(), QStringLiteral("이영희, 최지우, 김철수 (예비 1)"));
    QVERIFY2(rig->prompter.records.last().text.endsWith(
                 QStringLiteral("※쓰지 않은 공개 난수 서버 : ") + relayA->host() +
                 QStringLiteral(
                     " : 라운드 42의 signature가 drand quicknet의 공개 키로 확인되지 않습니다. drand가 낸 "
                     "라운드가 아닙니다.")),
             qPrintable(rig->prompter.records.last().text));
    const QString result = rig->folder.filePath(files(QStringLiteral("Result")).first());
    QVERIFY(readUtf8(result).contains(QStringLiteral("\nrelays=") + relayB->host() + u'\n'));
}

// The draw waits for the round with a countdown, the window usable meanwhile; the round's time
// comes (the clock moves on), and the draw goes on by itself.
void TestPublicDrawWindow::theCountdownEndsWhenTheRoundComes() {
    const QString announcement = announce();
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    bool usable = false;
    QTimer::singleShot(300, this, [this, &usable] {
        Countdown *countdown = main->publicDraw().countdown();
        if (!countdown)
            return;
        // the main window still takes input while the countdown runs
        main->drawList().append(QStringLiteral("대기 중에 추가"));
        usable = main->txtAdd->isEnabled() && countdown->isVisible();
        rig->clock.time = utc(publicdraw::roundTime(42));
    });
    main->mnu_PublicDraw->trigger();
    QVERIFY(usable);
    // drawn from the announced list, whatever the list became meanwhile
    QCOMPARE(main->txtPick->text(), QStringLiteral("이영희, 최지우, 김철수 (예비 1)"));
    QCOMPARE(files(QStringLiteral("Result")).size(), 1);
}

void TestPublicDrawWindow::theCountdownCanBeCancelled() {
    const QString announcement = announce();
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    QTimer::singleShot(300, this, [this] {
        if (Countdown *countdown = main->publicDraw().countdown())
            QTest::mouseClick(countdown->cancelButton(), Qt::LeftButton);
    });
    main->mnu_PublicDraw->trigger();
    QCOMPARE(rig->prompter.records.last().text, QStringLiteral("공개 추첨을 취소했습니다."));
    QVERIFY(main->txtPick->text().isEmpty());
    QVERIFY(files(QStringLiteral("Result")).isEmpty());
    QVERIFY(relayA->requests.isEmpty());
    QVERIFY(!main->publicDraw().countdown());
}

// A close from the window manager during the countdown ends the wait: nothing is asked or written.
void TestPublicDrawWindow::closingTheWindowEndsTheCountdown() {
    const QString announcement = announce();
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    QTimer::singleShot(300, this, [this] { main->close(); });
    main->mnu_PublicDraw->trigger();
    QVERIFY(!main->isVisible());
    QCOMPARE(rig->prompter.records.size(), 1); // the file dialog only
    QVERIFY(files(QStringLiteral("Result")).isEmpty());
    QVERIFY(relayA->requests.isEmpty());
}

void TestPublicDrawWindow::verificationFailsOnAChangedByte() {
    const QString path = drawnResult();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes.replace("winner.2=6\t", "winner.2=5\t");
    file.resize(0);
    file.write(bytes);
    file.close();
    rig->prompter.reset();
    rig->prompter.chooseFile(path);
    main->mnu_Verify->trigger();
    QCOMPARE(rig->prompter.records.last().kind, PromptKind::Information);
    QCOMPARE(rig->prompter.records.last().text,
             QStringLiteral("검증 실패\r\n16번째 줄: 규칙으로 계산한 값은 'winner.2=6 최지우'입니다."));
}

// Runs tools/verify-draw.py while this process's relays keep answering, the test's relays standing
// in for drand's own (`drandRelays`; never the real ones): its exit status (-1 when it did not
// end), its output in `output`.
int TestPublicDrawWindow::runScript(const QStringList &arguments, QString *output) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QProcess process;
    QEventLoop loop;
    connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    process.start(python, QStringList{QStringLiteral(TOMBOLIX_SOURCE_DIR "/tests/support/run_verify_draw.py"),
                                      QStringLiteral(TOMBOLIX_SOURCE_DIR "/tools/verify-draw.py"),
                                      drandRelays.isEmpty() ? QStringLiteral("-") : drandRelays.join(u',')} +
                              arguments);
    loop.exec();
    *output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit
               ? process.exitCode()
               : -1;
}

QString TestPublicDrawWindow::writeText(const QString &name, const QString &text) const {
    QFile file(rig->folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text.toUtf8());
    return file.fileName();
}

// tools/verify-draw.py checks a result file as the program does, against the announcement as it
// was posted, and computes the draw from the list and the announcement alone.
void TestPublicDrawWindow::theScriptChecksTheSameFiles() {
#ifdef Q_OS_WIN
    QSKIP("the participant's script is run by the Linux build");
#endif
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        QSKIP("no python3 on this machine");
    const QString path = drawnResult();
    const QString announcement = rig->folder.filePath(files(QStringLiteral("Announce")).first());
    const QString postFile = writeText(QStringLiteral("post.txt"), post);
    const QStringList relays{QStringLiteral("--relay"), relayA->base(), QStringLiteral("--relay"),
                             relayB->base()};
    QString output;
    QCOMPARE(runScript(relays + QStringList{path, QStringLiteral("--announcement"), announcement}, &output),
             0);
    QVERIFY2(output.startsWith(QStringLiteral("검증 성공\n")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("에서 다시 받아 확인했습니다.")), qPrintable(output));
    QCOMPARE(relayA->requests.size(), 2); // the draw's, and the script's
    QCOMPARE(runScript(relays + QStringList{path, QStringLiteral("--announcement"), postFile}, &output), 0);

    // one relay that has no such round, the other has it: confirmed
    relayA->setDefault({404, {}, "{\"error\":\"not found\"}"});
    QCOMPARE(runScript(relays + QStringList{path, QStringLiteral("--announcement"), postFile}, &output), 0);
    // no announcement, or no relay asked: not a success, and it says what was not checked
    QCOMPARE(runScript(relays + QStringList{path}, &output), 3);
    QVERIFY2(output.startsWith(QStringLiteral("검증 미완료\n")), qPrintable(output));
    QVERIFY(output.contains(QStringLiteral("이 결과는 어떤 예고와도 비교하지 않았습니다.")));
    QVERIFY(
        output.contains(QStringLiteral("예고 코드(announcement_sha256) : "
                                       "376c26947d7099ab5062023eacdfb6de18acf1da47627a5ce428116993f5f25a")));
    // (offline, the relays given only name the relays a result may name)
    QCOMPARE(runScript(relays + QStringList{QStringLiteral("--offline"), path,
                                            QStringLiteral("--announcement"), postFile},
                       &output),
             3);
    QVERIFY2(output.contains(QStringLiteral("라운드 42은(는) 확인되지 않았습니다.")), qPrintable(output));

    // a result that names drand's own relays checked while only relay A stands in for them
    Announcement announced;
    announced = *parseAnnouncement(readUtf8(announcement));
    const QString named = writeText(
        QStringLiteral("named.txt"),
        resultText(decide(announced, {42, round42Randomness, round42Signature},
                          {QStringLiteral("api.drand.sh"), QStringLiteral("drand.cloudflare.com")})));
    // (the program knows drand's relays too, whichever it asks itself)
    rig->prompter.reset();
    rig->prompter.chooseFile(named);
    rig->prompter.type(post);
    main->mnu_Verify->trigger();
    QVERIFY2(rig->prompter.records.last().text.startsWith(QStringLiteral("검증 성공\r\n")),
             qPrintable(rig->prompter.records.last().text));
    relayA->setDefault({200, {}, round42()});
    drandRelays = QStringList{relayA->base()};
    QCOMPARE(runScript({named, QStringLiteral("--announcement"), postFile}, &output), 0);
    // a relay given is added to the relays a result may name, and is asked; but its word alone
    // confirms nothing: whoever runs it could answer anything
    drandRelays.clear();
    QCOMPARE(runScript(relays + QStringList{path, QStringLiteral("--announcement"), postFile}, &output), 3);
    QVERIFY2(output.contains(QStringLiteral("만 같은 라운드를 주었습니다.")), qPrintable(output));
    drandRelays = QStringList{relayB->base()};
    QCOMPARE(runScript(relays + QStringList{path, QStringLiteral("--announcement"), postFile}, &output), 0);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    file.resize(0);
    file.write(bytes.replace("reserve.1=1\t", "reserve.1=5\t"));
    file.close();
    QCOMPARE(runScript(relays + QStringList{QStringLiteral("--offline"), path}, &output), 1);
    QVERIFY2(output.contains(QStringLiteral("17번째 줄")), qPrintable(output));

    // a participant with the list and the announcement's terms only
    QFile list(rig->folder.filePath(QStringLiteral("list.txt")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(tv1List().join(u'\n').toUtf8() + '\n');
    list.close();
    QCOMPARE(runScript({QStringLiteral("--list"), list.fileName(), QStringLiteral("--winners"),
                        QStringLiteral("2"), QStringLiteral("--reserves"), QStringLiteral("1"),
                        QStringLiteral("--round"), QStringLiteral("42"), QStringLiteral("--randomness"),
                        round42Randomness, QStringLiteral("--label"), label},
                       &output),
             0);
    QCOMPARE(output.split(u'\n', Qt::SkipEmptyParts),
             (QStringList{QStringLiteral("2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570"),
                          QStringLiteral("8c339cc27868d110b274df05f122461b7ef668c8f6171d5ea62bdcdeea4764bf"),
                          QStringLiteral("winner 1 4 이영희"), QStringLiteral("winner 2 6 최지우"),
                          QStringLiteral("reserve 1 1 김철수")}));
    // rounds out of range are refused, not a traceback
    QCOMPARE(runScript({QStringLiteral("--list"), list.fileName(), QStringLiteral("--winners"),
                        QStringLiteral("2"), QStringLiteral("--round"), QStringLiteral("9223372036854775807"),
                        QStringLiteral("--randomness"), round42Randomness, QStringLiteral("--label"), label},
                       &output),
             1);
    QVERIFY2(output.contains(QStringLiteral("라운드 번호는 1 이상 83903155011 이하여야 합니다.")),
             qPrintable(output));
    // nor does it draw from an entry that only its canonical form makes too long (NFC writes
    // U+0958 as two code points), which the program refuses to announce
    const QString doubled(120, QChar(0x0958));
    QCOMPARE(canonicalList(tv1List() << doubled).tooLong, QStringList{doubled});
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write((tv1List() << doubled).join(u'\n').toUtf8() + '\n');
    list.close();
    QCOMPARE(runScript({QStringLiteral("--list"), list.fileName(), QStringLiteral("--winners"),
                        QStringLiteral("2"), QStringLiteral("--round"), QStringLiteral("42"),
                        QStringLiteral("--randomness"), round42Randomness, QStringLiteral("--label"), label},
                       &output),
             1);
    QVERIFY2(output.contains(QStringLiteral("200자가 넘는 항목")), qPrintable(output));
}

// The organiser leaves the time box open, watches the rounds come out, and types the time of a
// round already out (or one so close that the announcement cannot reach the post first).
void TestPublicDrawWindow::anAnnouncedRoundMustBeAhead() {
    const auto typeAfterWaiting = [this](qint64 clockWhenAnswered, const QString &typed) {
        rig->prompter.reset();
        rig->clock.time = utc(publicdraw::roundTime(42) - 690);
        for (const QString &answer : {label, QStringLiteral("2"), QStringLiteral("1"), QString(), typed})
            rig->prompter.type(answer);
        rig->prompter.whileOpen = [this, clockWhenAnswered](const ScriptedPrompter::Record &record) {
            if (record.text.startsWith(QStringLiteral("추첨 시각을")))
                rig->clock.time = utc(clockWhenAnswered);
        };
        main->mnu_Announce->trigger();
        rig->prompter.whileOpen = nullptr;
        return rig->prompter.records.last().text;
    };
    // round 42 came out while the box stood open
    QCOMPARE(typeAfterWaiting(publicdraw::roundTime(42) + 30, QStringLiteral("2023-08-24 00:11:30")),
             QStringLiteral("추첨 시각이 이미 지났습니다! 앞으로의 시각을 입력해주세요."));
    // a second ahead of the clock names the round published a second before
    QCOMPARE(typeAfterWaiting(publicdraw::roundTime(42) + 1, QStringLiteral("2023-08-24 00:11:32")),
             QStringLiteral("추첨 시각이 이미 지났습니다! 앞으로의 시각을 입력해주세요."));
    // two minutes ahead: too close for the post
    QCOMPARE(typeAfterWaiting(publicdraw::roundTime(42) - 120, QStringLiteral("2023-08-24 00:11:30")),
             QStringLiteral(
                 "추첨 시각이 너무 가깝습니다! 예고가 게시글에 먼저 올라가야 하므로 지금부터 3분 이상 뒤의 "
                 "시각을 입력해주세요."));
    QVERIFY(files(QStringLiteral("Announce")).isEmpty());
    // the offered time is worked out when the box opens; three minutes ahead is taken
    QVERIFY(typeAfterWaiting(publicdraw::roundTime(42) - 180, QStringLiteral("2023-08-24 00:11:30"))
                .startsWith(QStringLiteral("추첨 예고를 만들었습니다.")));
    QCOMPARE(rig->prompter.records[4].initialText, QStringLiteral("2023-08-24 00:10"));
}

// After the round is out, the organiser writes another announcement for it (a rival left out,
// other terms) and draws that: the result holds together on its own, but it is not the draw
// the entrants were told of, and neither check calls it a success.
void TestPublicDrawWindow::aResultThatWasNeverAnnounced() {
    const QString honest = announce();
    const QString honestPost = post;
    Announcement rigged = *parseAnnouncement(readUtf8(honest));
    rigged.list.removeOne(QStringLiteral("김철수")); // the rival
    rigged.terms.count = int(rigged.list.size());
    rigged.terms.listSha256 = sha256Hex(canonicalFile(rigged.list));
    const QString riggedFile =
        writeText(QStringLiteral("rigged_Tombolix_Announce.txt"), announcementText(rigged));
    main->drawList().removeAt(0); // "\uFEFF김철수"
    rig->clock.time = utc(publicdraw::roundTime(42) + 60);
    rig->prompter.reset();
    rig->prompter.chooseFile(riggedFile);
    main->mnu_PublicDraw->trigger();
    const QStringList results = files(QStringLiteral("Result"));
    QCOMPARE(results.size(), 1);
    const QString result = rig->folder.filePath(results.first());
    QVERIFY(!verifyResult(readUtf8(result), {relayA->host(), relayB->host()}).problem); // it holds together

    // the program, given the post as the entrants saw it
    rig->prompter.reset();
    rig->prompter.chooseFile(result);
    rig->prompter.type(honestPost);
    main->mnu_Verify->trigger();
    QCOMPARE(
        rig->prompter.records.last().text,
        QStringLiteral(
            "검증 실패\r\n이 결과는 예고한 추첨이 아닙니다. 예고와 다른 값: 참가자 목록의 SHA-256(예고: ") +
            sha256Hex(canonicalFile(parseAnnouncement(readUtf8(honest))->list)) + QStringLiteral(", 결과: ") +
            rigged.terms.listSha256 + QStringLiteral("), 참가자 수(예고: 6, 결과: 5)"));
    // given the announcement file
    rig->prompter.reset();
    rig->prompter.chooseFile(result);
    rig->prompter.type(QString());
    rig->prompter.chooseFile(honest);
    main->mnu_Verify->trigger();
    QVERIFY2(rig->prompter.records.last().text.startsWith(QStringLiteral(
                 "검증 실패\r\n이 결과는 예고한 추첨이 아닙니다. 예고와 다른 값: 참가자 목록의 SHA-256(")),
             qPrintable(rig->prompter.records.last().text));
    QVERIFY(rig->prompter.records.last().text.endsWith(QStringLiteral("참가자 수(예고: 6, 결과: 5)")));
    // given nothing: no success
    rig->prompter.reset();
    rig->prompter.chooseFile(result);
    rig->prompter.cancel();
    main->mnu_Verify->trigger();
    QVERIFY(rig->prompter.records.last().text.startsWith(QStringLiteral("검증 미완료\r\n")));

    // the participant's script
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        return;
    const QStringList relays{QStringLiteral("--relay"), relayA->base(), QStringLiteral("--relay"),
                             relayB->base()};
    QString output;
    QCOMPARE(runScript(relays + QStringList{result, QStringLiteral("--announcement"),
                                            writeText(QStringLiteral("post.txt"), honestPost)},
                       &output),
             1);
    QVERIFY2(output.contains(QStringLiteral("이 결과는 예고한 추첨이 아닙니다.")), qPrintable(output));
    QCOMPARE(runScript(relays + QStringList{result, QStringLiteral("--announcement"), honest}, &output), 1);
    QCOMPARE(runScript(relays + QStringList{result}, &output), 3);
}

// A made-up round whose randomness is its signature's SHA-256, with no relay to ask: the
// program checks the signature itself and refuses it; the script, which cannot, does not call it a
// success, and fails it where a relay has the real round.
void TestPublicDrawWindow::aRoundThatNobodyChecked() {
    const QString announcement = announce();
    const Announcement announced = *parseAnnouncement(readUtf8(announcement));
    const QByteArray forged = forged42();
    const Round round{42, QString::fromLatin1(forged.mid(forged.indexOf("randomness\":\"") + 13, 64)),
                      QString(96, u'a')};
    const QString result =
        writeText(QStringLiteral("forged_Tombolix_Result.txt"),
                  resultText(decide(announced, round, {QString::fromLatin1(pastedRound)})));
    TestHttpServer::Answer reset;
    reset.reset = true;
    relayA->setDefault(reset);
    relayB->setDefault(reset);
    rig->prompter.reset();
    rig->prompter.chooseFile(result);
    main->mnu_Verify->trigger();
    QCOMPARE(
        rig->prompter.records.last().text,
        QStringLiteral("검증 실패\r\n12번째 줄: 라운드 42의 signature가 drand quicknet의 공개 키로 확인되지 "
                       "않습니다. drand가 낸 라운드가 아닙니다."));

    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        return;
    QString output;
    const QString postFile = writeText(QStringLiteral("post.txt"), post);
    QCOMPARE(
        runScript({QStringLiteral("--offline"), result, QStringLiteral("--announcement"), postFile}, &output),
        3);
    QVERIFY2(!output.contains(QStringLiteral("검증 성공")), qPrintable(output));
    // the organiser's own "mirror" serves the made-up round: its word alone is not taken
    TestHttpServer mirror;
    mirror.setDefault({200, {}, forged});
    QCOMPARE(runScript({QStringLiteral("--relay"), mirror.base(), result, QStringLiteral("--announcement"),
                        postFile},
                       &output),
             3);
    QVERIFY2(!output.contains(QStringLiteral("검증 성공")), qPrintable(output));
    QCOMPARE(mirror.requests.size(), 1);
    // drand's relay has the real round 42: the file is refused
    relayA->setDefault({200, {}, round42()});
    QCOMPARE(runScript({QStringLiteral("--relay"), relayA->base(), result, QStringLiteral("--announcement"),
                        postFile},
                       &output),
             1);
}

// User text is data, never a format: "%1 %2 %L1 %% %" in the label, in entries, in a reserve's
// name and in the folder the files go to comes back in every message exactly as typed.
void TestPublicDrawWindow::userTextIsNeverAFormat() {
    const QString percent = QStringLiteral("%1 %2 %L1 %% %");
    Rig other;
    other.endpoints.beaconRelays = rig->endpoints.beaconRelays;
    other.clock.time = rig->clock.time;
    QVERIFY(QDir(other.folder.path()).mkdir(percent));
    Services services = other.services();
    services.filesFolder = other.folder.filePath(percent);
    frmMain window(services);
    window.publicDraw().setLimits({2000, 50, 1000});
    window.OptPick[0]->setChecked(true);
    const QStringList entries{QStringLiteral("할인왕%2"), QStringLiteral("쿠폰 10%1장"), percent,
                              QStringLiteral("황")};
    for (const QString &entry : entries)
        window.drawList().append(entry);

    // a control character inside an entry that holds "%1"
    window.drawList().append(QStringLiteral("%1\u0007%2"));
    other.prompter.type(percent);
    window.mnu_Announce->trigger();
    QCOMPARE(other.prompter.records.last().text,
             QStringLiteral(
                 "공개 추첨에 쓸 수 없는 문자(제어 문자, 깨진 문자, 유니코드 14에 없는 문자)가 들어 있거나 "
                 "보이는 글자가 없는 항목이 있습니다. (1개: \"%1<U+0007>%2\")"));
    window.drawList().removeAt(4);

    const QString labelText = QStringLiteral("쿠폰 10%1장 나눔 ") + percent;
    other.prompter.reset();
    for (const QString &answer : {labelText, QStringLiteral("1"), QStringLiteral("3"), QString(),
                                  QStringLiteral("2023-08-24 00:11:30")})
        other.prompter.type(answer);
    window.mnu_Announce->trigger();
    const QString notice = other.prompter.records.last().text;
    QVERIFY2(notice.contains(QStringLiteral("예고 파일 : ") + QDir::toNativeSeparators(services.filesFolder)),
             qPrintable(notice));
    const QString announcePost = other.desktop.clipboardText;
    QVERIFY(announcePost.startsWith(QStringLiteral("[Tombolix 공개 추첨 예고] ") + labelText + u'\n'));
    QVERIFY(announcePost.contains(QStringLiteral("참가자 : 4명\n당첨자 : 1명\n예비 당첨자 : 3명\n")));
    const QString announcement =
        QDir(services.filesFolder)
            .filePath(QDir(services.filesFolder).entryList({QStringLiteral("*_Announce.txt")}).value(0));

    // the list changed: entries named as they are
    window.drawList().append(QStringLiteral("%2%1"));
    other.prompter.reset();
    other.prompter.chooseFile(announcement);
    window.mnu_PublicDraw->trigger();
    QCOMPARE(other.prompter.records.last().text,
             QStringLiteral("지금 리스트가 예고한 목록과 다릅니다.\r\n추가된 항목 (1개) : \"%2%1\""));
    window.drawList().removeAt(4);

    // drawn: every name in the result box and the result post as it is
    other.clock.time = utc(publicdraw::roundTime(42) + 1);
    other.prompter.reset();
    other.prompter.chooseFile(announcement);
    window.mnu_PublicDraw->trigger();
    const QString shown = window.txtPick->text();
    for (const QString &entry : entries)
        QVERIFY2(shown.contains(entry), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral(" (예비 1)")) && !shown.contains(QStringLiteral("할인왕1")),
             qPrintable(shown));
    const QString resultPost = other.desktop.clipboardText;
    QVERIFY(resultPost.startsWith(QStringLiteral("[Tombolix 공개 추첨 결과] ") + labelText + u'\n'));
    for (const QString &entry : entries)
        QVERIFY2(resultPost.contains(QStringLiteral(". ") + entry + QStringLiteral(" (추첨 번호 ")),
                 qPrintable(resultPost));
    QVERIFY(other.prompter.records.last().text.contains(QDir::toNativeSeparators(services.filesFolder)));

    // verified: the label as typed
    const QString result =
        QDir(services.filesFolder)
            .filePath(QDir(services.filesFolder).entryList({QStringLiteral("*_Result.txt")}).value(0));
    other.prompter.reset();
    other.prompter.chooseFile(result);
    other.prompter.type(announcePost);
    window.mnu_Verify->trigger();
    QVERIFY2(other.prompter.records.last().text.startsWith(QStringLiteral("검증 성공\r\n") + labelText +
                                                           QStringLiteral(" : 참가자 4명 중")),
             qPrintable(other.prompter.records.last().text));
    other.prompter.reset();
    other.prompter.chooseFile(result);
    other.prompter.cancel();
    window.mnu_Verify->trigger();
    QVERIFY(other.prompter.records.last().text.contains(QStringLiteral("\r\n추첨 이름 : ") + labelText +
                                                        QStringLiteral("\r\n")));
}

// 검증 페이지 열기: the page that ships with the program, beside it (the zip, the build tree) or
// in the package's data folder; where neither holds it, the program says so and opens nothing.
void TestPublicDrawWindow::theMenuOpensTheVerifierPage() {
    QTemporaryDir home;
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    qputenv("XDG_DATA_DIRS", data.path().toUtf8());
    main->mnu_VerifyPage->trigger();
    QVERIFY(rig->desktop.opened.isEmpty());
    QCOMPARE(
        rig->prompter.records.value(0).text,
        QStringLiteral("검증 페이지(tombolix-verify.html)를 찾을 수 없습니다. Tombolix를 다시 설치하거나 "
                       "압축 파일을 다시 풀어주세요."));
    const auto place = [](const QString &folder) {
        QVERIFY(QDir().mkpath(folder));
        QFile page(folder + QStringLiteral("/tombolix-verify.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
    };
#ifndef Q_OS_WIN // the package's data folder: Windows has none, its zip keeps the page beside
    place(data.filePath(QStringLiteral("tombolix")));
    main->mnu_VerifyPage->trigger();
    QCOMPARE(rig->desktop.opened.value(0),
             QUrl::fromLocalFile(data.filePath(QStringLiteral("tombolix/tombolix-verify.html"))));
    rig->desktop.opened.clear();
#endif
    place(rig->folder.path());
    main->mnu_VerifyPage->trigger();
    QCOMPARE(rig->desktop.opened.value(0),
             QUrl::fromLocalFile(rig->folder.filePath(QStringLiteral("tombolix-verify.html"))));
    QCOMPARE(rig->prompter.records.size(), 1);
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
}

// A friend of the organiser's behind braille blanks (U+2800, which is neither white space nor a
// format character) held 6 of 9 tickets and showed as "홍길동" everywhere. Today's rule takes the
// blanks off, so the six are one entry six times: refused before anything is written. An older
// program's file of that list still reads by its own rule, and the check says what it sees.
void TestPublicDrawWindow::blankLookAlikesHoldNoTicket() {
    main->drawList().clear();
    for (const QString &entry :
         {QStringLiteral("김철수"), QStringLiteral("이영희"), QStringLiteral("박민수")})
        main->drawList().append(entry);
    for (int blanks = 0; blanks <= 5; ++blanks)
        main->drawList().append(QStringLiteral("홍길동") + QString(blanks, QChar(0x2800)));
    rig->prompter.reset();
    rig->prompter.type(label);
    main->mnu_Announce->trigger();
    QCOMPARE(
        rig->prompter.records.last().text,
        QStringLiteral(
            "공개 추첨에서는 같은 항목이 두 번 들어갈 수 없습니다. 앞뒤의 공백이나 보이지 않는 문자를 빼고 "
            "가운데 공백을 하나로 치면 같은 항목이 있습니다. (1개: \"홍길동\")"));
    QVERIFY(files(QStringLiteral("Announce")).isEmpty());

    // the same list drawn by an older program (the first rule took the blanks for letters)
    QStringList older{QStringLiteral("김철수"), QStringLiteral("박민수"), QStringLiteral("이영희")};
    for (int blanks = 0; blanks <= 5; ++blanks)
        older.append(QStringLiteral("홍길동") + QString(blanks, QChar(0x2800)));
    std::sort(older.begin(), older.end(),
              [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    Announcement first{{sha256Hex(canonicalFile(older)), int(older.size()), 2, 0, 42, label, {}, Rule::V1},
                       older};
    const QString result = writeText(QStringLiteral("older_Tombolix_Result.txt"),
                                     resultText(decide(first, {42, round42Randomness, round42Signature},
                                                       {QString::fromLatin1(pastedRound)})));
    const QString announcement =
        writeText(QStringLiteral("older_Tombolix_Announce.txt"), announcementText(first));
    rig->prompter.reset();
    rig->prompter.chooseFile(result);
    rig->prompter.type(QString());
    rig->prompter.chooseFile(announcement);
    main->mnu_Verify->trigger();
    const QString said = rig->prompter.records.last().text;
    QVERIFY2(said.startsWith(QStringLiteral("검증 미완료\r\n")), qPrintable(said));
    QVERIFY2(said.contains(
                 QStringLiteral("한 사람이 여러 번 들어갔을 수 있습니다: \"홍길동\", \"홍길동<U+2800>\", "
                                "\"홍길동<U+2800><U+2800>\"")),
             qPrintable(said));
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        return;
    QString output;
    drandRelays.clear();
    QCOMPARE(runScript({QStringLiteral("--offline"), result, QStringLiteral("--announcement"), announcement},
                       &output),
             3);
    QVERIFY2(output.contains(
                 QStringLiteral("한 사람이 여러 번 들어갔을 수 있습니다: \"홍길동\", \"홍길동<U+2800>\"")),
             qPrintable(output));
    // and the list itself, by today's rule
    const QString list = writeText(QStringLiteral("friends.txt"), main->drawList().entries().join(u'\n'));
    QCOMPARE(runScript({QStringLiteral("--list"), list, QStringLiteral("--winners"), QStringLiteral("2"),
                        QStringLiteral("--round"), QStringLiteral("42"), QStringLiteral("--randomness"),
                        round42Randomness, QStringLiteral("--label"), label},
                       &output),
             1);
    QVERIFY2(output.contains(QStringLiteral("같은 항목이 두 번 이상 있습니다: 홍길동")), qPrintable(output));
}

// Qt's own normalisation stopped composing after U+1109A: the program wrote an announcement it then
// refused to draw, so one nickname stopped the draw. The rule's normalisation is ICU's.
void TestPublicDrawWindow::anEntrantQtWouldMiscomposeIsDrawn() {
    main->drawList().append(QStringLiteral("a\u0301\U0001109Aa\u0301"));
    main->drawList().append(QStringLiteral("ﬁé\U0001109Aé"));
    const QString announcement = announce();
    QVERIFY2(!announcement.isEmpty(), qPrintable(rig->prompter.texts().join(u'|')));
    QVERIFY(readUtf8(announcement).contains(QStringLiteral("\n\u00E1\U0001109A\u00E1\n")));
    rig->clock.time = utc(publicdraw::roundTime(42) + 1);
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    main->mnu_PublicDraw->trigger();
    QCOMPARE(files(QStringLiteral("Result")).size(), 1);
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        return;
    QString output;
    const QString result = rig->folder.filePath(files(QStringLiteral("Result")).first());
    QCOMPARE(runScript({QStringLiteral("--relay"), relayA->base(), result, QStringLiteral("--announcement"),
                        writeText(QStringLiteral("post.txt"), post)},
                       &output),
             0);
}

// A post pasted whole, however long: a second code near the end of a post of 39,000 characters is
// seen (the box used to cut the text at 32,767 without a word).
void TestPublicDrawWindow::aLongPostIsReadWhole() {
    const QString result = drawnResult();
    QString longPost = post;
    while (longPost.size() < 39000)
        longPost += QStringLiteral("\n축하합니다! 많이 참여해 주셔서 감사합니다.");
    longPost += QStringLiteral("\n또는 예고 코드 ") + QString(64, u'b');
    rig->prompter.reset();
    rig->prompter.chooseFile(result);
    rig->prompter.type(longPost);
    main->mnu_Verify->trigger();
    QCOMPARE(rig->prompter.records.at(1).kind, PromptKind::MultiLineInput);
    QCOMPARE(
        rig->prompter.records.last().text,
        QStringLiteral(
            "검증 실패\r\n이 결과는 예고한 추첨이 아닙니다. 예고문에 예고 코드로 보이는 값이 2개 있어, 어느 "
            "추첨을 예고했는지 알 수 없습니다."));
}

// A file of 2.4 MB whose list is one line of ligatures took 14 s to check, on the window's thread.
// Its answer now comes while the window goes on answering.
void TestPublicDrawWindow::aHugeFileIsAnsweredWithTheWindowAnswering() {
    const QString result = drawnResult();
    QString text = readUtf8(result);
    text.replace(QStringLiteral("\n\n김철수\n"),
                 QStringLiteral("\n\n") + QString(800000, QChar(0xFB00)) + u'\n');
    const QString huge = writeText(QStringLiteral("huge_Tombolix_Result.txt"), text);
    rig->prompter.reset();
    rig->prompter.chooseFile(huge);
    bool answered = false;
    QTimer::singleShot(0, this, [&answered] { answered = true; }); // runs only if the window's events do
    main->mnu_Verify->trigger();
    QVERIFY(answered);
    QVERIFY2(rig->prompter.records.last().text.startsWith(
                 QStringLiteral("검증 실패\r\n19번째 줄: 목록의 항목이 정해진 "
                                "형태가 아닙니다.")),
             qPrintable(rig->prompter.records.last().text.left(200)));
}

// The result post, as entrants have it, is checked against the announcement post's list: a post
// that names a friend beside an honest result file fails.
void TestPublicDrawWindow::aResultPostIsCheckedAgainstTheList() {
    const QString result = drawnResult();
    const QString resultPost = rig->desktop.clipboardText;
    for (const bool honest : {true, false}) {
        const QString posted = writeText(
            QStringLiteral("resultpost.txt"),
            honest ? resultPost
                   : QString(resultPost).replace(QStringLiteral("1. 이영희"), QStringLiteral("1. 박민수")));
        rig->prompter.reset();
        rig->prompter.chooseFile(posted);
        rig->prompter.type(post);
        main->mnu_Verify->trigger();
        const QString said = rig->prompter.records.last().text;
        QVERIFY2(said.startsWith(honest ? QStringLiteral("검증 성공\r\n")
                                        : QStringLiteral("검증 실패\r\n결과문의 당첨자 1번째가 ")),
                 qPrintable(said));
    }
    QVERIFY(!result.isEmpty());
}

// The rule reads Unicode 14 whatever Python runs the script: U+1FAE8 (Unicode 15) is refused on
// Python 3.12 as in the program, and a Python too old for Unicode 14's normalisation says so.
void TestPublicDrawWindow::theScriptOnEveryPython() {
#ifdef Q_OS_WIN
    QSKIP("the participant's script is run by the Linux build");
#endif
    QStringList pythons{QStandardPaths::findExecutable(QStringLiteral("python3"))};
    // other Pythons where pyenv keeps them (its root, as pyenv itself says)
    QProcess pyenv;
    if (!QStandardPaths::findExecutable(QStringLiteral("pyenv")).isEmpty()) {
        pyenv.start(QStandardPaths::findExecutable(QStringLiteral("pyenv")), {QStringLiteral("root")});
        pyenv.waitForFinished(10000);
        const QDir versions(QString::fromUtf8(pyenv.readAllStandardOutput()).trimmed() +
                            QStringLiteral("/versions"));
        for (const QString &version : versions.entryList({QStringLiteral("3.*")}, QDir::Dirs))
            pythons.append(versions.filePath(version + QStringLiteral("/bin/python3")));
    }
    pythons.removeAll(QString());
    if (pythons.isEmpty())
        QSKIP("no python3 on this machine");
    const QString list =
        writeText(QStringLiteral("list.txt"), QStringLiteral("김철수\n이영희\n흔들🫨\n"));
    const QString list14 =
        writeText(QStringLiteral("list14.txt"), QStringLiteral("김철수\n이영희\n녹는중🫠\n"));
    for (const QString &python : pythons) {
        QProcess version;
        version.start(
            python, {QStringLiteral("-c"), QStringLiteral("import sys; print(sys.version_info >= (3, 11))")});
        version.waitForFinished(10000);
        const bool supported = version.readAllStandardOutput().trimmed() == "True";
        for (const QString &path : {list, list14}) {
            QProcess script;
            script.start(python,
                         {QStringLiteral(TOMBOLIX_SOURCE_DIR "/tools/verify-draw.py"),
                          QStringLiteral("--list"), path, QStringLiteral("--winners"), QStringLiteral("1"),
                          QStringLiteral("--round"), QStringLiteral("42"), QStringLiteral("--randomness"),
                          round42Randomness, QStringLiteral("--label"), label});
            QVERIFY(script.waitForFinished(30000));
            const QString output =
                QString::fromUtf8(script.readAllStandardOutput() + script.readAllStandardError());
            QVERIFY2(!output.contains(QStringLiteral("Traceback")), qPrintable(python + u' ' + output));
            if (!supported) {
                QCOMPARE(script.exitCode(), 2);
                QVERIFY2(output.contains(QStringLiteral("Python 3.11 이상에서 돌아갑니다")),
                         qPrintable(output));
            } else {
                QCOMPARE(script.exitCode(), path == list ? 1 : 0);
            }
        }
    }
}

// A relay that answers 60,000 "[" ended the script in a RecursionError's traceback.
void TestPublicDrawWindow::aHostileRelayEndsNoScriptInATraceback() {
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        QSKIP("no python3 on this machine");
    const QString result = drawnResult();
    relayA->setDefault({200, {}, QByteArray(60000, '[')});
    relayB->setDefault({200, {}, QByteArray(60000, '[')});
    QString output;
    QCOMPARE(
        runScript({result, QStringLiteral("--announcement"), writeText(QStringLiteral("post.txt"), post)},
                  &output),
        3);
    QVERIFY2(!output.contains(QStringLiteral("Traceback")), qPrintable(output));
    QVERIFY2(output.startsWith(QStringLiteral("검증 미완료\n")), qPrintable(output));
}

// A list made by an import is announced with the rules it was made by, under a heading that says no
// file proves them; once the list is changed by hand they no longer describe it and are not said.
void TestPublicDrawWindow::theRulesOfAnImportAreAnnounced() {
    const QStringList rules{
        QStringLiteral("게시글 : https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&no=303721"),
        QStringLiteral("마감 시각 : 2026-08-28 09:38 (한국 시간)")};
    main->drawList().setImportRules(rules);
    QVERIFY(!announce().isEmpty());
    QVERIFY2(post.contains(QStringLiteral(
                               "\n이 목록을 만든 방법 (진행자가 적은 것으로, 파일로는 증명되지 않습니다)\n") +
                           rules.join(u'\n') + u'\n'),
             qPrintable(post));
    // the post still reads as the announcement it is
    const std::optional<Expected<PostedAnnouncement>> read = readAnnouncementPost(post);
    QVERIFY(read && *read && (*read)->list);
    main->drawList().append(QStringLiteral("손으로 넣은 사람"));
    QVERIFY(main->drawList().importRules().isEmpty());
    rig->prompter.reset();
    QDir(rig->folder.path()).removeRecursively();
    QDir().mkpath(rig->folder.path());
    QVERIFY(!announce().isEmpty());
    QVERIFY(!post.contains(QStringLiteral("이 목록을 만든 방법")));
}

void TestPublicDrawWindow::aListChangedWhileTheAnnouncementIsReadIsNotDrawn_data() {
    QTest::addColumn<bool>("byTheButton");
    QTest::newRow("an entry added with the button") << true;
    QTest::newRow("an entry changed in the list box itself") << false;
}

// The list as it stands once the announcement is read is the one compared with it: a change
// while it was read, through the add button or in the list box behind the draw list's back,
// is not taken for the announced list.
void TestPublicDrawWindow::aListChangedWhileTheAnnouncementIsReadIsNotDrawn() {
    QFETCH(bool, byTheButton);
    // a list of entries as the announcement writes them (so that the list is its announced
    // list), long enough that its reading outlasts the window's first events
    main->drawList().clear();
    for (int i = 0; i < 8000; ++i)
        main->drawList().append(QStringLiteral("참가자 ") + QString::number(i));
    const QString announcement = announce();
    QVERIFY2(!announcement.isEmpty(), qPrintable(rig->prompter.texts().join(u'|')));
    rig->clock.time = utc(publicdraw::roundTime(42) + 1);
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    bool changed = false;
    QTimer::singleShot(0, this, [&] {
        changed = true;
        if (byTheButton) {
            main->txtAdd->setText(QStringLiteral("홍길동"));
            main->cmdAdd->click();
        } else {
            main->lstPick->item(0)->setText(QStringLiteral("홍길동")); // 참가자 0
        }
    });
    main->mnu_PublicDraw->trigger();
    QVERIFY(changed);
    QVERIFY2(
        rig->prompter.records.last().text.startsWith(QStringLiteral("지금 리스트가 예고한 목록과 다릅니다.")),
        qPrintable(rig->prompter.records.last().text.left(300)));
    QVERIFY(files(QStringLiteral("Result")).isEmpty());
}

TOMBOLIX_TEST_MAIN(TestPublicDrawWindow)
#include "test_publicdrawwindow.moc"
