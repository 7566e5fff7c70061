#include "resultbox/ResultBoxAccessible.h"

#include "resultbox/ResultBox.h"

#include <QAccessibleWidget>

#include <algorithm>
#include <cmath>

namespace tombolix {

namespace {

class ResultBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ResultBoxAccessible(ResultBox *box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return box()->shownText();
        return QAccessibleWidget::text(kind);
    }

    void selection(int index, int *start, int *end) const override {
        *start = *end = 0;
        if (index == 0 && box()->hasSelection()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { box()->select(start, end); }
    void removeSelection(int) override { box()->select(box()->position(), box()->position()); }
    void setSelection(int, int start, int end) override { box()->select(start, end); }

    int cursorPosition() const override { return box()->position(); }
    void setCursorPosition(int position) override { box()->select(position, position); }

    QString text(int start, int end) const override { return box()->shownText().mid(start, end - start); }
    int characterCount() const override { return int(box()->shownText().size()); }

    QRect characterRect(int offset) const override {
        const QPointF from = box()->pointOf(offset);
        const QPointF to = box()->pointOf(offset + 1);
        const qreal height = box()->lineHeight();
        // a right-to-left character's end stands left of its start
        const qreal left = to.y() == from.y() ? std::min(from.x(), to.x()) : from.x();
        const qreal width = to.y() == from.y() ? std::abs(to.x() - from.x()) : 0;
        const QRectF inView(left, from.y() - height / 2, width, height);
        return inView.toAlignedRect().translated(box()->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint &point) const override {
        return box()->positionAt(box()->viewport()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        box()->ensureVisible(end);
        box()->ensureVisible(start);
    }
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    ResultBox *box() const { return static_cast<ResultBox *>(widget()); }
};

QAccessibleInterface *resultBoxAccessible(const QString &, QObject *object) {
    if (auto *box = qobject_cast<ResultBox *>(object))
        return new ResultBoxAccessible(box);
    return nullptr;
}

} // namespace

void installResultBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(resultBoxAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

// Qt passes the events on only where a screen reader listens.
void announceSelection(ResultBox *box) {
    QAccessibleTextSelectionEvent selection(box, box->selectionStart(), box->selectionEnd());
    QAccessible::updateAccessibility(&selection);
    QAccessibleTextCursorEvent caret(box, box->position());
    QAccessible::updateAccessibility(&caret);
}

void announceNewText(ResultBox *box, const QString &before) {
    QAccessibleTextUpdateEvent changed(box, 0, before, box->shownText());
    QAccessible::updateAccessibility(&changed);
}

} // namespace tombolix
