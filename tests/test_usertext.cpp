// Text from users is data, never a format: an entry, a nickname, a file name, a folder, an
// address or a filter holding "%1 %2 %L1 %% %" comes back exactly as typed in every message and
// list that shows it (a chained QString::arg would read the "%1" again and put the next
// argument there).
#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "common/DrawList.h"
#include "common/ErrorGuard.h"
#include "core/Constants.h"
#include "core/TombolixError.h"
#include "tests/support/SiteRig.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QString odd = QStringLiteral("%1 %2 %L1 %% %");
const QString clearQuestion =
    QStringLiteral("현재 리스트를 초기화하고 진행하시겠습니까? 그렇지 않으시면 현재 리스트 밑에 추가됩니다.");
const QString importDone = QStringLiteral("덧글을 모두 확인하여 리스트에 조건에 맞게끔 추가하였습니다!");

// A rig whose program writes its files in a folder named with the odd text.
struct OddFolderRig {
    OddFolderRig() {
        folder = rig.folder.filePath(odd);
        QDir().mkpath(folder);
    }
    Services services() {
        Services services = rig.services();
        services.filesFolder = folder;
        return services;
    }
    Rig rig;
    QString folder;
};

// The four pages of the long post, with the odd text as two members' nicknames (최민수's and
// 정소연's) and in one comment's text, and a site count of 124.
QByteArray longPage(int page) {
    QByteArray bytes =
        fixtureBytes(QStringLiteral("long_page") + QString::number(page) + QStringLiteral(".html"));
    const QByteArray text = odd.toLatin1();
    bytes.replace(R"(\ucd5c\ubbfc\uc218)", text); // 최민수
    bytes.replace(R"(\uc815\uc18c\uc5f0)", text); // 정소연
    bytes.replace(R"(<p>\uc751\ubaa8\ud574\uc694<\/p>)", QByteArray(QByteArray("<p>") + text + "<\\/p>"));
    bytes.replace("\"total_comment\":10", "\"total_comment\":124");
    return bytes;
}

} // namespace

class TestUserText : public QObject {
    Q_OBJECT
private slots:
    void anEntryTypedIntoTheMainWindow();
    void aFileNameTypedAtSaveAndItsFolder();
    void anEntryInTheSaveQuestion();
    void aLoadedFilesPathAndEntries();
    void aCapturesFolder();
    void anErrorsDescription();
    void nicknamesFiltersAndAddressesOfAnImport();
};

void TestUserText::anEntryTypedIntoTheMainWindow() {
    Rig rig;
    frmMain window(rig.services());
    for (int i = 0; i < 2; ++i) {
        QTest::keyClicks(window.txtAdd, odd);
        if (i == 1)
            rig.prompter.yes(); // the same entry again
        QTest::keyClick(window.txtAdd, Qt::Key_Return);
    }
    QCOMPARE(listEntries(window.lstPick), (QStringList{odd, odd}));
    QCOMPARE(window.lblList->text(), QStringLiteral("추첨 리스트(갯수 : 2개)"));
    QCOMPARE(rig.prompter.texts(),
             QStringList{
                 QStringLiteral("현재 리스트에 동일한 항목이 추가되어 있습니다. 그래도 추가하시겠습니까?")});

    // a full list says its limit
    while (window.drawList().append(odd)) {
    }
    rig.prompter.reset();
    QTest::keyClicks(window.txtAdd, odd);
    QTest::keyClick(window.txtAdd, Qt::Key_Return);
    QCOMPARE(rig.prompter.texts(),
             QStringList{QStringLiteral("리스트에는 항목을 32767개까지만 넣을 수 있습니다!")});
    QCOMPARE(window.txtAdd->text(), odd);
}

void TestUserText::aFileNameTypedAtSaveAndItsFolder() {
    OddFolderRig odds;
    frmMain window(odds.services());
    window.drawList().append(odd);
    window.drawList().append(QStringLiteral("홍길동"));
    odds.rig.prompter.type(odd);
    window.mnu_Save->trigger();
    const QString file = odds.folder + u'/' + odd + QStringLiteral(".txt");
    QCOMPARE(odds.rig.prompter.texts().value(1),
             QDir::toNativeSeparators(file) + QStringLiteral(" 경로에 저장 성공!"));
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(),
             QByteArray("tombolix") + odd.toLatin1() + "\r\n\xC8\xAB\xB1\xE6\xB5\xBF\r\n\r\n"); // 홍길동
}

