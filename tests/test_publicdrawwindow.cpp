// The public draw through the real menus of the main window, with two servers on 127.0.0.1
// standing in for the beacon's two relays.
#include "app/frmMain.h"
#include "common/DrawList.h"
#include "core/PublicDraw.h"
#include "publicdraw/Countdown.h"
#include "publicdraw/PublicDrawCommands.h"
#include "resultbox/ResultBox.h"
#include "tests/support/Fakes.h"
#include "tests/support/PublicDrawVectors.h"
#include "tests/support/TestHttpServer.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QTimeZone>

using namespace tombolix;
using namespace tombolix::test;

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

private:
    // The announcement of TV1 for round 42, written by the menu.
    QString announce();
    QStringList files(const QString &kind) const;
    QString drawnResult(); // the result file of a draw of TV1 through the menu

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
    return QDir(rig->folder.path()).entryList({QStringLiteral("*_Tombolix_") + kind + QStringLiteral(".txt")});
}

QString TestPublicDrawWindow::announce() {
    rig->prompter.type(label);
    rig->prompter.type(QStringLiteral("2"));
    rig->prompter.type(QStringLiteral("1"));
    rig->prompter.type(QStringLiteral("2023-08-24 00:11:30"));
    main->mnu_Announce->trigger();
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
    QCOMPARE(records.size(), 5);
    // offered: the first whole ten minutes at least ten minutes ahead of 15:00:00Z
    QCOMPARE(records[3].initialText, QStringLiteral("2023-08-24 00:10"));
    QCOMPARE(records[4].kind, PromptKind::Notice);
    const QString F = QStringLiteral("2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570");
    QCOMPARE(records[4].text,
             QStringLiteral("추첨 예고를 만들었습니다.\r\n참가자 : 6명\r\n목록의 SHA-256 : ") + F +
                 QStringLiteral("\r\n공개 난수 : drand quicknet 라운드 42 (2023-08-24 00:11:30, 한국 시간)\r\n"
                                "예고 파일 : ") +
                 QDir::toNativeSeparators(path) + QStringLiteral("\r\n게시글에 붙여넣을 예고문을 클립보드에 복사했습니다."));
    const QString text = readUtf8(path);
    QVERIFY(text.startsWith(QStringLiteral("tombolix-draw-v1\nlist_sha256=") + F + QStringLiteral("\nlist_count=6\n")));
    QVERIFY(text.endsWith(QStringLiteral("\nlabel=2026 봄 나눔 이벤트\nround_time=2023-08-24T00:11:30+09:00\n\n"
                                         "김철수\n김철수2\n박민수\n이영희\n정하늘\n최지우\n")));
    const QString post = rig->desktop.clipboardText;
    for (const QString &part : {label, F, QStringLiteral("참가자 6명, 당첨자 2명, 예비 당첨자 1명"),
                                QStringLiteral("라운드 42 (2023-08-24 00:11:30, 한국 시간에 공개)"),
                                QStringLiteral("verify-draw.py")})
        QVERIFY2(post.contains(part), qPrintable(part));
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
    refused({label, QStringLiteral("2"), QStringLiteral("-1")}, QStringLiteral("0 이상의 정수로 입력해주세요!"));
    refused({label, QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("2023-08-23 23:58")},
            QStringLiteral("추첨 시각이 이미 지났습니다! 앞으로의 시각을 입력해주세요."));
    refused({label, QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("내일 저녁")},
            QStringLiteral("추첨 시각을 2026-04-20 21:00처럼 입력해주세요!"));
    refused({QStringLiteral("봄\t나눔")}, QStringLiteral("추첨의 이름에는 제어 문자를 쓸 수 없습니다!"));

    // equal entries once made canonical, and a control character inside an entry
    main->drawList().append(QStringLiteral("김철수 "));
    refused({}, QStringLiteral("공개 추첨에서는 같은 항목이 두 번 들어갈 수 없습니다. 앞뒤 공백을 빼면 같은 항목이 "
                               "있습니다. (1개: \"김철수\")"));
    main->drawList().append(QStringLiteral("홍\t길동"));
    refused({}, QStringLiteral("제어 문자가 들어 있는 항목은 공개 추첨에 쓸 수 없습니다. (1개: \"홍<U+0009>길동\")"));
}

