// The draw: its checks in their order, the result formats, fairness and a list changed under
// a running draw.
#include "app/frmMain.h"
#include "core/Draw.h"
#include "core/SecureRandom.h"
#include "core/TombolixError.h"
#include "resultbox/ResultBox.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestMain.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace tombolix;
using namespace tombolix::test;

namespace {

const QString tooMany = QStringLiteral("리스트의 항목 수보다 추첨할 항목의 갯수가 더 많거나 같습니다!");
const QString notPositive = QStringLiteral("양의 정수로 입력해주세요!");

} // namespace

class TestDraw : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void parseDrawCount_data();
    void parseDrawCount();
    void emptyListAsksNothing();
    void refusedCounts_data();
    void refusedCounts();
    void formatIsCheckedAfterTheCount();
    void commaAndListFormats();
    void poolNumbersTextsInOrderOfFirstAppearance();
    void repeatedTextWinsAtMostOnce();
    void tooFewDifferentTextsIsRefused();
    void overwriteQuestionBothWays();
    void drawOfTwoIsFair();
    void repeatsWeighByTheirPositions();
    void aListReadAgainKeepsWhatWasDrawn();
    void everyEntryCanBeLeftOut();
    void listClearedDuringTheDrawStopsIt();
    void listGrowingDuringTheDrawIsFine();
    void resultBoxCentresShortLinesAndScrollsLongOnes();
    void errorDuringTheDrawLeavesTheButtonWorking();

private:
    void fill(const QStringList &entries);
    QString draw(const QString &answer);

    std::unique_ptr<Rig> rig;
    std::unique_ptr<frmMain> window;
};

void TestDraw::init() {
    rig = std::make_unique<Rig>();
    window = std::make_unique<frmMain>(rig->services());
}

void TestDraw::cleanup() {
    window.reset();
    rig.reset();
}

void TestDraw::fill(const QStringList &entries) {
    for (const QString &entry : entries)
        window->drawList().append(entry);
}

// One whole draw through the handler; the overwrite question, if any, is answered Yes.
QString TestDraw::draw(const QString &answer) {
    rig->prompter.type(answer);
    if (!window->txtPick->text().isEmpty())
        rig->prompter.yes();
    QTest::mouseClick(window->cmdPick, Qt::LeftButton);
    return window->txtPick->text();
}

void TestDraw::parseDrawCount_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<qint64>("count");
    QTest::newRow("digits") << QStringLiteral("3") << qint64(3);
    QTest::newRow("3.0") << QStringLiteral("3.0") << qint64(3);
    QTest::newRow("blanks around") << QStringLiteral(" 4 ") << qint64(4);
    QTest::newRow("exponent") << QStringLiteral("1e2") << qint64(100);
    QTest::newRow("huge") << QStringLiteral("1e30") << qint64(INT_MAX) + 1;
    QTest::newRow("0") << QStringLiteral("0") << qint64(-1);
    QTest::newRow("-1") << QStringLiteral("-1") << qint64(-1);
    QTest::newRow("2.5") << QStringLiteral("2.5") << qint64(-1);
    QTest::newRow("blanks") << QStringLiteral("   ") << qint64(-1);
    QTest::newRow("letters") << QStringLiteral("abc") << qint64(-1);
    QTest::newRow("inf") << QStringLiteral("inf") << qint64(-1);
    QTest::newRow("nan") << QStringLiteral("nan") << qint64(-1);
}

void TestDraw::parseDrawCount() {
    QFETCH(QString, answer);
    QFETCH(qint64, count);
    QCOMPARE(tombolix::parseDrawCount(answer).value_or(-1), count);
}

void TestDraw::emptyListAsksNothing() {
    window->cmdPick_Click();
    QCOMPARE(rig->prompter.texts(), QStringList{QStringLiteral("리스트에 항목을 먼저 추가해주세요!")});
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Information);
}

void TestDraw::refusedCounts_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");
    const QStringList four{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                           QStringLiteral("D")};
    QTest::newRow("one entry") << QStringList{QStringLiteral("A")} << QStringLiteral("1") << tooMany;
    QTest::newRow("n") << four << QStringLiteral("4") << tooMany;
    QTest::newRow("more than n") << four << QStringLiteral("99") << tooMany;
    QTest::newRow("0") << four << QStringLiteral("0") << notPositive;
    QTest::newRow("-1") << four << QStringLiteral("-1") << notPositive;
    QTest::newRow("2.5") << four << QStringLiteral("2.5") << notPositive;
    QTest::newRow("blanks") << four << QStringLiteral("  ") << notPositive;
    QTest::newRow("letters") << four << QStringLiteral("셋") << notPositive;
    QTest::newRow("cancel") << four << QString() << QStringLiteral("항목의 갯수를 입력해주세요!");
}

