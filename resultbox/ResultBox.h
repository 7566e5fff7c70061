#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QList>
#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <optional>

class QFontMetricsF;
class QTextLayout;

namespace tombolix {

// The result box: read-only for the user, lines centred and never wrapped, with both scroll
// bars. A draw of thousands of winners is one line of hundreds of thousands of characters, and
// laying that out whole takes tens of megabytes; so the box measures its lines in short pieces
// and lays out only the pieces in view. The user can still select any part with the mouse or
// the keyboard (or all of it) and copy it.
//
// Every winner is shown as it is written: a piece never cuts a winner unless it alone is longer
// than a piece, each winner is laid out in its own direction (a right-to-left name reads right
// to left, and the winners still follow each other left to right in draw order), and a line
// separator inside a winner is shown as a sign rather than ending the line.
class ResultBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ResultBox(QWidget *parent = nullptr);

    // The text exactly as the program wrote it, CR LF separators included; the box shows lines.
    QString text() const { return m_text; }
    void setText(const QString &text);
    // The winners joined by the separator, each known to the box as one winner.
    void setEntries(const QStringList &entries, const QString &separator);

    // The text as shown, its lines joined by "\n". Positions count its characters.
    QString shownText() const { return m_shown; }
    // The selection runs from the anchor to the position (the caret); they are equal when
    // nothing is selected. Positions outside the text are taken to its nearest end.
    void select(int anchor, int position);
    int position() const { return m_position; }
    int selectionStart() const { return std::min(m_anchor, m_position); }
    int selectionEnd() const { return std::max(m_anchor, m_position); }
    bool hasSelection() const { return m_anchor != m_position; }
    QString selectedText() const;
    void selectAll();
    void copy() const;
    // Where the caret before `position` stands in the viewport: x on it, y at its line's middle.
    QPointF pointOf(int position) const;
    // The position nearest to a point of the viewport.
    int positionAt(QPointF point) const;
    // Scrolls the least that brings `position` into view.
    void ensureVisible(int position);
    qreal lineHeight() const { return m_lineHeight; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    struct Piece {
        int start; // in m_shown
        int length;
        qreal x; // from the start of its line
        qreal width;
    };
    struct Line {
        int start; // in m_shown
        int length;
        int firstPiece;
        int pieceCount;
        qreal width;
    };
    struct Span {
        int start; // in m_shown
        int end;
    };
    // A piece as it is laid out: its winners isolated, a line separator made visible; `at`
    // maps each position of the piece (0 … length) to the layout's.
    struct LaidOutText {
        QString text;
        QVarLengthArray<int, 600> at;
        bool shaped = true; // false where shaping would change nothing
    };

    void show(const QString &text, QList<Span> entries);
    void fontChanged();
    void measure();
    std::optional<qreal> plainWidth(QStringView text, const QFontMetricsF &unshaped);
    int pieceEnd(int start, int lineEnd) const;
    LaidOutText laidOutText(const Piece &piece) const;
    int lineAtY(qreal y) const;
    int lineOf(int position) const;
    int pieceAt(const Line &line, int position) const;
    QList<Piece>::const_iterator pieceAtX(const Line &line, qreal x) const;
    qreal lineLeft(const Line &line) const;
    qreal lineTop(int index) const;
    void layOut(QTextLayout &layout, const LaidOutText &text) const;
    void updateScrollBars();
    void selectWordAt(int position);
    void scrollTowards(QPointF point);
    int wordBoundary(int position, bool forward) const;
    int graphemeBoundary(int position, bool forward) const;
    void moveCaret(int position, bool keepAnchor);
    void selectionChanged();
    void restartBlink();

    QString m_text;
    QString m_shown;
    QList<Span> m_entries; // none when the box was given plain text
    QList<Line> m_lines;
    QList<Piece> m_pieces;
    QFont m_unshaped; // the box's font, for text that shaping would not change
    // The advance in m_unshaped of each character it draws alike, by its code unit: -1 until
    // measured, NaN for the others. Advances are multiples of 1/64, which a float holds exactly.
    QList<float> m_plainAdvances;
    qreal m_widest = 0;
    qreal m_lineHeight = 0;
    qreal m_ascent = 0;
    int m_anchor = 0;
    int m_position = 0;
    bool m_selecting = false;
    QPointF m_dragPoint; // where a drag's mouse is, for scrolling while it is past an edge
    QBasicTimer m_dragScroll;
    QElapsedTimer m_sinceDoubleClick; // a click soon after a double click selects the line
    QPointF m_doubleClickPoint;
    QBasicTimer m_blink;
    bool m_caretShown = false;
};

} // namespace tombolix
