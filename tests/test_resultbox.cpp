// The result box as the user meets it: a long result found and drawn where it is, selected
// with the mouse and the keyboard, copied, and its menu in Korean.
#include "common/Look.h"
#include "common/QtPrompter.h"
#include "resultbox/ResultBox.h"
#include "tests/support/TestMain.h"

#include <QAccessible>
#include <QApplication>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTimer>

using namespace tombolix;

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

// The width of a line as a whole, measured in runs of a thousand characters as the user sees
// them: measured at once, Qt cuts a long line every few thousand code units, through a
// decomposed 홍 too, which then counts as three loose jamo.
qreal lineWidth(const QString &line, const QFont &font) {
    const QFontMetricsF metrics(font);
    const QList<int> at = graphemeBoundaries(line);
    qreal width = 0;
    for (qsizetype i = 0; i + 1 < at.size(); i += 1000) {
        const int to = at.at(std::min(i + 1000, at.size() - 1));
        width += metrics.horizontalAdvance(line.mid(at.at(i), to - at.at(i)));
    }
    return width;
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
    void aLineSeparatorInAWinnerShowsEveryWinner();
    void winnersLookAsTheyAreWritten_data();
    void winnersLookAsTheyAreWritten();
    void rightToLeftWinnersReadInTheirOrder();
    void keyboardMovesTheCaretAndSelects();
    void tripleClickSelectsALine();
    void dragPastTheEdgeScrolls();
    void screenReadersHearEveryChange();
    void entriesAreKeptAsWritten_data();
    void entriesAreKeptAsWritten();
    void plainWinnersAreMeasuredAsDrawn();

private:
    std::unique_ptr<QWidget> window;
    ResultBox *box = nullptr;
};

// The box as the main window holds it: its size and font, named by the label above it.
void TestResultBox::init() {
    window = std::make_unique<QWidget>();
    auto *label = new QLabel(QStringLiteral("추첨 결과"), window.get());
    label->setGeometry(8, 320, 317, 20);
    box = new ResultBox(window.get());
    box->setGeometry(8, 344, 321, 169);
    box->setFont(dotumFont(11.25));
    label->setBuddy(box);
    window->resize(337, 561);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestResultBox::cleanup() {
    window.reset();
    box = nullptr;
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
    const qreal whole = lineWidth(line, box->font());
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

namespace {

// Each entry's positions in the shown text, from its first character to its end.
QList<QPair<int, int>> spansOf(const QStringList &entries, int separatorLength) {
    QList<QPair<int, int>> spans;
    int at = 0;
    for (const QString &entry : entries) {
        spans.append({at, at + int(entry.size())});
        at += int(entry.size()) + separatorLength;
    }
    return spans;
}

} // namespace

// A line separator inside a winner does not end the line: the winners after it are drawn, the
// mouse finds them, and the copy keeps the entry as it is.
void TestResultBox::aLineSeparatorInAWinnerShowsEveryWinner() {
    const QStringList winners{QStringLiteral("AAAA"), QStringLiteral("BB\u2028BB"), QStringLiteral("CCCC"),
                              QStringLiteral("DDDD")};
    box->setEntries(winners, QStringLiteral(", "));
    const QString line = winners.join(QStringLiteral(", "));
    qreal before = box->pointOf(0).x() - 1;
    for (int position = 0; position <= line.size(); ++position) {
        const QPointF point = box->pointOf(position);
        QVERIFY2(point.x() > before, qPrintable(QString::number(position)));
        QCOMPARE(box->positionAt(point), position);
        before = point.x();
    }
    // ink where the last winner is
    const QImage shown = box->viewport()->grab().toImage();
    const int from = int(box->pointOf(int(line.size()) - 4).x());
    const int to = int(box->pointOf(int(line.size())).x());
    int inked = 0;
    for (int x = from; x < to; ++x) {
        for (int y = 0; y < shown.height(); ++y)
            inked += qGray(shown.pixel(x, y)) < 160 ? 1 : 0;
    }
    QVERIFY2(inked > 20, qPrintable(QString::number(inked)));
    box->selectAll();
    QCOMPARE(box->selectedText(), line);
    QCOMPARE(box->text(), line);
}

void TestResultBox::winnersLookAsTheyAreWritten_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("drawnAs"); // what it is drawn as wide as, shaped
    QTest::newRow("홍 decomposed, as macOS writes it")
        << QString::fromUtf8("\xe1\x84\x92\xe1\x85\xa9\xe1\x86\xbc") << QStringLiteral("홍");
    QTest::newRow("an Arabic name, its letters joined") << QStringLiteral("محمد") << QStringLiteral("محمد");
}

// Shaped as the list box shapes them: decomposed Hangul as its syllable, Arabic letters joined.
void TestResultBox::winnersLookAsTheyAreWritten() {
    QFETCH(QString, name);
    QFETCH(QString, drawnAs);
    box->setEntries({QStringLiteral("김철수"), name, QStringLiteral("황")}, QStringLiteral(", "));
    const int start = 5;
    const qreal drawn = std::abs(box->pointOf(start + int(name.size())).x() - box->pointOf(start).x());
    QFont shaped = box->font();
    shaped.setStyleStrategy(QFont::PreferDefault);
    const qreal expected = QFontMetricsF(shaped).horizontalAdvance(drawnAs);
    QVERIFY2(qAbs(drawn - expected) < 0.1,
             qPrintable(QStringLiteral("%1 against %2").arg(drawn).arg(expected)));
    // (where shaping changes the width, the loose letters would not pass the line above:
    // decomposed 홍 everywhere, the Arabic name where the font's advances are not whole pixels)
}

// Two right-to-left winners side by side keep the draw order, left to right, and each reads
// right to left whole, however long the result: no piece ends inside a winner.
void TestResultBox::rightToLeftWinnersReadInTheirOrder() {
    QStringList winners;
    for (int i = 0; i < 600; ++i) // some thirty pieces
        winners.append(i % 3 == 2 ? QStringLiteral("김철수 %1").arg(i)
                                  : QStringLiteral("محمد علي %1").arg(i));
    box->setEntries(winners, QStringLiteral(", "));
    const QList<QPair<int, int>> spans = spansOf(winners, 2);
    qreal previousRight = -1e9;
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const auto [start, end] = spans.at(i);
        qreal left = 1e18;
        qreal right = -1e18;
        for (int p : {start, start + 1, start + 4, end - 1, end}) {
            left = std::min(left, box->pointOf(p).x());
            right = std::max(right, box->pointOf(p).x());
        }
        QVERIFY2(left >= previousRight, qPrintable(winners.at(i)));
        previousRight = right;
        if (i % 3 != 2) {
            // read right to left whole: "محمد" at the right, the number at the left
            QVERIFY2(box->pointOf(start + 1).x() > box->pointOf(end - 1).x(), qPrintable(winners.at(i)));
        }
    }
}