// TV1 drawn through the menu against the two relays, then verified through the menu.
void TestPublicDrawWindow::drawAndVerifyThroughTheMenus() {
    const QString path = drawnResult();
    QVERIFY2(!path.isEmpty(), qPrintable(rig->prompter.texts().join(u'|')));
    const QString target = QStringLiteral("/") + publicdraw::chainHash() + QStringLiteral("/public/42");
    QCOMPARE(relayA->requests.size(), 1);
    QCOMPARE(relayA->requests[0].target, target.toLatin1());
    QCOMPARE(relayB->requests.size(), 1);
    QCOMPARE(main->txtPick->text(), QStringLiteral("김철수, 김철수2, 최지우 (예비 1)"));
    QCOMPARE(rig->prompter.records.last().text, QStringLiteral("공개 추첨을 마쳤습니다.\r\n결과 파일 : ") +
                                                    QDir::toNativeSeparators(path));
    const QString text = readUtf8(path);
    QVERIFY(text.contains(QStringLiteral("\nrandomness=") + round42Randomness + u'\n'));
    QVERIFY(text.contains(QStringLiteral("\nrelays=") + relayA->host() + u',' + relayB->host() + u'\n'));
    QVERIFY(text.contains(QStringLiteral("\nseed=99d5a7ede2e08992e7441a6cb50008283a431feaba6369ae4819d945c1d0cf62\n"
                                         "winner.1=1\t김철수\nwinner.2=2\t김철수2\nreserve.1=6\t최지우\n\n")));

    // in the list format, one a line
    main->OptPick[1]->setChecked(true);
    rig->prompter.reset();
    rig->prompter.chooseFile(rig->folder.filePath(files(QStringLiteral("Announce")).first()));
    rig->prompter.yes(); // the earlier result goes
    main->mnu_PublicDraw->trigger();
    QCOMPARE(main->txtPick->text(), QStringLiteral("김철수\r\n김철수2\r\n최지우 (예비 1)"));

    // verified, the round asked for again
    rig->prompter.reset();
    relayA->requests.clear();
    rig->prompter.chooseFile(path);
    main->mnu_Verify->trigger();
    QCOMPARE(relayA->requests.size(), 1);
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Notice);
    QCOMPARE(rig->prompter.records[1].text,
             QStringLiteral("검증 성공\r\n2026 봄 나눔 이벤트 : 참가자 6명 중 당첨자 2명, 예비 당첨자 1명이 규칙대로 "
                            "뽑혔습니다.\r\n라운드 42의 signature를 공개 난수 서버(") +
                 relayA->host() + QStringLiteral(", ") + relayB->host() + QStringLiteral(")에서 다시 받아 확인했습니다."));

    // a relay that now gives another signature for the round: the file does not hold
    relayA->setDefault({200, {}, forged42()});
    relayB->setDefault({404, {}, {}});
    rig->prompter.reset();
    rig->prompter.chooseFile(path);
    main->mnu_Verify->trigger();
    QVERIFY(rig->prompter.records.last().text.startsWith(QStringLiteral("검증 실패\r\n11번째 줄: ")));
}