void TestDraw::refusedCounts() {
    QFETCH(QStringList, entries);
    QFETCH(QString, answer);
    QFETCH(QString, message);
    fill(entries);
    window->OptPick[0]->setChecked(true);
    if (answer.isNull())
        rig->prompter.cancel();
    else
        rig->prompter.type(answer);
    window->cmdPick_Click();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Input);
    QCOMPARE(rig->prompter.records[0].title, QStringLiteral("Tombolix - 추첨"));
    QCOMPARE(rig->prompter.records[0].text,
             QStringLiteral("추첨하실 항목의 갯수를 입력해주세요. (Ex : 3)\r\n※단, 리스트의 항목 수보다 많을 "
                            "수는 없습니다."));
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Information);
    QCOMPARE(rig->prompter.records[1].text, message);
    QVERIFY(window->txtPick->text().isEmpty());
    QVERIFY(window->cmdPick->isEnabled());
}

void TestDraw::formatIsCheckedAfterTheCount() {
    fill({QStringLiteral("A"), QStringLiteral("B")});
    rig->prompter.type(QStringLiteral("1"));
    window->cmdPick_Click();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[0].kind, PromptKind::Input);
    QCOMPARE(rig->prompter.records[1].text, QStringLiteral("출력 형식을 선택해주세요!"));
}

void TestDraw::commaAndListFormats() {
    const QStringList entries{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                              QStringLiteral("D")};
    fill(entries);
    window->lstPick->setCurrentRow(2);
    window->OptPick[0]->setChecked(true);
    const QString comma = draw(QStringLiteral("3"));
    QStringList winners = comma.split(QStringLiteral(", "));
    QCOMPARE(winners.size(), 3);
    QVERIFY(!comma.endsWith(QStringLiteral(", ")));
    QCOMPARE(QSet<QString>(winners.cbegin(), winners.cend()).size(), 3);
    for (const QString &winner : winners)
        QVERIFY(entries.contains(winner));

    window->OptPick[1]->setChecked(true);
    const QString lines = draw(QStringLiteral("3.0"));
    QVERIFY(!lines.endsWith(QStringLiteral("\r\n")));
    winners = lines.split(QStringLiteral("\r\n"));
    QCOMPARE(winners.size(), 3);
    QCOMPARE(QSet<QString>(winners.cbegin(), winners.cend()).size(), 3);
    QVERIFY(window->cmdPick->isEnabled());
    QCOMPARE(window->lstPick->count(), 4);
    QCOMPARE(window->lstPick->currentRow(), 2);
    QCOMPARE(window->lblList->text(), QStringLiteral("추첨 리스트(갯수 : 4개)"));
    QCOMPARE(window->lblStatus->text(), QStringLiteral("상태 : 프로그램 실행 완료"));
    QCOMPARE(rig->prompter.pendingAnswers(), 0);
}

namespace {

struct FixedList : DrawSource {
    QStringList texts;
    quint64 changes = 1;
    QStringList entries() const override { return texts; }
    quint64 revision() const override { return changes; }
};

} // namespace

void TestDraw::poolNumbersTextsInOrderOfFirstAppearance() {
    FixedList list;
    list.texts = QStringList{QStringLiteral("홍"),     QStringLiteral("황"), QStringLiteral("홍"), QString(),
                             QStringLiteral("김철수"), QStringLiteral("황"), QStringLiteral("홍 ")};
    const DrawPool pool(list);
    QCOMPARE(pool.numbers, (QList<int>{0, 1, 0, -1, 2, 1, 3}));
    QCOMPARE(pool.distinct(), 4);
    QCOMPARE(pool.numberOf(QStringLiteral("김철수")), 2);
    QCOMPARE(pool.numberOf(QStringLiteral("홍 ")), 3);
    QCOMPARE(pool.numberOf(QStringLiteral("이영희")), -1);
    QCOMPARE(pool.numberOf(QString()), -1);

    // a full list, each text four times over
    list.texts.clear();
    for (int i = 0; i < 32767; ++i)
        list.texts.append(QStringLiteral("참가자 ") + QString::number(i % 8192));
    const DrawPool full(list);
    QCOMPARE(full.distinct(), 8192);
    for (int i = 0; i < 32767; ++i)
        QCOMPARE(full.numbers.at(i), i % 8192);
    QCOMPARE(full.numberOf(QStringLiteral("참가자 8191")), 8191);
    QCOMPARE(full.numberOf(QStringLiteral("참가자 8192")), -1);
}

