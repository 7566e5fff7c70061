#include "resultbox/ResultBox.h"

#include "resultbox/ResultBoxAccessible.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>

namespace tombolix {

namespace {

// Blank space around the text, as a text box keeps it.
constexpr qreal Margin = 4;
// Lines are measured and laid out in pieces of 256 to 512 characters.
constexpr int PieceLength = 256;
// Each winner is laid out in a direction of its own (Unicode's first strong isolate), so that
// two right-to-left winners side by side still read in draw order.
constexpr QChar IsolateStart(0x2068);
constexpr QChar IsolateEnd(0x2069);
// A line separator would end the one line a piece is laid out on: it is shown as this sign.
constexpr QChar LineSeparatorSign(0x21B5);

int scrollRange(qreal content, int visible) {
    return int(std::clamp(std::ceil(content) - visible, 0.0, double(INT_MAX)));
}

// What a piece's text needs to be drawn as written.
enum class TextNeeds {
    // Only precomposed Hangul syllables, ASCII digits, punctuation and blanks: the same shaped
    // or not, so measured and drawn without shaping, at a quarter of the cost.
    Nothing,
    // Shaping: Latin letters kern, decomposed Hangul composes, Arabic letters join …
    Shaping,
    // Shaping and its winners isolated: right-to-left text (Qt runs its whole bidirectional
    // algorithm on a text that holds isolates, at several times the cost of a left-to-right one).
    Isolating,
};

// A character that needs nothing: a precomposed Hangul syllable, an ASCII digit, punctuation
// or a blank.
bool isPlain(char16_t c) {
    return (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= u' ' && c <= u'~' && !(char16_t(c | 0x20) >= u'a' && char16_t(c | 0x20) <= u'z'));
}

TextNeeds needsOf(QStringView text) {
    TextNeeds needs = TextNeeds::Nothing;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isPlain(text.at(i).unicode()))
            continue;
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1)), ++i;
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirPDF:
        case QChar::DirLRI:
        case QChar::DirRLI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            return TextNeeds::Isolating;
        default:
            needs = TextNeeds::Shaping;
        }
    }
    return needs;
}

