// The result box as the user meets it: a long result found and drawn where it is, selected
// with the mouse and the keyboard, copied, and its menu in Korean.
#include "app/frmMain.h"
#include "app/ResultBox.h"
#include "common/QtPrompter.h"
#include "tests/support/Fakes.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTimer>

using namespace tombolix;
using namespace tombolix::test;

namespace {

// A comma result as a draw of thousands writes it, with real names among the numbered ones.
QString commaResult(int winners) {
    const QStringList names{QStringLiteral("김철수"),       QStringLiteral("홍"),
                            QStringLiteral("황"),           QStringLiteral("이영희🎉"),
                            QStringLiteral("Park Ji-sung"), QStringLiteral("[ *EE야* ]")};
    QStringList parts;
    for (int i = 0; i < winners; ++i)
        parts.append(i % 7 < names.size() ? names.at(i % 7) + QString::number(i)
                                          : QStringLiteral("참가자 %1").arg(i));
    return parts.join(QStringLiteral(", "));
}

// Every Hangul syllable in one word, then decomposed jamo and emoji: a line with no space to
// break at.
QString unspacedLine() {
    QString line;
    for (char16_t c = 0xAC00; c <= 0xD7A3; ++c)
        line.append(QChar(c));
    for (int i = 0; i < 300; ++i)
        line += QString::fromUtf8("\xe1\x84\x92\xe1\x85\xa9\xe1\x86\xbc") + // ᄒ ᅩ ᆼ: 홍 decomposed
                QString::fromUtf8("\xf0\x9f\x8e\x89");                      // 🎉
    return line;
}

// The positions between characters as the user sees them.
QList<int> graphemeBoundaries(const QString &text) {
    QList<int> at;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype p = 0; p >= 0; p = finder.toNextBoundary())
        at.append(int(p));
    return at;
}

} // namespace

class TestResultBox : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void everyPositionIsDrawnWhereItIsFound_data();
    void everyPositionIsDrawnWhereItIsFound();
    void scrolledFarIntoALineItIsDrawn();
    void mouseSelectsAcrossTheLineAndCopies();
    void selectAllCopiesEveryLine();
    void doubleClickSelectsAName();
    void typingChangesNothing();
    void menuIsKorean();
    void screenReadersReadIt();

private:
    std::unique_ptr<Rig> rig;
    std::unique_ptr<frmMain> window;
    ResultBox *box = nullptr;
};

void TestResultBox::init() {
    rig = std::make_unique<Rig>();
    window = std::make_unique<frmMain>(rig->services());
    box = window->txtPick;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestResultBox::cleanup() {
    window.reset();
    rig.reset();
}

void TestResultBox::everyPositionIsDrawnWhereItIsFound_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("2,000 winners") << commaResult(2000);
    QTest::newRow("no spaces") << unspacedLine();
}

// The line is measured in pieces: no character is lost or doubled where two pieces meet, and
// the mouse finds each position where it is drawn.
void TestResultBox::everyPositionIsDrawnWhereItIsFound() {
    QFETCH(QString, line);
    box->setText(line);
    const QList<int> positions = graphemeBoundaries(line);
    qreal before = box->pointOf(0).x() - 1;
    for (const int position : positions) {
        const QPointF point = box->pointOf(position);
        QVERIFY2(point.x() > before, qPrintable(QString::number(position)));
        QCOMPARE(box->positionAt(point), position);
        before = point.x();
    }
    const qreal drawn = box->pointOf(int(line.size())).x() - box->pointOf(0).x();
    const qreal whole = QFontMetricsF(box->font()).horizontalAdvance(line);
    QVERIFY2(qAbs(drawn - whole) < 2, qPrintable(QStringLiteral("%1 against %2").arg(drawn).arg(whole)));
}

void TestResultBox::scrolledFarIntoALineItIsDrawn() {
    const QString line = commaResult(20000);
    box->setText(line);
    QScrollBar *across = box->horizontalScrollBar();
    across->setValue(across->maximum() / 2 + 12345);
    const QImage shown = box->viewport()->grab().toImage();
    int inked = 0;
    for (int x = 0; x < shown.width(); ++x) {
        for (int y = 0; y < shown.height(); ++y) {
            if (qGray(shown.pixel(x, y)) < 128) {
                ++inked;
                break;
            }
        }
    }
    QVERIFY2(inked > shown.width() / 2, qPrintable(QStringLiteral("%1 of %2").arg(inked).arg(shown.width())));
}