void TestDraw::repeatedTextWinsAtMostOnce() {
    fill({QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("B"),
          QStringLiteral("C"), QString()});
    window->OptPick[0]->setChecked(true);
    for (int i = 0; i < 50; ++i) {
        QStringList winners = draw(QStringLiteral("3")).split(QStringLiteral(", "));
        winners.sort();
        QCOMPARE(winners, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    }
}

void TestDraw::tooFewDifferentTextsIsRefused() {
    fill({QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("A")});
    window->OptPick[0]->setChecked(true);
    rig->prompter.type(QStringLiteral("2"));
    window->cmdPick_Click();
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Information);
    QVERIFY(rig->prompter.records[1].text.startsWith(QStringLiteral("리스트에 서로 다른 항목이")));
    QVERIFY(window->cmdPick->isEnabled());
}

void TestDraw::overwriteQuestionBothWays() {
    const QString question =
        QStringLiteral("지금 추첨을 진행하면 남아있던 결과가 사라집니다. 계속하시겠습니까?");
    fill({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    window->OptPick[1]->setChecked(true);
    window->txtPick->setText(QStringLiteral("old result"));
    rig->prompter.type(QStringLiteral("2"));
    rig->prompter.no();
    window->cmdPick_Click();
    QCOMPARE(rig->prompter.records.size(), 3);
    QCOMPARE(rig->prompter.records[1].text, question);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Question);
    QCOMPARE(rig->prompter.records[2].text, QStringLiteral("추첨을 취소했습니다."));
    QCOMPARE(rig->prompter.records[2].kind, PromptKind::Notice);
    QCOMPARE(window->txtPick->text(), QStringLiteral("old result"));

    rig->prompter.reset();
    QCOMPARE(draw(QStringLiteral("2")).split(QStringLiteral("\r\n")).size(), 2);
    QCOMPARE(rig->prompter.records.size(), 2); // input and question, no message on success
}

void TestDraw::drawOfTwoIsFair() {
    fill({QStringLiteral("A"), QStringLiteral("B")});
    window->OptPick[0]->setChecked(true);
    const int draws = 2000;
    int a = 0;
    for (int i = 0; i < draws; ++i)
        a += draw(QStringLiteral("1")) == QStringLiteral("A") ? 1 : 0;
    // 140 is 6.26 standard deviations of a fair coin over 2000 throws: a fair draw lands
    // outside in fewer than one run in a billion.
    QVERIFY2(qAbs(a - draws / 2) <= 140, qPrintable(QString::number(a)));
}

// Each pick is uniform among the positions of the texts not drawn yet: a text that stands twice
// comes first twice as often, and after it the others share what is left; the empty text never
// comes. Every order of two winners from A, A, (empty), B, C, over 12,000 draws.
void TestDraw::repeatsWeighByTheirPositions() {
    FixedList list;
    list.texts = QStringList{QStringLiteral("A"), QStringLiteral("A"), QString(), QStringLiteral("B"),
                             QStringLiteral("C")};
    const QHash<QString, double> expected{
        {QStringLiteral("A,B"), 1.0 / 4}, {QStringLiteral("A,C"), 1.0 / 4},
        {QStringLiteral("B,A"), 1.0 / 6}, {QStringLiteral("B,C"), 1.0 / 12},
        {QStringLiteral("C,A"), 1.0 / 6}, {QStringLiteral("C,B"), 1.0 / 12}};
    const int draws = 12000;
    QHash<QString, int> seen;
    for (int i = 0; i < draws; ++i) {
        const std::optional<QStringList> winners =
            drawWinners(list, DrawPool(list), 2, SecureRandom::shared(), [] {});
        QVERIFY(winners);
        ++seen[winners->join(u',')];
    }
    QCOMPARE(seen.size(), expected.size()); // no other order, no empty winner
    for (auto order = expected.cbegin(); order != expected.cend(); ++order) {
        // 6 standard deviations: a fair draw lands outside in fewer than one run in 10^8
        const double mean = draws * order.value();
        const double spread = 6 * std::sqrt(mean * (1 - order.value()));
        QVERIFY2(std::abs(seen.value(order.key()) - mean) <= spread,
                 qPrintable(order.key() + u' ' + QString::number(seen.value(order.key()))));
    }
}

// A list that changes while the window's events run is read again; what was drawn before stays
// drawn, and the texts that came with the change can win.
void TestDraw::aListReadAgainKeepsWhatWasDrawn() {
    FixedList list;
    for (int i = 0; i < 200; ++i)
        list.texts.append(QString::number(i));
    int changes = 0;
    const std::optional<QStringList> winners =
        drawWinners(list, DrawPool(list), 201, SecureRandom::shared(), [&] {
            // the first time: one entry more, and one already in the list twice
            if (changes++ == 0) {
                list.texts.append(QStringLiteral("new"));
                list.texts.append(QStringLiteral("0"));
                ++list.changes;
            }
        });
    QVERIFY(winners);
    QCOMPARE(winners->size(), 201);
    QCOMPARE(QSet<QString>(winners->cbegin(), winners->cend()).size(), 201);
    QVERIFY(winners->contains(QStringLiteral("new")));
}

void TestDraw::everyEntryCanBeLeftOut() {
    const QStringList entries{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                              QStringLiteral("4"), QStringLiteral("5")};
    fill(entries);
    window->OptPick[0]->setChecked(true);
    QSet<QString> leftOut;
    for (int i = 0; i < 300; ++i) {
        const QStringList winners = draw(QStringLiteral("4")).split(QStringLiteral(", "));
        QCOMPARE(QSet<QString>(winners.cbegin(), winners.cend()).size(), 4);
        for (const QString &entry : entries) {
            if (!winners.contains(entry))
                leftOut.insert(entry);
        }
    }
    QCOMPARE(leftOut.size(), 5);
}

void TestDraw::listClearedDuringTheDrawStopsIt() {
    QStringList entries;
    for (int i = 0; i < 2000; ++i)
        entries.append(QString::number(i));
    fill(entries);
    window->OptPick[0]->setChecked(true);
    bool disabledMeanwhile = false;
    QTimer::singleShot(0, window.get(), [&] {
        disabledMeanwhile = !window->cmdPick->isEnabled();
        window->drawList().clear();
    });
    rig->prompter.type(QStringLiteral("1999"));
    window->cmdPick_Click();
    QVERIFY(disabledMeanwhile);
    QVERIFY(window->cmdPick->isEnabled());
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Information);
    QVERIFY(window->txtPick->text().isEmpty());
    // and the next draw works normally
    fill({QStringLiteral("x"), QStringLiteral("y")});
    QCOMPARE(draw(QStringLiteral("1")).size(), 1);
}