QString withLineFeeds(const QString &text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

// The next or previous boundary of a kind, looked for in the piece around `position` and the
// pieces beside it: a line's start and end are boundaries too.
int boundaryNear(const QString &shown, int lineStart, int lineEnd, int position, bool forward,
                 QTextBoundaryFinder::BoundaryType type, bool wordStartsOnly) {
    const int from = std::max(lineStart, position - 2 * PieceLength);
    const int to = std::min(lineEnd, position + 2 * PieceLength);
    const QString window = shown.mid(from, to - from);
    QTextBoundaryFinder finder(type, window);
    finder.setPosition(position - from);
    for (;;) {
        const qsizetype at = forward ? finder.toNextBoundary() : finder.toPreviousBoundary();
        if (at < 0)
            return forward ? to : from;
        if (!wordStartsOnly || (finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem) || at == 0 ||
            at == window.size())
            return from + int(at);
    }
}

// Where the line that starts at `from` ends: at the next line feed, or at the text's end. A
// short line (a winner of the list format) is looked through in place; the rest of a long one
// is left to Qt's search, which looks at many characters at a time.
int lineEndFrom(const QString &text, int from) {
    const int size = int(text.size());
    const QChar *characters = text.constData();
    const int near = std::min(size, from + 64);
    for (int at = from; at < near; ++at) {
        if (characters[at] == u'\n')
            return at;
    }
    const qsizetype feed = near < size ? text.indexOf(u'\n', near) : -1;
    return feed < 0 ? size : int(feed);
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
    fontChanged();
    measure();
}

void ResultBox::setText(const QString &text) {
    m_text = text;
    show(withLineFeeds(text), {});
}

void ResultBox::setEntries(const QStringList &entries, const QString &separator) {
    // Shown, the entries and separators are the text with each CR LF as one line feed; so
    // without a CR anywhere it is the text itself, shared rather than copied. Both are written
    // in one piece of memory each: a draw of thousands joins hundreds of thousands of characters.
    const QString shownSeparator = withLineFeeds(separator);
    qsizetype length = entries.isEmpty() ? 0 : separator.size() * (entries.size() - 1);
    bool carriageReturns = false;
    for (const QString &entry : entries) {
        length += entry.size();
        // a loop of its own: a call to look into a name of a few characters costs more
        for (const QChar c : entry)
            carriageReturns |= c == u'\r';
    }
    const bool same = !carriageReturns && shownSeparator.size() == separator.size();
    m_text = QString(length, Qt::Uninitialized);
    QString shown = same ? QString() : QString(length, Qt::Uninitialized);
    QChar *text = m_text.data();
    QChar *out = same ? nullptr : shown.data();
    QList<Span> spans;
    spans.reserve(entries.size());
    int at = 0;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            text = std::copy(separator.cbegin(), separator.cend(), text);
            if (out)
                out = std::copy(shownSeparator.cbegin(), shownSeparator.cend(), out);
            at += int(shownSeparator.size());
        }
        const QString &entry = entries.at(i);
        text = std::copy(entry.cbegin(), entry.cend(), text);
        int shownLength = int(entry.size());
        if (out) {
            const QString entryShown =
                carriageReturns && entry.contains(u'\r') ? withLineFeeds(entry) : entry;
            out = std::copy(entryShown.cbegin(), entryShown.cend(), out);
            shownLength = int(entryShown.size());
        }
        if (shownLength > 0)
            spans.append({at, at + shownLength});
        at += shownLength;
    }
    if (out)
        shown.truncate(at);
    else
        shown = m_text; // shared once written: a write through m_text would have copied it
    show(shown, std::move(spans));
}