void TestUserText::anEntryInTheSaveQuestion() {
    Rig rig;
    frmMain window(rig.services());
    const QString lossy = odd + QStringLiteral(" 😀");
    window.drawList().append(QStringLiteral("김철수"));
    window.drawList().append(lossy);
    rig.prompter.type(QStringLiteral("목록"));
    rig.prompter.no();
    window.mnu_Save->trigger();
    QCOMPARE(rig.prompter.texts().value(1),
             QStringLiteral(
                 "1개 항목에 리스트 파일(코드 페이지 949)에 저장할 수 없는 글자가 있어, 그 글자는 '?'로 "
                 "저장됩니다. (첫 항목 : ") +
                 lossy + QStringLiteral(") 그래도 저장하시겠습니까?"));
    QVERIFY(!QFile::exists(rig.folder.filePath(QStringLiteral("목록.txt"))));
}

void TestUserText::aLoadedFilesPathAndEntries() {
    OddFolderRig odds;
    frmMain window(odds.services());
    const QString file = odds.folder + u'/' + odd + QStringLiteral(".txt");
    QFile list(file);
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write(QByteArray("tombolix") + odd.toLatin1() + "\r\n\xC8\xB2\r\n\r\n"); // 황
    list.close();
    odds.rig.prompter.chooseFile(file);
    window.mnu_Load->trigger();
    QCOMPARE(odds.rig.prompter.texts().mid(1), // after the file dialog
             (QStringList{QStringLiteral("로딩을 시작합니다. 아무 키도 누르지 말고 잠시만 기다려주세요."),
                          QStringLiteral("데이터를 모두 불러왔습니다! 정상적으로 사용하실 수 있습니다 ^^")}));
    QCOMPARE(odds.rig.prompter.records[1].kind, PromptKind::Information);
    QCOMPARE(listEntries(window.lstPick), (QStringList{odd, QStringLiteral("황")}));

    // the file again into a list with room for one entry: the message counts what did not fit
    while (window.drawList().count() < maxDrawListEntries - 1)
        window.drawList().append(QStringLiteral("x"));
    odds.rig.prompter.reset();
    odds.rig.prompter.chooseFile(file);
    window.mnu_Load->trigger();
    QCOMPARE(odds.rig.prompter.texts().value(2),
             QStringLiteral(
                 "리스트에는 항목을 32767개까지만 넣을 수 있어, 파일의 항목 중 1개는 추가하지 못했습니다."));
    QCOMPARE(window.lstPick->item(maxDrawListEntries - 1)->text(), odd);
}

void TestUserText::aCapturesFolder() {
    OddFolderRig odds;
    frmMain window(odds.services());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.mnu_Capture->trigger();
    const QString file = odds.folder + QStringLiteral("/2010_05_09_14.03.27_Tombolix_Capture.jpg");
    QCOMPARE(odds.rig.prompter.texts(),
             QStringList{QDir::toNativeSeparators(file) +
                         QStringLiteral(" 로 현재 프로그램의 화면이 저장되었습니다!")});
    QVERIFY(QFile::exists(file));
}

void TestUserText::anErrorsDescription() {
    QCOMPARE(Prompter::errorText(5, odd), QStringLiteral("런타임 오류 '5':\r\n\r\n") + odd);
    Rig rig;
    guarded(rig.prompter, [] { throw TombolixError(51, odd); });
    QCOMPARE(rig.prompter.records.value(0).kind, PromptKind::Error);
    QCOMPARE(rig.prompter.texts(), QStringList{QStringLiteral("런타임 오류 '51':\r\n\r\n") + odd});
}