// A caret the keyboard moves, and selection with Shift, as a read-only text box offers.
void TestResultBox::keyboardMovesTheCaretAndSelects() {
    box->setEntries({QStringLiteral("홍길동"), QStringLiteral("황"), QStringLiteral("김철수")},
                    QStringLiteral("\r\n"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(box->position(), 0);
    QTest::keyClick(box, Qt::Key_Right);
    QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("길동"));
    QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("홍"));
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->hasSelection(), false);
    QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("황"));
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("황\n김철수"));
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("황\n김철수"));
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("황\n김철"));
    QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("홍길동\n"));
    QCOMPARE(box->position(), 0);
    // the caret is drawn where it stands
    QTest::keyClick(box, Qt::Key_Right);
    QVERIFY(box->pointOf(box->position()).x() > box->pointOf(0).x());

    // a decomposed 홍 is one step, as it is one character to the eye
    box->setEntries({QString::fromUtf8("\xe1\x84\x92\xe1\x85\xa9\xe1\x86\xbc") + QStringLiteral("길동")},
                    QStringLiteral(", "));
    QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(box->selectionEnd(), 3);
    // a word at a time
    box->setEntries({QStringLiteral("Park Ji-sung"), QStringLiteral("김철수")}, QStringLiteral(", "));
    QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(box->selectedText(), QStringLiteral("Park "));
}

