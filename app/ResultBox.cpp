#include "app/ResultBox.h"

#include "app/ResultBoxAccessible.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <climits>

namespace tombolix {

namespace {

// Blank space around the text, as a text box keeps it.
constexpr qreal Margin = 4;
// Lines are measured and laid out in pieces of 256 to 512 characters.
constexpr int PieceLength = 256;

int scrollRange(qreal content, int visible) {
    return int(std::clamp(std::ceil(content) - visible, 0.0, double(INT_MAX)));
}

} // namespace

ResultBox::ResultBox(QWidget *parent)
    : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    installResultBoxAccessibility();
    measure();
}

void ResultBox::setText(const QString &text) {
    const QString before = m_shown;
    m_text = text;
    measure();
    m_anchor = m_position = 0;
    m_selecting = false;
    updateScrollBars();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
    announceNewText(this, before);
}

QString ResultBox::selectedText() const {
    return m_shown.mid(selectionStart(), selectionEnd() - selectionStart());
}

void ResultBox::selectAll() {
    select(0, int(m_shown.size()));
}

void ResultBox::copy() const {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

// The lines of the shown text, and the pieces of each with their widths. Measuring a piece
// takes no more memory than the piece, however long its line.
void ResultBox::measure() {
    m_shown = m_text;
    m_shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QFontMetricsF metrics(font());
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
    m_widest = 0;
    m_lines.clear();
    m_pieces.clear();
    m_lines.reserve(m_shown.count(u'\n') + 1);
    m_pieces.reserve(m_lines.capacity() + m_shown.size() / PieceLength);
    int start = 0;
    for (;;) {
        const int end = int(m_shown.indexOf(u'\n', start));
        const int lineEnd = end < 0 ? int(m_shown.size()) : end;
        Line line{start, lineEnd - start, int(m_pieces.size()), 0, 0};
        for (int from = start; from < lineEnd;) {
            const int to = pieceEnd(from, lineEnd);
            const qreal width = metrics.horizontalAdvance(m_shown.mid(from, to - from));
            m_pieces.append(Piece{from, to - from, line.width, width});
            line.width += width;
            ++line.pieceCount;
            from = to;
        }
        m_widest = std::max(m_widest, line.width);
        m_lines.append(line);
        if (end < 0)
            break;
        start = end + 1;
    }
}

// Where the piece that starts at `start` ends: after a space, where a winner ends in a comma
// result, or else between two characters as the user sees them.
int ResultBox::pieceEnd(int start, int lineEnd) const {
    if (lineEnd - start <= 2 * PieceLength)
        return lineEnd;
    const qsizetype space = QStringView(m_shown).mid(start + PieceLength, PieceLength).indexOf(u' ');
    if (space >= 0)
        return start + PieceLength + int(space) + 1;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme,
                                  QStringView(m_shown).mid(start, 2 * PieceLength));
    graphemes.setPosition(PieceLength);
    const qsizetype at = graphemes.isAtBoundary() ? PieceLength : graphemes.toNextBoundary();
    return at > 0 ? start + int(at) : start + 2 * PieceLength;
}

int ResultBox::lineAtY(qreal y) const {
    const qreal inText = y + verticalScrollBar()->value() - Margin;
    const qreal index = std::floor(inText / m_lineHeight);
    return int(std::clamp(index, 0.0, double(m_lines.size() - 1)));
}

int ResultBox::lineOf(int position) const {
    const auto after = std::upper_bound(m_lines.cbegin(), m_lines.cend(), position,
                                        [](int at, const Line &line) { return at < line.start; });
    return int(after - m_lines.cbegin()) - 1;
}

// The piece of `line` that holds `position` (its end counts as in its last piece), or -1 for
// an empty line.
int ResultBox::pieceAt(const Line &line, int position) const {
    if (line.pieceCount == 0)
        return -1;
    const auto first = m_pieces.cbegin() + line.firstPiece;
    const auto after = std::upper_bound(first, first + line.pieceCount, position,
                                        [](int at, const Piece &piece) { return at < piece.start; });
    return int(after - m_pieces.cbegin()) - 1;
}