// A click, a scroll, then a click with Shift: thousands of characters selected, then copied.
void TestResultBox::mouseSelectsAcrossTheLineAndCopies() {
    const QString line = commaResult(3000);
    box->setText(line);
    QScrollBar *across = box->horizontalScrollBar();
    const int from = int(line.indexOf(QStringLiteral("김철수700")));
    const int to = int(line.indexOf(QStringLiteral("황1402"))) + 1;

    across->setValue(int(box->pointOf(from).x()) - 100);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->pointOf(from).toPoint());
    across->setValue(across->value() + int(box->pointOf(to).x()) - 150);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::ShiftModifier, box->pointOf(to).toPoint());
    QCOMPARE(box->selectedText(), line.mid(from, to - from));

    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), line.mid(from, to - from));

    // dragged from the start of a name to the middle of the next one
    const int start = int(line.indexOf(QStringLiteral("참가자 1504")));
    across->setValue(across->value() + int(box->pointOf(start).x()) - 50);
    QTest::mousePress(box->viewport(), Qt::LeftButton, {}, box->pointOf(start).toPoint());
    QTest::mouseMove(box->viewport(), box->pointOf(start + 12).toPoint());
    QTest::mouseRelease(box->viewport(), Qt::LeftButton, {}, box->pointOf(start + 12).toPoint());
    QCOMPARE(box->selectedText(), QStringLiteral("참가자 1504, 김철"));
}

// The list format: the text keeps CR LF as written, the copy has the lines.
void TestResultBox::selectAllCopiesEveryLine() {
    box->setText(QStringLiteral("홍\r\n황\r\n김철수"));
    QVERIFY(box->pointOf(0).x() > 100); // centred
    QCOMPARE(box->pointOf(4).y() - box->pointOf(0).y(), 2 * (box->pointOf(2).y() - box->pointOf(0).y()));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("홍\n황\n김철수"));
    QCOMPARE(box->text(), QStringLiteral("홍\r\n황\r\n김철수"));

    box->setText(QString()); // a new result clears the selection
    QCOMPARE(box->selectedText(), QString());
}

void TestResultBox::doubleClickSelectsAName() {
    box->setText(QStringLiteral("홍, 김철수, 황"));
    QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, box->pointOf(4).toPoint());
    QCOMPARE(box->selectedText(), QStringLiteral("김철수"));
}

void TestResultBox::typingChangesNothing() {
    box->setText(QStringLiteral("홍, 황"));
    box->setFocus();
    for (const QChar c : QStringLiteral("김철수")) { // as typed keys, and as a Korean input method commits
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &key);
    }
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("김철수"));
    QApplication::sendEvent(box, &committed);
    QTest::keyClicks(box, QStringLiteral("Lee"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("홍, 황"));
}

void TestResultBox::menuIsKorean() {
    installQtKoreanTranslation();
    box->setText(QStringLiteral("홍, 황"));
    QStringList seen;
    QTimer::singleShot(0, this, [&seen] {
        QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                seen.append(action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)")));
        }
        menu->actions().constLast()->trigger(); // 모두 선택
        menu->close();
    });
    const QPoint at = box->pointOf(1).toPoint();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->viewport()->mapToGlobal(at));
    QApplication::sendEvent(box->viewport(), &event);
    QCOMPARE(seen, (QStringList{QStringLiteral("복사(&C) (off)"), QStringLiteral("모두 선택")}));
    QCOMPARE(box->selectedText(), QStringLiteral("홍, 황"));
}

void TestResultBox::screenReadersReadIt() {
    box->setText(QStringLiteral("홍, 김철수, 황"));
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(box);
    QVERIFY(reader);
    QVERIFY(reader->state().readOnly);
    QAccessibleTextInterface *text = reader->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), 9);
    QCOMPARE(text->text(3, 6), QStringLiteral("김철수"));

    text->setSelection(0, 3, 6);
    QCOMPARE(box->selectedText(), QStringLiteral("김철수"));
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(std::make_pair(start, end), std::make_pair(3, 6));
    const QRect second = text->characterRect(4);
    QVERIFY(second.width() > 5);
    QCOMPARE(text->offsetAtPoint(second.topLeft() + QPoint(1, 2)), 4);
}

QTEST_MAIN(TestResultBox)
#include "test_resultbox.moc"