void TestResultBox::tripleClickSelectsALine() {
    box->setEntries({QStringLiteral("홍길동"), QStringLiteral("김철수 영희")}, QStringLiteral("\r\n"));
    const QPoint at = box->pointOf(5).toPoint();
    QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(box->selectedText(), QStringLiteral("김철수"));
    QTest::mousePress(box->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(box->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(box->selectedText(), QStringLiteral("김철수 영희"));
}

// A drag that goes past the box's edge goes on scrolling while the mouse stays there.
void TestResultBox::dragPastTheEdgeScrolls() {
    box->setText(commaResult(500));
    QScrollBar *across = box->horizontalScrollBar();
    const QPoint start = box->pointOf(0).toPoint() + QPoint(2, 0);
    QTest::mousePress(box->viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(box->viewport(), QPoint(box->viewport()->width() + 20, start.y()));
    const int first = across->value();
    const int reached = box->selectionEnd();
    QTRY_VERIFY(across->value() > first + 100);
    QTest::mouseRelease(box->viewport(), Qt::LeftButton, {},
                        QPoint(box->viewport()->width() + 20, start.y()));
    const int scrolled = across->value();
    QVERIFY(box->selectionEnd() > reached + 10); // the selection went on with the scrolling
    QTest::qWait(200);
    QCOMPARE(across->value(), scrolled); // the release ends it
    QVERIFY(commaResult(500).startsWith(box->selectedText()));
}

namespace {

QList<QAccessible::Event> heard;

void listen(QAccessibleEvent *event) {
    heard.append(event->type());
}

} // namespace

// What a screen reader hears: a new result, and the selection and caret as they move.
void TestResultBox::screenReadersHearEveryChange() {
    // as a screen reader's bridge switches it on
    QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (!platform)
        QSKIP("this platform has no accessibility");
    platform->setActive(true);
    QAccessible::installUpdateHandler(listen);
    heard.clear();
    box->setEntries({QStringLiteral("محمد"), QStringLiteral("김철수")}, QStringLiteral(", "));
    QVERIFY(heard.contains(QAccessible::TextUpdated));
    heard.clear();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY(heard.contains(QAccessible::TextSelectionChanged));
    QVERIFY(heard.contains(QAccessible::TextCaretMoved));
    QAccessible::installUpdateHandler(nullptr);
    platform->setActive(false);

    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(box)->textInterface();
    for (int offset = 0; offset < text->characterCount(); ++offset)
        QVERIFY2(text->characterRect(offset).width() >= 0, qPrintable(QString::number(offset)));
    QVERIFY(text->characterRect(1).width() > 0); // inside the right-to-left name
    // out of range: taken to the ends
    text->setSelection(0, -5, 1000);
    QCOMPARE(box->selectionStart(), 0);
    QCOMPARE(box->selectionEnd(), 9);
    QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name),
             QStringLiteral("추첨 결과"));
}

void TestResultBox::entriesAreKeptAsWritten_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("shown");
    QTest::newRow("commas") << QStringList{QStringLiteral("홍"), QStringLiteral("김철수"),
                                           QStringLiteral("황")}
                            << QStringLiteral(", ") << QStringLiteral("홍, 김철수, 황");
    QTest::newRow("lines") << QStringList{QStringLiteral("홍"), QStringLiteral("김철수"),
                                          QStringLiteral("황")}
                           << QStringLiteral("\r\n") << QStringLiteral("홍\n김철수\n황");
    QTest::newRow("a CR LF inside a winner")
        << QStringList{QStringLiteral("홍\r\n길동"), QStringLiteral("황")} << QStringLiteral(", ")
        << QStringLiteral("홍\n길동, 황");
    QTest::newRow("a lone CR") << QStringList{QStringLiteral("홍\r"), QStringLiteral("황")}
                               << QStringLiteral("\r\n") << QStringLiteral("홍\r\n황");
    QTest::newRow("empty winners") << QStringList{QString(), QStringLiteral("황"), QString()}
                                   << QStringLiteral(", ") << QStringLiteral(", 황, ");
    QTest::newRow("none") << QStringList() << QStringLiteral("\r\n") << QString();
}

// The text stays exactly as the program wrote it, and what is shown is that text line by line.
void TestResultBox::entriesAreKeptAsWritten() {
    QFETCH(QStringList, entries);
    QFETCH(QString, separator);
    QFETCH(QString, shown);
    box->setEntries(entries, separator);
    QCOMPARE(box->text(), entries.join(separator));
    QCOMPARE(box->shownText(), shown);
    box->selectAll();
    QCOMPARE(box->selectedText(), shown);
}

// Hangul names and numbers are measured a character at a time: the line is as wide as Qt lays
// it out whole, at the box's font and after the font changes.
void TestResultBox::plainWinnersAreMeasuredAsDrawn() {
    QStringList winners;
    for (int i = 0; i < 3000; ++i)
        winners.append((i % 2 ? QStringLiteral("참가자 ") : QStringLiteral("김철수")) + QString::number(i));
    const QString line = winners.join(QStringLiteral(", "));
    for (const qreal size : {11.25, 20.0}) {
        QFont font = box->font();
        font.setPointSizeF(size);
        box->setFont(font);
        box->setEntries(winners, QStringLiteral(", "));
        const qreal drawn = box->pointOf(int(line.size())).x() - box->pointOf(0).x();
        const qreal whole = lineWidth(line, box->font());
        QVERIFY2(qAbs(drawn - whole) < 0.01,
                 qPrintable(QStringLiteral("%1 against %2 at %3 pt")
                                .arg(QString::number(drawn), QString::number(whole), QString::number(size))));
        QCOMPARE(box->positionAt(box->pointOf(int(line.size()) / 2)), int(line.size()) / 2);
    }
}

TOMBOLIX_TEST_MAIN(TestResultBox)
#include "test_resultbox.moc"