// The piece of `line` under `x`, counted from the line's start: its first piece left of the
// line, its last one right of it. The line must have a piece.
QList<ResultBox::Piece>::const_iterator ResultBox::pieceAtX(const Line &line, qreal x) const {
    const auto first = m_pieces.cbegin() + line.firstPiece;
    const auto after = std::upper_bound(first + 1, first + line.pieceCount, x,
                                        [](qreal at, const Piece &piece) { return at < piece.x; });
    return after - 1;
}

qreal ResultBox::lineLeft(const Line &line) const {
    const qreal room = std::max(m_widest, viewport()->width() - 2 * Margin);
    return Margin + (room - line.width) / 2 - horizontalScrollBar()->value();
}

qreal ResultBox::lineTop(int index) const {
    return Margin + index * m_lineHeight - verticalScrollBar()->value();
}

void ResultBox::layOut(QTextLayout &layout, const Piece &piece) const {
    layout.setText(m_shown.mid(piece.start, piece.length));
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

QPointF ResultBox::pointOf(int position) const {
    position = std::clamp(position, 0, int(m_shown.size()));
    const int index = lineOf(position);
    const Line &line = m_lines.at(index);
    qreal x = lineLeft(line);
    if (const int p = pieceAt(line, position); p >= 0) {
        const Piece &piece = m_pieces.at(p);
        QTextLayout layout;
        layOut(layout, piece);
        x += piece.x + layout.lineAt(0).cursorToX(position - piece.start);
    }
    return {x, lineTop(index) + m_lineHeight / 2};
}

int ResultBox::positionAt(QPointF point) const {
    const Line &line = m_lines.at(lineAtY(point.y()));
    const qreal x = point.x() - lineLeft(line);
    if (line.pieceCount == 0 || x <= 0)
        return line.start;
    if (x >= line.width)
        return line.start + line.length;
    const auto piece = pieceAtX(line, x);
    QTextLayout layout;
    layOut(layout, *piece);
    return piece->start + layout.lineAt(0).xToCursor(x - piece->x);
}

void ResultBox::paintEvent(QPaintEvent *event) {
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));
    const QRectF area = event->rect();
    const int lastLine = lineAtY(area.bottom());
    for (int index = lineAtY(area.top()); index <= lastLine; ++index) {
        const Line &line = m_lines.at(index);
        if (line.pieceCount == 0)
            continue;
        const qreal left = lineLeft(line);
        const qreal top = lineTop(index);
        const auto end = m_pieces.cbegin() + line.firstPiece + line.pieceCount;
        for (auto piece = pieceAtX(line, area.left() - left); piece != end && left + piece->x < area.right();
             ++piece) {
            QTextLayout layout;
            layOut(layout, *piece);
            QList<QTextLayout::FormatRange> ranges;
            const int from = std::max(selectionStart(), piece->start);
            const int to = std::min(selectionEnd(), piece->start + piece->length);
            if (from < to)
                ranges.append({from - piece->start, to - from, selected});
            // every piece on the line's one baseline
            const QPointF at(left + piece->x, top + m_ascent - layout.lineAt(0).ascent());
            layout.draw(&painter, at, ranges);
        }
    }
}

void ResultBox::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ResultBox::changeEvent(QEvent *event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measure();
        updateScrollBars();
        viewport()->update();
    }
}

void ResultBox::updateScrollBars() {
    const QSize visible = viewport()->size();
    QScrollBar *across = horizontalScrollBar();
    across->setRange(0, scrollRange(m_widest + 2 * Margin, visible.width()));
    across->setPageStep(visible.width());
    across->setSingleStep(20);
    QScrollBar *down = verticalScrollBar();
    down->setRange(0, scrollRange(m_lines.size() * m_lineHeight + 2 * Margin, visible.height()));
    down->setPageStep(visible.height());
    down->setSingleStep(int(std::ceil(m_lineHeight)));
}

