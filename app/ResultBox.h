#pragma once

#include <QAbstractScrollArea>
#include <QList>

#include <algorithm>

class QTextLayout;

namespace tombolix {

// The result box: read-only for the user, lines centred and never wrapped, with both scroll
// bars. A draw of thousands of winners is one line of hundreds of thousands of characters, and
// laying that out whole takes tens of megabytes; so the box measures its lines in short pieces
// and lays out only the pieces in view. The user can still select any part with the mouse
// (or all of it) and copy it.
class ResultBox : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ResultBox(QWidget *parent = nullptr);

    // The text exactly as the program wrote it, CR LF separators included; the box shows lines.
    QString text() const { return m_text; }
    void setText(const QString &text);

    // The text as shown, its lines joined by "\n". Positions count its characters.
    QString shownText() const { return m_shown; }
    // The selection runs from the anchor to the position; they are equal when nothing is selected.
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
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

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

    void measure();
    int pieceEnd(int start, int lineEnd) const;
    int lineAtY(qreal y) const;
    int lineOf(int position) const;
    int pieceAt(const Line &line, int position) const;
    QList<Piece>::const_iterator pieceAtX(const Line &line, qreal x) const;
    qreal lineLeft(const Line &line) const;
    qreal lineTop(int index) const;
    void layOut(QTextLayout &layout, const Piece &piece) const;
    void updateScrollBars();
    void selectWordAt(int position);
    void scrollTowards(QPointF point);

    QString m_text;
    QString m_shown;
    QList<Line> m_lines;
    QList<Piece> m_pieces;
    qreal m_widest = 0;
    qreal m_lineHeight = 0;
    qreal m_ascent = 0;
    int m_anchor = 0;
    int m_position = 0;
    bool m_selecting = false;
};

} // namespace tombolix
