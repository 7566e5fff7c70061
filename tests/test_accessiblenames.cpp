// Both windows as a screen reader reads them: every control the user can reach has a name.
#include "app/frmMain.h"
#include "comments/frmPcmnt.h"
#include "tests/support/Fakes.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QTest>

using namespace tombolix;
using namespace tombolix::test;

namespace {

struct Named {
    QString object;
    QAccessible::Role role;
    QString name;
};

// Every control under a window that a user works (boxes, buttons, options, lists), with its
// accessible name.
void collect(QAccessibleInterface *node, QList<Named> &into) {
    static const QList<QAccessible::Role> controls{QAccessible::EditableText, QAccessible::PushButton,
                                                   QAccessible::RadioButton,  QAccessible::List,
                                                   QAccessible::CheckBox,     QAccessible::ComboBox};
    if (controls.contains(node->role()) && node->object())
        into.append({node->object()->objectName(), node->role(), node->text(QAccessible::Name)});
    for (int i = 0; i < node->childCount(); ++i)
        collect(node->child(i), into);
}

} // namespace

class TestAccessibleNames : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasAName();
};

void TestAccessibleNames::everyControlHasAName() {
    Rig rig;
    frmMain window(rig.services());
    window.show();
    window.mnu_Pcmt->trigger();
    frmPcmnt *comments = window.commentWindow();
    QVERIFY(QTest::qWaitForWindowExposed(comments));

    QList<Named> controls;
    collect(QAccessible::queryAccessibleInterface(&window), controls);
    const int mainControls = int(controls.size());
    collect(QAccessible::queryAccessibleInterface(comments), controls);
    QCOMPARE(mainControls, 8); // a box, three buttons, the list, two options, the result box
    QCOMPARE(controls.size() - mainControls, 13); // with the event's rules: two boxes and a button
    for (const Named &control : controls)
        QVERIFY2(!control.name.trimmed().isEmpty(), qPrintable(control.object));

    // the boxes are named by the labels beside them
    const QHash<QString, QString> expected{
        {QStringLiteral("txtAdd"), QStringLiteral("항목 입력")},
        {QStringLiteral("lstPick"), QStringLiteral("추첨 리스트")},
        {QStringLiteral("txtPick"), QStringLiteral("추첨 결과")},
        {QStringLiteral("cmdPick"), QStringLiteral("추첨하기")},
        {QStringLiteral("OptPick1"), QStringLiteral("리스트 형식 출력")},
        {QStringLiteral("txtID"), QStringLiteral("아이디")},
        {QStringLiteral("txtPW"), QStringLiteral("비밀번호")},
        {QStringLiteral("txtNum"), QStringLiteral("글번호")},
        {QStringLiteral("txtBoard"), QStringLiteral("게시판")},
        {QStringLiteral("txtCmt1"), QStringLiteral("덧글 내용에 … 가 포함된 덧글 불러오기")},
        {QStringLiteral("cmdNumHelp"), QStringLiteral("글번호/게시판  코드 쉽게입력")},
        {QStringLiteral("txtExclude"), QStringLiteral("제외할 덧글 내용")},
        {QStringLiteral("txtDeadline"), QStringLiteral("마감 시각")},
        {QStringLiteral("cmdExcludeList"), QStringLiteral("제외 목록…")}};
    int found = 0;
    for (const Named &control : controls) {
        if (expected.contains(control.object)) {
            QCOMPARE(control.name, expected.value(control.object));
            ++found;
        }
    }
    QCOMPARE(found, expected.size());
    // the password box names itself, and never reads out what was typed
    comments->txtPW->setText(QStringLiteral("비밀"));
    QAccessibleInterface *password = QAccessible::queryAccessibleInterface(comments->txtPW);
    QVERIFY(!password->text(QAccessible::Value).contains(QStringLiteral("비밀")));
}

QTEST_MAIN(TestAccessibleNames)
#include "test_accessiblenames.moc"
