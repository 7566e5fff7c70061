// The main window as the user meets it: its layout and menus, and building the draw list.
#include "app/frmMain.h"
#include "resultbox/ResultBox.h"
#include "tests/support/Controls.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdlib>
#include <utility>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QString emptyMessage = QStringLiteral("추가할 항목을 입력하세요!");
const QString duplicateQuestion =
    QStringLiteral("현재 리스트에 동일한 항목이 추가되어 있습니다. 그래도 추가하시겠습니까?");

} // namespace

class TestListEditing : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutFollowsTheTable();
    void menusAndTabOrder();
    void captionAfterLoad();
    void addTrimsAndFocuses();
    void blankAddIsRefused();
    void enterKeyAdds();
    void duplicateQuestionBothWays();
    void caseAndInnerBlanksAreDifferentEntries();
    void deleteAsksAndRemovesOneEntry();
    void clearBothWays();
    void fullListRefusesAnAdd();

private:
    std::unique_ptr<Rig> rig;
    std::unique_ptr<frmMain> window;
};

void TestListEditing::init() {
    rig = std::make_unique<Rig>();
    window = std::make_unique<frmMain>(rig->services());
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void TestListEditing::cleanup() {
    window.reset();
    rig.reset();
}

void TestListEditing::layoutFollowsTheTable() {
    QCOMPARE(window->centralWidget()->size(), QSize(337, 561));
    // a label keeps its place and width, but is as tall as a line of its font, as much above
    // as below its box of the table, so that no stroke of its text is cut
    for (const auto &[name, box] :
         {std::pair{"lblStatus", QRect(8, 8, 321, 17)}, std::pair{"lblList", QRect(8, 88, 317, 20)},
          std::pair{"lblText1", QRect(8, 320, 317, 20)}}) {
        const QLabel *label = named<QLabel>(window.get(), name);
        QCOMPARE(label->x(), box.x());
        QCOMPARE(label->width(), box.width());
        QVERIFY2(label->height() >= box.height() && label->height() >= label->fontMetrics().height(), name);
        QVERIFY2(std::abs(label->geometry().center().y() - box.center().y()) <= 1, name);
    }
    QCOMPARE(window->txtAdd->geometry(), QRect(64, 32, 257, 18));
    QCOMPARE(window->cmdAdd->geometry(), QRect(8, 56, 153, 25));
    QCOMPARE(window->cmdDel->geometry(), QRect(168, 56, 153, 25));
    QCOMPARE(window->lstPick->geometry(), QRect(8, 112, 321, 172));
    QCOMPARE(window->OptPick[1]->geometry(), QRect(216, 296, 113, 17));
    QCOMPARE(window->txtPick->geometry(), QRect(8, 344, 321, 169));
    QCOMPARE(window->cmdPick->geometry(), QRect(8, 520, 321, 33));
    QCOMPARE(window->CapPic->geometry(), QRect(352, 0, 343, 609));
    QVERIFY(!window->CapPic->isVisible());
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 프로그램 실행 완료"));
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 0개)"));
    QCOMPARE(window->OptPick[0]->text(), QStringLiteral("텍스트(,로 구분) 출력"));
    QVERIFY(!window->OptPick[0]->isChecked() && !window->OptPick[1]->isChecked());
    QCOMPARE(window->lblList->font().pointSizeF(), 14.25);
    QVERIFY(window->lblList->font().bold());
    QCOMPARE(window->lblText[3]->text(), QStringLiteral("항목 입력"));
    QVERIFY(window->lblText[2] == nullptr);
    // not resizable
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
}

void TestListEditing::menusAndTabOrder() {
    const QList<QPair<QString, QStringList>> expected{
        {QStringLiteral("리스트 기능"),
         {QStringLiteral("리스트 저장"), QStringLiteral("리스트 불러오기"), QStringLiteral("리스트 초기화"),
          QStringLiteral("뽐뿌 덧글 가져오기"), QStringLiteral("제외 목록 적용…")}},
        {QStringLiteral("캡쳐"), {QStringLiteral("프로그램 화면 캡쳐")}},
        {QStringLiteral("정보"),
         {QStringLiteral("개발자 정보"), QStringLiteral("피드백은..."), QStringLiteral("블로그 가기")}},
        // the draw anyone can check, beside the three menus as they were
        {QStringLiteral("공개 추첨"),
         {QStringLiteral("추첨 예고 만들기…"), QStringLiteral("예고한 추첨 하기…"),
          QStringLiteral("추첨 결과 검증…"), QStringLiteral("검증 페이지 열기")}}};
    const QList<QAction *> top = window->menuBar()->actions();
    QCOMPARE(top.size(), expected.size());
    for (int i = 0; i < top.size(); ++i) {
        QCOMPARE(top[i]->text(), expected[i].first);
        QStringList captions;
        for (QAction *command : top[i]->menu()->actions()) {
            QVERIFY(command->shortcut().isEmpty() && !command->isCheckable() && !command->isSeparator());
            captions.append(command->text());
        }
        QCOMPARE(captions, expected[i].second);
    }
    QVERIFY(window->findChild<QAction *>(QStringLiteral("mnu_Feedback")));

    QCOMPARE(QApplication::focusWidget(), window->txtAdd);
    const QList<QWidget *> order{window->cmdAdd, window->lstPick, window->cmdPick, window->cmdDel};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void TestListEditing::captionAfterLoad() {
    QVERIFY(window->Form_Load());
    QCOMPARE(window->windowTitle(), QStringLiteral("Tombolix - 간편한 기능형 추첨기! Ver : 1.01"));
}

void TestListEditing::addTrimsAndFocuses() {
    window->cmdDel->setFocus();
    window->txtAdd->setText(QStringLiteral("  홍 길동  "));
    QTest::mouseClick(window->cmdAdd, Qt::LeftButton);
    QCOMPARE(listEntries(window->lstPick), QStringList{QStringLiteral("홍 길동")});
    QVERIFY(window->txtAdd->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), window->txtAdd);
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 1개)"));
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 항목 추가 완료"));
    QVERIFY(rig->prompter.records.isEmpty());
}