void ResultBox::select(int anchor, int position) {
    m_anchor = anchor;
    m_position = position;
    viewport()->update();
}

// The word under the mouse, as a double click selects it.
void ResultBox::selectWordAt(int position) {
    const int p = pieceAt(m_lines.at(lineOf(position)), position);
    if (p < 0)
        return;
    const Piece &piece = m_pieces.at(p);
    const QString text = m_shown.mid(piece.start, piece.length);
    const int at = position - piece.start;
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    words.setPosition(at);
    qsizetype from = at;
    qsizetype to = at;
    if (words.isAtBoundary() && !(words.boundaryReasons() & QTextBoundaryFinder::StartOfItem)) {
        from = words.toPreviousBoundary(); // the mouse is just after a word: that word
    } else {
        if (!words.isAtBoundary())
            from = words.toPreviousBoundary();
        words.setPosition(at);
        to = words.toNextBoundary();
    }
    select(piece.start + int(std::max<qsizetype>(from, 0)), piece.start + int(to < 0 ? text.size() : to));
}

void ResultBox::scrollTowards(QPointF point) {
    const QRect visible = viewport()->rect();
    QScrollBar *across = horizontalScrollBar();
    if (point.x() < visible.left())
        across->setValue(across->value() - int(std::ceil(visible.left() - point.x())));
    else if (point.x() > visible.right())
        across->setValue(across->value() + int(std::ceil(point.x() - visible.right())));
    QScrollBar *down = verticalScrollBar();
    const qreal halfLine = m_lineHeight / 2;
    if (point.y() - halfLine < visible.top())
        down->setValue(down->value() - int(std::ceil(visible.top() - point.y() + halfLine)));
    else if (point.y() + halfLine > visible.bottom())
        down->setValue(down->value() + int(std::ceil(point.y() + halfLine - visible.bottom())));
}

void ResultBox::ensureVisible(int position) {
    scrollTowards(pointOf(position));
}

void ResultBox::keyPressEvent(QKeyEvent *event) {
    QScrollBar *across = horizontalScrollBar();
    QScrollBar *down = verticalScrollBar();
    if (event == QKeySequence::Copy)
        copy();
    else if (event == QKeySequence::SelectAll)
        selectAll();
    else if (event == QKeySequence::MoveToStartOfDocument)
        down->setValue(down->minimum());
    else if (event == QKeySequence::MoveToEndOfDocument)
        down->setValue(down->maximum());
    else if (event == QKeySequence::MoveToStartOfLine)
        across->setValue(across->minimum());
    else if (event == QKeySequence::MoveToEndOfLine)
        across->setValue(across->maximum());
    else
        return QAbstractScrollArea::keyPressEvent(event);
    event->accept();
}

void ResultBox::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const int position = positionAt(event->position());
    select(event->modifiers() & Qt::ShiftModifier ? m_anchor : position, position);
    m_selecting = true;
}

void ResultBox::mouseMoveEvent(QMouseEvent *event) {
    if (!m_selecting || !(event->buttons() & Qt::LeftButton))
        return QAbstractScrollArea::mouseMoveEvent(event);
    scrollTowards(event->position());
    select(m_anchor, positionAt(event->position()));
}

void ResultBox::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !m_selecting)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    m_selecting = false;
    // where the system has a selection to paste with the middle button, it is this one
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection() && hasSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void ResultBox::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    selectWordAt(positionAt(event->position()));
}

void ResultBox::contextMenuEvent(QContextMenuEvent *event) {
    // Qt's own words for a text box's menu, so its Korean translation names them
    QMenu menu(this);
    QAction *copyAction = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(hasSelection());
    connect(copyAction, &QAction::triggered, this, &ResultBox::copy);
    menu.addSeparator();
    QAction *allAction = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"));
    allAction->setShortcut(QKeySequence::SelectAll);
    allAction->setEnabled(!m_shown.isEmpty());
    connect(allAction, &QAction::triggered, this, &ResultBox::selectAll);
    menu.exec(event->globalPos());
}

} // namespace tombolix