// The log-in's ID, the post's address, the filter and the nicknames of an import, each holding
// the odd text; the count question and the closing message read exactly.
void TestUserText::nicknamesFiltersAndAddressesOfAnImport() {
    SiteRig site(RequestLimits{2000, 2000, 500});
    ScriptedPrompter &prompter = site.rig.prompter;
    site.server.enqueueBody(fixtureBytes(QStringLiteral("front_member.html")));
    site.window->txtID->setText(odd);
    site.window->txtPW->setText(odd);
    site.window->cmdLogin_Click();
    QCOMPARE(prompter.texts(), QStringList{QStringLiteral("로그인에 성공하였습니다!")});
    QCOMPARE(site.server.requests[0].body,
             QByteArray("s_url=%2Findex.php&secure1=1&user_id=%251%20%252%20%25L1%20%25%25%20%25"
                        "&password=%251%20%252%20%25L1%20%25%25%20%25&x=0&y=0"));

    // the address helper takes the post from an address that holds the odd text
    prompter.reset();
    prompter.no(); // the first use's offer of the help page
    prompter.type(QStringLiteral("https://www.ppomppu.co.kr/zboard/view.php?id=pmarket&no=303722&keyword=") +
                  odd);
    site.window->cmdNumHelp_Click();
    QCOMPARE(site.window->txtBoard->text(), QStringLiteral("pmarket"));
    QCOMPARE(site.window->txtNum->text(), QStringLiteral("303722"));
    prompter.reset();
    prompter.no();
    prompter.type(odd);
    site.window->cmdNumHelp_Click();
    QCOMPARE(prompter.texts().last(), QStringLiteral("정확한 주소를 입력해주세요!"));

    // every comment: two members named the odd text, the second numbered
    for (const QString &filter : {QString(), odd}) {
        prompter.reset();
        site.server.requests.clear();
        site.main->drawList().clear();
        site.window->OptSet[filter.isNull() ? 0 : 1]->setChecked(true);
        site.window->txtCmt1->setText(filter);
        site.server.enqueueBody(QByteArray());
        for (int page : {4, 1, 2, 3})
            site.server.enqueueBody(longPage(page));
        prompter.yes(); // go on although the count differs
        prompter.no();  // keep the list
        site.window->cmdGet_Click();
        QCOMPARE(site.server.requests.value(1).target, QByteArray("/zboard/view.php?id=pmarket&no=303722"));
        const int read = 10;
        QCOMPARE(prompter.texts().value(0), QStringLiteral("사이트에 표시된 덧글은 124개인데 ") +
                                                QString::number(read) +
                                                QStringLiteral("개를 읽었습니다. 그래도 진행하시겠습니까?"));
        if (filter.isNull()) {
            QCOMPARE(listEntries(site.main->lstPick),
                     (QStringList{odd, QStringLiteral("이름 없는 회원 (덧글 5103002)"),
                                  odd + QStringLiteral(" (2)"), QStringLiteral("황"),
                                  QStringLiteral("이름 없는 회원 (덧글 5103011)"), QStringLiteral("[ ** ]"),
                                  QStringLiteral("김철수")}));
            QCOMPARE(prompter.texts().value(2),
                     importDone +
                         QStringLiteral("\r\n글쓴이의 덧글 1개는 넣지 않았습니다.\r\n이름이 보이지 않는 "
                                        "회원 2명은 덧글 번호로 이름을 붙여 넣었습니다. (이름 없는 "
                                        "회원 (덧글 5103002) 등)"));
        } else {
            QCOMPARE(listEntries(site.main->lstPick), QStringList{odd});
            QCOMPARE(prompter.texts().value(2), importDone);
        }
        QCOMPARE(site.main->lblList->text(), DrawList::countText(site.main->lstPick->count()));
    }

    // a board and a post number typed with the odd text go into the address as typed
    prompter.reset();
    site.server.requests.clear();
    site.window->txtBoard->setText(odd);
    site.window->txtNum->setText(odd);
    site.server.enqueueBody(QByteArray());
    site.server.enqueueBody(QByteArray());
    site.window->cmdGet_Click();
    QCOMPARE(prompter.texts(),
             QStringList{QStringLiteral("덧글을 찾지 못했습니다! 게시글 번호가 정확한지 확인해보세요!")});
    const QByteArray typed("%251%20%252%20%25L1%20%25%25%20%25");
    QCOMPARE(site.server.requests.value(0).target,
             QByteArray("/zboard/list_comment.php?id=") + typed + "&no=" + typed);
}

QTEST_MAIN(TestUserText)
#include "test_usertext.moc"
