// Drives the real dialogs, so the titles, icons, buttons and plain-text handling of the
// program's prompts are proven on real widgets.
#include "common/QtPrompter.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tombolix;

namespace {

// Runs the check on whatever modal dialog opens next, from a timer.
void whenModalOpens(const std::function<void(QWidget *)> &check) {
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, check] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            check(dialog);
        }
    });
    timer->start();
}

} // namespace

class TestPrompter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(installQtKoreanTranslation()); }
    void messageBoxes_data();
    void messageBoxes();
    void questionAnswers();
    void inputBoxGivesTextOrCancel();
    void ampersandsShowAsTyped();
    void aLongPasteIsTakenWhole();
    void fileDialogTakesAMissingName();
};

void TestPrompter::messageBoxes_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::newRow("information") << int(PromptKind::Information) << int(QMessageBox::Information);
    QTest::newRow("warning") << int(PromptKind::Warning) << int(QMessageBox::Warning);
    QTest::newRow("notice") << int(PromptKind::Notice) << int(QMessageBox::NoIcon);
    QTest::newRow("error") << int(PromptKind::Error) << int(QMessageBox::Critical);
}

void TestPrompter::messageBoxes() {
    QFETCH(int, kind);
    QFETCH(int, icon);
    QtPrompter prompter;
    bool checked = false;
    whenModalOpens([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("Tombolix Alert"));
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->text(), QStringLiteral("<b>첫 줄</b>\n둘째 줄"));
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("확인"));
        // wide enough for its title beside the title bar's buttons
        QFont bold = box->font();
        bold.setBold(true);
        QVERIFY(box->width() >= QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 100);
        checked = true;
        box->button(QMessageBox::Ok)->click();
    });
    prompter.prompt(PromptKind(kind), QStringLiteral("Tombolix Alert"),
                    QStringLiteral("<b>첫 줄</b>\r\n둘째 줄"), {});
    QVERIFY(checked);
}

void TestPrompter::questionAnswers() {
    QtPrompter prompter;
    for (const bool yes : {true, false}) {
        whenModalOpens([yes](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY(box);
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(box->button(QMessageBox::Yes)->text(), QStringLiteral("예(&Y)"));
            QCOMPARE(box->button(QMessageBox::No)->text(), QStringLiteral("아니요(&N)"));
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        QCOMPARE(prompter.question(QStringLiteral("계속하시겠습니까?")), yes);
    }
}

void TestPrompter::inputBoxGivesTextOrCancel() {
    QtPrompter prompter;
    whenModalOpens([](QWidget *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        QVERIFY(input);
        QCOMPARE(input->windowTitle(), QStringLiteral("Tombolix - 추첨"));
        QCOMPARE(input->labelText(), QStringLiteral("첫 줄 <a>\n둘째 줄"));
        for (QLabel *label : input->findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QLineEdit *edit = input->findChild<QLineEdit *>();
        QVERIFY(edit && edit->text().isEmpty());
        auto *buttons = input->findChild<QDialogButtonBox *>();
        QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("확인"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("취소"));
        QTest::keyClicks(edit, QStringLiteral("3"));
        input->accept();
    });
    QCOMPARE(prompter.input(QStringLiteral("Tombolix - 추첨"), QStringLiteral("첫 줄 <a>\r\n둘째 줄")),
             std::optional<QString>(QStringLiteral("3")));

    whenModalOpens([](QWidget *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        QVERIFY(input);
        input->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    });
    QCOMPARE(prompter.input(QStringLiteral("t"), QStringLiteral("p")), std::nullopt);
}

// A post pasted whole: a line edit holds 32,767 characters and drops the rest without a word, so
// a second code near the end of a long post went unseen; the box of many lines takes it all.
void TestPrompter::aLongPasteIsTakenWhole() {
    QtPrompter prompter;
    QString post = QStringLiteral("예고 코드(announcement_sha256) : ") + QString(64, u'a') + u'\n';
    while (post.size() < 39000)
        post += QStringLiteral("김철수\n홍길동\n");
    post += QStringLiteral("예고 코드 : ") + QString(64, u'b');
    whenModalOpens([&post](QWidget *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        QVERIFY(input);
        auto *edit = input->findChild<QPlainTextEdit *>();
        QVERIFY(edit && edit->isVisible());
        QVERIFY(!input->findChild<QLineEdit *>() || !input->findChild<QLineEdit *>()->isVisible());
        edit->setFocus();
        QGuiApplication::clipboard()->setText(post);
        edit->paste();
        input->accept();
    });
    const std::optional<QString> pasted =
        prompter.multiLineInput(QStringLiteral("t"), QStringLiteral("붙여넣어 주세요."));
    QVERIFY(pasted);
    QCOMPARE(pasted->size(), post.size());
    QVERIFY(pasted->endsWith(QString(64, u'b')));
}

// The address helper's example line holds "&~": no label turns it into a keyboard mnemonic.
void TestPrompter::ampersandsShowAsTyped() {
    QtPrompter prompter;
    const QString example =
        QStringLiteral("(Ex : https://www.ppomppu.co.kr/zboard/view.php?id=freeboard&~~~~~~~~ 끝까지");
    whenModalOpens([&example](QWidget *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        QVERIFY(input);
        input->reject();
        QLabel *label = nullptr;
        for (QLabel *candidate : input->findChildren<QLabel *>()) {
            if (candidate->buddy())
                label = candidate;
        }
        QVERIFY(label);
        // a label with a buddy shows "&&" as "&", and a lone "&" not at all
        QCOMPARE(label->text().replace(QStringLiteral("&&"), QStringLiteral("&")), example);
        QVERIFY(QKeySequence::mnemonic(label->text()).isEmpty());
    });
    prompter.input(QStringLiteral("Tombolix - 뽐뿌 덧글 가져오기"), example);
}

// A typed name of a file that is not there is handed back, in Korean dialog.
void TestPrompter::fileDialogTakesAMissingName() {
    QtPrompter prompter;
    const QString missing = QDir::temp().filePath(QStringLiteral("없는 추첨명단.txt"));
    QFile::remove(missing);
    whenModalOpens([&missing](QWidget *dialog) {
        auto *files = qobject_cast<QFileDialog *>(dialog);
        QVERIFY(files);
        QCOMPARE(files->nameFilters(), QStringList{QStringLiteral("Tombolix List File (*.txt)")});
        auto *buttons = files->findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("열기(&O)"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("취소"));
        auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(missing);
        buttons->button(QDialogButtonBox::Open)->click();
    });
    QCOMPARE(QDir::cleanPath(prompter.openFile(QStringLiteral("Tombolix List File (*.txt)"))), missing);
}

QTEST_MAIN(TestPrompter)
#include "test_prompter.moc"