void TestListEditing::blankAddIsRefused() {
    window->txtAdd->setText(QStringLiteral("    "));
    window->cmdAdd_Click();
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
    QCOMPARE(rig->prompter.records[0].title, QStringLiteral("Tombolix Alert"));
    QCOMPARE(rig->prompter.records[0].text, emptyMessage);
    QVERIFY(window->txtAdd->text().isEmpty());
    QCOMPARE(window->lstPick->count(), 0);
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 프로그램 실행 완료"));
}

void TestListEditing::enterKeyAdds() {
    QTest::keyClick(window->txtAdd, Qt::Key_Return);
    QCOMPARE(rig->prompter.texts(), QStringList{emptyMessage});
    for (const QString &name : {QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}) {
        QTest::keyClicks(QApplication::focusWidget(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(listEntries(window->lstPick),
             (QStringList{QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 3개)"));
}

void TestListEditing::duplicateQuestionBothWays() {
    window->drawList().append(QStringLiteral("abc"));
    window->txtAdd->setText(QStringLiteral("abc"));
    rig->prompter.no();
    window->cmdAdd_Click();
    QCOMPARE(rig->prompter.texts(),
             (QStringList{duplicateQuestion, QStringLiteral("중복 항목 추가를 취소하셨습니다.")}));
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Question);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Notice);
    QCOMPARE(window->txtAdd->text(), QStringLiteral("abc"));
    QCOMPARE(window->lstPick->count(), 1);
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 1개)"));
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 프로그램 실행 완료"));

    rig->prompter.reset();
    rig->prompter.yes();
    window->cmdAdd_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{duplicateQuestion});
    QCOMPARE(listEntries(window->lstPick), (QStringList{QStringLiteral("abc"), QStringLiteral("abc")}));
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 2개)"));
}

void TestListEditing::caseAndInnerBlanksAreDifferentEntries() {
    window->drawList().append(QStringLiteral("a b"));
    for (const QString &text : {QStringLiteral("A B"), QStringLiteral("a  b")}) {
        window->txtAdd->setText(text);
        window->cmdAdd_Click();
    }
    QVERIFY(rig->prompter.records.isEmpty());
    QCOMPARE(window->lstPick->count(), 3);
}

void TestListEditing::deleteAsksAndRemovesOneEntry() {
    const QString question = QStringLiteral("선택하신 항목을 정말로 리스트에서 삭제하시겠습니까?");
    for (const QString &text : {QStringLiteral("x"), QStringLiteral("same"), QStringLiteral("same")})
        window->drawList().append(text);
    window->cmdDel_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{QStringLiteral("삭제할 항목을 리스트에서 선택해주세요!")});

    window->lstPick->setCurrentRow(2);
    rig->prompter.reset();
    rig->prompter.no();
    window->cmdDel_Click();
    QCOMPARE(rig->prompter.texts(), (QStringList{question, QStringLiteral("항목 삭제를 취소하셨습니다")}));
    QCOMPARE(window->lstPick->count(), 3);

    rig->prompter.reset();
    rig->prompter.yes();
    window->lstPick->setCurrentRow(1);
    window->cmdDel_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{question});
    QCOMPARE(listEntries(window->lstPick), (QStringList{QStringLiteral("x"), QStringLiteral("same")}));
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 2개)"));
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 항목 삭제 완료"));
}

void TestListEditing::clearBothWays() {
    window->drawList().append(QStringLiteral("a"));
    window->txtPick->setText(QStringLiteral("a"));
    window->txtAdd->setText(QStringLiteral("typed"));
    rig->prompter.no();
    window->mnu_Clear->trigger();
    QCOMPARE(rig->prompter.texts(),
             QStringList{QStringLiteral("정말로 추첨자 리스트를 초기화하시겠습니까?")});
    QCOMPARE(window->lstPick->count(), 1);

    rig->prompter.reset();
    rig->prompter.yes();
    window->mnu_Clear->trigger();
    QCOMPARE(rig->prompter.texts(), (QStringList{QStringLiteral("정말로 추첨자 리스트를 초기화하시겠습니까?"),
                                                 QStringLiteral("리스트 초기화 완료!")}));
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Notice);
    QCOMPARE(window->lstPick->count(), 0);
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 0개)"));
    QCOMPARE(window->txtPick->text(), QStringLiteral("a"));
    QCOMPARE(window->txtAdd->text(), QStringLiteral("typed"));
}

void TestListEditing::fullListRefusesAnAdd() {
    for (int i = 0; i < 32767; ++i)
        window->lstPick->addItem(QString::number(i));
    window->txtAdd->setText(QStringLiteral("one more"));
    window->cmdAdd_Click();
    QCOMPARE(rig->prompter.records.size(), 1);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
    QCOMPARE(window->lstPick->count(), 32767);
    QCOMPARE(window->txtAdd->text(), QStringLiteral("one more"));
}

TOMBOLIX_TEST_MAIN(TestListEditing)
#include "test_listediting.moc"