void ResultBox::show(const QString &text, QList<Span> entries) {
    const QString before = m_shown;
    m_shown = text;
    m_entries = std::move(entries);
    measure();
    m_anchor = m_position = 0;
    m_selecting = false;
    m_dragScroll.stop();
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

// What the box keeps of its font: the font without shaping, the line's height, and the plain
// characters' advances, measured again as they are met. A blank's and a Hangul syllable's are
// measured at once: nearly every result has both, and measuring them loads the fonts, which the
// first draw would otherwise wait for.
void ResultBox::fontChanged() {
    m_unshaped = font();
    m_unshaped.setStyleStrategy(QFont::PreferNoShaping);
    m_plainAdvances.resize(0x10000);
    for (int c = 0; c < 0x10000; ++c)
        m_plainAdvances[c] = isPlain(char16_t(c)) ? -1.0f : std::numeric_limits<float>::quiet_NaN();
    const QFontMetricsF metrics(font());
    m_lineHeight = metrics.lineSpacing();
    m_ascent = metrics.ascent();
    const QFontMetricsF unshaped(m_unshaped);
    for (const char16_t c : {u' ', u'가'})
        m_plainAdvances[c] = float(unshaped.horizontalAdvance(QChar(c)));
}

// The lines of the shown text, and the pieces of each with their widths. Measuring a piece
// takes no more memory than the piece, however long its line.
void ResultBox::measure() {
    const QFontMetricsF metrics(font());
    const QFontMetricsF unshaped(m_unshaped);
    m_widest = 0;
    m_lines.clear();
    m_pieces.clear();
    // a piece for every 256 characters at least, and a line for every winner, as many as there
    // are in the list format (what a line list does not use of its memory is never touched)
    m_pieces.reserve(m_shown.size() / PieceLength + 1);
    m_lines.reserve(m_entries.size() + 1);
    int start = 0;
    for (;;) {
        const int lineEnd = lineEndFrom(m_shown, start);
        Line line{start, lineEnd - start, int(m_pieces.size()), 0, 0};
        for (int from = start; from < lineEnd;) {
            const int to = pieceEnd(from, lineEnd);
            Piece piece{from, to - from, line.width, 0};
            if (const std::optional<qreal> width =
                    plainWidth(QStringView(m_shown).mid(from, to - from), unshaped)) {
                piece.width = *width;
            } else {
                const LaidOutText text = laidOutText(piece);
                piece.width = (text.shaped ? metrics : unshaped).horizontalAdvance(text.text);
            }
            m_pieces.append(piece);
            line.width += piece.width;
            ++line.pieceCount;
            from = to;
        }
        m_widest = std::max(m_widest, line.width);
        m_lines.append(line);
        if (lineEnd == m_shown.size())
            break;
        start = lineEnd + 1;
    }
}

// The width of a text of plain characters alone, or nothing for any other text. Unshaped, a
// text's advance is the sum of its characters' (no kerning, one glyph each), so each character
// is measured once, not every piece it is in: most winners are Hangul names and numbers, and a
// draw of thousands otherwise spends most of its time here.
std::optional<qreal> ResultBox::plainWidth(QStringView text, const QFontMetricsF &unshaped) {
    float *advances = m_plainAdvances.data();
    qreal width = 0;
    for (const QChar c : text) {
        float &advance = advances[c.unicode()];
        if (!(advance >= 0)) {
            if (std::isnan(advance))
                return std::nullopt;
            advance = float(unshaped.horizontalAdvance(c));
        }
        width += advance;
    }
    return width;
}

// Where the piece that starts at `start` ends. With the winners known, where one begins;
// otherwise after a space (where a winner ends in a comma result); and within a winner longer
// than a piece, between two characters as the user sees them.
int ResultBox::pieceEnd(int start, int lineEnd) const {
    if (lineEnd - start <= 2 * PieceLength)
        return lineEnd;
    if (!m_entries.isEmpty()) {
        const auto next =
            std::partition_point(m_entries.cbegin(), m_entries.cend(),
                                 [start](const Span &entry) { return entry.start < start + PieceLength; });
        if (next != m_entries.cend() && next->start <= start + 2 * PieceLength)
            return next->start;
        if (next != m_entries.cbegin() && (next - 1)->start > start)
            return (next - 1)->start;
    } else {
        const qsizetype space = QStringView(m_shown).mid(start + PieceLength, PieceLength).indexOf(u' ');
        if (space >= 0)
            return start + PieceLength + int(space) + 1;
    }
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme,
                                  QStringView(m_shown).mid(start, 2 * PieceLength));
    graphemes.setPosition(PieceLength);
    const qsizetype at = graphemes.isAtBoundary() ? PieceLength : graphemes.toNextBoundary();
    return at > 0 ? start + int(at) : start + 2 * PieceLength;
}

