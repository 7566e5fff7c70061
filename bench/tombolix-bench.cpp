// Runs the real handlers on a real main window (offscreen) and prints one line per figure:
// name value unit.
#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "common/Heap.h"
#include "common/Routines.h"
#include "core/BeaconSignature.h"
#include "core/Cp949.h"
#include "core/Draw.h"
#include "core/DrawFiles.h"
#include "core/DrawPosts.h"
#include "core/DrawVerification.h"
#include "core/ListFile.h"
#include "core/Normalizer.h"
#include "core/PublicDraw.h"
#include "core/SecureRandom.h"
#include "core/Text.h"
#include "core/VersionAnswer.h"
#include "info/modInit.h"
#include "listfile/modIO.h"
#include "resultbox/ResultBox.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestHttpServer.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimeZone>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using namespace tombolix;
using namespace tombolix::test;

namespace {

void print(const char *name, double value, const char *unit) {
    std::printf("%s %.1f %s\n", name, value, unit);
    std::fflush(stdout);
}

double timeMs(const std::function<void()> &work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

void fillDistinct(frmMain &window, int n) {
    window.drawList().clear();
    for (int i = 0; i < n; ++i)
        window.drawList().append(QStringLiteral("참가자 %1").arg(i));
}

// The draw exactly as first written: a linear scan of the picks for every candidate, and the
// result box rewritten after every winner.
void literalDraw(frmMain &window, int k) {
    window.cmdPick->setEnabled(false);
    window.txtPick->setText(QString());
    QStringList picks(k);
    int i = 1;
    while (i <= k) {
        const int n = window.lstPick->count();
        const QString text = window.lstPick->item(RandomNumber(0, n))->text();
        // IsInArray: positions 1 to i, the empty one about to be filled included
        if (!std::any_of(picks.cbegin(), picks.cbegin() + i,
                         [&text](const QString &pick) { return pick == text; })) {
            picks[i - 1] = text;
            ++i;
        }
        QCoreApplication::processEvents();
    }
    for (int j = 1; j <= k; ++j)
        window.txtPick->setText(window.txtPick->text() + picks[j - 1] + QStringLiteral(", "));
    window.txtPick->setText(window.txtPick->text().chopped(2));
    window.cmdPick->setEnabled(true);
}

// The same draw with the window's events processed after every candidate position, the
// rejected ones included, for comparison with ours (events after every winner).
double everyCandidateDrawMs(frmMain &window, int n) {
    fillDistinct(window, n);
    return timeMs([&] {
        const QStringList entries = window.drawList().entries();
        QSet<QString> drawn;
        QStringList winners;
        while (winners.size() < n - 1) {
            const QString &text = entries.at(RandomNumber(0, n));
            if (!text.isEmpty() && !drawn.contains(text)) {
                drawn.insert(text);
                winners.append(text);
            }
            QCoreApplication::processEvents();
        }
        window.txtPick->setText(winners.join(QStringLiteral(", ")));
    });
}

// Where a draw of n - 1 winners out of n spends its time: the handler's steps one by one, on
// the same window (so with the process's memory already used once).
void drawSteps(frmMain &window, int n) {
    fillDistinct(window, n);
    window.txtPick->setText(QString());
    QCoreApplication::processEvents();
    std::optional<DrawPool> pool;
    print("draw_step_read_and_number_ms", timeMs([&] { pool.emplace(window.drawList()); }), "ms");
    print("draw_step_first_repaint_ms", timeMs([&] {
              window.cmdPick->setEnabled(false);
              QCoreApplication::processEvents();
          }),
          "ms");
    int candidates = 0;
    std::optional<QStringList> winners;
    print("draw_step_picks_ms", timeMs([&] {
              winners = drawWinners(window.drawList(), *pool, n - 1, SecureRandom::shared(), [] {});
          }),
          "ms");
    print("draw_step_random_bits_ms", timeMs([&] {
              // as many positions as a draw of n - 1 out of n takes, on average
              for (int k = 1; k < n; ++k)
                  candidates += n / k;
              for (int i = 0; i < candidates; ++i)
                  SecureRandom::shared().below(quint32(n));
          }),
          "ms");
    std::printf("draw_step_candidates %d\n", candidates);
    QString result;
    print("draw_step_join_ms", timeMs([&] { result = winners->join(QStringLiteral(", ")); }), "ms");
    print("draw_step_result_box_ms", timeMs([&] {
              window.txtPick->setEntries(*winners, QStringLiteral(", "));
              QCoreApplication::processEvents(); // its layout and paint
          }),
          "ms");
    print("draw_step_scroll_to_middle_ms", timeMs([&] {
              QScrollBar *across = window.txtPick->horizontalScrollBar();
              across->setValue(across->maximum() / 2);
              window.txtPick->viewport()->repaint();
          }),
          "ms");
    window.cmdPick->setEnabled(true);
}

// What the window does after a change before the user can click again: the list box lays
// out and paints its new entries, until nothing is left to do.
void settle() {
    QAbstractEventDispatcher *events = QAbstractEventDispatcher::instance();
    for (int round = 0; round < 1000 && events->processEvents(QEventLoop::AllEvents); ++round) {
    }
}

double drawMs(Rig &rig, frmMain &window, int n) {
    fillDistinct(window, n);
    window.txtPick->setText(QString());
    settle();
    rig.prompter.type(QString::number(n - 1));
    return timeMs([&] { window.cmdPick_Click(); });
}

// A text as the site's JSON writes it: every character beyond ASCII as \\uXXXX.
QByteArray jsonAscii(const QString &text) {
    QByteArray out;
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            out += char(c.unicode());
        else
            out += "\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    }
    return out;
}

} // namespace

int main(int argc, char **argv) {
    useOneHeap(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Rig rig;
    frmMain window(rig.services());
    window.show();
    window.OptPick[0]->setChecked(true);
    QCoreApplication::processEvents(); // the window is on screen before the user clicks

    // Each group of figures can be run alone by naming it: tombolix-bench draw
    const QStringList chosen = app.arguments().mid(1);
    auto wanted = [&chosen](const char *group) {
        return chosen.isEmpty() || chosen.contains(QString::fromLatin1(group));
    };

    if (wanted("draw")) {
        // The first draw of the run, then the same again: the first one also pays for the
        // memory the process takes the first time.
        print("draw_32767_ms", drawMs(rig, window, 32767), "ms");
        print("draw_32767_again_ms", drawMs(rig, window, 32767), "ms");
        drawSteps(window, 32767);
        window.OptPick[1]->setChecked(true);
        print("draw_32767_list_format_ms", drawMs(rig, window, 32767), "ms");
        window.OptPick[0]->setChecked(true);
        print("draw_32767_events_every_candidate_ms", everyCandidateDrawMs(window, 32767), "ms");
    }
    if (wanted("literal")) {
        const double ours = drawMs(rig, window, 4096);
        fillDistinct(window, 4096);
        settle();
        const double literal = timeMs([&] { literalDraw(window, 4095); });
        print("draw_4096_ms", ours, "ms");
        print("draw_literal_4096_ms", literal, "ms");
        print("draw_literal_ratio_4096", literal / ours, "x");
    }
    if (wanted("version")) {
        // The start-up check's answer: 55,000 keys (1 MiB, all it reads) evaluated, and 200,000
        // keys (3.6 MB) sent by a server, which the check stops reading at 1 MiB.
        auto manyKeys = [](int keys) -> QByteArray {
            QByteArray body = "{";
            for (int i = 0; i < keys; ++i)
                body += "k" + QByteArray::number(i) + ": 'x',";
            return body + "working: '1', version: '1.0'}";
        };
        const QString oneMebibyte = QString::fromLatin1(manyKeys(55000));
        print("version_answer_55000_keys_ms", timeMs([&] { decideVersion(oneMebibyte); }), "ms");
        TestHttpServer server;
        server.setDefault({200, {}, manyKeys(200000)});
        Rig checking;
        checking.endpoints.versionInfo = QUrl(server.base() + QStringLiteral("/tombolix/info.php"));
        print("version_check_200000_keys_ms", timeMs([&] { CheckVersion(checking.services()); }), "ms");
    }
    if (wanted("listfile")) {
        // a window of its own, as a user starting the program and loading a list has
        frmMain fresh(rig.services());
        fresh.show();
        fillDistinct(fresh, 32767);
        rig.prompter.type(QStringLiteral("bench"));
        print("save_32767_ms", timeMs([&] { fresh.mnu_Save_Click(); }), "ms");
        fresh.drawList().clear();
        QCoreApplication::processEvents();
        rig.prompter.chooseFile(rig.folder.filePath(QStringLiteral("bench.txt")));
        print("load_32767_ms", timeMs([&] { fresh.mnu_Load_Click(); }), "ms");
        if (fresh.drawList().count() != 32767)
            std::printf("load_32767 loaded %d entries\n", fresh.drawList().count());
    }
    if (wanted("import")) {
        // One fetch into a list of 20,000 entries, 3,000 different commenters among the 10,000
        // comments: the old comment page, and the site as it is today (no cell in the old page,
        // the post page's comments 1,000 a page over 10 pages, a tenth of them replies).
        auto importMs = [&rig](const char *name, const std::function<void(TestHttpServer &)> &site,
                               const std::function<void(frmPcmnt &)> &rules = {}, int expected = 23000) {
            TestHttpServer server;
            site(server);
            rig.endpoints.siteBase = server.base();
            frmMain importing(rig.services());
            importing.show();
            for (int i = 0; i < 20000; ++i)
                importing.drawList().append(QStringLiteral("기존 항목 %1").arg(i));
            importing.mnu_Pcmt_Click();
            frmPcmnt *comments = importing.commentWindow();
            comments->OptSet[0]->setChecked(true);
            if (rules)
                rules(*comments);
            rig.prompter.no();
            print(name, timeMs([&] { comments->cmdGet_Click(); }), "ms");
            if (importing.drawList().count() != expected ||
                comments->lblStatus->text() != QStringLiteral("상태 : <10000>/<10000> 덧글 확인 완료"))
                std::printf("%s: the list holds %d entries, the status reads %s\n", name,
                            importing.drawList().count(), qPrintable(comments->lblStatus->text()));
            rig.prompter.reset();
        };
        importMs("import_10000_ms", [](TestHttpServer &server) {
            QString page = QStringLiteral("<html><body><table>\n");
            for (int i = 0; i < 10000; ++i)
                page +=
                    QStringLiteral(
                        "<tr><td style=\"padding:2px 4px 4px 5px;word-break:break-all;\"><b><a href=\"#\" "
                        "onclick=\"showSideView(this); return false;\">덧글러%1</a></b> 2010-05-09\n"
                        "<div class=han style=line-height:160%>응모합니다 %2</div></td></tr>\n")
                        .arg(i % 3000)
                        .arg(i);
            server.enqueueBody(toCp949(page + QStringLiteral("</table></body></html>")).bytes);
        });
        // Today's post; with `timed`, comment n written n seconds after 10:00 of the day of its
        // answers, which are dated 13:00 (Korea's time).
        auto todaysPost = [](bool timed) {
            return [timed](TestHttpServer &server) {
                // 3,000 members, each with the token the site gives every comment of theirs
                auto comment = [timed](int n, const QByteArray &replies) -> QByteArray {
                    const QByteArray member = QByteArray::number(n % 3000);
                    const QByteArray time =
                        timed ? QTime(10, 0).addSecs(n).toString(QStringLiteral("HH:mm:ss")).toLatin1()
                              : QByteArray("11:37:06");
                    return "{\"no\":" + QByteArray::number(5100000 + n) +
                           ",\"depth\":0,\"name\":\"<b><a href=# onClick=\\\"return false\\\"><i "
                           "class=\\\"nlevel "
                           "lvG\\\"><\\/i>" +
                           jsonAscii(QStringLiteral("덧글러%1").arg(n % 3000)) +
                           "<\\/a><\\/b>\",\"memo\":\"<p>" +
                           jsonAscii(QStringLiteral("응모합니다 %1").arg(n)) +
                           "<\\/p>\",\"anti_vote_btn\":{\"show_btn\":true,\"troll_no\":\"" +
                           member.toBase64() + "==\",\"is_troll\":false},\"meta\":{\"time_display\":\"" +
                           time + "\",\"time_detail\":\"\",\"is_self\":false,\"is_mine\":false}" +
                           (replies.isEmpty() ? QByteArray() : ",\"sub_cmt\":[" + replies + "]") + "}";
                };
                server.route("/zboard/list_comment.php", {});
                // The post's own address answers with its last page, as the site does today; the
                // other pages are asked for by number (the last route that matches answers).
                for (int page : {10, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
                    QByteArrayList comments;
                    for (int i = 0; i < 1000; i += 10) {
                        const int n = (page - 1) * 1000 + i;
                        for (int j = 0; j < 8; ++j)
                            comments.append(comment(n + j, {}));
                        comments.append(comment(n + 8, comment(n + 9, {}))); // and its reply
                    }
                    TestHttpServer::Answer answer;
                    answer.body =
                        toCp949(QStringLiteral("<html><head><title>뽐뿌</title><script>var G_IS_GUEST = 1;"
                                               "var G_CMT_PAGE = %1;</script></head><body>"
                                               "<div id=\"comment_list_area\"></div><script>"
                                               "var initialCommentData = {\"total_comment\":10000,"
                                               "\"total_page\":10,\"comments\":[")
                                    .arg(page))
                            .bytes +
                        comments.join(',') + "]};</script></body></html>";
                    if (timed)
                        answer.headers = {{"Date", "Fri, 28 Aug 2026 04:00:00 GMT"}};
                    server.route(page == 10 ? QByteArray("/zboard/view.php")
                                            : "&c_page=" + QByteArray::number(page),
                                 answer);
                }
            };
        };
        importMs("import_today_10000_ms", todaysPost(false));
        // The same with an event's rules: a deadline at 12:00, which the last 2,799 comments
        // miss (every member's first comment is before it), a quiz's answer that none holds,
        // and an exclusion list of 1,000 of the members, loaded from a list file.
        QStringList excluded;
        for (int i = 0; i < 1000; ++i)
            excluded.append(QStringLiteral("덧글러%1").arg(i));
        const QString excludedFile = rig.folder.filePath(QStringLiteral("excluded.txt"));
        if (!WriteTextFile(excludedFile, buildListText(excluded)))
            std::printf("import_today_10000_rules: the exclusion list could not be written\n");
        importMs(
            "import_today_10000_rules_ms", todaysPost(true),
            [&](frmPcmnt &comments) {
                comments.txtDeadline->setText(QStringLiteral("2026-08-28 12:00"));
                comments.txtExclude->setText(QStringLiteral("정답"));
                rig.prompter.chooseFile(excludedFile);
                comments.cmdExcludeList_Click();
                if (comments.lblExcludeList->text() != QStringLiteral("제외 목록 : 1000명"))
                    std::printf("import_today_10000_rules: %s\n",
                                qPrintable(comments.lblExcludeList->text()));
                rig.prompter.reset();
            },
            22000);
        // The text of mark-up that holds many '&' and no ';'.
        const QString ampersands(160000, u'&');
        print("markup_160000_ampersands_ms", timeMs([&] { markupText(ampersands); }), "ms");
    }
    if (wanted("public")) {
        // The public draw of a full list through its menus: the announcement, the draw (the
        // round pasted, so neither a wait nor a relay is timed) and the verification of its
        // result (offline: no relay is set).
        Rig publicRig;
        publicRig.clock.time =
            QDateTime::fromSecsSinceEpoch(publicdraw::roundTime(42) - 690, QTimeZone::utc());
        frmMain drawing(publicRig.services());
        drawing.show();
        drawing.OptPick[0]->setChecked(true);
        fillDistinct(drawing, 32767);
        QCoreApplication::processEvents();
        for (const char *answer : {"벤치마크 추첨", "100", "10", "", "2023-08-24 00:11:30"})
            publicRig.prompter.type(QString::fromUtf8(answer));
        print("public_announce_32767_ms", timeMs([&] { drawing.mnu_Announce->trigger(); }), "ms");
        const QDir folder(publicRig.folder.path());
        const QStringList announced = folder.entryList({QStringLiteral("*_Tombolix_Announce.txt")});
        publicRig.clock.time = QDateTime::fromSecsSinceEpoch(publicdraw::roundTime(42) + 1, QTimeZone::utc());
        publicRig.prompter.reset();
        publicRig.prompter.chooseFile(folder.filePath(announced.value(0)));
        publicRig.prompter.type(QStringLiteral(
            "{\"round\":42,\"randomness\":"
            "\"8ada64bae5c6c0f5540a6a13af56e663240edfbd2c76ac6a8f27671eb7259ce3\","
            "\"signature\":"
            "\"95a9f9f5b231b7714de1553105d8ffdf3dcda24cfdb1e689319bccf79a9c8ce430a91b811fbfaf763900bc"
            "998b5d686a\"}"));
        print("public_draw_32767_ms", timeMs([&] { drawing.mnu_PublicDraw->trigger(); }), "ms");
        const QStringList results = folder.entryList({QStringLiteral("*_Tombolix_Result.txt")});
        publicRig.prompter.reset();
        publicRig.prompter.chooseFile(folder.filePath(results.value(0)));
        publicRig.prompter.type(QString()); // compared with the announcement file
        publicRig.prompter.chooseFile(folder.filePath(announced.value(0)));
        print("public_verify_32767_ms", timeMs([&] { drawing.mnu_Verify->trigger(); }), "ms");
        if (!publicRig.prompter.texts().value(3).startsWith(QStringLiteral("검증 성공")))
            std::printf("public_verify_32767: %s\n", qPrintable(publicRig.prompter.texts().join(u'|')));
        // What each step of them costs on its own, run again on the same list: the list made
        // canonical, its fingerprint, the announcement written and read back, and the result
        // written and read back (its round's BLS check included).
        {
            using namespace publicdraw;
            const QStringList entries = drawing.drawList().entries();
            CanonicalList list;
            print("public_step_canonical_list_ms", timeMs([&] { list = canonicalList(entries); }), "ms");
            QString listSha;
            print("public_step_list_sha256_ms",
                  timeMs([&] { listSha = sha256Hex(canonicalFile(list.entries)); }), "ms");
            const Announcement stepAnnounced{
                {listSha, int(list.entries.size()), 100, 10, 42, QStringLiteral("벤치마크"), {}},
                list.entries};
            QString announceText;
            print("public_step_announce_text_ms",
                  timeMs([&] { announceText = announcementText(stepAnnounced); }), "ms");
            print("public_step_announce_post_ms", timeMs([&] { announcementPost(stepAnnounced); }), "ms");
            print("public_step_read_announcement_ms", timeMs([&] { parseAnnouncement(announceText); }), "ms");
            const Round round{
                42, QStringLiteral("8ada64bae5c6c0f5540a6a13af56e663240edfbd2c76ac6a8f27671eb7259ce3"),
                QStringLiteral("95a9f9f5b231b7714de1553105d8ffdf3dcda24cfdb1e689319bccf79a9c8ce430a"
                               "91b811fbfaf763900bc998b5d686a")};
            QString resultFile;
            print("public_step_result_text_ms", timeMs([&] {
                      resultFile = resultText(decide(stepAnnounced, round, {QStringLiteral("pasted")}));
                  }),
                  "ms");
            print("public_step_read_result_ms", timeMs([&] { verifyResult(resultFile, {}); }), "ms");
        }
        // One check of a round's BLS signature (round 42), the median of 20.
        const QByteArray signature = QByteArray::fromHex("95a9f9f5b231b7714de1553105d8ffdf3dcda24cfdb1e689319"
                                                         "bccf79a9c8ce430a91b811fbfaf763900bc998b5d686a");
        std::vector<double> checks;
        bool valid = true;
        for (int i = 0; i < 20; ++i)
            checks.push_back(
                timeMs([&] { valid = publicdraw::roundSignatureValid(42, signature) && valid; }));
        std::nth_element(checks.begin(), checks.begin() + 10, checks.end());
        print("beacon_verify_ms", checks[10], "ms");
        if (!valid)
            std::printf("beacon_verify: round 42 did not verify\n");
    }
    if (wanted("web")) {
        // The entrants' page in headless Chromium, from the built file: a result of 32,767 entries
        // checked with its announcement, its round's BLS check included, and the page's size
        // (web/bench/bench.mjs prints the figures; the draws are the program's own files).
        QTemporaryDir draws;
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(QStringLiteral(TOMBOLIX_DRAWFILES), {draws.path()});
        if (!run.waitForFinished(120000) || run.exitCode() != 0) {
            std::printf("web: the draws could not be written\n");
        } else {
            run.start(QStringLiteral(TOMBOLIX_NODE),
                      {QStringLiteral(TOMBOLIX_SOURCE_DIR "/web/bench/bench.mjs"),
                       QStringLiteral(TOMBOLIX_VERIFIER_PAGE), draws.path()});
            if (!run.waitForFinished(600000) || run.exitCode() != 0)
                std::printf("web: the page's benchmark did not run (Chromium missing?)\n");
        }
    }
    if (wanted("normal")) {
        // Unicode's normal forms through ICU: 800,000 ligatures, each two letters in NFKC (work
        // that grows with the square of the length in Qt's own normaliser), and every Hangul
        // syllable into jamo and back.
        const QString ligatures(800000, QChar(0xFB00));
        qsizetype letters = 0;
        print("nfkc_800000_ligatures_ms", timeMs([&] { letters = unicode::nfkc(ligatures).size(); }), "ms");
        if (letters != 1600000)
            std::printf("nfkc_800000_ligatures: %lld letters\n", qlonglong(letters));
        QString syllables;
        for (char16_t c = 0xAC00; c <= 0xD7A3; ++c)
            syllables += QChar(c);
        QString jamo;
        print("nfd_11172_syllables_ms", timeMs([&] { jamo = unicode::nfd(syllables); }), "ms");
        bool back = false;
        print("nfc_11172_syllables_ms", timeMs([&] { back = unicode::nfc(jamo) == syllables; }), "ms");
        if (!back)
            std::printf("nfc_11172_syllables: not the syllables again\n");
    }
    return 0;
}
