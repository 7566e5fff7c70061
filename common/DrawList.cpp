#include "common/DrawList.h"

#include "common/Routines.h"
#include "core/Constants.h"

#include <QLabel>
#include <QListWidget>

namespace tombolix {

DrawList::DrawList(QListWidget &list, QLabel &countLabel)
    : m_list(list)
    , m_countLabel(countLabel) {}

int DrawList::count() const {
    return m_list.count();
}

QStringList DrawList::entries() const {
    QStringList all;
    const int n = m_list.count();
    all.reserve(n);
    for (int i = 0; i < n; ++i)
        all.append(m_list.item(i)->text());
    return all;
}

bool DrawList::isFull() const {
    return m_list.count() >= maxDrawListEntries;
}

bool DrawList::contains(const QString &text) const {
    return IsInList(text, m_list);
}

int DrawList::selectedPosition() const {
    return m_list.currentItem() && m_list.currentItem()->isSelected() ? m_list.currentRow() : -1;
}

bool DrawList::append(const QString &text) {
    if (isFull())
        return false;
    m_list.addItem(text);
    ++m_revision;
    rewriteCountLabel();
    return true;
}

void DrawList::removeAt(int position) {
    delete m_list.takeItem(position);
    ++m_revision;
    rewriteCountLabel();
}

void DrawList::clear() {
    m_list.clear();
    ++m_revision;
    rewriteCountLabel();
}

QString DrawList::countText(int count) {
    return QStringLiteral("추첨 리스트(갯수 : ") + QString::number(count) + QStringLiteral("개)");
}

void DrawList::rewriteCountLabel() {
    m_countLabel.setText(countText(m_list.count()));
}

} // namespace tombolix