ResultBox::LaidOutText ResultBox::laidOutText(const Piece &piece) const {
    LaidOutText laid;
    laid.text.reserve(piece.length + 8);
    laid.at.resize(piece.length + 1);
    const int from = piece.start;
    const int to = piece.start + piece.length;
    const TextNeeds needs = needsOf(QStringView(m_shown).mid(from, piece.length));
    laid.shaped = needs != TextNeeds::Nothing;
    const bool isolated = !m_entries.isEmpty() && needs == TextNeeds::Isolating;
    auto entry = isolated ? std::partition_point(m_entries.cbegin(), m_entries.cend(),
                                                 [from](const Span &span) { return span.end <= from; })
                          : m_entries.cend();
    bool inEntry = false;
    for (int i = from; i <= to; ++i) {
        bool placed = false;
        if (inEntry && (entry->end == i || i == to)) {
            laid.at[i - from] = int(laid.text.size()); // a caret at a winner's end stands inside it
            placed = true;
            laid.text += IsolateEnd;
            ++entry;
            inEntry = false;
        }
        if (!inEntry && entry != m_entries.cend() && entry->start <= i && i < to) {
            laid.text += IsolateStart;
            inEntry = true;
        }
        if (!placed)
            laid.at[i - from] = int(laid.text.size());
        if (i < to) {
            const QChar c = m_shown.at(i);
            laid.text += c == QChar::LineSeparator ? LineSeparatorSign : c;
        }
    }
    return laid;
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

void ResultBox::layOut(QTextLayout &layout, const LaidOutText &text) const {
    layout.setText(text.text);
    layout.setFont(text.shaped ? font() : m_unshaped);
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
        const LaidOutText text = laidOutText(piece);
        QTextLayout layout;
        layOut(layout, text);
        x += piece.x + layout.lineAt(0).cursorToX(text.at[position - piece.start]);
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
    const LaidOutText text = laidOutText(*piece);
    QTextLayout layout;
    layOut(layout, text);
    const int cursor = layout.lineAt(0).xToCursor(x - piece->x);
    // back from the layout's positions: the piece's characters before it, the isolates' marks
    // not counted
    const auto marks = std::count_if(text.text.cbegin(), text.text.cbegin() + cursor,
                                     [](QChar c) { return c == IsolateStart || c == IsolateEnd; });
    return piece->start + cursor - int(marks);
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
            const LaidOutText text = laidOutText(*piece);
            QTextLayout layout;
            layOut(layout, text);
            QList<QTextLayout::FormatRange> ranges;
            const int from = std::max(selectionStart(), piece->start) - piece->start;
            const int to = std::min(selectionEnd(), piece->start + piece->length) - piece->start;
            if (from < to)
                ranges.append({text.at[from], text.at[to] - text.at[from], selected});
            // every piece on the line's one baseline
            const QPointF at(left + piece->x, top + m_ascent - layout.lineAt(0).ascent());
            layout.draw(&painter, at, ranges);
        }
    }
    if (m_caretShown && hasFocus()) {
        const QPointF caret = pointOf(m_position);
        painter.fillRect(QRectF(caret.x(), caret.y() - m_lineHeight / 2, 1, m_lineHeight),
                         palette().color(QPalette::Text));
    }
}