void TestPublicDrawWindow::drawsRefused_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // how it begins
    QTest::newRow("the list changed") << QStringLiteral("list")
                                      << QStringLiteral("지금 리스트가 예고한 목록과 다릅니다.\r\n추가된 항목 (1개) : "
                                                        "\"홍길동\"\r\n빠진 항목 (1개) : \"정하늘\"");
    QTest::newRow("relays that disagree") << QStringLiteral("disagree")
                                          << QStringLiteral("공개 난수를 쓸 수 없어 추첨하지 않았습니다.\r\n공개 난수 "
                                                            "서버들이 라운드 42에 서로 다른 값을 주었습니다.");
    QTest::newRow("a round that is not R") << QStringLiteral("round 43")
                                           << QStringLiteral("공개 난수를 쓸 수 없어 추첨하지 않았습니다.\r\n");
    QTest::newRow("randomness not of the signature")
        << QStringLiteral("randomness") << QStringLiteral("공개 난수를 쓸 수 없어 추첨하지 않았습니다.\r\n");
    QTest::newRow("a malformed announcement") << QStringLiteral("malformed")
                                              << QStringLiteral("추첨 예고 파일이 올바르지 않습니다.\r\n3번째 줄: ");
    QTest::newRow("no format chosen") << QStringLiteral("format") << QStringLiteral("출력 형식을 선택해주세요!");
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
    } else if (fault == QStringLiteral("disagree")) {
        relayB->setDefault({200, {}, forged42()});
    } else if (fault == QStringLiteral("round 43")) {
        relayA->setDefault({200, {}, QByteArray(round42()).replace("\"round\":42", "\"round\":43")});
    } else if (fault == QStringLiteral("randomness")) {
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
    QVERIFY2(rig->prompter.records.last().text.startsWith(message), qPrintable(rig->prompter.records.last().text));
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
    QCOMPARE(main->txtPick->text(), QStringLiteral("김철수, 김철수2, 최지우 (예비 1)"));

    // still not out after the time given: nothing is drawn
    relayA->setDefault({404, {}, {}});
    relayB->setDefault({404, {}, {}});
    main->txtPick->setText(QString());
    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    main->mnu_PublicDraw->trigger();
    QCOMPARE(rig->prompter.records.last().text,
             QStringLiteral("라운드 42의 공개 난수가 아직 나오지 않았습니다. 컴퓨터의 시계가 맞는지 확인하시고 잠시 후 "
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
    QCOMPARE(rig->prompter.records.last().text,
             QStringLiteral("붙여넣은 라운드 정보를 쓸 수 없어 추첨하지 않았습니다.\r\n라운드 정보의 randomness가 "
                            "signature의 SHA-256과 다릅니다."));
    QVERIFY(files(QStringLiteral("Result")).isEmpty());

    rig->prompter.reset();
    rig->prompter.chooseFile(announcement);
    rig->prompter.type(QStringLiteral("  ") + QString::fromLatin1(round42()) + QStringLiteral("\n"));
    main->mnu_PublicDraw->trigger();
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Input);
    QVERIFY(rig->prompter.records[1].text.contains(QStringLiteral("라운드 42의 정보(JSON)")));
    QVERIFY(rig->prompter.records.last().text.endsWith(QStringLiteral("※붙여넣은 라운드 정보로 추첨했습니다.")));
    QCOMPARE(main->txtPick->text(), QStringLiteral("김철수, 김철수2, 최지우 (예비 1)"));
    const QString result = rig->folder.filePath(files(QStringLiteral("Result")).first());
    QVERIFY(readUtf8(result).contains(QStringLiteral("\nrelays=pasted\n")));
    // and it verifies, offline
    rig->prompter.reset();
    rig->prompter.chooseFile(result);
    main->mnu_Verify->trigger();
    QVERIFY(rig->prompter.records.last().text.startsWith(QStringLiteral("검증 성공\r\n")));
    QVERIFY(rig->prompter.records.last().text.endsWith(QStringLiteral("파일에 적힌 signature로 확인했습니다.")));
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
    QCOMPARE(main->txtPick->text(), QStringLiteral("김철수, 김철수2, 최지우 (예비 1)"));
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
    bytes.replace("winner.2=2\t", "winner.2=3\t");
    file.resize(0);
    file.write(bytes);
    file.close();
    rig->prompter.reset();
    rig->prompter.chooseFile(path);
    main->mnu_Verify->trigger();
    QCOMPARE(rig->prompter.records.last().kind, PromptKind::Information);
    QCOMPARE(rig->prompter.records.last().text,
             QStringLiteral("검증 실패\r\n15번째 줄: 규칙으로 계산한 값은 'winner.2=2 김철수2'입니다."));
}

// tools/verify-draw.py checks a result file as the program does, and computes the draw from
// the list and the announcement alone.
void TestPublicDrawWindow::theScriptChecksTheSameFiles() {
#ifdef Q_OS_WIN
    QSKIP("the participant's script is run by the Linux build");
#endif
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("no python3 on this machine");
    const QString script = QStringLiteral(TOMBOLIX_SOURCE_DIR "/tools/verify-draw.py");
    const QString path = drawnResult();
    auto run = [&](const QStringList &arguments, QString *output) {
        // run while this process's relays keep answering
        QProcess process;
        QEventLoop loop;
        connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        process.start(python, QStringList{script} + arguments);
        loop.exec();
        *output = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    QString output;
    QCOMPARE(run({QStringLiteral("--relay"), relayA->base(), QStringLiteral("--relay"), relayB->base(), path}, &output),
             0);
    QVERIFY2(output.startsWith(QStringLiteral("검증 성공")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("에서 다시 받아 확인했습니다.")), qPrintable(output));
    QCOMPARE(relayA->requests.size(), 2); // the draw's, and the script's

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    file.resize(0);
    file.write(bytes.replace("reserve.1=6\t", "reserve.1=5\t"));
    file.close();
    QCOMPARE(run({QStringLiteral("--offline"), QStringLiteral("--relay"), relayA->base(), QStringLiteral("--relay"),
                  relayB->base(), path},
                 &output),
             1);
    QVERIFY2(output.contains(QStringLiteral("16번째 줄")), qPrintable(output));

    // a participant with the list and the announcement's terms only
    QFile list(rig->folder.filePath(QStringLiteral("list.txt")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(tv1List().join(u'\n').toUtf8() + '\n');
    list.close();
    QCOMPARE(run({QStringLiteral("--list"), list.fileName(), QStringLiteral("--winners"), QStringLiteral("2"),
                  QStringLiteral("--reserves"), QStringLiteral("1"), QStringLiteral("--round"), QStringLiteral("42"),
                  QStringLiteral("--randomness"), round42Randomness, QStringLiteral("--label"),
                  label},
                 &output),
             0);
    QCOMPARE(output.split(u'\n', Qt::SkipEmptyParts),
             (QStringList{QStringLiteral("2d3578a34a3cb1ad65f01125ac700a01139be11af1b4079dca6ec1826d943570"),
                          QStringLiteral("99d5a7ede2e08992e7441a6cb50008283a431feaba6369ae4819d945c1d0cf62"),
                          QStringLiteral("winner 1 1 김철수"), QStringLiteral("winner 2 2 김철수2"),
                          QStringLiteral("reserve 1 6 최지우")}));
}

QTEST_MAIN(TestPublicDrawWindow)
#include "test_publicdrawwindow.moc"