void TestDraw::listGrowingDuringTheDrawIsFine() {
    fill({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    window->OptPick[0]->setChecked(true);
    QTimer::singleShot(0, window.get(), [&] { window->drawList().append(QStringLiteral("d")); });
    const QStringList winners = draw(QStringLiteral("2")).split(QStringLiteral(", "));
    QCOMPARE(winners.size(), 2);
    QVERIFY(window->cmdPick->isEnabled());
}

void TestDraw::resultBoxCentresShortLinesAndScrollsLongOnes() {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    fill({QStringLiteral("홍"), QStringLiteral("황"), QStringLiteral("김철수")});
    window->OptPick[0]->setChecked(true);
    draw(QStringLiteral("1"));
    QCoreApplication::processEvents();
    QVERIFY(window->txtPick->pointOf(0).x() > 50); // centred in the box, not at its left edge

    // 2,000 winners on one line: the whole line can be scrolled through
    window->drawList().clear();
    QStringList many;
    for (int i = 0; i < 2001; ++i)
        many.append(QStringLiteral("참가자 %1").arg(i));
    fill(many);
    const QString result = draw(QStringLiteral("2000"));
    QCoreApplication::processEvents();
    const int lineWidth = QFontMetrics(window->txtPick->font()).horizontalAdvance(result);
    QScrollBar *bar = window->txtPick->horizontalScrollBar();
    QVERIFY2(bar->maximum() >= lineWidth - window->txtPick->viewport()->width() - 10,
             qPrintable(QStringLiteral("%1 of %2").arg(bar->maximum()).arg(lineWidth)));
    bar->setValue(bar->maximum()); // the last winner in view, ending at the right
    const qreal end = window->txtPick->pointOf(int(result.size())).x();
    QVERIFY2(end > window->txtPick->viewport()->width() - 20 && end <= window->txtPick->viewport()->width(),
             qPrintable(QString::number(end)));
}

namespace {

// Fails the way a routine without error handling does, when the draw lets events through.
class FailsOnUserEvent : public QObject {
public:
    bool event(QEvent *event) override {
        if (event->type() == QEvent::User)
            throw TombolixError(7, QStringLiteral("Out of memory"));
        return QObject::event(event);
    }
};

} // namespace

void TestDraw::errorDuringTheDrawLeavesTheButtonWorking() {
    QStringList entries;
    for (int i = 0; i < 2000; ++i)
        entries.append(QStringLiteral("김철수 %1").arg(i));
    fill(entries);
    window->OptPick[0]->setChecked(true);
    FailsOnUserEvent failing;
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    rig->prompter.type(QStringLiteral("1999"));
    QTest::mouseClick(window->cmdPick, Qt::LeftButton);
    QCOMPARE(rig->prompter.records.size(), 2);
    QCOMPARE(rig->prompter.records[1].kind, PromptKind::Error);
    QVERIFY(rig->prompter.records[1].text.endsWith(QStringLiteral("Out of memory")));
    QVERIFY(window->cmdPick->isEnabled());
    QCOMPARE(window->lstPick->count(), 2000);
    // and the next draw runs
    QCOMPARE(draw(QStringLiteral("3")).split(QStringLiteral(", ")).size(), 3);
}

TOMBOLIX_TEST_MAIN(TestDraw)
#include "test_draw.moc"