void ResultBox::resizeEvent(QResizeEvent *event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ResultBox::changeEvent(QEvent *event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fontChanged();
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
    const int size = int(m_shown.size());
    anchor = std::clamp(anchor, 0, size);
    position = std::clamp(position, 0, size);
    if (anchor == m_anchor && position == m_position)
        return;
    m_anchor = anchor;
    m_position = position;
    restartBlink();
    viewport()->update();
    selectionChanged();
}

// Where the system keeps a selection to paste with the middle button, it is this one; and a
// screen reader hears of the new selection and caret.
void ResultBox::selectionChanged() {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && !m_selecting && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
    announceSelection(this);
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

int ResultBox::graphemeBoundary(int position, bool forward) const {
    const Line &line = m_lines.at(lineOf(position));
    if (forward && position == line.start + line.length)
        return std::min(position + 1, int(m_shown.size())); // on to the next line
    if (!forward && position == line.start)
        return std::max(position - 1, 0);
    return boundaryNear(m_shown, line.start, line.start + line.length, position, forward,
                        QTextBoundaryFinder::Grapheme, false);
}

int ResultBox::wordBoundary(int position, bool forward) const {
    const Line &line = m_lines.at(lineOf(position));
    if ((forward && position == line.start + line.length) || (!forward && position == line.start))
        return graphemeBoundary(position, forward);
    return boundaryNear(m_shown, line.start, line.start + line.length, position, forward,
                        QTextBoundaryFinder::Word, true);
}

void ResultBox::moveCaret(int position, bool keepAnchor) {
    select(keepAnchor ? m_anchor : position, position);
    ensureVisible(m_position);
}

void ResultBox::keyPressEvent(QKeyEvent *event) {
    struct Move {
        QKeySequence::StandardKey move;
        QKeySequence::StandardKey extend;
        int (*to)(const ResultBox &, int);
    };
    static const Move moves[] = {
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar,
         [](const ResultBox &box, int at) { return box.graphemeBoundary(at, true); }},
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar,
         [](const ResultBox &box, int at) { return box.graphemeBoundary(at, false); }},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord,
         [](const ResultBox &box, int at) { return box.wordBoundary(at, true); }},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord,
         [](const ResultBox &box, int at) { return box.wordBoundary(at, false); }},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine,
         [](const ResultBox &box, int at) { return box.m_lines.at(box.lineOf(at)).start; }},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine,
         [](const ResultBox &box, int at) {
             const Line &line = box.m_lines.at(box.lineOf(at));
             return line.start + line.length;
         }},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument,
         [](const ResultBox &, int) { return 0; }},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument,
         [](const ResultBox &box, int) { return int(box.m_shown.size()); }},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine,
         [](const ResultBox &box, int at) {
             return box.positionAt(box.pointOf(at) + QPointF(0, box.m_lineHeight));
         }},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine,
         [](const ResultBox &box, int at) {
             return box.positionAt(box.pointOf(at) - QPointF(0, box.m_lineHeight));
         }},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage,
         [](const ResultBox &box, int at) {
             return box.positionAt(box.pointOf(at) + QPointF(0, box.viewport()->height() - box.m_lineHeight));
         }},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage,
         [](const ResultBox &box, int at) {
             return box.positionAt(box.pointOf(at) - QPointF(0, box.viewport()->height() - box.m_lineHeight));
         }},
    };
    if (event == QKeySequence::Copy) {
        copy();
        return event->accept();
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return event->accept();
    }
    for (const Move &move : moves) {
        if (event == move.move || event == move.extend) {
            moveCaret(move.to(*this, m_position), event == move.extend);
            return event->accept();
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ResultBox::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    // a third click where the double click was: its line
    if (m_sinceDoubleClick.isValid() &&
        m_sinceDoubleClick.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
        (event->position() - m_doubleClickPoint).manhattanLength() <= QApplication::startDragDistance()) {
        m_sinceDoubleClick.invalidate();
        const Line &line = m_lines.at(lineOf(positionAt(event->position())));
        select(line.start, line.start + line.length);
        return;
    }
    const int position = positionAt(event->position());
    m_selecting = true;
    select(event->modifiers() & Qt::ShiftModifier ? m_anchor : position, position);
}

void ResultBox::mouseMoveEvent(QMouseEvent *event) {
    if (!m_selecting || !(event->buttons() & Qt::LeftButton))
        return QAbstractScrollArea::mouseMoveEvent(event);
    m_dragPoint = event->position();
    // past an edge, the box goes on scrolling while the mouse stays there
    if (viewport()->rect().contains(m_dragPoint.toPoint()))
        m_dragScroll.stop();
    else if (!m_dragScroll.isActive())
        m_dragScroll.start(50, this);
    scrollTowards(m_dragPoint);
    select(m_anchor, positionAt(m_dragPoint));
}

void ResultBox::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !m_selecting)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    m_selecting = false;
    m_dragScroll.stop();
    selectionChanged();
}

void ResultBox::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    m_selecting = false;
    selectWordAt(positionAt(event->position()));
    m_sinceDoubleClick.start();
    m_doubleClickPoint = event->position();
}

void ResultBox::timerEvent(QTimerEvent *event) {
    if (event->timerId() == m_dragScroll.timerId()) {
        scrollTowards(m_dragPoint);
        select(m_anchor, positionAt(m_dragPoint));
    } else if (event->timerId() == m_blink.timerId()) {
        m_caretShown = !m_caretShown;
        viewport()->update();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void ResultBox::focusInEvent(QFocusEvent *event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
}

void ResultBox::focusOutEvent(QFocusEvent *event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_blink.stop();
    m_caretShown = false;
    viewport()->update();
}

// The caret shows at once where it went, then blinks as the system's text boxes do.
void ResultBox::restartBlink() {
    m_caretShown = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
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
